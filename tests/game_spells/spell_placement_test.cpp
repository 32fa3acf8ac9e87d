// Placing spells: which cells may take one, the kind drawn from the level's list, a heal turned
// into another kind while nothing is petrified, the order of the random draws, the count of
// spells received, and spells put back from a saved game.
#include "spells_fixtures.h"

using namespace spells;

namespace {

class Placement : public testing::Test {
 protected:
  void SetUp() override { MakeSpells(); }
};

TEST_F(Placement, OnlyAnOccupiedUsableCellWithoutStoneOrSpellTakesASpell) {
  Put(0, 0, 1);
  board->usable[0][0] = 0;           // a rune in a hole
  Put(1, 0, Stone(2));               // a stone
  Put(2, 0, 3);                      // a rune with a spell on it
  bonusManagerAlt->AddBonusExt(1, 2, 0, 0);
  board->runeIds[3][0] = 99;         // a rune the catalogue does not know: no stone
  board->colours[3][0] = 7;
  bonusManagerAlt->AddBonus(4);
  ASSERT_EQ(bonusManagerAlt->boardSpells->Count(), 2);
  const BonusAPtr placed = bonusManagerAlt->boardSpells->Last();
  EXPECT_EQ(placed->cellX, 3);
  EXPECT_EQ(placed->cellY, 0);
  EXPECT_EQ(placed->kind, 4);
  EXPECT_EQ(placed->colour, 7) << "a drain keeps the colour of its rune";
  EXPECT_EQ(placed->delay, 600);
  EXPECT_EQ(placed->duration, 1000);
  EXPECT_EQ(level->receivedSpells, 1);

  // No cell left: nothing placed, nothing counted.
  bonusManagerAlt->AddBonus(1);
  EXPECT_EQ(bonusManagerAlt->boardSpells->Count(), 2);
  EXPECT_EQ(level->receivedSpells, 1);
}

TEST_F(Placement, CandidatesAreTakenColumnByColumn) {
  // In scan order: (0, 5), (0, 9), (3, 1), (7, 0).
  const std::pair<int, int> order[] = {{0, 5}, {0, 9}, {3, 1}, {7, 0}};
  for (auto [x, y] : order) Put(x, y, 2);
  for (int seed = 1; seed <= 8; ++seed) {
    bonusManagerAlt->ClearSpells();
    const int pick = DrawsAfterSeed(seed, {{0, 3}})[0];
    bonusManagerAlt->AddBonus(2);
    ASSERT_EQ(bonusManagerAlt->boardSpells->Count(), 1);
    EXPECT_EQ(bonusManagerAlt->boardSpells->First()->cellX, order[pick].first) << seed;
    EXPECT_EQ(bonusManagerAlt->boardSpells->First()->cellY, order[pick].second) << seed;
  }
}

TEST_F(Placement, KindDrawnFromTheLevelsListWhereRepeatsWeighMore) {
  AllowSpells({u"1", u"1", u"1", u"6"});
  Put(4, 4, 1);
  int teleports = 0;
  for (int seed = 1; seed <= 40; ++seed) {
    bonusManagerAlt->ClearSpells();
    const std::vector<int> draws = DrawsAfterSeed(seed, {{0, 3}, {0, 0}});
    bonusManagerAlt->AddBonus(0);
    ASSERT_EQ(bonusManagerAlt->boardSpells->Count(), 1);
    const int kind = bonusManagerAlt->boardSpells->First()->kind;
    EXPECT_EQ(kind, draws[0] == 3 ? 6 : 1) << seed;
    teleports += kind == 6 ? 1 : 0;
  }
  EXPECT_GT(teleports, 0);
  EXPECT_LT(teleports, 20);
}

TEST_F(Placement, HealWithoutAStoneBecomesAnotherKindOrNothing) {
  struct Case {
    const char* name;
    std::vector<const char16_t*> list;
    int asked;
    bool stone;
    std::vector<std::pair<int, int>> draws;  // the draws the placement makes, in order
    int kind;  // the kind placed; -1: which entry the draws pick among the others; 0: none
  };
  const Case cases[] = {
      {"only heal, nothing petrified", {u"5"}, 0, false, {{0, 0}}, 0},
      {"heal asked, a list of one other kind", {u"3"}, 5, false, {}, 0},
      {"heal asked, an empty list", {}, 5, false, {}, 0},
      {"heal asked, a stone on the board", {}, 5, true, {{0, 0}}, 5},
      {"only heals twice over", {u"5", u"5"}, 5, false, {}, 0},
      {"heal asked, one other kind", {u"5", u"2"}, 5, false, {{0, 0}, {0, 0}}, 2},
      {"heal drawn, two other kinds", {u"5", u"2", u"5", u"3"}, 0, false, {}, -1},
      {"heal drawn, a stone on the board", {u"5"}, 0, true, {{0, 0}, {0, 0}}, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeSpells();
    std::vector<const char16_t*> list = c.list;
    level->availableSpells = CreateList<String>();
    for (const char16_t* k : list) level->availableSpells->AddLast(k);
    Put(2, 2, 1);
    if (c.stone) Put(6, 6, Stone(1));
    if (c.kind == -1) {
      // Find a seed whose kind draw picks a heal, then the other kinds' draw decides.
      int seed = 1;
      while (DrawsAfterSeed(seed, {{0, 3}})[0] % 2 != 0) ++seed;
      const std::vector<int> draws = DrawsAfterSeed(seed, {{0, 3}, {0, 1}, {0, 0}});
      bonusManagerAlt->AddBonus(c.asked);
      ASSERT_EQ(bonusManagerAlt->boardSpells->Count(), 1);
      EXPECT_EQ(bonusManagerAlt->boardSpells->First()->kind, draws[1] == 0 ? 2 : 3);
      EXPECT_EQ(level->receivedSpells, 1);
      continue;
    }
    // After the placement's own draws the generator gives what it would after just those.
    std::vector<std::pair<int, int>> expectedDraws = c.draws;
    expectedDraws.push_back({0, 1000000});
    const std::vector<int> draws = DrawsAfterSeed(11, expectedDraws);
    bonusManagerAlt->AddBonus(c.asked);
    EXPECT_EQ(Rand(0, 1000000), draws.back()) << "the placement's random draws";
    EXPECT_EQ(bonusManagerAlt->boardSpells->Count(), c.kind != 0 ? 1 : 0);
    EXPECT_EQ(level->receivedSpells, c.kind != 0 ? 1 : 0);
    if (c.kind != 0 && !bonusManagerAlt->boardSpells->IsEmpty()) {
      EXPECT_EQ(bonusManagerAlt->boardSpells->First()->kind, c.kind);
    }
  }
}

TEST_F(Placement, UnknownKindIsCountedWhenACellIsFoundButCreatesNothing) {
  Put(1, 1, 2);
  bonusManagerAlt->AddBonus(9);
  EXPECT_EQ(level->receivedSpells, 1);
  EXPECT_TRUE(bonusManagerAlt->boardSpells->IsEmpty());
  board->runeIds[1][1] = 0;
  bonusManagerAlt->AddBonus(9);
  EXPECT_EQ(level->receivedSpells, 1);
}

TEST_F(Placement, SpellPutBackFromASavedGameIsNeitherTestedNorCounted) {
  board->usable[0][0] = 0;
  bonusManagerAlt->AddBonusExt(4, 0, 0, 6);  // a hole, empty
  bonusManagerAlt->AddBonusExt(2, 3, 3, 6);
  bonusManagerAlt->AddBonusExt(7, 4, 4, 6);  // no such kind
  ASSERT_EQ(bonusManagerAlt->boardSpells->Count(), 2);
  EXPECT_EQ(bonusManagerAlt->FindBonus(0, 0), 4);
  EXPECT_EQ(bonusManagerAlt->GetBonus(0, 0)->colour, 6);
  EXPECT_EQ(bonusManagerAlt->GetBonus(3, 3)->colour, 0) << "only a drain keeps a colour";
  EXPECT_EQ(bonusManagerAlt->GetBonus(3, 3)->delay, 500);
  EXPECT_EQ(bonusManagerAlt->GetBonus(4, 4), nullptr);
  EXPECT_EQ(level->receivedSpells, 0);
  bonusManagerAlt->ClearSilent(3, 3);
  EXPECT_EQ(bonusManagerAlt->FindBonus(3, 3), 0);
  EXPECT_EQ(level->spellsCast, 0);
}

}  // namespace
