// The picture puzzle's board: the pieces in home order (the piece at list position k has home
// cell k), the shuffle, the per-frame flights, clicks and swaps, the in-place matrix with the
// shaded outline around the solved region, and the five puzzle sounds.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "play/puzzle/puzzle_button.h"
#include "platform/graphics.h"
#include "platform/sound.h"
#include "toolkit/grid.h"

class TPuzzleGrid : public TGrid {
 public:
  // The board holds at most kMaxSide x kMaxSide pieces; the matrix keeps a border of one.
  static constexpr int32_t kMaxSide = 10;
  static constexpr int32_t kMatrixSide = kMaxSide + 2;
  // Indices of `sounds`.
  static constexpr int kClickSound = 0;
  static constexpr int kSolvedSound = 1;
  static constexpr int kHomeSound = 2;
  static constexpr int kSwapSound = 4;
  // The whole picture shows this long before the shuffle's first swap.
  static constexpr int32_t kWholePictureMs = 50;
  // Outline pieces: sides are this long, right and bottom ones sit this far inside the cell.
  static constexpr float kSideLength = 82.0f;
  static constexpr float kInset = 7.0f;

  std::array<std::array<int32_t, kMatrixSide>, kMatrixSide> matrix{};  // [col + 1][row + 1]
  ImagePtr pieceImage;
  int32_t pieceCount = 0;
  ImagePtr frameImage;
  ImagePtr frameOnImage;
  // Corners top-left, top-right, bottom-left, bottom-right; sides left, top, right, bottom.
  std::array<ImagePtr, 8> shadowImages{};
  std::array<SoundPtr, 5> sounds{};

  int State() override;
  int Draw() override;
  virtual void loadSfx();
  // Shows the whole picture for kWholePictureMs, then one instant random swap a frame until no
  // piece is home. `background` may be null.
  virtual void Scramble(const ImagePtr& background);
  virtual int32_t IsScrambled();
  virtual int32_t IsSet();
  virtual void loadGfx();
  virtual void doMatrix();
  virtual void Clear();

  // The piece at list position `index` (null outside the list).
  PuzzleButtonPtr Piece(int32_t index) const;

 private:
  int32_t At(int32_t col, int32_t row) const;
  void DrawOutline();
};
using PuzzleGridPtr = std::shared_ptr<TPuzzleGrid>;
