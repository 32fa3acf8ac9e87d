#include "toolkit/drawing.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "platform/graphics.h"
#include "platform/headless.h"
#include "toolkit_fixtures.h"

namespace {

using tk::Near;
using tk::Rgb;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kR{255, 0, 0};
constexpr Rgb kG{0, 255, 0};
constexpr Rgb kB{0, 0, 255};
constexpr Rgb kW{255, 255, 255};

// An image of horizontal bands: each band `rows` high in its colour, top to bottom.
ImagePtr Bands(int width, std::initializer_list<std::pair<int, uint32_t>> bands) {
  int height = 0;
  for (auto& b : bands) height += b.first;
  PixmapPtr p = CreatePixmap(width, height);
  int y = 0;
  for (auto& b : bands)
    for (int i = 0; i < b.first; ++i, ++y)
      for (int x = 0; x < width; ++x) WritePixel(p, x, y, b.second);
  return LoadImage(p, 0);
}

class Drawing : public ::testing::Test {
 protected:
  void SetUp() override {
    tk::OpenScreen();
    SetBlend(SOLIDBLEND);
  }
  void Capture() { shot_ = headless::CaptureBackBuffer(); }
  Rgb At(int x, int y) const {
    uint32_t v = ReadPixel(shot_, x, y);
    return {static_cast<int>((v >> 16) & 255), static_cast<int>((v >> 8) & 255),
            static_cast<int>(v & 255)};
  }
  int Lit() const {
    int n = 0;
    for (int y = 0; y < 600; ++y)
      for (int x = 0; x < 800; ++x)
        if (ReadPixel(shot_, x, y) & 0xFFFFFFu) ++n;
    return n;
  }
  struct Probe {
    int x, y;
    Rgb colour;
  };
  void Expect(std::initializer_list<Probe> probes) const {
    for (const Probe& p : probes)
      EXPECT_TRUE(Near(At(p.x, p.y), p.colour, 8)) << "at " << p.x << ", " << p.y;
  }

