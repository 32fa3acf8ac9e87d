// The ring's spell icons and the spark bursts: icons animate only once won, frames step every
// 101st draw, icons stand where the ring's turn puts them, bursts keep their defaults and live
// 109 updates.
#include "ring_fixtures.h"

namespace ring_test {
namespace {

TEST_F(RingGame, AnIconDrawsAndAnimatesOnlyOnceItsSpellIsWon) {
  TRingSpell icon;
  for (int n = 0; n < 300; ++n) icon.Draw(400, 260, 1.0f, 0.0f, 1.0f);
  EXPECT_EQ(icon.frame, 0);
  EXPECT_EQ(icon.alpha, 1.0f) << "count 0: frozen";
  icon.count = 1;
  for (int n = 0; n < 100; ++n) icon.Draw(400, 260, 1.0f, 0.0f, 1.0f);
  EXPECT_EQ(icon.frame, 0) << "alpha is still just above 0 after 100 steps";
  EXPECT_GT(icon.alpha, 0.0f);
  icon.Draw(400, 260, 1.0f, 0.0f, 1.0f);
  EXPECT_EQ(icon.frame, 1);
  EXPECT_EQ(icon.nextFrame, 2);
  EXPECT_EQ(icon.alpha, 1.0f);
  EXPECT_EQ(icon.nextAlpha, 0.0f);
  for (int n = 0; n < 4 * 101; ++n) icon.Draw(400, 260, 1.0f, 0.0f, 1.0f);
  EXPECT_EQ(icon.frame, 0) << "five frames in a loop";
  EXPECT_EQ(icon.nextFrame, 1);
}

TEST_F(RingGame, IconsStandWhereTheRingsTurnAndZoomPutThem) {
  struct Case {
    float radius, angle, zoom, ringAngle;
    int x, y;
  } cases[] = {
      {-97.899f, -60.366f, 1.0f, 0.0f, 400 - 48, 260 + 85},  // below left, the far side
      {-97.899f, -60.366f, 2.0f, 0.0f, 400 - 96, 260 + 170},
      {-98.199f, 1.206f, 1.0f, 0.0f, 400 - 98, 260 - 2},     // to the left
      {-98.199f, 1.206f, 1.0f, 180.0f, 400 + 98, 260 + 2},
  };
  for (const Case& c : cases) {
    ringEmiterList->Clear();
    TRingSpell icon;
    icon.radius = c.radius;
    icon.angle = c.angle;
    icon.MakeSparks(400, 260, c.zoom, c.ringAngle);
    ASSERT_EQ(ringEmiterList->Count(), 1);
    const RingEmiterPtr burst = ringEmiterList->First();
    EXPECT_EQ(burst->x, static_cast<float>(c.x)) << c.radius << " " << c.zoom;
    EXPECT_EQ(burst->y, static_cast<float>(c.y)) << c.radius << " " << c.zoom;
    EXPECT_EQ(burst->radius, 26.0f);
  }
}

TEST_F(RingGame, BurstsKeepTheirDefaultsOnlyForTheMarkedArguments) {
  struct Case {
    float radius;
    int32_t red;
    float minScale;
    float wantRadius;
    int32_t wantRed;
    float wantMin;
  } cases[] = {
      {0.0f, -1, -1.0f, 26.0f, 255, 0.5f},
      {5.0f, 10, 0.0f, 5.0f, 10, 0.0f},
      {-3.0f, 0, 0.8f, -3.0f, 0, 0.8f},
  };
  for (const Case& c : cases) {
    ringEmiterList->Clear();
    TRingEmiter::Create(10, 20, c.radius, c.red, -1, -1, c.minScale, -1.0f, 2);
    const RingEmiterPtr burst = ringEmiterList->First();
    EXPECT_EQ(burst->radius, c.wantRadius);
    EXPECT_EQ(burst->red, c.wantRed);
    EXPECT_EQ(burst->green, 150);
    EXPECT_EQ(burst->minScale, c.wantMin);
    EXPECT_EQ(burst->maxScale, 1.0f);
    EXPECT_EQ(burst->image, 2);
  }
}

TEST_F(RingGame, ABurstLivesOneHundredAndNineUpdatesAndItsSparksFifty) {
  sparkImages[1] = test_support::SolidImage(4, 4, 0xFFFFFFFFu);
  delta = 1.0;
  TRingEmiter::Create(400, 260, 0.0f, -1, -1, -1, -1.0f, -1.0f, 1);
  TRingEmiter::Create(100, 100, 0.0f, -1, -1, -1, -1.0f, -1.0f, 1);
  const RingEmiterPtr first = ringEmiterList->First();
  for (int n = 0; n < 108; ++n) TRingEmiter::UpdateAll();
  EXPECT_EQ(ringEmiterList->Count(), 2);
  EXPECT_EQ(SparkList->Count(), 2 * 108);
  // The first removes itself mid-walk; the walk still reaches the second.
  TRingEmiter::UpdateAll();
  EXPECT_EQ(ringEmiterList->Count(), 0);
  EXPECT_EQ(SparkList->Count(), 2 * 109);
  EXPECT_GT(first->angle, 1080.0f);
  const SparkPtr newest = SparkList->First();
  EXPECT_EQ(newest->maxLife, 50.0f);
  EXPECT_LT(newest->red, 255 / 2) << "the last sparks dim to half the colour and below";
}

}  // namespace
}  // namespace ring_test
