// Helpers for the drawing tests: an open screen, small images made in code, colour checks.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/pixmap.h"

namespace gfx_test {

inline uint32_t Argb(int a, int r, int g, int b) {
  return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) |
         (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}
inline uint32_t Opaque(int r, int g, int b) { return Argb(255, r, g, b); }

inline std::string Describe(uint32_t argb) {
  return "(" + std::to_string((argb >> 16) & 255) + ", " + std::to_string((argb >> 8) & 255) + ", " +
         std::to_string(argb & 255) + ")";
}

// The colour channels of `actual` each within `tolerance` of the expected ones.
inline ::testing::AssertionResult ColorNear(uint32_t actual, int r, int g, int b, int tolerance = 2) {
  int ar = (actual >> 16) & 255, ag = (actual >> 8) & 255, ab = actual & 255;
  if (std::abs(ar - r) <= tolerance && std::abs(ag - g) <= tolerance && std::abs(ab - b) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "got " << Describe(actual) << ", expected (" << r << ", " << g
                                       << ", " << b << ")";
}

// A picture of one colour.
inline PixmapPtr SolidPixmap(int w, int h, uint32_t argb, int format = PF_BGRA8888) {
  PixmapPtr p = CreatePixmap(w, h, format);
  ClearPixels(p, argb);
  return p;
}

inline ImagePtr SolidImage(int w, int h, uint32_t argb, int flags = 0) {
  return LoadImage(SolidPixmap(w, h, argb), flags);
}

// Opens the 800 x 600 window with a fresh drawing state and a black back buffer.
inline void OpenScreen() {
  ASSERT_TRUE(Graphics(800, 600, 0, 60, 0));
  ResetDrawingState();
  SetClsColor(0, 0, 0);
  Cls();
}

// A test with the 800 x 600 screen open, the drawing state fresh and the back buffer black.
class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override { OpenScreen(); }
  void TearDown() override { EndGraphics(); }

  // Reads the back buffer once; At() then looks at the capture.
  void Capture() { shot_ = headless::CaptureBackBuffer(); }
  uint32_t At(int x, int y) const { return ReadPixel(shot_, x, y); }
  uint32_t Now(int x, int y) {
    Capture();
    return At(x, y);
  }

  PixmapPtr shot_;
};

}  // namespace gfx_test
