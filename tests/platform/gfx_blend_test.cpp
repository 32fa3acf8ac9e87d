// How the blend modes, the drawing colour and the drawing alpha mix an image into the screen.
#include <cctype>
#include <ostream>
#include <string>

#include "gfx_support.h"

namespace gfx_test {
namespace {

struct BlendCase {
  const char* name;
  uint32_t background;  // the screen under the image
  uint32_t pixel;       // every pixel of the image
  int blend;
  float alpha;
  int r, g, b;          // drawing colour
  int er, eg, eb;       // expected screen colour where the image is drawn
};

// Keeps test listings short: a case prints as its name.
void PrintTo(const BlendCase& c, std::ostream* os) { *os << c.name; }

class BlendTest : public ScreenTest, public ::testing::WithParamInterface<BlendCase> {};

TEST_P(BlendTest, MixesImageIntoScreen) {
  const BlendCase& c = GetParam();
  SetClsColor((c.background >> 16) & 255, (c.background >> 8) & 255, c.background & 255);
  Cls();
  ImagePtr image = SolidImage(8, 8, c.pixel);
  ASSERT_TRUE(image);
  SetBlend(c.blend);
  SetAlpha(c.alpha);
  SetColor(c.r, c.g, c.b);
  DrawImage(image, 20, 20);
  Capture();
  EXPECT_TRUE(ColorNear(At(23, 23), c.er, c.eg, c.eb)) << c.name;
  uint32_t bg = c.background;
  EXPECT_TRUE(ColorNear(At(19, 19), (bg >> 16) & 255, (bg >> 8) & 255, bg & 255)) << c.name << " outside";
  EXPECT_TRUE(ColorNear(At(28, 28), (bg >> 16) & 255, (bg >> 8) & 255, bg & 255)) << c.name << " outside";
}

const BlendCase kBlendCases[] = {
    {"alpha half", Opaque(0, 0, 200), Opaque(255, 255, 255), ALPHABLEND, 0.5f, 255, 255, 255, 128, 128, 228},
    {"alpha uses the pixel's alpha", Opaque(0, 0, 0), Argb(128, 200, 100, 0), ALPHABLEND, 1.0f, 255, 255, 255,
     100, 50, 0},
    {"alpha above one is opaque", Opaque(0, 0, 200), Opaque(255, 0, 0), ALPHABLEND, 2.5f, 255, 255, 255, 255, 0, 0},
    {"alpha below zero draws nothing", Opaque(0, 0, 200), Opaque(255, 0, 0), ALPHABLEND, -0.5f, 255, 255, 255, 0,
     0, 200},
    {"light adds colour times alpha", Opaque(100, 50, 0), Opaque(100, 100, 100), LIGHTBLEND, 0.5f, 255, 255, 255,
     150, 100, 50},
    {"light saturates", Opaque(200, 200, 200), Opaque(100, 100, 100), LIGHTBLEND, 1.0f, 255, 255, 255, 255, 255,
     255},
    {"light of black adds nothing", Opaque(40, 50, 60), Opaque(0, 0, 0), LIGHTBLEND, 1.0f, 255, 255, 255, 40, 50,
     60},
    {"shade multiplies", Opaque(200, 100, 50), Opaque(128, 128, 128), SHADEBLEND, 1.0f, 255, 255, 255, 100, 50,
     25},
    {"solid ignores alpha", Opaque(0, 0, 200), Argb(0, 10, 200, 30), SOLIDBLEND, 0.2f, 255, 255, 255, 10, 200, 30},
    {"mask draws opaque pixels opaque", Opaque(0, 0, 200), Argb(200, 250, 0, 0), MASKBLEND, 1.0f, 255, 255, 255,
     250, 0, 0},
    {"mask leaves out pixels below half alpha", Opaque(0, 0, 200), Argb(100, 250, 0, 0), MASKBLEND, 1.0f, 255,
     255, 255, 0, 0, 200},
    {"mask counts the drawing alpha", Opaque(0, 0, 200), Argb(200, 250, 0, 0), MASKBLEND, 0.5f, 255, 255, 255, 0,
     0, 200},
    {"mask at a faint alpha draws nothing", Opaque(0, 0, 200), Opaque(250, 0, 0), MASKBLEND, 1e-8f, 255, 255,
     255, 0, 0, 200},
    {"colour tints", Opaque(0, 0, 0), Opaque(255, 255, 255), ALPHABLEND, 1.0f, 255, 128, 0, 255, 128, 0},
    {"colour multiplies the pixels", Opaque(0, 0, 0), Opaque(200, 100, 50), ALPHABLEND, 1.0f, 128, 255, 0, 100,
     100, 0},
    {"tint and alpha together", Opaque(0, 0, 0), Opaque(255, 255, 255), ALPHABLEND, 0.5f, 0, 255, 0, 0, 128, 0},
    {"light with a tint", Opaque(10, 10, 10), Opaque(255, 255, 255), LIGHTBLEND, 1.0f, 100, 0, 50, 110, 10, 60},
};

std::string CaseName(const ::testing::TestParamInfo<BlendCase>& info) {
  std::string name;
  bool upper = true;
  for (const char* p = info.param.name; *p; ++p) {
    if (std::isalnum(static_cast<unsigned char>(*p))) {
      name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(*p))) : *p;
      upper = false;
    } else {
      upper = true;
    }
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Modes, BlendTest, ::testing::ValuesIn(kBlendCases), CaseName);

using DrawingStateTest = ScreenTest;

TEST_F(DrawingStateTest, KeepsValuesAsSetAndClampsColours) {
  SetColor(300, -5, 128);
  int r, g, b;
  GetColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 128);
  SetAlpha(1.035f);
  EXPECT_FLOAT_EQ(GetAlpha(), 1.035f);
  SetAlpha(-0.25f);
  EXPECT_FLOAT_EQ(GetAlpha(), -0.25f);
  SetBlend(LIGHTBLEND);
  EXPECT_EQ(GetBlend(), LIGHTBLEND);
  SetTransform(30.0f, 2.0f, 3.0f);
  float sx, sy;
  GetScale(sx, sy);
  EXPECT_FLOAT_EQ(GetRotation(), 30.0f);
  EXPECT_FLOAT_EQ(sx, 2.0f);
  EXPECT_FLOAT_EQ(sy, 3.0f);
  SetMaskColor(255, 0, 255);
  GetMaskColor(r, g, b);
  EXPECT_EQ(r * 65536 + g * 256 + b, 0xFF00FF);
}

TEST_F(DrawingStateTest, ResetGivesTheDefaults) {
  SetColor(1, 2, 3);
  SetAlpha(0.3f);
  SetBlend(SHADEBLEND);
  SetTransform(45.0f, 2.0f, 2.0f);
  SetOrigin(5, 6);
  SetHandle(7, 8);
  SetViewport(1, 2, 3, 4);
  ResetDrawingState();
  int r, g, b, x, y, w, h;
  float fx, fy;
  GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 765);
  EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
  EXPECT_EQ(GetBlend(), MASKBLEND);
  EXPECT_FLOAT_EQ(GetRotation(), 0.0f);
  GetOrigin(fx, fy);
  EXPECT_EQ(fx + fy, 0.0f);
  GetHandle(fx, fy);
  EXPECT_EQ(fx + fy, 0.0f);
  GetViewport(x, y, w, h);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(w, 800);
  EXPECT_EQ(h, 600);
}

}  // namespace
}  // namespace gfx_test
