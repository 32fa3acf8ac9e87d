// What each spell's effect chooses on the board and which emitters it starts, and the
// teleport's frames: its choice of cells, its highlights and the runes it changes.
#include <set>

#include "spells_fixtures.h"

using namespace spells;

namespace {

class Effects : public testing::Test {
 protected:
  void SetUp() override { MakeSpells(); }
};

struct Point {
  float x, y;
  bool operator==(const Point&) const = default;
  friend void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }
};

Point Centre(int column, int row) { return {CentreX(column), CentreY(row)}; }

struct LineCase {
  const char* name;
  int column, row;
  std::vector<std::pair<int, int>> holes;
  std::vector<std::pair<int, int>> runes;
  std::vector<std::pair<int, int>> ends;  // up, down, left, right
  int count;
};

TEST_F(Effects, HolyFireRunsToTheFirstHoleOrPastTheEdgeAndCountsItsRunes) {
  const LineCase cases[] = {
      {"beside holes", 5, 5, {{5, 3}, {8, 5}},
       // (5, 2) and (10, 5) lie beyond the holes
       {{5, 4}, {5, 2}, {5, 14}, {2, 5}, {0, 5}, {7, 5}, {10, 5}},
       {{5, 3}, {5, 15}, {-1, 5}, {8, 5}}, 5},
      {"at the corner, its own cell held", 0, 0, {}, {{0, 0}, {0, 3}, {6, 0}},
       {{0, -1}, {0, 15}, {-1, 0}, {15, 0}}, 3},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.name);
    MakeSpells();
    for (auto [x, y] : c.holes) board->usable[x][y] = 0;
    for (auto [x, y] : c.runes) Put(x, y, 1);
    EXPECT_EQ(BonusRemoveCross(c.column, c.row), c.count);
    const auto lines = Emitters<TRemoveLineEmiter>();
    ASSERT_EQ(lines.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
      EXPECT_EQ((Point{lines[i]->startX, lines[i]->startY}), Centre(c.column, c.row));
      EXPECT_EQ((Point{lines[i]->controlX, lines[i]->controlY}), Centre(c.column, c.row));
      EXPECT_EQ((Point{lines[i]->endX, lines[i]->endY}), Centre(c.ends[i].first, c.ends[i].second))
          << i;
      EXPECT_EQ(lines[i]->orientation, i < 2 ? 0 : 1);
      EXPECT_EQ(lines[i]->count, 100.0f);
      EXPECT_EQ(lines[i]->speed, 0.03f);
    }
    EXPECT_EQ(play::Count(board->runeIds), static_cast<int>(c.runes.size()))
        << "the effect itself leaves the board alone";
  }
  // Past the left edge the centre lies half a cell outside the board.
  EXPECT_EQ(Centre(-1, 0).x, static_cast<float>(board->originX - 16));
}

TEST_F(Effects, VanishTakesEveryFifthOccupiedCellPassingOverSpells) {
  for (int y = 0; y < 10; ++y) Put(0, y, 2);
  Put(0, 1, Stone(3));  // a stone is a cell like any other
  bonusManagerAlt->AddBonusExt(1, 0, 0, 0);
  bonusManagerAlt->AddBonusExt(1, 0, 6, 0);
  EXPECT_EQ(BonusRemoveRandomColors(5, 5), 2);
  const auto streams = Emitters<TRemoveRandomColorsEmiter>();
  ASSERT_EQ(streams.size(), 3u);
  struct Target {
    int x, y, colour;
  };
  const Target targets[] = {{5, 5, 0}, {0, 1, 3}, {0, 7, 2}};
  for (size_t i = 0; i < 3; ++i) {
    const auto& s = *streams[i];
    EXPECT_EQ(s.cellX, targets[i].x) << i;
    EXPECT_EQ(s.cellY, targets[i].y) << i;
    EXPECT_EQ(s.cellColour, targets[i].colour) << i;
    EXPECT_EQ((Point{s.startX, s.startY}), Centre(5, 5));
    EXPECT_EQ((Point{s.endX, s.endY}), Centre(targets[i].x, targets[i].y));
    EXPECT_EQ(s.red, 225);
    EXPECT_EQ(s.green, 210);
    EXPECT_EQ(s.blue, 225);
    EXPECT_EQ(s.pending, 1);
  }
  // To its own cell the stream's control point is that cell's centre.
  EXPECT_EQ((Point{streams[0]->controlX, streams[0]->controlY}), Centre(5, 5));

  // Every occupied cell under a spell: only the own cell's stream, nothing paid.
  MakeSpells();
  Put(3, 3, 1);
  bonusManagerAlt->AddBonusExt(2, 3, 3, 0);
  EXPECT_EQ(BonusRemoveRandomColors(3, 3), 0);
  ASSERT_EQ(volcanoList->Count(), 1);
  EXPECT_EQ(Emitters<TRemoveRandomColorsEmiter>()[0]->cellColour, 1);
}

