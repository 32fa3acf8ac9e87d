// Petrification on the millisecond clock: the strict interval, the oldest group, the runes that
// never petrify, pauses and the one-second fade; and the stone debris.
#include "board_play_fixtures.h"

using namespace play;

namespace {

class Petrify : public testing::Test {
 protected:
  void SetUp() override {
    MakePlay();
    board->petrifyTime = 5000;
    board->lastPetrify = MilliSecs();
  }
  static void After(int ms) { headless::AdvanceClock(ms); }
};

TEST_F(Petrify, SelectionStartsStrictlyAfterTheIntervalAndChoosesTheOldestGroup) {
  const int t0 = MilliSecs();
  for (int x : {1, 2, 3}) Put(x, 4, 1, t0 - 300);   // one block's runes
  Put(8, 8, 2, t0 - 299);                           // one millisecond younger
  Put(9, 9, 13, t0 - 900);                          // never petrifies
  Put(10, 10, 3, t0 - 900);                         // a spell lies on it
  bonusManagerAlt->AddBonusExt(2, 10, 10, 0);

  After(5000);
  board->_checkForPetrify(0);
  EXPECT_EQ(board->petrifyRunning, 0);  // exactly the interval: not yet
  EXPECT_EQ(Count(board->petrifyMarks), 0);
  After(1);
  board->_checkForPetrify(0);
  EXPECT_EQ(board->petrifyRunning, 1);
  EXPECT_EQ(board->lastPetrify, MilliSecs());
  EXPECT_EQ(Count(board->petrifyMarks), 3);
  for (int x : {1, 2, 3}) EXPECT_EQ(board->petrifyMarks[x][4], 1);

  After(500);
  board->_checkForPetrify(0);
  EXPECT_FLOAT_EQ(board->petrifyProgress, 0.5f);
  EXPECT_EQ(board->runeIds[1][4], 1);
  After(500);
  board->_checkForPetrify(0);
  EXPECT_EQ(board->petrifyRunning, 0);
  for (int x : {1, 2, 3}) {
    EXPECT_EQ(board->runeIds[x][4], Stone(1));
    EXPECT_EQ(board->colours[x][4], 1);
    EXPECT_EQ(board->placedAt[x][4], t0 - 300);
  }
  EXPECT_EQ(board->runeIds[8][8], 2);
  EXPECT_EQ(board->petrifyMarks[1][4], 1);  // marks stay until the next selection
}

TEST_F(Petrify, OnlyRunesThatNeverPetrifyRestartTheClockSilently) {
  Put(9, 9, 13, 5);
  After(5001);
  board->_checkForPetrify(0);
  EXPECT_EQ(board->petrifyRunning, 0);
  EXPECT_EQ(board->lastPetrify, MilliSecs());
  EXPECT_EQ(Count(board->petrifyMarks), 0);
}

TEST_F(Petrify, PauseHoldsBackANewSelectionButARunningFadeCompletes) {
  Put(2, 2, 4, 10);
  After(6000);
  board->_checkForPetrify(1);
  EXPECT_EQ(board->petrifyRunning, 0);
  board->_checkForPetrify(0);
  EXPECT_EQ(board->petrifyRunning, 1);
  After(1000);
  board->Update(1);
  EXPECT_EQ(board->runeIds[2][2], Stone(4));
}

TEST_F(Petrify, ALevelWithoutAPositiveIntervalNeverPetrifies) {
  for (int interval : {0, -1000}) {
    MakePlay();
    board->petrifyTime = interval;
    Put(2, 2, 4, 10);
    for (int step = 0; step < 5; ++step) {
      After(2000);
      board->_checkForPetrify(0);
      EXPECT_EQ(board->petrifyRunning, 0) << interval;
    }
    EXPECT_EQ(board->runeIds[2][2], 4);
  }
}

TEST_F(Petrify, ShortIntervalRestartsTheFadeBeforeItEnds) {
  board->petrifyTime = 600;
  Put(2, 2, 4, 10);
  for (int step = 0; step < 6; ++step) {
    After(601);
    board->_checkForPetrify(0);
    EXPECT_EQ(board->petrifyRunning, 1);
    EXPECT_FLOAT_EQ(board->petrifyProgress, 0.0f);
  }
  EXPECT_EQ(board->runeIds[2][2], 4);
}

TEST_F(Petrify, ASelectionWithoutCandidatesLeavesARunningFadeAsItWas) {
  board->petrifyTime = 600;
  Put(2, 2, 4, 10);
  After(601);
  board->_checkForPetrify(0);
  After(300);
  board->_checkForPetrify(0);
  ASSERT_EQ(board->petrifyRunning, 1);
  ASSERT_FLOAT_EQ(board->petrifyProgress, 0.3f);
  board->runeIds[2][2] = 0;  // cleared by a match during the fade
  After(301);
  board->_checkForPetrify(0);
  EXPECT_EQ(board->lastPetrify, MilliSecs());  // the clock restarts
  EXPECT_EQ(board->petrifyRunning, 1);
  EXPECT_FLOAT_EQ(board->petrifyProgress, 0.3f);
}

TEST_F(Petrify, FadeConvertsWhatLiesInTheMarkedCellsAtItsEnd) {
  Put(2, 2, 4, 10);
  Put(3, 2, 4, 10);
  After(5001);
  board->_checkForPetrify(0);
  board->runeIds[2][2] = 0;  // cleared by a match during the fade
  board->colours[2][2] = 0;
  After(300);
  Put(2, 2, 5, MilliSecs());  // placed into the marked cell during the fade
  board->runeIds[3][2] = 0;
  After(700);
  board->_checkForPetrify(0);
  EXPECT_EQ(board->runeIds[2][2], Stone(5));
  EXPECT_EQ(board->colours[2][2], 5);
  EXPECT_EQ(board->runeIds[3][2], 0);
}

TEST_F(Petrify, StonesAreChosenAgainAndTurnIntoTheirOwnBlockedRune) {
  Put(2, 2, Stone(3), 10);
  After(5001);
  board->_checkForPetrify(0);
  EXPECT_EQ(board->petrifyMarks[2][2], 1);
  After(1000);
  board->_checkForPetrify(0);
  EXPECT_EQ(board->runeIds[2][2], Stone(3));
}

TEST(StoneDebris, TwelveChipsStartJustInsideTheCellWithTheirVelocities) {
  MakePlay();
  board->originX = 100;
  board->originY = 50;
  for (int cs : {32, 40}) {
    stonesList->Clear();
    board->cellSize = cs;
    ImagePtr chip = LoadImage(CreatePixmap(8, 6), 0);
    Depetrify(2, 3, chip);
    ASSERT_EQ(stonesList->Count(), 12);
    const int L = 100 + 2 * cs, T = 50 + 3 * cs, w = 4, h = 3;
    const int third = cs / 3, two = (2 * cs) / 3;
    const float table[12][4] = {
        {float(L + w), float(T + h), -0.04f, -0.04f},
        {float(L + cs - w), float(T + h), 0.04f, -0.04f},
        {float(L + third + w), float(T + h), -0.04f, -0.08f},
        {float(L + two - w), float(T + h), 0.04f, -0.08f},
        {float(L + w), float(T + third + h), -0.06f, -0.02f},
        {float(L + w), float(T + two + h), -0.06f, -0.01f},
        {float(L + cs - w), float(T + third + h), 0.06f, -0.02f},
        {float(L + cs - w), float(T + two + h), 0.06f, -0.01f},
        {float(L + w), float(T + cs - h), -0.04f, 0.0f},
        {float(L + cs - w), float(T + cs - h), 0.04f, 0.0f},
        {float(L + third + w), float(T + cs - h), -0.02f, 0.0f},
        {float(L + two - w), float(T + cs - h), 0.02f, 0.0f},
    };
    int k = 0;
    for (const StoneEntityPtr& s : *stonesList) {
      EXPECT_EQ(s->x, table[k][0]) << "chip " << k + 1;
      EXPECT_EQ(s->y, table[k][1]) << "chip " << k + 1;
      EXPECT_NEAR(s->vx, table[k][2], 0.01f);
      EXPECT_NEAR(s->vy, table[k][3], 0.005f);
      EXPECT_GE(s->lifeMs, 500.0f);
      EXPECT_LE(s->lifeMs, 2000.0f);
      EXPECT_EQ(s->image, chip);
      ++k;
    }
  }
}

TEST(StoneDebris, ChipFallsSpinsFadesAfterHalfItsLifeAndLeavesAfterItsEnd) {
  MakePlay();
  pieces::OpenScreen();
  TStoneEntity::Create(200, 100, 0.05f, -0.1f, nullptr);
  StoneEntityPtr chip = stonesList->First();
  chip->lifeMs = 1000.0f;
  headless::AdvanceClock(200);
  chip->Update();
  EXPECT_FLOAT_EQ(chip->drawX, 200.0f + 0.05f * 200.0f);
  EXPECT_FLOAT_EQ(chip->drawY, 100.0f - 0.1f * 200.0f);
  EXPECT_FLOAT_EQ(chip->vy, -0.1f + 2e-6f * 200.0f);
  EXPECT_FLOAT_EQ(chip->angle, 0.2f * 200.0f);
  EXPECT_FLOAT_EQ(GetRotation(), chip->angle);
  const struct {
    int age;
    float alpha;
    bool kept;
  } steps[] = {{500, 1.0f, true}, {750, 0.5f, true}, {1000, 0.0f, true}, {1001, 0.0f, false}};
  int age = 200;
  for (const auto& step : steps) {
    headless::AdvanceClock(step.age - age);
    age = step.age;
    chip->Update();
    EXPECT_NEAR(GetAlpha(), step.alpha, 0.003f) << step.age;
    EXPECT_EQ(stonesList->Contains(chip), step.kept) << step.age;
  }
  TStoneEntity::Create(1, 1, 0, 0, nullptr);
  TStoneEntity::UpdateAll();
  EXPECT_EQ(GetRotation(), 0.0f);
  EXPECT_EQ(GetAlpha(), 1.0f);
}

}  // namespace
