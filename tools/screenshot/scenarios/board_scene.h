// What the board scenarios share: the screen with what every board scene draws with, runes put
// on cells, and the pointer put over a board cell.
#pragma once
#include <memory>
#include <string>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "game/board/board_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "platform/text.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace screenshot {

// Opens the screen and loads the shipped rune catalogue, the spark pictures and the captions'
// line picture (container id 5000); a fresh mouse, delta 1. False when there is no screen.
inline bool OpenBoardScene() {
  if (!Graphics(800, 600, 0, 60, 0)) return false;
  if (!data) data = std::make_shared<TContainer>();
  data->Add(LoadImage(std::string("gfx/gui/lina.png")), 5000);
  mouse = std::make_shared<TMouse>();
  delta = 1.0;
  runes = std::make_shared<TRuneManager>();
  runes->loadRunesGfx();
  loadSparkImage(0, "gfx/gwiazdki/gradball.png");
  for (int k = 1; k <= 3; ++k) loadSparkImage(k, "gfx/gwiazdki/" + std::to_string(k) + ".png");
  return true;
}

// Rune `id` on board cell (x, y), with its colour, placed now.
inline void Put(int x, int y, int id) {
  board->runeIds[x][y] = id;
  board->colours[x][y] = runes->getRuneColor(FromInt(id));
  board->placedAt[x][y] = MilliSecs();
}

// The pointer over the middle of board cell (x, y).
inline void PointAtCell(int x, int y) {
  mouse->x = board->originX + x * board->cellSize + board->cellSize / 2;
  mouse->y = board->originY + y * board->cellSize + board->cellSize / 2;
  MoveMouse(mouse->x, mouse->y);
}

// Runes of `id` on the 2 x 2 square whose top-left cell is (x, y), leaving out (skipX, skipY).
inline void PutSquare(int x, int y, int id, int skipX = -1, int skipY = -1) {
  for (int dx = 0; dx < 2; ++dx)
    for (int dy = 0; dy < 2; ++dy)
      if (x + dx != skipX || y + dy != skipY) Put(x + dx, y + dy, id);
}

// On the shipped level with two bosses: the red boss (columns 4-5, rows 5-6) with its ring
// complete but for two cells of the right square; the blue boss (columns 9-10, rows 7-8) with
// its left and top squares laid.
inline void LayBossRings() {
  PutSquare(2, 5, 1);
  PutSquare(4, 3, 1);
  PutSquare(4, 7, 1);
  Put(6, 5, 1);
  Put(6, 6, 1);
  PutSquare(7, 7, 2);
  PutSquare(9, 5, 2, 10, 5);
}

// The held block that closes the red boss's ring: two runes 1 in a column, formed, over the
// ring's open cells.
inline void HoldRingClosingBlock() {
  auto block = std::make_shared<TBlock>();
  for (size_t j = 0; j < 2; ++j) {
    block->cells[0][j] = 1;
    block->colors[0][j] = runes->getRuneColor(u"1");
  }
  blocks->currentBlock = block;
  blocks->formState = 1;
  blocks->alpha = 1.0f;
  blocks->newBlock = 1;
  PointAtCell(7, 5);
}

}  // namespace screenshot
