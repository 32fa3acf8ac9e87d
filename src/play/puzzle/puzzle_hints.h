// The picture puzzle's hints: two pieces whose swap puts at least one of them home sparkle
// until the player starts a swap. The opening hint of a new puzzle first moves its two pieces
// into each other's home cells; a requested hint picks a piece away from home and the piece
// whose home it stands on.
#pragma once
#include <cstdint>
#include <memory>

#include "play/puzzle/puzzle_grid.h"
#include "toolkit/spark.h"

class THints {
 public:
  static constexpr int32_t kOpening = 1;
  static constexpr int32_t kRequested = 0;

  int32_t active = 0;
  int32_t firstX = 0;  // corners of the two pieces when the hint started, whole pixels
  int32_t firstY = 0;
  int32_t secondX = 0;
  int32_t secondY = 0;
  int32_t pieceWidth = 0;
  int32_t pieceHeight = 0;
  SparkPtr lastSpark;

  virtual ~THints() = default;
  // Starts a hint on `board` (mode kOpening with the home indices hintA and hintB, which the
  // caller keeps on the board; kRequested ignores them). Nothing while one shows or when solved.
  virtual int32_t show(const PuzzleGridPtr& board, int32_t mode, int32_t hintA, int32_t hintB);
  virtual void Hide();
  // Two sparks a frame while active; TSpark::UpdateAll draws them.
  virtual void Update();
};
using HintsPtr = std::shared_ptr<THints>;
