// The magic sphere's vials: loading a level's vials (odd colours and capacities included), the
// drawn level easing behind the balls in single precision, the burst, sound and voice line of a
// vial first drawn full, its glow and wipe on the screen, and a resumed full vial.
#include <cmath>

#include "services/options.h"
#include "support/sound_fixtures.h"
#include "spells_fixtures.h"

using namespace spells;
using test_support::ScreenPixel;

namespace {

class Sphere : public testing::Test {
 protected:
  void SetUp() override {
    MakeSpells();
    sphere.ResetSettings();
  }
  void TearDown() override { StopAllChannels(); }

  TSCFilePtr LevelFile(const std::string& colours, const std::string& capacities) {
    return test_support::Store("Settings {\n Level {\n  SpheresColors = \"" + colours +
                               "\"\n  SpheresCapacities = \"" + capacities + "\"\n }\n}\n");
  }
  // One vial in use in slot 0.
  void OneVial(int colour, float capacity, float fill) {
    sphere.colours[0] = colour;
    sphere.capacities[0] = capacity;
    sphere.fills[0] = fill;
  }
  // Updates until slot's drawn level reaches `level`; answers how many updates that took.
  int UpdatesUntil(size_t slot, float level) {
    int n = 0;
    while (sphere.shownFill[slot] < level && n < 1000) {
      sphere.Update(0);
      ++n;
    }
    return n;
  }

  TMagicSphere sphere;
};

TEST_F(Sphere, LoadReadsFiveVialsAndLeavesOutColoursWithoutPictures) {
  level->fileName = u"level_09.tsc";
  std::string out = test_support::Output(
      [&] { sphere.Load(LevelFile("3 16 -1  2 7", "4 5 6 7")); });
  EXPECT_EQ(sphere.colours, (std::array<int32_t, 5>{3, 0, 0, 0, 2}));
  EXPECT_EQ(sphere.capacities, (std::array<float, 5>{4, 5, 6, 7, 0})) << "missing reads as 0";
  EXPECT_NE(out.find("level_09.tsc"), std::string::npos) << out;
  EXPECT_NE(out.find("colour 16"), std::string::npos) << out;
  EXPECT_NE(out.find("colour -1"), std::string::npos) << out;
  EXPECT_EQ(pieces::CountOf(out, "\n"), 2) << out;
  EXPECT_EQ(sphere.filledAt, (std::array<int32_t, 5>{-1, -1, -1, -1, -1}));
  EXPECT_EQ(sphere.IsFull(), 0);
  for (int colour : {3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2}) sphere.Fill(colour);
  EXPECT_EQ(sphere.IsFull(), 1) << "a vial of capacity 0 counts as full";
}

TEST_F(Sphere, PicturesOfTheColoursInUseAreLoadedOnceAndTheOthersLetGo) {
  // Colour 3 has pictures 11, colour 4 pictures 06.
  for (const char* name : {"gfx/ring/s-11.png", "gfx/ring/k-11.png", "gfx/ring/s-06.png",
                           "gfx/ring/k-06.png"})
    pieces::SavePicture(name, 4, 4, 0xFFFFFFFFu);
  sphere.Load(LevelFile("3 0 0 0 0", "1 0 0 0 0"));
  const ImagePtr symbol = sphere.symbolImages[2];
  ASSERT_TRUE(symbol);
  ASSERT_TRUE(sphere.vialImages[2]);
  sphere.Load(LevelFile("0 3 4 0 0", "0 1 1 0 0"));
  EXPECT_EQ(sphere.symbolImages[2], symbol) << "kept, not loaded again";
  EXPECT_TRUE(sphere.vialImages[3]);
  sphere.Load(LevelFile("4 0 0 0 0", "1 0 0 0 0"));
  EXPECT_FALSE(sphere.symbolImages[2]);
  EXPECT_FALSE(sphere.vialImages[2]);
  EXPECT_TRUE(sphere.symbolImages[3]);
}

TEST_F(Sphere, DrawnLevelEasesAHundredthAFrameInSinglePrecision) {
  OneVial(1, 4.0f, 1.0f);
  EXPECT_EQ(UpdatesUntil(0, 0.25f), 25) << "the first ball";
  for (float fill : {2.0f, 3.0f}) {
    sphere.fills[0] = fill;
    EXPECT_EQ(UpdatesUntil(0, fill / 4.0f), 26) << "ball " << fill;
  }
  // The drawn level never moves down.
  sphere.fills[0] = 1.0f;
  sphere.Update(0);
  EXPECT_EQ(sphere.shownFill[0], 0.75f);

  // All balls at once: first drawn full on the 101st update.
  sphere.ResetSettings();
  OneVial(2, 4.0f, 4.0f);
  for (int i = 0; i < 100; ++i) sphere.Update(0);
  EXPECT_EQ(sphere.filledAt[0], -1);
  EXPECT_EQ(sphere.OpenBallsCount(), 1);
  sphere.Update(0);
  EXPECT_EQ(sphere.filledAt[0], MilliSecs());
  EXPECT_EQ(sphere.OpenBallsCount(), 0);
  ASSERT_EQ(ringEmiterList->Count(), 1);
  const RingEmiterPtr burst = ringEmiterList->First();
  EXPECT_EQ(burst->x, 75.0f + 30.0f);
  EXPECT_EQ(burst->y, 19.0f + 30.0f);
  EXPECT_EQ(burst->radius, 26.0f);
  EXPECT_EQ(burst->minScale, 0.8f);
  EXPECT_EQ(burst->maxScale, 1.2f);
  EXPECT_EQ(burst->red, 20) << "colour 2's sparks";

  // A vial holding nothing is drawn full like any other.
  sphere.ResetSettings();
  OneVial(3, 0.0f, 0.0f);
  EXPECT_EQ(UpdatesUntil(0, 1.0f), 101);
  EXPECT_NE(sphere.filledAt[0], -1);
}

TEST_F(Sphere, VoiceLineCountsTheVialsStillOpenWhenEachIsDrawnFull) {
  options = std::make_shared<TOptions>();
  options->soundVol = 1.0f;
  const int levels[5] = {100, 200, 400, 800, 1600};
  for (size_t i = 0; i < 5; ++i) sphere.voiceSounds[i] = app_test::ConstantSound(levels[i]);
  sphere.colours = {1, 2, 3, 0, 0};
  sphere.capacities = {1.0f, 1.0f, 1.0f, 0.0f, 0.0f};
  sphere.fills = {1.0f, 1.0f, 0.0f, 0.0f, 0.0f};
  for (int i = 0; i < 100; ++i) sphere.Update(0);
  EXPECT_EQ(app_test::MixedLevel(), 0);
  sphere.Update(0);
  // Slot 0 still sees slot 1 open (last frame's level) and slot 2: two; slot 1 then one.
  EXPECT_EQ(app_test::MixedLevel(), 400 + 200);
  StopAllChannels();
  sphere.fills[2] = 1.0f;
  while (sphere.filledAt[2] == -1) sphere.Update(0);
  EXPECT_EQ(app_test::MixedLevel(), 100) << "the last vial: the line for none left";
}

TEST_F(Sphere, FullVialGlowsThenIsWipedUpwardAndAResumedOneIsGone) {
  sphere.vialFrameImage = test_support::SolidImage(62, 62, 0xFF000000u);
  sphere.vialImages[0] = test_support::SolidImage(62, 62, 0xFF0000FFu);
  for (ImagePtr& glow : sphere.extraImages) {
    glow = test_support::SolidImage(96, 96, 0xFFFFFFFFu);
    MidHandleImage(glow);
  }
  OneVial(1, 2.0f, 2.0f);
  sphere.shownFill[0] = 1.0f;
  const int centreX = 75 + 31;
  const int top = 19 + 10;
  const int bottom = 19 + 50;
  struct Case {
    int elapsed;
    bool glow, topDrawn, bottomDrawn;
  };
  const Case cases[] = {
      {150, true, true, true},     // the glow rising
      {1000, true, true, true},    // full glow
      {2250, false, true, false},  // half wiped from the bottom
      {2600, false, false, false}, // gone
      {3000, false, false, false}, // a resumed full vial
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.elapsed);
    sphere.filledAt[0] = MilliSecs() - c.elapsed;
    Cls();
    sphere.Update(0);
    const uint32_t high = ScreenPixel(centreX, top);
    const uint32_t low = ScreenPixel(centreX, bottom);
    // Colour 1's sparks are (10, 20, 30): the glow adds red to the blue liquid.
    EXPECT_EQ(test_support::Red(high) > 10, c.glow);
    EXPECT_EQ(test_support::Blue(high) > 200, c.topDrawn);
    EXPECT_EQ(test_support::Blue(low) > 200, c.bottomDrawn);
  }
  EXPECT_EQ(ringEmiterList->Count(), 0) << "no burst for a vial already full";
}

