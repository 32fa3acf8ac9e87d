// The board's per-frame update and its drawing: the board picture, the boss help, the runes
// with their shadows and the petrification fade, the frame, the placement preview and the stone
// debris; and the level selector's small preview.
#include "game/board/board_manager.h"
#include "game/board/stone_entity.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/boss_manager.h"
#include "platform/text.h"

void TBoardManager::Update(int32_t paused) {
  alpha += 0.05f;
  if (alpha > 1.0f) alpha = 1.0f;
  if (blocks && blocks->newBlock != 0) {
    blocks->newBlock = 0;
    _checkForHighlights();
  }
  _checkForPetrify(paused);
}

void TBoardManager::Draw(int32_t small) {
  SetBlend(ALPHABLEND);
  SetAlpha(alpha);
  DrawImage(boardImage, static_cast<float>(originX), static_cast<float>(originY), 0);
  SetBlend(ALPHABLEND);
  if (bossManager) bossManager->DrawHelp();
  _drawRunes();
  if (small == 0) {
    _drawFrame();
  } else {
    _drawSmallFrame();
  }
  _drawHighlights();
  TStoneEntity::UpdateAll();
}

void TBoardManager::DrawSmall() {
  SetBlend(ALPHABLEND);
  SetAlpha(alpha);
  SetScale(scale, scale);
  DrawImage(boardImage, static_cast<float>(originX), static_cast<float>(originY), 0);
  SetBlend(ALPHABLEND);
  _drawRunes();
  _drawSmallFrame();
  _drawHighlights();
}

void TBoardManager::_drawRunes() {
  SetTransform(0.0f, scale, scale);
  SetColor(255, 255, 255);
  for (int32_t y = 0; y < kBoardCells; ++y) {
    for (int32_t x = 0; x < kBoardCells; ++x) {
      const int32_t id = runeIds[static_cast<size_t>(x)][static_cast<size_t>(y)];
      if (id <= 0) continue;
      const int32_t px = originX + x * cellSize;
      const int32_t py = originY + y * cellSize;
      SetAlpha(alpha);
      DrawImage(ghostImage, static_cast<float>(px + 5), static_cast<float>(py + 4), 0);
      if (!runes) continue;
      runes->Draw(id, static_cast<float>(px), py);
      if (petrifyRunning != 0 &&
          petrifyMarks[static_cast<size_t>(x)][static_cast<size_t>(y)] != 0) {
        const RunePtr rune = runes->_findRuneByID(FromInt(id));
        if (!rune || rune->blockedId.empty()) continue;
        SetAlpha(alpha * petrifyProgress);
        runes->Draw(ToInt(rune->blockedId), static_cast<float>(px), py);
      }
    }
  }
}

namespace {

// Draws every frame piece with the side, top and corner tables of one set, inset by `d`.
void DrawFramePieces(const TBoardManager& b, const FrameImageTable& side,
                     const FrameImageTable& top, const FrameImageTable& corner, float d) {
  SetAlpha(b.alpha);
  if (b.frameList) {
    const float s = b.scale;
    const float inset = d * s;
    for (const FrameElementPtr& piece : *b.frameList) {
      if (!piece || piece->kind < 0 || piece->kind > 7) continue;
      SetScale(s, s);
      const auto x = static_cast<float>(b.originX + piece->x * b.cellSize);
      const auto y = static_cast<float>(b.originY + piece->y * b.cellSize);
      const FrameImageTable& table = piece->kind <= 1 ? side : piece->kind <= 3 ? top : corner;
      // Pieces naming a cell outside the 4 x 5 table are drawn with no picture.
      ImagePtr image;
      if (piece->size >= 0 && piece->size < 4 && piece->id >= 0 && piece->id < 5)
        image = table[static_cast<size_t>(piece->size)][static_cast<size_t>(piece->id)];
      float px = x;
      float py = y;
      switch (piece->kind) {
        case 0: case 1: case 6: px = x - inset; break;
        case 2: case 3: case 5: py = y - inset; break;
        case 4: px = x - inset; py = y - inset; break;
        default: break;
      }
      DrawImage(image, px, py, 0);
    }
  }
  SetScale(1.0f, 1.0f);
}

}  // namespace

int32_t TBoardManager::_drawFrame() {
  if (cellSize == 40) {
    DrawFramePieces(*this, frameImages[3], frameImages[4], frameImages[5], 6.0f);
  } else {
    DrawFramePieces(*this, frameImages[0], frameImages[1], frameImages[2], 7.0f);
  }
  return 0;
}

int32_t TBoardManager::_drawSmallFrame() {
  DrawFramePieces(*this, frameImages[0], frameImages[1], frameImages[2], 7.0f);
  return 0;
}
