// The quest level loop: one board level of the quest from its start, new or resumed, through
// its frames, the in-game menu, restarts and game over, until the loop test hands it to the
// level end (quest_level_end.cpp).
#include <cstdint>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "game/scene_effects.h"
#include "game/saved/saved_block.h"
#include "game/saved/saved_board.h"
#include "game/saved/saved_game.h"
#include "game/quest_flow.h"
#include "game/board/board_manager.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "play/game_modes.h"
#include "play/mode_road.h"
#include "play/quest_level_end.h"
#include "game/pieces/blocks_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/volcano_emiter.h"
#include "game/spells/ring_emiter.h"
#include "play/ring/ring_game.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/hiscores.h"
#include "profiles/profile_manager.h"
#include "screens/menu/board_selector.h"
#include "screens/menu/in_game_menu.h"
#include "screens/popups/popup_manager.h"
#include "toolkit/comet.h"
#include "toolkit/spark.h"

using namespace modes;

namespace {

// The level goal of an empty board: such levels do not join the level selector's list.
constexpr int32_t kEmptyBoardGoal = 2;

// What one call keeps between frames.
struct QuestLoop {
  int32_t wheel = 0;         // the wheel position last seen
  bool turned = false;       // a turn was asked for in this call (never cleared)
  bool menuRequest = false;  // open the in-game menu in this frame
};

enum class FrameEnd { kGoOn, kLeave };

void StartLevel(int32_t resume) {
  bonusManagerAlt->ClearEfects();
  bonusManagerAlt->ClearSpells();
  level->ResetStats();
  cometList->Clear();
  TSpark::destroyAll();
  if (captions) captions->Clear();
  level->continueMusic();
  if (resume != 0) {
    loadBoard(kQuestPrefix);
    LoadLastBlock(kQuestPrefix);
    LoadSpells(kQuestPrefix);
    LoadLevelStats();
    LoadMagicSphere();
    popupManager->Free();
  } else {
    blocks->buildNextBlock();
    blocks->buildNextBlock();
    if (level->goalType != kEmptyBoardGoal && boardSelector)
      boardSelector->AddLevel(level->fileName);
    popupManager->AddEvent(S("BEGIN_LEVEL"));
    timeManager->Reset(1);
    if (level->copySpellsFromRMG != 0) TRingGame::CopySpells();
  }
  board->lastPetrify = MilliSecs();
  points->levelActive = 1;
  if (!blocks->currentBlock) blocks->buildNextBlock();
  board->checkGameOver();
  deltaTime->Update();
  skipLevel = 0;
  if (sequencer->currentLevel != lastLevel) {
    lastLevel = sequencer->currentLevel;
    levelReplays = 0;
  }
}

// The level read again from its file, for a menu restart (the level's points go) or a
// game-over retry (they are gone already). The held and next blocks stay.
void RestartLevel(QuestLoop& loop, bool fromMenu) {
  board->clearBoard();
  bonusManagerAlt->ClearSpells();
  bonusManagerAlt->ClearEfects();
  const int32_t kept = gameState;
  gameState = kGameStateReload;
  level->Load(0);
  gameState = kept;
  board->createBoardImage(1);
  if (fromMenu) points->levelPoints = 0;
  loop.menuRequest = false;
  level->ResetStats();
  timeManager->Reset(1);
  board->checkGameOver();
}

// Back to the main menu: the scene's lists go and the options save stores the game in progress.
int32_t LeaveToMenu() {
  DropSceneLists();
  saveOptions();
  PollSystem();
  return 1;
}

void PlayAndDraw(QuestLoop& loop) {
  if (RequestTurns(loop.wheel)) loop.turned = true;
  if (mouse->hit1 != 0) {
    if (ClickOnBoardSide()) {
      if (PlaceHeldBlock() != 0) {
        popupManager->AddEvent(S("MAKE_MATCH"));
        if (!loop.turned) popupManager->AddEvent(S("RIGHT_UNUSED"));
      }
    } else if (points->menuHover != 0) {
      loop.menuRequest = true;
      if (globalSnd) globalSnd->click();
    }
  }
  DealWhenDue();

  level->Draw();
  magicSphere->Update(1);
  timeManager->DrawAndUpdate();
  points->Draw();
  board->Update(0);
  board->Draw(0);
  bossManager->Draw();
  bonusManagerAlt->Update();
  bonusManagerAlt->Draw();
  blocks->updateBlock(-1, -1);
  blocks->drawBlock(0.0f, 0.0f);
  UpdateSceneEffects();
}

// The game-over entry: the whole quest score so far goes into the hiscores and the run ends.
void EnterQuestScore() {
  if (hiscore)
    hiscore->add(PlayerName(), points->totalPoints + points->levelPoints, 0, kQuestScore,
                 CurrentDate(), S("null"));
  points->levelPoints = 0;
  points->totalPoints = 0;
}

FrameEnd Frame(QuestLoop& loop) {
  BeginFrame();
  PlayAndDraw(loop);
  if (popupManager->check() != 0) quit = 1;

  if (loop.menuRequest) {
    board->clearHighlights();
    switch (showInGameMenu(1)) {
      case kMenuResume:
        loop.menuRequest = false;
        break;
      case kMenuRestart:
        RestartLevel(loop, true);
        break;
      case kMenuQuit:
        EndProgram();
      default:
        return FrameEnd::kLeave;
    }
  }

  // Game over waits until the board has faded in completely.
  if (board->gameOver != 0 && board->alpha == 1.0f) {
    EnterQuestScore();
    const int32_t choice = popupManager->GameOverPopup();
    if (choice == TPopupManager::kRetry)
      RestartLevel(loop, false);
    else if (choice == TPopupManager::kToMenu)
      return FrameEnd::kLeave;
    else
      quit = 1;
  }

  if (board->MouseOnBoard() == 0) mouse->Draw();
  // Escape or P opens the menu in the next frame, after this one is shown.
  if (KeyHit(KEY_ESCAPE) != 0 || KeyHit(KEY_P) != 0) loop.menuRequest = true;
  PollSystem();
  Flip(-1);
  if (AppTerminate() != 0) quit = 1;
  if (AppSuspended() != 0) loop.menuRequest = true;
  return FrameEnd::kGoOn;
}

}  // namespace

int32_t goGlyphor(int32_t resume) {
  QuestLoop loop;
  loop.wheel = MouseZ();
  DefaultBoardGeometry();
  board->createBoardImage(1);
  StartLevel(resume);

  // The loop test runs before every frame, the first one included; the goal is not asked once
  // quit is set.
  while (quit == 0 && level->isGoalAchieved() == 0 && skipLevel == 0)
    if (Frame(loop) == FrameEnd::kLeave) return LeaveToMenu();
  return EndQuestLevel();
}
