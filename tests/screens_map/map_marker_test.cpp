// Level markers and stage pictures as the map draws them: the played, next and ahead looks of a
// marker, the pulse of the next level's glow and the glow of each kind; the plain, glowing and
// half-strength looks of a stage picture on a captured frame.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "map_fixtures.h"
#include "platform/graphics.h"

namespace {

using map_test::MapTest;
using map_test::Over;
using test_support::Argb;
using test_support::Blue;
using test_support::Green;
using test_support::Red;
using test_support::ScreenPixel;

void ExpectNear(uint32_t got, uint32_t want, const std::string& what) {
  EXPECT_TRUE(map_test::Near(got, want))
      << what << ": got " << Red(got) << "," << Green(got) << "," << Blue(got) << " want "
      << Red(want) << "," << Green(want) << "," << Blue(want);
}

class MarkerTest : public MapTest {
 protected:
  void SetUp() override {
    MapTest::SetUp();
    FillLikeLoad();
    SetBlend(ALPHABLEND);
  }
  // A marker of `kind` at (100, 100) with its kind's pictures, as the map file would add it.
  MapLevelPtr Marker(int32_t number, int32_t kind = 1) {
    map->AddLevel(number, 1, kind, 100, 100);
    return map->levels->Last();
  }
  // Draws the marker once on black and reads its centre and a point of the glow outside the
  // marker picture.
  void DrawOnBlack(const MapLevelPtr& marker, int32_t currentLevel, float alpha) {
    Cls();
    marker->Draw(currentLevel, alpha);
  }
};

TEST_F(MarkerTest, PlayedAndAheadLevelsDrawTheirPictureAtTheMapAlphaAndKeepThePulse) {
  struct Case {
    const char* name;
    int32_t number;
    int32_t currentLevel;
    uint32_t colour;
  };
  const Case cases[] = {
      {"ahead", 5, 4, map_test::kAheadColour},
      {"played", 3, 4, map_test::kDoneColour},
      {"signed: -1 is played when the level is 0", -1, 0, map_test::kDoneColour},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MapLevelPtr marker = Marker(c.number);
    for (float alpha : {1.0f, 0.5f}) {
      DrawOnBlack(marker, c.currentLevel, alpha);
      ExpectNear(ScreenPixel(100, 100), Over(c.colour, alpha), "centre");
      // No glow round the picture.
      ExpectNear(ScreenPixel(100 + map_test::kMarkerSide / 2 + 1, 100), Over(0, 1), "beside");
    }
    EXPECT_EQ(marker->pulse, 1.0f);
    EXPECT_EQ(marker->pulseRising, 0);
  }
}

TEST_F(MarkerTest, GlowPulsesOneStepPerDrawFromItsFirstCall) {
  MapLevelPtr marker = Marker(4);
  // The factor drawn in each call, from a new marker (1.0, falling).
  std::vector<float> drawn;
  std::vector<int32_t> rising;
  for (int call = 1; call <= 31 + 64; ++call) {
    marker->Draw(4, 1.0f);
    drawn.push_back(marker->pulse);
    rising.push_back(marker->pulseRising);
  }
  auto at = [&](int call) { return drawn[static_cast<size_t>(call - 1)]; };
  auto risingAt = [&](int call) { return rising[static_cast<size_t>(call - 1)]; };
  EXPECT_EQ(at(1), 1.0f - 0.035f);
  EXPECT_NEAR(at(14), 0.51f, 1e-5);
  EXPECT_EQ(risingAt(14), 0);
  EXPECT_NEAR(at(15), 0.475f, 1e-5);  // below 0.5: turns up
  EXPECT_EQ(risingAt(15), 1);
  EXPECT_NEAR(at(16), 0.51f, 1e-5);
  EXPECT_EQ(at(30), 1.0f);             // exactly 1.0 is not past the top: still rising
  EXPECT_EQ(risingAt(30), 1);
  EXPECT_NEAR(at(31), 1.035f, 1e-5);  // past it: turns down
  EXPECT_EQ(risingAt(31), 0);
  // From then on a cycle of 32 calls: 16 down to about 0.475, 16 up to about 1.035.
  for (int cycle = 1; cycle <= 2; ++cycle) {
    SCOPED_TRACE(cycle);
    const int top = 31 + 32 * cycle;
    EXPECT_NEAR(at(top - 16), 0.475f, 1e-4);
    EXPECT_EQ(risingAt(top - 16), 1);
    EXPECT_EQ(risingAt(top - 17), 0);
    EXPECT_NEAR(at(top), 1.035f, 1e-4);
    EXPECT_EQ(risingAt(top), 0);
    EXPECT_EQ(risingAt(top - 1), 1);
  }
}

TEST_F(MarkerTest, PulseIsNeverResetAndRunsAlsoWhenInvisible) {
  MapLevelPtr marker = Marker(4);
  for (int call = 0; call < 5; ++call) marker->Draw(4, 0.0f);  // at alpha 0 it still steps
  const float stopped = marker->pulse;
  EXPECT_NEAR(stopped, 1.0f - 5 * 0.035f, 1e-5);
  marker->Draw(5, 1.0f);  // another level is current: the pulse waits
  marker->Draw(3, 1.0f);
  EXPECT_EQ(marker->pulse, stopped);
  marker->Draw(4, 1.0f);  // current again: it goes on from where it stopped
  EXPECT_EQ(marker->pulse, stopped - 0.035f);
  // Two markers of the current level each keep a pulse of their own.
  MapLevelPtr twin = Marker(4);
  twin->Draw(4, 1.0f);
  EXPECT_EQ(twin->pulse, 1.0f - 0.035f);
  EXPECT_EQ(marker->pulse, stopped - 0.035f);
}

TEST_F(MarkerTest, NextLevelDrawsItsPictureThenTheGlowOfItsKindAtPulseTimesAlpha) {
  struct Case {
    int32_t kind;
    uint32_t picture;
    bool glows;
    uint32_t glow;
  };
  const Case cases[] = {
      {1, map_test::kAheadColour, true, map_test::kGlowColour},
      {2, map_test::kAheadColour, true, map_test::kGlowColour},
      {3, map_test::kMiniGameColour, true, map_test::kGlowColour},
      {4, map_test::kAheadColour, true, map_test::kGlowColour},
      {5, map_test::kBossColour, true, map_test::kBossGlowColour},
      {0, map_test::kAheadColour, false, 0},
      {6, map_test::kAheadColour, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("kind " + std::to_string(c.kind));
    // Kinds outside 1..5 make no marker through the map; built directly they still draw.
    MapLevelPtr marker = TMapLevel::Create(4, 1, c.kind, 100, 100, map->kindImages[0][0],
                                           map->kindImages[0][1]);
    if (c.kind >= 1 && c.kind <= 5) {
      marker->image = map->kindImages[static_cast<size_t>(c.kind - 1)][0];
    }
    const float alpha = 0.5f;
    DrawOnBlack(marker, 4, alpha);
    const float factor = marker->pulse * alpha;  // 0.965 x 0.5
    EXPECT_EQ(GetAlpha(), factor);               // set whatever the kind
    const uint32_t picture = Over(c.picture, alpha);
    ExpectNear(ScreenPixel(100, 100), c.glows ? Over(c.glow, factor, picture) : picture, "centre");
    // The glow reaches past the picture (12 against 8 pixels).
    ExpectNear(ScreenPixel(100 + map_test::kMarkerSide / 2 + 1, 100),
               c.glows ? Over(c.glow, factor) : Over(0, 1), "rim");
  }
}

TEST_F(MarkerTest, GlowAboveOneIsDrawnOpaque) {
  MapLevelPtr marker = Marker(4);
  for (int call = 0; call < 30; ++call) marker->Draw(4, 1.0f);
  Cls();
  marker->Draw(4, 1.0f);  // call 31: about 1.035
  ASSERT_GT(marker->pulse, 1.0f);
  ExpectNear(ScreenPixel(100, 100), map_test::kGlowColour, "centre");
}

class StageTest : public MapTest {
 protected:
  static constexpr uint32_t kStageColour = Argb(255, 100, 100, 100);
  void SetUp() override {
    MapTest::SetUp();
    stage = std::make_shared<TMapStage>();
    stage->number = 2;
    stage->x = 50;
    stage->y = 60;
    stage->image = test_support::SolidImage(10, 10, kStageColour);
    SetBlend(ALPHABLEND);
    SetColor(255, 255, 255);
  }
  MapStagePtr stage;
};

TEST_F(StageTest, CurrentPassedAndAheadStagesOnACapturedFrame) {
  // The current stage is drawn plainly, then added once more pale blue at 0.6 of the alpha.
  auto glowing = [](float alpha) {
    const float glow = 0.6f * alpha;
    return Argb(255, static_cast<int>(std::lround(100 * alpha + 100 * 200 / 255.0 * glow)),
                static_cast<int>(std::lround(100 * alpha + 100 * 200 / 255.0 * glow)),
                static_cast<int>(std::lround(100 * alpha + 100 * glow)));
  };
  struct Case {
    const char* name;
    int32_t currentStage;
    float alpha;
    uint32_t expected;
  };
  const Case cases[] = {
      {"current", 2, 1.0f, glowing(1.0f)},
      {"current at half alpha", 2, 0.5f, glowing(0.5f)},
      {"passed", 3, 1.0f, kStageColour},
      {"passed at half alpha", 3, 0.5f, Over(kStageColour, 0.5f)},
      {"ahead", 1, 1.0f, Over(kStageColour, 0.5f)},
      {"ahead at half alpha", 1, 0.5f, Over(kStageColour, 0.25f)},
      {"ahead at alpha 0", 1, 0.0f, Argb(255, 0, 0, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Cls();
    stage->Draw(c.currentStage, c.alpha);
    ExpectNear(ScreenPixel(55, 65), c.expected, "inside");
    // Placed by its top-left corner.
    ExpectNear(ScreenPixel(50, 60), c.expected, "top-left corner");
    ExpectNear(ScreenPixel(49, 59), Argb(255, 0, 0, 0), "outside");
    ExpectNear(ScreenPixel(60, 70), Argb(255, 0, 0, 0), "past the far corner");
  }
}

TEST_F(StageTest, GlowLeavesWhiteAlphaBlendingAndItsOwnAlpha) {
  SetColor(10, 20, 30);
  SetBlend(SHADEBLEND);
  stage->Draw(2, 0.5f);
  int r = 0, g = 0, b = 0;
  GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  EXPECT_EQ(GetBlend(), ALPHABLEND);
  EXPECT_EQ(GetAlpha(), 0.6f * 0.5f);
  // The other looks change neither the colour nor the blend mode.
  SetColor(10, 20, 30);
  SetBlend(SHADEBLEND);
  stage->Draw(1, 0.5f);
  GetColor(r, g, b);
  EXPECT_EQ(r, 10);
  EXPECT_EQ(GetBlend(), SHADEBLEND);
  EXPECT_EQ(GetAlpha(), 0.5f * 0.5f);
}

TEST_F(StageTest, APictureThatDoesNotLoadIsReportedOnceAndNotDrawn) {
  const std::string output = test_support::Output([] {
    map->AddStage(3, S("gfx/mapa/no-such-stage.png"), 5, 6);
  });
  EXPECT_EQ(output, "The map picture gfx/mapa/no-such-stage.png could not be loaded\n");
  ASSERT_EQ(map->stages->Count(), 1);
  const MapStagePtr missing = map->stages->First();
  EXPECT_EQ(missing->number, 3);
  EXPECT_EQ(missing->imagePath, S("gfx/mapa/no-such-stage.png"));
  EXPECT_EQ(missing->x, 5);
  EXPECT_EQ(missing->y, 6);
  EXPECT_FALSE(missing->image);
  Cls();
  EXPECT_EQ(test_support::Output([&] {
              for (int32_t current : {2, 3, 4}) missing->Draw(current, 1.0f);
            }),
            "");
  ExpectNear(ScreenPixel(6, 7), Argb(255, 0, 0, 0), "nothing drawn");
}

}  // namespace
