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

const String kTimedResume = S("timeResume");

// The level read again for a new game on it, its time from zero. The held and next blocks stay;
// the spells, their effects and the sphere's vials go, as at the start.
void RestartTimeAttack(ModeLoop& loop) {
  ReloadModeLevel();
  loop.usedBlocks = 0;
  ClampTimeAttackLimit();
  timeManager->Reset(1);
}

void TimeAttackFrame(ModeLoop& loop) {
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

  UpdateModeEffects();

  if (KeyHit(KEY_ESCAPE) != 0) loop.menuRequest = true;
  if (board->MouseOnBoard() == 0) mouse->Draw();
  PollSystem();
  Flip(-1);

  if (board->gameOver != 0) loop.state = kGameOver;
  AnswerMenuRequest(loop, 3, RestartTimeAttack);
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
  ModeLoop loop;
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
  ModeGame game;
  game.prefix = kTimePrefix;
  game.newGameTimerReset = 1;
  game.frame = TimeAttackFrame;
  game.save = SaveTimeAttackGame;
  game.menuResult = 1;
  game.summary.scoreType = kTimeAttackScore;
  game.summary.resumeKey = kTimedResume;
  game.summary.drawPanel = [] { points->DrawTimeatack(); };
  game.summary.spellsUnderComets = true;
  return PlayModeGame(loop, levelName, game);
}
