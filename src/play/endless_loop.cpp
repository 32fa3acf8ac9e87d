// The endless mode loop: one endless game on a level board, without goal or time limit, until
// the held block fits nowhere; left through the in-game menu or by closing the window, the game
// is saved under the prefix "endless" and can be resumed.
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

namespace {

const String kEndlessResume = S("endlessResume");

// The mode's timer as its level loads.
void SetTimer() { timeManager->Set(0); }

// The level read again for a new game on it. The held and next blocks stay; the spells, their
// effects and the sphere's vials go, as at the start.
void Restart(ModeLoop& loop) {
  ReloadModeLevel();
  loop.usedBlocks = 0;
  timeManager->Set(0);
  timeManager->Reset(0);
}

void Frame(ModeLoop& loop) {
  BeginFrame();
  RequestTurns(loop.wheel);
  if (mouse->hit1 != 0) {
    if (ClickOnBoardSide() && blocks->currentBlock)
      PlaceHeldBlock();
    else if (points->menuHover != 0)
      loop.menuRequest = true;
  }
  if (DealWhenDue()) ++loop.usedBlocks;

  level->Draw();
  magicSphere->Update(1);
  timeManager->DrawAndUpdate();
  points->DrawEndless();
  board->Update(0);
  board->Draw(0);
  board->checkGameOver();
  bonusManagerAlt->Update();
  bonusManagerAlt->Draw();
  blocks->updateBlock(-1, -1);
  blocks->drawBlock(0.0f, 0.0f);

  UpdateModeEffects();

  if (KeyHit(KEY_ESCAPE) != 0) loop.menuRequest = true;
  if (board->MouseOnBoard() == 0) mouse->Draw();
  Flip(-1);

  if (board->gameOver != 0) loop.state = kGameOver;
  AnswerMenuRequest(loop, 1, Restart);
  PollSystem();
  if (AppTerminate() != 0) loop.state = kQuitting;
}

// The key order here is the order of the keys in the profile file.
void SaveGame(int32_t usedBlocks) {
  profile->SetNumber(kEndlessResume, 1, 0);
  profile->SetNumber(S("endlessPoints"), points->levelPoints, 0);
  profile->SetString(S("endlessLevel"), level->fileName, 0);
  saveBoard(kEndlessPrefix, 0);
  SaveLastBlock(kEndlessPrefix, 0);
  SaveSpells(kEndlessPrefix, 0);
  profile->SetNumber(S("endlessTime"), timeManager->SaveToProfile(), 0);
  profile->SetNumber(S("endlessRecivedSpells"), level->receivedSpells, 0);
  profile->SetNumber(S("endlessDroppedSpells"), level->spellsCast, 0);
  profile->SetNumber(S("endlessBlocks"), usedBlocks, 1);
}

}  // namespace

int32_t goEndless(const String& levelName) {
  ModeLoop loop;
  loop.wheel = MouseZ();
  DefaultBoardGeometry();
  points->levelActive = 1;
  points->totalPoints = 0;
  points->levelPoints = 0;
  board->gameOver = 0;
  if (!levelName.empty()) {
    level->Set(levelName);
  } else {
    if (profile->GetNumber(kEndlessResume) == 0) return 0;
    level->Set(profile->GetString(S("endlessLevel")));
  }
  LoadModeLevel(SetTimer);
  ModeGame game;
  game.prefix = kEndlessPrefix;
  game.newGameTimerReset = 0;
  game.frame = Frame;
  game.save = SaveGame;
  game.menuResult = 0;
  game.summary.scoreType = kEndlessScore;
  game.summary.resumeKey = kEndlessResume;
  game.summary.drawPanel = [] { points->DrawEndless(); };
  game.summary.spellsUnderComets = false;
  return PlayModeGame(loop, levelName, game);
}
