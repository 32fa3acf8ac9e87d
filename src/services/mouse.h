// The mouse state polled by every screen, with the keyboard stand-ins for the right button,
// and the game's own cursor.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics.h"

class TMouse {
 public:
  int32_t x = 0;
  int32_t y = 0;
  int32_t hit1 = 0;   // left-button presses since the previous poll
  int32_t hit2 = 0;   // right-button presses since the previous poll
  int32_t down1 = 0;  // 1 while the left button is held
  int32_t down2 = 0;  // 1 while the right button is held, or a keyboard stand-in applies
  ImagePtr cursor;    // the cursor image with its hot spot as handle

  // Loads the cursor (default image flags) with its hot spot at (handleX, handleY).
  void loadCursor(const std::string& path, int32_t handleX, int32_t handleY);
  // Draws the cursor at the pointer; leaves the draw state set (alpha blend, white, no transform).
  void Draw();
  // Polls the pointer, the buttons and the stand-in keys (Space; left Ctrl, Shift or Alt with
  // a left click).
  void fetchState();
  // Forgets the position and the presses; the held states stay.
  void Clear();
};
using MousePtr = std::shared_ptr<TMouse>;

// Created by start-up among the singletons.
extern MousePtr mouse;
