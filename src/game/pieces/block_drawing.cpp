// Drawing the held block (forming, fitting, dimmed and turning) and the next-block preview.
#include "game/board/board_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "platform/graphics.h"
#include "platform/system.h"

int32_t TBlocksManager::drawBlock(float x, float y) {
  if (x == 0.0f && y == 0.0f) {
    x = static_cast<float>(getX(0));
    y = static_cast<float>(getY(0));
  }
  if (!board || board->MouseOnBoard() == 0) return 0;

  glowAlpha += glowStep;
  if (glowAlpha > 0.3f) glowStep = -0.025f;
  if (!(glowAlpha > 0.0f)) glowStep = 0.025f;

  if (!currentBlock) return 0;
  if (formState == 0) {
    _formBlock(x, y);
  } else {
    _drawBlock(x, y);
  }
  return 0;
}

int32_t TBlocksManager::_formBlock(float x, float y) {
  SetBlend(ALPHABLEND);
  SetAlpha(alpha);
  const int32_t k = 15 - formStep;
  const int32_t cell = BoardCellSize();
  for (int32_t i = 0; i < 4; ++i) {
    for (int32_t j = 0; j < 4; ++j) {
      const int32_t id = currentBlock->cells[static_cast<size_t>(i)][static_cast<size_t>(j)];
      if (id == 0) continue;
      const float offX = static_cast<float>((i * 70 + 60) * k) / 15.0f;
      const float offY = static_cast<float>((j * 70 + 40) * k) / 15.0f;
      const float grow = 1.0f + static_cast<float>(k) / 15.0f;
      SetScale(grow, grow);
      if (runes)
        runes->Draw(id, x + static_cast<float>(i * cell) + offX,
                    static_cast<int32_t>(y + static_cast<float>(j * cell) + offY));
      SetScale(1.0f, 1.0f);
    }
  }
  SetAlpha(1.0f);
  return 0;
}

int32_t TBlocksManager::_drawBlock(float x, float y) {
  const int32_t cell = BoardCellSize();
  for (int32_t i = 0; i < 4; ++i) {
    for (int32_t j = 0; j < 4; ++j) {
      const auto ci = static_cast<size_t>(i);
      const auto cj = static_cast<size_t>(j);
      const int32_t id = currentBlock->cells[ci][cj];
      if (id == 0) continue;
      float offX = 0.0f;
      float offY = 0.0f;
      int32_t dim = 0;
      if (currentBlock->fits[ci][cj] != 0) {
        SetScale(1.0f, 1.0f);
      } else {
        SetScale(0.7f, 0.7f);
        offX = 5.0f;
        offY = 6.0f;
        dim = 1;
      }
      int32_t px = 0;
      int32_t py = 0;
      if (targetRotation == rotation) {
        int32_t dx = 0;
        int32_t dy = 0;
        RotateOffset(rotation, i, j, dx, dy);
        px = static_cast<int32_t>(x + static_cast<float>(dx * cell) + offX);
        py = static_cast<int32_t>(y + static_cast<float>(dy * cell) + offY);
      } else {
        // During a turn each rune swings on a circle about the pivot's corner.
        const double r = Sqr(i * i + j * j) * cell;
        const double theta = ATan2(j, i) + angle;
        px = static_cast<int32_t>(x + r * Cos(theta) + offX);
        py = static_cast<int32_t>(y + r * Sin(theta) + offY);
      }
      _drawRune(id, px, py, dim);
    }
  }
  SetScale(1.0f, 1.0f);
  return 0;
}

int32_t TBlocksManager::_drawRune(int32_t id, int32_t x, int32_t y, int32_t dim) {
  SetBlend(ALPHABLEND);
  SetAlpha(alpha);
  if (dim != 0) {
    SetColor(190, 190, 190);
  } else {
    SetColor(255, 255, 255);
  }
  if (!runes) return 0;
  runes->Draw(id, static_cast<float>(x), y);
  if (dim == 0) {
    SetBlend(LIGHTBLEND);
    SetAlpha(glowAlpha);
    runes->Draw(id, static_cast<float>(x), y);
  }
  return 0;
}

int32_t TBlocksManager::DrawNextBlock(float cx, float cy) {
  if (!nextBlock) nextBlock = _buildNextBlock();
  if (!nextBlock) return 0;
  if (nextWidth == 0.0f && nextHeight == 0.0f) GetNextBlockWH();

  float s = 0.6f;
  for (size_t d = 0; d < 4; ++d) {
    int32_t inRow = 0;
    for (size_t c = 0; c < 4; ++c)
      if (nextBlock->cells[c][d] != 0) ++inRow;
    if (inRow > 3) s = 0.5f;
  }
  const int32_t cell = BoardCellSize();
  if (cell == 40) s = s / 1.25f;
  SetScale(s, s);
  for (int32_t c = 0; c < 4; ++c) {
    for (int32_t d = 0; d < 4; ++d) {
      const int32_t id = nextBlock->cells[static_cast<size_t>(c)][static_cast<size_t>(d)];
      if (id == 0) continue;
      const auto px = static_cast<int32_t>(cx + static_cast<float>(c * cell) * s -
                                           nextWidth * static_cast<float>(cell) * s / 2.0f);
      const auto py = static_cast<int32_t>(cy + static_cast<float>(d * cell) * s -
                                           nextHeight * static_cast<float>(cell) * s / 2.0f);
      _drawRune(id, px, py, 0);
    }
  }
  SetScale(1.0f, 1.0f);
  return 0;
}
