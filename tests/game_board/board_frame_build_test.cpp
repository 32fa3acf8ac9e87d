// The frame laid out from the board's shape: side tags, corner rules, runs split 3/2/1.
#include "board_play_fixtures.h"

using namespace play;

namespace {

struct Piece {
  int kind, x, y, size;
  bool operator==(const Piece&) const = default;
  friend void PrintTo(const Piece& p, std::ostream* os) {
    *os << "{kind " << p.kind << " at " << p.x << "," << p.y << " size " << p.size << "}";
  }
};

// Usable cells in columns c0..c1 of rows r0..r1; everything else a hole.
void Shape(std::initializer_list<std::array<int, 4>> blocksOfCells) {
  for (auto& column : board->usable) column.fill(0);
  for (const auto& b : blocksOfCells)
    for (int x = b[0]; x <= b[1]; ++x)
      for (int y = b[2]; y <= b[3]; ++y) board->usable[x][y] = 1;
}

std::vector<Piece> Build() {
  board->buildFrame();
  std::vector<Piece> out;
  for (const FrameElementPtr& e : *board->frameList) {
    const int most = (e->kind >= 4 || e->size == 3) ? 2 : 1;
    EXPECT_GE(e->id, 0);
    EXPECT_LE(e->id, most);
    if (e->kind >= 4) {
      EXPECT_EQ(e->size, e->kind - 4);
    }
    out.push_back({e->kind, e->x, e->y, e->size});
  }
  return out;
}

class FrameBuild : public testing::Test {
 protected:
  void SetUp() override { MakePlay(); }
};

TEST_F(FrameBuild, FullBoardIsEdgedByTwentyFourPiecesInWalkOrder) {
  std::vector<Piece> expected = {{4, -1, -1, 0}};
  for (int y = 0; y < 15; y += 3) expected.push_back({0, -1, y, 3});
  expected.push_back({6, -1, 15, 2});
  expected.push_back({5, 15, -1, 1});
  for (int y = 0; y < 15; y += 3) expected.push_back({1, 15, y, 3});
  expected.push_back({7, 15, 15, 3});
  for (int x = 0; x < 15; x += 3) expected.push_back({2, x, -1, 3});
  for (int x = 0; x < 15; x += 3) expected.push_back({3, x, 15, 3});
  EXPECT_EQ(Build(), expected);
}

TEST_F(FrameBuild, RectangleRunsSplitGreedilyIntoThreesThenTheRest) {
  Shape({{1, 3, 1, 4}});
  EXPECT_EQ(Build(), (std::vector<Piece>{{4, 0, 0, 0},
                                         {0, 0, 1, 3},
                                         {0, 0, 4, 1},
                                         {6, 0, 5, 2},
                                         {5, 4, 0, 1},
                                         {1, 4, 1, 3},
                                         {1, 4, 4, 1},
                                         {7, 4, 5, 3},
                                         {2, 1, 0, 3},
                                         {3, 1, 5, 3}}));
  // Runs of 5, 7 and 2 cells: 3 + 2, 3 + 3 + 1, 2.
  Shape({{0, 6, 3, 7}});
  std::vector<Piece> left;
  for (const Piece& p : Build())
    if (p.kind == 0 || p.kind == 2) left.push_back(p);
  EXPECT_EQ(left, (std::vector<Piece>{
                      {0, -1, 3, 3}, {0, -1, 6, 2}, {2, 0, 2, 3}, {2, 3, 2, 3}, {2, 6, 2, 1}}));
  Shape({{4, 5, 4, 4}});
  EXPECT_EQ(Build()[1], (Piece{0, 3, 4, 1}));
}

TEST_F(FrameBuild, OneCellStepGetsAnInnerCornerAndTwoCornersBesideIt) {
  Shape({{2, 4, 1, 1}, {1, 4, 2, 3}});
  const std::vector<Piece> pieces = Build();
  auto has = [&](const Piece& p) {
    return std::find(pieces.begin(), pieces.end(), p) != pieces.end();
  };
  EXPECT_TRUE(has({7, 1, 1, 3}));  // the bend: usable to its right and below
  EXPECT_TRUE(has({4, 1, 0, 0}));
  EXPECT_TRUE(has({4, 0, 1, 0}));
  EXPECT_TRUE(has({2, 2, 0, 3}));  // the top run of row 0 starts at column 2
  EXPECT_FALSE(has({2, 1, 0, 1}));
}

TEST_F(FrameBuild, SlotsNotchesAndEnclosedHolesLeaveGapsInTheFrame) {
  // Rows 2..4 of columns 2..8 with an enclosed hole at (5, 3), then a notch at (5, 2).
  Shape({{2, 8, 2, 4}});
  board->usable[5][3] = 0;
  std::vector<Piece> pieces = Build();
  std::vector<Piece> top;
  for (const Piece& p : pieces)
    if (p.kind == 2) top.push_back(p);
  EXPECT_EQ(top, (std::vector<Piece>{{2, 2, 1, 3}, {2, 5, 1, 3}, {2, 8, 1, 1}}));
  for (const Piece& p : pieces) EXPECT_FALSE(p.x == 5 && p.y == 3) << "the enclosed hole";

  board->usable[5][3] = 1;
  board->usable[5][2] = 0;  // a notch: usable on three sides
  top.clear();
  for (const Piece& p : Build())
    if (p.kind == 2) top.push_back(p);
  EXPECT_EQ(top, (std::vector<Piece>{{2, 2, 1, 3}, {2, 6, 1, 3}}));
}

TEST_F(FrameBuild, NoUsableCellGivesNoPieceAndBuildingReplacesTheLevelsPieces) {
  board->frameList = CreateList<FrameElementPtr>();
  board->frameList->AddLast(std::make_shared<TFrameElement>());
  Shape({});
  EXPECT_TRUE(Build().empty());
  Shape({{3, 5, 3, 5}});
  const std::vector<Piece> first = Build();
  EXPECT_EQ(Build(), first);
  EXPECT_EQ(first.size(), 8u);
}

}  // namespace
