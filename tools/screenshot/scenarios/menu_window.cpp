// The menu window's screens as their hosts show them: the title menus over the title picture,
// the puzzle size over the gallery, the in-game options over a board in play.
#include <functional>
#include <memory>
#include <string>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/graphics_mode.h"
#include "services/mouse.h"
#include "services/options.h"
#include "program/main_loop.h"
#include "game/levels/points_manager.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "scenario.h"
#include "screens/menu/options_window.h"
#include "toolkit/container.h"
#include "toolkit/font.h"

namespace {

// The singletons the window needs, the fonts, its images and the cursor; false without a screen.
bool Setup(int screenMode) {
  options = std::make_shared<TOptions>();
  options->screenMode = screenMode;
  options->musicVol = 0.7f;
  options->soundVol = 0.4f;
  gfxDriverSet = 0;
  SetGraphicsMode(screenMode, 800, 600, 32);
  if (!CurrentGraphics()) return false;
  if (!data) data = std::make_shared<TContainer>();
  mouse = std::make_shared<TMouse>();
  mouse->loadCursor(bundleDir + "gfx/gui/kursor.png", 14, 6);
  delta = 1.0;
  LoadProgramFonts();
  optionsWindow = std::make_shared<TOptionsWindow>();
  optionsWindow->loadGfx();
  return true;
}

// A picture of the whole screen behind the window.
std::function<void()> Picture(const std::string& path) {
  ImagePtr picture = LoadImage(bundleDir + path, 0);
  return [picture] {
    SetBlend(SOLIDBLEND);
    SetColor(255, 255, 255);
    SetAlpha(1.0f);
    SetTransform(0, 1, 1);
    DrawImage(picture, 0, 0, 0);
  };
}

// The host's frames: its scene, the player's name centred as the title keeps it, the window,
// the cursor.
void Host(int frames, const std::function<void()>& scene, const char16_t* name = u"morwen") {
  for (int i = 0; i < frames; ++i) {
    PollSystem();
    mouse->fetchState();
    scene();
    optionsWindow->greeting->text = name;
    optionsWindow->greeting->dim->x = 400.0f - optionsWindow->greeting->Width() / 2.0f;
    optionsWindow->Update();
    optionsWindow->Draw();
    mouse->Draw();
    Flip(-1);
  }
}

void Open(int state, int reset) {
  optionsWindow->SetState(state, reset, TOptionsWindow::kOriginX, TOptionsWindow::kOriginY);
}

// One title-menu screen, faded in, with the pointer on (px, py).
void TitleScreen(screenshot::Context& ctx, int state, int px, int py, const std::string& file) {
  if (!Setup(2)) return;
  auto scene = Picture("gfx/title/glyphor-title.jpg");
  Open(state, 1);
  headless::MouseMoveAt(headless::FrameNumber(), px, py);
  ctx.capture(headless::FrameNumber() + 60, file);
  Host(60, scene);
}

}  // namespace

SCENARIO("menu-main", "the main menu fading in, faded in with the pointer on options, and on "
                      "change profile") {
  if (!Setup(2)) return;
  auto scene = Picture("gfx/title/glyphor-title.jpg");
  Open(TOptionsWindow::kMainMenu, 1);
  headless::MouseMoveAt(0, 700, 100);
  ctx.capture(20, "menu-main-fading.png");
  headless::MouseMoveAt(55, 400, 415);
  ctx.capture(70, "menu-main-options.png");
  headless::MouseMoveAt(71, 90, 548);
  ctx.capture(85, "menu-main-change-profile.png");
  Host(85, scene);
}

SCENARIO("menu-options", "the options screen of the title, the pointer on the sound's plus") {
  TitleScreen(ctx, TOptionsWindow::kOptions, 497, 360, "menu-options.png");
}

SCENARIO("menu-continue", "continue or new game, with a saved quest") {
  gameState = 1;
  TitleScreen(ctx, TOptionsWindow::kContinueOrNew, 400, 335, "menu-continue.png");
}

SCENARIO("menu-new-only", "continue or new game without a saved game: new game and back only") {
  gameState = 0;
  TitleScreen(ctx, TOptionsWindow::kContinueOrNew, 400, 300, "menu-new-only.png");
}

SCENARIO("menu-modes", "the game modes, the pointer on endless") {
  TitleScreen(ctx, TOptionsWindow::kModes, 400, 380, "menu-modes.png");
}

SCENARIO("menu-exit-confirm", "the exit confirmation, the pointer on no") {
  TitleScreen(ctx, TOptionsWindow::kExitConfirm, 440, 400, "menu-exit-confirm.png");
}

SCENARIO("menu-new-game-confirm", "the new-game confirmation, the pointer on yes") {
  TitleScreen(ctx, TOptionsWindow::kNewGameConfirm, 360, 400, "menu-new-game-confirm.png");
}

SCENARIO("menu-puzzle-size", "the puzzle size of the gallery's replay, over the gallery") {
  if (!Setup(2)) return;
  auto scene = Picture("gfx/title/galeria.png");
  Open(TOptionsWindow::kPuzzleSize, 1);
  headless::MouseMoveAt(0, 400, 243);
  ctx.capture(60, "menu-puzzle-size.png");
  Host(60, scene);
}

SCENARIO("menu-ingame-options", "the in-game options over a board in play, full screen ticked") {
  if (!Setup(1)) return;
  auto level = Picture("gfx/slides/7a.jpg");
  ImagePtr boardPicture = LoadImage(bundleDir + "gfx/bg/deski/deska-3.jpg", 0);
  data->Add(LoadImage(bundleDir + "gfx/gui/lina.png"), 5000);
  points = std::make_shared<TPointsManager>();
  points->loadGfx();
  points->totalPoints = 31750;
  auto scene = [&] {
    level();
    SetBlend(ALPHABLEND);
    DrawImage(boardPicture, 240, 60, 0);
    points->Draw(0);
  };
  optionsWindow->context = TOptionsWindow::kInGameMenu;
  Open(TOptionsWindow::kInGameOptions, 1);
  headless::MouseMoveAt(0, 400, 368);
  ctx.capture(60, "menu-ingame-options.png");
  Host(60, scene);
}
