#include <gtest/gtest.h>

#include <vector>

#include "platform/headless.h"
#include "toolkit/font.h"
#include "toolkit_fixtures.h"

namespace {

struct LetterInfo {
  String c;
  float advance;
  int imageWidth;
};

std::vector<LetterInfo> Letters(const FontPtr& font) {
  std::vector<LetterInfo> out;
  for (const LetterPtr& l : *font->letters)
    out.push_back({l->char_, l->dim->width, ImageWidth(l->image)});
  return out;
}

void ExpectLetters(const FontPtr& font, const std::vector<LetterInfo>& want) {
  std::vector<LetterInfo> got = Letters(font);
  ASSERT_EQ(got.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(got[i].c, want[i].c) << i;
    EXPECT_FLOAT_EQ(got[i].advance, want[i].advance) << i;
    EXPECT_EQ(got[i].imageWidth, want[i].imageWidth) << i;
  }
}

TEST(Font, ProgramFontsStartAsTwoEmptySlots) {
  ASSERT_EQ(fonts.size(), 2u);
  EXPECT_EQ(fonts[0], nullptr);
  EXPECT_EQ(fonts[1], nullptr);
}

TEST(Font, CutsGlyphsAtTransparentColumnsAndAddsTheSpace) {
  PixmapPtr strip = tk::GlyphRow(30, {{10, tk::kRed}, {12, tk::kGreen}});
  std::string path = tk::SavePng(strip, "strip.png");
  FontPtr font = CreateFont(FromPath(path), u"ab", 30, 0);
  EXPECT_EQ(font->letterOrder, u"ab");
  EXPECT_FLOAT_EQ(font->lineHeight, 30.0f);
  ExpectLetters(font, {{u"a", 10, 10}, {u"b", 12, 12}, {u" ", 15, 15}});
  for (const LetterPtr& l : *font->letters) {
    EXPECT_EQ(ImageHeight(l->image), 30);
    EXPECT_FLOAT_EQ(l->dim->height, 30.0f);
    EXPECT_FLOAT_EQ(l->dim->scaleX, 1.0f);
    EXPECT_EQ(l->dim->handleMode, 0);
    EXPECT_FLOAT_EQ(l->alpha, 1.0f);
  }
  // The glyph images carry the strip's pixels.
  PixmapPtr b = LockImage(font->GetLetter(u"b")->image);
  EXPECT_EQ(ReadPixel(b, 0, 0), tk::kGreen);
  EXPECT_EQ(ReadPixel(b, 11, 29), tk::kGreen);
  EXPECT_EQ(ReadPixel(LockImage(font->GetLetter(u" ")->image), 3, 3) >> 24, 0u);
  EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST(Font, SpacingTightensGlyphAdvancesButNotTheSpace) {
  PixmapPtr strip = tk::GlyphRow(30, {{10, tk::kRed}, {12, tk::kGreen}});
  ExpectLetters(CreateFont(strip, u"ab", 30, 3), {{u"a", 7, 10}, {u"b", 9, 12}, {u" ", 15, 15}});
  ExpectLetters(CreateFont(strip, u"ab", 30, -2), {{u"a", 12, 10}, {u"b", 14, 12}, {u" ", 15, 15}});
}

TEST(Font, InkIsAnyNonZeroAlphaWhateverTheColour) {
  PixmapPtr strip = CreatePixmap(12, 20);
  // Column 1: one pixel of alpha 1. Columns 3-4: colour at alpha 0 (empty). Columns 6-7: ink in
  // the last line of the band only.
  WritePixel(strip, 1, 7, 0x01000000u);
  WritePixel(strip, 3, 5, 0x00FFFFFFu);
  WritePixel(strip, 4, 5, 0x00FF0000u);
  WritePixel(strip, 6, 19, tk::kWhite);
  WritePixel(strip, 7, 0, tk::kWhite);
  ExpectLetters(CreateFont(strip, u"xyz", 20, 0), {{u"x", 1, 1}, {u"y", 2, 2}, {u" ", 10, 10}});
}

TEST(Font, RowsFollowEachOtherAndLinesBelowTheLastWholeRowAreIgnored) {
  // 70 lines high at line height 30: rows at 0-29 and 30-59; ink in lines 60-69 is ignored.
  PixmapPtr strip = CreatePixmap(20, 70);
  auto block = [&](int x0, int w, int y0, int h) {
    for (int x = x0; x < x0 + w; ++x)
      for (int y = y0; y < y0 + h; ++y) WritePixel(strip, x, y, tk::kWhite);
  };
  block(0, 3, 5, 10);   // row 0: "a"
  block(5, 4, 0, 30);   // row 0: "b"
  block(2, 6, 40, 5);   // row 1: "c", its ink low in the band
  block(10, 2, 62, 5);  // below the last whole row
  FontPtr font = CreateFont(strip, u"abcd", 30, 0);
  ExpectLetters(font, {{u"a", 3, 3}, {u"b", 4, 4}, {u"c", 6, 6}, {u" ", 15, 15}});
  // "c" keeps its place inside the band: its ink starts 10 lines down.
  PixmapPtr c = LockImage(font->GetLetter(u"c")->image);
  EXPECT_EQ(ReadPixel(c, 0, 9) >> 24, 0u);
  EXPECT_EQ(ReadPixel(c, 0, 10), tk::kWhite);
}

TEST(Font, GlyphsAndLetterOrderOfDifferentLengthsCutWhatMatches) {
  PixmapPtr strip = tk::GlyphRow(10, {{2, tk::kRed}, {3, tk::kRed}, {4, tk::kRed}});
  // More glyphs than characters: the extra glyphs are ignored.
  ExpectLetters(CreateFont(strip, u"ab", 10, 0), {{u"a", 2, 2}, {u"b", 3, 3}, {u" ", 5, 5}});
  // Fewer glyphs than characters: the rest of the order gets no letter.
  FontPtr font = CreateFont(strip, u"abcdef", 10, 0);
  ExpectLetters(font, {{u"a", 2, 2}, {u"b", 3, 3}, {u"c", 4, 4}, {u" ", 5, 5}});
  EXPECT_EQ(font->GetLetter(u"e")->char_, u" ");
}

TEST(Font, GlyphTouchingTheRightEdgeEndsWithItsRow) {
  PixmapPtr strip = CreatePixmap(6, 20);
  for (int y = 0; y < 20; ++y) {
    WritePixel(strip, 0, y, tk::kWhite);
    WritePixel(strip, 4, y, tk::kWhite);
    WritePixel(strip, 5, y, tk::kWhite);
  }
  for (int y = 10; y < 20; ++y) WritePixel(strip, 1, y, tk::kWhite);
  ExpectLetters(CreateFont(strip, u"abcd", 10, 0),
                {{u"a", 1, 1}, {u"b", 2, 2}, {u"c", 2, 2}, {u"d", 2, 2}, {u" ", 5, 5}});
}

TEST(Font, LookupFallsBackToTheAppendedSpace) {
  PixmapPtr strip = tk::GlyphRow(30, {{4, tk::kRed}, {6, tk::kRed}, {8, tk::kRed}});
  FontPtr font = CreateFont(strip, u"a b", 30, 0);  // the order holds a space of its own
  LetterPtr blank = font->letters->Last();
  EXPECT_EQ(blank->char_, u" ");
  EXPECT_FLOAT_EQ(blank->dim->width, 15.0f);
  struct {
    String asked;
    LetterPtr want;
  } cases[] = {
      {u"a", font->letters->ValueAtIndex(0)},
      {u" ", font->letters->ValueAtIndex(1)},  // the strip's own glyph, the first match
      {u"b", font->letters->ValueAtIndex(2)},
      {u"A", blank},
      {u"ab", blank},
      {u"\n", blank},
      {u"", blank},
  };
  for (auto& c : cases) EXPECT_EQ(font->GetLetter(c.asked), c.want) << ToUtf8(c.asked);
  EXPECT_EQ(font->letters->Count(), 4);
  EXPECT_EQ(font->letters->ValueAtIndex(3), blank);  // lookups leave the order alone

  TFont empty;
  EXPECT_EQ(empty.GetLetter(u"a"), nullptr);
  EXPECT_EQ(empty.alpha(static_cast<int32_t>(0x7F123456u)), 0x7F);
  EXPECT_EQ(empty.alpha(static_cast<int32_t>(0xFF000000u)), 0xFF);
}

TEST(Font, FractionalLineHeightGivesHalfPixelSpace) {
  FontPtr font = CreateFont(tk::GlyphRow(25, {{5, tk::kRed}}), u"a", 25, 0);
  ExpectLetters(font, {{u"a", 5, 5}, {u" ", 12.5f, 12}});
  EXPECT_EQ(ImageHeight(font->GetLetter(u"a")->image), 25);
  EXPECT_EQ(ImageHeight(font->GetLetter(u" ")->image), 25);
}

TEST(Font, UnloadableOrTooShortStripGivesOnlyTheSpace) {
  FontPtr missing = CreateFont(S("gfx/fonts/none.png"), u"abc", 30, 0);
  ASSERT_EQ(headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(headless::MessageBoxes()[0].text, u"Nie mozna zaladowac obrazka: gfx/fonts/none.png");
  ExpectLetters(missing, {{u" ", 15, 15}});
  ExpectLetters(CreateFont(tk::SolidPixmap(10, 20, tk::kRed), u"abc", 30, 0), {{u" ", 15, 15}});
}

TEST(Font, LetterDrawsAtItsBoxInTheCurrentColourAndResetsAlphaAndScale) {
  tk::OpenScreen();
  FontPtr font = CreateFont(tk::GlyphRow(30, {{10, tk::kWhite}}), u"a", 30, 0);
  LetterPtr a = font->GetLetter(u"a");
  a->dim->x = 100;
  a->dim->y = 50;
  a->alpha = 0.5f;
  SetColor(255, 0, 0);
  a->Draw();
  EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
  float sx, sy;
  GetScale(sx, sy);
  EXPECT_FLOAT_EQ(sx, 1.0f);
  EXPECT_FLOAT_EQ(sy, 1.0f);
  EXPECT_TRUE(tk::Near(tk::PixelAt(105, 60), {128, 0, 0}));
  EXPECT_TRUE(tk::Near(tk::PixelAt(111, 60), {0, 0, 0}));
  // At scale 2 the letter grows about the centre of its advance box.
  Cls();
  a->alpha = 1.0f;
  a->dim->scaleX = a->dim->scaleY = 2.0f;
  SetColor(255, 255, 255);
  a->Draw();
  EXPECT_TRUE(tk::Near(tk::PixelAt(97, 42), {255, 255, 255}));
  EXPECT_TRUE(tk::Near(tk::PixelAt(113, 88), {255, 255, 255}));
  EXPECT_TRUE(tk::Near(tk::PixelAt(93, 60), {0, 0, 0}));
}

}  // namespace
