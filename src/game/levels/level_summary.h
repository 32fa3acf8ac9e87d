// The end-of-level summary: the sequence a won quest level, or a finished endless or time-attack
// game, plays before it is left. The free cells of the board are counted as a bonus (25 points
// each) with sparks on them, two doors slide shut, a scroll unrolls between them with the level's
// figures, the bonus is counted over into the total shown on the scroll, the player clicks, the
// scroll rolls up and the screen fades to black.
//
// The state lives in the summary fields of the level manager; these routines move it. Phases:
//   0 wait 1 s             1 bonus count (a cell every second update)   2 doors close
//   3 wait 0.5 s           4 rollers fade in (0.1 s)                     5 scroll opens
//   6 wait 0.2 s           7 transfer (25 points per step, 25 ms apart)  8 wait for a click
//   9 scroll closes       10 rollers fade out (0.1 s)                   11 fade to black (0.2 s)
//  12 done (summaryDone 1)
// The waits run on MilliSecs; the movements of the doors and the scroll are steps per update.
// A phase entered during an update runs its own step in that same update.
#pragma once
#include <cstdint>

#include "game/levels/level_manager.h"

// The bonus of one free cell.
inline constexpr int32_t kSummaryCellBonus = 25;

// The routines themselves are methods of TLevelManager: startSummary (called once when the level
// ends, before the first update), updateSummary (once per frame), doShortSummary and drawDoors.
//
// doShortSummary is the bonus count without animation, for a quit during the summary: it credits
// to the level score every free cell that the summary has not credited yet, counted or not,
// exactly once. From phase 2 on the count has already been credited and nothing is added. It
// leaves the summary as the end of the count does (phase 2, the whole bonus in bonusPoints, the
// looping count sound stopped, the jingle's channel let go), so a second call adds nothing.
// Loading a level file leaves the summary not begun (phase 0, cursor on the first cell), so a
// level quit before its summary credits its own cells, not the count an earlier level left.

// One slowly drifting spark near the lower left of the scroll (the quest summary's).
void createSpark();

// A cell that counts for the bonus: part of the level's shape and holding no rune.
bool summaryCellFree(int32_t column, int32_t row);
// The free cells from (column, row) to the end of the board in scan order (row by row, each row
// from column 0 to 14), the cell itself included.
int32_t summaryFreeCellsFrom(int32_t column, int32_t row);
