// The board of a game in progress in the current profile: the rune id and the age of every one
// of the 225 cells, under the mode's prefix ("runes" quest, "endless", "time"). Rune ids go to
// the lists prefix + "1", "2", "3" (columns 0-5, 6-11, 12-14: 90, 90 and 45 items), ages in
// milliseconds to prefix + "TimerLayer1" to "TimerLayer3", items "x:y:v" column by column.
//
// Each side reads the clock once, so runes placed together keep equal placed-at times and the
// time the game spent saved does not age them.
#pragma once
#include <cstdint>

#include "platform/text.h"

// Writes the six keys from `board`; with saveNow not 0 the profile file is written at the end.
int32_t saveBoard(const String& prefix, int32_t saveNow);
// Reads the six keys into `board`'s rune ids, colours (from the rune catalogue) and placed-at
// times. Items with fewer than three fields or a cell outside the board are skipped; a cell
// named by several items takes the last one; missing keys leave the board as it is.
int32_t loadBoard(const String& prefix);
