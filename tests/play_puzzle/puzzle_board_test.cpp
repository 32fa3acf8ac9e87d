// The puzzle's pieces and board: flights and their curves, marking and swapping, clicks lost
// in flight, landings home, the shuffle on the virtual clock, the solved region's outline.
#include "puzzle_fixtures.h"

namespace puzzle_test {
namespace {

class PuzzleBoard : public testing::Test {
 protected:
  void SetUp() override {
    MakeGame();
    // 4 x 3 pieces of 167 x 164 from (65, 53).
    puzzle->Create(FromPath(WritePicture("p.png", 670, 494, Argb(255, 90, 120, 200))), 4, 3);
  }

  // Clicks at the centre of `piece` and runs the board's frame once with that click seen.
  int ClickAndStep(const PuzzleButtonPtr& piece) {
    MoveMouse(static_cast<int>(piece->dim->x + piece->dim->width / 2),
              static_cast<int>(piece->dim->y + piece->dim->height / 2));
    mouse->hit1 = 1;
    const int result = puzzle->grid->State();
    mouse->hit1 = 0;
    return result;
  }
};

TEST_F(PuzzleBoard, CreateCutsTheBoardIntoWholePixelCellsWithPiecesAtHome) {
  struct Case {
    int cols, rows;
    float cellWidth, cellHeight;
  } cases[] = {{6, 5, 111, 98}, {8, 6, 83, 82}, {8, 8, 83, 61}, {5, 4, 134, 123}};
  for (const Case& c : cases) {
    puzzle->grid->Clear();
    puzzle->Create(S(""), c.cols, c.rows);
    EXPECT_EQ(puzzle->grid->cellWidth, c.cellWidth) << c.cols;
    EXPECT_EQ(puzzle->grid->cellHeight, c.cellHeight) << c.rows;
    ASSERT_EQ(puzzle->grid->cells->Count(), c.cols * c.rows);
    PuzzleButtonPtr last = Piece(c.cols * c.rows - 1);
    EXPECT_EQ(last->cell, c.cols * c.rows - 1);
    EXPECT_EQ(last->frame, c.cols * c.rows - 1);
    EXPECT_EQ(last->dim->x, 65 + (c.cols - 1) * c.cellWidth);
    EXPECT_EQ(last->dim->y, 53 + (c.rows - 1) * c.cellHeight);
  }
}

TEST_F(PuzzleBoard, AFlightBendsByItsSideAndLandsOnTheTwentyFifthMove) {
  struct Case {
    int from, to, bend;
    float p1x, p1y, p2x, p2y;  // relative to the start and the end corner
  } cases[] = {
      {0, 1, 1, 0, -40, 0, -40},  {0, 1, -1, 0, 40, 0, 40},   // along a row
      {0, 4, 1, -40, 0, -40, 0},  {0, 4, -1, 40, 0, 40, 0},   // along a column
      {0, 5, 1, 150, 0, 150, 0},  {0, 5, -1, -150, 0, -150, 0},  // diagonal
  };
  for (const Case& c : cases) {
    Arrange({c.from});
    PuzzleButtonPtr piece = Piece(0);
    const float sx = piece->dim->x, sy = piece->dim->y;
    piece->targetCell = c.to;
    piece->Prepare(c.bend);
    EXPECT_EQ(piece->p1x - sx, c.p1x) << c.to << " " << c.bend;
    EXPECT_EQ(piece->p1y - sy, c.p1y) << c.to << " " << c.bend;
    EXPECT_EQ(piece->p2x - piece->p3x, c.p2x) << c.to << " " << c.bend;
    EXPECT_EQ(piece->p2y - piece->p3y, c.p2y) << c.to << " " << c.bend;
    for (int step = 1; step < 25; ++step) {
      piece->Move();
      EXPECT_EQ(piece->IsFlying(), 1) << step;
    }
    piece->Move();
    EXPECT_EQ(piece->cell, c.to);
    EXPECT_EQ(piece->IsFlying(), 0);
    EXPECT_EQ(piece->dim->x, 65 + (c.to % 4) * 167.0f);
    EXPECT_EQ(piece->dim->y, 53 + (c.to / 4) * 164.0f);
  }
}

TEST_F(PuzzleBoard, TwoMarkedPiecesSwapAndClicksInFlightAreLost) {
  Arrange({1, 0, 3, 2, 5, 4, 7, 6, 9, 8, 11, 10});
  EXPECT_EQ(ClickAndStep(Piece(0)), 0);
  EXPECT_EQ(Piece(0)->marked, 1);
  EXPECT_EQ(puzzle->clicks, 1);
  // A second click on the same piece unmarks it, and still counts.
  EXPECT_EQ(ClickAndStep(Piece(0)), 0);
  EXPECT_EQ(Piece(0)->marked, 0);
  EXPECT_EQ(puzzle->clicks, 2);
  ClickAndStep(Piece(0));
  EXPECT_EQ(ClickAndStep(Piece(1)), 1);  // the swap starts in the clicking frame
  EXPECT_EQ(Piece(0)->marked + Piece(1)->marked, 0);
  EXPECT_EQ(Piece(0)->IsFlying() + Piece(1)->IsFlying(), 2);
  EXPECT_EQ(Piece(0)->p1y - Piece(0)->p0y, -40.0f);  // first in list order bends +1
  EXPECT_EQ(Piece(1)->p1y - Piece(1)->p0y, 40.0f);
  EXPECT_EQ(puzzle->clicks, 3 + 1);
  // While they fly no click counts.
  ClickAndStep(Piece(4));
  EXPECT_EQ(Piece(4)->marked, 0);
  EXPECT_EQ(puzzle->clicks, 4);
  for (int frame = 2; frame <= 25; ++frame) puzzle->grid->State();
  EXPECT_EQ(Piece(0)->IsInPlace() + Piece(1)->IsInPlace(), 2);
  EXPECT_EQ(Piece(0)->enabled + Piece(1)->enabled, 0);  // both locked on landing
  EXPECT_EQ(ClickAndStep(Piece(0)), 0);  // a locked piece reports nothing
  EXPECT_EQ(puzzle->clicks, 4);
}

TEST_F(PuzzleBoard, TheShuffleShowsThePictureFor50MsThenSwapsOncePerFrameUntilNoneIsHome) {
  std::vector<int> homeCounts;
  headless::SetFrameCallback([&](int) {
    int home = 0;
    for (int i = 0; i < 12; ++i) home += Piece(i)->IsInPlace();
    homeCounts.push_back(home);
  });
  puzzle->grid->Scramble(nullptr);
  headless::SetFrameCallback(nullptr);
  EXPECT_EQ(puzzle->grid->IsScrambled(), 1);
  // Frames of 16, 17 and 17 ms: the first three show the whole picture.
  ASSERT_GE(homeCounts.size(), 4u);
  EXPECT_EQ(homeCounts[0], 12);
  EXPECT_EQ(homeCounts[1], 12);
  EXPECT_EQ(homeCounts[2], 12);
  for (size_t i = 3; i < homeCounts.size(); ++i)
    EXPECT_LE(std::abs(homeCounts[i] - homeCounts[i - 1]), 2) << "one swap a frame";
  std::vector<bool> taken(12, false);
  for (int i = 0; i < 12; ++i) taken[static_cast<size_t>(Piece(i)->cell)] = true;
  EXPECT_EQ(std::count(taken.begin(), taken.end(), true), 12);
}

TEST_F(PuzzleBoard, TheOutlineFollowsTheSolvedRegionInsideItsCells) {
  TPuzzleGrid& g = *puzzle->grid;
  const uint32_t colours[8] = {Argb(255, 255, 0, 0),   Argb(255, 0, 255, 0),
                               Argb(255, 0, 0, 255),   Argb(255, 255, 255, 0),
                               Argb(255, 255, 0, 255), Argb(255, 0, 255, 255),
                               Argb(255, 128, 0, 0),   Argb(255, 0, 128, 0)};
  for (int i = 0; i < 8; ++i) {
    const bool side = i >= 4;
    const bool vertical = i == 4 || i == 6;
    g.shadowImages[static_cast<size_t>(i)] =
        test_support::SolidImage(side ? (vertical ? 7 : 82) : 7, side ? (vertical ? 82 : 7) : 7,
                                 colours[i]);
  }
  // An L of three solved cells at the top-left corner: cells 0, 1 and 4.
  Arrange({0, 1, 3, 2, 4, 6, 5, 8, 7, 11, 9, 10});
  g.doMatrix();
  Cls();
  g.Draw();
  auto at = [](int x, int y) { return test_support::ScreenPixel(x, y) & 0xFFFFFF; };
  const int l = 65, t = 53, w = 167, h = 164;
  EXPECT_EQ(at(l + 1, t + 1), colours[0] & 0xFFFFFF) << "outer corner on the board edge";
  EXPECT_EQ(at(l + 1, t + 80), colours[4] & 0xFFFFFF) << "left side along the board edge";
  EXPECT_EQ(at(l + w + 80, t + 1), colours[5] & 0xFFFFFF) << "top side of the second cell";
  EXPECT_EQ(at(l + w + 80, t + h - 2), colours[7] & 0xFFFFFF) << "bottom of the second cell";
  // The bend: cell 0 has solved neighbours right and down, and the diagonal is open.
  EXPECT_EQ(at(l + w - 2, t + h - 2), colours[3] & 0xFFFFFF) << "inner corner faces cell 5";
  EXPECT_NE(at(l + w - 2, t + 80), colours[6] & 0xFFFFFF) << "no line between solved cells";
}

}  // namespace
}  // namespace puzzle_test

