// The time-attack mode loop: one game on a level board against its time limit (held within one
// minute and 500 seconds), until the time is up or the held block fits nowhere; left through
// the in-game menu or by closing the window, the game is saved under the prefix "time" and can
// be resumed. The limit is not saved: a resumed game takes it from the level file again.
#include <cstdint>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/sfx.h"
#include "game/saved/saved_block.h"
#include "game/saved/saved_board.h"
#include "game/saved/saved_game.h"
#include "game/quest_flow.h"
#include "game/board/board_manager.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "play/game_modes.h"
#include "play/mode_road.h"
#include "game/pieces/blocks_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/volcano_emiter.h"
#include "game/spells/ring_emiter.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "screens/menu/in_game_menu.h"
#include "toolkit/comet.h"
#include "toolkit/spark.h"

using namespace modes;

void ClampTimeAttackLimit() {
  if (timeManager->limit < kTimeAttackMinLimitMs) timeManager->Set(kTimeAttackMinLimitMs);
  if (timeManager->limit > kTimeAttackMaxLimitMs) timeManager->Set(kTimeAttackMaxLimitMs);
}

namespace {

struct TimeAttackLoop {
  int32_t state = kPlaying;
  bool menuRequest = false;
  int32_t wheel = 0;
  int32_t usedBlocks = 0;  // blocks dealt by the frame road since the game began
};

const String kTimedResume = S("timeResume");

// The level read again for a new game on it, its time from zero. The held and next blocks stay;
// the spells, their effects and the sphere's vials go, as at the start.
void Restart(TimeAttackLoop& loop) {
  ReloadModeLevel();
  loop.usedBlocks = 0;
  ClampTimeAttackLimit();
  timeManager->Reset(1);
}

void Frame(TimeAttackLoop& loop) {
  BeginFrame();
  RequestTurns(loop.wheel);
  if (mouse->hit1 != 0) {
    if (ClickOnBoardSide())
      PlaceHeldBlock();
    else if (points->menuHover != 0)
      loop.menuRequest = true;
  }
  if (DealWhenDue()) ++loop.usedBlocks;

  level->Draw();
  magicSphere->Update(1);
  timeManager->DrawAndUpdate();
  points->DrawTimeatack();
  board->Update(0);
  board->Draw(0);
  bonusManagerAlt->Update();
  bonusManagerAlt->Draw();
  board->checkGameOver();
  blocks->updateBlock(-1, -1);
  blocks->drawBlock(0.0f, 0.0f);

  TCometEmiter::updateAll();
  TRingEmiter::UpdateAll();
  TSpark::UpdateAll();
  TVolcanoEmiter::updateAll();
  TCaptions::updateAll();
  TSoundQ::updateAll();

  if (KeyHit(KEY_ESCAPE) != 0) loop.menuRequest = true;
  if (board->MouseOnBoard() == 0) mouse->Draw();
  PollSystem();
  Flip(-1);

  if (board->gameOver != 0) loop.state = kGameOver;
  if (loop.menuRequest) {
    const int32_t result = showInGameMenu(3);
    if (result == kMenuResume) {
      loop.menuRequest = false;
    } else if (result == kMenuRestart) {
      Restart(loop);
      loop.menuRequest = false;
    } else {
      loop.state = result == kMenuQuit ? kQuitting : kBackToMenu;
    }
  }
  if (AppTerminate() != 0) loop.state = kQuitting;
}

// The key order here is the order of the keys in the profile file.
void SaveTimeAttackGame(int32_t usedBlocks) {
  profile->SetNumber(kTimedResume, 1, 0);
  profile->SetNumber(S("timePoints"), points->levelPoints, 0);
  profile->SetString(S("timeLevel"), level->fileName, 0);
  profile->SetNumber(S("timeTime"), timeManager->SaveToProfile(), 0);
  saveBoard(kTimePrefix, 0);
  SaveLastBlock(kTimePrefix, 0);
  SaveSpells(kTimePrefix, 0);
  profile->SetNumber(S("timeRecivedSpells"), level->receivedSpells, 0);
  profile->SetNumber(S("timeDroppedSpells"), level->spellsCast, 0);
  profile->SetNumber(S("timeBlocks"), usedBlocks, 1);
}

}  // namespace

int32_t goTimeAtack(const String& levelName) {
  TimeAttackLoop loop;
  loop.wheel = MouseZ();
  points->levelActive = 1;
  points->totalPoints = 0;
  points->levelPoints = 0;
  DefaultBoardGeometry();
  if (!levelName.empty()) {
    level->Set(levelName);
  } else {
    if (profile->GetNumber(kTimedResume) == 0) {
      board->gameOver = 0;
      return 0;
    }
    level->Set(profile->GetString(S("timeLevel")));
  }
  LoadModeLevel(ClampTimeAttackLimit);
  if (!levelName.empty()) {
    blocks->buildNextBlock();
    blocks->buildNextBlock();
    loop.usedBlocks = 0;
    timeManager->Reset(1);
  } else {
    loop.usedBlocks = ResumeModeGame(kTimePrefix);
  }
  board->createBoardImage(1);
  deltaTime->Update();

  while (loop.state == kPlaying) Frame(loop);

  ModeSummary summary;
  summary.scoreType = kTimeAttackScore;
  summary.resumeKey = kTimedResume;
  summary.drawPanel = [] { points->DrawTimeatack(); };
  summary.spellsUnderComets = true;
  return EndModeGame(loop.state, SaveTimeAttackGame, 1, summary, loop.usedBlocks);
}
