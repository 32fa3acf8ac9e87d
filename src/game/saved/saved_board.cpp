#include "game/saved/saved_board.h"

#include <array>

#include "game/board/board_manager.h"
#include "game/saved/saved_items.h"
#include "game/pieces/rune_manager.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"

namespace {

// The three bands of columns, each stored under its own key.
struct Band {
  int32_t firstColumn;
  int32_t lastColumn;
  const char16_t* runeSuffix;
  const char16_t* timerSuffix;
};
constexpr std::array<Band, 3> kBands = {{{0, 5, u"1", u"TimerLayer1"},
                                         {6, 11, u"2", u"TimerLayer2"},
                                         {12, 14, u"3", u"TimerLayer3"}}};

// One band's items of a layer, column by column.
template <typename Value>
TListPtr<String> BandItems(const Band& band, Value value) {
  auto items = CreateList<String>();
  for (int32_t x = band.firstColumn; x <= band.lastColumn; ++x)
    for (int32_t y = 0; y < kBoardCells; ++y) items->AddLast(CellItem(x, y, value(x, y)));
  return items;
}

// The lists of the three bands, all fetched before any is applied.
std::array<TListPtr<String>, 3> FetchBands(const String& prefix, bool timers) {
  std::array<TListPtr<String>, 3> lists;
  for (size_t i = 0; i < kBands.size(); ++i)
    lists[i] = ProfileList(prefix + (timers ? kBands[i].timerSuffix : kBands[i].runeSuffix));
  return lists;
}

template <typename Apply>
void ApplyBands(const std::array<TListPtr<String>, 3>& lists, Apply apply) {
  for (const TListPtr<String>& list : lists) {
    for (const String& item : *list) {
      int32_t x = 0, y = 0, v = 0;
      if (ReadCellItem(item, kBoardCells, kBoardCells, x, y, v)) apply(x, y, v);
    }
  }
}

}  // namespace

int32_t saveBoard(const String& prefix, int32_t saveNow) {
  if (!profile) return 0;
  for (const Band& band : kBands) {
    profile->SetList(prefix + band.runeSuffix,
                     BandItems(band, [](int32_t x, int32_t y) { return board->runeIds[x][y]; }), 0);
  }
  const int32_t now = MilliSecs();
  for (const Band& band : kBands) {
    // A cell never placed (placed at 0) gets the clock reading itself.
    profile->SetList(prefix + band.timerSuffix, BandItems(band, [now](int32_t x, int32_t y) {
                       return ElapsedMs(now, board->placedAt[x][y]);
                     }),
                     0);
  }
  if (saveNow != 0) profile->SaveProfile();
  return 0;
}

int32_t loadBoard(const String& prefix) {
  ApplyBands(FetchBands(prefix, false), [](int32_t x, int32_t y, int32_t v) {
    board->runeIds[x][y] = v;
    board->colours[x][y] = runes->getRuneColor(FromInt(v));
  });
  const std::array<TListPtr<String>, 3> timers = FetchBands(prefix, true);
  const int32_t now = MilliSecs();
  ApplyBands(timers, [now](int32_t x, int32_t y, int32_t age) {
    board->placedAt[x][y] = ElapsedMs(now, age);  // now - age, wrapping as the clock does
  });
  return 0;
}
