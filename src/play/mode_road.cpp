// The steps shared by the game-mode loops (see the header).
#include "play/mode_road.h"

#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/sfx.h"
#include "game/scene_effects.h"
#include "game/quest_flow.h"
#include "game/board/board_manager.h"
#include "game/saved/saved_block.h"
#include "game/saved/saved_board.h"
#include "game/saved/saved_game.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/volcano_emiter.h"
#include "game/spells/ring_emiter.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/hiscores.h"
#include "profiles/profile_manager.h"
#include "screens/menu/in_game_menu.h"
#include "toolkit/comet.h"
#include "toolkit/spark.h"

std::function<void()> stopTitleMusic;

namespace modes {

namespace {

constexpr int32_t kDefaultCellSize = 32;
constexpr int32_t kDefaultOriginX = 240;
constexpr int32_t kDefaultOriginY = 60;

void UpdateLevelMusic() {
  if (level->music) level->music->update();
}

}  // namespace

void LoadModeLevel(void (*setTimer)()) {
  const int32_t kept = gameState;
  gameState = kGameStatePlay;
  level->Load(1);
  level->loadGfx();
  level->ResetStats();
  if (stopTitleMusic) stopTitleMusic();
  bonusManagerAlt->ClearEfects();
  bonusManagerAlt->ClearSpells();
  magicSphere->ResetSettings();
  setTimer();
  level->continueMusic();
  gameState = kept;
}

void ReloadModeLevel() {
  board->clearBoard();
  bonusManagerAlt->ClearSpells();
  bonusManagerAlt->ClearEfects();
  const int32_t kept = gameState;
  gameState = kGameStateReload;
  level->Load(1);
  level->ResetStats();
  magicSphere->ResetSettings();
  gameState = kept;
  board->createBoardImage(1);
  points->levelPoints = 0;
}

int32_t ResumeModeGame(const String& prefix) {
  loadBoard(prefix);
  LoadLastBlock(prefix);
  LoadSpells(prefix);
  timeManager->LoadFromProfile(profile->GetNumber(prefix + S("Time")));
  points->levelPoints = profile->GetCount(prefix + S("Points"), kMostPoints);
  level->receivedSpells = profile->GetCount(prefix + S("RecivedSpells"));
  level->spellsCast = profile->GetCount(prefix + S("DroppedSpells"));
  return profile->GetNumber(prefix + S("Blocks"));
}

void BeginFrame() {
  UpdateLevelMusic();
  Cls();
  deltaTime->Update();
  delta = deltaTime->CurrDelta();
  mouse->fetchState();
}

bool RequestTurns(int32_t& wheel) {
  bool turned = false;
  const int32_t z = MouseZ();
  if (z != wheel) {
    blocks->rotateBlock(1);
    turned = true;
    wheel = z;
  }
  if (mouse->down2 != 0) {
    blocks->rotateBlock(1);
    turned = true;
  }
  return turned;
}

bool ClickOnBoardSide() { return mouse->x > board->originX - board->cellSize; }

int32_t PlaceHeldBlock() {
  blocks->rotation = blocks->targetRotation;
  board->placeBlock(nullptr, -1, -1, 1);
  return board->clearMatchingRunes(0);
}

bool DealWhenDue() {
  if (blocks->currentBlock || bonusManagerAlt->activeSpells->Count() != 0 || blocks->IsFreze() != 0)
    return false;
  blocks->buildNextBlock();
  board->checkGameOver();
  return true;
}

void DefaultBoardGeometry() {
  board->cellSize = kDefaultCellSize;
  board->originX = kDefaultOriginX;
  board->originY = kDefaultOriginY;
}

String PlayerName() { return profile && profile->current ? profile->current->name : String(); }

void EndProgram() {
  if (level->music) {
    level->music->stop();
    level->music->free();
  }
  level->music = nullptr;
  End();
}

namespace {

// One frame of the endless or time-attack summary; true when the window was asked to close.
bool SummaryFrame(const ModeSummary& mode, int32_t usedBlocks, int32_t best) {
  deltaTime->Update();
  delta = deltaTime->CurrDelta();
  level->updateSummary();
  level->Draw();
  magicSphere->Update(0);
  timeManager->Draw(1);
  mode.drawPanel();
  board->Draw(0);
  if (mode.spellsUnderComets) bonusManagerAlt->Draw();
  TCometEmiter::updateAll();
  TRingEmiter::UpdateAll();
  TVolcanoEmiter::updateAll();
  if (!mode.spellsUnderComets) bonusManagerAlt->Draw();
  if (level->summaryPhase < kPanelOpensPhase) TSpark::UpdateAll();
  TSoundQ::updateAll();
  TCaptions::updateAll();
  level->summaryDisplayET(timeManager->elapsed / 1000, usedBlocks, best);
  if (level->summaryPhase >= kPanelOpensPhase) TSpark::UpdateAll();
  mouse->Draw();
  PollSystem();
  Flip(-1);
  const bool closed = AppTerminate() != 0;
  UpdateLevelMusic();
  mouse->fetchState();
  return closed;
}

void AddModeScore(const ModeSummary& mode) {
  if (hiscore)
    hiscore->add(PlayerName(), points->levelPoints, 0, mode.scoreType, CurrentDate(),
                 level->fileName);
}

}  // namespace

int32_t RunModeSummary(const ModeSummary& mode, int32_t usedBlocks) {
  points->levelActive = 0;
  board->clearHighlights();
  level->startSummary();
  deltaTime->Update();
  // The best earlier result: this game's entry is added only after the summary.
  const int32_t best = hiscore ? hiscore->GetBestScore(mode.scoreType, level->fileName) : 0;

  bool closed = false;
  while (!closed && level->summaryDone == 0) closed = SummaryFrame(mode, usedBlocks, best);

  soundQueue->Clear();
  TCaptions::destroyAll();
  // The summary's channel handles go; the sounds themselves stay loaded for later summaries.
  level->endMusicChannel = nullptr;
  level->endLoopChannel = nullptr;

  if (closed) {
    level->doShortSummary();
    TSpark::destroyAll();
    profile->SetNumber(mode.resumeKey, 0, 1);
    AddModeScore(mode);
    EndProgram();
  }
  mouse->fetchState();
  profile->SetNumber(mode.resumeKey, 0, 1);
  AddModeScore(mode);
  TSpark::destroyAll();
  mouse->fetchState();
  board->gameOver = 0;
  return 1;
}

int32_t EndModeGame(int32_t state, void (*save)(int32_t usedBlocks), int32_t menuResult,
                    const ModeSummary& summary, int32_t usedBlocks) {
  FlushMouse();
  if (state == kBackToMenu || state == kQuitting) save(usedBlocks);
  if (state == kBackToMenu) {
    DropSceneLists();
    blocks->currentBlock = nullptr;
    PollSystem();
    board->gameOver = 0;
    return menuResult;
  }
  if (state == kQuitting) EndProgram();
  return RunModeSummary(summary, usedBlocks);
}

void AnswerMenuRequest(ModeLoop& loop, int32_t caller, void (*restart)(ModeLoop&)) {
  if (!loop.menuRequest) return;
  const int32_t result = showInGameMenu(caller);
  if (result == kMenuResume) {
    loop.menuRequest = false;
  } else if (result == kMenuRestart) {
    restart(loop);
    loop.menuRequest = false;
  } else {
    loop.state = result == kMenuQuit ? kQuitting : kBackToMenu;
  }
}

void UpdateModeEffects() {
  TCometEmiter::updateAll();
  TRingEmiter::UpdateAll();
  TSpark::UpdateAll();
  TVolcanoEmiter::updateAll();
  TCaptions::updateAll();
  TSoundQ::updateAll();
}

int32_t PlayModeGame(ModeLoop& loop, const String& levelName, const ModeGame& game) {
  if (!levelName.empty()) {
    blocks->buildNextBlock();
    blocks->buildNextBlock();
    loop.usedBlocks = 0;
    timeManager->Reset(game.newGameTimerReset);
  } else {
    loop.usedBlocks = ResumeModeGame(game.prefix);
  }
  board->createBoardImage(1);
  deltaTime->Update();

  while (loop.state == kPlaying) game.frame(loop);

  return EndModeGame(loop.state, game.save, game.menuResult, game.summary, loop.usedBlocks);
}

}  // namespace modes
