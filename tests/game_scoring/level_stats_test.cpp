#include <gtest/gtest.h>

#include "game/levels/level_stats.h"

namespace {

// A level record keeps further numbers beside the counters; clearing the counters leaves them.
struct LevelRecord : TLevelStats {
  int bonusPoints = 0;
  int totalShown = 0;
};

TEST(LevelStatistics, CountersStartAtZeroAndResetTogether) {
  LevelRecord level;
  EXPECT_EQ(level.receivedSpells + level.spellsCast + level.blocksUsed + level.matches + level.combos, 0);
  level.receivedSpells = 2;
  level.spellsCast = 1;
  level.blocksUsed = 40;
  level.matches = 9;
  level.combos = 3;
  level.bonusPoints = 575;
  level.totalShown = 12000;
  TLevelStats& stats = level;
  stats.ResetStats();
  EXPECT_EQ(level.receivedSpells, 0);
  EXPECT_EQ(level.spellsCast, 0);
  EXPECT_EQ(level.blocksUsed, 0);
  EXPECT_EQ(level.matches, 0);
  EXPECT_EQ(level.combos, 0);
  EXPECT_EQ(level.bonusPoints, 575);
  EXPECT_EQ(level.totalShown, 12000);
}

}  // namespace
