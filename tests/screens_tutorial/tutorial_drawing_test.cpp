// The main tutorial page drawn at set field values: the vials by their fill (frame, contents,
// one ring burst per filling, its colour asked blue first), the line demonstrations by their
// counters, the drop pair's clamped fade, the turning block's places, the preview and the play
// button.
#include "tutorial_fixtures.h"

namespace tutorial_test {
namespace {

constexpr uint32_t kPageColour = Argb(255, 30, 30, 60);
constexpr uint32_t kFrameColour = Argb(255, 200, 200, 200);
constexpr uint32_t kContentsColour = Argb(255, 0, 220, 0);
constexpr uint32_t kSymbolColour = Argb(255, 220, 0, 220);
constexpr uint32_t kPlayColour = Argb(255, 250, 200, 0);

class TutorialDrawing : public testing::Test {
 protected:
  void SetUp() override {
    MakeTutorialScene();
    TTutorial& t = *tutorial;
    t.background = SolidImage(800, 600, kPageColour);
    magicSphere->vialFrameImage = SolidImage(62, 62, kFrameColour);
    t.ringKImages = {SolidImage(62, 62, kContentsColour), SolidImage(62, 62, kContentsColour)};
    t.ringSImages = {SolidImage(32, 32, kSymbolColour), SolidImage(32, 32, kSymbolColour)};
    t.playImage = SolidImage(64, 24, kPlayColour);
    t.demoPhase = TTutorial::kRowVariant;
    // The slide and drop demonstrations out of the way unless a test sets them.
    t.demoTicks2 = 190;
    t.demoAngle2 = 90.0f;
  }
  // The runes drawn at (x, y), with their alphas.
  std::vector<RecordingRunes::Drawn> DrawnAt(float x, int y) {
    std::vector<RecordingRunes::Drawn> found;
    for (const auto& d : Runes()->drawn)
      if (d.x == x && d.y == y) found.push_back(d);
    return found;
  }
  int SparksOf(int colour) {
    int n = 0;
    for (const auto& s : Runes()->sparks) n += s.colour == colour ? 1 : 0;
    return n;
  }
};

// Vial 0 stands at (432, 118): its symbol at (447, 133), its burst centre (462, 148).
TEST_F(TutorialDrawing, VialsFillBurstOncePerFillingWipeAndVanishByTheirFill) {
  struct Case {
    float fill;
    int flagBefore;
    uint32_t low;  // near the vial's bottom, beside the symbol
    uint32_t high;  // near the vial's top
    int bursts;
    int flagAfter;
  };
  const Case cases[] = {
      {0.5f, 0, kContentsColour, kFrameColour, 0, 1},  // filling from the bottom
      {1.0f, 0, kContentsColour, kContentsColour, 0, 1},  // full band, still no burst
      {1.01f, 1, kContentsColour, kContentsColour, 1, 0},  // the first frame above 1
      {1.5f, 0, kContentsColour, kContentsColour, 0, 0},  // already burst this filling
      {2.5f, 1, kPageColour, kContentsColour, 0, 1},  // wiped from the bottom up
      {3.01f, 1, kPageColour, kPageColour, 0, 1},  // nothing, not even the frame
  };
  for (const Case& c : cases) {
    TTutorial& t = *tutorial;
    ringEmiterList->Clear();
    t.hintTimers = {c.fill, 5.0f};
    t.hintFlags = {c.flagBefore, 0};
    t.Draw();
    SCOPED_TRACE(c.fill);
    EXPECT_EQ(ScreenPixel(436, 170), c.low);
    EXPECT_EQ(ScreenPixel(436, 122), c.high);
    EXPECT_EQ(ringEmiterList->Count(), c.bursts);
    EXPECT_EQ(t.hintFlags[0], c.flagAfter);
    if (c.bursts == 1) {
      RingEmiterPtr ring = ringEmiterList->First();
      EXPECT_EQ(ring->x, 462.0f);
      EXPECT_EQ(ring->y, 148.0f);
      EXPECT_EQ(ring->radius, 26.0f);
      EXPECT_EQ(ring->minScale, 0.8f);
      EXPECT_EQ(ring->maxScale, 1.2f);
      EXPECT_EQ(ring->image, 1);
      // Colour number 1, asked blue, green, red: each answer tells its place in the order.
      EXPECT_EQ(ring->blue, 130);
      EXPECT_EQ(ring->green, 120);
      EXPECT_EQ(ring->red, 110);
      ASSERT_EQ(Runes()->asked.size(), 3u);
      EXPECT_EQ(Runes()->asked[0].component, 3);
      EXPECT_EQ(Runes()->asked[2].component, 1);
    }
    Runes()->Clear();
  }
}

TEST_F(TutorialDrawing, SecondVialBurstsAtItsOwnCentreInColourTwo) {
  TTutorial& t = *tutorial;
  t.hintTimers = {5.0f, 1.2f};
  t.hintFlags = {0, 1};
  t.Draw();
  ASSERT_EQ(ringEmiterList->Count(), 1);
  EXPECT_EQ(ringEmiterList->First()->x, 365.0f);
  EXPECT_EQ(ringEmiterList->First()->y, 218.0f);
  EXPECT_EQ(ringEmiterList->First()->red, 210);
}

// The row's final places are (600, 100), (640, 100) and (680, 100).
TEST_F(TutorialDrawing, RowLineSparklesUntil99FadesFrom100To120AndIsGoneAt121) {
  struct Case {
    int ticks;
    float angle;
    int drawnAtFinal;  // runes drawn at the moving rune's final place
    float alpha;
    int sparks;
  };
  const Case cases[] = {{0, 0.0f, 0, 1.0f, 0},   {0, 90.0f, 1, 1.0f, 0}, {50, 90.0f, 1, 1.0f, 3},
                        {99, 90.0f, 1, 1.0f, 3}, {100, 90.0f, 1, 1.0f, 0},
                        {110, 90.0f, 1, 0.5f, 0}, {120, 90.0f, 1, 0.0f, 0},
                        {121, 90.0f, 0, 0.0f, 0}};
  for (const Case& c : cases) {
    Runes()->Clear();
    tutorial->demoTicks = c.ticks;
    tutorial->demoAngle = c.angle;
    tutorial->Draw();
    SCOPED_TRACE(c.ticks);
    const auto atFinal = DrawnAt(680, 100);
    ASSERT_EQ(static_cast<int>(atFinal.size()), c.drawnAtFinal);
    if (c.drawnAtFinal == 1) {
      EXPECT_EQ(atFinal[0].id, 1);
      EXPECT_FLOAT_EQ(atFinal[0].alpha, c.alpha);
    }
    if (c.angle == 0.0f) {
      EXPECT_EQ(DrawnAt(740, 100).size(), 1u) << "60 pixels to the right";
    }
    EXPECT_EQ(SparksOf(1), c.sparks);
  }
}

TEST_F(TutorialDrawing, ColumnVariantForAnyPhaseButOneWithTheOtherRuneInThePreview) {
  for (int phase : {2, 0, 7}) {
    Runes()->Clear();
    tutorial->demoPhase = phase;
    tutorial->demoTicks = 50;
    tutorial->demoAngle = 90.0f;
    tutorial->Draw();
    EXPECT_EQ(DrawnAt(640, 130).size(), 1u) << phase;
    EXPECT_EQ(DrawnAt(640, 130)[0].id, 2);
    EXPECT_EQ(SparksOf(2), 3) << phase;
    EXPECT_EQ(DrawnAt(375, 159).at(0).id, phase == 2 ? 1 : 2) << phase;
  }
  Runes()->Clear();
  tutorial->demoPhase = 1;
  tutorial->Draw();
  EXPECT_EQ(DrawnAt(394, 159).at(0).id, 2);
}

// Tick 100 of the slide and drop: the rows fade from 1, the drop pair's value is 4 (opaque).
TEST_F(TutorialDrawing, DropPairStaysOpaqueUntil160AndFadesBy180) {
  struct Case {
    int ticks;
    float pairAlpha;
    size_t pairDrawn;
  };
  const Case cases[] = {{100, 4.0f, 1}, {160, 1.0f, 1}, {170, 0.5f, 1}, {180, 0.0f, 1},
                        {181, 0.0f, 0}};
  for (const Case& c : cases) {
    Runes()->Clear();
    tutorial->demoTicks2 = c.ticks;
    tutorial->Draw();
    SCOPED_TRACE(c.ticks);
    const auto pair = DrawnAt(165, 390);
    ASSERT_EQ(pair.size(), c.pairDrawn);
    if (c.pairDrawn == 1) {
      EXPECT_FLOAT_EQ(pair[0].alpha, c.pairAlpha);
    }
  }
  // At 100 the drop row and the slide rows are drawn at alpha 1 with no sparks.
  Runes()->Clear();
  tutorial->demoTicks2 = 100;
  tutorial->Draw();
  EXPECT_FLOAT_EQ(DrawnAt(205, 430).at(0).alpha, 1.0f);
  EXPECT_FLOAT_EQ(DrawnAt(710, 425).at(0).alpha, 1.0f);
  EXPECT_TRUE(Runes()->sparks.empty() || SparksOf(3) == 0);
}

TEST_F(TutorialDrawing, SlideAndDropSparkSixAndFiveAFrameWhileResting) {
  tutorial->demoTicks = 150;  // the row quiet
  tutorial->demoTicks2 = 50;
  tutorial->Draw();
  EXPECT_EQ(SparksOf(2), 3);
  EXPECT_EQ(SparksOf(3), 3);
  EXPECT_EQ(SparksOf(1), 5);
  // The falling block has landed: rune 1 in the gap, the rune-2 pair above.
  EXPECT_EQ(DrawnAt(125, 430).size(), 1u);
  EXPECT_EQ(DrawnAt(165, 390).size(), 1u);
  EXPECT_EQ(DrawnAt(630, 385).size(), 1u) << "the sliding pair at its place";
}

TEST_F(TutorialDrawing, TurningBlockStandsWhereItsRadiiPutItWithTheDiagonalTruncated) {
  struct Case {
    int spin;
    float x[3];
    int y[3];
  };
  const Case cases[] = {{0, {120, 160, 160}, {60, 60, 99}},
                        {90, {120, 120, 80}, {60, 100, 99}},
                        {180, {120, 80, 80}, {60, 60, 20}}};
  for (const Case& c : cases) {
    Runes()->Clear();
    tutorial->demoTicks = 150;
    tutorial->spinAngle = c.spin;
    tutorial->Draw();
    // The rotation follows the row/column and slide demonstrations and precedes the drop.
    std::vector<RecordingRunes::Drawn> block;
    for (const auto& d : Runes()->drawn)
      if (d.y < 150 && d.x < 300) block.push_back(d);
    ASSERT_EQ(block.size(), 3u) << c.spin;
    for (int k = 0; k < 3; ++k) {
      EXPECT_FLOAT_EQ(block[k].x, c.x[k]) << c.spin << " rune " << k;
      EXPECT_EQ(block[k].y, c.y[k]) << c.spin << " rune " << k;
      EXPECT_EQ(block[k].id, k == 0 ? 1 : 2);
    }
  }
}

TEST_F(TutorialDrawing, PlayButtonLitOnlyWhileOverPlay) {
  tutorial->Draw();
  EXPECT_EQ(ScreenPixel(400, 580), kPageColour);
  tutorial->overPlay = 1;
  tutorial->Draw();
  EXPECT_EQ(ScreenPixel(400, 580), kPlayColour);
  EXPECT_EQ(ScreenPixel(369, 570), kPlayColour);
}

}  // namespace
}  // namespace tutorial_test
