// Dropping the held block: the legality of every filled cell, the all-or-nothing stamp, trials
// and the level's count of placed blocks.
#include "board_play_fixtures.h"

using namespace play;

namespace {

class Placement : public testing::Test {
 protected:
  void SetUp() override { MakePlay(); }
};

// An L of three runes: cells [0][0], [0][1] and [1][1].
BlockPtr HoldL(int rotation) { return HoldBlock({{1, 0}, {2, 3}}, rotation); }

TEST_F(Placement, BlockIsRefusedWhenAnyFilledCellMayNotGoThere) {
  struct Case {
    const char* what;
    int rotation, x, y;
    std::function<void()> arrange;
    bool placed;
  };
  const std::vector<Case> cases = {
      {"free cells", 0, 4, 4, [] {}, true},
      {"right edge", 0, 13, 4, [] {}, true},
      {"past the right edge", 0, 14, 4, [] {}, false},
      {"past the bottom edge", 0, 4, 14, [] {}, false},
      {"a hole under one cell", 0, 4, 4, [] { board->usable[5][5] = 0; }, false},
      {"an occupied cell", 0, 4, 4, [] { Put(4, 5, 2); }, false},
      {"a cell with rune id below 1 is free", 0, 4, 4, [] { board->runeIds[4][5] = -3; }, true},
      {"a boss square", 0, 4, 4, [] { AddBoss(5, 5, 0); }, false},
      // Turned a quarter, [1][1] lands on (x - 1, y + 1): on column -1 at the left edge.
      {"quarter turn at the left edge", 1, 0, 4, [] {}, false},
      {"quarter turn inside", 1, 1, 4, [] {}, true},
      // Half turned the block reaches up and left of the anchor.
      {"half turn at the top", 2, 4, 0, [] {}, false},
      {"half turn inside", 2, 4, 1, [] {}, true},
      {"three quarters at the top", 3, 4, 0, [] {}, false},
      {"three quarters inside", 3, 4, 1, [] {}, true},
      // Only filled cells count: with row 0 of the grid empty a negative anchor row is fine.
      {"negative anchor with an empty grid row", -1, 4, -1, [] {}, true},
  };
  for (const Case& c : cases) {
    MakePlay();
    c.arrange();
    BlockPtr block = c.rotation < 0 ? HoldBlock({{0, 0}, {1, 2}}) : HoldL(c.rotation);
    const BoardLayer before = board->runeIds;
    EXPECT_EQ(board->placeBlock(nullptr, c.x, c.y, 1), c.placed ? 1 : 0) << c.what;
    if (c.placed) {
      auto runesOn = [](const BoardLayer& layer) {
        int n = 0;
        for (const auto& column : layer)
          for (int id : column) n += id > 0 ? 1 : 0;
        return n;
      };
      EXPECT_EQ(runesOn(board->runeIds), runesOn(before) + (c.rotation < 0 ? 2 : 3)) << c.what;
      EXPECT_EQ(blocks->currentBlock, nullptr) << c.what;
      EXPECT_EQ(level->blocksUsed, 1) << c.what;
    } else {
      EXPECT_EQ(board->runeIds, before) << c.what;
      EXPECT_EQ(blocks->currentBlock, block) << c.what;
      EXPECT_EQ(level->blocksUsed, 0) << c.what;
    }
  }
}

TEST_F(Placement, EveryQuarterTurnStampsRunesColoursAndOneTimeWhereTheTableSays) {
  // Cell [i][j] lands on (x + i, y + j), (x - j, y + i), (x - i, y - j), (x + j, y - i).
  const int expected[4][3][2] = {
      {{7, 7}, {7, 8}, {8, 8}},
      {{7, 7}, {6, 7}, {6, 8}},
      {{7, 7}, {7, 6}, {6, 6}},
      {{7, 7}, {8, 7}, {8, 6}},
  };
  for (int r = 0; r < 4; ++r) {
    MakePlay();
    HoldL(r);
    headless::AdvanceClock(123);
    ASSERT_EQ(board->placeBlock(nullptr, 7, 7, 1), 1);
    const int ids[3] = {1, 2, 3};
    for (int k = 0; k < 3; ++k) {
      const int x = expected[r][k][0];
      const int y = expected[r][k][1];
      EXPECT_EQ(board->runeIds[x][y], ids[k]) << "turn " << r << " cell " << k;
      EXPECT_EQ(board->colours[x][y], ids[k]);
      EXPECT_EQ(board->placedAt[x][y], MilliSecs());
    }
    EXPECT_EQ(Count(board->runeIds), 3);
  }
}

TEST_F(Placement, AnchorUnderThePointerTruncatesTowardZero) {
  HoldBlock({{1}});
  // 20 pixels left of the origin still maps to column 0; row (300 - 60) / 32 = 7.
  pieces::PutMouse(board->originX - 20, 300);
  ASSERT_EQ(board->placeBlock(nullptr, -1, 99, 1), 1);
  EXPECT_EQ(board->runeIds[0][7], 1);
}

TEST_F(Placement, TrialStampsWithoutDroppingCountingOrSound) {
  BlockPtr block = HoldL(0);
  EXPECT_EQ(board->placeBlock(nullptr, 2, 2, 0), 1);
  EXPECT_EQ(board->runeIds[3][3], 3);
  EXPECT_EQ(blocks->currentBlock, block);
  EXPECT_EQ(level->blocksUsed, 0);
  const BoardLayer before = board->runeIds;
  EXPECT_EQ(board->placeBlock(nullptr, 2, 2, 0), 0);  // its own runes are in the way now
  EXPECT_EQ(board->runeIds, before);
}

TEST_F(Placement, NoHeldBlockPlacesNothing) {
  blocks->currentBlock = nullptr;
  EXPECT_EQ(board->placeBlock(nullptr, 3, 3, 1), 0);
  EXPECT_EQ(Count(board->runeIds), 0);
  EXPECT_EQ(level->blocksUsed, 0);
}

}  // namespace
