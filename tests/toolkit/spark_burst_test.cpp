#include "toolkit/spark_burst.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/system.h"
#include "toolkit/button.h"
#include "toolkit/spark.h"
#include "toolkit_fixtures.h"

namespace {

struct Expected {
  int red, green, blue, life;
  float scale, vx, vy;
};

// The draws of one burst, replayed in the order the burst takes them.
std::vector<Expected> Replay(int32_t seed) {
  SeedRnd(seed);
  std::vector<Expected> out;
  for (int i = 0; i < 101; ++i) {
    Expected e{};
    e.blue = Rand(100, 255);
    e.green = Rand(100, 150);
    e.red = Rand(100, 150);
    e.life = Rand(20, 80);
    e.scale = static_cast<float>(Rnd(0.5, 1.0));
    e.vy = static_cast<float>(Rnd(-1.5, 1.5));
    e.vx = static_cast<float>(Rnd(-1.5, 1.5));
    out.push_back(e);
  }
  return out;
}

TEST(SparkBurst, HundredAndOneSparksFromTheButtonsCentreWithTheirDrawsInOrder) {
  sparkImages[2] = tk::SolidImage(32, 32, tk::kWhite);
  ImageButtonPtr button = CreateImageButton(tk::SolidImage(100, 60, tk::kWhite),
                                            CreateDim(200, 150, 100, 60), 1, 1.0f, 0);
  button->dim->width = 100;
  button->dim->height = 60;
  const std::vector<Expected> expected = Replay(77);
  SeedRnd(77);
  EXPECT_EQ(SparksOnPlace(button), 0);
  ASSERT_EQ(SparkList->Count(), 101);
  // Newest first: walk the expectations backwards.
  size_t i = expected.size();
  for (const SparkPtr& s : *SparkList) {
    const Expected& e = expected[--i];
    SCOPED_TRACE(i);
    EXPECT_EQ(s->x, 234.0f);
    EXPECT_EQ(s->y, 164.0f);
    EXPECT_EQ((std::vector<int>{s->red, s->green, s->blue}),
              (std::vector<int>{e.red, e.green, e.blue}));
    EXPECT_EQ(s->life, static_cast<float>(e.life));
    EXPECT_EQ(s->maxLife, static_cast<float>(e.life));
    EXPECT_EQ(s->scale, e.scale);
    EXPECT_EQ(s->vx, e.vx);
    EXPECT_EQ(s->vy, e.vy);
    EXPECT_EQ(s->blend, 1);
    EXPECT_EQ(s->alphaMode, 1);
    EXPECT_EQ(s->image, sparkImages[2]);
  }
}

TEST(SparkBurst, CentreComesFromTheUnscaledRectangle) {
  sparkImages[2] = tk::SolidImage(10, 6, tk::kWhite);
  // Centre-handled and scaled: the left and top edges follow the scale, the size does not.
  DimPtr dim = CreateDim(300, 200, 101, 51, 0, 2.0f, 2.0f, 1);
  ImageButtonPtr button = CreateImageButton(tk::SolidImage(4, 4, tk::kWhite), dim, 1, 1.0f, 0);
  dim->width = 101;
  dim->height = 51;
  SparksOnPlace(button);
  const int left = static_cast<int>(dim->Left());
  const int top = static_cast<int>(dim->Top());
  ASSERT_EQ(SparkList->Count(), 101);
  EXPECT_EQ(SparkList->First()->x, static_cast<float>(left + 50 - 5));
  EXPECT_EQ(SparkList->First()->y, static_cast<float>(top + 25 - 3));
}

}  // namespace
