// STAND-IN (see the header).
#include "minigames/puzzle/standin_puzzle_resume.h"

#include "minigames/puzzle/puzzle_manager.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"

void LoadPuzzles() {
  if (!puzzle || !profile) return;
  TListPtr<String> cells = profile->GetList(S("puzzles"));
  if (cells) {
    int32_t i = 0;
    for (const String& entry : *cells) {
      PuzzleButtonPtr piece = puzzle->grid->Piece(i++);
      if (!piece) break;
      piece->cell = ToInt(entry);
      piece->targetCell = piece->cell;
      piece->SetPosition();
    }
  }
  puzzle->startTime = ElapsedMs(MilliSecs(), profile->GetNumber(S("puzzlesTime")));
  puzzle->clicks = profile->GetNumber(S("puzzlesClicks"));
}

