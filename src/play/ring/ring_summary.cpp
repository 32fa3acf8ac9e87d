// The ring game's lasting results: the summary scroll that banks 500 points a right click, the
// ring game's keys in the player's profile, and the spells that later board levels copy in.
#include <algorithm>

#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/points_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "play/ring/ring_game.h"
#include "play/ring/ring_scroll.h"
#include "platform/image_font.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "toolkit/container.h"
#include "toolkit/drawing.h"
#include "play/scroll_spark.h"
#include "toolkit/spark.h"
#include "toolkit/string_utils.h"

namespace {

constexpr int32_t kRingSpeedDivisor = 50;   // unroll and roll-up: (ms since the step began) / 50
constexpr int32_t kPauseMs = 500;
constexpr int32_t kRingTickMs = 50;
constexpr int32_t kRingFadeMs = 250;
constexpr float kScrollStep = 0.1f;
constexpr float kSwellTurn = 5.0f;      // degrees a frame
constexpr float kSwellStep = 0.1f;      // zoom a frame
constexpr float kSwollen = 3.0f;
constexpr float kQuietest = 0.001f;     // the music volume factor never falls below it
constexpr int kRingTopRollerId = 2001, kRingSheetId = 2002, kRingBottomRollerId = 2003;
constexpr int kRingTitleFontId = 4001, kRingRowFontId = 4002, kRingHintFontId = 4005;
constexpr int32_t kRingLabelX = 300, kRingValueX = 440, kBombsX = 462;
// Drawn while the sheet is open this far (-1: always, also while the scroll is shut).
constexpr int32_t kAlways = -1;
// The quest entry whose ring game wins bombs: its count reads "bomb" or "bombs".
constexpr int32_t kBombLevel = 4;

// The profile keys.
const String kHitsKey = S("seqHits");
const String kTimeKey = S("rgTime");
const String kSpellsKey = S("recivedSpells");
String SpellKey(int32_t kind) { return S("RMGRecivedSpell") + FromInt(kind); }

// The frozen ring screen under the scroll: upright, without the pointer's glow or the rune.
void DrawScene(const TRingGame& g, float frameAlpha) {
  SetColor(255, 255, 255);
  SetAlpha(frameAlpha);
  SetTransform(0.0f, 1.0f, 1.0f);
  DrawImage(g.background, 0, 0);
  DrawImage(g.pendulumImage, 403.0f, g.pendulumY);
  SetTransform(0.0f, 1.0f, 1.0f);
  for (int32_t i = 0; i < TRingGame::kTiles; ++i) {
    const TPapier& tile = *g.tiles[static_cast<size_t>(i)];
    DrawImage(g.tileImage, tile.x, static_cast<float>(tile.y));
    DrawImage(g.tileRunes, tile.x - 15.0f, static_cast<float>(tile.y) - 18.0f, i);
  }
  SetRotation(g.ringAngle);
  SetScale(g.ringScale, g.ringScale);
  SetAlpha(g.ringAlpha);
  DrawImage(g.ringImage, 400.0f, 260.0f);
  SetAlpha(frameAlpha);
  SetTransform(0.0f, 1.0f, 1.0f);
  for (const RingSpellPtr& icon : g.spells)
    if (icon) icon->Draw(400, 260, g.ringScale, g.ringAngle, g.ringAlpha);
}

void DrawScroll(const TRingGame& g, const TRingScroll& s) {
  const float alpha = s.scrollAlpha * s.frameAlpha;
  SetAlpha(alpha);
  SetScale(1.0f, 1.0f);
  SetColor(255, 255, 255);
  const int32_t top = 300 - s.halfOpen, tall = 2 * s.halfOpen;
  if (data) drawInViewPort(data->GetImage(kRingSheetId), 400, 300, 0, top, 800, tall);
  SetColor(0, 0, 0);
  int font = 0;
  for (const TRingScroll::Row& row : s.Rows(g)) {
    // The font is selected whether or not the row shows.
    if (row.font != font) SetImageFont(data ? data->GetTTFont(row.font) : nullptr);
    font = row.font;
    if (s.halfOpen <= row.opening || isTextInViewport(row.testY, top, tall) == 0) continue;
    const int32_t x = row.centred ? row.x - TextWidth(row.text) / 2 : row.x;
    DrawText(row.text, static_cast<float>(x), static_cast<float>(row.y));
  }
  SetColor(255, 255, 255);
  SetAlpha(alpha);
  if (data) {
    DrawImage(data->GetImage(kRingTopRollerId), 400.0f, static_cast<float>(300 - s.halfOpen));
    DrawImage(data->GetImage(kRingBottomRollerId), 400.0f, static_cast<float>(299 + s.halfOpen));
  }
}

}  // namespace

