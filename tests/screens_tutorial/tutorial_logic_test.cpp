// The main tutorial page's logic frame by frame on the virtual clock: the play button's zone,
// the hourglass's slow and quick steps and turnarounds, the match demonstrations' angles, ticks,
// bursts and restarts, the turning block, the vials' ramps, and the comets of every burst.
#include <cmath>
#include <functional>

#include "tutorial_fixtures.h"

namespace tutorial_test {
namespace {

class TutorialLogic : public testing::Test {
 protected:
  void SetUp() override {
    MakeTutorialScene();
    TTutorial& t = *tutorial;
    t.demoPhase = TTutorial::kRowVariant;
    t.timerFrame = 29;
    t.timerStepMs = MilliSecs();
  }
  // Calls Update `frames` times.
  void Frames(int frames) {
    for (int i = 0; i < frames; ++i) tutorial->Update();
  }
};

TEST_F(TutorialLogic, PlayButtonZoneIsInclusiveOnAllFourSides) {
  struct Case {
    int x, y, over;
  };
  const Case cases[] = {{370, 571, 1}, {433, 593, 1}, {400, 580, 1}, {369, 580, 0},
                        {434, 580, 0}, {400, 570, 0}, {400, 594, 0}};
  for (const Case& c : cases) {
    mouse->x = c.x;
    mouse->y = c.y;
    tutorial->Update();
    EXPECT_EQ(tutorial->overPlay, c.over) << c.x << ", " << c.y;
  }
}

TEST_F(TutorialLogic, HourglassStepsOncePerCallAfterMoreThan500MsForwardOr20MsBack) {
  struct Case {
    int filling, frame, gapMs, frameAfter, fillingAfter;
  };
  const Case cases[] = {
      {1, 10, 500, 10, 1}, {1, 10, 501, 11, 1}, {1, 10, 5000, 11, 1},  // forward
      {0, 10, 20, 10, 0},  {0, 10, 21, 9, 0},   {0, 10, 5000, 9, 0},   // back (the refill)
      {1, 29, 501, 29, 0},  // forward from the last frame keeps it and turns back
      {0, 0, 21, 0, 1},     // back from the first frame keeps it and turns forward
  };
  for (const Case& c : cases) {
    TTutorial& t = *tutorial;
    t.timerFilling = c.filling;
    t.timerFrame = c.frame;
    t.timerStepMs = MilliSecs();
    const ImagePtr before = SolidImage(2, 2, Argb(255, 1, 2, 3));
    t.timerImage = before;
    headless::AdvanceClock(c.gapMs);
    t.Update();
    EXPECT_EQ(t.timerFrame, c.frameAfter) << c.filling << "/" << c.frame << "/" << c.gapMs;
    EXPECT_EQ(t.timerFilling, c.fillingAfter) << c.filling << "/" << c.frame << "/" << c.gapMs;
    const bool stepped = c.gapMs > (c.filling == 1 ? 500 : 20);
    if (!stepped) {
      EXPECT_EQ(t.timerImage, before);
      continue;
    }
    ASSERT_TRUE(t.timerImage);
    EXPECT_NE(t.timerImage, before) << "a step makes a new picture";
    EXPECT_EQ(t.timerStepMs, MilliSecs());
    PixmapPtr shown = LockImage(t.timerImage);
    EXPECT_EQ(ReadPixel(shown, 5, 5), FrameColour(c.frameAfter));
  }
}

// The frame in which the angle first reaches 90 is the first counted tick; the row burst comes
// 99 frames later, and 101 frames after that the column variant starts over from 0.
TEST_F(TutorialLogic, RowColumnAngleRestsAt90ThenBurstsRestartsAndSwitchesVariant) {
  struct Case {
    double delta;
    int restFrame;
  };
  for (const Case c : {Case{1.0, 90}, Case{2.5, 36}, Case{1.7, 53}}) {
    MakeTutorialScene();
    TTutorial& t = *tutorial;
    t.demoPhase = TTutorial::kRowVariant;
    t.timerStepMs = MilliSecs();
    delta = c.delta;
    int frame = 0;
    while (t.demoAngle < 90.0f && frame < 200) {
      t.Update();
      ++frame;
    }
    EXPECT_EQ(frame, c.restFrame) << c.delta;
    EXPECT_EQ(t.demoTicks, 1) << c.delta;
    Frames(98);
    EXPECT_TRUE(CometsFrom(616, 116).empty()) << c.delta;
    Frames(1);
    EXPECT_EQ(t.demoTicks, 100);
    EXPECT_EQ(CometsFrom(616, 116).size(), 1u) << c.delta;
    EXPECT_EQ(CometsFrom(656, 116).size(), 1u) << c.delta;
    EXPECT_EQ(CometsFrom(696, 116).size(), 1u) << c.delta;
    Frames(100);
    EXPECT_EQ(t.demoTicks, 200);
    EXPECT_EQ(t.demoPhase, TTutorial::kRowVariant);
    const size_t comets = cometList->Count();
    Frames(1);
    EXPECT_EQ(t.demoAngle, 0.0f) << c.delta;
    EXPECT_EQ(t.demoTicks, 0);
    EXPECT_EQ(t.demoPhase, TTutorial::kColumnVariant);
    EXPECT_EQ(static_cast<size_t>(cometList->Count()), comets) << "the restart bursts nothing";
  }
}

TEST_F(TutorialLogic, ASecondCycleRunsTheColumnVariantAndItsBurst) {
  TTutorial& t = *tutorial;
  t.demoPhase = TTutorial::kColumnVariant;
  t.demoAngle = 90.0f;
  t.demoTicks = 99;
  Frames(1);
  EXPECT_EQ(CometsFrom(660, 70).size(), 1u);
  EXPECT_EQ(CometsFrom(660, 110).size(), 1u);
  EXPECT_EQ(CometsFrom(660, 150).size(), 1u);
  EXPECT_TRUE(CometsFrom(616, 116).empty());
}

TEST_F(TutorialLogic, SlideAndDropStepOneDegreeAFrameWhateverTheDelta) {
  delta = 2.5;
  TTutorial& t = *tutorial;
  Frames(89);
  EXPECT_EQ(t.demoAngle2, 89.0f);
  EXPECT_EQ(t.demoTicks2, 0);
  Frames(1);
  EXPECT_EQ(t.demoTicks2, 1);
  Frames(99);
  EXPECT_EQ(t.demoTicks2, 100);
  EXPECT_EQ(CometsFrom(646, 401).size(), 1u);
  EXPECT_EQ(CometsFrom(65, 450).size(), 1u);
  Frames(101);
  EXPECT_EQ(t.demoAngle2, 0.0f);
  EXPECT_EQ(t.demoTicks2, 0);
}

// 2, 4, ... 90, fifteen frames at 90, 92, ... 360, fifteen frames, then 2 again in frame 237:
// 236 frames a turn.
TEST_F(TutorialLogic, TurningBlockRestsFifteenFramesAtEveryQuarterAndTurnsIn236Frames) {
  std::vector<int> angles;
  for (int frame = 1; frame <= 240; ++frame) {
    tutorial->Update();
    angles.push_back(tutorial->spinAngle);
  }
  struct Case {
    int frame, angle;
  };
  const Case cases[] = {{1, 2},    {44, 88},  {45, 90},  {59, 90},  {60, 92},
                        {104, 180}, {118, 180}, {119, 182}, {222, 360}, {236, 360},
                        {237, 2},   {238, 4}};
  for (const Case& c : cases) EXPECT_EQ(angles[c.frame - 1], c.angle) << c.frame;
  for (int frame = 2; frame < 237; ++frame) EXPECT_NE(angles[frame - 1], 2) << frame;
}

TEST_F(TutorialLogic, VialsFillSlowlyFor201FramesThenFastAndEmptyInFrame321) {
  TTutorial& t = *tutorial;
  Frames(200);
  EXPECT_LT(t.hintTimers[0], 1.0f) << "200 single-precision steps stay just below 1";
  Frames(1);
  EXPECT_GE(t.hintTimers[0], 1.0f);
  EXPECT_EQ(t.hintTimers[1], t.hintTimers[0]);
  Frames(119);
  EXPECT_GT(t.hintTimers[0], 6.9f);
  Frames(1);
  EXPECT_EQ(t.hintTimers[0], 0.0f);
  EXPECT_EQ(t.hintTimers[1], 0.0f);

  t.hintTimers = {1.0f, 0.995f};
  Frames(1);
  EXPECT_FLOAT_EQ(t.hintTimers[0], 1.05f) << "exactly 1 takes the fast step";
  EXPECT_FLOAT_EQ(t.hintTimers[1], 1.0f);
}

// Control points: y is drawn before x, after the comet's colour when that is read per comet.
TEST_F(TutorialLogic, BurstCometsCarryTheirPointsSpeedAndShadesInTheirDrawOrder) {
  struct Expected {
    int x, y, endX, endY, yMin, yMax, xMin, xMax, colour;
    bool ownShade;
  };
  std::vector<Expected> slideAndDrop;
  for (int i = 0; i < 3; ++i) {
    slideAndDrop.push_back({646 + 40 * i, 401, 387, 154, 200, 500, 150, 350, 2, true});
    slideAndDrop.push_back({646 + 40 * i, 441, 397, 159, 100, 400, 250, 450, 3, true});
  }
  for (int i = 0; i < 5; ++i)
    slideAndDrop.push_back({65 + 40 * i, 450, 387, 154, 200, 500, 150, 350, 1, true});
  std::vector<Expected> row, column;
  for (int i = 0; i < 3; ++i) {
    row.push_back({616 + 40 * i, 116, 387, 154, 200, 500, 150, 350, 1, false});
    column.push_back({660, 70 + 40 * i, 387, 154, 200, 500, 150, 350, 2, false});
  }

  struct Burst {
    const char* name;
    std::vector<Expected> comets;
    std::function<void(TTutorial&)> arm;
  };
  const Burst bursts[] = {
      {"row", row, [](TTutorial& t) { t.demoPhase = 1, t.demoAngle = 90, t.demoTicks = 99; }},
      {"column", column,
       [](TTutorial& t) { t.demoPhase = 2, t.demoAngle = 90, t.demoTicks = 99; }},
      {"slide and drop", slideAndDrop,
       [](TTutorial& t) { t.demoAngle2 = 90, t.demoTicks2 = 99; }},
  };
  for (const Burst& b : bursts) {
    MakeTutorialScene();
    TTutorial& t = *tutorial;
    t.timerStepMs = MilliSecs();
    b.arm(t);
    SeedRnd(4242);
    t.Update();
    ASSERT_EQ(cometList->Count(), static_cast<int>(b.comets.size())) << b.name;
    // The same draws again, in the order the page must make them.
    SeedRnd(4242);
    auto shades = std::make_shared<RecordingRunes>();
    int index = 0;
    int32_t sharedRed = 0, sharedGreen = 0, sharedBlue = 0;
    if (!b.comets.front().ownShade) {
      sharedRed = shades->getRuneRGB(b.comets.front().colour, 1);
      sharedGreen = shades->getRuneRGB(b.comets.front().colour, 2);
      sharedBlue = shades->getRuneRGB(b.comets.front().colour, 3);
    }
    for (const CometPtr& c : *cometList) {
      const Expected& e = b.comets[index++];
      int32_t red = sharedRed, green = sharedGreen, blue = sharedBlue;
      if (e.ownShade) {
        red = shades->getRuneRGB(e.colour, 1);
        green = shades->getRuneRGB(e.colour, 2);
        blue = shades->getRuneRGB(e.colour, 3);
      }
      const int controlY = Rand(e.yMin, e.yMax);
      const int controlX = Rand(e.xMin, e.xMax);
      SCOPED_TRACE(std::string(b.name) + " comet " + std::to_string(index));
      EXPECT_EQ(c->startX, e.x);
      EXPECT_EQ(c->startY, e.y);
      EXPECT_EQ(c->endX, e.endX);
      EXPECT_EQ(c->endY, e.endY);
      EXPECT_EQ(c->controlX, controlX);
      EXPECT_EQ(c->controlY, controlY);
      EXPECT_EQ(c->speed, ExpectedSpeed(e.x, e.y, 397, 159));
      EXPECT_EQ(c->red, red);
      EXPECT_EQ(c->green, green);
      EXPECT_EQ(c->blue, blue);
      EXPECT_EQ(c->range1Min, -6);
      EXPECT_EQ(c->range2Max, 6);
      EXPECT_EQ(c->sparkScale, 0.8f);
    }
  }
}

}  // namespace
}  // namespace tutorial_test