TEST_F(Effects, BombInACornerFiresOnTheUsableCellsInsideTheBoard) {
  board->usable[1][1] = 0;
  Put(1, 0, 1);
  Put(2, 2, 2);
  Put(3, 3, 2);  // outside the square
  EXPECT_EQ(BonusRemoveBlock(0, 0), 2);
  const auto fires = Emitters<TRemoveBlockEmiter>();
  const std::pair<int, int> cells[] = {{0, 0}, {0, 1}, {0, 2}, {1, 0},
                                       {1, 2}, {2, 0}, {2, 1}, {2, 2}};
  ASSERT_EQ(fires.size(), 8u);
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(fires[i]->cellX, cells[i].first) << i;
    EXPECT_EQ(fires[i]->cellY, cells[i].second) << i;
    EXPECT_EQ((Point{fires[i]->startX, fires[i]->startY}), Centre(cells[i].first, cells[i].second));
    EXPECT_EQ(fires[i]->count, 40.0f);
    EXPECT_EQ(fires[i]->pending, 1);
  }
}

TEST_F(Effects, DrainTakesEveryCellOfItsColourInOneDrawnColour) {
  Put(1, 1, 2);
  bonusManagerAlt->AddBonusExt(3, 1, 1, 0);  // a spell does not protect its cell
  Put(3, 4, 2);
  Put(6, 6, Stone(2));
  Put(2, 2, 3);
  EXPECT_EQ(BonusRemoveColor(2, 5, 5), 3);
  const auto streams = Emitters<TRemoveColorEmiter>();
  ASSERT_EQ(streams.size(), 3u);
  const std::pair<int, int> cells[] = {{1, 1}, {3, 4}, {6, 6}};
  for (size_t i = 0; i < 3; ++i) {
    const auto& s = *streams[i];
    EXPECT_EQ(s.cellX, cells[i].first);
    EXPECT_EQ(s.cellY, cells[i].second);
    EXPECT_EQ(s.cellColour, 2);
    // Colour 2's sparks are (20, 40, 60), each drawn once for the cast with a jitter.
    EXPECT_EQ(s.red, streams[0]->red);
    EXPECT_EQ(s.green, streams[0]->green);
    EXPECT_EQ(s.blue, streams[0]->blue);
    EXPECT_NEAR(s.red, 20, 20);
    EXPECT_NEAR(s.green, 40, 20);
    EXPECT_NEAR(s.blue, 60, 20);
    // The control point lies in the box between the two centres, even towards the top left.
    EXPECT_GE(s.controlX, std::min(s.startX, s.endX));
    EXPECT_LE(s.controlX, std::max(s.startX, s.endX));
    EXPECT_GE(s.controlY, std::min(s.startY, s.endY));
    EXPECT_LE(s.controlY, std::max(s.startY, s.endY));
  }
}

