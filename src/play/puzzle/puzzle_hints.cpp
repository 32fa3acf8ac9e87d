#include "play/puzzle/puzzle_hints.h"

#include "play/puzzle/puzzle_manager.h"
#include "platform/system.h"

namespace {

// The sparks start in the upper left part of each piece, this share of it in both directions.
constexpr float kSparkArea = 0.8f;

// The piece of `board` that stands on `cell`.
PuzzleButtonPtr HolderOf(const PuzzleGridPtr& board, int32_t cell) {
  for (const ButtonPtr& button : *board->cells) {
    auto piece = std::static_pointer_cast<TPuzzleButton>(button);
    if (piece->cell == cell) return piece;
  }
  return nullptr;
}

void SwapCells(const PuzzleButtonPtr& a, const PuzzleButtonPtr& b) {
  if (a && b) std::swap(a->cell, b->cell);
}

SparkPtr HintSpark(int32_t x, int32_t y) {
  // Draws into locals in the order blue, green, red, life, scale, image, then vy, vx.
  const int32_t blue = Rand(100, 150);
  const int32_t green = Rand(100, 150);
  const int32_t red = Rand(100, 255);
  const int32_t life = Rand(50, 100);
  const float scale = static_cast<float>(Rnd(0.5, 1.0));
  const int32_t image = Rand(1, 3);
  SparkPtr spark = TSpark::Create(sparkImages[static_cast<size_t>(image)], x, y, scale, life, red,
                                  green, blue, 1, 1);
  const float vy = static_cast<float>(Rnd(-0.5, 0.5));
  const float vx = static_cast<float>(Rnd(-0.5, 0.5));
  spark->setVelocity(vx, vy);
  return spark;
}

}  // namespace

int32_t THints::show(const PuzzleGridPtr& board, int32_t mode, int32_t hintA, int32_t hintB) {
  if (!board || active == 1 || board->IsSet() == 1) return 0;
  PuzzleButtonPtr first, second;
  if (mode != kRequested) {
    const PuzzleGridPtr& pieces = puzzle ? puzzle->grid : board;
    first = pieces->Piece(hintA);
    second = pieces->Piece(hintB);
    if (!first || !second) return 0;
    PuzzleButtonPtr firstHomeHolder = HolderOf(board, first->id);
    PuzzleButtonPtr secondHomeHolder = HolderOf(board, second->id);
    SwapCells(first, secondHomeHolder);
    SwapCells(second, firstHomeHolder);
    for (const PuzzleButtonPtr& p : {first, second, firstHomeHolder, secondHomeHolder})
      if (p) p->targetCell = p->cell;
    for (const PuzzleButtonPtr& p : {first, second, firstHomeHolder, secondHomeHolder})
      if (p) p->SetPosition();
  } else {
    const int32_t count = board->cells->Count();
    do {
      first = board->Piece(Rand(0, count - 1));
    } while (first->IsInPlace() != 0);
    second = board->Piece(first->cell);
    if (!second) return 0;
  }
  active = 1;
  firstX = static_cast<int32_t>(first->dim->Left());
  firstY = static_cast<int32_t>(first->dim->Top());
  secondX = static_cast<int32_t>(second->dim->Left());
  secondY = static_cast<int32_t>(second->dim->Top());
  pieceWidth = static_cast<int32_t>(first->dim->width);
  pieceHeight = static_cast<int32_t>(first->dim->height);
  return 0;
}

void THints::Hide() { active = 0; }

void THints::Update() {
  if (active != 1) return;
  SetBlend(ALPHABLEND);
  const float w = static_cast<float>(pieceWidth) * kSparkArea;
  const float h = static_cast<float>(pieceHeight) * kSparkArea;
  const int32_t x1 = Rand(firstX, static_cast<int32_t>(static_cast<float>(firstX) + w));
  const int32_t x2 = Rand(secondX, static_cast<int32_t>(static_cast<float>(secondX) + w));
  const int32_t y1 = Rand(firstY, static_cast<int32_t>(static_cast<float>(firstY) + h));
  const int32_t y2 = Rand(secondY, static_cast<int32_t>(static_cast<float>(secondY) + h));
  lastSpark = HintSpark(x1, y1);
  lastSpark = HintSpark(x2, y2);
}
