#include <gtest/gtest.h>

#include "platform/image_font.h"
#include "toolkit/memo.h"
#include "toolkit/shadowed_text.h"
#include "toolkit/text.h"
#include "toolkit_fixtures.h"

namespace {

// "a" advances 10 (red), "b" 12 (green), "c" 8 (blue), "d" 30 (white); line height 30.
FontPtr TestFont(float lineHeight = 30) {
  return CreateFont(tk::GlyphRow(static_cast<int>(lineHeight),
                                 {{10, tk::kRed}, {12, tk::kGreen}, {8, tk::kBlue},
                                  {30, tk::kWhite}}),
                    u"abcd", lineHeight, 0);
}

TEST(Text, CreationKeepsTheRectangleAndWritesItsHandleAndOffsets) {
  DimPtr dim = CreateDim(100, 50);
  FontPtr font = TestFont();
  TextPtr t = CreateText(u"ab", dim, font, 0.7f, 1, 3, -4);
  EXPECT_EQ(t->dim, dim);
  EXPECT_EQ(dim->handleMode, 1);
  EXPECT_FLOAT_EQ(dim->offsetX, 3);
  EXPECT_FLOAT_EQ(dim->offsetY, -4);
  EXPECT_FLOAT_EQ(t->alpha, 0.7f);
  EXPECT_EQ(t->visible, 1);
  EXPECT_EQ(t->color->packed, 0x00FFFFFF);
  EXPECT_EQ(t->font.bitmap, font);
  TText plain;
  EXPECT_FLOAT_EQ(plain.alpha, 0.0f);
  EXPECT_EQ(plain.color->red, 255);
}

TEST(Text, BitmapWidthAddsAdvancesAndHeightIsTheLineHeight) {
  FontPtr font = TestFont();
  struct {
    String text;
    float width;
  } cases[] = {{u"", 0}, {u"ab", 22}, {u"a b", 37}, {u"aZ", 25}, {u"abcd", 60}};
  for (auto& c : cases) {
    TextPtr t = CreateText(c.text, CreateDim(0, 0), font);
    EXPECT_FLOAT_EQ(t->Width(), c.width) << ToUtf8(c.text);
    EXPECT_FLOAT_EQ(t->Height(), 30.0f);
  }
  FontPtr half = TestFont(25);
  EXPECT_FLOAT_EQ(CreateText(u"a b c", CreateDim(0, 0), half)->Width(), 10 + 12.5f + 12 + 12.5f + 8);
  TextPtr hidden = CreateText(u"ab", CreateDim(0, 0), font);
  hidden->visible = 0;
  EXPECT_FLOAT_EQ(hidden->Width(), 22.0f);
}

TEST(Text, BitmapDrawPlacesLettersByWholePixelAdvances) {
  tk::OpenScreen();
  FontPtr half = TestFont(25);
  TextPtr t = CreateText(u"a b c", CreateDim(100, 50), half, 0.5f);
  t->Draw();
  // a at 0, the space to 10, b at trunc(22.5) = 22, the space to 34, c at trunc(46.5) = 46.
  EXPECT_FLOAT_EQ(half->GetLetter(u"b")->dim->x, 122.0f);
  EXPECT_FLOAT_EQ(half->GetLetter(u"c")->dim->x, 146.0f);
  EXPECT_FLOAT_EQ(half->GetLetter(u"c")->dim->y, 50.0f);
  EXPECT_FLOAT_EQ(half->GetLetter(u"c")->alpha, 0.5f);
  EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
}

TEST(Text, BitmapDrawShowsLettersSideBySideAndScaledAboutTheirOwnBoxes) {
  tk::OpenScreen();
  FontPtr font = TestFont();
  DimPtr dim = CreateDim(100, 50);
  TextPtr t = CreateText(u"ab", dim, font);
  t->Draw();
  EXPECT_TRUE(tk::Near(tk::PixelAt(104, 60), {255, 0, 0}));
  EXPECT_TRUE(tk::Near(tk::PixelAt(115, 60), {0, 255, 0}));
  EXPECT_TRUE(tk::Near(tk::PixelAt(124, 60), {0, 0, 0}));
  EXPECT_TRUE(tk::Near(tk::PixelAt(98, 60), {0, 0, 0}));

  // Scale 2: "a" grows about 105 (to 95..115), "b" about 116 (to 104..128), drawn over it.
  Cls();
  dim->scaleX = dim->scaleY = 2.0f;
  t->Draw();
  EXPECT_FLOAT_EQ(font->GetLetter(u"b")->dim->x, 110.0f);  // advances are not scaled
  EXPECT_TRUE(tk::Near(tk::PixelAt(98, 60), {255, 0, 0}));
  EXPECT_TRUE(tk::Near(tk::PixelAt(108, 60), {0, 255, 0}));
  EXPECT_TRUE(tk::Near(tk::PixelAt(126, 90), {0, 255, 0}));
  EXPECT_TRUE(tk::Near(tk::PixelAt(130, 60), {0, 0, 0}));
}

TEST(Text, HiddenOrFontlessTextDrawsNothing) {
  tk::OpenScreen();
  TextPtr hidden = CreateText(u"ab", CreateDim(100, 50), TestFont());
  hidden->visible = 0;
  hidden->Draw();
  TextPtr fontless = CreateText(u"ab", CreateDim(100, 50), nullptr);
  fontless->Draw();
  EXPECT_FLOAT_EQ(fontless->Width(), 0.0f);
  EXPECT_TRUE(tk::Near(tk::PixelAt(104, 60), {0, 0, 0}));
}

TEST(Text, ImageFontTextMeasuresInTheSelectedFontAndDrawsInItsColour) {
  tk::OpenScreen();
  SetImageFont(nullptr);
  TextPtr t = CreateText(u"MMMM", CreateDim(100, 100), ImageFontPtr());
  // Without an image font of its own the text is fontless; with one it measures like the
  // framework.
  ImageFontPtr big = LoadImageFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 40);
  ASSERT_NE(big, nullptr);
  t->font = big;
  const float before = t->Width();
  EXPECT_FLOAT_EQ(before, static_cast<float>(TextWidth(u"MMMM")));  // the default font
  t->color = CreateColor(0x0000FF00);
  t->alpha = 1.0f;
  t->Draw();
  EXPECT_EQ(GetImageFont(), big);  // stays selected
  EXPECT_NE(t->Width(), before);
  EXPECT_FLOAT_EQ(t->Width(), static_cast<float>(TextWidth(u"MMMM")));
  EXPECT_FLOAT_EQ(t->Height(), static_cast<float>(TextHeight(u"MMMM")));
  int r, g, b;
  GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  // Some pixel of the text is green, none is red.
  PixmapPtr shot = headless::CaptureBackBuffer();
  bool green = false, red = false;
  for (int y = 100; y < 160; ++y)
    for (int x = 100; x < 100 + static_cast<int>(t->Width()); ++x) {
      uint32_t v = ReadPixel(shot, x, y);
      green |= ((v >> 8) & 255) > 200;
      red |= ((v >> 16) & 255) > 50;
    }
  EXPECT_TRUE(green);
  EXPECT_FALSE(red);
}

