// The placement preview: the cells the held block would clear at the pointer glitter. The
// block is put on the live board for the test and taken off again within the same call.
#include "game/board/board_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/boss_manager.h"

int32_t TBoardManager::_checkForHighlights() {
  if (!blocks || !blocks->currentBlock || blocks->turnProgress != 0) return 0;
  for (auto& column : highlights) column.fill(0);
  const BoardLayer savedColours = colours;
  const BoardLayer savedRuneIds = runeIds;
  // The trial stamps its clock reading into placedAt as well; it is put back with the rest so
  // that an empty cell keeps the time of the rune that last lay there.
  const BoardLayer savedPlacedAt = placedAt;
  if (placeBlock(nullptr, -1, -1, 0) == 0) return 0;
  if (bossManager) bossManager->CheckForMatch(0);
  checkForHorizontalMatch(0);
  checkForVerticalMatch(0);
  colours = savedColours;
  runeIds = savedRuneIds;
  placedAt = savedPlacedAt;
  return 0;
}

int32_t TBoardManager::clearHighlights() {
  for (auto& column : highlights) column.fill(0);
  return 0;
}

int32_t TBoardManager::_drawHighlights() {
  if (!runes) return 0;
  for (int32_t y = 0; y < kBoardCells; ++y) {
    for (int32_t x = 0; x < kBoardCells; ++x) {
      const int32_t colour = highlights[static_cast<size_t>(x)][static_cast<size_t>(y)];
      if (colour != 0) runes->particleRune(colour, x, y, 0.0f, 0.0f, 0, 0);
    }
  }
  return 0;
}