// Colour 0 is the empty cells': no drain may pay for them. It comes in two ways: a rune the
// catalogue does not know reads as colour 0 (it takes no spell), and a saved drain item of
// colour 0 ("4:x:y:0", put back as saved) targets nothing when it is cast.
TEST_F(Effects, ADrainWithoutAColourTargetsNothingAndAColourlessRuneTakesNoSpell) {
  board->runeIds[4][4] = 99;  // unknown: no stone, colour 0
  board->colours[4][4] = 0;
  bonusManagerAlt->AddBonus(4);
  EXPECT_TRUE(bonusManagerAlt->boardSpells->IsEmpty());
  EXPECT_EQ(level->receivedSpells, 0);

  Put(1, 1, 2);
  bonusManagerAlt->AddBonusExt(4, 4, 4, 0);
  ASSERT_EQ(bonusManagerAlt->boardSpells->Count(), 1);
  EXPECT_EQ(BonusRemoveColor(bonusManagerAlt->boardSpells->First()->colour, 4, 4), 0);
  EXPECT_TRUE(Emitters<TRemoveColorEmiter>().empty());
}

TEST_F(Effects, HealFiresOnEveryStoneAndOnNothingElse) {
  Put(2, 2, 1);
  EXPECT_EQ(BonusHeal(), 0);
  EXPECT_EQ(volcanoList->Count(), 0);
  Put(4, 0, Stone(1));
  Put(1, 1, Stone(3));
  EXPECT_EQ(BonusHeal(), 0);
  const auto fires = Emitters<THealEmiter>();
  ASSERT_EQ(fires.size(), 2u);
  EXPECT_EQ(fires[0]->cellX, 1);
  EXPECT_EQ(fires[1]->cellX, 4);
  EXPECT_EQ(fires[1]->cellY, 0);
  EXPECT_EQ(fires[1]->count, 60.0f);
}

// ---- Teleport ----------------------------------------------------------------------------------

std::vector<TTeleportCell> Records(const TList<TTeleportCell>& list) {
  std::vector<TTeleportCell> out;
  for (const TTeleportCell& c : list) out.push_back(c);
  return out;
}

TEST_F(Effects, TeleportChoosesEveryFourthOccupiedCellFromADrawnStart) {
  DealRunes({u"1", u"2", u"3"});
  for (int y = 0; y < 8; ++y) Put(0, y, 1);
  std::set<int> starts;
  for (int seed = 1; seed <= 30 && starts.size() < 3; ++seed) {
    const int start = DrawsAfterSeed(seed, {{0, 2}})[0];
    starts.insert(start);
    float progress = 0.0f;
    TList<TTeleportCell> records;
    BonusReplacer(progress, records);
    const std::vector<TTeleportCell> chosen = Records(records);
    const int first = start == 0 ? 0 : 4 - start;  // the first, fourth or third cell
    ASSERT_FALSE(chosen.empty());
    EXPECT_EQ(chosen[0].y, first) << "start " << start;
    EXPECT_EQ(chosen.size(), first + 4 < 8 ? 2u : 1u);
    for (const TTeleportCell& c : chosen) EXPECT_NE(c.runeId, 1) << "another rune";
  }
  EXPECT_EQ(starts.size(), 3u);

  // One occupied cell is chosen without a draw for the start; none leaves the list empty.
  MakeSpells();
  DealRunes({u"2"});
  Put(6, 6, 1);
  float progress = 0.0f;
  TList<TTeleportCell> records;
  BonusReplacer(progress, records);
  ASSERT_EQ(records.Count(), 1);
  EXPECT_EQ(records.First().x, 6);
  board->runeIds[6][6] = 0;
  progress = 0.0f;
  BonusReplacer(progress, records);
  EXPECT_EQ(records.Count(), 0);
}

TEST_F(Effects, TeleportCellWithoutAnotherOrdinaryRuneKeepsItsOwn) {
  DealRunes({u"1", u"21"});  // besides rune 1 only its stone
  Put(0, 0, 1);
  for (int y = 1; y < 8; ++y) Put(0, y, 2);
  int seed = 1;
  while (DrawsAfterSeed(seed, {{0, 2}})[0] != 0) ++seed;
  float progress = 0.0f;
  TList<TTeleportCell> records;
  BonusReplacer(progress, records);
  const std::vector<TTeleportCell> chosen = Records(records);
  ASSERT_EQ(chosen.size(), 1u) << "the first cell does not pass its turn on";
  EXPECT_EQ(chosen[0].y, 4);
  EXPECT_EQ(chosen[0].runeId, 1);
}

