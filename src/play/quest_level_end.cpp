// The quest level end and its summary (see the header).
#include "play/quest_level_end.h"

#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/sfx.h"
#include "game/quest_flow.h"
#include "game/board/board_manager.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "play/mode_road.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/volcano_emiter.h"
#include "game/spells/ring_emiter.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/hiscores.h"
#include "screens/popups/popup_manager.h"
#include "toolkit/comet.h"
#include "toolkit/spark.h"

using namespace modes;

namespace {

// From this phase on the summary's doors cover the board and the game scene is no longer drawn.
constexpr int32_t kDoorsClosedPhase = 6;

// The goal is asked afresh at every decision: it is a query on the board, sphere and bosses.
bool GoalMet() { return level->isGoalAchieved() != 0; }

void AddQuestScoreAfterFinalLevel() {
  if (sequencer->currentLevel == sequencer->lastLevel && GoalMet() && hiscore)
    hiscore->add(PlayerName(), points->totalPoints, 0, kQuestScore, CurrentDate(), S("null"));
}

// A won level whose program ends: the end bonus not yet counted, the level banked, the map next
// when the quest is continued.
void BankWonLevelOnQuit() {
  level->doShortSummary();
  level->finish();
  gameState = kGameStateMap;
  AddQuestScoreAfterFinalLevel();
}

void SummaryFrame() {
  deltaTime->Update();
  delta = deltaTime->CurrDelta();
  level->updateSummary();
  level->Draw();
  // The frozen scene under the summary: drawn, never updated.
  if (level->summaryPhase < kDoorsClosedPhase) {
    magicSphere->Update(0);
    timeManager->Draw(1);
    points->Draw();
    board->Draw(0);
    bossManager->Draw();
    bonusManagerAlt->Draw();
    TCometEmiter::updateAll();
    TVolcanoEmiter::updateAll();
    TRingEmiter::UpdateAll();
    if (level->summaryPhase < kPanelOpensPhase) TSpark::UpdateAll();
    TSoundQ::updateAll();
    TCaptions::updateAll();
  }
  level->summaryDisplay();
  if (level->summaryPhase >= kPanelOpensPhase) TSpark::UpdateAll();
  mouse->Draw();
  PollSystem();
  Flip(-1);
  if (AppTerminate() != 0) quit = 1;
  if (level->music) level->music->update();
  mouse->fetchState();
  // A level won by the placement that left no room for the next block still counts as won.
  board->gameOver = 0;
}

}  // namespace

int32_t EndQuestLevel() {
  if (quit != 0) {
    // Closed on the frame the goal was met: no summary has begun, so the short summary starts
    // from a fresh one and credits the level's end bonus exactly once.
    if (GoalMet()) {
      level->startSummary();
      BankWonLevelOnQuit();
    }
    EndProgram();
  }

  points->levelActive = 0;
  board->clearHighlights();
  popupManager->Free();
  if (GoalMet()) {
    level->startSummary();
    deltaTime->Update();
    while (quit == 0 && level->summaryDone == 0) SummaryFrame();
  }
  soundQueue->Clear();
  TCaptions::destroyAll();

  if (quit != 0) {
    // Closed during the summary: the rest of the count is credited on the summary's own state.
    if (GoalMet()) BankWonLevelOnQuit();
    EndProgram();
  }

  const bool skipped = skipLevel != 0;
  if (board->gameOver == 0 || skipped) level->finish();
  AddQuestScoreAfterFinalLevel();
  skipLevel = 0;
  // A retry's reload can leave the board in game over; the main loop would take the skipped
  // level for a return to the title.
  if (skipped) board->gameOver = 0;
  return 0;
}