TRingScroll TRingScroll::Begin(TRingGame& game) {
  TRingScroll s;
  s.shownTotal = points ? points->totalPoints : 0;
  s.bonusLeft = game.seqHits;
  if (points)
    points->totalPoints = BankedSum(points->totalPoints,
                                    static_cast<int64_t>(game.seqHits) * TRingGame::kPointsPerHit);
  s.markTime = MilliSecs();
  return s;
}

void TRingScroll::Advance(TRingGame& game, int32_t now, bool click) {
  const int32_t since = ElapsedMs(now, markTime);
  switch (step) {
    case kFadeIn:
      scrollAlpha += kScrollStep;
      if (scrollAlpha >= 1.0f) {
        markTime = now;
        step = kUnroll;
      }
      break;
    case kUnroll:
      // markTime stays at the step's start, so the sheet opens faster and faster.
      halfOpen += since / kRingSpeedDivisor;
      UnrollSpark(halfOpen);
      if (halfOpen > kFullyOpen) {
        halfOpen = kFullyOpen;
        markTime = now;
        if (globalSnd && sequencer) globalSnd->play(LevelVoiceClip(sequencer->currentLevel));
        step = kPause;
      }
      break;
    case kPause:
      if (since > kPauseMs) {
        markTime = now;
        step = kCount;
      }
      break;
    case kCount:
      if (bonusLeft <= 0) {
        step = kWait;  // no click is looked at in this frame
        break;
      }
      if (since > kRingTickMs) {
        --bonusLeft;
        shownTotal += TRingGame::kPointsPerHit;
        markTime = now;
      }
      if (click) {
        // Straight to the roll-up, without the closing sound.
        shownTotal += TRingGame::kPointsPerHit * bonusLeft;
        bonusLeft = 0;
        markTime = now;
        step = kRollUp;
      }
      break;
    case kWait:
      if (click) {
        playSound2(game.sounds[TRingGame::kSummaryOutSound]);
        markTime = now;
        step = kRollUp;
      }
      break;
    case kRollUp:
      halfOpen -= since / kRingSpeedDivisor;
      if (halfOpen < 0) {
        halfOpen = 0;
        markTime = now;
        step = kFadeOut;
      }
      break;
    case kFadeOut:
      scrollAlpha -= kScrollStep;
      if (!(scrollAlpha > 0.0f)) {
        markTime = now;
        step = kRingSwells;
      }
      break;
    case kRingSwells:
      game.ringAngle += kSwellTurn;
      game.ringScale += kSwellStep;
      if (game.ringScale >= kSwollen) {
        frameAlpha = 0.0f;
        markTime = now;
        step = kRingFades;
      }
      break;
    case kRingFades: {
      game.ringAlpha = 1.0f - static_cast<float>(since) / static_cast<float>(kRingFadeMs);
      game.ringAngle += kSwellTurn;
      game.ringScale += kSwellStep;
      const float volume = std::clamp(game.ringAlpha, kQuietest, 1.0f);
      if (game.musicStream)
        game.musicStream->setVolume(volume * (options ? options->musicVol : 1.0f));
      if (game.ringAlpha < 0.0f) {
        game.ringAlpha = 0.0f;
        markTime = now;
        step = kDone;
      }
      break;
    }
    default:
      break;
  }
}