TEST_F(Effects, TeleportSparklesOldThenNewAndChangesItsRunesOnTheHundredAndFirstCall) {
  DealRunes({u"2"});
  Put(3, 3, Stone(1));
  bonusManagerAlt->AddBonusExt(4, 3, 3, 1);  // a drain on the cell
  Put(4, 3, 2);
  Put(5, 3, 2);
  int seed = 1;
  while (DrawsAfterSeed(seed, {{0, 2}})[0] != 0) ++seed;  // the stone's cell comes first
  float progress = 0.0f;
  TList<TTeleportCell> records;
  struct Step {
    int call, highlight;
  };
  int call = 0;
  for (const Step& s : {Step{40, 1}, Step{41, 2}, Step{80, 2}, Step{81, 0}, Step{100, 0}}) {
    while (call < s.call) {
      BonusReplacer(progress, records);
      ++call;
    }
    EXPECT_EQ(board->highlights[3][3], s.highlight) << "call " << call;
    EXPECT_EQ(board->runeIds[3][3], Stone(1)) << "call " << call;
  }
  EXPECT_LT(progress, 1.0f);
  EXPECT_EQ(GetAlpha(), 1.0f);
  BonusReplacer(progress, records);
  EXPECT_GE(progress, 1.0f);
  // The stone became rune 2, its row of three was cleared, the drain (now of colour 2) set off.
  EXPECT_EQ(board->runeIds[3][3], 0);
  EXPECT_EQ(board->runeIds[4][3], 0);
  EXPECT_GT(points->levelPoints, 0);
  ASSERT_EQ(bonusManagerAlt->activeSpells->Count(), 1);
  EXPECT_EQ(bonusManagerAlt->activeSpells->First()->colour, 2);
}

TEST_F(Effects, TeleportWritesItsRuneWhateverTheCellHoldsAndRestartsItsAge) {
  DealRunes({u"3"});
  Put(2, 2, 1);
  float progress = 0.0f;
  TList<TTeleportCell> records;
  BonusReplacer(progress, records);
  board->runeIds[2][2] = 0;  // emptied meanwhile
  board->colours[2][2] = 0;
  headless::AdvanceClock(500);
  for (int i = 0; i < 100; ++i) BonusReplacer(progress, records);
  EXPECT_EQ(board->runeIds[2][2], 3);
  EXPECT_EQ(board->colours[2][2], 3);
  EXPECT_EQ(board->placedAt[2][2], MilliSecs());
}

TEST_F(Effects, TeleportCastMidRunStartsAfreshAndTheManagerStopsAfterwards) {
  DealRunes({u"2"});
  Put(1, 1, 1);
  bonusManagerAlt->AddBonusExt(6, 0, 0, 0);
  bonusManagerAlt->Clear(0, 0);
  headless::AdvanceClock(601);
  bonusManagerAlt->Update();  // call 1 on the cast's frame
  ASSERT_EQ(bonusManagerAlt->teleportCells.Count(), 1);
  for (int i = 0; i < 49; ++i) bonusManagerAlt->Update();
  EXPECT_NEAR(bonusManagerAlt->teleportProgress, 0.5f, 1e-5);

  board->runeIds[1][1] = 0;
  Put(7, 7, 1);
  bonusManagerAlt->AddBonusExt(6, 0, 0, 0);
  bonusManagerAlt->Clear(0, 0);
  headless::AdvanceClock(601);
  bonusManagerAlt->Update();
  EXPECT_EQ(bonusManagerAlt->teleportProgress, 0.01f);
  ASSERT_EQ(bonusManagerAlt->teleportCells.Count(), 1);
  EXPECT_EQ(bonusManagerAlt->teleportCells.First().x, 7);
  for (int i = 0; i < 99; ++i) bonusManagerAlt->Update();
  EXPECT_EQ(board->runeIds[7][7], 1);
  bonusManagerAlt->Update();  // the 101st call
  EXPECT_EQ(board->runeIds[7][7], 2);
  Put(7, 7, 1);
  bonusManagerAlt->Update();  // no call any more
  EXPECT_EQ(board->runeIds[7][7], 1);
}

}  // namespace
