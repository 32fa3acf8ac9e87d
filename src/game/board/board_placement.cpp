// Dropping a block on the board: every filled cell is tested with _checkMove, and only a block
// whose cells all fit is stamped into the layers.
#include "services/sfx.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/pieces/blocks_manager.h"
#include "platform/system.h"

int32_t TBoardManager::placeBlock(const BlockPtr& given, int32_t x, int32_t y, int32_t commit) {
  const int32_t now = MilliSecs();
  BlockPtr block = given;
  if (!block && blocks) block = blocks->currentBlock;
  if (!block) return 0;
  if (x == -1) {
    x = blocks ? blocks->getXR(0) : 0;
    y = blocks ? blocks->getYR(0) : 0;
  }
  const int32_t rotation = blocks ? blocks->rotation : 0;
  bool legal = true;
  for (int32_t i = 0; i < 4; ++i) {
    for (int32_t j = 0; j < 4; ++j) {
      int32_t dx = 0;
      int32_t dy = 0;
      RotateOffset(rotation, i, j, dx, dy);
      if (_checkMove(block, x, y, dx, dy, i, j) == 0) legal = false;
    }
  }
  if (!legal) {
    if (commit != 0) playSound2(cannotPlaceSound, nullptr, 0);
    return 0;
  }
  for (size_t i = 0; i < 4; ++i) {
    for (size_t j = 0; j < 4; ++j) {
      if (block->cells[i][j] < 1) continue;
      int32_t dx = 0;
      int32_t dy = 0;
      RotateOffset(rotation, static_cast<int32_t>(i), static_cast<int32_t>(j), dx, dy);
      const auto tx = static_cast<size_t>(x + dx);
      const auto ty = static_cast<size_t>(y + dy);
      runeIds[tx][ty] = block->cells[i][j];
      colours[tx][ty] = block->colors[i][j];
      placedAt[tx][ty] = now;
    }
  }
  if (commit == 0) return 1;
  if (blocks) blocks->currentBlock = nullptr;
  playSound2(putSound, nullptr, 0);
  if (level) ++level->blocksUsed;
  return 1;
}
