#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "game/levels/captions.h"
#include "game/levels/points_manager.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "scoring_fixtures.h"
#include "support/test_support.h"

namespace {

using scoring::Argb;

constexpr uint32_t kPointsLabel = Argb(255, 250, 120, 0);
constexpr uint32_t kMatchLabel = Argb(255, 0, 220, 90);
constexpr uint32_t kComboCells[3] = {Argb(255, 200, 0, 0), Argb(255, 0, 200, 0), Argb(255, 0, 0, 200)};
constexpr int kPointsLabelWidth = 40;
constexpr int kMatchLabelWidth = 30;

class Captions : public ::testing::Test {
 protected:
  void SetUp() override {
    scoring::OpenScreen();
    delta = 1.0;
    TCaptions::cyfry = scoring::DigitImage(32, 32);
    TCaptions::points = scoring::SolidImage(kPointsLabelWidth, 20, kPointsLabel);
    TCaptions::match = scoring::SolidImage(kMatchLabelWidth, 20, kMatchLabel);
    PixmapPtr combo = CreatePixmap(3 * 256, 42);
    for (int cell = 0; cell < 3; ++cell)
      for (int y = 0; y < 42; ++y)
        for (int x = 0; x < 256; ++x) combo->Set(cell * 256 + x, y, kComboCells[cell]);
    TCaptions::combo = LoadAnimImage(combo, 256, 42, 0, 3);
    MidHandleImage(TCaptions::combo);
  }
  void TearDown() override {
    TCaptions::destroyAll();
    delta = 1.0;
  }

  // A caption made ready to draw fully opaque in the next update.
  static CaptionsPtr Opaque(int kind, int value, int x, int y, float scale) {
    CaptionsPtr c = TCaptions::addCaption(kind, value, x, y, scale, 0, 0, nullptr);
    c->phase = 87.0f;
    c->alpha = 1.0f;
    return c;
  }
};

TEST_F(Captions, AddCaptionFillsTheRecordAndAppendsIt) {
  ImagePtr picture = scoring::SolidImage(8, 8, kMatchLabel);
  CaptionsPtr a = TCaptions::addCaption(1, 250, 400, 230, 1.3f, 0, 0, nullptr);
  CaptionsPtr b = TCaptions::addCaption(4, 0, 10, 20, 1.0f, 0, 800, picture);
  ASSERT_EQ(captions->Count(), 2);
  EXPECT_EQ(captions->First(), a);
  EXPECT_EQ(captions->Last(), b);
  EXPECT_EQ(a->x, 400.0f);
  EXPECT_EQ(a->y, 230.0f);
  EXPECT_EQ(a->value, 250);
  EXPECT_EQ(a->kind, 1);
  EXPECT_EQ(a->phase, 0.0f);
  EXPECT_EQ(a->alpha, 0.0f);
  EXPECT_EQ(a->scale, 1.3f);
  EXPECT_EQ(a->startTime, MilliSecs());
  EXPECT_EQ(b->delay, 800);
  EXPECT_EQ(b->image, picture);
}

TEST_F(Captions, WidthAndCentringCountDigitsGapAndLabelUnscaled) {
  struct Case {
    int kind, value;
    float scale;
    int width;
  };
  const Case cases[] = {
      {1, 50, 1.0f, 19 + 22 + 12 + kPointsLabelWidth},
      {1, 50, 1.6f, 19 + 22 + 12 + kPointsLabelWidth},
      {3, 1234567890, 1.0f, 10 + 19 + 19 + 19 + 19 + 18 + 16 + 19 + 19 + 22 + 12 + kMatchLabelWidth},
      {2, 3, 1.0f, 19 + 12 + 256},
      {4, 12, 1.0f, 10 + 19 + 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.kind) + ":" + std::to_string(c.value));
    CaptionsPtr plain = TCaptions::addCaption(c.kind, c.value, 300, 100, c.scale, 0, 0, nullptr);
    EXPECT_EQ(plain->GetWidth(), c.width);
    CaptionsPtr centred = TCaptions::addCaption(c.kind, c.value, 301, 100, c.scale, 1, 0, nullptr);
    EXPECT_EQ(centred->x, static_cast<float>(301 - c.width / 2));
  }
}

