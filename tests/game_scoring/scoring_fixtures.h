// Digit strips, labels and a screen made in code for the scoring tests.
#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "services/mouse.h"
#include "platform/graphics.h"
#include "platform/pixmap.h"
#include "support/game_fixtures.h"
#include "toolkit/container.h"

namespace scoring {

using test_support::Argb;
using test_support::Blue;
using test_support::Green;
using test_support::Red;
using test_support::ScreenPixel;
using test_support::SolidImage;
using test_support::SolidPixmap;

// Cell d of every digit strip is one solid colour whose red tells the digit; green and blue are
// fixed, so a digit is told apart from the labels and panel pictures (which have no blue).
inline uint32_t DigitColour(int d) { return Argb(255, 20 + 23 * d, 40, 200); }

// A strip of ten cells, cell d painted in DigitColour(d) over its `ink` left columns (the whole
// cell by default) and clear to its right, so that digits drawn closer than a cell apart do not
// cover each other.
inline PixmapPtr DigitStrip(int cellW, int cellH, int ink = 0) {
  if (ink <= 0) ink = cellW;
  PixmapPtr p = CreatePixmap(cellW * 10, cellH);
  for (int d = 0; d < 10; ++d)
    for (int y = 0; y < cellH; ++y)
      for (int x = 0; x < ink; ++x) p->Set(d * cellW + x, y, DigitColour(d));
  return p;
}
inline ImagePtr DigitImage(int cellW, int cellH, int ink = 0) {
  return LoadAnimImage(DigitStrip(cellW, cellH, ink), cellW, cellH, 0, 10);
}

// The digit whose cell colour, drawn at `alpha` over black, shows at (x, y); -1 for none.
inline int DigitAt(int x, int y, float alpha = 1.0f) {
  uint32_t px = ScreenPixel(x, y);
  for (int d = 0; d < 10; ++d) {
    uint32_t c = DigitColour(d);
    if (std::abs(Red(px) - std::lround(Red(c) * alpha)) <= 3 &&
        std::abs(Blue(px) - std::lround(Blue(c) * alpha)) <= 3 &&
        std::abs(Green(px) - std::lround(Green(c) * alpha)) <= 3)
      return d;
  }
  return -1;
}

// Whether (x, y) shows `argb` (drawn opaque over black) within a small tolerance.
inline bool Shows(int x, int y, uint32_t argb) {
  uint32_t px = ScreenPixel(x, y);
  return std::abs(Red(px) - Red(argb)) <= 3 && std::abs(Green(px) - Green(argb)) <= 3 &&
         std::abs(Blue(px) - Blue(argb)) <= 3;
}

// Opens the 800 x 600 screen cleared to black, with the mouse state and the shared container.
inline void OpenScreen() {
  test_support::OpenScreen();
  if (::testing::Test::HasFatalFailure()) return;
  if (!mouse) mouse = std::make_shared<TMouse>();
  if (!data) data = std::make_shared<TContainer>();
}

}  // namespace scoring
