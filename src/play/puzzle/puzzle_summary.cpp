// The picture puzzle's summary: a scroll fades in and unrolls over the solved picture, lists
// pieces, hints, clicks, time and points, counts the pieces in and the hints out, and rolls up
// again on a click. The score is banked as the summary begins (not in a gallery replay).
#include "services/mouse.h"
#include "services/sfx.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/points_manager.h"
#include "play/puzzle/puzzle_manager.h"
#include "platform/input.h"
#include "platform/system.h"
#include "toolkit/container.h"
#include "toolkit/drawing.h"
#include "play/scroll_spark.h"
#include "toolkit/spark.h"
#include "toolkit/string_utils.h"

namespace {

// Phases of the summary (there is no phase 8).
enum Phase : int32_t {
  kFadeIn = 0,
  kUnroll = 1,
  kPauseBeforeCount = 2,
  kCountPieces = 3,
  kPauseBeforeHints = 4,
  kCountHints = 5,
  kWaitForClick = 6,
  kRollUp = 7,
  kFadeOut = 9,
  kDone = 10,
};

constexpr int32_t kFullyOpen = 155;  // half height of the unrolled sheet
constexpr int32_t kSpeedDivisor = 50;  // unroll and roll-up: (ms since the phase began) / 50
constexpr int32_t kOpenPauseMs = 500;
constexpr int32_t kHintsPauseMs = 300;
constexpr int32_t kTickMs = 50;
constexpr float kRollerStep = 0.1f;
constexpr int kTopRollerId = 2001, kSheetId = 2002, kBottomRollerId = 2003, kHintFontId = 4005;
constexpr int kPuzzleLabelX = 320, kPuzzleValueX = 420;

struct SummaryState {
  int32_t phase = kFadeIn;
  int32_t halfOpen = 0;
  float rollerAlpha = 0.0f;
  int32_t shownPoints = 0;
  int32_t piecesLeft = 0;
  int32_t hintsLeft = 0;
  int32_t markTime = 0;
  int32_t endTime = 0;
};

void Row(const String& label, const String& value, int32_t y) {
  DrawText(label, kPuzzleLabelX, static_cast<float>(y));
  DrawText(value, kPuzzleValueX, static_cast<float>(y));
}

void Centred(const String& text, int32_t y) {
  DrawText(text, static_cast<float>(400 - TextWidth(text) / 2), static_cast<float>(y));
}

}  // namespace

