// A picture puzzle in progress in the current profile: "puzzles" (the cell of every piece in
// list order), "puzzlesTime" (the elapsed milliseconds) and "puzzlesClicks". As with the rest of
// a saved game, the setters never write the file; with saveNow not 0 the profile is written
// once at the end.
#pragma once
#include <cstdint>

// Copies the pieces' cells, the puzzle's clock and clicks into the profile.
int32_t SavePuzzles(int32_t saveNow);
// Puts each listed piece on its cell (never past the last piece; a cell outside the puzzle is
// skipped, the piece then keeps its place) and restores the puzzle's clock and clicks.
int32_t LoadPuzzles();
