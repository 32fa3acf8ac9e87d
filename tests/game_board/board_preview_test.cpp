// The placement preview: what the held block would clear at the pointer glitters, computed on
// the live board and put back exactly.
#include "board_play_fixtures.h"

using namespace play;

namespace {

class Preview : public testing::Test {
 protected:
  void SetUp() override {
    MakePlay();
    // Cell (x, y) under the pointer.
    Point(4, 6);
  }
  static void Point(int x, int y) {
    pieces::PutMouse(board->originX + x * board->cellSize + 3,
                     board->originY + y * board->cellSize + 3);
  }
};

TEST_F(Preview, RunsTheBlockWouldCompleteGlitterInTheirColour) {
  // Two red runes left of the pointer, two blue below it: an L of red over blue completes both.
  Put(2, 6, 1, 50);
  Put(3, 6, 1, 50);
  Put(5, 8, 3, 60);
  Put(5, 9, 3, 60);
  HoldBlock({{1, 0}, {0, 3}});  // red at the anchor (4, 6), blue at (5, 7)
  const BoardLayer ids = board->runeIds;
  const BoardLayer colours = board->colours;
  const BoardLayer times = board->placedAt;
  board->highlights[0][0] = 5;
  headless::AdvanceClock(1000);
  board->_checkForHighlights();
  EXPECT_EQ(Count(board->highlights), 6);
  for (int x : {2, 3, 4}) EXPECT_EQ(board->highlights[x][6], 1);
  for (int y : {7, 8, 9}) EXPECT_EQ(board->highlights[5][y], 3);
  // The board is exactly as before, placing times included.
  EXPECT_EQ(board->runeIds, ids);
  EXPECT_EQ(board->colours, colours);
  EXPECT_EQ(board->placedAt, times);
  // Placing the block afterwards stamps it anew.
  EXPECT_EQ(board->placeBlock(nullptr, -1, -1, 1), 1);
  EXPECT_EQ(board->runeIds[4][6], 1);
}

TEST_F(Preview, CrossingCellKeepsItsColourInBothRuns) {
  PutRow(2, 6, {2, 2});
  Put(4, 4, 2);
  Put(4, 5, 2);
  HoldBlock({{2}});
  board->_checkForHighlights();
  EXPECT_EQ(Count(board->highlights), 5);
  EXPECT_EQ(board->highlights[4][6], 2);
}

TEST_F(Preview, NothingGlittersWhereTheBlockMayNotGo) {
  PutRow(2, 6, {1, 1});
  HoldBlock({{1}});
  board->_checkForHighlights();
  EXPECT_EQ(Count(board->highlights), 3);
  board->usable[4][6] = 0;
  board->_checkForHighlights();
  EXPECT_EQ(Count(board->highlights), 0);
  EXPECT_EQ(Count(board->runeIds), 2);
}

TEST_F(Preview, NoBlockOrATurnUnderWayKeepsTheLastPreview) {
  PutRow(2, 6, {1, 1});
  HoldBlock({{1}});
  board->_checkForHighlights();
  Point(9, 9);
  blocks->turnProgress = 30;
  board->_checkForHighlights();
  EXPECT_EQ(Count(board->highlights), 3);
  blocks->turnProgress = 0;
  blocks->currentBlock = nullptr;
  board->_checkForHighlights();
  EXPECT_EQ(Count(board->highlights), 3);
  board->clearHighlights();
  EXPECT_EQ(Count(board->highlights), 0);
}

TEST_F(Preview, BossRingTheBlockWouldCloseGlittersOverRingAndSquare) {
  AddBoss(5, 5, 2);
  PutBossRing(5, 5, 2);
  board->runeIds[8][6] = 0;
  Point(8, 6);
  HoldBlock({{2}});
  board->_checkForHighlights();
  EXPECT_EQ(Count(board->highlights), 20);  // the ring and the boss's own square
  EXPECT_EQ(board->highlights[5][5], 2);
  EXPECT_EQ(bossManager->bossRunes->Count(), 1);
  EXPECT_EQ(board->runeIds[8][6], 0);
}

TEST_F(Preview, UpdateRenewsThePreviewOnlyWhenTheBlockMovedTurnedOrWasDealt) {
  PutRow(2, 6, {1, 1});
  HoldBlock({{1}});
  blocks->newBlock = 0;
  board->Update(0);
  EXPECT_EQ(Count(board->highlights), 0);
  blocks->newBlock = 1;
  board->Update(0);
  EXPECT_EQ(blocks->newBlock, 0);
  EXPECT_EQ(Count(board->highlights), 3);
}

TEST_F(Preview, EachHighlightedCellStartsOneSparkPerDrawing) {
  board->highlights[2][3] = 1;
  board->highlights[7][1] = 12;
  const int before = CountList(SparkList);
  board->_drawHighlights();
  EXPECT_EQ(CountList(SparkList), before + 2);
}

}  // namespace