std::vector<TRingScroll::Row> TRingScroll::Rows(const TRingGame& game) const {
  std::vector<Row> rows = {
      {kRingTitleFontId, 180, S("Well done!"), 400, 180, 70, true},
      {kRingRowFontId, 250, S("Received"), kRingLabelX, 240, 0, false},
      {kRingRowFontId, 250, S("spells:"), kRingLabelX, 260, 0, false},
      {kRingRowFontId, 250, FromInt(game.recivedSpells), kRingValueX, 255, 0, false},
  };
  if (sequencer && sequencer->currentLevel == kBombLevel)
    rows.push_back({kRingRowFontId, 250, game.recivedSpells == 1 ? S("bomb") : S("bombs"), kBombsX,
                    255, 0, false});
  // The level's whole length, not the time played.
  const auto seconds = static_cast<int32_t>(game.totalTime / 1000.0f);
  rows.push_back({kRingRowFontId, 297, S("Time:"), kRingLabelX, 297, kAlways, false});
  rows.push_back({kRingRowFontId, 297, SecToTime(seconds), kRingValueX, 297, kAlways, false});
  rows.push_back({kRingRowFontId, 334, S("Bonus points:"), kRingLabelX, 334, 24, false});
  rows.push_back({kRingRowFontId, 334, FromInt(bonusLeft * TRingGame::kPointsPerHit), kRingValueX,
                  334, 24, false});
  rows.push_back({kRingRowFontId, 371, S("Total points:"), kRingLabelX, 371, 61, false});
  rows.push_back({kRingRowFontId, 371, FromInt(shownTotal), kRingValueX, 371, 61, false});
  rows.push_back({kRingHintFontId, 430, S("Click to continue"), 400, 430, 120, true});
  return rows;
}

int32_t TRingGame::Summary() {
  TRingScroll s = TRingScroll::Begin(*this);
  playSound2(sounds[kSummaryShowSound]);
  for (;;) {
    if (musicStream) musicStream->update();
    if (mouse) mouse->fetchState();
    if (s.step == TRingScroll::kDone) return 0;
    s.Advance(*this, MilliSecs(), mouse && mouse->hit1 != 0);
    Cls();
    DrawScene(*this, s.frameAlpha);
    DrawScroll(*this, s);
    SetAlpha(s.frameAlpha);
    if (s.step < TRingScroll::kRingFades && points)
      points->_drawNumber(points->totalPoints, 7, 398, 7, 1, 1);
    TSpark::UpdateAll();
    SetAlpha(s.frameAlpha);
    if (s.step < TRingScroll::kRingSwells && mouse) mouse->Draw();
    Flip(-1);
    if (AppTerminate() != 0) return 1;
    PollSystem();
  }
}

int32_t TRingGame::SaveToProfile() {
  if (!profile) return 0;
  profile->SetNumber(kHitsKey, seqHits, 1);
  profile->SetNumber(kTimeKey, ElapsedMs(MilliSecs(), startTime), 1);
  profile->SetNumber(kSpellsKey, recivedSpells, 1);
  for (const RingSpellPtr& icon : spells)
    if (icon) profile->SetNumber(SpellKey(icon->id), icon->count, 1);
  return 0;
}

int32_t TRingGame::LoadFromProfile() {
  if (!profile) return 0;
  seqHits = profile->GetCount(kHitsKey);
  recivedSpells = profile->GetCount(kSpellsKey);
  const int32_t now = MilliSecs();
  startTime = ClockBefore(now, profile->GetNumber(kTimeKey));
  pendulumAmplitude = SwingFor(ElapsedMs(MilliSecs(), startTime));
  for (const RingSpellPtr& icon : spells)
    if (icon) icon->count = profile->GetCount(SpellKey(icon->id));
  return 0;
}

int32_t TRingGame::CopySpells() {
  if (!profile || !bonusManagerAlt) return 0;
  for (int32_t kind = 1; kind <= kSpellKinds; ++kind) {
    const int32_t count = profile->GetNumber(SpellKey(kind));
    // Once a spell of the kind finds no place, neither does the next: a count far beyond the
    // board's 225 cells (a damaged profile) would otherwise keep the level from starting.
    for (int32_t n = 0; n < count; ++n) {
      const int32_t lying = bonusManagerAlt->boardSpells->Count();
      bonusManagerAlt->AddBonus(kind);
      if (bonusManagerAlt->boardSpells->Count() == lying) break;
    }
  }
  return 0;
}
