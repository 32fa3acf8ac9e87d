// The board's shape and pre-placed runes read from a level file, emptying the board, its used
// extent, and whether the mouse counts as on the board.
#include <gtest/gtest.h>

#include "game_pieces/pieces_fixtures.h"
#include "platform/system.h"

using namespace pieces;

namespace {

class BoardModel : public testing::Test {
 protected:
  void SetUp() override { MakeSingletons(); }
  std::vector<int> Row(const BoardLayer& layer, int y) {
    std::vector<int> row;
    for (int x = 0; x < kBoardCells; ++x) row.push_back(layer[x][y]);
    return row;
  }
};

TEST_F(BoardModel, NewBoardHasItsDefaults) {
  TBoardManager b;
  EXPECT_EQ(b.cellSize, 32);
  EXPECT_EQ(b.originX, 240);
  EXPECT_EQ(b.originY, 60);
  EXPECT_EQ(b.petrifyTime, 15000);
  EXPECT_EQ(b.alpha, 0.0f);
  EXPECT_EQ(b.frameList, nullptr);
  EXPECT_EQ(b.usable[3][3], 0);
  EXPECT_EQ(b.backgroundPath, bundleDir + "gfx/bg/deski/deska-1.png");
  EXPECT_EQ(b.saveBoard(), 0);
}

TEST_F(BoardModel, RowsOfTheShapeAreReadItemByItem) {
  struct Case {
    const char16_t* text;
    std::vector<int> row;
  };
  const std::vector<int> full(15, 1);
  for (const Case& c : {
           Case{u"0 0 1 1 1 1 1 1 1 1 1 1 1 0 0", {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0}},
           Case{u"1 1 1", full},  // the columns past the last item keep their value
           Case{u"0  1", {0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
           Case{u"1x x 2 -1", {1, 0, 2, -1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
           Case{u"", full},
           // Items past the fifteenth column are dropped.
           Case{u"0 0 0 0 0 0 0 0 0 0 0 0 0 0 0 ", std::vector<int>(15, 0)},
           Case{u"1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 0 0 0 0", full},
       }) {
    board->clearBoard();
    board->setLine(4, c.text);
    EXPECT_EQ(Row(board->usable, 4), c.row) << ToUtf8(c.text);
    EXPECT_EQ(Row(board->usable, 5), full);
  }
}

TEST_F(BoardModel, LoadBoardEmptiesTheBoardAndReadsTheShape) {
  board->runeIds[2][2] = 7;
  board->colours[2][2] = 3;
  board->placedAt[2][2] = 99;
  board->highlights[1][1] = 2;
  board->petrifyMarks[1][1] = 1;
  board->cellSize = 40;
  board->petrifyRunning = 1;
  board->gameOver = 1;
  board->originX = 111;
  board->loadBoard(Store("Board { Line1 = \"0 1 0\" Line15 = \"1 1 0\" }"));
  EXPECT_EQ(Row(board->usable, 0)[0], 0);
  EXPECT_EQ(Row(board->usable, 0)[2], 0);
  EXPECT_EQ(Row(board->usable, 14)[2], 0);
  EXPECT_EQ(Row(board->usable, 7), std::vector<int>(15, 1));
  EXPECT_EQ(board->runeIds[2][2] + board->colours[2][2] + board->placedAt[2][2], 0);
  EXPECT_EQ(board->highlights[1][1] + board->petrifyMarks[1][1], 0);
  EXPECT_EQ(board->cellSize, 32);
  EXPECT_EQ(board->alpha, -0.3f);
  EXPECT_EQ(board->scale, 1.0f);
  EXPECT_EQ(board->petrifyRunning, 0);
  EXPECT_EQ(board->lastPetrify, MilliSecs());
  EXPECT_EQ(board->gameOver, 1);  // left to the level set-up
  EXPECT_EQ(board->originX, 111);
}

TEST_F(BoardModel, LevelWithoutABoardGroupGivesAFullBoard) {
  board->usable[0][0] = 0;
  std::string out = Output([] { board->loadBoard(Store("Settings { Level { Number = 3 } }")); });
  for (int y = 0; y < 15; ++y) EXPECT_EQ(Row(board->usable, y), std::vector<int>(15, 1));
  EXPECT_EQ(CountOf(out, "does not exist"), 15);
  EXPECT_NE(out.find("The key Board::Line15 does not exist"), std::string::npos);
}

TEST_F(BoardModel, PrePlacedRunesTakeTheirColourAndTheTimeOfTheLoad) {
  AddRune("5", "4", kRed);
  AddRune("0", "9", kRed);  // an id 0 in the catalogue colours the empty items
  board->clearBoard();
  headless::AdvanceClock(1234);
  board->loadRunes(Store(
      "Runes { Read = \"1\" Line2 = \"0 5\" "
      "Line5 = \"0 0 3 3 0 0 0 0 0 0 0 0 0 0 0 07 5\" }"));
  const int now = MilliSecs();
  EXPECT_EQ(board->runeIds[1][1], 5);
  EXPECT_EQ(board->colours[1][1], 4);
  EXPECT_EQ(board->placedAt[1][1], now);
  EXPECT_EQ(board->runeIds[0][1], 0);
  EXPECT_EQ(board->colours[0][1], 9);
  EXPECT_EQ(board->placedAt[0][1], now);
  EXPECT_EQ(board->placedAt[2][1], 0);  // past the row's last item: untouched
  EXPECT_EQ(Row(board->runeIds, 4),
            (std::vector<int>{0, 0, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(board->colours[2][4], 0);  // 3 is not in the catalogue
  EXPECT_EQ(board->placedAt[14][4], now);
}

TEST_F(BoardModel, RunesAreReadOnlyWhenReadIsExactlyOne) {
  for (const char* read :
       {"Read = \"0\"", "Read = \"yes\"", "Read = \"1 \"", "Read = \" 1\"", ""}) {
    board->clearBoard();
    Output([&] { board->loadRunes(Store(std::string("Runes { ") + read + " Line1 = \"4 4\" }")); });
    EXPECT_EQ(board->runeIds[0][0], 0) << read;
    EXPECT_EQ(board->placedAt[0][0], 0) << read;
  }
  board->loadRunes(Store("Runes { Read = 1 Line1 = \"4 4\" }"));  // a number reads as "1"
  EXPECT_EQ(board->runeIds[1][0], 4);
}

TEST_F(BoardModel, UsedExtentAndItsMiddle) {
  struct Case {
    int left, right, top, bottom, cellSize, middleX, middleY;
  };
  for (const Case& c : {Case{0, 14, 0, 14, 32, 240, 240}, Case{2, 11, 3, 3, 32, 224, 112},
                        Case{0, 4, 1, 2, 40, 100, 80}, Case{2, 12, 0, 10, 40, 300, 220}}) {
    for (auto& column : board->usable) column.fill(0);
    for (int x = c.left; x <= c.right; ++x) board->usable[x][c.top] = 1;
    for (int y = c.top; y <= c.bottom; ++y) board->usable[c.left][y] = 1;
    board->cellSize = c.cellSize;
    EXPECT_EQ(board->getWidth(), c.right - c.left + 1);
    EXPECT_EQ(board->getHeight(), c.bottom - c.top + 1);
    EXPECT_EQ(board->minColumn, c.left);
    EXPECT_EQ(board->maxRow, c.bottom);
    EXPECT_EQ(board->GetMiddleX(), c.middleX);
    EXPECT_EQ(board->GetMiddleY(), c.middleY);
  }
  for (auto& column : board->usable) column.fill(0);
  EXPECT_EQ(board->getWidth(), 0);
  EXPECT_EQ(board->getHeight(), 0);
  EXPECT_EQ(board->minColumn, 14);
  EXPECT_EQ(board->maxColumn, 0);
}

TEST_F(BoardModel, MouseIsOnTheBoardOverACellOrASideNeighbourOfOne) {
  board->originX = 252;
  board->originY = 60;
  for (auto& column : board->usable) column.fill(0);
  board->usable[5][5] = 1;
  struct Case {
    int x, y, on;
  };
  auto at = [](int cx, int cy) { return std::pair<int, int>{252 + cx * 32 + 4, 60 + cy * 32 + 4}; };
  for (const Case& c : {Case{5, 5, 1}, Case{5, 4, 1}, Case{5, 6, 1}, Case{4, 5, 1}, Case{6, 5, 1},
                        Case{4, 4, 0}, Case{6, 6, 0}, Case{9, 9, 0}}) {
    auto [x, y] = at(c.x, c.y);
    PutMouse(x, y);
    EXPECT_EQ(board->MouseOnBoard(), c.on) << c.x << "," << c.y;
  }
  board->usable[0][0] = 1;
  PutMouse(252 - 20, 60 - 20);  // truncates to cell (0, 0)
  EXPECT_EQ(board->MouseOnBoard(), 1);
  PutMouse(252 - 40, 60);
  EXPECT_EQ(board->MouseOnBoard(), 0);
}

}  // namespace