namespace puzzle_test {
namespace {

class PuzzleHints : public testing::Test {
 protected:
  void SetUp() override {
    MakeGame();
    puzzle->Create(String(), 3, 2);
  }
};

TEST_F(PuzzleHints, ARequestedHintPicksAPairWhoseSwapPutsOneHome) {
  Arrange({0, 1, 2, 3, 5, 4});  // only pieces 4 and 5 are away from home
  THints hints;
  for (int round = 0; round < 5; ++round) {
    hints.Hide();
    hints.show(puzzle->grid, THints::kRequested, 0, 0);
    ASSERT_EQ(hints.active, 1);
    const std::pair<int, int> first{hints.firstX, hints.firstY};
    const std::pair<int, int> second{hints.secondX, hints.secondY};
    const std::pair<int, int> at4{static_cast<int>(Piece(4)->dim->x), static_cast<int>(Piece(4)->dim->y)};
    const std::pair<int, int> at5{static_cast<int>(Piece(5)->dim->x), static_cast<int>(Piece(5)->dim->y)};
    EXPECT_TRUE((first == at4 && second == at5) || (first == at5 && second == at4));
  }
}

TEST_F(PuzzleHints, NoHintOnASolvedBoardAndNoneOverAShownOne) {
  THints hints;
  hints.show(puzzle->grid, THints::kRequested, 0, 0);
  EXPECT_EQ(hints.active, 0);
  Arrange({1, 0, 3, 2, 5, 4});
  hints.show(puzzle->grid, THints::kOpening, 2, 2);  // one piece twice: nothing moves
  EXPECT_EQ(hints.active, 1);
  EXPECT_EQ(Piece(2)->cell, 3);
  const int x = hints.firstX;
  hints.show(puzzle->grid, THints::kOpening, 0, 4);
  EXPECT_EQ(hints.firstX, x);  // the shown hint stays
  EXPECT_EQ(Piece(0)->cell, 1);
}

TEST_F(PuzzleHints, TheOpeningHintPutsItsPiecesOnEachOthersHome) {
  Arrange({1, 2, 0, 4, 5, 3});
  THints hints;
  hints.show(puzzle->grid, THints::kOpening, 0, 3);
  EXPECT_EQ(Piece(0)->cell, 3);
  EXPECT_EQ(Piece(3)->cell, 0);
  // The cells stay a permutation.
  std::vector<int> cells;
  for (int i = 0; i < 6; ++i) cells.push_back(Piece(i)->cell);
  std::sort(cells.begin(), cells.end());
  EXPECT_EQ(cells, (std::vector<int>{0, 1, 2, 3, 4, 5}));
}

}  // namespace
}  // namespace puzzle_test
