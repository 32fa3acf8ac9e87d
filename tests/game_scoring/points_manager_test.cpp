#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "game/levels/points_manager.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "scoring_fixtures.h"
#include "support/test_support.h"

namespace {

using scoring::Argb;

constexpr uint32_t kPanel = Argb(255, 120, 90, 0);
constexpr uint32_t kDecoration = Argb(255, 0, 160, 0);
constexpr uint32_t kButton = Argb(255, 200, 0, 0);
constexpr uint32_t kButtonOver = Argb(255, 250, 250, 0);
constexpr uint32_t kRope = Argb(255, 90, 0, 90);
constexpr int kInk = 6;

class PointsManager : public ::testing::Test {
 protected:
  void SetUp() override {
    scoring::OpenScreen();
    pm = std::make_shared<TPointsManager>();
    // Digits 6 pixels wide: narrower than the smallest advance, so none covers another.
    pm->digitFont1 = scoring::DigitImage(16, 24, kInk);
    pm->levelFont = scoring::DigitImage(16, 21, kInk);
    pm->digitFont2 = scoring::DigitImage(32, 32, kInk);
  }

  // Small pictures, so every piece of the panel shows where it is drawn.
  void GivePanelPictures() {
    pm->panelImage = scoring::SolidImage(10, 10, kPanel);
    pm->panelDecoration = scoring::SolidImage(4, 4, kDecoration);
    pm->menuButton = scoring::SolidImage(6, 6, kButton);
    pm->menuButtonOver = scoring::SolidImage(6, 6, kButtonOver);
    data->Add(scoring::SolidImage(3, 3, kRope), 5000);
  }

  // The digits shown from (x, y) at the given advances, read back from the screen (alpha 0.9).
  static std::string DigitsShown(int x, int y, const std::vector<int>& advances) {
    std::string out;
    int cursor = 0;
    for (int a : advances) {
      int d = scoring::DigitAt(x + cursor, y, 0.9f);
      out += d < 0 ? '?' : static_cast<char>('0' + d);
      cursor += a;
    }
    return out;
  }

