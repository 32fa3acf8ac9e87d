// Placing images and shapes: handles, scale, rotation, origin, textured polygons and clipping.
#include <cmath>
#include <utility>

#include "gfx_support.h"

namespace gfx_test {
namespace {

// A w x h image whose left half is red and right half blue.
ImagePtr TwoToneImage(int w, int h) {
  PixmapPtr p = CreatePixmap(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) p->Set(x, y, x < w / 2 ? Opaque(255, 0, 0) : Opaque(0, 0, 255));
  }
  return LoadImage(p, 0);
}

bool Drawn(uint32_t px) { return (px & 0x00FFFFFFu) != 0; }

using PlacementTest = ScreenTest;

TEST_F(PlacementTest, TopLeftHandleByDefault) {
  ImagePtr image = SolidImage(10, 10, Opaque(255, 255, 255));
  DrawImage(image, 100, 50);
  Capture();
  EXPECT_TRUE(Drawn(At(100, 50)));
  EXPECT_TRUE(Drawn(At(109, 59)));
  EXPECT_FALSE(Drawn(At(99, 50)));
  EXPECT_FALSE(Drawn(At(110, 59)));
  EXPECT_FALSE(Drawn(At(100, 60)));
}

TEST_F(PlacementTest, MidHandleCentresTheImageAndScaleGrowsAboutIt) {
  ImagePtr image = SolidImage(10, 10, Opaque(255, 255, 255));
  MidHandleImage(image);
  EXPECT_FLOAT_EQ(image->handleX, 5.0f);
  EXPECT_FLOAT_EQ(image->handleY, 5.0f);
  SetScale(2.0f, 3.0f);
  DrawImage(image, 100, 100);
  Capture();
  // 20 x 30 around (100, 100).
  EXPECT_TRUE(Drawn(At(90, 85)));
  EXPECT_TRUE(Drawn(At(109, 114)));
  EXPECT_FALSE(Drawn(At(89, 100)));
  EXPECT_FALSE(Drawn(At(110, 100)));
  EXPECT_FALSE(Drawn(At(100, 84)));
  EXPECT_FALSE(Drawn(At(100, 115)));
}

TEST_F(PlacementTest, RotationTurnsClockwiseAboutTheHandle) {
  ImagePtr image = TwoToneImage(20, 4);
  SetImageHandle(image, 0, 2);  // the middle of the left edge
  SetRotation(90.0f);
  DrawImage(image, 200, 100);
  Capture();
  // The bar now hangs down from (200, 100): red above, blue below, 4 pixels wide.
  EXPECT_TRUE(ColorNear(At(200, 104), 255, 0, 0));
  EXPECT_TRUE(ColorNear(At(200, 115), 0, 0, 255));
  EXPECT_FALSE(Drawn(At(200, 96)));
  EXPECT_FALSE(Drawn(At(210, 100)));
  EXPECT_FALSE(Drawn(At(204, 110)));
}

TEST_F(PlacementTest, RotatedAndScaledTogether) {
  ImagePtr image = TwoToneImage(10, 10);
  MidHandleImage(image);
  SetTransform(180.0f, 2.0f, 2.0f);
  DrawImage(image, 300, 300);
  Capture();
  // Half a turn: the red half lies to the right of the handle, and twice as large.
  EXPECT_TRUE(ColorNear(At(306, 300), 255, 0, 0));
  EXPECT_TRUE(ColorNear(At(293, 300), 0, 0, 255));
  EXPECT_TRUE(Drawn(At(309, 309)));
  EXPECT_TRUE(Drawn(At(290, 290)));
  EXPECT_FALSE(Drawn(At(311, 300)));
  EXPECT_FALSE(Drawn(At(300, 288)));
}

TEST_F(PlacementTest, FilteredImagesScaleSmoothlyAndPlainOnesByNearestPixel) {
  PixmapPtr p = CreatePixmap(2, 1);
  p->Set(0, 0, Opaque(0, 0, 0));
  p->Set(1, 0, Opaque(255, 255, 255));
  SetScale(8.0f, 8.0f);
  DrawImage(LoadImage(p, FILTEREDIMAGE), 0, 0);
  DrawImage(LoadImage(p, 0), 0, 20);
  Capture();
  int filtered = At(6, 4) & 255, plain = At(6, 24) & 255;
  EXPECT_GT(filtered, 40);
  EXPECT_LT(filtered, 140);
  EXPECT_EQ(plain, 0);
  EXPECT_EQ(At(9, 24) & 255, 255u);
}

TEST_F(PlacementTest, NegativeScaleMirrorsAboutTheHandle) {
  ImagePtr image = TwoToneImage(10, 4);
  SetScale(-1.0f, 1.0f);
  DrawImage(image, 100, 100);
  Capture();
  // Mirrored to the left of the drawing point: blue now on the left, red on the right.
  EXPECT_TRUE(ColorNear(At(91, 101), 0, 0, 255));
  EXPECT_TRUE(ColorNear(At(98, 101), 255, 0, 0));
  EXPECT_FALSE(Drawn(At(101, 101)));
}

TEST_F(PlacementTest, OriginShiftsEverything) {
  ImagePtr image = SolidImage(4, 4, Opaque(0, 255, 0));
  SetOrigin(50, 60);
  DrawImage(image, 10, 10);
  DrawRect(20, 10, 4, 4);
  Capture();
  EXPECT_TRUE(ColorNear(At(61, 71), 0, 255, 0));
  EXPECT_TRUE(ColorNear(At(71, 71), 255, 255, 255));
  EXPECT_FALSE(Drawn(At(11, 11)));
}

TEST_F(PlacementTest, ImageRectStretchesAndSubImageRectTakesAPart) {
  ImagePtr image = TwoToneImage(4, 4);
  DrawImageRect(image, 100, 100, 40, 8);
  DrawSubImageRect(image, 100, 200, 10, 10, 2, 0, 2, 4);  // only the blue half
  Capture();
  EXPECT_TRUE(ColorNear(At(105, 104), 255, 0, 0));
  EXPECT_TRUE(ColorNear(At(135, 104), 0, 0, 255));
  EXPECT_FALSE(Drawn(At(141, 104)));
  EXPECT_TRUE(ColorNear(At(101, 201), 0, 0, 255));
  EXPECT_TRUE(ColorNear(At(108, 208), 0, 0, 255));
  EXPECT_FALSE(Drawn(At(111, 205)));
}

TEST_F(PlacementTest, RectUsesTheDrawingHandleScaleAndRotation) {
  SetColor(255, 255, 0);
  SetHandle(5, 5);
  DrawRect(100, 100, 10, 10);  // 95..104
  SetHandle(0, 0);
  SetTransform(90.0f, 2.0f, 1.0f);
  DrawRect(300, 100, 10, 4);  // 20 x 4 turned down: x 296..299, y 100..119
  Capture();
  EXPECT_TRUE(ColorNear(At(95, 95), 255, 255, 0));
  EXPECT_TRUE(ColorNear(At(104, 104), 255, 255, 0));
  EXPECT_FALSE(Drawn(At(105, 100)));
  EXPECT_FALSE(Drawn(At(94, 100)));
  EXPECT_TRUE(Drawn(At(298, 118)));
  EXPECT_FALSE(Drawn(At(298, 121)));
  EXPECT_FALSE(Drawn(At(301, 102)));
}

TEST_F(PlacementTest, LinesPointsAndOvals) {
  SetColor(0, 255, 255);
  DrawLine(10, 300, 60, 300);
  Plot(70, 310);
  DrawOval(100, 300, 40, 20);
  Capture();
  EXPECT_TRUE(ColorNear(At(35, 300), 0, 255, 255));
  EXPECT_FALSE(Drawn(At(35, 302)));
  EXPECT_TRUE(ColorNear(At(70, 310), 0, 255, 255));
  EXPECT_FALSE(Drawn(At(71, 310)));
  EXPECT_TRUE(ColorNear(At(120, 310), 0, 255, 255));  // the centre
  EXPECT_TRUE(Drawn(At(102, 310)));
  EXPECT_FALSE(Drawn(At(101, 301)));  // the rectangle's corner lies outside the oval
}

TEST_F(PlacementTest, PixmapIsCopiedUnscaledWithItsAlpha) {
  SetClsColor(0, 0, 100);
  Cls();
  PixmapPtr p = SolidPixmap(4, 4, Argb(128, 255, 255, 255));
  p->Set(0, 0, Opaque(255, 0, 0));
  SetScale(3.0f, 3.0f);
  DrawPixmap(p, 10, 10);
  Capture();
  EXPECT_TRUE(ColorNear(At(10, 10), 255, 0, 0));
  EXPECT_TRUE(ColorNear(At(12, 12), 128, 128, 178));
  EXPECT_TRUE(ColorNear(At(14, 14), 0, 0, 100));
}

TEST_F(PlacementTest, TexturedPolyAddressesAPowerOfTwoTexture) {
  // 10 x 6: the framework's texture is 16 x 8, so the image spans u 0..10/16 and v 0..6/8.
  ImagePtr image = TwoToneImage(10, 6);
  float u1 = 10.0f / 16.0f, v1 = 6.0f / 8.0f;
  DrawTexturedPoly(image, {{100, 100, 0, 0}, {140, 100, u1, 0}, {140, 124, u1, v1}, {100, 124, 0, v1}});
  // The right half of the image only: u from 5/16.
  DrawTexturedPoly(image, {{200, 100, 5.0f / 16, 0}, {210, 100, u1, 0}, {210, 106, u1, v1}, {200, 106, 5.0f / 16, v1}});
  Capture();
  EXPECT_TRUE(ColorNear(At(102, 102), 255, 0, 0));
  EXPECT_TRUE(ColorNear(At(118, 121), 255, 0, 0));
  EXPECT_TRUE(ColorNear(At(122, 102), 0, 0, 255));
  EXPECT_TRUE(ColorNear(At(138, 121), 0, 0, 255));
  EXPECT_FALSE(Drawn(At(141, 110)));
  EXPECT_FALSE(Drawn(At(110, 125)));
  EXPECT_TRUE(ColorNear(At(201, 101), 0, 0, 255));
  EXPECT_TRUE(ColorNear(At(208, 104), 0, 0, 255));
}

TEST_F(PlacementTest, TexturedPolyUsesColourAlphaAndNeedsThreePoints) {
  ImagePtr image = SolidImage(8, 8, Opaque(255, 255, 255));
  SetBlend(ALPHABLEND);
  SetAlpha(0.5f);
  SetColor(255, 0, 0);
  DrawTexturedPoly(image, {{10, 10, 0, 0}, {30, 10, 1, 0}, {30, 30, 1, 1}, {10, 30, 0, 1}});
  DrawTexturedPoly(image, {{50, 10, 0, 0}, {70, 10, 1, 0}});
  Capture();
  EXPECT_TRUE(ColorNear(At(20, 20), 128, 0, 0));
  EXPECT_FALSE(Drawn(At(60, 10)));
}

TEST_F(PlacementTest, ViewportClipsDrawingAndCls) {
  SetClsColor(0, 0, 80);
  Cls();
  SetViewport(100, 100, 50, 40);
  SetColor(255, 255, 255);
  DrawRect(0, 0, 800, 600);
  DrawImage(SolidImage(300, 300, Opaque(0, 255, 0)), 130, 120);
  SetClsColor(90, 0, 0);
  Cls();  // inside the viewport only
  SetViewport(300, 300, 0, 10);
  DrawRect(0, 0, 800, 600);  // an empty viewport draws nothing
  Capture();
  EXPECT_TRUE(ColorNear(At(100, 100), 90, 0, 0));
  EXPECT_TRUE(ColorNear(At(149, 139), 90, 0, 0));
  EXPECT_TRUE(ColorNear(At(99, 120), 0, 0, 80));
  EXPECT_TRUE(ColorNear(At(150, 120), 0, 0, 80));
  EXPECT_TRUE(ColorNear(At(120, 140), 0, 0, 80));
  EXPECT_TRUE(ColorNear(At(300, 305), 0, 0, 80));
  int x, y, w, h;
  GetViewport(x, y, w, h);
  EXPECT_EQ(x * 1000 + y, 300300);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 10);
}

