// The rest of a game in progress in the current profile, beside its board and block in hand:
// the quest's progress, the spells lying on the board, the level
// statistics with the level timer, and the magic sphere's vials. Each Save copies fields of the
// game's singletons into profile keys (its setters never write the file; with saveNow not 0
// the profile is written once at its end); the matching Load copies them back.
//
// Clock times are stored as elapsed milliseconds and restored against the clock of the moment,
// so a resumed game goes on where it stood and the time it spent saved does not count.
#pragma once
#include <cstdint>

#include "platform/text.h"

// A picture puzzle in progress is saved beside these by the puzzle itself
// (play/puzzle/saved_puzzle.h).

// "level", "pointsActual", "pointsTotal", "gameState", "difficulty", "revealedImages".
int32_t SaveProfile(int32_t saveNow);
// Restarts the level sequence at the stored level and restores the rest; a text error on the
// way prints "560" and skips the remaining steps.
int32_t LoadProfile();

// prefix + "Bonuses": "kind:column:row:colour" for every spell lying on the board.
int32_t SaveSpells(const String& prefix, int32_t saveNow);
// Adds every stored spell to those on the board; items with fewer than four fields or a cell
// outside the board are skipped.
int32_t LoadSpells(const String& prefix);

// The five level counters and "levelTime", the level timer's elapsed time.
int32_t SaveLevelStats(int32_t saveNow);
int32_t LoadLevelStats();

// "ballsFil0" to "ballsFil4": the balls in each vial, cut toward zero.
int32_t SaveMagicSphere(int32_t saveNow);
// Each vial shows its stored fill at once (held within 0..1); a full vial counts as having
// filled 3000 ms ago, so it neither bursts, sounds nor glows again. A vial in use whose capacity
// is 0 or less counts as full, as the sphere draws it.
int32_t LoadMagicSphere();
