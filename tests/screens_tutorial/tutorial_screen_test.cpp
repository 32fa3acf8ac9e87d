// The main tutorial screen's loop: switched off in the profile, Esc, clicks off and on the play
// button, a close request, over a level or from a new quest (fades and help music), and two
// showings in a row.
#include "platform/errors.h"
#include "tutorial_fixtures.h"

namespace tutorial_test {
namespace {

// A fade lasts 250 ms: fifteen frames of the virtual clock.
constexpr int kFadeFrames = 15;

using TutorialScreen = TutorialRun;

TEST_F(TutorialScreen, SwitchedOffInTheProfileReturnsAtOnceChangingNothing) {
  profile->current->tscFile = Store("Profile {\n  showTutorial = 0\n}\n");
  TRingEmiter::Create(100, 100, 0, -1, -1, -1, -1, -1, 1);
  for (int fromLevel : {0, 1}) {
    EXPECT_EQ(tutorial->show(fromLevel), 0);
    EXPECT_EQ(Shown(), 0);
    EXPECT_FALSE(tutorial->background);
    EXPECT_FALSE(HelpSong());
    EXPECT_EQ(board->cellSize, 32);
    EXPECT_EQ(ringEmiterList->Count(), 1);
  }
  profile->current = nullptr;  // no profile: the same
  EXPECT_EQ(tutorial->show(0), 0);
  EXPECT_EQ(Shown(), 0);
}

// Esc pressed during the fade-in is read after the first main frame: one frame, then the fade-out.
TEST_F(TutorialScreen, EscInTheFirstFrameLeavesAfterItWithTheFadeOutStillToCome) {
  std::vector<int> cellSizes;
  std::vector<bool> musicPlaying;
  headless::SetFrameCallback([&](int) {
    cellSizes.push_back(board->cellSize);
    musicPlaying.push_back(HelpMusicPlays());
  });
  headless::KeyPressAt(At(1), 27);
  EXPECT_EQ(tutorial->show(0), 0);
  EXPECT_EQ(Shown(), kFadeFrames + 1 + kFadeFrames);
  for (int size : cellSizes) EXPECT_EQ(size, 40);
  EXPECT_TRUE(musicPlaying.front());
  EXPECT_TRUE(musicPlaying.back()) << "the music plays through the fade-out";
  EXPECT_FALSE(HelpMusicPlays()) << "and stops after it";
  EXPECT_EQ(board->cellSize, 32);
  EXPECT_FALSE(tutorial->background) << "pictures released";
  EXPECT_TRUE(tutorial->inputImages[0]) << "the input hints stay loaded";
  EXPECT_EQ(app_test::MixedLevel(), 0) << "no click sound";
}

// A click polled after frame F is seen in frame F + 1 and ends the loop after it.
TEST_F(TutorialScreen, AClickOffThePlayButtonDoesNothingAndOneOnItLeavesWithOneClick) {
  headless::MouseMoveAt(At(1), 369, 580);
  headless::MouseClickAt(At(3), 1);
  headless::MouseMoveAt(At(10), 370, 571);
  headless::MouseClickAt(At(12), 1);
  headless::KeyPressAt(At(12), 27);  // Esc in the same frame: still one click
  std::vector<int> overPlay;
  headless::SetFrameCallback([&](int) { overPlay.push_back(tutorial->overPlay); });
  EXPECT_EQ(tutorial->show(1), 0);
  EXPECT_EQ(Shown(), 13);
  EXPECT_EQ(overPlay[4], 0);
  EXPECT_EQ(overPlay.back(), 1);
  EXPECT_EQ(app_test::MixedLevel(), kClickLevel);
}

TEST_F(TutorialScreen, CloseRequestFromANewQuestFadesOutStopsTheMusicAndAnswersOne) {
  TRingEmiter::Create(100, 100, 0, -1, -1, -1, -1, -1, 1);
  headless::CloseRequestAt(At(20));
  EXPECT_EQ(tutorial->show(0), 1);
  EXPECT_EQ(Shown(), 21 + kFadeFrames);
  EXPECT_FALSE(HelpMusicPlays());
  EXPECT_EQ(board->cellSize, 32);
  EXPECT_TRUE(tutorial->background) << "nothing released after a close";
  EXPECT_EQ(ringEmiterList->Count(), 1) << "the particle lists keep their contents";
}

TEST_F(TutorialScreen, OverALevelNoFadeNoHelpMusicAndTheLevelMusicGoesOn) {
  level->music = LevelMusic(10);
  headless::KeyPressAt(At(3), 27);
  EXPECT_EQ(tutorial->show(1), 0);
  EXPECT_EQ(Shown(), 4);
  EXPECT_FALSE(HelpSong());
  EXPECT_NE(ChannelPlaying(level->music->song->channel), 0);
  EXPECT_EQ(board->cellSize, 32);
}

TEST_F(TutorialScreen, ASecondShowingContinuesAngleAndPulseAndRestartsTheRest) {
  headless::KeyPressAt(At(30), 27);
  ASSERT_EQ(tutorial->show(1), 0);
  TTutorial& t = *tutorial;
  t.demoAngle = 45.0f;
  t.pulse = 0.5f;
  t.demoTicks = 77;
  t.demoPhase = 2;
  t.spinAngle = 100;
  t.hintTimers = {3.0f, 3.0f};
  struct Seen {
    float angle, pulse;
    int ticks, phase, spin, timerFrame;
    float vial;
    bool background;
  };
  std::vector<Seen> seen;
  headless::SetFrameCallback([&](int) {
    seen.push_back({t.demoAngle, t.pulse, t.demoTicks, t.demoPhase, t.spinAngle, t.timerFrame,
                    t.hintTimers[0], t.background != nullptr});
  });
  headless::KeyPressAt(headless::FrameNumber() + 2, 27);
  ASSERT_EQ(tutorial->show(1), 0);
  ASSERT_FALSE(seen.empty());
  EXPECT_GT(seen[0].angle, 45.0f);
  EXPECT_FLOAT_EQ(seen[0].pulse, 0.52f);
  EXPECT_EQ(seen[0].ticks, 0);
  EXPECT_EQ(seen[0].phase, 1);
  EXPECT_EQ(seen[0].spin, 2);
  EXPECT_EQ(seen[0].timerFrame, 29);
  EXPECT_FLOAT_EQ(seen[0].vial, 0.005f);
  EXPECT_TRUE(seen[0].background) << "pictures loaded again";
}

}  // namespace
}  // namespace tutorial_test
