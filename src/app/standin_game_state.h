// STAND-IN until the main loop exists: the flags of the main loop that the game modes, the
// puzzle and the gallery read and write. Replace with the main loop's own declarations and
// remove this file.
#pragma once
#include <cstdint>

// The quest flow state, also kept in the profile: 0 none, 1 play a level, 2 show the map,
// -3 a new quest just started (played like 1), 10 while a level reloads inside a mode loop.
extern int32_t gameState;
// 1 asks the program to end; the main loop plays quest levels only while it is 0.
extern int32_t quit;
// 1 ends the current quest level as passed (the game-over popup's skip button).
extern int32_t skipLevel;
// The sequencer index of the quest level last started, for which levelReplays counts.
extern int32_t lastLevel;
// Game-over popups shown on that level in this run (not saved).
extern int32_t levelReplays;
// What the quest level loop returned: 0 level done, 1 back to the title.
extern int32_t menuQuit;
// 1 when the next quest level resumes the game saved in the profile.
extern int32_t readFromProfile;
