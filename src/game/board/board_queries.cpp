// The board's queries that the block under the mouse and the board image build rely on:
// emptying the board, the used extent and its middle, the one legality test of a block cell
// and whether the mouse is on the board.
#include "services/mouse.h"
#include "game/board/board_manager.h"
#include "game/spells/boss_manager.h"
#include "platform/system.h"

namespace {

bool Inside(int32_t v) { return v >= 0 && v < kBoardCells; }

}  // namespace

void TBoardManager::clearBoard() {
  alpha = -0.3f;
  for (size_t x = 0; x < kBoardCells; ++x) {
    for (size_t y = 0; y < kBoardCells; ++y) {
      usable[x][y] = 1;
      runeIds[x][y] = 0;
      colours[x][y] = 0;
      highlights[x][y] = 0;
      petrifyMarks[x][y] = 0;
      placedAt[x][y] = 0;
    }
  }
  scale = 1.0f;
  cellSize = 32;
  petrifyRunning = 0;
  lastPetrify = MilliSecs();
}

int32_t TBoardManager::getWidth() {
  maxColumn = 0;
  minColumn = 14;
  for (int32_t x = 0; x < kBoardCells; ++x) {
    for (int32_t y = 0; y < kBoardCells; ++y) {
      if (usable[static_cast<size_t>(x)][static_cast<size_t>(y)] == 0) continue;
      if (x < minColumn) minColumn = x;
      if (x > maxColumn) maxColumn = x;
    }
  }
  usedWidth = minColumn > maxColumn ? 0 : maxColumn - minColumn + 1;
  return usedWidth;
}

int32_t TBoardManager::getHeight() {
  maxRow = 0;
  minRow = 14;
  for (int32_t x = 0; x < kBoardCells; ++x) {
    for (int32_t y = 0; y < kBoardCells; ++y) {
      if (usable[static_cast<size_t>(x)][static_cast<size_t>(y)] == 0) continue;
      if (y < minRow) minRow = y;
      if (y > maxRow) maxRow = y;
    }
  }
  usedHeight = minRow > maxRow ? 0 : maxRow - minRow + 1;
  return usedHeight;
}

int32_t TBoardManager::GetMiddleX() {
  getWidth();
  return static_cast<int32_t>((minColumn + usedWidth / 2.0) * cellSize);
}

int32_t TBoardManager::GetMiddleY() {
  getHeight();
  return static_cast<int32_t>((minRow + usedHeight / 2.0) * cellSize);
}

int32_t TBoardManager::_checkMove(const BlockPtr& block, int32_t x, int32_t y, int32_t dx,
                                  int32_t dy, int32_t i, int32_t j) {
  if (!block || block->cells[static_cast<size_t>(i)][static_cast<size_t>(j)] < 1) return 1;
  const int32_t tx = x + dx;
  const int32_t ty = y + dy;
  if (!Inside(tx) || !Inside(ty)) return 0;
  const bool open = usable[static_cast<size_t>(tx)][static_cast<size_t>(ty)] != 0;
  const bool empty = runeIds[static_cast<size_t>(tx)][static_cast<size_t>(ty)] <= 0;
  const bool uncovered = !bossManager || bossManager->CheckMove(tx, ty) == 0;
  return open && empty && uncovered ? 1 : 0;
}

int32_t TBoardManager::MouseOnBoard() {
  if (!mouse) return 0;
  const int32_t column = (mouse->x - originX) / cellSize;
  const int32_t row = (mouse->y - originY) / cellSize;
  if (!Inside(column) || !Inside(row)) return 0;
  auto cellUsable = [this](int32_t c, int32_t r) {
    return Inside(c) && Inside(r) && usable[static_cast<size_t>(c)][static_cast<size_t>(r)] != 0;
  };
  if (cellUsable(column, row)) return 1;
  if (cellUsable(column, row - 1) || cellUsable(column, row + 1) || cellUsable(column - 1, row) ||
      cellUsable(column + 1, row))
    return 1;
  return 0;
}
