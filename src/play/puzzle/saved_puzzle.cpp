// A picture puzzle in progress in the current profile (see the header).
#include "play/puzzle/saved_puzzle.h"

#include <vector>

#include "game/saved/saved_items.h"
#include "play/puzzle/puzzle_button.h"
#include "play/puzzle/puzzle_grid.h"
#include "play/puzzle/puzzle_manager.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"

int32_t SavePuzzles(int32_t saveNow) {
  if (!profile) return 0;
  auto cells = CreateList<String>();
  for (const ButtonPtr& button : *puzzle->grid->cells)
    if (auto piece = std::dynamic_pointer_cast<TPuzzleButton>(button))
      cells->AddLast(FromInt(piece->cell));
  profile->SetList(u"puzzles", cells, 0);
  profile->SetNumber(u"puzzlesTime", ElapsedMs(MilliSecs(), puzzle->startTime), 0);
  profile->SetNumber(u"puzzlesClicks", puzzle->clicks, 0);
  if (saveNow != 0) profile->SaveProfile();
  return 0;
}

int32_t LoadPuzzles() {
  if (!profile) return 0;
  std::vector<ButtonPtr> pieces;
  for (const ButtonPtr& button : *puzzle->grid->cells) pieces.push_back(button);
  const int32_t pieceCount = static_cast<int32_t>(pieces.size());
  size_t i = 0;
  const TListPtr<String> cells = ProfileList(u"puzzles");  // held while it is walked
  for (const String& item : *cells) {
    if (i >= pieces.size()) break;  // more items than pieces: the rest has no piece
    auto piece = std::dynamic_pointer_cast<TPuzzleButton>(pieces[i++]);
    const int32_t cell = ToInt(item);
    if (!piece || cell < 0 || cell >= pieceCount) continue;
    piece->cell = cell;
    piece->targetCell = cell;
    piece->SetPosition();
  }
  puzzle->startTime = ElapsedMs(MilliSecs(), profile->GetNumber(u"puzzlesTime"));
  puzzle->clicks = profile->GetNumber(u"puzzlesClicks");
  return 0;
}
