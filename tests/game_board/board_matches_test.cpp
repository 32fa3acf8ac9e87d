// Runs of three or more of one colour along rows and columns, as lines or as highlights.
#include "board_play_fixtures.h"

using namespace play;

namespace {

struct Line {
  int x1, y1, x2, y2;
  bool operator==(const Line&) const = default;
};

std::vector<Line> Lines() {
  std::vector<Line> out;
  if (board->lines)
    for (const LinePtr& l : *board->lines) out.push_back({l->x1, l->y1, l->x2, l->y2});
  return out;
}

// Writes colour numbers along row `y` (or column `y` when `vertical`) from index 0.
void Colours(int y, const std::vector<int>& colours, bool vertical = false) {
  for (size_t k = 0; k < colours.size(); ++k) {
    if (vertical) {
      board->colours[y][k] = colours[k];
    } else {
      board->colours[k][y] = colours[k];
    }
  }
}

class Matches : public testing::Test {
 protected:
  void SetUp() override {
    MakePlay();
    board->lines = CreateList<LinePtr>();
  }
};

TEST_F(Matches, RunsAlongARowAndAlongAColumn) {
  struct Case {
    const char* what;
    std::vector<int> colours;
    std::vector<std::pair<int, int>> runs;
  };
  const std::vector<Case> cases = {
      {"empty", {}, {}},
      {"two", {1, 1}, {}},
      {"three", {1, 1, 1}, {{0, 2}}},
      {"full line", std::vector<int>(15, 4), {{0, 14}}},
      {"two colours back to back", {1, 1, 1, 2, 2, 2}, {{0, 2}, {3, 5}}},
      {"gap between threes", {0, 3, 3, 3, 0, 3, 3, 3}, {{1, 3}, {5, 7}}},
      {"two, gap, two", {2, 2, 0, 2, 2}, {}},
      {"other colour breaks", {5, 5, 1, 5, 5, 5, 5}, {{3, 6}}},
      {"run to the far edge", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 2, 2}, {{11, 14}}},
      {"five runs", {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5},
       {{0, 2}, {3, 5}, {6, 8}, {9, 11}, {12, 14}}},
  };
  for (bool vertical : {false, true}) {
    for (const Case& c : cases) {
      board->clearBoard();
      board->lines->Clear();
      Colours(6, c.colours, vertical);
      board->checkForHorizontalMatch(1);
      board->checkForVerticalMatch(1);
      std::vector<Line> expected;
      for (auto [s, e] : c.runs)
        expected.push_back(vertical ? Line{6, s, 6, e} : Line{s, 6, e, 6});
      EXPECT_EQ(Lines(), expected) << c.what << (vertical ? " (column)" : " (row)");
    }
  }
}

TEST_F(Matches, HolesDoNotEndARunOnlyColoursDo) {
  Colours(2, {4, 4, 4});
  board->usable[1][2] = 0;  // a preset rune on a hole still counts
  board->checkForHorizontalMatch(1);
  EXPECT_EQ(Lines(), (std::vector<Line>{{0, 2, 2, 2}}));
}

TEST_F(Matches, RowLinesComeBeforeColumnLinesAndACrossingLiesInBoth) {
  // A plus of colour 2 centred on (5, 5), and a row of three lower down.
  Colours(5, {0, 0, 0, 0, 2, 2, 2});
  board->colours[5][4] = 2;
  board->colours[5][6] = 2;
  Colours(9, {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1});
  board->checkForHorizontalMatch(1);
  board->checkForVerticalMatch(1);
  EXPECT_EQ(Lines(), (std::vector<Line>{{4, 5, 6, 5}, {9, 9, 11, 9}, {5, 4, 5, 6}}));
}

TEST_F(Matches, PreviewCopiesRunColoursIntoHighlightsOnly) {
  Colours(3, {2, 2, 2, 1, 1});
  board->colours[7][0] = 4;
  board->colours[7][1] = 4;
  board->colours[7][2] = 4;
  board->highlights[14][14] = 9;  // left alone: the preview never clears the layer
  board->checkForHorizontalMatch(0);
  board->checkForVerticalMatch(0);
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(Count(board->highlights), 7);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(board->highlights[x][3], 2);
  for (int y = 0; y < 3; ++y) EXPECT_EQ(board->highlights[7][y], 4);
  EXPECT_EQ(board->highlights[3][3], 0);
  EXPECT_EQ(board->highlights[14][14], 9);
}

}  // namespace
