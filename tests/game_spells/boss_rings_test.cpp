// The ring test of the boss runes: what closes a ring, the lines a fallen boss leaves for the
// clearing, several bosses and runs in one clearing, and the boss square under placement.
#include "boss_fixtures.h"

namespace {

using boss::AddBoss;
using boss::BossTest;
using boss::Put;
using boss::PutBossRing;
using play::HoldBlock;
using play::Stone;

// Runs the boss manager's ring test of a clearing on its own; returns the lines it recorded.
std::vector<std::vector<int>> CommitRings() {
  board->lines = CreateList<LinePtr>();
  bossManager->CheckForMatch(1);
  std::vector<std::vector<int>> out;
  for (const LinePtr& line : *board->lines) out.push_back({line->x1, line->y1, line->x2, line->y2});
  board->lines = nullptr;
  return out;
}

TEST_F(BossTest, OnlySixteenRingRunesOfTheBossColourBeatIt) {
  struct Case {
    const char* what;
    int x, y;  // the boss square
    std::function<void()> arrange;
    bool falls;
  };
  const std::vector<Case> cases = {
      {"the ring alone", 5, 5, [] {}, true},
      {"other colours on the diagonal squares", 5, 5,
       [] { for (auto [x, y] : {std::pair{3, 3}, {4, 4}, {7, 3}, {8, 8}, {3, 8}}) Put(x, y, 1); },
       true},
      {"stones and other runes of the boss colour", 5, 5,
       [] { Put(3, 5, Stone(2)); Put(6, 8, Stone(2)); }, true},
      {"one ring rune of another colour", 5, 5, [] { Put(8, 6, 1); }, false},
      {"one ring cell empty", 5, 5, [] { board->runeIds[5][3] = 0; }, false},
      {"an empty cell that keeps the colour", 5, 5, [] { board->runeIds[6][4] = 0; }, false},
      {"a ring reaching off the grid", 1, 5, [] {}, false},
      {"a ring reaching off the grid at the bottom", 6, 12, [] {}, false},
      {"a boss that is no longer alive", 5, 5,
       [] { bossManager->bossRunes->First()->alive = 0; }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    AddBoss(c.x, c.y, 2);
    PutBossRing(c.x, c.y, 2);
    c.arrange();
    const size_t lines = CommitRings().size();
    EXPECT_EQ(lines, c.falls ? 8u : 0u);
    EXPECT_EQ(bossManager->bossRunes->Count(), c.falls ? 0 : 1);
    EXPECT_EQ(bossManager->CheckForGoal(), c.falls ? 1 : 0);
    EXPECT_EQ(Explosions(), c.falls ? 1 : 0);
    StopAllChannels();
  }
}

TEST_F(BossTest, AFallenBossLeavesItsRingAsEightPairsLeftRightTopBottom) {
  AddBoss(5, 5, 2);
  PutBossRing(5, 5, 2);
  EXPECT_EQ(CommitRings(), (std::vector<std::vector<int>>{{3, 5, 4, 5},
                                                          {3, 6, 4, 6},
                                                          {7, 5, 8, 5},
                                                          {7, 6, 8, 6},
                                                          {5, 3, 6, 3},
                                                          {5, 4, 6, 4},
                                                          {5, 7, 6, 7},
                                                          {5, 8, 6, 8}}));
}

TEST_F(BossTest, TwoBossesSharingRingCellsFallInOneClearingThatCountsEachCellOnce) {
  // The right square of the first boss is the left square of the second.
  AddBoss(4, 5, 2);
  AddBoss(8, 5, 2);
  PutBossRing(4, 5, 2);
  PutBossRing(8, 5, 2);
  board->runeIds[6][5] = board->colours[6][5] = 0;
  HoldBlock({{2}});
  ASSERT_EQ(board->placeBlock(nullptr, 6, 5, 1), 1);
  EXPECT_EQ(board->clearMatchingRunes(0), 28);
  EXPECT_EQ(bossManager->bossRunes->Count(), 0);
  EXPECT_EQ(Explosions(), 2);
  EXPECT_EQ(play::Count(board->runeIds), 0);
}

TEST_F(BossTest, ARingAndARunThroughItClearTogether) {
  AddBoss(5, 5, 2);
  PutBossRing(5, 5, 2);
  board->runeIds[3][5] = board->colours[3][5] = 0;
  Put(3, 4, 2);  // above the ring: the placed rune closes the ring and a column of three
  HoldBlock({{2}});
  ASSERT_EQ(board->placeBlock(nullptr, 3, 5, 1), 1);
  EXPECT_EQ(board->clearMatchingRunes(0), 17);
  EXPECT_EQ(bossManager->bossRunes->Count(), 0);
  EXPECT_EQ(play::Count(board->runeIds), 0);
}

TEST_F(BossTest, TheBossSquareTakesABlockOnlyOnceTheBossHasFallen) {
  AddBoss(5, 5, 2);
  PutBossRing(5, 5, 2);
  board->runeIds[8][6] = board->colours[8][6] = 0;
  for (auto [x, y] : {std::pair{5, 5}, {6, 5}, {5, 6}, {6, 6}}) {
    HoldBlock({{1}});
    EXPECT_EQ(board->placeBlock(nullptr, x, y, 1), 0) << x << "," << y;
  }
  HoldBlock({{2}});
  ASSERT_EQ(board->placeBlock(nullptr, 8, 6, 1), 1);
  board->clearMatchingRunes(0);
  HoldBlock({{1, 1}, {1, 1}});
  EXPECT_EQ(board->placeBlock(nullptr, 5, 5, 1), 1);
}

}  // namespace
