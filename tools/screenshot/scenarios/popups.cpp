// The information popups and the game-over popup over a shipped quest level's frozen scene:
// level 1's first popup with the pointer on OK, level 2's spell popup; the game-over panel
// zooming in, settled after a first loss, after a second loss with the pointer on skip, and
// showing time out.
#include <memory>
#include <string>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "program/main_loop.h"
#include "game/board/board_manager.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/levels/slides_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "scenario.h"
#include "screens/popups/popup_manager.h"
#include "toolkit/container.h"

namespace {

// The singletons and shared pictures that a quest level's frozen scene draws, and the popups'
// own resources.
void StartGame() {
  options = std::make_shared<TOptions>();
  if (!data) data = std::make_shared<TContainer>();
  data->Add(LoadImage(std::string("gfx/gui/lina.png")), 5000);
  mouse = std::make_shared<TMouse>();
  mouse->loadCursor("gfx/gui/kursor.png", 14, 6);
  deltaTime = TDeltaTime::Create(60.0f);
  globalSnd = std::make_shared<TGlobalSnd>();
  runes = std::make_shared<TRuneManager>();
  runes->loadRunesGfx();
  blocks = std::make_shared<TBlocksManager>();
  blocks->loadBlocksDef();
  board = std::make_shared<TBoardManager>();
  board->loadBoardGfx();
  level = std::make_shared<TLevelManager>();
  points = std::make_shared<TPointsManager>();
  points->loadGfx();
  TCaptions::loadGfx();
  timeManager = std::make_shared<TTimeManager>();
  timeManager->LoadResources();
  slides = std::make_shared<TSlidesManager>();
  magicSphere = std::make_shared<TMagicSphere>();
  bossManager = std::make_shared<TBossManager>();
  bonusManagerAlt = std::make_shared<TBunusManagerA>();
  // The spell pictures, as the loading screen loads them: a spell popup shows its kind's icon.
  bonusManagerAlt->LoadResources();
  sequencer = std::make_shared<TLevelSequencer>();
  popupManager = std::make_shared<TPopupManager>();
  popupManager->Load();
  gameState = 1;
}

// Sets up quest level `index` as the quest does, fully shown, its clock running.
void SetUpLevel(int32_t index) {
  sequencer->Start(index);
  sequencer->setupLevel();
  board->createBoardImage(1);
  board->alpha = 1.0f;
  points->totalPoints = 2350 * index;
  timeManager->Reset(0);
}

// Shows the popups answering `event`, clicking OK of each once it has been fully shown for a
// moment; the first is written as `name` with the pointer on its OK button.
void ShowPopups(screenshot::Context& ctx, const char16_t* event, const std::string& name) {
  bool captured = false;
  PopupPtr seen;
  ctx.onFrame([&](int frame) {
    for (const PopupPtr& popup : *popupManager->popups) {
      if (popup->active != 1 || popup->alpha < 1.0f || popup == seen) continue;
      seen = popup;
      headless::MouseMoveAt(frame, popup->buttonX + 30, popup->buttonY + 14);
      if (!captured) ctx.capture(frame + 4, name);
      captured = true;
      headless::MouseButtonAt(frame + 6, 1, true);
      headless::MouseButtonAt(frame + 7, 1, false);
    }
  });
  popupManager->AddEvent(event);
  popupManager->check();
  ctx.onFrame(nullptr);
}

// Runs the game-over popup, writing frame `zoomFrame` of its opening (if any) and the settled
// popup `settledFrame` frames after its entry, then ends it by a close request or, with the
// pointer on skip, by a click.
void GameOver(screenshot::Context& ctx, const std::string& name, int zoomFrame, bool skip) {
  const int start = headless::FrameNumber();
  if (zoomFrame > 0) ctx.capture(start + zoomFrame, name + "-zoom.png");
  if (skip) headless::MouseMoveAt(start + 40, 400, 410);
  ctx.capture(start + 60, name + ".png");
  if (skip) {
    headless::MouseClickAt(start + 62, 1);
  } else {
    headless::CloseRequestAt(start + 62);
  }
  popupManager->GameOverPopup();
  headless::ClearScript();
  headless::MouseButtonAt(headless::FrameNumber(), 1, false);
}

}  // namespace

SCENARIO("popups", "level 1's first popup with the pointer on OK, level 2's spell popup") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  StartGame();
  SetUpLevel(1);
  headless::MouseMoveAt(0, 600, 500);
  ShowPopups(ctx, u"BEGIN_LEVEL", "popups-level1.png");
  SetUpLevel(2);
  level->matches = 3;
  ShowPopups(ctx, u"MAKE_MATCH", "popups-level2-spell.png");
}

SCENARIO("game-over", "the game-over popup zooming in, after a first and a second loss, time out") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  StartGame();
  SetUpLevel(1);
  headless::MouseMoveAt(0, 620, 520);
  levelReplays = 0;
  GameOver(ctx, "game-over-first", 20, false);
  GameOver(ctx, "game-over-second", 0, true);
  // The level's time runs out: the cause turns to time out.
  timeManager->limit = 1000;
  headless::MouseMoveAt(headless::FrameNumber(), 620, 520);
  GameOver(ctx, "game-over-time-out", 0, false);
}
