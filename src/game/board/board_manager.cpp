#include "game/board/board_manager.h"

#include "services/data_folders.h"
#include "game/pieces/rune_manager.h"
#include "platform/system.h"
#include "toolkit/string_utils.h"

BoardManagerPtr board;

int32_t BoardCellSize() { return board ? board->cellSize : 32; }

TBoardManager::TBoardManager() : backgroundPath(bundleDir + "gfx/bg/deski/deska-1.png") {}

void TBoardManager::setLine(int32_t row, const String& text) {
  if (row < 0 || row >= kBoardCells) return;
  int32_t column = 0;
  const TListPtr<String> items = splitString(text, S(" "));
  for (const String& item : *items) {
    // The grid has 15 columns: items past the last one are dropped.
    if (column >= kBoardCells) break;
    usable[static_cast<size_t>(column)][static_cast<size_t>(row)] = ToInt(item);
    ++column;
  }
}

void TBoardManager::loadBoard(const TSCFilePtr& tsc) {
  clearBoard();
  for (int32_t k = 1; k <= kBoardCells; ++k)
    setLine(k - 1, GetTSCStringKey(tsc, S("Board"), S("Line") + FromInt(k), 0));
}

void TBoardManager::loadRunes(const TSCFilePtr& tsc) {
  const int32_t now = MilliSecs();
  if (GetTSCStringKey(tsc, S("Runes"), S("Read"), 0) != S("1")) return;
  for (int32_t k = 1; k <= kBoardCells; ++k) {
    const auto y = static_cast<size_t>(k - 1);
    size_t x = 0;
    const TListPtr<String> items =
        splitString(GetTSCStringKey(tsc, S("Runes"), S("Line") + FromInt(k), 0), S(" "));
    for (const String& item : *items) {
      if (x >= static_cast<size_t>(kBoardCells)) break;
      const int32_t id = ToInt(item);
      runeIds[x][y] = id;
      colours[x][y] = runes ? runes->getRuneColor(FromInt(id)) : 0;
      placedAt[x][y] = now;
      ++x;
    }
  }
}

int32_t TBoardManager::saveBoard() { return 0; }