  PointsManagerPtr pm;
};

TEST(DigitWidthTables, HoldTheAdvancesOfEachDigitPicture) {
  EXPECT_EQ(cyfry1Width, (std::array<int32_t, 10>{12, 12, 12, 12, 12, 12, 12, 12, 12, 12}));
  EXPECT_EQ(levelFontWidth, (std::array<int32_t, 10>{12, 7, 12, 12, 12, 12, 12, 12, 12, 12}));
  EXPECT_EQ(cyfry2Width, (std::array<int32_t, 10>{22, 10, 19, 19, 19, 19, 18, 16, 19, 19}));
}

TEST(PointsManagerScore, StartsEmptyAndAddsToTheLevelScoreOnly) {
  TPointsManager pm;
  EXPECT_EQ(pm.totalPoints, 0);
  EXPECT_EQ(pm.levelPoints, 0);
  EXPECT_EQ(pm.panelX, 31);
  EXPECT_EQ(pm.panelY, 352);
  pm.totalPoints = 1000;
  pm.add(250);
  pm.add(-50);
  EXPECT_EQ(pm.levelPoints, 200);
  EXPECT_EQ(pm.totalPoints, 1000);
  EXPECT_EQ(pm.shownScore(), 1200);
}

TEST_F(PointsManager, DrawPlacesRopesPanelDecorationButtonAndSevenDigitScore) {
  GivePanelPictures();
  mouse->x = 0;
  mouse->y = 0;
  pm->Draw(0);
  EXPECT_TRUE(scoring::Shows(67, 437, kRope));
  EXPECT_TRUE(scoring::Shows(123, 437, kRope));
  EXPECT_FALSE(scoring::Shows(66, 436, kRope));
  EXPECT_TRUE(scoring::Shows(31, 352, kPanel));
  EXPECT_TRUE(scoring::Shows(40, 361, kPanel));
  EXPECT_FALSE(scoring::Shows(30, 351, kPanel));
  EXPECT_TRUE(scoring::Shows(35, 478, kDecoration));
  EXPECT_TRUE(scoring::Shows(71, 545, kButton));
  EXPECT_EQ(pm->menuHover, 0);
  // A score of 0: seven zeros at 12-pixel steps from (59, 394).
  EXPECT_EQ(DigitsShown(59, 394, std::vector<int>(7, 12)), "0000000");
  EXPECT_EQ(scoring::DigitAt(58, 394, 0.9f), -1);
  EXPECT_EQ(scoring::DigitAt(59 + 6 * 12 + kInk - 1, 394, 0.9f), 0);
  EXPECT_EQ(scoring::DigitAt(59 + 6 * 12 + kInk, 394, 0.9f), -1);
  // The number leaves white and 0.9 behind; the transform is plain.
  float sx = 0, sy = 0;
  GetScale(sx, sy);
  EXPECT_EQ(sx, 1.0f);
  EXPECT_EQ(GetAlpha(), 0.9f);
  EXPECT_EQ(GetBlend(), ALPHABLEND);
}

TEST_F(PointsManager, ScoreShownIsBankPlusLevelAndLongScoresGrowToTheRight) {
  pm->totalPoints = 12000000;
  pm->levelPoints = 345678;
  pm->Draw(0);
  EXPECT_EQ(DigitsShown(59, 394, std::vector<int>(8, 12)), "12345678");
  EXPECT_EQ(scoring::DigitAt(59 + 7 * 12 + kInk - 1, 394, 0.9f), 8);
  EXPECT_EQ(scoring::DigitAt(59 + 8 * 12, 394, 0.9f), -1);
}

TEST_F(PointsManager, MenuHoverCoversTheButtonBoundsInclusively) {
  GivePanelPictures();
  struct Case {
    int x, y, hover;
  };
  const Case cases[] = {
      {71, 545, 1}, {133, 565, 1}, {100, 555, 1}, {70, 555, 0},
      {134, 555, 0}, {100, 544, 0}, {100, 566, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
    mouse->x = c.x;
    mouse->y = c.y;
    pm->menuHover = 1 - c.hover;
    pm->Draw(0);
    EXPECT_EQ(pm->menuHover, c.hover);
    EXPECT_TRUE(scoring::Shows(73, 547, c.hover ? kButtonOver : kButton));
  }
  // The panel follows its position.
  pm->panelX = 0;
  pm->panelY = 0;
  mouse->x = 40;
  mouse->y = 193;
  pm->Draw(0);
  EXPECT_EQ(pm->menuHover, 1);
}

TEST_F(PointsManager, EndlessAndTimeAttackDrawTheSamePanel) {
  GivePanelPictures();
  pm->levelPoints = 4321;
  mouse->x = 80;
  mouse->y = 550;
  pm->Draw(0);
  PixmapPtr drawn = headless::CaptureBackBuffer();
  for (int mode = 0; mode < 2; ++mode) {
    Cls();
    pm->menuHover = 0;
    if (mode == 0) pm->DrawEndless(); else pm->DrawTimeatack();
    EXPECT_EQ(pm->menuHover, 1);
    EXPECT_EQ(headless::CaptureBackBuffer()->pixels, drawn->pixels) << "mode " << mode;
  }
}

TEST_F(PointsManager, DrawNumberPadsCentresAndAdvancesByFont) {
  struct Case {
    int32_t value, digits, font, center;
    int32_t width;      // answered width
    int32_t left;       // where the first digit starts (number asked at x 300)
    std::string shown;  // digits read back at their advances
  };
  const Case cases[] = {
      {0, 7, 1, 0, 84, 300, "0000000"},
      {42, 0, 1, 0, 24, 300, "42"},
      {42, 1, 1, 0, 24, 300, "42"},
      {7, 3, 1, 0, 36, 300, "007"},
      {123456789, 7, 1, 0, 108, 300, "123456789"},
      {1234567, 7, 1, 1, 84, 300 - 42, "1234567"},
      {1111, 0, 2, 1, 28, 300 - 14, "1111"},
      {2101, 0, 2, 0, 38, 300, "2101"},
      {95, 3, 3, 0, 63, 300, "095"},
      {95, 3, 3, 1, 63, 300 - 31, "095"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " font " + std::to_string(c.font));
    Cls();
    SetBlend(ALPHABLEND);
    SetColor(10, 20, 30);
    SetAlpha(0.3f);
    EXPECT_EQ(pm->_drawNumber(c.value, c.digits, 300, 200, c.font, c.center), c.width);
    std::vector<int> advances;
    for (char ch : c.shown) {
      int d = ch - '0';
      advances.push_back(c.font == 1 ? cyfry1Width[d] : c.font == 2 ? levelFontWidth[d] : 21);
    }
    EXPECT_EQ(DigitsShown(c.left, 203, advances), c.shown);
    EXPECT_EQ(scoring::DigitAt(c.left - 1, 203, 0.9f), -1);
    int r = 0, g = 0, b = 0;
    GetColor(r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
    EXPECT_EQ(GetAlpha(), 0.9f);
  }
}

TEST_F(PointsManager, UnknownFontDrawsNothingButStillSetsColourAndAlpha) {
  for (int font : {0, 4, -1}) {
    Cls();
    SetColor(1, 2, 3);
    SetAlpha(0.2f);
    EXPECT_EQ(pm->_drawNumber(5, 7, 300, 200, font, 1), 0);
    PixmapPtr shot = headless::CaptureBackBuffer();
    bool blank = true;
    for (uint32_t px : shot->pixels) blank = blank && (px & 0x00FFFFFFu) == 0;
    EXPECT_TRUE(blank) << "font " << font;
    int r = 0, g = 0, b = 0;
    GetColor(r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(GetAlpha(), 0.9f);
  }
}

// The digit pictures hold no minus sign: a negative number shows its digits and never looks up
// a width outside the ten digits.
TEST_F(PointsManager, NegativeNumbersDrawTheirDigitsOnly) {
  struct Case {
    int32_t value, digits, font;
    std::string shown;
  };
  const Case cases[] = {
      {-5, 7, 1, "0000005"},
      {-1011, 0, 2, "1011"},
      {-90, 0, 3, "90"},
      {INT_MIN, 0, 1, "2147483648"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    Cls();
    std::vector<int> advances;
    int width = 0;
    for (char ch : c.shown) {
      int d = ch - '0';
      advances.push_back(c.font == 1 ? 12 : c.font == 2 ? levelFontWidth[d] : 21);
      width += advances.back();
    }
    SetBlend(ALPHABLEND);
    EXPECT_EQ(pm->_drawNumber(c.value, c.digits, 100, 100, c.font, 1), width);
    EXPECT_EQ(DigitsShown(100 - width / 2, 103, advances), c.shown);
  }
  // A negative total on the panel.
  pm->levelPoints = -30;
  Cls();
  pm->Draw(0);
  EXPECT_EQ(DigitsShown(59, 394, std::vector<int>(7, 12)), "0000030");
}

TEST_F(PointsManager, LoadGfxCutsTheStripsAndReloadsCleanly) {
  const std::string root = test_support::TempHome() + "/bundle/";
  std::filesystem::create_directories(root + "gfx/fonts");
  std::filesystem::create_directories(root + "gfx/gui");
  ASSERT_TRUE(SavePixmapPNG(scoring::DigitStrip(16, 24), root + "gfx/fonts/cyfry1.png"));
  ASSERT_TRUE(SavePixmapPNG(scoring::DigitStrip(32, 32), root + "gfx/fonts/cyfry2.png"));
  ASSERT_TRUE(SavePixmapPNG(scoring::DigitStrip(16, 21), root + "gfx/fonts/level.png"));
  ASSERT_TRUE(SavePixmapPNG(scoring::SolidPixmap(120, 230, kPanel), root + "gfx/gui/punkty.png"));
  ASSERT_TRUE(SavePixmapPNG(scoring::SolidPixmap(90, 40, kDecoration), root + "gfx/gui/decha.png"));
  ASSERT_TRUE(SavePixmapPNG(scoring::SolidPixmap(62, 20, kButton), root + "gfx/gui/menuS1.png"));
  ASSERT_TRUE(SavePixmapPNG(scoring::SolidPixmap(62, 20, kButtonOver), root + "gfx/gui/menuS2.png"));
  bundleDir = root;
  TPointsManager loaded;
  loaded.loadGfx();
  ImagePtr first = loaded.digitFont1;
  loaded.loadGfx();
  bundleDir.clear();
  EXPECT_NE(loaded.digitFont1, first);
  struct Strip {
    ImagePtr image;
    int w, h, frames;
  };
  const Strip strips[] = {
      {loaded.digitFont1, 16, 24, 10}, {loaded.digitFont2, 32, 32, 10},
      {loaded.levelFont, 16, 21, 10},  {loaded.panelImage, 120, 230, 1},
      {loaded.panelDecoration, 90, 40, 1}, {loaded.menuButton, 62, 20, 1},
      {loaded.menuButtonOver, 62, 20, 1},
  };
  for (const Strip& s : strips) {
    ASSERT_TRUE(s.image);
    EXPECT_EQ(ImageWidth(s.image), s.w);
    EXPECT_EQ(ImageHeight(s.image), s.h);
    EXPECT_EQ(ImageFrames(s.image), s.frames);
    EXPECT_EQ(s.image->handleX, 0.0f);
  }
  // Cell d of a strip is the digit d.
  Cls();
  SetBlend(ALPHABLEND);
  loaded._drawNumber(3, 1, 10, 10, 1, 0);
  EXPECT_EQ(scoring::DigitAt(12, 12, 0.9f), 3);
}

}  // namespace
