#include "toolkit/comet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "services/delta_time.h"
#include "platform/system.h"
#include "toolkit/spark.h"
#include "toolkit_fixtures.h"

namespace {

class Comets : public ::testing::Test {
 protected:
  void SetUp() override {
    delta = 1.0;
    sparkImages[0] = tk::SolidImage(4, 4, tk::kWhite);
  }
  void TearDown() override { delta = 1.0; }
};

// The `count` newest sparks, oldest first.
std::vector<SparkPtr> Newest(int count) {
  std::vector<SparkPtr> out;
  for (const SparkPtr& s : *SparkList) {
    if (static_cast<int>(out.size()) == count) break;
    out.push_back(s);
  }
  std::reverse(out.begin(), out.end());
  return out;
}

TEST_F(Comets, FlightLastsUntilTheFrameAfterItPassesTheEnd) {
  struct Case {
    float speed;
    double delta;
    int updates;
  };
  for (const Case& c : {Case{0.03f, 1.0, 35}, Case{0.03f, 2.0, 18}, Case{0.25f, 1.0, 6},
                        Case{0.5f, 2.0, 3}, Case{5.0f, 1.0, 2}}) {
    SCOPED_TRACE(c.speed);
    SCOPED_TRACE(c.delta);
    delta = c.delta;
    TSpark::destroyAll();
    CometPtr k = TCometEmiter::start(100, 500, 700, 100, 100, 100, c.speed, -6, 6, -6, 6, 0.8f);
    EXPECT_EQ(cometList->Last(), k);
    std::vector<float> ts;
    int guard = 1000;
    while (cometList->Contains(k) && guard-- > 0) {
      TCometEmiter::updateAll();
      ts.push_back(k->t);
    }
    EXPECT_EQ(static_cast<int>(ts.size()), c.updates);
    EXPECT_EQ(SparkList->Count(), 4 * c.updates);
    EXPECT_EQ(k->active, 0);
    ASSERT_GE(ts.size(), 2u);
    EXPECT_FLOAT_EQ(ts[ts.size() - 2], 1.001f);
    EXPECT_FLOAT_EQ(ts.back(), 1.0f);
    if (c.updates > 2) {
      EXPECT_LE(ts[ts.size() - 3], 1.0f);
    }
  }
}

TEST_F(Comets, SpeedOfPointZeroThreeVisitsTheCurveInSteps) {
  CometPtr k = TCometEmiter::start(100, 500, 700, 100, 100, 100, 0.03f, 0, 0, 0, 0, 0.8f);
  for (int frame = 1; frame <= 33; ++frame) {
    TCometEmiter::updateAll();
    EXPECT_NEAR(k->t, 0.03 * frame, 1e-5);
    const float t = k->t;
    EXPECT_FLOAT_EQ(k->headX, 100 + 2 * t * 0 + t * t * (700 - 200 + 100));
    EXPECT_FLOAT_EQ(k->headY, 500 + 2 * t * (100 - 500) + t * t * (100 - 200 + 500));
  }
}

TEST_F(Comets, SparksFallOnThePreviousHeadAndNeverOnTheEndPoint) {
  // No scatter: every spark sits exactly on a recorded head.
  CometPtr k = TCometEmiter::start(100, 500, 700, 100, 100, 100, 0.03f, 0, 0, 0, 0, 0.8f);
  k->setRGB(10, 20, 30);
  TCometEmiter::updateAll();
  for (const SparkPtr& s : Newest(4)) {
    EXPECT_EQ(s->x, 100.0f);
    EXPECT_EQ(s->y, 500.0f);
  }
  std::vector<std::pair<int, int>> heads{{100, 500}};
  while (cometList->Contains(k)) {
    heads.emplace_back(static_cast<int>(k->x), static_cast<int>(k->y));
    TCometEmiter::updateAll();
    std::vector<SparkPtr> made = Newest(4);
    // The two head sparks sit on the previous head; the trail on one of the recent ones.
    EXPECT_EQ(made[2]->x, static_cast<float>(heads.back().first));
    EXPECT_EQ(made[3]->y, static_cast<float>(heads.back().second));
  }
  EXPECT_EQ(heads.back(), (std::pair<int, int>{701, 100}));  // t = 1.001, past the end
  EXPECT_EQ(static_cast<int>(k->x), 700);
  for (const SparkPtr& s : *SparkList) EXPECT_FALSE(s->x == 700.0f && s->y == 100.0f);
  for (const SparkPtr& s : *SparkList) {
    EXPECT_EQ(s->blend, 1);
    EXPECT_EQ(s->alphaMode, 0);
    EXPECT_EQ(s->vx, 0.0f);
    EXPECT_EQ(s->image, sparkImages[0]);
  }
}

TEST_F(Comets, ColoursAreBrighterThanTheBaseAndScatterNarrowsByKind) {
  std::vector<int> trailDx, head1Dx, head2Dx, trailDy;
  for (int i = 0; i < 60; ++i) {
    CometPtr k = TCometEmiter::start(300, 300, 600, 300, 400, 200, 0.0001f, -6, 6, -6, 6, 0.8f);
    k->setRGB(200, 100, 50);
    k->update();
    std::vector<SparkPtr> made = Newest(4);
    for (int j = 0; j < 2; ++j) {
      trailDx.push_back(static_cast<int>(made[static_cast<size_t>(j)]->x) - 300);
      trailDy.push_back(static_cast<int>(made[static_cast<size_t>(j)]->y) - 300);
      EXPECT_EQ(made[static_cast<size_t>(j)]->scale, 0.8f * 1.5f);
      EXPECT_GE(made[static_cast<size_t>(j)]->life, 50.0f);
      EXPECT_LE(made[static_cast<size_t>(j)]->life, 60.0f);
    }
    head1Dx.push_back(static_cast<int>(made[2]->x) - 300);
    head2Dx.push_back(static_cast<int>(made[3]->x) - 300);
    for (size_t j = 2; j < 4; ++j) {
      EXPECT_EQ(made[j]->scale, 0.8f * 1.3f);
      EXPECT_GE(made[j]->life, 20.0f);
      EXPECT_LE(made[j]->life, 50.0f);
      // The head sparks take the colour of the last trail spark.
      EXPECT_EQ(made[j]->red, made[1]->red);
      EXPECT_EQ(made[j]->blue, made[1]->blue);
    }
    for (const SparkPtr& s : made) {
      EXPECT_GE(s->red, 220);
      EXPECT_LE(s->red, 300);
      EXPECT_GE(s->green, 110);
      EXPECT_LE(s->green, 150);
      EXPECT_GE(s->blue, 55);
      EXPECT_LE(s->blue, 75);
    }
  }
  auto range = [](const std::vector<int>& v) {
    return std::pair<int, int>{*std::min_element(v.begin(), v.end()),
                               *std::max_element(v.begin(), v.end())};
  };
  // Offsets of -3..3 (trail), -2..2 and -3..3 (heads) times (1 - t), a hair below 1, then cut
  // toward zero after adding to the whole start point: -3 stays -3, +3 becomes +2.
  EXPECT_EQ(range(trailDx), (std::pair<int, int>{-3, 2}));
  EXPECT_EQ(range(trailDy), (std::pair<int, int>{-3, 2}));
  EXPECT_EQ(range(head1Dx), (std::pair<int, int>{-2, 1}));
  EXPECT_EQ(range(head2Dx), (std::pair<int, int>{-3, 2}));
}

TEST_F(Comets, EmissionDrawsItsRandomNumbersInOrder) {
  TCometEmiter k;
  k.x = 300.7f;
  k.y = 400.2f;
  k.t = 0.5f;
  k.range1Min = -7;
  k.range1Max = 9;
  k.range2Min = -10;
  k.range2Max = 4;
  k.sparkScale = 0.6f;
  k.red = 200;
  k.green = 100;
  k.blue = 50;
  k.jitterX = {0, 11, 12, 13, 14};
  k.jitterY = {21, 0, 23, 24, 25};

  struct Spark {
    int x, y, life, r, g, b;
  };
  SeedRnd(5);
  std::vector<Spark> want;
  int r = 0, g = 0, b = 0;
  for (int i = 0; i < 2; ++i) {
    r = Rand(220, 300);
    g = Rand(110, 150);
    b = Rand(55, 75);
    int bx = k.jitterX[static_cast<size_t>(Rand(0, 4))];
    if (bx == 0) bx = 300;
    int by = k.jitterY[static_cast<size_t>(Rand(0, 4))];
    if (by == 0) by = 400;
    const int life = Rand(50, 60);
    const float oy = static_cast<float>(Rand(-5, 2)) * 0.5f;
    const float ox = static_cast<float>(Rand(-3, 4)) * 0.5f;
    want.push_back({static_cast<int>(bx + ox), static_cast<int>(by + oy), life, r, g, b});
  }
  for (int d : {3, 2}) {
    const int life = Rand(20, 50);
    const float oy = static_cast<float>(Rand(-10 / d, 4 / d)) * 0.5f;
    const float ox = static_cast<float>(Rand(-7 / d, 9 / d)) * 0.5f;
    want.push_back({static_cast<int>(300.7f + ox), static_cast<int>(400.2f + oy), life, r, g, b});
  }

  SeedRnd(5);
  k._update(510, 620, 4);
  std::vector<SparkPtr> made = Newest(4);
  ASSERT_EQ(made.size(), 4u);
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(made[i]->x, static_cast<float>(want[i].x));
    EXPECT_EQ(made[i]->y, static_cast<float>(want[i].y));
    EXPECT_EQ(made[i]->life, static_cast<float>(want[i].life));
    EXPECT_EQ((std::vector<int>{made[i]->red, made[i]->green, made[i]->blue}),
              (std::vector<int>{want[i].r, want[i].g, want[i].b}));
  }
  EXPECT_EQ(k.jitterX, (std::array<int32_t, 5>{11, 12, 13, 14, 300}));
  EXPECT_EQ(k.jitterY, (std::array<int32_t, 5>{0, 23, 24, 25, 400}));
  EXPECT_EQ(k.x, 510.0f);
  EXPECT_EQ(k.y, 620.0f);
}

TEST_F(Comets, CometsRemovingThemselvesDoNotDisturbThePass) {
  CometPtr fast = TCometEmiter::start(0, 0, 10, 10, 5, 5, 5.0f, 0, 0, 0, 0, 1.0f);
  CometPtr slow = TCometEmiter::start(0, 0, 10, 10, 5, 5, 0.01f, 0, 0, 0, 0, 1.0f);
  CometPtr fast2 = TCometEmiter::start(0, 0, 10, 10, 5, 5, 5.0f, 0, 0, 0, 0, 1.0f);
  TCometEmiter::updateAll();
  TCometEmiter::updateAll();
  EXPECT_EQ(cometList->Count(), 1);
  EXPECT_EQ(cometList->First(), slow);
  EXPECT_FLOAT_EQ(slow->t, 0.02f);
  EXPECT_EQ(SparkList->Count(), 24);
  // The idle global comet is never in the list.
  ASSERT_NE(comet, nullptr);
  EXPECT_FALSE(cometList->Contains(comet));
  EXPECT_EQ(comet->active, 0);
  EXPECT_TRUE(comet->sparks->IsEmpty());
}

}  // namespace