// Where each of the four letters of "abcd" was drawn last (they are shared by the font).
struct Placed {
  float ax, ay, bx, by, cx, cy, dx, dy;
};
Placed PlacedLetters(const FontPtr& f) {
  auto at = [&](const char16_t* c) { return f->GetLetter(c)->dim; };
  return {at(u"a")->x, at(u"a")->y, at(u"b")->x, at(u"b")->y,
          at(u"c")->x, at(u"c")->y, at(u"d")->x, at(u"d")->y};
}

TEST(Memo, WrapsAtAnyCharacterThatWouldPassTheRightEdge) {
  tk::OpenScreen();
  // Every glyph 30 wide: "abcd" in a rectangle from x 0 to 100.
  FontPtr font = CreateFont(tk::GlyphRow(30, {{30, tk::kRed}, {30, tk::kRed}, {30, tk::kRed},
                                              {30, tk::kRed}}),
                            u"abcd", 30, 0);
  MemoPtr memo = CreateMemo(font, u"abcd", CreateDim(0, 10, 100, 0), 1, 1.0f);
  memo->Draw();
  Placed p = PlacedLetters(font);
  EXPECT_FLOAT_EQ(p.ax, 0);
  EXPECT_FLOAT_EQ(p.bx, 30);
  EXPECT_FLOAT_EQ(p.cx, 60);
  EXPECT_FLOAT_EQ(p.cy, 10);
  EXPECT_FLOAT_EQ(p.dx, 0);
  EXPECT_FLOAT_EQ(p.dy, 40);

  for (int wrap : {0, 2}) {  // any other value: one line past the edge
    memo->wrap = wrap;
    memo->Draw();
    p = PlacedLetters(font);
    EXPECT_FLOAT_EQ(p.dx, 90) << wrap;
    EXPECT_FLOAT_EQ(p.dy, 10) << wrap;
  }

  // A first character wider than the rectangle leaves the first line empty.
  memo->wrap = 1;
  memo->dim->width = 20;
  memo->text = String(1, u'a');
  memo->Draw();
  p = PlacedLetters(font);
  EXPECT_FLOAT_EQ(p.ax, 0);
  EXPECT_FLOAT_EQ(p.ay, 40);
  EXPECT_EQ(memo->State(), 0);
}

TEST(Memo, HiddenOrFontlessMemoDrawsNothing) {
  tk::OpenScreen();
  FontPtr font = TestFont();
  MemoPtr hidden = CreateMemo(font, u"ab", CreateDim(100, 50, 200, 0), 1, 1.0f);
  hidden->visible = 0;
  hidden->Draw();
  CreateMemo(nullptr, u"ab", CreateDim(100, 50, 200, 0), 1, 1.0f)->Draw();
  EXPECT_TRUE(tk::Near(tk::PixelAt(104, 60), {0, 0, 0}));
  EXPECT_FLOAT_EQ(font->GetLetter(u"a")->dim->x, 0.0f);  // never placed
}