TEST_F(PlacementTest, ViewportClipsAfterFlip) {
  SetViewport(10, 10, 10, 10);
  Flip(0);
  SetColor(255, 255, 255);
  DrawRect(0, 0, 100, 100);
  Capture();
  EXPECT_TRUE(Drawn(At(15, 15)));
  EXPECT_FALSE(Drawn(At(25, 25)));
}

// A w x h image in which every texel has a colour of its own, none of them black.
ImagePtr PatternImage(int w, int h) {
  PixmapPtr p = CreatePixmap(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) p->Set(x, y, Opaque(64 + 2 * x, 64 + 2 * y, 200));
  }
  return LoadImage(p, 0);
}

// A picture drawn many screens wide, turned (the ring game zooms its ring in from five and a
// half times its size), is cut to the texels that land in the viewport before the renderer sees
// it: the view fills with those texels, each pixel showing the texel under its centre or, as
// the software renderer places texels of any turned picture, a neighbour; nothing lands outside
// the view. Shapes and textured polygons that large fill the view too.
TEST_F(PlacementTest, APictureManyScreensWideFillsTheViewWithTheTexelsLandingThere) {
  constexpr int kSide = 64;
  constexpr float kScale = 60.0f;
  constexpr float kTurn = 17.0f;
  ImagePtr image = PatternImage(kSide, kSide);
  MidHandleImage(image);
  const double rad = kTurn * M_PI / 180.0;
  struct View {
    int x, y, w, h;
  };
  for (const View& view : {View{0, 0, 800, 600}, View{310, 205, 150, 120}}) {
    SCOPED_TRACE(view.w);
    ResetDrawingState();
    Cls();
    SetViewport(view.x, view.y, view.w, view.h);
    SetTransform(kTurn, kScale, kScale);
    DrawImage(image, 400, 300);
    Capture();
    int blank = 0, far = 0;
    for (int y = view.y; y < view.y + view.h; y += 3) {
      for (int x = view.x; x < view.x + view.w; x += 3) {
        const uint32_t px = At(x, y);
        if (!Drawn(px)) {
          ++blank;
          continue;
        }
        // The texel under the pixel's centre, turned back.
        const double dx = x + 0.5 - 400, dy = y + 0.5 - 300;
        const double u = (std::cos(rad) * dx + std::sin(rad) * dy) / kScale + kSide / 2.0;
        const double v = (-std::sin(rad) * dx + std::cos(rad) * dy) / kScale + kSide / 2.0;
        const int tu = (static_cast<int>((px >> 16) & 255) - 64) / 2;
        const int tv = (static_cast<int>((px >> 8) & 255) - 64) / 2;
        if (std::abs(tu - static_cast<int>(std::floor(u))) > 1 ||
            std::abs(tv - static_cast<int>(std::floor(v))) > 1) {
          if (far++ == 0) ADD_FAILURE() << "pixel (" << x << ", " << y << ") shows texel " << tu
                                        << ", " << tv << " for " << u << ", " << v;
        }
      }
    }
    EXPECT_EQ(blank, 0);
    EXPECT_EQ(far, 0);
    if (view.w < 800) {
      for (const auto& [x, y] : {std::pair{view.x - 1, 260}, std::pair{400, view.y + view.h}})
        EXPECT_FALSE(Drawn(At(x, y))) << x << ", " << y;
    }
  }

  ResetDrawingState();
  Cls();
  SetTransform(33.0f, 400.0f, 400.0f);
  SetHandle(20.0f, 20.0f);
  SetColor(200, 90, 30);
  DrawRect(400, 300, 40, 40);
  Capture();
  for (int y = 0; y < 600; y += 50)
    for (int x = 0; x < 800; x += 50) ASSERT_TRUE(ColorNear(At(x, y), 200, 90, 30)) << x << ", " << y;
  ResetDrawingState();
  Cls();
  DrawTexturedPoly(image, {{-90000, -70000, 0, 0}, {90000, -80000, 1, 0}, {400, 90000, 0.5f, 1}});
  Capture();
  for (int y = 0; y < 600; y += 50)
    for (int x = 0; x < 800; x += 50) ASSERT_TRUE(Drawn(At(x, y))) << x << ", " << y;
}

}  // namespace
}  // namespace gfx_test
