// The board emptied into the magic sphere at once: every rune flies to its vial.
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/volcano_emiter.h"
#include "platform/system.h"

void TLevelManager::BigBoom() {
  if (!board) return;
  for (int32_t column = 0; column < kBoardCells; ++column) {
    for (int32_t row = 0; row < kBoardCells; ++row) {
      if (board->usable[column][row] == 0 || board->runeIds[column][row] == 0) continue;
      const int32_t colour = board->colours[column][row];
      // Drawn into locals one after another: the order of the random draws is fixed.
      const int32_t red = JitteredRuneRGB(colour, 1);
      const int32_t green = JitteredRuneRGB(colour, 2);
      const int32_t blue = JitteredRuneRGB(colour, 3);
      TToSphereEmiter::add(static_cast<float>(CellCentreX(column)),
                           static_cast<float>(CellCentreY(row)), red, green, blue, column, row,
                           colour);
      board->runeIds[column][row] = 0;
    }
  }
}
