// The board image: cell size and centring by the used extent, the background picture of the
// level, the holes cut from it, and the board's own pictures.
#include <gtest/gtest.h>

#include "game_pieces/pieces_fixtures.h"

using namespace pieces;

namespace {

constexpr uint32_t kSand = 0xFFC8A050u;

class BoardImage : public testing::Test {
 protected:
  void SetUp() override {
    MakeSingletons();
    board->clearBoard();
  }
  void Shape(int left, int right, int top, int bottom) {
    for (auto& column : board->usable) column.fill(0);
    for (int x = left; x <= right; ++x)
      for (int y = top; y <= bottom; ++y) board->usable[x][y] = 1;
  }
};

TEST_F(BoardImage, CellSizeAndCentringFollowTheUsedCells) {
  SavePicture("gfx/bg/deski/deska-1.jpg", 480, 480, kSand, false);
  struct Case {
    int left, right, top, bottom, cellSize, originX, originY;
  };
  for (const Case& c : {Case{0, 14, 0, 14, 32, 252, 60}, Case{0, 11, 0, 11, 40, 252, 60},
                        Case{0, 11, 0, 12, 32, 492 - 192, 300 - 208},
                        Case{2, 12, 0, 11, 40, 192, 60}, Case{1, 13, 0, 14, 32, 252, 60},
                        Case{0, 4, 0, 4, 40, 392, 200}}) {
    SCOPED_TRACE(c.left * 100 + c.right);
    Shape(c.left, c.right, c.top, c.bottom);
    board->cellSize = 32;
    board->createBoardImage(1);
    EXPECT_EQ(board->cellSize, c.cellSize);
    EXPECT_EQ(board->originX, c.originX);
    EXPECT_EQ(board->originY, c.originY);
    // The image covers 480 pixels square whatever the cell size.
    EXPECT_EQ(ImageWidth(board->boardImage), 480);
    EXPECT_EQ(ImageHeight(board->boardImage), 480);
    EXPECT_EQ(board->workPixmap, nullptr);
  }
}

TEST_F(BoardImage, WithoutRecentringTheCellSizeAndOriginStay) {
  SavePicture("gfx/bg/deski/deska-1.jpg", 480, 480, kSand, false);
  Shape(0, 4, 0, 4);
  board->originX = 10;
  board->originY = 20;
  board->createBoardImage(0);
  EXPECT_EQ(board->cellSize, 32);
  EXPECT_EQ(board->originX, 10);
  EXPECT_EQ(board->usedWidth, 5);  // the extents are measured all the same
  EXPECT_EQ(ImageWidth(board->boardImage), 480);
  board->createSmallBoardImage();
  EXPECT_EQ(board->originY, 20);
  EXPECT_EQ(board->cellSize, 32);
}

TEST_F(BoardImage, HolesOfTheShapeAreCutFromTheBackground) {
  SavePicture("gfx/bg/deski/deska-1.jpg", 500, 500, kSand, false);
  board->ghostImage32 = LoadImage(CreatePixmap(3, 3), 0);
  board->ghostImage40 = LoadImage(CreatePixmap(4, 4), 0);
  Shape(1, 12, 0, 11);  // column 12 lies past the 40-pixel image: no square behind it
  board->usable[2][0] = 0;
  board->createBoardImage(1);
  ASSERT_EQ(board->cellSize, 40);
  EXPECT_EQ(board->originX, 492 - 280);  // (1 + 12 / 2) x 40
  EXPECT_EQ(board->ghostImage, board->ghostImage40);
  struct Case {
    int x, y;
    bool opaque;
  };
  auto check = [](const ImagePtr& image, std::initializer_list<Case> cases) {
    ASSERT_TRUE(image);
    for (const Case& c : cases) {
      const uint32_t px = ReadPixel(image->frames[0], c.x, c.y);
      EXPECT_EQ(px, c.opaque ? kSand : 0x00FF00FFu) << c.x << "," << c.y;
    }
  };
  // The picture behind a cell is the part of the background at the cell's own grid place.
  check(board->boardImage, {{0, 0, false}, {39, 479, false}, {40, 0, true}, {79, 39, true},
                            {80, 0, false}, {119, 39, false}, {120, 0, true}, {80, 40, true},
                            {479, 479, true}});
  // The background itself is never changed.
  EXPECT_EQ(ReadPixel(board->backgroundPixmap, 90, 10), kSand);
  int r = 0, g = 0, b = 0;
  GetMaskColor(r, g, b);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{255, 0, 255}));

  board->createSmallBoardImage();  // the preview: 32-pixel cells over 15 cells
  EXPECT_EQ(board->ghostImage, board->ghostImage32);
  EXPECT_EQ(ImageWidth(board->boardImage), 480);
  check(board->boardImage, {{31, 0, false}, {32, 0, true}, {64, 0, false}, {96, 0, true},
                            {12 * 32, 11 * 32, true}, {13 * 32, 11 * 32, false},
                            {12 * 32, 12 * 32, false}});
}

