// The pause menus: the board games' menu over an endless game with runes on the board (opened
// with Escape, through showInGameMenu), its in-game options, and the short menu of the picture
// puzzle and the ring game over a puzzle picture.
#include <functional>
#include <memory>
#include <string>

#include "services/mouse.h"
#include "services/options.h"
#include "game/levels/points_manager.h"
#include "play/game_modes.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "scenario.h"
#include "screens/menu/options_window.h"
#include "support/board_game.h"
#include "support/scripted_player.h"
#include "toolkit/container.h"

namespace {

// Frames the player places blocks before it rests and asks for the menu.
constexpr int kPlayFrames = 120;
// Frames the menu needs to fade in (51 steps of 0.02).
constexpr int kFadeInFrames = 52;

bool Prepare() {
  if (!Graphics(800, 600, 0, 60, 0)) return false;
  test_support::MakeBoardGame("Morwen");
  return true;
}

// An endless game played for a while, then paused with Escape; `inMenu` gives the input from
// the frame the menu opens (the frame number passed in), and the window is closed at `closeAt`
// frames after that.
void PauseAnEndlessGame(screenshot::Context& ctx, std::function<void(int)> inMenu, int closeAt) {
  const int first = headless::FrameNumber();
  int opened = 0;
  test_support::ScriptedPlayer player(false);
  player.onFrame = [&](int frame) {
    if (frame == first + kPlayFrames) headless::KeyPressAt(frame, KEY_ESCAPE);
    if (opened == 0 && optionsWindow->state == TOptionsWindow::kInGameMenu && data->GetButton(20)) {
      opened = frame;
      inMenu(frame);
      headless::CloseRequestAt(frame + closeAt);
    }
    return frame < first + kPlayFrames - 30;
  };
  ctx.onFrame([&](int frame) { player.Step(frame); });
  goEndless(S("level_endless_02.tsc"));
}

}  // namespace

SCENARIO("pause-menu", "the board games' pause menu faded in over an endless game with runes, "
                       "the pointer on restart") {
  if (!Prepare()) return;
  PauseAnEndlessGame(
      ctx,
      [&ctx](int opened) {
        ctx.capture(opened + 12, "pause-menu-fading-in.png");
        headless::MouseMoveAt(opened + 30, 400, 270);
        ctx.capture(opened + kFadeInFrames + 20, "pause-menu.png");
      },
      kFadeInFrames + 22);
}

SCENARIO("pause-options", "the in-game options reached from the pause menu, pointer on back") {
  if (!Prepare()) return;
  PauseAnEndlessGame(
      ctx,
      [&ctx](int opened) {
        headless::MouseMoveAt(opened + kFadeInFrames, 400, 300);
        headless::MouseClickAt(opened + kFadeInFrames + 2, 1);
        headless::MouseMoveAt(opened + kFadeInFrames + 6, 400, 368);
        ctx.capture(opened + kFadeInFrames + 30, "pause-options.png");
      },
      kFadeInFrames + 32);
}

SCENARIO("short-pause-menu", "the short pause menu of the puzzle and the ring game over a "
                             "puzzle picture, the pointer on options") {
  if (!Prepare()) return;
  ImagePtr picture = LoadImage(std::string("gfx/slides/3a.jpg"), 0);
  optionsWindow->SetState(TOptionsWindow::kShortInGameMenu, 1, TOptionsWindow::kOriginX,
                          TOptionsWindow::kOriginY);
  optionsWindow->context = TOptionsWindow::kShortInGameMenu;
  headless::MouseMoveAt(headless::FrameNumber() + 20, 400, 270);
  const int frames = kFadeInFrames + 20;
  ctx.capture(headless::FrameNumber() + frames, "short-pause-menu.png");
  for (int i = 0; i < frames; ++i) {
    PollSystem();
    mouse->fetchState();
    screenshot::DrawWholeScreen(picture);
    optionsWindow->Update();
    optionsWindow->Draw();
    mouse->Draw();
    Flip(-1);
  }
}
