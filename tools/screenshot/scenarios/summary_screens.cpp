// The end-of-level summary over a board: the bonus count sparkling on the free cells, the doors
// closing, and the scroll open with its texts, for the quest and for the endless summary.
#include <memory>
#include <string>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/image_font.h"
#include "scenario.h"
#include "support/board_game.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace {

// A board of 10 x 8 cells centred on (492, 300), filled with runes but for a few free cells.
void SetUpLevel(int32_t totalPoints, int32_t levelPoints) {
  board = std::make_shared<TBoardManager>();
  for (int x = 0; x < kBoardCells; ++x)
    for (int y = 0; y < kBoardCells; ++y) {
      board->usable[x][y] = x < 10 && y < 8;
      board->runeIds[x][y] = x < 10 && y < 8 ? 1 : 0;
    }
  for (int i = 0; i < 9; ++i) board->runeIds[(i * 7) % 10][(i * 3) % 8] = 0;
  board->originX = 492 - 160;
  board->originY = 300 - 128;
  level = std::make_shared<TLevelManager>();
  level->loadSfx();
  level->matches = 23;
  level->combos = 4;
  level->spellsCast = 3;
  level->receivedSpells = 6;
  points = std::make_shared<TPointsManager>();
  points->totalPoints = totalPoints;
  points->levelPoints = levelPoints;
  timeManager = std::make_shared<TTimeManager>();
  timeManager->elapsed = 187400;
}

// The level scene under the summary: a dusky backdrop and the board's cells.
void DrawScene() {
  screenshot::DrawDuskyBackdrop();
  for (int x = 0; x < kBoardCells; ++x)
    for (int y = 0; y < kBoardCells; ++y) {
      if (!board->usable[x][y]) continue;
      const bool rune = board->runeIds[x][y] > 0;
      SetColor(rune ? 90 + 20 * ((x + y) % 4) : 40, rune ? 60 + 30 * (x % 3) : 34,
               rune ? 150 - 20 * (y % 3) : 70);
      DrawRect(static_cast<float>(board->originX + x * 32 + 1),
               static_cast<float>(board->originY + y * 32 + 1), 30, 30);
    }
  SetColor(255, 255, 255);
  SetBlend(ALPHABLEND);
}

// Runs the summary loop, clicking once the transfer is over, and writes `prefix`-count.png
// during the bonus count, -doors.png with the doors half closed and -scroll.png with the scroll
// open while the bonus is counted over into the total; the endless summary also -newbest.png
// with the new-best caption fully shown.
void RunSummary(screenshot::Context& ctx, const std::string& prefix, bool quest) {
  if (!mouse) mouse = std::make_shared<TMouse>();
  delta = 1.0;
  level->startSummary();
  bool countShot = false, doorsShot = false, scrollShot = false, newBestShot = false;
  for (int frame = 0; frame < 1200 && level->summaryDone == 0; ++frame) {
    // The endless summary waits for its new-best caption to show fully before the click.
    const bool captionDone = quest || level->newBestCountdown == 0;
    mouse->hit1 = level->summaryPhase == 8 && captionDone ? 1 : 0;
    level->updateSummary();
    DrawScene();
    if (level->summaryPhase < 5) TSpark::UpdateAll();
    if (quest) {
      level->summaryDisplay();
    } else {
      level->summaryDisplayET(timeManager->elapsed / 1000, 57, 9800);
    }
    if (level->summaryPhase > 4) TSpark::UpdateAll();
    Flip(-1);
    if (!countShot && level->summaryPhase == 1 && level->bonusPoints >= 100) {
      countShot = ctx.capture(prefix + "-count.png");
    }
    if (!doorsShot && level->summaryPhase == 2 && level->doorsOffset >= 200.0f) {
      doorsShot = ctx.capture(prefix + "-doors.png");
    }
    if (!scrollShot && level->summaryPhase == 7 && level->tickCounter == 3) {
      scrollShot = ctx.capture(prefix + "-scroll.png");
    }
    if (!newBestShot && !quest && level->summaryPhase == 8 && level->newBestCountdown == 0) {
      newBestShot = ctx.capture(prefix + "-newbest.png");
    }
  }
  TSpark::destroyAll();
}

}  // namespace

SCENARIO("summary-quest", "the quest's end-of-level summary: bonus count, doors, open scroll") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  options = std::make_shared<TOptions>();
  screenshot::LoadScrollResources();
  SetUpLevel(48250, 3475);
  RunSummary(ctx, "summary-quest", true);
}

SCENARIO("summary-endless", "the endless summary's open scroll with the new-best caption") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  options = std::make_shared<TOptions>();
  screenshot::LoadScrollResources();
  SetUpLevel(0, 10250);
  RunSummary(ctx, "summary-endless", false);
}