  PixmapPtr shot_;
};

TEST(DrawingMaths, NextPowerOfTwo) {
  const std::pair<int, int> cases[] = {{-5, 1},    {0, 1},     {1, 1},
                                       {2, 2},     {3, 4},     {100, 128},
                                       {128, 128}, {129, 256}, {1 << 30, 1 << 30}};
  for (auto [n, want] : cases) EXPECT_EQ(findNextPowerOf2(n), want) << n;
}

TEST(DrawingMaths, TextLineNearTheBandIsShown) {
  struct Case {
    int y, top, height, want;
  };
  for (const Case& c :
       {Case{235, 280, 40, 1}, Case{230, 280, 40, 0}, Case{329, 280, 40, 1}, Case{330, 280, 40, 0},
        Case{300, 300, 0, 1}, Case{251, 300, 0, 1}, Case{250, 300, 0, 0}, Case{310, 300, 0, 0}})
    EXPECT_EQ(isTextInViewport(c.y, c.top, c.height), c.want)
        << c.y << " " << c.top << " " << c.height;
}

TEST_F(Drawing, VialBandShowsThatPartOfTheImageInItsPlace) {
  // 100 x 50: rows 0-12 red, 13-24 green, 25-37 blue, 38-49 white (texture 128 x 64).
  ImagePtr img = Bands(100, {{13, tk::kRed}, {12, tk::kGreen}, {13, tk::kBlue}, {12, tk::kWhite}});
  drawVial(img, 10, 20, 0.5f, 1.0f);  // the lower half: screen rows 45 to 69
  Capture();
  Expect({{50, 43, kBlack},
          {50, 47, kB},
          {50, 56, kB},
          {50, 60, kW},
          {50, 68, kW},
          {50, 71, kBlack},
          {8, 60, kBlack},
          {12, 60, kW},
          {108, 60, kW},
          {111, 60, kBlack}});

  Cls();
  drawVial(img, 10, 20, 0.0f, 1.0f);  // the whole image at (10, 20)
  Capture();
  Expect(
      {{50, 18, kBlack}, {50, 22, kR}, {50, 38, kG}, {50, 50, kB}, {50, 68, kW}, {50, 71, kBlack}});

  Cls();
  drawVial(img, 10, 20, 0.3f, 0.3f);
  Capture();
  EXPECT_EQ(Lit(), 0);
}

TEST_F(Drawing, CroppedRectangleStaysWhereTheWholeImageWouldPutIt) {
  PixmapPtr p = CreatePixmap(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      WritePixel(p, x, y,
                 y < 20 ? (x < 20 ? tk::kRed : tk::kGreen) : (x < 20 ? tk::kBlue : tk::kWhite));
  ImagePtr img = LoadImage(p, 0);
  drawCroppedImage(img, 100, 100, 20, 10, 40, 30);  // green over white, right half
  Capture();
  Expect({{125, 112, kG},
          {138, 118, kG},
          {125, 122, kW},
          {138, 128, kW},
          {118, 120, kBlack},
          {125, 108, kBlack},
          {125, 132, kBlack},
          {142, 120, kBlack}});
}

TEST_F(Drawing, ViewportBandRevealsTheRowsItCovers) {
  // 200 x 100 with its handle at the centre: rows 0-29 red, 30-69 green, 70-99 blue.
  ImagePtr img = Bands(200, {{30, tk::kRed}, {40, tk::kGreen}, {30, tk::kBlue}});
  MidHandleImage(img);
  drawInViewPort(img, 400, 300, 0, 280, 800, 40);  // rows 30 to 70, on screen 280 to 320
  Capture();
  Expect({{400, 278, kBlack},
          {400, 282, kG},
          {400, 300, kG},
          {400, 318, kG},
          {400, 322, kBlack},
          {298, 300, kBlack},
          {302, 300, kG},
          {498, 300, kG},
          {502, 300, kBlack}});

  // Wholly inside: the whole image.
  Cls();
  drawInViewPort(img, 400, 300, 100, 100, 600, 400);
  Capture();
  Expect({{400, 252, kR}, {400, 300, kG}, {400, 348, kB}, {298, 300, kBlack}, {400, 352, kBlack}});

  // A viewport cutting the left and top: rows and columns outside stay dark.
  Cls();
  drawInViewPort(img, 400, 300, 350, 260, 800, 800);
  Capture();
  Expect({{348, 300, kBlack}, {352, 300, kG}, {400, 258, kBlack}, {400, 262, kR}, {400, 345, kB}});
}

TEST_F(Drawing, ViewportOutsideOrFlatDrawsNothing) {
  ImagePtr img = tk::SolidImage(200, 100, tk::kWhite);
  MidHandleImage(img);  // corner (300, 250), right 500, bottom 350
  struct Case {
    int vx, vy, vw, vh;
  };
  for (const Case& c : {Case{0, 280, 800, 0}, Case{0, 360, 800, 50}, Case{0, 100, 800, 140},
                        Case{0, 0, 290, 600}, Case{510, 0, 200, 600}}) {
    Cls();
    drawInViewPort(img, 400, 300, c.vx, c.vy, c.vw, c.vh);
    Capture();
    EXPECT_EQ(Lit(), 0) << c.vx << " " << c.vy << " " << c.vw << " " << c.vh;
  }
}

TEST_F(Drawing, PolygonsFollowFractionalScaleAndRotation) {
  ImagePtr img = tk::SolidImage(20, 20, tk::kWhite);
  // Half scale: the polygon is scaled about the screen origin, not collapsed to a point.
  SetScale(0.5f, 0.5f);
  drawCroppedImage(img, 200, 200, 0, 0, 20, 20);
  Capture();
  Expect({{105, 105, kW}, {98, 105, kBlack}, {112, 105, kBlack}, {205, 205, kBlack}});

  // Turned by 30 degrees about the origin: the square around (200, 0) lands around (173, 100).
  Cls();
  SetScale(1.0f, 1.0f);
  SetRotation(30.0f);
  drawCroppedImage(img, 190, -10, 0, 0, 20, 20);
  Capture();
  Expect({{173, 100, kW}, {173, 88, kBlack}, {185, 100, kBlack}});
  SetRotation(0.0f);
}

TEST_F(Drawing, TexturedPolygonNeedsTwoVerticesAndAGlDriver) {
  ImagePtr img = tk::SolidImage(20, 20, tk::kWhite);
  const std::vector<float> quad{10, 10, 0,      0,      30, 10, 0.625f, 0,
                                30, 30, 0.625f, 0.625f, 10, 30, 0,      0.625f};
  DrawTexturedPoly(img, quad, 0, 3);  // three vertices: the triangle above the diagonal
  Capture();
  Expect({{26, 14, kW}, {14, 26, kBlack}});

  Cls();
  DrawTexturedPoly(img, std::vector<float>(quad.begin(), quad.begin() + 5), 0, -1);
  Capture();
  EXPECT_EQ(Lit(), 0);

  class OtherDriver : public TGraphicsDriver {
   public:
    bool IsGL() const override { return false; }
  };
  SetGraphicsDriver(std::make_shared<OtherDriver>());
  DrawTexturedPoly(img, quad, 0, -1);
  drawVial(img, 100, 100, 0.0f, 1.0f);
  Capture();
  EXPECT_EQ(Lit(), 0);
  SetGraphicsDriver(GLDriver2D());
}

}  // namespace
