// Drawing the boss runes: the hint tiles on the ring cells under the runes, and the aura whose
// sixteen frames fade into each other on the real clock.
#include "boss_fixtures.h"

#include "platform/headless.h"

namespace {

using boss::AddBoss;
using boss::BossTest;
using test_support::Blue;
using test_support::Green;
using test_support::Red;
using test_support::ScreenPixel;
using test_support::SolidImage;

class BossDrawing : public BossTest {
 protected:
  void SetUp() override {
    BossTest::SetUp();
    test_support::OpenScreen();
    SetBlend(ALPHABLEND);  // as the board's drawing leaves it
    board->cellSize = 32;
    board->originX = 100;
    board->originY = 50;
  }
  // The screen pixel at the middle of a board cell.
  static uint32_t CellPixel(int x, int y) {
    return ScreenPixel(board->originX + x * board->cellSize + board->cellSize / 2,
                       board->originY + y * board->cellSize + board->cellSize / 2);
  }
};

TEST_F(BossDrawing, HintTilesLieFaintlyOnTheRingCellsThatAreOnTheGrid) {
  bossManager->sootImage = SolidImage(32, 32, 0xFFFFFFFFu);
  AddBoss(1, 6, 2);  // its left square's first column lies off the grid
  bossManager->DrawHelp();
  EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);

  int tiles = 0;
  for (int x = 0; x < kBoardCells; ++x)
    for (int y = 0; y < kBoardCells; ++y) {
      const uint32_t pixel = CellPixel(x, y);
      if (pixel == CellPixel(14, 0)) continue;  // untouched background
      ++tiles;
      const bool ring = ((y == 6 || y == 7) && (x == 0 || x == 3 || x == 4)) ||
                        ((x == 1 || x == 2) && (y == 4 || y == 5 || y == 8 || y == 9));
      EXPECT_TRUE(ring) << "tile at " << x << "," << y;
      EXPECT_NEAR(Red(pixel), 0.3 * 255, 2) << x << "," << y;
    }
  EXPECT_EQ(tiles, 14);
}

TEST_F(BossDrawing, TheAuraFadesEachFrameInOverHalfASecondAndLoopsEveryEightSeconds) {
  // Frame 0 red, frame 1 green, frame 15 blue, the others grey; no shadow or picture.
  for (ImagePtr& frame : bossManager->effectFrames) frame = SolidImage(64, 64, 0xFF808080u);
  bossManager->effectFrames[0] = SolidImage(64, 64, 0xFFFF0000u);
  bossManager->effectFrames[1] = SolidImage(64, 64, 0xFF00FF00u);
  bossManager->effectFrames[15] = SolidImage(64, 64, 0xFF0000FFu);
  struct Case {
    int32_t ms;     // since the boss was created
    int r, g, b;    // the square's colour over black
  };
  const Case cases[] = {
      {0, 0, 0, 255},      // frame 0 at alpha 0, frame 15 at 1
      {250, 64, 0, 128},   // both at 0.5: red, then blue over it
      {500, 255, 0, 0},    // frame 1 at 0, frame 0 at 1
      {8000, 0, 0, 255},   // the loop starts again
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ms);
    bossManager->bossRunes = CreateList<BossRunePtr>();
    // The clock runs near 2^30 ms, where a float would round the creation time by up to 64 ms.
    headless::AdvanceClock(50);
    bossManager->bossRunes->AddLast(TBossRune::Create(4, 2, 3, 5, "none.png"));
    headless::AdvanceClock(c.ms);
    Cls();
    SetAlpha(1.0f);
    bossManager->Draw();
    EXPECT_FLOAT_EQ(GetAlpha(), 1.0f);
    const uint32_t pixel = CellPixel(4, 6);  // inside the 2 x 2 square at (3, 5)
    EXPECT_NEAR(Red(pixel), c.r, 2);
    EXPECT_NEAR(Green(pixel), c.g, 2);
    EXPECT_NEAR(Blue(pixel), c.b, 2);
    EXPECT_EQ(CellPixel(5, 6), CellPixel(14, 14)) << "nothing drawn beside the square";
  }
}

}  // namespace
