#include "services/mouse.h"

#include "platform/input.h"

MousePtr mouse;

void TMouse::loadCursor(const std::string& path, int32_t handleX, int32_t handleY) {
  cursor = LoadImage(path, DEFAULT_IMAGE_FLAGS);
  // A cursor that cannot be loaded is simply not drawn.
  if (cursor) SetImageHandle(cursor, static_cast<float>(handleX), static_cast<float>(handleY));
}

void TMouse::Draw() {
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  SetTransform(0.0f, 1.0f, 1.0f);
  SetAlpha(1.0f);
  if (cursor) DrawImage(cursor, static_cast<float>(x), static_cast<float>(y), 0);
}

void TMouse::fetchState() {
  x = MouseX();
  y = MouseY();
  down1 = MouseDown(1);
  down2 = MouseDown(2);
  hit1 = MouseHit(1);
  hit2 = MouseHit(2);
  // Space acts as a held right button for the frame that sees the press.
  if (KeyHit(KEY_SPACE)) {
    down2 = 1;
    down1 = 0;
    hit1 = 0;
  }
  // A left modifier held with a left click turns the click into a held right button.
  for (int key : {KEY_LCONTROL, KEY_LSHIFT, KEY_LALT}) {
    if (KeyDown(key) && (hit1 || down1)) {
      down2 = 1;
      down1 = 0;
      hit1 = 0;
    }
  }
}

void TMouse::Clear() {
  x = 0;
  y = 0;
  hit1 = 0;
  hit2 = 0;
}
