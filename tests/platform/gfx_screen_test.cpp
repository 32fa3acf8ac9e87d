// Opening and closing the screen, display modes, drivers, Flip and capture of the back buffer.
#include "gfx_support.h"
#include "platform/internal.h"
#include "support/test_support.h"

namespace gfx_test {
namespace {

TEST(Screen, OpensAWindowOfTheAskedSize) {
  GraphicsPtr g = Graphics(800, 600, 0, 60, 0);
  ASSERT_TRUE(g);
  EXPECT_EQ(g, CurrentGraphics());
  EXPECT_EQ(GraphicsWidth(), 800);
  EXPECT_EQ(GraphicsHeight(), 600);
  EXPECT_EQ(g->depth, 0);
  EXPECT_EQ(g->hertz, 60);
  EndGraphics();
  EXPECT_FALSE(CurrentGraphics());
  EXPECT_EQ(GraphicsWidth(), 0);
  // Drawing and flipping without a screen do nothing harmful.
  DrawRect(0, 0, 10, 10);
  Cls();
  Flip(-1);
  EXPECT_FALSE(headless::CaptureBackBuffer());
}

TEST(Screen, FailsOnPurposeAndClosesTheOldScreenFirst) {
  OpenScreen();
  int calls = headless::GraphicsCalls();
  headless::FailGraphics(2);
  EXPECT_FALSE(Graphics(800, 600, 32, 60, 0));
  EXPECT_FALSE(CurrentGraphics()) << "the old screen was closed before the attempt";
  EXPECT_FALSE(Graphics(800, 600, 0, 60, 0));
  EXPECT_TRUE(Graphics(800, 600, 0, 60, 0));
  EXPECT_EQ(headless::GraphicsCalls(), calls + 3);
  EXPECT_FALSE(Graphics(0, 600)) << "no screen of no size";
}

TEST(Screen, FullScreenAndBackKeepImagesDrawable) {
  ImagePtr image = SolidImage(4, 4, Opaque(0, 200, 0));
  ASSERT_TRUE(Graphics(800, 600, 32, 60, 0));
  DrawImage(image, 10, 10);
  EXPECT_TRUE(ColorNear(ReadPixel(headless::CaptureBackBuffer(), 11, 11), 0, 200, 0));
  ASSERT_TRUE(Graphics(800, 600, 0, 60, 0));
  Cls();
  DrawImage(image, 20, 20);
  PixmapPtr shot = headless::CaptureBackBuffer();
  EXPECT_TRUE(ColorNear(ReadPixel(shot, 21, 21), 0, 200, 0));
  EXPECT_TRUE(ColorNear(ReadPixel(shot, 11, 11), 0, 0, 0));
  image.reset();  // its texture is freed with no screen trouble
  EndGraphics();
}

TEST(Screen, BackBufferKeepsItsContentsAcrossFlip) {
  OpenScreen();
  SetClsColor(10, 20, 30);
  Cls();
  SetColor(255, 0, 0);
  DrawRect(100, 100, 10, 10);
  int frame = headless::FrameNumber();
  Flip(-1);
  Flip(0);
  EXPECT_EQ(headless::FrameNumber(), frame + 2);
  SetColor(0, 255, 0);
  DrawRect(105, 100, 10, 10);  // drawn over the last frame, no Cls
  PixmapPtr shot = headless::CaptureBackBuffer();
  EXPECT_TRUE(ColorNear(ReadPixel(shot, 101, 101), 255, 0, 0));
  EXPECT_TRUE(ColorNear(ReadPixel(shot, 106, 101), 0, 255, 0));
  EXPECT_TRUE(ColorNear(ReadPixel(shot, 300, 300), 10, 20, 30));
  Cls();
  EXPECT_TRUE(ColorNear(ReadPixel(headless::CaptureBackBuffer(), 101, 101), 10, 20, 30));
}

TEST(Screen, CaptureWritesAnOpaquePng) {
  OpenScreen();
  SetBlend(SOLIDBLEND);
  DrawImage(SolidImage(2, 2, Argb(0, 50, 60, 70)), 0, 0);  // solid drawing of a clear pixel
  std::string path = test_support::TempHome() + "/frame.png";
  ASSERT_TRUE(headless::CaptureBackBufferPNG(path));
  PixmapPtr back = LoadPixmap(path);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->width, 800);
  EXPECT_EQ(back->height, 600);
  EXPECT_EQ(back->Get(0, 0), Opaque(50, 60, 70));
  EXPECT_EQ(back->Get(799, 599), Opaque(0, 0, 0));
  EXPECT_FALSE(headless::CaptureBackBufferPNG(test_support::TempHome() + "/no/such/folder/x.png"));
}

TEST(Screen, WindowPointsMapToScreenPointsThroughTheLetterbox) {
  ASSERT_TRUE(Graphics(800, 600, 0, 60, 0));
  int sx = 0, sy = 0;
  platform_internal::WindowToScreen(123, 456, sx, sy);
  EXPECT_EQ(sx, 123);
  EXPECT_EQ(sy, 456);
  // A wider window: the picture is scaled to its height and centred, bars left and right.
  SDL_SetWindowSize(platform_internal::Window(), 1000, 600);
  platform_internal::WindowToScreen(100, 0, sx, sy);
  EXPECT_EQ(sx, 0);
  platform_internal::WindowToScreen(500, 300, sx, sy);
  EXPECT_EQ(sx, 400);
  EXPECT_EQ(sy, 300);
  // Twice the size: halved.
  SDL_SetWindowSize(platform_internal::Window(), 1600, 1200);
  platform_internal::WindowToScreen(1598, 1198, sx, sy);
  EXPECT_EQ(sx, 799);
  EXPECT_EQ(sy, 599);
  Flip(0);  // the letterboxed copy to a resized window
}

bool Lists(int w, int h, int d) {
  for (int i = 0; i < CountGraphicsModes(); ++i) {
    int mw, mh, md, hz;
    GetGraphicsMode(i, mw, mh, md, hz);
    if (mw == w && mh == h && md == d) return true;
  }
  return false;
}

TEST(DisplayModes, ListHolds800By600At32BitsAndCanBeReplaced) {
  EXPECT_TRUE(Lists(800, 600, 32));
  headless::SetModeList({{800, 600, 16, 60}, {800, 600, 16, 75}, {640, 480, 32, 60}});
  EXPECT_EQ(CountGraphicsModes(), 3);
  int w, h, d, hz;
  GetGraphicsMode(1, w, h, d, hz);
  EXPECT_EQ(w * 10000 + h, 8000600);
  EXPECT_EQ(d, 16);
  EXPECT_EQ(hz, 75);
  EXPECT_FALSE(Lists(800, 600, 32));
  GetGraphicsMode(3, w, h, d, hz);  // past the end
  EXPECT_EQ(w + h + d + hz, 0);
  headless::SetModeList({});
  EXPECT_EQ(CountGraphicsModes(), 0);
  headless::ResetModeList();
  EXPECT_TRUE(Lists(800, 600, 32));
}

TEST(DisplayModes, OneGlDriverWhoseDefaultFlagsJoinEveryScreen) {
  GraphicsDriverPtr a = GLDriver2D();
  EXPECT_EQ(a, GLDriver2D());
  EXPECT_TRUE(a->IsGL());
  EXPECT_EQ(GetGraphicsDriver(), a) << "the GL driver is current from the start";
  int before = headless::DriverSelections();
  SetGraphicsDriver(a, 2);
  SetGraphicsDriver(a, 2);
  EXPECT_EQ(headless::DriverSelections(), before + 2);
  GraphicsPtr g = Graphics(800, 600, 0, 60, 0);
  ASSERT_TRUE(g);
  EXPECT_EQ(g->flags, 2);
}

}  // namespace
}  // namespace gfx_test
