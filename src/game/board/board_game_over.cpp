// Whether the level is lost, and the board's fill.
#include "game/board/board_manager.h"
#include "game/levels/level_timer.h"
#include "game/pieces/blocks_manager.h"

int32_t TBoardManager::checkGameOver() {
  if (timeManager && timeManager->TimeOver() != 0) {
    gameOver = 1;
    return 0;
  }
  const BlockPtr block = blocks ? blocks->currentBlock : nullptr;
  if (!block) return 0;
  gameOver = 1;
  for (int32_t r = 0; r < 4; ++r) {
    for (int32_t x = 0; x < kBoardCells; ++x) {
      for (int32_t y = 0; y < kBoardCells; ++y) {
        bool fits = true;
        for (int32_t i = 0; i < 4 && fits; ++i) {
          for (int32_t j = 0; j < 4 && fits; ++j) {
            int32_t dx = 0;
            int32_t dy = 0;
            RotateOffset(r, i, j, dx, dy);
            if (_checkMove(block, x, y, dx, dy, i, j) == 0) fits = false;
          }
        }
        if (fits) {
          gameOver = 0;
          return 0;
        }
      }
    }
  }
  return 0;
}

int32_t TBoardManager::IsEmpty() {
  for (const auto& column : runeIds)
    for (int32_t id : column)
      if (id != 0) return 0;
  return 1;
}

float TBoardManager::freeCells() {
  int32_t occupied = 0;
  int32_t open = 0;
  for (size_t x = 0; x < kBoardCells; ++x) {
    for (size_t y = 0; y < kBoardCells; ++y) {
      if (runeIds[x][y] != 0) ++occupied;
      if (usable[x][y] != 0) ++open;
    }
  }
  // A board without a usable cell has no free share: it counts as full.
  if (open == 0) return 0.0f;
  return 1.0f - static_cast<float>(occupied) / static_cast<float>(open);
}
