#include "support/game_fixtures.h"

#include <gtest/gtest.h>

#include "platform/text.h"

namespace test_support {

TSCFilePtr Store(const std::string& text) {
  TSCFilePtr tsc = CreateTSCFile();
  tsc->LoadFromText(FromUtf8(text));
  return tsc;
}

std::string Output(const std::function<void()>& run) {
  testing::internal::CaptureStdout();
  run();
  return testing::internal::GetCapturedStdout();
}

PixmapPtr SolidPixmap(int w, int h, uint32_t argb) {
  PixmapPtr p = CreatePixmap(w, h);
  ClearPixels(p, argb);
  return p;
}

ImagePtr SolidImage(int w, int h, uint32_t argb) { return LoadImage(SolidPixmap(w, h, argb)); }

uint32_t ScreenPixel(int x, int y) {
  PixmapPtr p = GrabPixmap(x, y, 1, 1);
  return p ? p->Get(0, 0) : 0;
}

void OpenScreen() {
  ASSERT_TRUE(Graphics(800, 600, 0) != nullptr);
  ResetDrawingState();
  SetClsColor(0, 0, 0);
  Cls();
}

}  // namespace test_support