TEST_F(Captions, LifeLastsOneHundredTwentyUnitsOfDelta) {
  struct Case {
    double delta;
    int updates;     // the update that removes the caption
    int fadedInAt;   // the update that brings the phase to 90
  };
  const Case cases[] = {{1.0, 120, 30}, {2.0, 60, 15}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.delta);
    delta = c.delta;
    CaptionsPtr rising = TCaptions::addCaption(1, 250, 100, 300, 1.0f, 0, 0, nullptr);
    CaptionsPtr growing = TCaptions::addCaption(2, 2, 400, 300, 1.2f, 0, 0, nullptr);
    for (int n = 1; n < c.updates; ++n) {
      float alphaBefore = rising->alpha;
      TCaptions::updateAll();
      ASSERT_EQ(captions->Count(), 2) << "update " << n;
      // Drawn with the alpha stored before: the first drawing is still invisible.
      EXPECT_EQ(GetAlpha(), n == 1 ? 0.0f : alphaBefore);
      if (n == c.fadedInAt) {
        EXPECT_FLOAT_EQ(rising->phase, 90.0f);
      }
      EXPECT_NEAR(rising->alpha, std::sin(rising->phase * M_PI / 180.0), 1e-6);
      EXPECT_NEAR(rising->y, 300.0 - 0.5 * c.delta * n, 1e-3);
      EXPECT_EQ(rising->scale, 1.0f);
      EXPECT_NEAR(growing->scale, 1.2 + 0.005 * c.delta * n, 1e-4);
      EXPECT_EQ(growing->y, 300.0f);
    }
    EXPECT_FLOAT_EQ(rising->phase, static_cast<float>(180.0 - c.delta));
    TCaptions::updateAll();
    EXPECT_TRUE(captions->IsEmpty());
  }
}

TEST_F(Captions, DelayedCaptionWaitsFrozenThenRunsItsFullCourse) {
  CaptionsPtr waiting = TCaptions::addCaption(3, 4, 200, 200, 1.0f, 0, 800, nullptr);
  CaptionsPtr now = TCaptions::addCaption(3, 4, 200, 200, 1.0f, 0, -5, nullptr);
  headless::AdvanceClock(799);
  TCaptions::updateAll();
  EXPECT_EQ(waiting->phase, 0.0f);
  EXPECT_EQ(waiting->y, 200.0f);
  EXPECT_EQ(waiting->delay, 800);
  EXPECT_EQ(now->delay, 0);
  EXPECT_EQ(now->phase, 3.0f);
  headless::AdvanceClock(1);
  int updates = 0;
  while (captions->Contains(waiting) && updates < 500) {
    TCaptions::updateAll();
    ++updates;
  }
  EXPECT_EQ(waiting->delay, 0);
  EXPECT_EQ(updates, 120);
}

TEST_F(Captions, PointsCaptionDrawsDigitsAtTheirAdvancesThenTheLabel) {
  struct Case {
    float scale;
    int offset;              // how far above y everything stands
    std::vector<int> digitX;  // left edges of 2, 5, 0 from x
    int labelX;
  };
  const Case cases[] = {{1.0f, 0, {0, 19, 38}, 72}, {1.5f, 15, {0, 29, 57}, 102}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.scale);
    Cls();
    CaptionsPtr cap = Opaque(1, 250, 200, 300, c.scale);
    TCaptions::updateAll();
    ASSERT_TRUE(captions->Contains(cap));
    const int top = 300 - c.offset - 1;  // the caption rose half a pixel before drawing
    const int row = top + 4;
    const int digits[3] = {2, 5, 0};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(scoring::DigitAt(200 + c.digitX[i] + 2, row), digits[i]) << i;
    EXPECT_EQ(scoring::DigitAt(200 + c.labelX - 4, row), 0);
    EXPECT_EQ(scoring::DigitAt(198, row), -1);
    EXPECT_EQ(scoring::DigitAt(200 + 10, top - 3), -1);
    EXPECT_EQ(scoring::DigitAt(200 + 10, top + static_cast<int>(32 * c.scale) + 3), -1);
    EXPECT_TRUE(scoring::Shows(200 + c.labelX + 2, row, kPointsLabel));
    EXPECT_FALSE(scoring::Shows(200 + c.labelX + 2, top - 3, kPointsLabel));
    TCaptions::destroyAll();
  }
}

TEST_F(Captions, MatchCaptionDrawsItsLabelAfterTheDigitsAtY) {
  Opaque(3, 3, 100, 100, 1.0f);
  TCaptions::updateAll();
  EXPECT_EQ(scoring::DigitAt(102, 102), 3);
  EXPECT_TRUE(scoring::Shows(100 + 19 + 12 + 2, 102, kMatchLabel));
  EXPECT_EQ(scoring::DigitAt(102, 97), -1);
}

TEST_F(Captions, ComboBannerDrawsItsCellCentredOnItsPosition) {
  for (int value : {2, 3, 4}) {
    SCOPED_TRACE(value);
    Cls();
    CaptionsPtr c = Opaque(2, value, 400, 300, 1.0f);
    TCaptions::updateAll();
    EXPECT_TRUE(scoring::Shows(400, 300, kComboCells[value - 2]));
    EXPECT_TRUE(scoring::Shows(400 - 126, 300 - 19, kComboCells[value - 2]));
    EXPECT_TRUE(scoring::Shows(400 + 125, 300 + 18, kComboCells[value - 2]));
    EXPECT_TRUE(scoring::Shows(400 - 130, 300, 0));
    EXPECT_TRUE(scoring::Shows(400 + 130, 300, 0));
    EXPECT_GT(c->scale, 1.0f);
    TCaptions::destroyAll();
  }
}

