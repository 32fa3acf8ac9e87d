// The board emptied into the magic sphere in one go.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/volcano_emiter.h"

namespace {

// Rune colours that tell the colour and the component apart.
class FixedColours : public TRuneManager {
 public:
  int32_t getRuneRGB(int32_t colour, int32_t component) override {
    return 100 + colour * 10 + component;
  }
};

TEST(BigBoom, SendsEveryRuneOnAUsableCellToItsVialAndEmptiesOnlyTheRuneLayer) {
  board = std::make_shared<TBoardManager>();
  level = std::make_shared<TLevelManager>();
  runes = std::make_shared<FixedColours>();
  volcanoList->Clear();
  magicSphere = std::make_shared<TMagicSphere>();
  magicSphere->colours = {2, 1, 0, 0, 0};
  board->cellSize = 40;
  board->originX = 252;
  board->originY = 60;
  for (int x = 0; x < 6; ++x)
    for (int y = 0; y < 6; ++y) board->usable[x][y] = 1;
  board->runeIds[3][2] = 4;  // visited after (0, 4): columns first, rows within them
  board->colours[3][2] = 2;
  board->runeIds[0][4] = 5;
  board->colours[0][4] = 1;
  board->usable[5][5] = 0;  // a hole keeps whatever its layers hold
  board->runeIds[5][5] = 7;
  board->colours[5][5] = 1;

  level->BigBoom();

  EXPECT_EQ(board->runeIds[3][2], 0);
  EXPECT_EQ(board->runeIds[0][4], 0);
  EXPECT_EQ(board->runeIds[5][5], 7);
  EXPECT_EQ(board->colours[3][2], 2);  // only the rune layer is emptied
  EXPECT_EQ(board->colours[0][4], 1);

  std::vector<std::shared_ptr<TToSphereEmiter>> streams;
  for (const VolcanoEmiterPtr& e : *volcanoList)
    if (auto s = std::dynamic_pointer_cast<TToSphereEmiter>(e)) streams.push_back(s);
  ASSERT_EQ(streams.size(), 2u);
  struct Expected {
    int column, row, colour;
    float x, y;
  };
  const Expected expected[] = {{0, 4, 1, 272.0f, 240.0f}, {3, 2, 2, 392.0f, 160.0f}};
  for (size_t i = 0; i < 2; ++i) {
    const TToSphereEmiter& s = *streams[i];
    const Expected& e = expected[i];
    EXPECT_EQ(s.cellX, e.column);
    EXPECT_EQ(s.cellY, e.row);
    EXPECT_FLOAT_EQ(s.startX, e.x);
    EXPECT_FLOAT_EQ(s.startY, e.y);
    const int base = 100 + e.colour * 10;
    EXPECT_NEAR(s.red, base + 1, 20);
    EXPECT_NEAR(s.green, base + 2, 20);
    EXPECT_NEAR(s.blue, base + 3, 20);
    int vialX = 0, vialY = 0;
    magicSphere->GetColorXY(e.colour, vialX, vialY);
    EXPECT_FLOAT_EQ(s.endX, static_cast<float>(vialX));
    EXPECT_FLOAT_EQ(s.endY, static_cast<float>(vialY));
  }
}

TEST(BigBoom, EmptyBoardStartsNoStream) {
  board = std::make_shared<TBoardManager>();
  level = std::make_shared<TLevelManager>();
  runes = std::make_shared<FixedColours>();
  volcanoList->Clear();
  level->BigBoom();
  EXPECT_EQ(volcanoList->Count(), 0);
}

}  // namespace
