// STAND-IN until the saved games are built: the two restore functions that the picture puzzle
// calls when it resumes the game saved in the profile. The saved-games issue replaces them with
// its own (beside SavePuzzles) and removes this file.
#pragma once
#include "app/standin_game_save.h"
#include "platform/text.h"

// Puts piece i of the puzzle's board on entry i of the profile list "puzzles" (as its cell and
// its target cell), and restores the puzzle's startTime from "puzzlesTime" (ms played) and
// clicks from "puzzlesClicks". Entries beyond the board are ignored.
void LoadPuzzles();
// LoadSpells comes from the saved-game stand-in.
