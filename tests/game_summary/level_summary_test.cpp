#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "services/options.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "summary_fixtures.h"

namespace {

using summary_test::FillBoard;
using summary_test::SummaryTest;
using Cells = std::vector<std::pair<int, int>>;

TEST_F(SummaryTest, StartResetsTheSequenceAndAnchorsOnTheBoardCentre) {
  for (int x = 0; x < kBoardCells; ++x)
    for (int y = 0; y < kBoardCells; ++y)
      board->usable[x][y] = (x >= 2 && x <= 9 && y >= 1 && y <= 4);
  board->originX = 100;
  board->originY = 50;
  lv().summaryPhase = 12;
  lv().summaryDone = 1;
  lv().summaryCursor = {0, 15};
  lv().scanFrame = 9;
  lv().bonusPoints = 75;
  lv().tickCounter = 4;
  lv().doorsOffset = 400.0f;
  lv().scrollOpening = 155.0f;
  lv().scrollAlpha = lv().blackoutAlpha = lv().glowAlpha = lv().levelCompleteAlpha = 0.7f;
  lv().glowRising = 0;
  lv().newBestCountdown = 3;
  lv().summarySparkCounter = 11;
  lv().totalShown = 1234;

  lv().startSummary();

  EXPECT_EQ(lv().summaryPhase, 0);
  EXPECT_EQ(lv().summaryStart, MilliSecs());
  EXPECT_EQ(lv().summaryDone, 0);
  EXPECT_EQ(lv().summaryCursor[0], 0);
  EXPECT_EQ(lv().summaryCursor[1], 0);
  EXPECT_EQ(lv().scanFrame, 0);
  EXPECT_EQ(lv().bonusPoints, 0);
  EXPECT_EQ(lv().tickCounter, 0);
  for (float f : {lv().doorsOffset, lv().scrollOpening, lv().scrollAlpha, lv().blackoutAlpha,
                  lv().glowAlpha, lv().levelCompleteAlpha})
    EXPECT_EQ(f, 0.0f);
  EXPECT_EQ(lv().glowRising, 1);
  EXPECT_EQ(lv().newBestCountdown, 82);
  EXPECT_EQ(lv().summarySparkCounter, 0);
  EXPECT_EQ(lv().totalShown, 1234);  // kept until the count ends
  // Columns 2..9 and rows 1..4 at 32 pixels: middle (2 + 4) * 32 and (1 + 2) * 32.
  EXPECT_EQ(lv().summaryAnchor[0], 100 + 192);
  EXPECT_EQ(lv().summaryAnchor[1], 50 + 96);
}

TEST_F(SummaryTest, SummaryTimeLiesAQuarterSecondAfterTheStart) {
  lv().summaryTime = 0;
  lv().startSummary();
  EXPECT_EQ(lv().summaryTime, MilliSecs() + 250);
  EXPECT_EQ(lv().summaryTime, lv().summaryStart + 250);
}

TEST_F(SummaryTest, TheCountBeginsAfterOneSecondInTheUpdateThatEndsTheWait) {
  FillBoard({{0, 0}, {3, 0}});
  lv().startSummary();
  headless::AdvanceClock(1000);
  lv().updateSummary();
  EXPECT_EQ(lv().summaryPhase, 0);  // t must pass 1000
  headless::AdvanceClock(1);
  lv().updateSummary();
  EXPECT_EQ(lv().summaryPhase, 1);
  EXPECT_EQ(lv().summaryStart, MilliSecs());
  EXPECT_EQ(lv().bonusPoints, 25);  // the first count step came in the same update
  EXPECT_EQ(lv().summaryCursor[0], 3);
  EXPECT_EQ(lv().scanFrame, 1);
  EXPECT_FLOAT_EQ(lv().levelCompleteAlpha, 0.1f);
}

// The bonus count: one cell every second update, the cursor resting two updates on each counted
// cell (one on a free top-left cell), the score receiving the whole bonus when the count ends.
TEST_F(SummaryTest, TheBonusCountCreditsTwentyFivePointsPerFreeCell) {
  struct Case {
    const char* name;
    Cells freeCells;
    int updates;  // updates spent in the count, the one that ends it included
    float alpha;  // levelCompleteAlpha at its end
  };
  const std::vector<Case> cases = {
      {"no other free cell", {}, 1, 0.1f},
      {"the top-left cell", {{0, 0}}, 1, 0.1f},
      {"four cells", {{5, 0}, {14, 2}, {0, 7}, {14, 14}}, 9, 0.9f},
      {"five cells", {{5, 0}, {14, 2}, {0, 7}, {3, 9}, {14, 14}}, 11, 1.0f},
      {"five cells with the top-left one", {{0, 0}, {14, 2}, {0, 7}, {3, 9}, {14, 14}}, 9, 0.9f},
      {"six cells with the top-left one", {{0, 0}, {1, 0}, {14, 2}, {0, 7}, {3, 9}, {14, 14}}, 11,
       1.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FillBoard(c.freeCells);
    board->usable[6][6] = 0;  // a hole counts for nothing
    board->runeIds[6][6] = 0;
    board->runeIds[9][9] = -1;  // an id below 1 is an empty cell: one more free cell
    const int32_t bonus = 25 * static_cast<int32_t>(c.freeCells.size() + 1);
    points->totalPoints = 10000;
    points->levelPoints = 640;
    lv().startSummary();
    headless::AdvanceClock(1001);
    int updates = 0;
    do {
      lv().updateSummary();
      ++updates;
      EXPECT_LE(lv().bonusPoints, bonus);
    } while (lv().summaryPhase == 1 && updates < 100);
    EXPECT_EQ(updates, c.updates + 2);  // the cell at (9, 9) takes two more
    EXPECT_EQ(lv().summaryPhase, 2);
    EXPECT_EQ(lv().bonusPoints, bonus);
    EXPECT_EQ(lv().totalShown, 10640);
    EXPECT_EQ(points->levelPoints, 640 + bonus);
    EXPECT_NEAR(lv().levelCompleteAlpha, std::min(1.0f, c.alpha + 0.2f), 1e-5);
    EXPECT_EQ(lv().summaryCursor[1], kBoardCells);
  }
}

TEST_F(SummaryTest, ABoardWithoutFreeCellEndsTheCountInItsFirstUpdate) {
  points->levelPoints = 300;
  lv().startSummary();
  headless::AdvanceClock(1001);
  lv().updateSummary();
  EXPECT_EQ(lv().summaryPhase, 2);
  EXPECT_EQ(lv().bonusPoints, 0);
  EXPECT_EQ(lv().totalShown, 300);
  EXPECT_EQ(points->levelPoints, 300);
  EXPECT_FLOAT_EQ(lv().levelCompleteAlpha, 0.1f);
  EXPECT_EQ(lv().scanFrame, 0);
  EXPECT_EQ(lv().glowAlpha, 0.0f);  // the update that ends the count stops there
  EXPECT_EQ(SparkList->Count(), 0);
  EXPECT_EQ(lv().endLoopChannel, nullptr);
  EXPECT_EQ(lv().endMusicChannel, nullptr);
  // The level-complete picture keeps its alpha until the scroll is open.
  FramesUntil(6);
  EXPECT_EQ(lv().levelCompleteAlpha, 0.0f);
}

TEST_F(SummaryTest, EachFreeCellShowsFourSparksWhileTheCountRestsOnIt) {
  FillBoard({{0, 0}, {4, 0}});
  lv().startSummary();
  headless::AdvanceClock(1001);
  lv().updateSummary();  // on (0, 0), counted, then moves to (4, 0)
  EXPECT_EQ(SparkList->Count(), 4);
  lv().updateSummary();  // rests on (4, 0)
  EXPECT_EQ(SparkList->Count(), 8);
  lv().updateSummary();  // counts (4, 0) and ends
  EXPECT_EQ(SparkList->Count(), 12);
  EXPECT_EQ(lv().summaryPhase, 2);
  int index = 0;
  for (const SparkPtr& s : *SparkList) {  // newest first: eight over (4, 0), then (0, 0)
    const float left = index < 8 ? 240 + 4 * 32 : 240;
    EXPECT_GE(s->x, left - 3);
    EXPECT_LE(s->x, left + 17);
    EXPECT_GE(s->y, 60 - 3);
    EXPECT_LE(s->y, 60 + 17);
    EXPECT_FLOAT_EQ(s->scale, 0.8f);
    EXPECT_GE(s->life, 10.0f);
    EXPECT_LE(s->life, 40.0f);
    ++index;
  }
}

// The transfer moves 25 points from the bonus to the shown total on every update that comes
// more than 25 ms after the previous step: every second frame at 60 frames a second.
TEST_F(SummaryTest, TheTransferCountsTheBonusIntoTheTotalEverySecondFrame) {
  Cells cells;
  for (int x = 0; x < 10; ++x) cells.push_back({x, 3});
  FillBoard(cells);
  points->totalPoints = 5000;
  points->levelPoints = 750;
  lv().startSummary();
  FramesUntil(7);
  EXPECT_EQ(lv().bonusPoints, 250);
  EXPECT_EQ(lv().totalShown, 5750);
  EXPECT_EQ(points->levelPoints, 1000);  // the score got the bonus when the count ended
  EXPECT_EQ(lv().tickCounter, 0);        // no step in the update that entered the phase

  std::vector<int32_t> shown;
  int frames = 0;
  while (lv().summaryPhase == 7 && frames < 100) {
    Frame();
    ++frames;
    shown.push_back(lv().totalShown);
    EXPECT_EQ(lv().totalShown + lv().bonusPoints, 6000);
  }
  EXPECT_EQ(lv().summaryPhase, 8);
  EXPECT_EQ(lv().bonusPoints, 0);
  EXPECT_EQ(lv().totalShown, 6000);
  EXPECT_EQ(lv().tickCounter, 10);
  EXPECT_EQ(frames, 20);
  for (size_t i = 0; i < shown.size(); ++i)
    EXPECT_EQ(shown[i], 5750 + 25 * static_cast<int32_t>((i + 1) / 2)) << "frame " << i;
  EXPECT_EQ(points->levelPoints, 1000);  // the transfer only moves the shown numbers
  // Phase 8 waits for the click however long it takes.
  for (int i = 0; i < 300; ++i) Frame();
  EXPECT_EQ(lv().summaryPhase, 8);
  Frame(true);
  EXPECT_EQ(lv().summaryPhase, 9);
}

TEST_F(SummaryTest, AClickDuringTheTransferEndsItAtOnce) {
  Cells cells;
  for (int x = 0; x < 12; ++x) cells.push_back({x, 8});
  FillBoard(cells);
  points->levelPoints = 100;
  lv().startSummary();
  FramesUntil(7);
  for (int i = 0; i < 6; ++i) Frame();
  EXPECT_EQ(lv().bonusPoints, 300 - 75);
  const int32_t opening = static_cast<int32_t>(lv().scrollOpening);
  Frame(true);
  EXPECT_EQ(lv().summaryPhase, 9);
  EXPECT_EQ(lv().bonusPoints, 0);
  EXPECT_EQ(lv().totalShown, 400);
  EXPECT_EQ(static_cast<int32_t>(lv().scrollOpening), opening);  // t 0 in phase 9 moves nothing
}

TEST_F(SummaryTest, ABonusOfNothingGoesStraightToTheClickWaitWithoutATick) {
  points->levelPoints = 900;
  lv().startSummary();
  FramesUntil(6);
  while (lv().summaryPhase == 6) Frame();
  // The update that enters the transfer runs it: nothing to count, the wait follows at once.
  EXPECT_EQ(lv().summaryPhase, 8);
  EXPECT_EQ(lv().tickCounter, 0);
  EXPECT_EQ(lv().totalShown, 900);
  Frame();
  EXPECT_EQ(lv().summaryPhase, 8);
}

// A click counts only in the phases that wait for it; in any other it is neither acted on nor
// remembered.
TEST_F(SummaryTest, AClickOutsideTheTransferAndTheWaitDoesNothing) {
  FillBoard({{2, 2}, {3, 3}});
  lv().startSummary();
  for (int phase = 0; phase <= 5; ++phase) {
    SCOPED_TRACE(phase);
    ASSERT_EQ(lv().summaryPhase, phase);
    while (lv().summaryPhase == phase) Frame(true);
  }
  ASSERT_EQ(lv().summaryPhase, 6);
  Frame(true);
  FramesUntil(7);
  // Still counting over: the two cells take four frames at one step every second frame.
  int frames = 0;
  while (lv().summaryPhase == 7) {
    Frame();
    ++frames;
  }
  EXPECT_EQ(frames, 4);
  EXPECT_EQ(lv().summaryPhase, 8);
  Frame(true);
  ASSERT_EQ(lv().summaryPhase, 9);
  for (int phase = 9; phase <= 11; ++phase) {
    while (lv().summaryPhase == phase) Frame(true);
  }
  EXPECT_EQ(lv().summaryPhase, 12);
  for (int i = 0; i < 10; ++i) Frame(true);
  EXPECT_EQ(lv().summaryPhase, 12);
}

// The whole sequence at 60 frames a second: the waits follow the clock, the doors and the
// scroll move by whole pixels per update, the fade ends at about 0.8.
TEST_F(SummaryTest, TheWholeSequenceRunsItsPhasesInTurn) {
  FillBoard({{1, 1}});
  lv().startSummary();
  const int32_t begin = MilliSecs();
  FramesUntil(2);
  EXPECT_GT(MilliSecs() - begin, 1000);

  // Doors: still for 300 ms, then (t - 300) div 50 pixels per update.
  const int32_t doorsBegin = MilliSecs();
  float previous = 0.0f;
  while (lv().summaryPhase == 2) {
    Frame();
    const int32_t t = MilliSecs() - doorsBegin;
    if (lv().summaryPhase == 2) {
      const float expected = t > 300 ? previous + static_cast<float>((t - 300) / 50) : 0.0f;
      EXPECT_EQ(lv().doorsOffset, expected);
      previous = lv().doorsOffset;
    }
  }
  EXPECT_EQ(lv().doorsOffset, 400.0f);
  EXPECT_NEAR(MilliSecs() - doorsBegin, 1100, 100);
  ASSERT_NE(lv().summaryMusic, nullptr);

  const int32_t waitBegin = MilliSecs();
  FramesUntil(4);
  EXPECT_GT(MilliSecs() - waitBegin, 500);
  EXPECT_LT(MilliSecs() - waitBegin, 520);
  FramesUntil(5);
  EXPECT_GT(lv().scrollAlpha, 0.99f);
  EXPECT_FLOAT_EQ(lv().scrollAlpha, 1.0f);
  FramesUntil(6);
  EXPECT_EQ(lv().scrollOpening, 155.0f);
  EXPECT_EQ(lv().levelCompleteAlpha, 0.0f);
  FramesUntil(8);
  FramesUntil(9, true);
  while (lv().summaryPhase == 9) {
    Frame();
    EXPECT_EQ(lv().scrollOpening, static_cast<float>(static_cast<int32_t>(lv().scrollOpening)));
  }
  EXPECT_EQ(lv().scrollOpening, 0.0f);
  FramesUntil(11);
  EXPECT_EQ(lv().scrollAlpha, 0.0f);
  EXPECT_EQ(lv().summaryDone, 0);
  const int32_t fadeBegin = MilliSecs();
  FramesUntil(12);
  EXPECT_EQ(lv().summaryDone, 1);
  EXPECT_GT(MilliSecs() - fadeBegin, 200);
  EXPECT_NEAR(lv().blackoutAlpha, 0.8f, 0.07f);
  EXPECT_LT(lv().blackoutAlpha, 1.0f);
  for (int i = 0; i < 5; ++i) Frame();
  EXPECT_EQ(lv().summaryPhase, 12);
  EXPECT_EQ(lv().summaryDone, 1);
}

// A phase entered during an update runs its own step in that same update.
TEST_F(SummaryTest, APhaseEnteredDuringAnUpdateRunsItsStepInIt) {
  lv().startSummary();
  FramesUntil(4);
  while (lv().summaryPhase == 4) {
    const int before = SparkList->Count();
    Frame();
    if (lv().summaryPhase == 5) {
      EXPECT_EQ(SparkList->Count(), before + 1);  // the first spark of the opening scroll
      EXPECT_EQ(lv().scrollOpening, 0.0f);        // t 0: no opening yet
    }
  }
}

// Each update reads the clock once: a phase entered during it starts at that reading, so its
// first step sees t = 0 even on a clock that moves between two readings.
TEST_F(SummaryTest, APhaseEnteredDuringAnUpdateStartsAtThatUpdatesClockReading) {
  FillBoard({{1, 1}});
  lv().startSummary();
  headless::SetClockStepPerRead(1);
  std::vector<int32_t> entered;
  for (int frames = 0; lv().summaryPhase != 12 && frames < 3000; ++frames) {
    const int32_t before = lv().summaryPhase;
    Frame(before == 8);
    const int32_t phase = lv().summaryPhase;
    SCOPED_TRACE(phase);
    EXPECT_GE(lv().scrollAlpha, 0.0f);
    EXPECT_LE(lv().scrollAlpha, 1.0f);
    EXPECT_GE(lv().blackoutAlpha, 0.0f);  // the music never above its volume
    EXPECT_LE(lv().blackoutAlpha, 1.0f);
    if (phase == before) continue;
    entered.push_back(phase);
    if (phase == 4) {
      EXPECT_EQ(lv().scrollAlpha, 0.0f);
    } else if (phase == 10) {
      EXPECT_EQ(lv().scrollAlpha, 1.0f);
    } else if (phase == 11) {
      EXPECT_EQ(lv().blackoutAlpha, 0.0f);
    }
  }
  headless::SetClockStepPerRead(0);
  for (int32_t phase : {4, 10, 11, 12})
    EXPECT_NE(std::find(entered.begin(), entered.end(), phase), entered.end()) << phase;
}

TEST_F(SummaryTest, TheGlowPulsesAHundredFramesEachWay) {
  lv().startSummary();
  int frames = 0;
  while (lv().glowRising == 1 && frames < 200) {
    Frame();
    ++frames;
  }
  // A hundred steps of 0.01 in floats fall just short of 1, so the 101st tops it; and the
  // update that ends the count (the first of phase 1 here, no cell being free) makes no step.
  EXPECT_EQ(frames, 102);
  EXPECT_EQ(lv().glowAlpha, 1.0f);
  Frame();
  EXPECT_FLOAT_EQ(lv().glowAlpha, 0.99f);
  delta = 2.0;  // a slow frame moves it twice as far
  Frame();
  EXPECT_FLOAT_EQ(lv().glowAlpha, 0.97f);
}

// doShortSummary credits each free cell exactly once whatever the phase it is called in.
TEST_F(SummaryTest, TheShortSummaryCreditsEveryFreeCellExactlyOnce) {
  const Cells cells = {{0, 0}, {6, 0}, {2, 4}, {9, 4}, {14, 14}};
  struct Case {
    const char* name;
    int countUpdates;  // updates of the count before the quit; -1: quit in phase 0
    int32_t phase;     // or the phase to run to first
  };
  const std::vector<Case> cases = {
      {"in phase 0", -1, 0},
      {"after the first cell", 1, 1},
      {"on the cursor's second update", 2, 1},
      {"halfway", 4, 1},
      {"on the last cell", 8, 1},
      {"in phase 2", -1, 2},
      {"in phase 7", -1, 7},
      {"in phase 8", -1, 8},
      {"after the summary", -1, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FillBoard(cells);
    points->levelPoints = 1000;
    lv().startSummary();
    if (c.phase == 1) {
      headless::AdvanceClock(1001);
      lv().updateSummary();  // the update that begins the count makes its first step
      for (int i = 1; i < c.countUpdates; ++i) lv().updateSummary();
      ASSERT_EQ(lv().summaryPhase, 1);
    } else if (c.phase == 12) {
      FramesUntil(8);
      FramesUntil(12, true);
    } else {
      FramesUntil(c.phase);
    }
    lv().doShortSummary();
    EXPECT_EQ(points->levelPoints, 1000 + 125);
    EXPECT_GE(lv().summaryPhase, 2);
    lv().doShortSummary();
    EXPECT_EQ(points->levelPoints, 1000 + 125);
  }
}

// A level quit before its summary begins starts it first, so that the finished summary of the
// level before is not taken for its own.
TEST_F(SummaryTest, TheShortSummaryOfTheNextLevelCreditsItsOwnCells) {
  FillBoard({{1, 1}, {2, 2}});
  lv().startSummary();
  FramesUntil(8);
  FramesUntil(12, true);
  ASSERT_EQ(points->levelPoints, 50);
  points->levelPoints = 0;  // the next level
  FillBoard({{0, 0}, {5, 5}, {9, 9}, {14, 14}});
  lv().startSummary();
  lv().doShortSummary();
  EXPECT_EQ(points->levelPoints, 100);
}

// The play loop's quit of a won level calls the short count with no summary begun for it.
TEST_F(SummaryTest, ALevelQuitBeforeItsSummaryCreditsItsOwnCells) {
  FillBoard({{1, 1}, {2, 2}});
  lv().startSummary();
  FramesUntil(8);
  FramesUntil(12, true);
  points->levelPoints = 0;
  lv().Set(S("level_01.tsc"));  // the next level
  lv().Load(0);
  FillBoard({{0, 0}, {5, 5}, {9, 9}});
  lv().doShortSummary();
  EXPECT_EQ(points->levelPoints, 75);
}

TEST_F(SummaryTest, TheShortSummaryEndsTheCountAsTheCountItselfDoes) {
  FillBoard({{3, 0}, {7, 2}, {1, 9}});
  points->totalPoints = 2000;
  points->levelPoints = 500;
  lv().startSummary();
  headless::AdvanceClock(1001);
  for (int i = 0; i < 3; ++i) lv().updateSummary();  // (3, 0) counted
  ASSERT_EQ(lv().bonusPoints, 25);
  lv().doShortSummary();
  EXPECT_EQ(lv().summaryPhase, 2);
  EXPECT_EQ(lv().bonusPoints, 75);
  EXPECT_EQ(lv().totalShown, 2500);
  EXPECT_EQ(lv().summaryCursor[0], 0);
  EXPECT_EQ(lv().summaryCursor[1], kBoardCells);
  EXPECT_EQ(lv().endLoopChannel, nullptr);
  // Should the sequence go on, it closes the doors and counts the same bonus over.
  FramesUntil(8);
  EXPECT_EQ(lv().totalShown, 2575);
  EXPECT_EQ(points->levelPoints, 575);
}

// A quit during the count lets the end jingle play out, and the next summary starts its own.
TEST_F(SummaryTest, AQuitDuringTheCountLeavesTheNextSummaryItsJingle) {
  options = std::make_shared<TOptions>();
  lv().endMusic = LoadSound("sfx/levelEnd-music.ogg", 0);
  ASSERT_NE(lv().endMusic, nullptr);
  FillBoard({{3, 0}, {7, 2}});
  ChannelPtr earlier;
  for (int levelEnd = 0; levelEnd < 2; ++levelEnd) {
    SCOPED_TRACE(levelEnd);
    lv().startSummary();
    headless::AdvanceClock(1001);
    lv().updateSummary();
    ASSERT_EQ(lv().summaryPhase, 1);
    ASSERT_NE(lv().endMusicChannel, nullptr);
    EXPECT_NE(lv().endMusicChannel, earlier) << "a jingle of its own";
    earlier = lv().endMusicChannel;
    lv().doShortSummary();
    EXPECT_EQ(lv().endMusicChannel, nullptr);
  }
}

TEST_F(SummaryTest, DrawDoorsMovesTheDoorsUnlessGivenMinusOne) {
  const std::vector<std::pair<int32_t, float>> cases = {{-1, 123.0f}, {0, 0.0f}, {400, 400.0f},
                                                        {250, 250.0f}};
  for (auto [offset, expected] : cases) {
    lv().doorsOffset = 123.0f;
    lv().drawDoors(offset);
    EXPECT_EQ(lv().doorsOffset, expected) << offset;
  }
}

}  // namespace
