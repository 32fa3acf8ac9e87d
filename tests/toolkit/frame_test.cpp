#include <gtest/gtest.h>

#include "platform/headless.h"
#include "toolkit/frame.h"
#include "toolkit/grid.h"
#include "toolkit_fixtures.h"

namespace {

using tk::Near;
using tk::PixelAt;
using tk::Rgb;

struct Spot {
  int x, y;
  Rgb want;
};

void ExpectSpots(std::initializer_list<Spot> spots) {
  for (const Spot& s : spots) EXPECT_TRUE(Near(PixelAt(s.x, s.y), s.want)) << s.x << ", " << s.y;
}

void ExpectDrawState(Rgb colour, float alpha) {
  int r, g, b;
  GetColor(r, g, b);
  EXPECT_EQ(r, colour.r);
  EXPECT_EQ(g, colour.g);
  EXPECT_EQ(b, colour.b);
  EXPECT_FLOAT_EQ(GetAlpha(), alpha);
  float sx, sy;
  GetScale(sx, sy);
  EXPECT_FLOAT_EQ(sx, 1.0f);
  EXPECT_FLOAT_EQ(sy, 1.0f);
}

constexpr Rgb kBlackC{0, 0, 0}, kRedC{255, 0, 0}, kBlueC{0, 0, 255};

TEST(ColorFrame, BarsLieOutsideTheRectangleAndTheFillInside) {
  tk::OpenScreen();
  DimPtr dim = CreateDim(100, 100, 50, 40, 5);
  ColorFramePtr f = CreateColorFrame(dim, CreateColor(static_cast<int32_t>(0x00FF0000)), 1,
                                     CreateColor(0x000000FF), 1.0f, 0);
  EXPECT_EQ(f->enabled + f->visible, 2);
  f->Draw();
  ExpectDrawState({255, 255, 255}, 1.0f);
  ExpectSpots({{96, 96, kRedC},     {152, 96, kRedC},   {96, 120, kRedC},  {152, 120, kRedC},
               {120, 143, kRedC},   {120, 120, kBlueC}, {101, 101, kBlueC}, {120, 93, kBlackC},
               {93, 120, kBlackC},   {156, 120, kBlackC}, {120, 146, kBlackC}});

  Cls();
  f->noTop = 1;
  f->alpha = 0.5f;
  f->Draw();
  ExpectSpots({{120, 97, kBlackC},
               {96, 97, kBlackC},
               {96, 120, {128, 0, 0}},
               {120, 143, {128, 0, 0}},
               {120, 120, {0, 0, 128}}});

  Cls();
  dim->border = 0;
  f->noTop = 0;
  f->alpha = 1.0f;
  f->Draw();
  ExpectSpots({{99, 120, kBlackC}, {100, 120, kBlueC}, {149, 139, kBlueC}, {150, 120, kBlackC}});

  Cls();
  SetColor(10, 20, 30);
  SetAlpha(0.3f);
  f->visible = 0;
  f->Draw();
  ExpectDrawState({10, 20, 30}, 0.3f);
  SetAlpha(1.0f);
  ExpectSpots({{120, 120, kBlackC}});
}

// The nine pieces, each of its own colour.
const uint32_t kPieceColour[9] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF00FFFF,
                                  0xFFFF00FF, 0xFFFFFFFF, 0xFF808080, 0xFF400000};
Rgb PieceRgb(int position) {
  uint32_t c = kPieceColour[position];
  return {static_cast<int>((c >> 16) & 255), static_cast<int>((c >> 8) & 255),
          static_cast<int>(c & 255)};
}

// Corners 20 x 16, top and bottom edges 10 x 16, side edges 20 x 10, centre 10 x 10.
ImageFramePtr NinePieceFrame(int fill, int noTop) {
  ImageFramePtr f = CreateImageFrame(CreateDim(102, 121, 570, 406), fill, 1.0f, noTop);
  const int w[9] = {20, 10, 20, 20, 20, 20, 10, 20, 10};
  const int h[9] = {16, 16, 16, 10, 10, 16, 16, 16, 10};
  for (int p = 0; p < 9; ++p) {
    const std::string name = "slice" + std::to_string(p) + ".png";
    f->AddImage(tk::SavePng(tk::SolidPixmap(w[p], h[p], kPieceColour[p]), name), p);
  }
  return f;
}

