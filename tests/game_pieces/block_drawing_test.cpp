// Where the held block and the next-block preview are drawn: forming, fitting, dimmed and
// turning runes, the glow's pulse, and the preview's scale and centring.
#include <gtest/gtest.h>

#include "services/delta_time.h"
#include "pieces_fixtures.h"

using namespace pieces;

namespace {

class BlockDrawing : public testing::Test {
 protected:
  void SetUp() override {
    MakeSingletons();
    OpenScreen();
    board->clearBoard();
    board->originX = 252;
    board->originY = 60;
    board->cellSize = 32;
    AddRune("1", "1", kRed);
    AddRune("2", "2", kGreen);
    AddRune("3", "3", kBlue);
    PutMouse(252 + 5 * 32 + 10, 60 + 5 * 32 + 10);  // over cell (5, 5)
    blocks->currentBlock = std::make_shared<TBlock>();
    blocks->formState = 1;
    blocks->alpha = 1.0f;
  }
  // Block cells [0, 0] red, [1, 0] green, [0, 1] blue; `fits` flags for them.
  void Block(int fitRed, int fitGreen, int fitBlue) {
    BlockPtr b = blocks->currentBlock;
    b->cells[0][0] = 1;
    b->cells[1][0] = 2;
    b->cells[0][1] = 3;
    for (auto& column : b->fits) column.fill(1);
    b->fits[0][0] = fitRed;
    b->fits[1][0] = fitGreen;
    b->fits[0][1] = fitBlue;
  }
  static constexpr int kX = 252 + 5 * 32;
  static constexpr int kY = 60 + 5 * 32;
};

TEST_F(BlockDrawing, FittingRunesStandInPlaceAndTheOthersSmallGreyAndOffset) {
  Block(1, 0, 1);
  blocks->drawBlock(0, 0);
  Box red = FindBox(Reddish);
  EXPECT_EQ(red.left, kX);
  EXPECT_EQ(red.top, kY);
  EXPECT_EQ(red.Width(), 32);
  Box green = FindBox(Greenish);
  EXPECT_EQ(green.left, kX + 32 + 5);
  EXPECT_EQ(green.top, kY + 6);
  EXPECT_NEAR(green.Width(), 22, 1);  // 0.7 of 32
  // Grey and without the glow: 190 of 255; the fitting rune is full and glows.
  PixmapPtr shot = headless::CaptureBackBuffer();
  EXPECT_EQ((ReadPixel(shot, kX + 32 + 12, kY + 12) >> 8) & 255, 190u);
  EXPECT_EQ((ReadPixel(shot, kX + 10, kY + 10) >> 16) & 255, 255u);
  Box blue = FindBox(Bluish);
  EXPECT_EQ(blue.left, kX);
  EXPECT_EQ(blue.top, kY + 32);
  float sx = 0, sy = 0;
  GetScale(sx, sy);
  EXPECT_EQ(sx, 1.0f);
}

TEST_F(BlockDrawing, StillBlockIsDrawnAtItsQuarterTurn) {
  Block(1, 1, 1);
  struct Case {
    int rotation, greenX, greenY, blueX, blueY;
  };
  for (const Case& c : {Case{1, 0, 32, -32, 0}, Case{2, -32, 0, 0, -32}, Case{3, 0, -32, 32, 0}}) {
    SCOPED_TRACE(c.rotation);
    Cls();
    blocks->rotation = blocks->targetRotation = c.rotation;
    blocks->drawBlock(200, 300);
    EXPECT_EQ(FindBox(Reddish).left, 200);
    EXPECT_EQ(FindBox(Greenish).left, 200 + c.greenX);
    EXPECT_EQ(FindBox(Greenish).top, 300 + c.greenY);
    EXPECT_EQ(FindBox(Bluish).left, 200 + c.blueX);
    EXPECT_EQ(FindBox(Bluish).top, 300 + c.blueY);
  }
}

TEST_F(BlockDrawing, TurningRunesSwingOnCirclesAboutThePivot) {
  Block(1, 1, 0);
  blocks->rotation = 0;
  blocks->targetRotation = 1;
  blocks->angle = 45;
  blocks->drawBlock(200, 300);
  EXPECT_EQ(FindBox(Greenish).left, 200 + 22);  // 32 cos 45 = 22.6
  EXPECT_EQ(FindBox(Greenish).top, 300 + 22);
  // [0, 1] at 90 + 45 degrees, and dimmed: offset (5, 6).
  EXPECT_EQ(FindBox(Bluish).left, 200 - 23 + 5);  // 32 cos 135 = -22.6 -> -22.6 + 5 + 200
  EXPECT_EQ(FindBox(Bluish).top, 300 + 22 + 6);
}

TEST_F(BlockDrawing, FormingBlockFliesInFromBelowRightAtTwiceItsSize) {
  Block(1, 1, 1);
  blocks->formState = 0;
  blocks->formStep = 1;
  blocks->alpha = 1.0f;
  blocks->drawBlock(0, 0);
  Box red = FindBox(Reddish);
  EXPECT_EQ(red.left, kX + 56);        // 60 x 14 / 15
  EXPECT_EQ(red.top, kY + 37);         // 40 x 14 / 15 = 37.3
  EXPECT_NEAR(red.Width(), 62, 1);     // 32 x (1 + 14 / 15)
  Box blue = FindBox(Bluish);
  EXPECT_EQ(blue.top, kY + 32 + 102);  // 110 x 14 / 15 = 102.7
  EXPECT_EQ(GetAlpha(), 1.0f);

  Cls();
  blocks->formStep = 15;  // in place at full size
  blocks->drawBlock(0, 0);
  EXPECT_EQ(FindBox(Reddish).left, kX);
  EXPECT_EQ(FindBox(Reddish).Width(), 32);
  EXPECT_EQ(FindBox(Greenish).left, kX + 32);
}

TEST_F(BlockDrawing, GlowPulsesOnlyWhileTheMouseIsOnTheBoard) {
  Block(1, 1, 1);
  std::vector<float> glow;
  for (int k = 0; k < 12; ++k) {
    blocks->drawBlock(0, 0);
    glow.push_back(blocks->glowAlpha);
  }
  EXPECT_FLOAT_EQ(glow[6], 0.35f);  // 0.3 is not above the bound
  EXPECT_FLOAT_EQ(glow[7], 0.325f);
  EXPECT_FLOAT_EQ(glow[11], 0.225f);
  for (int k = 0; k < 40; ++k) {
    blocks->drawBlock(0, 0);
    EXPECT_GE(blocks->glowAlpha, -0.0001f);
    EXPECT_LE(blocks->glowAlpha, 0.3501f);
  }

  // Over a hole whose four neighbours are holes too: nothing drawn, the glow stands still.
  for (auto& column : board->usable) column.fill(0);
  Cls();
  const float before = blocks->glowAlpha;
  blocks->drawBlock(0, 0);
  EXPECT_EQ(blocks->glowAlpha, before);
  EXPECT_FALSE(FindBox([](int r, int g, int b) { return r + g + b > 0; }).Found());
  board->usable[5][4] = 1;  // a neighbour is enough
  blocks->drawBlock(0, 0);
  EXPECT_TRUE(FindBox(Reddish).Found());
}

TEST_F(BlockDrawing, NextBlockPreviewIsCentredAndScaledByItsWidestRow) {
  struct Case {
    std::vector<std::pair<int, int>> cells;
    int cellSize;
    float scale;
  };
  const std::vector<std::pair<int, int>> row = {{0, 0}, {1, 0}, {2, 0}, {3, 0}};
  const std::vector<std::pair<int, int>> column = {{0, 0}, {0, 1}, {0, 2}, {0, 3}};
  for (const Case& c : {Case{row, 32, 0.5f}, Case{row, 40, 0.4f}, Case{column, 32, 0.6f},
                        Case{column, 40, 0.48f}}) {
    SCOPED_TRACE(c.cellSize * 100 + c.cells[1].first);
    Cls();
    board->cellSize = c.cellSize;
    blocks->nextBlock = std::make_shared<TBlock>();
    for (auto [x, y] : c.cells) blocks->nextBlock->cells[x][y] = 1;
    blocks->nextWidth = blocks->nextHeight = 0;
    blocks->DrawNextBlock(400, 300);
    const float wide = blocks->nextWidth * c.cellSize * c.scale;
    const float tall = blocks->nextHeight * c.cellSize * c.scale;
    Box red = FindBox(Reddish);
    EXPECT_EQ(red.left, static_cast<int>(400 - wide / 2));
    EXPECT_EQ(red.top, static_cast<int>(300 - tall / 2));
    EXPECT_NEAR(red.right + 1, 400 + wide / 2, 1.5);
    EXPECT_NEAR(red.bottom + 1, 300 + tall / 2, 1.5);
  }
}

TEST_F(BlockDrawing, PreviewDealsTheNextBlockWhenThereIsNone) {
  blocks->readShapes(Store("List { Quantity = 1 Block1 { id = \"2\" pieces = 2 "
                           "piece1 = 0, 0 piece2 = 1, 0 } }"));
  blocks->setAvailableBlocks(u"2");
  blocks->setAvailableRunes(u"3");
  blocks->formState = 1;
  blocks->DrawNextBlock(400, 300);
  ASSERT_TRUE(blocks->nextBlock);
  EXPECT_EQ(blocks->nextWidth, 2.0f);
  EXPECT_EQ(blocks->formState, 0);  // dealing restarts the forming
  // Drawn with the held block's opacity, which the deal set to 0.
  EXPECT_FALSE(FindBox(Bluish).Found());
}

}  // namespace