TEST_F(BoardImage, BackgroundPictureFollowsTheLevelNumber) {
  struct Case {
    int level, picture;
  };
  for (const Case& c : {Case{0, 1}, Case{9, 1}, Case{17, 9}, Case{4, 5}}) {
    SavePicture("gfx/bg/deski/deska-" + std::to_string(c.picture) + ".jpg", 480, 480,
                0xFF000000u | static_cast<uint32_t>(c.picture * 20), false);
    level->levelNumber = c.level;
    board->createBoardImage(1);
    EXPECT_EQ(board->backgroundPath,
              bundleDir + "gfx/bg/deski/deska-" + std::to_string(c.picture) + ".jpg");
    EXPECT_EQ(ReadPixel(board->boardImage->frames[0], 5, 5) & 255u,
              static_cast<uint32_t>(c.picture * 20));
  }
}

TEST_F(BoardImage, MissingBackgroundIsReportedAndTheBoardHasNoImage) {
  Shape(0, 9, 0, 9);
  level->levelNumber = 2;
  std::string out = Output([] { board->createBoardImage(1); });
  EXPECT_NE(out.find("Board background not found: " + bundleDir + "gfx/bg/deski/deska-3.jpg"),
            std::string::npos)
      << out;
  EXPECT_EQ(board->boardImage, nullptr);
  EXPECT_EQ(board->backgroundPixmap, nullptr);
  EXPECT_EQ(board->workPixmap, nullptr);
  EXPECT_EQ(board->cellSize, 40);  // the board is still laid out
  EXPECT_EQ(board->originX, 492 - 200);
}

TEST_F(BoardImage, MagentaIsTheMaskColourAfterwardsWithOrWithoutTheBackground) {
  Shape(0, 9, 0, 9);
  level->levelNumber = 0;
  for (bool withBackground : {false, true}) {
    SCOPED_TRACE(withBackground);
    if (withBackground) SavePicture("gfx/bg/deski/deska-1.jpg", 480, 480, kSand, false);
    SetMaskColor(0, 0, 0);
    Output([] { board->createBoardImage(1); });
    EXPECT_EQ(board->boardImage != nullptr, withBackground);
    int r = -1, g = -1, b = -1;
    GetMaskColor(r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 0);
    EXPECT_EQ(b, 255);
  }
}

TEST_F(BoardImage, FramePicturesFillTheirTablesByLengthOrCornerAndVariant) {
  // Every picture gets its own width, so each table entry can be traced to its file.
  struct Entry {
    int table, row, column;
    std::string file;
  };
  std::vector<Entry> entries;
  const char* variants = "abc";
  for (int length = 1; length <= 3; ++length)
    for (int v = 0; v < (length == 3 ? 3 : 2); ++v) {
      const std::string stem = std::to_string(length) + variants[v];
      entries.push_back({0, length, v, stem + ".png"});
      entries.push_back({1, length, v, stem + "-p.png"});
    }
  const char* corners[4] = {"lg", "rg", "ld", "rd"};
  const char* cornerVariants[3] = {"", "_v2", "_v3"};
  for (int corner = 0; corner < 4; ++corner)
    for (int v = 0; v < 3; ++v)
      entries.push_back(
          {2, corner, v, std::string("1b-") + corners[corner] + cornerVariants[v] + ".png"});
  ASSERT_EQ(entries.size(), 26u);
  for (size_t k = 0; k < entries.size(); ++k) {
    SavePicture("gfx/ramka/" + entries[k].file, 1 + static_cast<int>(k), 2, kSand);
    SavePicture("gfx/ramka-40x40/" + entries[k].file, 100 + static_cast<int>(k), 2, kSand);
  }
  SavePicture("gfx/runy/ghost.png", 7, 7, kSand);
  SavePicture("gfx/runy-40x40/ghost.png", 9, 9, kSand);

  board->loadBoardGfx();
  int loaded = 0;
  for (const auto& table : board->frameImages)
    for (const auto& row : table)
      for (const ImagePtr& image : row) loaded += image != nullptr;
  EXPECT_EQ(loaded, 52);
  for (size_t k = 0; k < entries.size(); ++k) {
    const Entry& e = entries[k];
    EXPECT_EQ(ImageWidth(board->frameImages[e.table][e.row][e.column]), 1 + int(k)) << e.file;
    EXPECT_EQ(ImageWidth(board->frameImages[e.table + 3][e.row][e.column]), 100 + int(k)) << e.file;
  }
  EXPECT_EQ(board->frameImages[0][1][0]->flags, 7);
  EXPECT_EQ(ImageWidth(board->ghostImage32), 7);
  EXPECT_EQ(ImageWidth(board->ghostImage40), 9);
  EXPECT_EQ(board->ghostImage, board->ghostImage32);
}

TEST_F(BoardImage, MissingSoundsAndStoneLeaveEmptyFieldsWithoutAMessage) {
  SavePicture("gfx/gwiazdki/stone.png", 20, 10, kSand);
  std::string out = Output([] { board->loadSfx(); });
  EXPECT_EQ(out, "");
  EXPECT_EQ(board->explosionSound, nullptr);
  EXPECT_EQ(board->comboSounds[0], board->comboSounds[1]);
  ASSERT_TRUE(board->stoneImage);
  EXPECT_EQ(board->stoneImage->handleX, 10.0f);  // drawn about its centre
  EXPECT_EQ(board->stoneImage->handleY, 5.0f);
}

}  // namespace
