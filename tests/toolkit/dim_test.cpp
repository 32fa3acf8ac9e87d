#include <gtest/gtest.h>

#include "toolkit/color.h"
#include "toolkit/dim.h"

namespace {

struct EdgeCase {
  const char* name;
  float x, y, w, h, sx, sy;
  int mode;
  float ox, oy;
  float left, top, right, bottom;
};

TEST(Dim, EdgesFollowHandleModeScaleAndOffsets) {
  const EdgeCase cases[] = {
      {"top-left, natural size", 10, 20, 100, 50, 1, 1, 0, 0, 0, 10, 20, 110, 70},
      {"top-left, grown 1.5", 10, 20, 100, 50, 1.5f, 1.5f, 0, 0, 0, -15, 7.5f, 135, 82.5f},
      {"top-left, shrunk 0.5", 10, 20, 100, 50, 0.5f, 0.5f, 0, 0, 0, 35, 32.5f, 85, 57.5f},
      {"top-left, offsets", 10, 20, 100, 50, 1, 1, 0, 3, -4, 13, 16, 113, 66},
      {"centred with offsets", 400, 300, 200, 100, 1, 1, 1, 5, -5, 305, 245, 505, 345},
      {"centred, shrunk 0.5", 400, 300, 200, 100, 0.5f, 0.5f, 1, 0, 0, 350, 275, 450, 325},
      {"centred, grown 2", 400, 300, 200, 100, 2, 2, 1, 0, 0, 200, 200, 600, 400},
      {"unknown mode ignores position and offsets", 400, 300, 200, 100, 1.5f, 2, 2, 7, 9, 0, 0,
       300, 200},
  };
  for (const EdgeCase& c : cases) {
    SCOPED_TRACE(c.name);
    DimPtr d = CreateDim(c.x, c.y, c.w, c.h, 0, c.sx, c.sy, c.mode);
    d->offsetX = c.ox;
    d->offsetY = c.oy;
    EXPECT_FLOAT_EQ(d->Left(), c.left);
    EXPECT_FLOAT_EQ(d->Top(), c.top);
    EXPECT_FLOAT_EQ(d->Right(), c.right);
    EXPECT_FLOAT_EQ(d->Bottom(), c.bottom);
  }
}

TEST(Dim, ScalingKeepsTheCentre) {
  DimPtr d = CreateDim(10, 20, 100, 50);
  for (float s : {0.5f, 1.0f, 1.15f, 1.5f}) {
    d->scaleX = d->scaleY = s;
    EXPECT_FLOAT_EQ((d->Left() + d->Right()) / 2, 60.0f) << s;
    EXPECT_FLOAT_EQ((d->Top() + d->Bottom()) / 2, 45.0f) << s;
  }
}

TEST(Dim, HitTestsAreStrictOnEveryEdge) {
  DimPtr d = CreateDim(10, 20, 100, 50);
  struct {
    float px, py;
    int in;
  } points[] = {{10, 30, 0},   {10.5f, 30, 1}, {110, 30, 0}, {109.9f, 30, 1}, {50, 70, 0},
                {50, 20, 0},   {50, 20.1f, 1}, {50, 69.9f, 1}, {-5, 30, 0},  {50, 100, 0}};
  for (auto& p : points) {
    EXPECT_EQ(d->InXY(p.px, p.py), p.in) << p.px << ", " << p.py;
    DimPtr other = CreateDim(p.px, p.py, 999, 999, 0, 3, 3, 1);  // only its point counts
    EXPECT_EQ(d->In(other), p.in) << p.px << ", " << p.py;
  }
  EXPECT_EQ(d->InX(10), 0);
  EXPECT_EQ(d->InX(60), 1);
  EXPECT_EQ(d->InX(110), 0);
  EXPECT_EQ(d->InY(20), 0);
  EXPECT_EQ(d->InY(45), 1);
  EXPECT_EQ(d->InY(70), 0);
}

TEST(Dim, HitTestsUseTheScaledAndCentredEdges) {
  DimPtr d = CreateDim(400, 300, 200, 100, 0, 1, 1, 1);
  EXPECT_EQ(d->InXY(301, 300), 1);
  EXPECT_EQ(d->InXY(300, 300), 0);
  d->scaleX = d->scaleY = 0.5f;
  EXPECT_EQ(d->InXY(340, 300), 0);
  EXPECT_EQ(d->InXY(351, 300), 1);
  EXPECT_EQ(d->InXY(400, 276), 1);
  EXPECT_EQ(d->InXY(400, 275), 0);
}

TEST(Dim, FieldsWrittenBetweenQueriesTakeEffectAtOnce) {
  DimPtr d = CreateDim(0, 0, 10, 10);
  EXPECT_EQ(d->InXY(50, 50), 0);
  d->x = 45;
  d->y = 45;
  EXPECT_EQ(d->InXY(50, 50), 1);
  d->width = 4;
  EXPECT_EQ(d->InXY(50, 50), 0);
}

TEST(Dim, PlainRectangleHasZeroScaleAndContainsNothing) {
  TDim d;
  d.x = 10;
  d.width = 100;
  d.height = 50;
  EXPECT_FLOAT_EQ(d.Left(), 60.0f);
  EXPECT_FLOAT_EQ(d.Right(), 60.0f);
  EXPECT_EQ(d.InXY(60, 10), 0);
  EXPECT_EQ(d.InXY(30, 0), 0);
}

TEST(Color, SplitsPackedColoursIntoComponents) {
  struct {
    int32_t packed;
    int r, g, b, a;
  } cases[] = {{0x00FFFFFF, 255, 255, 255, 0},
               {static_cast<int32_t>(0xFF102030u), 16, 32, 48, 255},
               {static_cast<int32_t>(0x80000000u), 0, 0, 0, 128},
               {0, 0, 0, 0, 0}};
  for (auto& c : cases) {
    ColorPtr col = CreateColor(c.packed);
    EXPECT_EQ(col->packed, c.packed);
    EXPECT_EQ(col->red, c.r);
    EXPECT_EQ(col->green, c.g);
    EXPECT_EQ(col->blue, c.b);
    EXPECT_EQ(col->alpha, c.a);
  }
  ColorPtr col = CreateColor(0x00FFFFFF);
  col->Color(0x01020304);
  EXPECT_EQ(col->packed, 0x01020304);
  EXPECT_EQ(col->alpha, 1);
  EXPECT_EQ(col->red, 2);
  EXPECT_EQ(col->green, 3);
  EXPECT_EQ(col->blue, 4);
}

TEST(Color, ComponentGettersReadTheArgumentNotTheFields) {
  ColorPtr col = CreateColor(static_cast<int32_t>(0xFFAABBCCu));
  EXPECT_EQ(col->Red(0x12345678), 0x34);
  EXPECT_EQ(col->Green(0x12345678), 0x56);
  EXPECT_EQ(col->Blue(0x12345678), 0x78);
  EXPECT_EQ(col->Alpha(0x12345678), 0x12);
  EXPECT_EQ(col->Alpha(static_cast<int32_t>(0xF0000000u)), 0xF0);
  TColor plain;
  EXPECT_EQ(plain.red + plain.green + plain.blue + plain.alpha + plain.packed, 0);
}

}  // namespace
