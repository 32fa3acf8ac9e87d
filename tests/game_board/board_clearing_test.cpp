// Clearing and scoring: every line found at once, cells counted once (stones twice at a
// crossing), the points of n cells in k colours, captions, combo sound, statistics and spells.
#include <cmath>

#include "board_play_fixtures.h"
#include "game/spells/boss_manager.h"

using namespace play;

namespace {

class Clearing : public testing::Test {
 protected:
  void SetUp() override {
    MakePlay();
    pieces::PutMouse(400, 300);
  }

  struct Shown {
    int kind, value;
    float x, y, scale;
    bool operator==(const Shown&) const = default;
    friend void PrintTo(const Shown& s, std::ostream* os) {
      *os << "{kind " << s.kind << ", " << s.value << " at " << s.x << "," << s.y << " x" << s.scale
          << "}";
    }
  };
  static std::vector<Shown> Captions() {
    std::vector<Shown> out;
    for (const CaptionsPtr& c : *captions) out.push_back({c->kind, c->value, c->x, c->y, c->scale});
    return out;
  }
};

TEST_F(Clearing, PointsAndCaptionScaleOfNCellsInKColours) {
  struct Case {
    int n, k, points;
    float scale;
    std::vector<int> rows;  // length of each row of one colour, colours 1, 2, ...
  };
  const std::vector<Case> cases = {
      {3, 1, 250, 1.0f, {3}},          {4, 1, 325, 1.1f, {4}},
      {5, 1, 400, 1.2f, {5}},          {6, 1, 475, 1.3f, {6}},
      {7, 1, 600, 1.4f, {7}},          {8, 1, 725, 1.5f, {8}},
      {9, 1, 850, 1.6f, {9}},          {12, 1, 1225, 1.6f, {12}},
      {6, 2, 875, 1.3f, {3, 3}},       {7, 2, 1050, 1.4f, {4, 3}},
      {8, 2, 1225, 1.5f, {5, 3}},      {9, 2, 1400, 1.6f, {6, 3}},
      {9, 3, 1950, 1.6f, {3, 3, 3}},   {12, 2, 1925, 1.6f, {9, 3}},
      {12, 3, 2625, 1.6f, {6, 3, 3}},  {12, 4, 3325, 1.6f, {3, 3, 3, 3}},
      // Five colours count as four.
      {15, 4, 4150, 1.6f, {3, 3, 3, 3, 3}},
  };
  for (const Case& c : cases) {
    MakePlay();
    pieces::PutMouse(400, 300);
    level->availableSpells->AddLast(u"2");
    for (size_t r = 0; r < c.rows.size(); ++r) {
      for (int x = 0; x < c.rows[r]; ++x) Put(x, static_cast<int>(2 * r), static_cast<int>(r) + 1);
    }
    Put(14, 14, 5);  // a rune the clearing leaves, for the new spell
    const int before = MilliSecs();
    EXPECT_EQ(board->clearMatchingRunes(0), c.n) << c.n << " cells, " << c.k << " colours";
    EXPECT_EQ(points->levelPoints, c.points) << c.n << " cells, " << c.k << " colours";
    std::vector<Shown> expected = {{1, c.points, 400, 230, c.scale}, {3, c.n, 400, 270, c.scale}};
    if (c.k > 1) expected.push_back({2, c.k, 500, 330, c.scale});
    EXPECT_EQ(Captions(), expected) << c.n << " cells, " << c.k << " colours";
    EXPECT_EQ(level->matches, 1);
    EXPECT_EQ(level->combos, c.k > 1 ? 1 : 0);
    ASSERT_EQ(soundQueue->Count(), c.k > 1 ? 1 : 0);
    if (c.k > 1) {
      EXPECT_EQ(soundQueue->First()->dueMs, before + 600);
    }
    // More than three cells put a new spell of a kind the level allows on a rune left over.
    EXPECT_EQ(bonusManagerAlt->boardSpells->Count(), c.n > 3 ? 1 : 0);
    EXPECT_EQ(level->receivedSpells, c.n > 3 ? 1 : 0);
    EXPECT_EQ(Count(board->runeIds) + Count(board->colours), 2);
    EXPECT_EQ(board->lines, nullptr);
  }
}

TEST_F(Clearing, LevelAllowingNoSpellGetsNoNewSpell) {
  PutRow(0, 0, {1, 1, 1, 1, 1});
  EXPECT_EQ(board->clearMatchingRunes(0), 5);
  EXPECT_EQ(bonusManagerAlt->boardSpells->Count(), 0);
  EXPECT_EQ(level->receivedSpells, 0);
}

TEST_F(Clearing, NothingMatchedOnlyWipesThePreview) {
  PutRow(0, 0, {1, 1, 2});
  board->highlights[4][4] = 3;
  EXPECT_EQ(board->clearMatchingRunes(0), 0);
  EXPECT_EQ(Count(board->highlights), 0);
  EXPECT_EQ(Count(board->runeIds), 3);
  EXPECT_EQ(points->levelPoints, 0);
  EXPECT_TRUE(captions->IsEmpty());
  EXPECT_EQ(level->matches, 0);
  EXPECT_EQ(cometList->Count(), 0);
}

TEST_F(Clearing, CrossingCellCountsOnceAndEndlessModeScoresAlike) {
  for (int mode : {0, 1}) {
    MakePlay();
    PutRow(4, 5, {2, 2, 2});
    Put(5, 4, 2);
    Put(5, 6, 2);
    EXPECT_EQ(board->clearMatchingRunes(mode), 5);
    EXPECT_EQ(points->levelPoints, 400);
    EXPECT_EQ(cometList->Count(), 5);
  }
}

TEST_F(Clearing, StoneInARunTurnsBackStaysAndThrowsDebris) {
  magicSphere->colours[0] = 1;
  magicSphere->capacities[0] = 10.0f;
  PutRow(3, 8, {1, Stone(1), 1});
  board->placedAt[4][8] = 77;
  EXPECT_EQ(board->clearMatchingRunes(0), 3);
  EXPECT_EQ(points->levelPoints, 250);
  EXPECT_EQ(board->runeIds[4][8], 1);
  EXPECT_EQ(board->colours[4][8], 1);
  EXPECT_EQ(board->placedAt[4][8], 77);
  EXPECT_EQ(Count(board->runeIds), 1);
  EXPECT_EQ(stonesList->Count(), 12);
  EXPECT_EQ(cometList->Count(), 2);
  EXPECT_EQ(magicSphere->fills[0], 2.0f);
}

TEST_F(Clearing, StoneAtACrossingIsRestoredThenClearedAndCountsTwice) {
  PutRow(4, 5, {2, Stone(2), 2});
  Put(5, 4, 2);
  Put(5, 6, 2);
  EXPECT_EQ(board->clearMatchingRunes(0), 6);
  EXPECT_EQ(points->levelPoints, 475);
  EXPECT_EQ(Count(board->runeIds), 0);
  EXPECT_EQ(stonesList->Count(), 12);
  EXPECT_EQ(cometList->Count(), 5);
}

TEST_F(Clearing, CometsFlySixteenPixelsInsideTheCellTowardsTheSphere) {
  for (int cell : {32, 40}) {
    MakePlay();
    magicSphere->colours[2] = 4;  // a vial of colour 4
    magicSphere->capacities[2] = 5.0f;
    board->cellSize = cell;
    PutRow(2, 3, {4, 4, 4});
    board->clearMatchingRunes(0);
    ASSERT_EQ(cometList->Count(), 3);
    CometPtr first = cometList->First();
    const int sx = board->originX + 2 * cell + 16;
    const int sy = board->originY + 3 * cell + 16;
    EXPECT_EQ(first->startX, sx);
    EXPECT_EQ(first->startY, sy);
    int vialX = 0, vialY = 0;
    magicSphere->GetColorXY(4, vialX, vialY);
    EXPECT_EQ(first->endX, vialX - 10);
    EXPECT_EQ(first->endY, vialY - 10);
    const double d = std::sqrt(std::pow(sx - first->endX, 2) + std::pow(sy - first->endY, 2));
    EXPECT_FLOAT_EQ(first->speed, static_cast<float>(0.03 * (380.0 / d)));
    EXPECT_EQ(first->red, 40);  // the spark colour of colour 4
    EXPECT_EQ(first->blue, 120);
  }
}

TEST_F(Clearing, CaptionsKeepToTheScreenAroundThePointer) {
  pieces::PutMouse(700, 40);
  PutRow(0, 0, {3, 3, 3});
  board->clearMatchingRunes(0);
  EXPECT_EQ(Captions(), (std::vector<Shown>{{1, 250, 550, 30, 1.0f}, {3, 3, 550, 70, 1.0f}}));
  MakePlay();
  pieces::PutMouse(-50, 580);
  PutRow(0, 0, {3, 3, 3});
  board->clearMatchingRunes(0);
  EXPECT_EQ(Captions(), (std::vector<Shown>{{1, 250, -50, 430, 1.0f}, {3, 3, -50, 470, 1.0f}}));
}

TEST_F(Clearing, SpellOnAClearedCellFiresAndTakesTheCaptions) {
  PutRow(0, 0, {1, 1, 1});
  bonusManagerAlt->AddBonusExt(3, 1, 0, 0);
  PutRow(0, 2, {2, 2, 2});
  EXPECT_EQ(board->clearMatchingRunes(0), 6);
  EXPECT_EQ(level->spellsCast, 1);
  EXPECT_EQ(bonusManagerAlt->BonusActive(), 1);
  EXPECT_EQ(points->levelPoints, 875);
  EXPECT_TRUE(captions->IsEmpty());
  EXPECT_EQ(soundQueue->Count(), 1);  // the combo sound still plays
  EXPECT_EQ(bonusManagerAlt->castCells, 6);
  EXPECT_EQ(bonusManagerAlt->castPoints, 875);
  EXPECT_EQ(bonusManagerAlt->castColours, 2);
}

TEST_F(Clearing, BeatenBossRuneAddsItsRingOfSixteen) {
  level->goalType = 3;
  AddBoss(5, 5, 2);
  PutBossRing(5, 5, 2);
  EXPECT_EQ(board->clearMatchingRunes(0), 16);
  EXPECT_EQ(points->levelPoints, 1725);
  EXPECT_EQ(bossManager->bossRunes->Count(), 0);
  EXPECT_EQ(Count(board->runeIds), 0);
}

TEST_F(Clearing, BossRingReachingOffTheBoardIsNeverBeaten) {
  AddBoss(0, 5, 2);  // its left squares would lie off the board
  for (int y : {5, 6})
    for (int x : {2, 3}) Put(x, y, 2);
  EXPECT_EQ(board->clearMatchingRunes(0), 0);
  EXPECT_EQ(bossManager->bossRunes->Count(), 1);
}

}  // namespace
