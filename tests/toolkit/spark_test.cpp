#include "toolkit/spark.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "services/delta_time.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "toolkit_fixtures.h"

namespace {

class Sparks : public ::testing::Test {
 protected:
  void SetUp() override {
    tk::OpenScreen();
    delta = 1.0;
    image = tk::SolidImage(4, 4, tk::kWhite);
  }
  void TearDown() override { delta = 1.0; }

  SparkPtr Make(int life, int alphaMode, int blend = 1) {
    return TSpark::Create(image, 100, 100, 1.0f, life, 255, 255, 255, blend, alphaMode);
  }

  // Runs UpdateAll until the spark list is empty, answering the alpha in force after each pass.
  static std::vector<float> AlphasUntilGone(int cap = 1000) {
    std::vector<float> out;
    while (!TSpark::allDestroyed() && cap-- > 0) {
      TSpark::UpdateAll();
      out.push_back(GetAlpha());
    }
    return out;
  }

  ImagePtr image;
};

TEST_F(Sparks, FadingSparkDrawsOncePerFrameOfLifeWithFallingAlpha) {
  struct Case {
    double delta;
    std::vector<float> alphas;
  };
  const Case cases[] = {
      {1.0, {0.8f, 0.7f, 0.6f, 0.5f, 0.4f, 0.3f, 0.2f, 0.1f, 0.0f, -0.1f}},
      {2.0, {0.8f, 0.6f, 0.4f, 0.2f, 0.0f}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.delta);
    delta = c.delta;
    Make(10, 0);
    std::vector<float> got = AlphasUntilGone();
    ASSERT_EQ(got.size(), c.alphas.size());
    for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], c.alphas[i], 1e-5) << "frame " << i;
  }
}

TEST_F(Sparks, FadeInHoldFadeOutCurveFollowsTheFramesLeft) {
  Make(100, 1);
  std::vector<float> got = AlphasUntilGone();
  ASSERT_EQ(got.size(), 100u);
  // got[i] is drawn with 100 - i frames left.
  auto at = [&](int left) { return got[static_cast<size_t>(100 - left)]; };
  for (int left = 100; left >= 94; --left) EXPECT_LE(at(left), 1e-5f) << left;
  EXPECT_NEAR(at(100), -0.2f, 1e-5);
  EXPECT_NEAR(at(85), 0.3f, 1e-5);
  EXPECT_GT(at(93), 0.0f);
  EXPECT_NEAR(at(70), 0.8f, 1e-5);
  for (int left = 69; left >= 30; --left) EXPECT_FLOAT_EQ(at(left), 0.8f) << left;
  EXPECT_NEAR(at(29), 29.0f / 30.0f - 0.2f, 1e-5);
  EXPECT_NEAR(at(15), 0.3f, 1e-5);
  EXPECT_NEAR(at(6), 0.0f, 1e-5);
  EXPECT_NEAR(at(1), 1.0f / 30.0f - 0.2f, 1e-5);
}

TEST_F(Sparks, LinearMotionScalesWithDeltaCircularMotionTurnsOneDegreePerFrame) {
  for (double d : {1.0, 2.0}) {
    SCOPED_TRACE(d);
    delta = d;
    SparkPtr line = Make(20, 0);
    line->setVelocity(0.5f, -1.5f);
    SparkPtr circle = Make(20, 0);
    circle->setVelocity(9.0f, 9.0f);  // ignored on the circle
    circle->setMovementType(0, 10, 200, 300);
    int frames = 0;
    while (!TSpark::allDestroyed()) {
      TSpark::UpdateAll();
      ++frames;
      if (frames <= 3) {
        EXPECT_FLOAT_EQ(line->x, static_cast<float>(100 + 0.5 * d * frames));
        EXPECT_FLOAT_EQ(line->y, static_cast<float>(100 - 1.5 * d * frames));
        EXPECT_EQ(circle->angle, frames);
        EXPECT_FLOAT_EQ(circle->x, static_cast<float>(Cos(frames) * 10 + 200));
        EXPECT_FLOAT_EQ(circle->y, static_cast<float>(Sin(frames) * 10 + 300));
      }
    }
    EXPECT_EQ(frames, d == 1.0 ? 20 : 10);
  }
}

