// The boss tutorial: its animation cycle frame by frame (runes appearing 16 frames apart,
// sparkle in lockstep, the comet burst, fade-out, reset), long frames that jump phases, the
// drawing alphas, and the screen with and without its fades, music and close.
#include "platform/errors.h"
#include "tutorial_fixtures.h"

namespace tutorial_test {
namespace {

class BossTutorial : public TutorialRun {
 protected:
  void SetUp() override {
    TutorialRun::SetUp();
    tutorial->demoPhase = 1;
  }
};

TEST_F(BossTutorial, CycleAppearsSparklesBurstsFadesAndResetsOnItsFrames) {
  TTutorial& t = *tutorial;
  std::array<int, 16> firstStep{};
  int sparkleFrom = 0, sparkleFrames = 0, burstFrame = 0, pastThree = 0, resetFrame = 0;
  for (int frame = 1; frame <= 560 && resetFrame == 0; ++frame) {
    Runes()->Clear();
    const size_t comets = static_cast<size_t>(cometList->Count());
    const float clockBefore = t.bossValues[15];
    t.update2();
    for (int k = 0; k < 16; ++k)
      if (firstStep[k] == 0 && t.bossValues[k] > 0.0f) firstStep[k] = frame;
    if (!Runes()->sparks.empty()) {
      EXPECT_EQ(Runes()->sparks.size(), 24u) << frame;
      for (int k = 0; k < 15; ++k) EXPECT_EQ(t.bossValues[k], t.bossValues[15]) << frame;
      if (sparkleFrom == 0) sparkleFrom = frame;
      ++sparkleFrames;
    }
    if (static_cast<size_t>(cometList->Count()) > comets) {
      EXPECT_EQ(burstFrame, 0) << "one burst a cycle";
      burstFrame = frame;
      EXPECT_EQ(static_cast<size_t>(cometList->Count()) - comets, 14u);
    }
    if (pastThree == 0 && t.bossValues[15] > 3.0f) pastThree = frame;
    if (clockBefore > 0.0f && t.bossValues[15] == 0.0f) resetFrame = frame;
  }
  for (int k = 0; k < 16; ++k) EXPECT_EQ(firstStep[k], 1 + 16 * k) << "rune " << k;
  EXPECT_EQ(sparkleFrom, 307);
  EXPECT_EQ(sparkleFrames, 67);
  EXPECT_EQ(burstFrame, 374);
  EXPECT_EQ(pastThree, 440);
  EXPECT_EQ(resetFrame, 540);
  EXPECT_EQ(t.demoPhase, 1) << "the burst armed again";
  for (float v : t.bossValues) EXPECT_EQ(v, 0.0f);
}

TEST_F(BossTutorial, BurstSendsFourteenCometsOfOneShadeTowardTheBottom) {
  TTutorial& t = *tutorial;
  t.bossValues.fill(1.99f);
  SeedRnd(99);
  t.update2();
  ASSERT_EQ(cometList->Count(), 14);
  EXPECT_EQ(t.demoPhase, 0);
  std::vector<std::pair<int, int>> starts;
  for (int x = 299; x <= 499; x += 40) {
    starts.push_back({x, 234});
    starts.push_back({x, 274});
  }
  starts.push_back({379, 154});
  starts.push_back({379, 194});
  // The same draws again: the sparkle's none (recorded), then per comet y before x.
  SeedRnd(99);
  size_t i = 0;
  for (const CometPtr& c : *cometList) {
    const auto [x, y] = starts[i++];
    const int controlY = Rand(200, 500);
    const int controlX = Rand(150, 350);
    SCOPED_TRACE(i);
    EXPECT_EQ(c->startX, x);
    EXPECT_EQ(c->startY, y);
    EXPECT_EQ(c->endX, 390);
    EXPECT_EQ(c->endY, 495);
    EXPECT_EQ(c->controlX, controlX);
    EXPECT_EQ(c->controlY, controlY);
    EXPECT_EQ(c->speed, ExpectedSpeed(x, y, 400, 500));
    EXPECT_EQ(c->red, 510);
    EXPECT_EQ(c->green, 520);
    EXPECT_EQ(c->blue, 530);
  }
  EXPECT_EQ(Runes()->asked.size(), 3u) << "the colour is read once";
}

TEST_F(BossTutorial, LongFramesStillBurstOnceAndMayResetInTheSameFrame) {
  struct Case {
    float before;
    double delta;
    int sparks;
    int comets;
    float after;
  };
  const Case cases[] = {
      {1.9f, 100.0, 0, 14, 3.4f},  // past 3 in one step: the burst still comes
      {1.9f, 200.0, 0, 14, 0.0f},  // past 4.5: burst and reset together
      {0.9f, 100.0, 0, 0, 2.4f},   // 0.9 to 2.4 skips the sparkle (burst already spent)
  };
  for (const Case& c : cases) {
    MakeTutorialScene();
    TTutorial& t = *tutorial;
    t.demoPhase = c.comets > 0 ? 1 : 0;
    t.bossValues.fill(c.before);
    delta = c.delta;
    t.update2();
    SCOPED_TRACE(c.before);
    EXPECT_EQ(static_cast<int>(Runes()->sparks.size()), c.sparks);
    EXPECT_EQ(cometList->Count(), c.comets);
    EXPECT_FLOAT_EQ(t.bossValues[15], c.after);
    if (c.after == 0.0f) {
      EXPECT_EQ(t.demoPhase, 1);
    }
  }
}

TEST_F(BossTutorial, DrawsTheBossAndRunesAtTheirLevelsThenFadingAsThreeMinusLevel) {
  TTutorial& t = *tutorial;
  t.extraImage = SolidImage(80, 80, Argb(255, 250, 0, 0));
  t.bossValues = {};
  t.bossValues[0] = 0.6f;
  t.draw2();
  ASSERT_EQ(Runes()->drawn.size(), 16u);
  EXPECT_EQ(Runes()->drawn[0].x, 280.0f);
  EXPECT_EQ(Runes()->drawn[15].y, 335);
  EXPECT_FLOAT_EQ(Runes()->drawn[0].alpha, 0.6f);
  EXPECT_FLOAT_EQ(Runes()->drawn[1].alpha, 0.0f);
  EXPECT_EQ(ScreenPixel(400, 250), Argb(255, 250, 0, 0)) << "the boss opaque";

  Runes()->Clear();
  t.bossValues.fill(2.5f);
  t.bossValues[3] = 2.75f;
  t.draw2();
  EXPECT_FLOAT_EQ(Runes()->drawn[0].alpha, 0.5f);
  EXPECT_FLOAT_EQ(Runes()->drawn[3].alpha, 0.25f);
}

TEST_F(BossTutorial, FromANewQuestFadesPlaysHelpMusicAndRestoresTheCellSize) {
  TCometEmiter::start(10, 10, 20, 20, 15, 15, 0.01f, -6, 6, -6, 6, 0.8f);
  std::vector<int> comets, cellSizes;
  std::vector<bool> music;
  headless::SetFrameCallback([&](int) {
    comets.push_back(cometList->Count());
    cellSizes.push_back(board->cellSize);
    music.push_back(HelpMusicPlays());
  });
  headless::KeyPressAt(At(1), 27);
  EXPECT_EQ(tutorial->show2(0), 0);
  EXPECT_EQ(Shown(), 15 + 1 + 15);
  EXPECT_EQ(comets.front(), 0) << "the game's comets removed on entry";
  for (int size : cellSizes) EXPECT_EQ(size, 40);
  EXPECT_TRUE(music.front());
  EXPECT_FALSE(HelpMusicPlays());
  EXPECT_TRUE(HelpSong());
  EXPECT_EQ(board->cellSize, 32);
  EXPECT_TRUE(tutorial->extraImage) << "the pictures stay loaded";
}

TEST_F(BossTutorial, OverALevelNoFadeAndAClickOnPlayLeavesWithoutASound) {
  level->music = LevelMusic(10);
  headless::MouseMoveAt(At(1), 433, 593);
  headless::MouseClickAt(At(2), 1);
  EXPECT_EQ(tutorial->show2(1), 0);
  EXPECT_EQ(Shown(), 3);
  EXPECT_FALSE(HelpSong());
  EXPECT_EQ(app_test::MixedLevel(), 10) << "the level music alone, no click";
}

TEST_F(BossTutorial, CloseRequestEndsTheProgramAfterTheFadeOutAndCellSizeRestore) {
  headless::CloseRequestAt(At(20));
  EXPECT_THROW(tutorial->show2(0), ProgramEnded);
  EXPECT_EQ(Shown(), 21 + 15);
  EXPECT_EQ(board->cellSize, 32);
  EXPECT_FALSE(HelpMusicPlays());
  EXPECT_TRUE(HelpSong());
}

}  // namespace
}  // namespace tutorial_test