TEST(Memo, ImageFontMemoBreaksByTheHeightOfItsWholeText) {
  tk::OpenScreen();
  ImageFontPtr font = LoadImageFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 20);
  ASSERT_NE(font, nullptr);
  SetImageFont(font);
  const int w = TextWidth(u"W");
  const int h = TextHeight(u"WWW");
  // Room for two W's: the third starts the next line, one text height lower.
  MemoPtr memo = CreateMemo(font, u"WWW", CreateDim(100, 100, static_cast<float>(2 * w), 0), 1,
                            1.0f);
  memo->Draw();
  PixmapPtr shot = headless::CaptureBackBuffer();
  auto inkIn = [&](int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if ((ReadPixel(shot, x, y) & 0xFFFFFFu) != 0) return true;
    return false;
  };
  EXPECT_TRUE(inkIn(100, 100, 100 + 2 * w, 100 + h));
  EXPECT_TRUE(inkIn(100, 100 + h, 100 + w, 100 + 2 * h));
  EXPECT_FALSE(inkIn(100 + w + 2, 100 + h, 100 + 3 * w, 100 + 2 * h));
  EXPECT_FALSE(inkIn(100 + 2 * w + 2, 100, 100 + 3 * w + 4, 100 + h));
  EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
}

TEST(ShadowedText, DrawsTwoShadowsAroundTheAlignedText) {
  tk::OpenScreen();
  ImageFontPtr font = LoadImageFont("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 24);
  ASSERT_NE(font, nullptr);
  SetImageFont(font);
  const int w = TextWidth(u"I");
  SetClsColor(0, 0, 255);
  // The left edge of the red text (a single vertical bar).
  auto leftRed = [](const PixmapPtr& shot) {
    for (int x = 300; x < 500; ++x)
      for (int y = 280; y < 340; ++y) {
        uint32_t v = ReadPixel(shot, x, y);
        if (((v >> 16) & 255) > 128 && ((v >> 8) & 255) < 60) return x;
      }
    return -1;
  };
  struct {
    int align, shift;
  } cases[] = {{0, 0}, {1, w / 2}, {2, w}, {5, 0}};
  int base = -1;
  for (auto& c : cases) {
    Cls();
    DrawShadowedText(u"I", 400, 300, nullptr, c.align, 255, 0, 0);
    int r, g, b;
    GetColor(r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
    const int left = leftRed(headless::CaptureBackBuffer());
    if (base < 0) base = left;
    EXPECT_EQ(left, base - c.shift) << c.align;
  }
  EXPECT_EQ(GetImageFont(), font);
  EXPECT_GE(base, 400);
  // The grey shadow shows left of the text, the black one below it, over the blue background.
  Cls();
  DrawShadowedText(u"I", 400, 300, font, 0, 255, 0, 0);
  PixmapPtr shot = headless::CaptureBackBuffer();
  bool grey = false, black = false;
  for (int y = 290; y < 340; ++y) {
    const uint32_t v = ReadPixel(shot, base - 1, y);
    const int r = (v >> 16) & 255, g = (v >> 8) & 255;
    grey |= r > 30 && r - g < 8 && g - r < 8;
    for (int x = base; x < base + w; ++x) {
      uint32_t u = ReadPixel(shot, x, y);
      black |= ((u >> 16) & 255) < 40 && ((u >> 8) & 255) < 40 && (u & 255) < 40;
    }
  }
  EXPECT_TRUE(grey);
  EXPECT_TRUE(black);
  SetClsColor(0, 0, 0);
}

TEST(ImageText, TargetTakesTextFontAndCentredPosition) {
  tk::OpenScreen();
  FontPtr font = TestFont();
  TextPtr target = CreateText(u"", CreateDim(0, 0), nullptr);
  DrawImageText(u"abc", target, font, 200, 80, 1);  // 30 wide: x = 200 - 15
  EXPECT_EQ(target->text, u"abc");
  EXPECT_EQ(target->font.bitmap, font);
  EXPECT_FLOAT_EQ(target->dim->x, 185.0f);
  EXPECT_FLOAT_EQ(target->dim->y, 80.0f);
  EXPECT_FLOAT_EQ(font->GetLetter(u"c")->dim->x, 207.0f);
  DrawImageText(u"ab", target, font, 200, 80, 1);  // 22 wide: x = 200 - 11
  EXPECT_FLOAT_EQ(target->dim->x, 189.0f);
  DrawImageText(u"ab", target, font, 200, 80, 0);
  EXPECT_FLOAT_EQ(target->dim->x, 200.0f);
}

}  // namespace