TEST(ImageFrame, CornersSitOutsideAndEdgesStretchAlongTheSides) {
  tk::OpenScreen();
  ImageFramePtr f = NinePieceFrame(1, 0);
  EXPECT_EQ(f->slices->Count(), 9);
  EXPECT_EQ(f->GetImage(4)->position, 4);
  EXPECT_EQ(f->GetImage(9), nullptr);
  SetColor(255, 255, 255);
  f->Draw();
  ExpectDrawState({255, 255, 255}, 1.0f);
  ExpectSpots({
      {82, 105, PieceRgb(0)},  {101, 120, PieceRgb(0)}, {81, 105, kBlackC},  {82, 104, kBlackC},
      {104, 110, PieceRgb(1)}, {400, 110, PieceRgb(1)}, {669, 110, PieceRgb(1)},
      {680, 110, PieceRgb(2)}, {692, 110, kBlackC},
      {90, 124, PieceRgb(3)},  {90, 523, PieceRgb(3)},  {680, 300, PieceRgb(4)},
      {90, 535, PieceRgb(5)},  {300, 535, PieceRgb(6)}, {680, 535, PieceRgb(7)},
      {300, 543, kBlackC},      {300, 300, PieceRgb(8)}, {103, 122, PieceRgb(8)},
  });
  EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST(ImageFrame, WithoutTopOrFillThoseParts) {
  tk::OpenScreen();
  ImageFramePtr f = NinePieceFrame(0, 1);
  SetColor(255, 255, 255);
  f->Draw();
  ExpectSpots({{90, 110, kBlackC},
               {400, 110, kBlackC},
               {680, 110, kBlackC},
               {90, 124, PieceRgb(3)},  // the sides still start at the rectangle's top
               {680, 124, PieceRgb(4)},
               {300, 535, PieceRgb(6)},
               {300, 300, kBlackC}});
}

TEST(ImageFrame, FirstSliceOfAPositionWinsAndAlphaAppliesToEveryPiece) {
  tk::OpenScreen();
  ImageFramePtr f = CreateImageFrame(CreateDim(102, 121, 570, 406), 0, 0.5f, 0);
  f->AddImage(tk::SavePng(tk::SolidPixmap(20, 16, tk::kRed), "first.png"), 0);
  f->AddImage(tk::SavePng(tk::SolidPixmap(20, 16, tk::kBlue), "second.png"), 0);
  EXPECT_EQ(f->GetImage(0), f->slices->First());
  SetColor(255, 255, 255);
  f->Draw();
  ExpectSpots({{90, 110, {128, 0, 0}}});
  ExpectDrawState({255, 255, 255}, 1.0f);

  Cls();
  SetAlpha(0.3f);
  SetColor(1, 2, 3);
  f->visible = 0;
  f->Draw();
  ExpectDrawState({1, 2, 3}, 0.3f);
  SetAlpha(1.0f);
  ExpectSpots({{90, 110, kBlackC}});
}

TEST(ImageFrame, SliceThatDidNotLoadIsNamedAndDrawsNothing) {
  tk::OpenScreen();
  ImageFramePtr f = CreateImageFrame(CreateDim(102, 121, 570, 406), 1, 1.0f, 0);
  testing::internal::CaptureStdout();
  f->AddImage(S("gfx\\ramka\\none.png"), 0);
  const std::string printed = testing::internal::GetCapturedStdout();
  EXPECT_NE(printed.find("gfx\\ramka\\none.png"), std::string::npos) << printed;
  ASSERT_EQ(headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(headless::MessageBoxes()[0].text, u"Nie mozna zaladowac obrazka: gfx\\ramka\\none.png");
  EXPECT_EQ(f->GetImage(0)->image, nullptr);
  f->AddImage(tk::SavePng(tk::SolidPixmap(10, 16, tk::kGreen), "top.png"), 1);
  f->Draw();
  ExpectSpots({{90, 110, kBlackC}, {400, 110, {0, 255, 0}}});
}

TEST(ImageFrame, SliceDrawsAgainstAnyRectangleAndUnknownPositionsAtTheOrigin) {
  tk::OpenScreen();
  auto slice = CreateSliceImage(tk::SavePng(tk::SolidPixmap(10, 10, tk::kRed), "piece.png"), 12);
  slice->Draw(CreateDim(300, 300, 100, 100), 1.0f);
  ExpectSpots({{5, 5, kRedC}, {305, 305, kBlackC}});
  Cls();
  slice->position = 8;
  slice->Draw(CreateDim(300, 300, 100, 50), 1.0f);
  ExpectSpots({{301, 301, kRedC}, {398, 348, kRedC}, {402, 320, kBlackC}, {320, 352, kBlackC}});
}

TEST(FrameBases, DoNothingByThemselves) {
  TFrame f;
  EXPECT_EQ(f.State(), 0);
  f.AddImage(S("x.png"), 0);
  EXPECT_EQ(f.GetImage(0), nullptr);
  EXPECT_EQ(f.visible + f.enabled, 2);
  EXPECT_FLOAT_EQ(f.alpha, 1.0f);
  EXPECT_TRUE(headless::MessageBoxes().empty());
  TGrid g;
  EXPECT_EQ(g.State(), 0);
  EXPECT_EQ(g.Draw(), 0);
  EXPECT_EQ(g.cells->Count(), 0);
  EXPECT_EQ(g.enabled, 1);
}

}  // namespace
