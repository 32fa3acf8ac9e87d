#include "game/saved/saved_block.h"

#include "game/saved/saved_items.h"
#include "game/pieces/blocks_manager.h"
#include "profiles/profile_manager.h"

namespace {

constexpr int32_t kGridCells = 4;  // a block's grids are 4 x 4
const char16_t* const kCellsSuffix = u"ActualBlockSet";
const char16_t* const kColorsSuffix = u"ActualBlockColor";
const char16_t* const kHistorySuffix = u"PrevBlock";

TListPtr<String> GridItems(const BlockGrid& grid) {
  auto items = CreateList<String>();
  for (int32_t x = 0; x < kGridCells; ++x)
    for (int32_t y = 0; y < kGridCells; ++y) items->AddLast(CellItem(x, y, grid[x][y]));
  return items;
}

void ApplyGrid(const TListPtr<String>& items, BlockGrid& grid) {
  for (const String& item : *items) {
    int32_t x = 0, y = 0, v = 0;
    if (ReadCellItem(item, kGridCells, kGridCells, x, y, v)) grid[x][y] = v;
  }
}

}  // namespace

int32_t SaveLastBlock(const String& prefix, int32_t saveNow) {
  if (!profile) return 0;
  const BlockPtr& held = blocks->currentBlock;
  if (!held) {
    profile->SetList(prefix + kCellsSuffix, CreateList<String>(), 0);
    profile->SetList(prefix + kColorsSuffix, CreateList<String>(), 0);
  } else {
    profile->SetList(prefix + kCellsSuffix, GridItems(held->cells), 0);
    profile->SetList(prefix + kColorsSuffix, GridItems(held->colors), 0);
    for (size_t i = 0; i < blocks->history.size(); ++i)
      profile->SetNumber(prefix + kHistorySuffix + FromInt(static_cast<int64_t>(i)),
                         blocks->history[i], 0);
  }
  if (saveNow != 0) profile->SaveProfile();
  return 0;
}

int32_t LoadLastBlock(const String& prefix) {
  const TListPtr<String> cells = ProfileList(prefix + kCellsSuffix);
  const TListPtr<String> colors = ProfileList(prefix + kColorsSuffix);
  if (cells->IsEmpty() || colors->IsEmpty()) return 0;
  auto held = std::make_shared<TBlock>();
  ApplyGrid(cells, held->cells);
  ApplyGrid(colors, held->colors);
  blocks->currentBlock = held;
  for (size_t i = 0; i < blocks->history.size(); ++i)
    blocks->history[i] = profile->GetNumber(prefix + kHistorySuffix + FromInt(static_cast<int64_t>(i)));
  return 0;
}
