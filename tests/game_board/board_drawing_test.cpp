// The board drawn into the back buffer: its picture, rune shadows and runes, the stone form
// fading in, and the frame pieces inset by 7 or 6 pixels; and the fade-in of a loaded board.
#include "board_play_fixtures.h"

using namespace play;

namespace {

ImagePtr Solid(int w, int h, uint32_t argb) {
  return LoadImage(test_support::SolidPixmap(w, h, argb), 0);
}

bool Yellowish(int r, int g, int b) { return r > 100 && g > 100 && b < 60; }
bool Greyish(int r, int g, int b) {
  return r > 30 && r < 90 && g > 30 && g < 90 && b > 30 && b < 90;
}

class BoardDrawing : public testing::Test {
 protected:
  void SetUp() override {
    MakePlay();
    pieces::OpenScreen();
    board->boardImage = Solid(480, 480, 0xFF3C3C3Cu);  // grey
    // Both sets: a green left piece of one cell and a yellow lower-right corner.
    for (size_t set : {0u, 3u}) {
      const int cs = set == 0 ? 32 : 40;
      board->frameImages[set][1][0] = Solid(10, cs, pieces::kGreen);
      board->frameImages[set + 2][3][1] = Solid(12, 12, 0xFFFFFF00u);
    }
    board->frameList = CreateList<FrameElementPtr>();
    AddPiece(0, -1, 4, 1, 0);
    AddPiece(7, 8, 8, 3, 1);  // where it fits on the screen at both sizes
    board->alpha = 1.0f;
  }
  static void AddPiece(int kind, int x, int y, int size, int id) {
    auto e = std::make_shared<TFrameElement>();
    e->kind = kind;
    e->x = x;
    e->y = y;
    e->size = size;
    e->id = id;
    board->frameList->AddLast(e);
  }
};

TEST_F(BoardDrawing, ShadowsRunesAndFrameAtBothCellSizes) {
  for (int cs : {32, 40}) {
    Cls();
    board->cellSize = cs;
    board->ghostImage = Solid(cs, cs, pieces::kBlue);
    Put(2, 3, 1);
    board->Draw(0);
    const int px = board->originX + 2 * cs;
    const int py = board->originY + 3 * cs;
    pieces::Box rune = pieces::FindBox(pieces::Reddish);
    EXPECT_EQ(rune.left, px) << cs;
    EXPECT_EQ(rune.top, py);
    EXPECT_EQ(rune.Width(), cs);
    pieces::Box shadow = pieces::FindBox(pieces::Bluish);
    EXPECT_EQ(shadow.right, px + 5 + cs - 1) << cs;
    EXPECT_EQ(shadow.bottom, py + 4 + cs - 1);
    const int inset = cs == 40 ? 6 : 7;
    pieces::Box side = pieces::FindBox(pieces::Greenish);
    EXPECT_EQ(side.left, board->originX - cs - inset) << cs;
    EXPECT_EQ(side.top, board->originY + 4 * cs);
    pieces::Box corner = pieces::FindBox(Yellowish);
    EXPECT_EQ(corner.left, board->originX + 8 * cs) << cs;
    EXPECT_EQ(corner.top, board->originY + 8 * cs);
    float sx = 0, sy = 0;
    GetScale(sx, sy);
    EXPECT_EQ(sx, 1.0f);
    EXPECT_EQ(GetAlpha(), 1.0f);
    EXPECT_EQ(pieces::FindBox(Greyish).left, board->originX);
  }
}

TEST_F(BoardDrawing, SmallDrawingKeepsThe32PixelFrameAndScalesPicturesNotCells) {
  board->cellSize = 40;
  board->ghostImage = Solid(40, 40, pieces::kBlue);
  board->runeIds[4][4] = -1;  // empty
  board->Draw(1);
  EXPECT_FALSE(pieces::FindBox(pieces::Bluish).Found());
  pieces::Box side = pieces::FindBox(pieces::Greenish);
  EXPECT_EQ(side.left, board->originX - 40 - 7);
  EXPECT_EQ(side.Width(), 10);
  EXPECT_EQ(side.bottom - side.top + 1, 32);

  // The level selector's preview: picture, runes and frame at the board's scale, cells unscaled.
  Cls();
  board->cellSize = 32;
  board->scale = 0.5f;
  board->ghostImage = nullptr;
  Put(2, 3, 1);
  board->DrawSmall();
  pieces::Box picture = pieces::FindBox(Greyish);
  EXPECT_EQ(picture.left, board->originX);
  EXPECT_EQ(picture.Width(), 240);
  pieces::Box rune = pieces::FindBox(pieces::Reddish);
  EXPECT_EQ(rune.left, board->originX + 64);
  EXPECT_EQ(rune.Width(), 16);
}

TEST_F(BoardDrawing, FrameInsetShrinksWithTheBoardScaleButCellPositionsDoNot) {
  board->scale = 0.5f;
  board->alpha = 0.8f;
  board->_drawFrame();
  pieces::Box side =
      pieces::FindBox([](int r, int g, int b) { return g > 60 && r < 60 && b < 60; });
  EXPECT_NEAR(side.left, 204.5, 0.6);  // 201 + 7 - 3.5
  EXPECT_EQ(side.top, 188);
  EXPECT_NEAR(side.Width(), 5, 1);
  board->frameList->Clear();
  SetScale(3.0f, 3.0f);
  board->_drawFrame();
  float sx = 0, sy = 0;
  GetScale(sx, sy);
  EXPECT_EQ(sx, 1.0f);
  EXPECT_EQ(GetAlpha(), 0.8f);
}

TEST_F(BoardDrawing, StoneFormFadesInOverAMarkedRune) {
  board->ghostImage = nullptr;
  Put(2, 3, 1);
  Put(5, 3, 1);
  board->petrifyMarks[2][3] = 1;
  board->petrifyRunning = 1;
  board->petrifyProgress = 0.5f;
  board->Draw(0);
  const uint32_t marked = ReadPixel(headless::CaptureBackBuffer(), board->originX + 2 * 32 + 10,
                                    board->originY + 3 * 32 + 10);
  // Red under the grey stone (128, 128, 128) at half alpha.
  EXPECT_NEAR((marked >> 16) & 255, 191, 3);
  EXPECT_NEAR((marked >> 8) & 255, 64, 3);
  EXPECT_TRUE(pieces::FindBox(pieces::Reddish).Found());  // the unmarked rune stays red
}

TEST_F(BoardDrawing, LoadedBoardStaysInvisibleForSixUpdatesAndIsWholeAfterTwentySix) {
  board->clearBoard();
  board->ghostImage = Solid(32, 32, pieces::kBlue);
  Put(2, 3, 1);
  for (int update = 1; update <= 30; ++update) {
    board->Update(0);
    if (update <= 6) {
      EXPECT_LT(board->alpha, 1e-6f) << update;
      Cls();
      board->Draw(0);
      EXPECT_FALSE(pieces::FindBox(pieces::Reddish).Found()) << update;
    } else if (update < 26) {
      EXPECT_GT(board->alpha, 0.0f) << update;
      EXPECT_LT(board->alpha, 1.0f) << update;
    } else {
      EXPECT_EQ(board->alpha, 1.0f) << update;
    }
  }
}

}  // namespace
