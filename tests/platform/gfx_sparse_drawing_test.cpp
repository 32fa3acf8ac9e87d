// Sparse drawing of long headless runs: frames between the drawn ones leave the back buffer as it
// was, while every drawing call still takes its state; one frame in N and a frame asked for are
// drawn whole; the input script keeps working across skipped frames.
#include "gfx_support.h"
#include "platform/image_font.h"
#include "platform/input.h"
#include "platform/system.h"

namespace gfx_test {
namespace {

class SparseDrawing : public ScreenTest {
 protected:
  void TearDown() override {
    headless::SetSparseDrawing(0);
    ScreenTest::TearDown();
  }
  // One frame: a full-screen rectangle in the given colour, then Flip.
  static void FillAndFlip(int r, int g, int b) {
    SetColor(r, g, b);
    DrawRect(0, 0, 800, 600);
    Flip(-1);
  }
  // The back buffer's pixel in the middle of the screen.
  static uint32_t Middle() { return GrabPixmap(400, 300, 1, 1)->Get(0, 0); }
};

TEST_F(SparseDrawing, OnlyEveryNthFrameAndAskedFramesTouchTheBackBuffer) {
  headless::SetSparseDrawing(4);
  // Move to just after a drawn frame.
  while ((headless::FrameNumber() + 1) % 4 != 1) Flip(-1);
  FillAndFlip(200, 0, 0);
  EXPECT_TRUE(ColorNear(Middle(), 0, 0, 0)) << "a skipped frame leaves the pixels alone";
  FillAndFlip(0, 200, 0);
  FillAndFlip(0, 0, 200);
  EXPECT_TRUE(ColorNear(Middle(), 0, 0, 0));
  EXPECT_EQ((headless::FrameNumber() + 1) % 4, 0) << "the next frame is a drawn one";
  FillAndFlip(90, 90, 90);
  EXPECT_TRUE(ColorNear(Middle(), 90, 90, 90));

  headless::DrawNextFrame();
  FillAndFlip(10, 120, 30);
  EXPECT_TRUE(ColorNear(Middle(), 10, 120, 30)) << "the frame asked for is drawn";
  FillAndFlip(1, 2, 3);
  EXPECT_TRUE(ColorNear(Middle(), 10, 120, 30)) << "and only that one";

  headless::SetSparseDrawing(0);
  FillAndFlip(40, 50, 60);
  EXPECT_TRUE(ColorNear(Middle(), 40, 50, 60)) << "off again: every frame is drawn";
}

TEST_F(SparseDrawing, SkippedFramesKeepTheDrawingStateAndTheInputScript) {
  headless::SetSparseDrawing(1000);
  ASSERT_TRUE(headless::SkippingPixels());
  SetColor(300, 20, -5);
  SetAlpha(0.25f);
  SetBlend(LIGHTBLEND);
  SetScale(2.0f, 3.0f);
  SetRotation(45.0f);
  ImagePtr image = SolidImage(8, 8, Opaque(255, 255, 255));
  DrawImage(image, 10, 10, 0);
  DrawImage(image, 10, 10, 7);  // a frame the image does not have
  DrawImage(nullptr, 10, 10, 0);
  DrawText(u"skipped", 5, 5);
  int r = 0, g = 0, b = 0;
  GetColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 20);
  EXPECT_EQ(b, 0);
  EXPECT_FLOAT_EQ(GetAlpha(), 0.25f);
  EXPECT_EQ(GetBlend(), LIGHTBLEND);
  EXPECT_FLOAT_EQ(GetRotation(), 45.0f);

  const int frame = headless::FrameNumber();
  headless::MouseMoveAt(frame + 1, 123, 45);
  headless::KeyPressAt(frame + 2, KEY_P);
  for (int i = 0; i < 3; ++i) {
    Flip(-1);
    PollSystem();
  }
  EXPECT_EQ(MouseX(), 123);
  EXPECT_EQ(MouseY(), 45);
  EXPECT_EQ(KeyHit(KEY_P), 1);
}

}  // namespace
}  // namespace gfx_test
