// The game-over test (time over, or the held block fits nowhere in any quarter turn) and the
// board's fill.
#include "board_play_fixtures.h"

using namespace play;

namespace {

class GameOver : public testing::Test {
 protected:
  void SetUp() override { MakePlay(); }

  // Fills every usable cell but those listed.
  static void FillAllBut(const std::vector<std::pair<int, int>>& free) {
    for (int x = 0; x < kBoardCells; ++x)
      for (int y = 0; y < kBoardCells; ++y) Put(x, y, 5);
    for (auto [x, y] : free) board->runeIds[x][y] = 0;
  }
};

TEST_F(GameOver, LevelIsLostOnlyWhenNoQuarterTurnFitsAnywhere) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> free;
    bool lost;
  };
  const std::vector<Case> cases = {
      {"a full board", {}, true},
      {"a free row of three under a row block", {{3, 9}, {4, 9}, {5, 9}}, false},
      // The block lies along a row; a free column of three takes it only after a quarter turn.
      {"a free column of three", {{8, 2}, {8, 3}, {8, 4}}, false},
      {"a free row of two", {{3, 9}, {4, 9}}, true},
      {"free cells only diagonally", {{1, 1}, {2, 2}, {3, 3}}, true},
      {"a free row of three in the corner", {{12, 14}, {13, 14}, {14, 14}}, false},
  };
  for (const Case& c : cases) {
    MakePlay();
    FillAllBut(c.free);
    HoldBlock({{1, 2, 3}});
    board->gameOver = c.lost ? 0 : 1;
    EXPECT_EQ(board->checkGameOver(), 0);
    EXPECT_EQ(board->gameOver, c.lost ? 1 : 0) << c.what;
  }
  // The search counts holes and boss squares as well.
  MakePlay();
  for (int x = 0; x < kBoardCells; ++x)
    for (int y = 0; y < kBoardCells; ++y) board->usable[x][y] = (y == 4 && x < 2) ? 1 : 0;
  HoldBlock({{1, 2}});
  board->checkGameOver();
  EXPECT_EQ(board->gameOver, 0);
  AddBoss(1, 3, 0);
  board->checkGameOver();
  EXPECT_EQ(board->gameOver, 1);
}

TEST_F(GameOver, TimeOverLosesTheLevelEvenWhenTheBlockFitsOrNoneIsHeld) {
  timeManager->limit = 60000;
  timeManager->elapsed = 60000;
  HoldBlock({{1}});
  board->checkGameOver();
  EXPECT_EQ(board->gameOver, 1);
  board->gameOver = 0;
  blocks->currentBlock = nullptr;
  board->checkGameOver();
  EXPECT_EQ(board->gameOver, 1);
  // Without a limit the time never runs out.
  timeManager->limit = 0;
  board->gameOver = 0;
  HoldBlock({{1}});
  board->checkGameOver();
  EXPECT_EQ(board->gameOver, 0);
}

TEST_F(GameOver, NoHeldBlockLeavesTheFlagAsItWas) {
  FillAllBut({});
  blocks->currentBlock = nullptr;
  for (int flag : {0, 1}) {
    board->gameOver = flag;
    board->checkGameOver();
    EXPECT_EQ(board->gameOver, flag);
  }
}

TEST_F(GameOver, EmptinessAndFreeShareCountEveryNonZeroRuneId) {
  EXPECT_EQ(board->IsEmpty(), 1);
  EXPECT_FLOAT_EQ(board->freeCells(), 1.0f);
  board->usable[0][0] = 0;
  board->runeIds[0][0] = -2;  // on a hole, and negative: still a rune here
  EXPECT_EQ(board->IsEmpty(), 0);
  Put(3, 3, 1);
  EXPECT_FLOAT_EQ(board->freeCells(), 1.0f - 2.0f / 224.0f);
  for (auto& column : board->usable) column.fill(0);
  EXPECT_FLOAT_EQ(board->freeCells(), 0.0f);  // no usable cell: nothing free
}

}  // namespace