int32_t TPuzzleManager::summary(const ImagePtr& background, const ImageFontPtr& rowFont,
                                const ImageFontPtr& titleFont, int32_t replay) {
  SummaryState s;
  const int32_t pieces = grid->pieceCount;
  if (replay == 0 && points) {
    s.shownPoints = points->totalPoints;
    points->totalPoints =
        BankedSum(points->totalPoints, static_cast<int64_t>(kPointsPerPiece) * pieces -
                                           static_cast<int64_t>(kPointsPerHint) * hintsUsed);
  }
  s.markTime = s.endTime = MilliSecs();
  s.piecesLeft = pieces;
  s.hintsLeft = hintsUsed;
  TSpark::destroyAll();

  for (;;) {
    if (music) music->update();
    if (mouse) mouse->fetchState();
    const bool click = mouse && mouse->hit1 != 0;
    auto since = [&s] { return ElapsedMs(MilliSecs(), s.markTime); };

    if (s.phase == kFadeIn) {
      s.rollerAlpha += kRollerStep;
      if (s.rollerAlpha >= 1.0f) {
        s.markTime = MilliSecs();
        s.phase = kUnroll;
      }
    }
    if (s.phase == kUnroll) {
      s.halfOpen += since() / kSpeedDivisor;
      UnrollSpark(s.halfOpen);
      if (s.halfOpen > kFullyOpen) {
        s.halfOpen = kFullyOpen;
        s.markTime = MilliSecs();
        if (globalSnd && sequencer) globalSnd->play(LevelVoiceClip(sequencer->currentLevel));
        s.phase = kPauseBeforeCount;
      }
    }
    if (s.phase == kPauseBeforeCount && since() > kOpenPauseMs) s.phase = kCountPieces;
    if (s.phase == kCountPieces) {
      if (s.piecesLeft <= 0) {
        s.phase = kPauseBeforeHints;
      } else if (since() > kTickMs) {
        --s.piecesLeft;
        s.shownPoints += kPointsPerPiece;
        s.markTime = MilliSecs();
        if (click) {
          s.shownPoints += kPointsPerPiece * s.piecesLeft - kPointsPerHint * s.hintsLeft;
          s.piecesLeft = s.hintsLeft = 0;
          playSound2(countSound);
          s.phase = kRollUp;
        }
      }
    }
    if (s.phase == kPauseBeforeHints && since() > kHintsPauseMs) s.phase = kCountHints;
    if (s.phase == kCountHints) {
      if (s.hintsLeft <= 0) {
        s.phase = kWaitForClick;
      } else if (since() > kTickMs) {
        --s.hintsLeft;
        s.shownPoints -= kPointsPerHint;
        s.markTime = MilliSecs();
        if (click) {
          s.shownPoints -= kPointsPerHint * s.hintsLeft;
          s.hintsLeft = 0;
          playSound2(countSound);
          s.phase = kRollUp;
        }
      }
    }
    if (s.phase == kWaitForClick && click) {
      s.markTime = MilliSecs();
      playSound2(countSound);
      s.phase = kRollUp;
    }
    if (s.phase == kRollUp) {
      s.halfOpen -= since() / kSpeedDivisor;
      if (s.halfOpen < 0) {
        s.halfOpen = 0;
        s.phase = kFadeOut;
      }
    }
    if (s.phase == kFadeOut) {
      s.rollerAlpha -= kRollerStep;
      if (s.rollerAlpha < 0.0f) {
        s.rollerAlpha = 0.0f;
        s.markTime = MilliSecs();
        s.phase = kDone;
      }
    }

    Cls();
    if (background) DrawImage(background, 0, 0, 0);
    grid->Draw();
    SetColor(255, 255, 255);
    SetTransform(0.0f, 1.0f, 1.0f);
    if (data)
      drawInViewPort(data->GetImage(kSheetId), 400, 300, 0, 300 - s.halfOpen, 800, 2 * s.halfOpen);
    SetColor(0, 0, 0);
    const int32_t top = 300 - s.halfOpen, tall = 2 * s.halfOpen;
    auto shown = [&](int32_t y, int32_t opening) {
      return s.halfOpen > opening && isTextInViewport(y, top, tall) == 1;
    };
    SetImageFont(titleFont);
    if (shown(180, 70)) Centred(S("Well done!"), 180);
    SetImageFont(rowFont);
    if (shown(240, 10)) Row(S("Puzzles:"), FromInt(s.piecesLeft), 240);
    Row(S("Hints:"), FromInt(s.hintsLeft), 275);  // inside the band even while it is shut
    if (shown(310, 0)) Row(S("Clicks:"), FromInt(clicks), 310);
    if (shown(345, 35))
      Row(S("Time:"), SecToTime(ElapsedMs(s.endTime, startTime) / 1000), 345);
    if (shown(380, 70)) Row(S("Points:"), FromInt(s.shownPoints), 380);
    if (data) SetImageFont(data->GetTTFont(kHintFontId));
    if (shown(430, 120)) Centred(S("Click to continue"), 430);
    SetColor(255, 255, 255);
    SetAlpha(s.rollerAlpha);
    if (data) {
      DrawImage(data->GetImage(kTopRollerId), 400, static_cast<float>(300 - s.halfOpen));
      DrawImage(data->GetImage(kBottomRollerId), 400, static_cast<float>(299 + s.halfOpen));
    }
    TSpark::UpdateAll();
    SetAlpha(1.0f);
    if (mouse) mouse->Draw();
    PollSystem();
    Flip(-1);
    if (s.phase == kDone) return 0;
    if (AppTerminate() != 0) return 1;
  }
}
