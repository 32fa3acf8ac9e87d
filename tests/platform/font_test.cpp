// TrueType image fonts: metrics of a known font, glyphs drawn into a captured frame, the default.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/image_font.h"
#include "platform/pixmap.h"
#include "support/test_support.h"

namespace {

const std::string kSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const String kBlock = u"\u2588";  // a full block: solid from the ascender down to the descender

std::string WriteText(const std::string& name, const std::string& text) {
  const std::string path = test_support::TempHome() + "/" + name;
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

// DejaVu Sans: 2048 units to the em, ascender 1901, descender 483, digits 1303 units wide.
struct MetricsCase {
  int size;
  int height;      // ascender and descender, each rounded outwards
  int digitWidth;  // one digit's advance, rounded
};

class FontMetrics : public testing::TestWithParam<MetricsCase> {};

TEST_P(FontMetrics, MatchTheFontAtItsSize) {
  const MetricsCase c = GetParam();
  ImageFontPtr font = LoadImageFont(kSans, c.size);
  ASSERT_TRUE(font);
  EXPECT_EQ(font->size, c.size);
  SetImageFont(font);
  EXPECT_EQ(GetImageFont(), font);
  EXPECT_EQ(TextHeight(u"Hello"), c.height);
  EXPECT_EQ(TextHeight(u""), c.height);
  EXPECT_EQ(TextWidth(u""), 0);
  EXPECT_EQ(TextWidth(u"0"), c.digitWidth);
  EXPECT_EQ(TextWidth(u"0123456789"), 10 * c.digitWidth);
  EXPECT_EQ(TextWidth(u"Wave to it"),
            TextWidth(u"Wave") + TextWidth(u" ") + TextWidth(u"to") + TextWidth(u" it"));
}

INSTANTIATE_TEST_SUITE_P(Sizes, FontMetrics,
                         testing::Values(MetricsCase{12, 15, 8}, MetricsCase{20, 24, 13},
                                         MetricsCase{32, 38, 20}));

TEST(ImageFont, MeasuresInTheSelectedFontUnscaled) {
  ImageFontPtr small = LoadImageFont(kSans, 12);
  ImageFontPtr large = LoadImageFont(kSans, 32);
  ImageFontPtr bold = LoadImageFont(kSans, 32, BOLDFONT | SMOOTHFONT);
  ASSERT_TRUE(small && large && bold);
  SetImageFont(small);
  const int smallWidth = TextWidth(u"Mirethorn");
  SetImageFont(large);
  const int largeWidth = TextWidth(u"Mirethorn");
  EXPECT_GT(largeWidth, smallWidth * 2);
  SetScale(3.0f, 3.0f);
  SetRotation(45.0f);
  EXPECT_EQ(TextWidth(u"Mirethorn"), largeWidth);
  EXPECT_EQ(TextHeight(u"Mirethorn"), 38);
  SetTransform();
  SetImageFont(bold);
  EXPECT_GT(TextWidth(u"Mirethorn"), largeWidth);
  EXPECT_EQ(TextHeight(u"Mirethorn"), 38);
}

TEST(ImageFont, TextIsReadAsSixteenBitUnits) {
  SetImageFont(LoadImageFont(kSans, 20));
  // A pair of surrogates is one character; an unpaired one still takes a place.
  const String pair = u"\U0001D400";
  EXPECT_EQ(TextWidth(pair + u"0"), TextWidth(pair) + TextWidth(u"0"));
  const String lone(1, static_cast<char16_t>(0xD800));
  EXPECT_GT(TextWidth(lone), 0);
  EXPECT_EQ(TextWidth(u"\u00e9t\u00e9"), TextWidth(u"\u00e9") * 2 + TextWidth(u"t"));
}

TEST(ImageFont, FilesThatAreNotFontsGiveNoFont) {
  const std::string cases[] = {
      test_support::TempHome() + "/missing.ttf",
      WriteText("empty.ttf", ""),
      WriteText("text.ttf", "this is not a font\n"),
      WriteText("cut.ttf", std::string("\0\1\0\0\0\x10\0\x80", 8)),
      test_support::TempHome(),
      "",
  };
  for (const std::string& path : cases) EXPECT_FALSE(LoadImageFont(path, 20)) << path;
  EXPECT_FALSE(LoadImageFont(kSans, 0));
  EXPECT_FALSE(LoadImageFont(kSans, -5));
}

TEST(ImageFont, FontPathIsMatchedWithoutRegardToCase) {
  const std::string dir = test_support::TempHome() + "/Gfx";
  std::filesystem::create_directories(dir);
  std::filesystem::copy_file(kSans, dir + "/Title.TTF");
  EXPECT_TRUE(LoadImageFont(test_support::TempHome() + "/gfx/title.ttf", 20));
}

TEST(ImageFont, NoFontSelectsTheDefaultFont) {
  // Before any font is chosen, text is measured in the default font.
  ASSERT_TRUE(GetImageFont());
  const int defaultHeight = TextHeight(u"A");
  const int defaultWidth = TextWidth(u"0000");
  EXPECT_EQ(defaultHeight, 15);
  EXPECT_EQ(defaultWidth, 32);
  SetImageFont(LoadImageFont(kSans, 32));
  EXPECT_EQ(TextHeight(u"A"), 38);
  SetImageFont(nullptr);
  EXPECT_EQ(TextHeight(u"A"), defaultHeight);
  EXPECT_EQ(TextWidth(u"0000"), defaultWidth);
  SetImageFont(LoadImageFont(test_support::TempHome() + "/missing.ttf", 20));
  EXPECT_EQ(TextHeight(u"A"), defaultHeight);
}

// ---- Drawing ---------------------------------------------------------------------------------

struct Box {
  int left = 800, top = 600, right = -1, bottom = -1;  // inclusive
};

// The smallest box around every pixel that differs from the background.
Box LitBox(const PixmapPtr& frame, uint32_t background) {
  Box box;
  for (int y = 0; y < frame->height; ++y) {
    for (int x = 0; x < frame->width; ++x) {
      if ((ReadPixel(frame, x, y) & 0xFFFFFFu) == (background & 0xFFFFFFu)) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

class TextDrawing : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Graphics(800, 600, 0));
    ResetDrawingState();
    ASSERT_TRUE(font = LoadImageFont(kSans, 20));
    SetImageFont(font);
  }
  void Clear(int r, int g, int b) {
    SetClsColor(r, g, b);
    Cls();
  }
  ImageFontPtr font;
};

struct PlacementCase {
  float scale;
  float rotation;
  Box expected;
};

TEST_F(TextDrawing, GlyphSitsWithItsTopLeftAtThePointAndTurnsAboutIt) {
  // At 20 pixels the block is 24 rows from the ascender down, and its edges spill one column to
  // the left of the pen; scale and rotation turn the whole line about the text's origin.
  const PlacementCase cases[] = {
      {1.0f, 0.0f, {99, 50, 115, 73}},
      {2.0f, 0.0f, {98, 50, 131, 97}},
      {1.0f, 90.0f, {76, 49, 99, 65}},
  };
  for (const auto& c : cases) {
    Clear(0, 0, 0);
    SetBlend(ALPHABLEND);
    SetScale(c.scale, c.scale);
    SetRotation(c.rotation);
    DrawText(kBlock, 100.0f, 50.0f);
    SetTransform();
    const Box box = LitBox(headless::CaptureBackBuffer(), 0);
    EXPECT_NEAR(box.left, c.expected.left, 1) << c.scale << " " << c.rotation;
    EXPECT_NEAR(box.top, c.expected.top, 1) << c.scale << " " << c.rotation;
    EXPECT_NEAR(box.right, c.expected.right, 1) << c.scale << " " << c.rotation;
    EXPECT_NEAR(box.bottom, c.expected.bottom, 1) << c.scale << " " << c.rotation;
  }
}

TEST_F(TextDrawing, DigitLandsInsideItsMeasuredBox) {
  Clear(0, 0, 0);
  SetBlend(ALPHABLEND);
  DrawText(u"0", 300.0f, 200.0f);
  // At 20 pixels "0" is 11 x 15 pixels, one column in from the pen, its top 4 rows below the
  // ascender.
  const Box box = LitBox(headless::CaptureBackBuffer(), 0);
  EXPECT_NEAR(box.left, 301, 1);
  EXPECT_NEAR(box.right, 311, 1);
  EXPECT_NEAR(box.top, 204, 1);
  EXPECT_NEAR(box.bottom, 218, 1);
  EXPECT_LE(box.right, 300 + TextWidth(u"0"));
  EXPECT_LT(box.bottom, 200 + TextHeight(u"0"));
}

struct ColourCase {
  int blend;
  float alpha;
  int background[3];
  int colour[3];
  int expected[3];
};

TEST_F(TextDrawing, GlyphTakesTheColourAlphaAndBlend) {
  const ColourCase cases[] = {
      {ALPHABLEND, 1.0f, {0, 0, 0}, {255, 128, 0}, {255, 128, 0}},
      {MASKBLEND, 1.0f, {0, 0, 0}, {20, 200, 90}, {20, 200, 90}},
      {ALPHABLEND, 0.5f, {0, 0, 0}, {255, 128, 0}, {128, 64, 0}},
      {ALPHABLEND, 0.5f, {0, 0, 200}, {200, 0, 0}, {100, 0, 100}},
      {LIGHTBLEND, 1.0f, {0, 0, 100}, {255, 128, 0}, {255, 128, 100}},
      {SHADEBLEND, 1.0f, {200, 200, 200}, {255, 128, 0}, {200, 100, 0}},
  };
  for (const auto& c : cases) {
    Clear(c.background[0], c.background[1], c.background[2]);
    SetBlend(c.blend);
    SetAlpha(c.alpha);
    SetColor(c.colour[0], c.colour[1], c.colour[2]);
    DrawText(kBlock, 100.0f, 50.0f);
    const PixmapPtr frame = headless::CaptureBackBuffer();
    ASSERT_TRUE(frame);
    const uint32_t inside = ReadPixel(frame, 107, 62);
    const int got[3] = {static_cast<int>((inside >> 16) & 255),
                        static_cast<int>((inside >> 8) & 255), static_cast<int>(inside & 255)};
    for (int i = 0; i < 3; ++i)
      EXPECT_NEAR(got[i], c.expected[i], 2) << "blend " << c.blend << " channel " << i;
    // Nothing is drawn beyond the text's box.
    const uint32_t outside = ReadPixel(frame, 130, 62);
    const uint32_t bg = (static_cast<uint32_t>(c.background[0]) << 16) |
                        (static_cast<uint32_t>(c.background[1]) << 8) |
                        static_cast<uint32_t>(c.background[2]);
    EXPECT_EQ(outside & 0xFFFFFFu, bg);
  }
}

TEST_F(TextDrawing, LineAdvancesGlyphByGlyph) {
  Clear(0, 0, 0);
  SetBlend(ALPHABLEND);
  DrawText(kBlock + u" " + kBlock, 10.0f, 10.0f);
  const PixmapPtr frame = headless::CaptureBackBuffer();
  const int advance = TextWidth(kBlock);
  const int space = TextWidth(u" ");
  // The middle of each block is lit, the middle of the gap between them is not.
  EXPECT_EQ(ReadPixel(frame, 10 + advance / 2, 20) & 0xFFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(ReadPixel(frame, 10 + advance + space + advance / 2, 20) & 0xFFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(ReadPixel(frame, 10 + advance + space / 2, 20) & 0xFFFFFFu, 0u);
  EXPECT_EQ(LitBox(frame, 0).right, 10 + 2 * advance + space);  // the last block's spill
}

TEST_F(TextDrawing, DefaultFontDraws) {
  SetImageFont(nullptr);
  Clear(0, 0, 0);
  SetBlend(ALPHABLEND);
  DrawText(u"Mirethorn", 40.0f, 40.0f);
  const Box box = LitBox(headless::CaptureBackBuffer(), 0);
  EXPECT_GE(box.left, 39);
  EXPECT_GE(box.top, 40);
  EXPECT_LE(box.right, 40 + TextWidth(u"Mirethorn"));
  EXPECT_LT(box.bottom, 40 + TextHeight(u"Mirethorn"));
  EXPECT_GT(box.right - box.left, TextWidth(u"Mirethorn") / 2);
}

}  // namespace