TEST_F(Sphere, CirclingSparksComeOnlyWithSparksAsked) {
  OneVial(1, 4.0f, 0.0f);
  for (int i = 0; i < 200; ++i) sphere.Update(0);
  EXPECT_EQ(SparkList->Count(), 0);
  for (int i = 0; i < 200; ++i) sphere.Update(1);
  EXPECT_GT(SparkList->Count(), 0);
  for (const SparkPtr& spark : *SparkList) {
    EXPECT_EQ(spark->moveType, 1);
    EXPECT_EQ(spark->centerX, 100);
    EXPECT_EQ(spark->centerY, 102);
    EXPECT_LE(spark->radius, 30);
  }
}

TEST(RingBurst, LivesAHundredAndNineUpdatesAtDeltaOne) {
  MakeSpells();
  TRingEmiter::Create(100, 100, 0.0f, -1, -1, -1, -1.0f, -1.0f, 1);
  ASSERT_EQ(ringEmiterList->Count(), 1);
  const RingEmiterPtr burst = ringEmiterList->First();
  EXPECT_EQ(burst->radius, 26.0f);
  EXPECT_EQ(burst->red, 255);
  EXPECT_EQ(burst->green, 150);
  EXPECT_EQ(burst->blue, 150);
  EXPECT_EQ(burst->minScale, 0.5f);
  EXPECT_EQ(burst->maxScale, 1.0f);
  TSpark::destroyAll();
  TRingEmiter::UpdateAll();
  // The first spark, at 10 degrees, is a 36th of the colour.
  EXPECT_EQ(SparkList->First()->red, 255 * 10 / 360);
  for (int i = 2; i <= 108; ++i) TRingEmiter::UpdateAll();
  EXPECT_EQ(ringEmiterList->Count(), 1);
  TRingEmiter::UpdateAll();
  EXPECT_EQ(ringEmiterList->Count(), 0);
  EXPECT_EQ(SparkList->Count(), 109) << "one spark an update";
  EXPECT_EQ(SparkList->First()->maxLife, 50.0f);

  // Only a zero radius and negative colours or scales keep the defaults.
  TRingEmiter::Create(0, 0, 5.0f, 10, -1, 30, 0.0f, 2.0f, 3);
  const RingEmiterPtr other = ringEmiterList->First();
  EXPECT_EQ(other->radius, 5.0f);
  EXPECT_EQ(other->red, 10);
  EXPECT_EQ(other->green, 150);
  EXPECT_EQ(other->blue, 30);
  EXPECT_EQ(other->minScale, 0.0f);
  EXPECT_EQ(other->image, 3);
}

}  // namespace
