// What the board scenarios share: the screen with what every board scene draws with, runes put
// on cells, and the pointer put over a board cell.
#pragma once
#include <memory>
#include <string>

#include "app/delta_time.h"
#include "app/mouse.h"
#include "game/board/board_manager.h"
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

}  // namespace screenshot
