// The menu font we ship (gfx/fonts/alfabet-maly.png), cut by the game's own font maker, against
// the places its texts are written at: the profile screen's prompts have fixed left edges that
// centre them on x 400 only when the letters are as wide as those edges assume, and the profile
// list's selection bar is centred 11 px below a name's top, so the letters must stand there.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/graphics.h"
#include "platform/pixmap.h"
#include "platform/text.h"
#include "toolkit/font.h"
#include "toolkit/text.h"

namespace {

const char* kMenuFont = "gfx/fonts/alfabet-maly.png";
const char16_t* kMenuLetters = u"abcdefghijklmnopqrstuvwxyz,.?-!#$*&@%()<>{}'1234567890";

class ShippedMenuFont : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Graphics(800, 600, 0) != nullptr);
    font = CreateFont(FromPath(kMenuFont), kMenuLetters, 30, 0);
    ASSERT_TRUE(font);
  }
  float Width(const String& text) {
    TextPtr t = CreateText(text, CreateDim(0, 0, 0, 0, 0, 1, 1, 0), TextFont(font), 1.0f, 0, 0, 0);
    return t->Width();
  }
  FontPtr font;
};

TEST_F(ShippedMenuFont, EveryLetterIsCutAsItsOwnGlyph) {
  // Every character plus the space the font maker adds.
  EXPECT_EQ(font->letters->Count(), static_cast<int>(std::u16string(kMenuLetters).size()) + 1);
}

// Each text with its left edge on the screen: centred on x 400, a text starting at x is
// 2 x (400 - x) wide. Within 10 px (half a letter) either way, the prompts read as centred on
// the panel; the places are not all consistent with one set of letter widths.
TEST_F(ShippedMenuFont, TextsWrittenAtFixedPlacesComeOutCentredOnThePanel) {
  const struct {
    const char16_t* text;
    int left;
  } placed[] = {{u"enter your", 306}, {u"name", 361},        {u"do you really", 276}, {u"want delete", 305},
                {u"you can not", 295}, {u"delete last", 302}, {u"profile", 339},       {u"create more", 294},
                {u"profiles", 333},    {u"name exist", 319},  {u"hello", 353}};
  for (const auto& p : placed) {
    const float centre = static_cast<float>(p.left) + Width(p.text) / 2;
    EXPECT_NEAR(centre, 400.0f, 10.0f) << ToUtf8(String(p.text));
  }
}

// The selection bar spans rows 0..22 of a name's 30-px line, brightest at row 11: the letters
// stand on it when their ink runs from the line's top (ascenders) to a little below the bar
// (descenders), not from halfway down the bar to the line's foot.
TEST_F(ShippedMenuFont, LettersStandOnTheSelectionBarOfTheProfileList) {
  const PixmapPtr strip = LoadPixmap(std::string(kMenuFont));
  ASSERT_TRUE(strip);
  int top = 30, bottom = -1;
  // The strip's first row of glyphs holds the letters from "a" on, ascenders and descenders.
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < strip->width; ++x)
      if ((strip->Get(x, y) >> 24) > 128) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  ASSERT_GE(bottom, top);
  EXPECT_LE(top, 4) << "the tallest letters start below the bar's top half";
  EXPECT_LE(bottom, 26) << "the deepest letters reach below their line";
}

}  // namespace
