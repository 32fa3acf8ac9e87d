// The text lines of a story page: where the lines stand, how the fade factor sets their alpha,
// and what Clear and Copy leave in the six slots.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/image_font.h"
#include "platform/pixmap.h"
#include "screens/story/draw_story_text.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"

namespace {

// Rows and darkest value of the ink on a white screen.
struct Ink {
  int top = -1, bottom = -1;
  int darkest = 255;
  bool Found() const { return top >= 0; }
};

Ink InkOnScreen() {
  PixmapPtr shot = headless::CaptureBackBuffer();
  Ink ink;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const int red = test_support::Red(ReadPixel(shot, x, y));
      if (red == 255) continue;
      if (ink.top < 0) ink.top = y;
      ink.bottom = y;
      ink.darkest = std::min(ink.darkest, red);
    }
  return ink;
}

class StoryText : public testing::Test {
 protected:
  void SetUp() override {
    test_support::OpenScreen();
    font_ = LoadImageFont(test_support::GameDir() + "/gfx/fonts/Lombardic.ttf", 22, SMOOTHFONT);
    ASSERT_TRUE(font_);
    SetImageFont(font_);
    lineHeight_ = TextHeight(u"M");
  }
  // Draws `text` on a white screen and measures the ink.
  static Ink Drawn(TDrawStoryText& text, float factor = 1.0f) {
    SetClsColor(255, 255, 255);
    Cls();
    SetBlend(ALPHABLEND);
    text.Draw(factor);
    return InkOnScreen();
  }
  static void Fill(TDrawStoryText& text, int count) {
    for (int i = 0; i < kStoryTextSlots; ++i) text.setLine(i, u"MMMM");
    text.count = count;
  }

  ImageFontPtr font_;
  int lineHeight_ = 0;
};

TEST_F(StoryText, LongTextsStartFifteenPixelsHigherAndLinesAreOneFontHeightApart) {
  TDrawStoryText text;
  Fill(text, 0);
  EXPECT_FALSE(Drawn(text).Found());  // count 0 draws nothing

  Fill(text, 1);
  const Ink one = Drawn(text);
  ASSERT_TRUE(one.Found());
  EXPECT_GE(one.top, 440);
  EXPECT_LT(one.top, 440 + lineHeight_);

  Fill(text, 4);
  const Ink four = Drawn(text);
  EXPECT_EQ(four.top, one.top);
  EXPECT_EQ(four.bottom, one.bottom + 3 * lineHeight_);

  Fill(text, 5);
  const Ink five = Drawn(text);
  EXPECT_EQ(five.top, one.top - 15);
  EXPECT_EQ(five.bottom, one.bottom - 15 + 4 * lineHeight_);

  // An empty middle line keeps its full height.
  text.Clear();
  text.setLine(0, u"MMMM");
  text.setLine(2, u"MMMM");
  text.count = 3;
  const Ink gap = Drawn(text);
  EXPECT_EQ(gap.top, one.top);
  EXPECT_EQ(gap.bottom, one.bottom + 2 * lineHeight_);
}

TEST_F(StoryText, DrawsBlackAtEightTenthsOfTheFactor) {
  TDrawStoryText text;
  Fill(text, 1);
  struct Case {
    float factor;
    float alpha;
  };
  for (const Case& c : {Case{1.0f, 0.8f}, Case{0.5f, 0.4f}, Case{1.5f, 0.8f * 1.5f}}) {
    SCOPED_TRACE(c.factor);
    const Ink ink = Drawn(text, c.factor);
    EXPECT_FLOAT_EQ(GetAlpha(), c.alpha);
    int r = -1, g = -1, b = -1;
    GetColor(r, g, b);
    EXPECT_EQ(r + g + b, 0);
    // The solid middle of a stroke: white under black at the clamped alpha.
    const int expected = static_cast<int>(255.0f * (1.0f - std::min(c.alpha, 1.0f)) + 0.5f);
    EXPECT_NEAR(ink.darkest, expected, 2);
  }
}

TEST_F(StoryText, ClearEmptiesEverySlotAndCopyTakesOnlyTheSourcesCount) {
  TDrawStoryText held;
  Fill(held, 5);
  TDrawStoryText two;
  two.setLine(0, u"one");
  two.setLine(1, u"two");
  two.count = 2;

  held.Copy(two);
  EXPECT_EQ(held.count, 2);
  EXPECT_EQ(held.lines[0], u"one");
  EXPECT_EQ(held.lines[1], u"two");
  for (int i = 2; i < 5; ++i) EXPECT_EQ(held.lines[static_cast<size_t>(i)], u"MMMM");  // kept...
  const Ink ink = Drawn(held);
  EXPECT_LT(ink.bottom, 440 + 2 * lineHeight_);  // ...but not drawn

  held.Clear();
  EXPECT_EQ(held.count, 0);
  for (const String& line : held.lines) EXPECT_TRUE(line.empty());
  held.count = 6;  // even when a caller sets a count again, the slots are empty
  EXPECT_FALSE(Drawn(held).Found());
}

TEST_F(StoryText, IndexesAndCountsOutsideTheSixSlotsAreIgnored) {
  TDrawStoryText text;
  text.setLine(-1, u"before");
  text.setLine(6, u"after");
  for (const String& line : text.lines) EXPECT_TRUE(line.empty());
  Fill(text, 9);  // drawn as six lines, nothing read past the table
  const Ink nine = Drawn(text);
  Fill(text, 6);
  const Ink six = Drawn(text);
  EXPECT_EQ(nine.top, six.top);
  EXPECT_EQ(nine.bottom, six.bottom);
}

}  // namespace