TEST_F(Captions, PictureCaptionGrowsAndWithoutPictureStillRunsItsCourse) {
  ImagePtr picture = scoring::SolidImage(10, 10, kMatchLabel);
  SetImageHandle(picture, 5, 5);
  CaptionsPtr shown = Opaque(4, 0, 500, 100, 1.0f);
  shown->image = picture;
  CaptionsPtr empty = TCaptions::addCaption(4, 0, 600, 100, 1.0f, 0, 0, nullptr);
  TCaptions::updateAll();
  EXPECT_TRUE(scoring::Shows(496, 96, kMatchLabel));
  EXPECT_TRUE(scoring::Shows(504, 104, kMatchLabel));
  EXPECT_TRUE(scoring::Shows(493, 100, 0));
  int updates = 1;
  while (captions->Contains(empty) && updates < 500) {
    TCaptions::updateAll();
    ++updates;
  }
  EXPECT_EQ(updates, 120);
  EXPECT_NEAR(empty->scale, 1.0 + 0.005 * 120, 1e-4);
}

TEST_F(Captions, DestroyAllEmptiesTheListAndLaterCaptionsAnimate) {
  for (int i = 0; i < 4; ++i) TCaptions::addCaption(1 + i, 2, 10 * i, 10, 1.0f, 0, 0, nullptr);
  TCaptions::updateAll();
  TCaptions::destroyAll();
  EXPECT_TRUE(captions->IsEmpty());
  CaptionsPtr later = TCaptions::addCaption(1, 10, 0, 50, 1.0f, 0, 0, nullptr);
  TCaptions::updateAll();
  EXPECT_EQ(captions->Count(), 1);
  EXPECT_EQ(later->phase, 3.0f);
  EXPECT_EQ(later->y, 49.5f);
  later->Destroy();
  EXPECT_TRUE(captions->IsEmpty());
}

TEST_F(Captions, EmptyListOnlySetsWhiteAndAlphaBlending) {
  SetColor(10, 20, 30);
  SetBlend(LIGHTBLEND);
  SetAlpha(0.25f);
  SetScale(2.0f, 2.0f);
  TCaptions::updateAll();
  int r = 0, g = 0, b = 0;
  GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  EXPECT_EQ(GetBlend(), ALPHABLEND);
  EXPECT_EQ(GetAlpha(), 0.25f);
  float sx = 0, sy = 0;
  GetScale(sx, sy);
  EXPECT_EQ(sx, 2.0f);
}

// The digit pictures hold no minus sign: a negative number draws and measures its digits only.
TEST_F(Captions, NegativeNumberDrawsItsDigitsWithoutLeavingTheWidthTable) {
  CaptionsPtr c = Opaque(1, -250, 200, 300, 1.0f);
  EXPECT_EQ(c->GetWidth(), 19 + 19 + 22 + 12 + kPointsLabelWidth);
  TCaptions::updateAll();
  EXPECT_EQ(scoring::DigitAt(202, 302), 2);
  EXPECT_EQ(scoring::DigitAt(221, 302), 5);
  EXPECT_EQ(scoring::DigitAt(240, 302), 0);
  EXPECT_TRUE(scoring::Shows(274, 302, kPointsLabel));
  CaptionsPtr centred = TCaptions::addCaption(3, INT32_MIN, 500, 100, 1.0f, 1, 0, nullptr);
  EXPECT_EQ(centred->GetWidth(), 19 + 10 + 19 + 16 + 19 + 19 + 19 + 18 + 19 + 19 + 12 + kMatchLabelWidth);
}

TEST_F(Captions, LoadGfxCutsTheBannerAndDigitStrips) {
  const std::string root = test_support::TempHome() + "/bundle/";
  std::filesystem::create_directories(root + "gfx/fonts");
  ASSERT_TRUE(SavePixmapPNG(scoring::SolidPixmap(90, 32, kMatchLabel), root + "gfx/fonts/match.png"));
  ASSERT_TRUE(SavePixmapPNG(scoring::SolidPixmap(768, 42, kComboCells[0]), root + "gfx/fonts/combo.png"));
  ASSERT_TRUE(SavePixmapPNG(scoring::SolidPixmap(70, 30, kPointsLabel), root + "gfx/fonts/points.png"));
  ASSERT_TRUE(SavePixmapPNG(scoring::DigitStrip(32, 32), root + "gfx/fonts/CYFRY2.png"));
  bundleDir = root;
  TCaptions::loadGfx();
  bundleDir.clear();
  EXPECT_EQ(ImageWidth(TCaptions::match), 90);
  EXPECT_EQ(ImageWidth(TCaptions::points), 70);
  EXPECT_EQ(TCaptions::points->handleX, 0.0f);
  EXPECT_EQ(ImageWidth(TCaptions::combo), 256);
  EXPECT_EQ(ImageFrames(TCaptions::combo), 3);
  EXPECT_EQ(TCaptions::combo->handleX, 128.0f);
  EXPECT_EQ(TCaptions::combo->handleY, 21.0f);
  EXPECT_EQ(ImageWidth(TCaptions::cyfry), 32);
  EXPECT_EQ(ImageFrames(TCaptions::cyfry), 10);
}

}  // namespace
