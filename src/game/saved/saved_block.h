// The block in hand of a game in progress in the current profile, with the block manager's
// history of recent blocks, under the mode's prefix ("runes", "endless", "time"): the lists
// prefix + "ActualBlockSet" (rune ids) and prefix + "ActualBlockColor" (colours), 16 items
// "x:y:v" each, item n the cell [n div 4, n mod 4], and the numbers prefix + "PrevBlock0" to
// "PrevBlock2". The grids are stored unturned; the rotation stays with the block manager.
#pragma once
#include <cstdint>

#include "platform/text.h"

// Writes the keys from `blocks`. Without a block in hand only the two lists are written,
// empty (no saved block); the history keys keep their earlier values. With saveNow not 0 the
// profile file is written at the end.
int32_t SaveLastBlock(const String& prefix, int32_t saveNow);
// When both lists hold items: a new block in hand made of them and the history from the three
// numbers. Items with fewer than three fields or a cell outside the 4 x 4 grid are skipped.
// Nothing changes when either list is missing or empty.
int32_t LoadLastBlock(const String& prefix);