TEST_F(Sparks, NewSparksGoInFrontAndAreDrawnUnderTheOlderOnes) {
  ImagePtr red = tk::SolidImage(10, 10, tk::kRed);
  ImagePtr green = tk::SolidImage(10, 10, tk::kGreen);
  // Alpha blend, and an alpha mode that keeps the alpha in force (1).
  SparkPtr older = TSpark::Create(red, 50, 50, 1.0f, 10, 255, 255, 255, 2, 7);
  SparkPtr newer = TSpark::Create(green, 50, 50, 1.0f, 10, 255, 255, 255, 2, 7);
  EXPECT_EQ(SparkList->First(), newer);
  EXPECT_EQ(SparkList->Last(), older);
  SetAlpha(1.0f);
  TSpark::UpdateAll();
  EXPECT_TRUE(tk::Near(tk::PixelAt(55, 55), {255, 0, 0}));
}

TEST_F(Sparks, SparksThatExpireMidPassLeaveTheOthersUpdated) {
  SparkPtr a = Make(1, 0);
  SparkPtr b = Make(5, 0);
  SparkPtr c = Make(1, 0);
  for (const SparkPtr& s : {a, b, c}) s->setVelocity(1.0f, 0.0f);
  TSpark::UpdateAll();
  EXPECT_EQ(SparkList->Count(), 1);
  EXPECT_EQ(SparkList->First(), b);
  for (const SparkPtr& s : {a, b, c}) EXPECT_FLOAT_EQ(s->x, 101.0f);
  EXPECT_FLOAT_EQ(b->life, 4.0f);
}

TEST_F(Sparks, BlendCodesAreTheSparksOwn) {
  struct Case {
    int blend;
    int expected;
  };
  for (const Case& c : {Case{1, LIGHTBLEND}, Case{2, ALPHABLEND}, Case{3, SHADEBLEND},
                        Case{4, SHADEBLEND}, Case{0, SHADEBLEND}}) {
    SCOPED_TRACE(c.blend);
    SetBlend(SHADEBLEND);
    SetAlpha(0.33f);
    Make(10, 9, c.blend);
    TSpark::UpdateAll();
    EXPECT_EQ(GetBlend(), c.expected);
    EXPECT_FLOAT_EQ(GetAlpha(), 0.33f);  // alpha mode 9 leaves the alpha alone
    TSpark::destroyAll();
  }
}

TEST_F(Sparks, PassLeavesTheLastSparksStateAndAnEmptyListTouchesNothing) {
  SetBlend(SHADEBLEND);
  SetAlpha(0.4f);
  SetColor(1, 2, 3);
  SetScale(3.0f, 4.0f);
  TSpark::UpdateAll();
  int r, g, b;
  GetColor(r, g, b);
  float sx, sy;
  GetScale(sx, sy);
  EXPECT_EQ(GetBlend(), SHADEBLEND);
  EXPECT_FLOAT_EQ(GetAlpha(), 0.4f);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ((std::vector<float>{sx, sy}), (std::vector<float>{3.0f, 4.0f}));

  TSpark::Create(image, 10, 10, 0.5f, 10, 300, -4, 70, 1, 0);
  TSpark::UpdateAll();
  GetColor(r, g, b);
  GetScale(sx, sy);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{255, 0, 70}));
  EXPECT_EQ((std::vector<float>{sx, sy}), (std::vector<float>{0.5f, 0.5f}));
  EXPECT_EQ(GetBlend(), LIGHTBLEND);
}

TEST_F(Sparks, DestroyAllEmptiesTheListAndOneSparkCanLeaveByItself) {
  EXPECT_EQ(TSpark::allDestroyed(), 1);
  SparkPtr a = Make(10, 0);
  SparkPtr b = Make(10, 0);
  EXPECT_EQ(TSpark::allDestroyed(), 0);
  a->Destroy();
  EXPECT_EQ(SparkList->Count(), 1);
  EXPECT_EQ(SparkList->First(), b);
  TSpark::destroyAll();
  EXPECT_EQ(TSpark::allDestroyed(), 1);
}

TEST_F(Sparks, SparkImagesLoadFilteredIntoTheirSlot) {
  std::string path = tk::SavePng(tk::SolidPixmap(8, 6, tk::kWhite), "spark.png");
  EXPECT_EQ(loadSparkImage(1, path), 0);
  ASSERT_NE(sparkImages[1], nullptr);
  EXPECT_EQ(sparkImages[1]->flags, FILTEREDIMAGE | MIPMAPPEDIMAGE);
  EXPECT_EQ(ImageWidth(sparkImages[1]), 8);
  EXPECT_EQ(sparkImages[0], nullptr);
  loadSparkImage(1, "missing.png");
  EXPECT_EQ(sparkImages[1], nullptr);
}

}  // namespace
