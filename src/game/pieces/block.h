// A block: a shape of blocks.tsc, or a dealt block of runes. Grids are indexed [x][y], x the
// column and y the row, 0 to 3; cell [0][0] is the pivot.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "platform/text.h"

using BlockGrid = std::array<std::array<int32_t, 4>, 4>;

class TBlock {
 public:
  String id;  // shape id (shapes); empty in dealt blocks
  String title;
  String description;
  int32_t width = 0;
  int32_t height = 0;
  int32_t pieceCount = 0;  // filled cells listed in the file (shapes)
  BlockGrid cells{};   // shapes: 1 on a filled cell; dealt blocks: the rune id (0 empty)
  BlockGrid colors{};  // dealt blocks: each cell's colour number
  BlockGrid fits{};    // current block: 1 where the cell can be put at the anchor and turn

  virtual ~TBlock() = default;
};
using BlockPtr = std::shared_ptr<TBlock>;

// Where block cell [i, j] lands relative to the pivot at quarter turn `rotation` (0 to 3,
// clockwise on the screen). The board places and tests blocks with the same mapping.
inline void RotateOffset(int32_t rotation, int32_t i, int32_t j, int32_t& dx, int32_t& dy) {
  switch (rotation) {
    case 1: dx = -j; dy = i; break;
    case 2: dx = -i; dy = -j; break;
    case 3: dx = j; dy = -i; break;
    default: dx = i; dy = j; break;
  }
}
