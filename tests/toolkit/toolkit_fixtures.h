// Small pictures, fonts and a frame loop made in code for the toolkit's tests.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "services/mouse.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/pixmap.h"
#include "platform/system.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"
#include "toolkit/font.h"

namespace tk {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;

struct Rgb {
  int r, g, b;
};

using test_support::SolidImage;
using test_support::SolidPixmap;

// Side-by-side cells of the given colours, each w x h.
inline PixmapPtr Strip(int w, int h, std::initializer_list<uint32_t> colours) {
  PixmapPtr p = CreatePixmap(w * static_cast<int>(colours.size()), h);
  int i = 0;
  for (uint32_t c : colours) {
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) WritePixel(p, i * w + x, y, c);
    ++i;
  }
  return p;
}

// Saves a pixmap as a PNG in the test's home folder and answers its path.
inline std::string SavePng(const PixmapPtr& p, const std::string& name) {
  std::string path = test_support::TempHome() + "/" + name;
  EXPECT_TRUE(SavePixmapPNG(p, path));
  return path;
}

// A glyph strip of one row: glyphs of the given widths, solid over the whole band, each in its
// colour, one transparent column between two glyphs and one at the right end.
inline PixmapPtr GlyphRow(int lineHeight, std::initializer_list<std::pair<int, uint32_t>> glyphs) {
  int width = 1;
  for (auto& g : glyphs) width += g.first + 1;
  PixmapPtr p = CreatePixmap(width, lineHeight);
  int x = 0;
  for (auto& g : glyphs) {
    for (int i = 0; i < g.first; ++i)
      for (int y = 0; y < lineHeight; ++y) WritePixel(p, x + i, y, g.second);
    x += g.first + 1;
  }
  return p;
}

// Opens the 800 x 600 screen, cleared to black, and makes the mouse state.
inline void OpenScreen() {
  ASSERT_TRUE(Graphics(800, 600, 0) != nullptr);
  ResetDrawingState();
  SetBlend(ALPHABLEND);
  Cls();
  if (!mouse) mouse = std::make_shared<TMouse>();
}

// One frame of a screen: events, the frame's mouse state, the caller's polling and drawing,
// then Flip. Answers what `body` answers.
inline int Frame(const std::function<int()>& body) {
  PollSystem();
  mouse->fetchState();
  Cls();
  int r = body();
  Flip();
  return r;
}

inline Rgb PixelAt(int x, int y) {
  PixmapPtr shot = headless::CaptureBackBuffer();
  uint32_t v = ReadPixel(shot, x, y);
  return {static_cast<int>((v >> 16) & 255), static_cast<int>((v >> 8) & 255),
          static_cast<int>(v & 255)};
}

inline ::testing::AssertionResult Near(Rgb got, Rgb want, int tolerance = 3) {
  if (std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
      std::abs(got.b - want.b) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pixel (" << got.r << ", " << got.g << ", " << got.b
                                       << "), wanted (" << want.r << ", " << want.g << ", "
                                       << want.b << ")";
}

}  // namespace tk
