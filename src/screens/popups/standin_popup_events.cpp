// STAND-IN until the popups exist (see the header).
#include "screens/popups/standin_popup_events.h"

#include <string>

#include "app/data_folders.h"
#include "app/mouse.h"
#include "app/standin_game_state.h"
#include "game/levels/level_manager.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"

namespace standin {

TListPtr<String> popupEvents = CreateList<String>();

namespace {

bool Within(const int32_t (&area)[4], int32_t x, int32_t y) {
  return x >= area[0] && x <= area[2] && y >= area[1] && y <= area[3];
}

bool WithinOpen(const int32_t (&area)[4], int32_t x, int32_t y) {
  return x > area[0] && x < area[2] && y > area[1] && y < area[3];
}

// The panel, drawn centred on the screen; loaded once.
ImagePtr Panel() {
  static ImagePtr panel;
  static bool tried = false;
  if (!tried) {
    tried = true;
    panel = LoadImage(bundleDir + "gfx/gui/lose3.png");
    if (panel) MidHandleImage(panel);
  }
  return panel;
}

ImagePtr SkipImage() {
  static ImagePtr skip;
  static bool tried = false;
  if (!tried) {
    tried = true;
    skip = LoadImage(bundleDir + "gfx/gui/lose3_08a.png");
  }
  return skip;
}

void DrawPopup() {
  SetBlend(ALPHABLEND);
  SetAlpha(1.0f);
  SetColor(255, 255, 255);
  SetTransform(0.0f, 1.0f, 1.0f);
  if (ImagePtr panel = Panel()) DrawImage(panel, 400.0f, 300.0f, 0);
  if (levelReplays > 1)
    if (ImagePtr skip = SkipImage()) DrawImage(skip, 318.0f, 395.0f, 0);
}

}  // namespace

void AddEvent(const String& name) {
  for (const String& queued : *popupEvents)
    if (queued == name) return;
  popupEvents->AddLast(name);
}

void FreePopups() { popupEvents->Clear(); }

int32_t CheckPopups() { return 0; }

int32_t GameOverPopup() {
  ++levelReplays;
  for (;;) {
    DrawPopup();
    if (mouse) mouse->Draw();
    PollSystem();
    Flip(-1);
    if (AppTerminate() != 0) return 3;
    if (level && level->music) level->music->update();
    if (!mouse) continue;
    mouse->fetchState();
    if (mouse->hit1 == 0) continue;
    if (Within(kRetryArea, mouse->x, mouse->y)) return 1;
    if (Within(kMenuArea, mouse->x, mouse->y)) return 2;
    if (levelReplays > 1 && WithinOpen(kSkipArea, mouse->x, mouse->y)) {
      skipLevel = 1;
      return 1;
    }
  }
}

}  // namespace standin
