// The ring game's screen, frame by frame: the intro's fixed course, the rune zoom, the pendulum
// clock and the end of the time (also for levels without time), the mouse-over sound.
#include <cmath>
#include <map>

#include "ring_fixtures.h"

namespace ring_test {
namespace {

TEST_F(RingGame, TheIntroAlwaysRunsTheSameCourse) {
  ringGame->resetParams();
  ringGame->createSequence(0);
  // A click on the right tile during the intro does nothing: no tile is under the pointer yet.
  int32_t x = 0, y = 0;
  TileCentre(ringGame->sequence[0], x, y);
  mouse->x = x;
  mouse->y = y;
  mouse->hit1 = 1;
  std::map<int32_t, int> phaseEntered;
  std::map<int32_t, float> angleAtEntry;
  std::map<int32_t, int> rowAtRest;
  int pendulumDown = 0;
  int32_t phase = ringGame->phase;
  for (int frame = 1; frame <= 145; ++frame) {
    const float angleBefore = ringGame->ringAngle;
    ringGame->Update();
    ringGame->updateSequence();
    for (int32_t p = phase + 1; p <= ringGame->phase; ++p) {
      phaseEntered[p] = frame;
      angleAtEntry[p] = angleBefore;
    }
    phase = ringGame->phase;
    if (pendulumDown == 0 && ringGame->pendulumY >= 260.0f) pendulumDown = frame;
    for (int32_t r = 0; r < 5; ++r)
      if (rowAtRest.count(r) == 0 && ringGame->tiles[static_cast<size_t>(r)]->speed == 0.0f)
        rowAtRest[r] = frame;
  }
  EXPECT_EQ(phaseEntered[2], 46);
  EXPECT_EQ(angleAtEntry[2] + 5.0f, 320.0f) << "the zoom block turned it to 320";
  EXPECT_EQ(phaseEntered[3], 55);
  EXPECT_EQ(ringGame->ringSpin, 0.0f);
  EXPECT_EQ(phaseEntered[4], 80);
  EXPECT_EQ(pendulumDown, 119);
  for (int32_t r = 0; r < 5; ++r) EXPECT_EQ(rowAtRest[r], 121 + 6 * r) << "row " << r;
  EXPECT_EQ(phaseEntered[5], 145);
  EXPECT_EQ(phaseEntered[6], 145);
  EXPECT_EQ(ringGame->ringAngle, 0.0f);
  EXPECT_EQ(ringGame->ringScale, 1.0f);
  EXPECT_EQ(ringGame->hoverTile, -1);
  EXPECT_EQ(ringGame->seqHits, 0);
  EXPECT_EQ(ringGame->ballScale, 3.0f) << "the play block first runs on the next call";
  const float rest[4] = {210.0f, 110.0f, 589.0f, 689.0f};
  for (int32_t t = 0; t < 20; ++t)
    EXPECT_EQ(ringGame->tiles[static_cast<size_t>(t)]->x, rest[t / 5]) << "tile " << t;
}

TEST_F(RingGame, PhaseThreeIsEnteredAtHalfPastThreeHundredFortySeven) {
  ringGame->resetParams();
  for (int frame = 1; frame <= 54; ++frame) ringGame->Update();
  EXPECT_EQ(ringGame->phase, 2);
  EXPECT_EQ(ringGame->ringAngle, 347.0f);
  ringGame->Update();
  EXPECT_EQ(ringGame->phase, 3);
  EXPECT_EQ(ringGame->ringAngle, 348.0f) << "347.5, then the rest turn of the same call";
}

TEST_F(RingGame, TheRuneShownZoomsToOneOnTheFortyFirstStep) {
  LoadLevel("Time = 90000\n");
  RunIntro();
  ringGame->createSequence(0);
  ringGame->resetRune();
  for (int n = 0; n < 40; ++n) ringGame->Update();
  EXPECT_GT(ringGame->ballScale, 1.0f);
  ringGame->Update();
  EXPECT_EQ(ringGame->ballScale, 1.0f);
  EXPECT_FLOAT_EQ(ringGame->ballAlpha, 41 * 0.025f);
  // While a finished sequence's pause runs, the next rune neither fades nor zooms.
  ringGame->resetRune();
  ringGame->seqDoneTime = MilliSecs();
  ringGame->Update();
  EXPECT_EQ(ringGame->ballScale, 3.0f);
  EXPECT_EQ(ringGame->ballAlpha, 0.0f);
}

TEST_F(RingGame, ThePendulumsSwingNarrowsOnlyAsItPassesTheVertical) {
  LoadLevel("Time = 120000\n");
  RunIntro();
  ringGame->startTime = MilliSecs() - 30000;
  ringGame->pendulumAmplitude = 30;
  ringGame->pendulumAngle = 10.0f;  // out on its swing: the swing stays
  ringGame->Update();
  EXPECT_EQ(ringGame->pendulumAmplitude, 30);
  ringGame->pendulumAngle = 0.4f;
  ringGame->Update();
  EXPECT_EQ(ringGame->pendulumAmplitude, 22) << "30 x 0.75 = 22.5, cut";
  EXPECT_FLOAT_EQ(ringGame->pendulumAngle,
                  static_cast<float>(22 * Sin(ringGame->pendulumPhase * Sqr(10.0))));
  // A full swing takes 360 / sqrt(10) frame units.
  float widest = 0.0f;
  for (int n = 0; n < 114; ++n) {
    ringGame->Update();
    widest = std::max(widest, std::fabs(ringGame->pendulumAngle));
  }
  EXPECT_NEAR(widest, 22.0f, 0.1f);
  EXPECT_EQ(ringGame->phase, TRingGame::kPlay);

  // At the end of the time the swing is 0 and the pendulum hangs still.
  ringGame->startTime = MilliSecs() - 120000;
  ringGame->pendulumAngle = 0.0f;
  ringGame->Update();
  EXPECT_EQ(ringGame->pendulumAmplitude, 0);
  EXPECT_EQ(ringGame->pendulumAngle, 0.0f);
  EXPECT_EQ(ringGame->phase, TRingGame::kPlay) << "exactly the level's time is not over";
  headless::AdvanceClock(1);
  ringGame->Update();
  EXPECT_EQ(ringGame->phase, TRingGame::kTimeOver);
}

// A level without time ends on its first play frame after any time passed; its swing is 0,
// never a division by zero made into a number.
TEST_F(RingGame, ALevelOfNoTimeEndsAsSoonAsTimePassesWithoutASwing) {
  for (const std::string keys : {"", "Time = 0\n", "Time = -5000\n", "Time = 3000000000\n"}) {
    LoadLevel(keys);
    EXPECT_LE(ringGame->totalTime, 0.0f) << keys;
    RunIntro();
    ringGame->startTime = MilliSecs();
    ringGame->Update();
    EXPECT_EQ(ringGame->phase, TRingGame::kPlay) << keys << ": no time has passed";
    EXPECT_EQ(ringGame->pendulumAmplitude, 0) << keys;
    EXPECT_EQ(ringGame->pendulumAngle, 0.0f) << keys;
    headless::AdvanceClock(1);
    ringGame->Update();
    EXPECT_EQ(ringGame->phase, TRingGame::kTimeOver) << keys;
    EXPECT_EQ(ringGame->pendulumAmplitude, 0) << keys;
  }
}

TEST_F(RingGame, TheMouseOverSoundPlaysOnlyWhenThePointerComesOntoATileFromOutside) {
  LoadLevel("Time = 90000\n");
  RunIntro();
  struct Step {
    int32_t tile;  // -1: between the tiles
    int sounds;    // mouse-over sounds so far
  } steps[] = {{-1, 0}, {0, 1}, {0, 1}, {5, 1}, {13, 1}, {-1, 1}, {19, 2}};
  for (const Step& s : steps) {
    int32_t x = 400, y = 300;
    if (s.tile >= 0) TileCentre(s.tile, x, y);
    mouse->x = x;
    mouse->y = y;
    ringGame->Update();
    EXPECT_EQ(ringGame->hoverTile, s.tile);
    EXPECT_EQ(Sounds(), s.sounds * kOverLevel) << "onto " << s.tile;
  }
}

}  // namespace
}  // namespace ring_test
