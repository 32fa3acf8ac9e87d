// The board emptied into the magic sphere at once: every rune flies to its vial.
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/to_sphere_emiter.h"
#include "platform/system.h"

void TLevelManager::BigBoom() {
  if (!board) return;
  for (int32_t column = 0; column < kBoardCells; ++column) {
    for (int32_t row = 0; row < kBoardCells; ++row) {
      if (board->usable[column][row] == 0 || board->runeIds[column][row] == 0) continue;
      const int32_t colour = board->colours[column][row];
      // Drawn into locals one after another: the order of the random draws is fixed.
      const int32_t red = (runes ? runes->getRuneRGB(colour, 1) : 0) + Rand(-20, 20);
      const int32_t green = (runes ? runes->getRuneRGB(colour, 2) : 0) + Rand(-20, 20);
      const int32_t blue = (runes ? runes->getRuneRGB(colour, 3) : 0) + Rand(-20, 20);
      const int32_t half = board->cellSize / 2;
      TToSphereEmiter::add(static_cast<float>(board->originX + column * board->cellSize + half),
                           static_cast<float>(board->originY + row * board->cellSize + half), red,
                           green, blue, column, row, colour);
      board->runeIds[column][row] = 0;
    }
  }
}
