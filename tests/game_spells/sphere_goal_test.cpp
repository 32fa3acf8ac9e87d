// A shipped level whose goal is a full sphere is won by clearing runs of its vials' colours on
// its own board.
#include "services/mouse.h"
#include "game/levels/level_sequencer.h"
#include "game_levels/levels_fixtures.h"
#include "spells_fixtures.h"

namespace {

// The first quest level of the sequence whose goal is a full sphere, loaded.
bool LoadFirstSphereLevel() {
  sequencer->Start(0);
  for (int32_t index = sequencer->firstLevel; index <= sequencer->lastLevel; ++index) {
    sequencer->currentLevel = index;
    if (sequencer->Get() != 1 || sequencer->levelType != 1) continue;
    level->Set(sequencer->fileName);
    levels::Output([] { level->Load(0); });
    if (level->goalType == 1) return true;
  }
  return false;
}

// Three empty usable cells side by side in a row; false when the board has none.
bool FindEmptyRun(int& x0, int& y0) {
  for (int y = 0; y < kBoardCells; ++y)
    for (int x = 0; x + 2 < kBoardCells; ++x) {
      bool free = true;
      for (int i = 0; i < 3; ++i)
        free = free && board->usable[x + i][y] == 1 && board->runeIds[x + i][y] == 0;
      if (free) {
        x0 = x;
        y0 = y;
        return true;
      }
    }
  return false;
}

TEST(SphereGoal, ShippedSphereLevelIsWonByClearingRunsOfItsColours) {
  test_support::OpenScreen();
  levels::MakeSingletons();
  levels::Output([] {
    runes->loadRunesGfx();
    blocks->loadBlocksDef();
  });
  mouse = std::make_shared<TMouse>();
  bonusManagerAlt = std::make_shared<TBunusManagerA>();
  ASSERT_TRUE(LoadFirstSphereLevel());
  ASSERT_EQ(level->isGoalAchieved(), 0);

  int clears = 0;
  for (size_t slot = 0; slot < TMagicSphere::kVials; ++slot) {
    const int colour = magicSphere->colours[slot];
    if (colour == 0) continue;
    // A rune the level deals in the vial's colour.
    int rune = 0;
    for (const String& id : *blocks->availableRunes)
      if (runes->getRuneColor(id) == colour) rune = ToInt(id);
    ASSERT_NE(rune, 0) << "colour " << colour;
    while (magicSphere->fills[slot] < magicSphere->capacities[slot] && clears < 200) {
      int x = 0, y = 0;
      ASSERT_TRUE(FindEmptyRun(x, y));
      for (int i = 0; i < 3; ++i) spells::Put(x + i, y, rune);
      EXPECT_GE(board->clearMatchingRunes(0), 3);
      ++clears;
    }
  }
  EXPECT_EQ(magicSphere->IsFull(), 1);
  EXPECT_EQ(level->isGoalAchieved(), 1);
  EXPECT_GT(clears, 0);
}

}  // namespace
