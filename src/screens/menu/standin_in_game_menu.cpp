// STAND-IN until the menu window exists (see the header).
#include "screens/menu/standin_in_game_menu.h"

#include <array>
#include <string>

#include "app/data_folders.h"
#include "app/mouse.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"

namespace standin {

int32_t MenuRowCentreY(int32_t result) {
  for (int32_t row = 0; row < 4; ++row)
    if (kMenuRowResults[row] == result)
      return kMenuFirstRowTop + row * kMenuRowHeight + kMenuRowHeight / 2;
  return 0;
}

}  // namespace standin

namespace {

using namespace standin;

struct MenuPictures {
  ImagePtr backing;
  ImagePtr paused;
  std::array<ImagePtr, 4> captions{};
};

const MenuPictures& Pictures() {
  static MenuPictures pictures;
  static bool loaded = false;
  if (!loaded) {
    loaded = true;
    pictures.backing = LoadImage(bundleDir + "gfx/gui/pod-menu.png");
    pictures.paused = LoadImage(bundleDir + "gfx/fonts/game-paused.png");
    if (pictures.paused) MidHandleImage(pictures.paused);
    const char* names[4] = {"menu-resume", "menu-restart", "menu-main", "menu-quit-game"};
    for (size_t row = 0; row < 4; ++row) {
      pictures.captions[row] = LoadImage(bundleDir + "gfx/fonts/" + names[row] + ".png");
      if (pictures.captions[row]) MidHandleImage(pictures.captions[row]);
    }
  }
  return pictures;
}

void DrawMenu() {
  const MenuPictures& pictures = Pictures();
  SetBlend(ALPHABLEND);
  SetAlpha(1.0f);
  SetColor(255, 255, 255);
  SetTransform(0.0f, 1.0f, 1.0f);
  if (pictures.backing) DrawImage(pictures.backing, 229.0f, 108.0f, 0);
  if (pictures.paused) DrawImage(pictures.paused, 400.0f, 190.0f, 0);
  for (int32_t row = 0; row < 4; ++row) {
    const ImagePtr& caption = pictures.captions[static_cast<size_t>(row)];
    if (caption)
      DrawImage(caption, 400.0f, static_cast<float>(MenuRowCentreY(kMenuRowResults[row])), 0);
  }
}

// The result of the row under a click; -1 outside every row.
int32_t RowAt(int32_t x, int32_t y) {
  if (x < kMenuRowLeft || x > kMenuRowRight || y < kMenuFirstRowTop) return -1;
  const int32_t row = (y - kMenuFirstRowTop) / kMenuRowHeight;
  return row < 4 ? kMenuRowResults[row] : -1;
}

int32_t RunMenu() {
  for (;;) {
    DrawMenu();
    if (mouse) mouse->Draw();
    PollSystem();
    Flip(-1);
    if (AppTerminate() != 0) return 4;
    if (KeyHit(KEY_ESCAPE) != 0) return 0;
    if (level && level->music) level->music->update();
    if (!mouse) continue;
    mouse->fetchState();
    if (mouse->hit1 == 0) continue;
    const int32_t result = RowAt(mouse->x, mouse->y);
    if (result >= 0) return result;
  }
}

}  // namespace

int32_t showInGameMenu() {
  const int32_t openedAt = MilliSecs();
  if (timeManager) timeManager->PauseOn();
  const int32_t result = RunMenu();
  if (timeManager) timeManager->PauseOff();
  if (board) board->lastPetrify += ElapsedMs(MilliSecs(), openedAt);
  FlushKeys();
  FlushMouse();
  return result;
}
