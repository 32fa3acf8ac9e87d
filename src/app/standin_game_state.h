// STAND-IN until the main loop exists: the quest flow state that the main loop keeps (0 none,
// 1 play a level, 2 show the map, -3 a new quest just started, 10 while a level reloads).
// Replace with the main loop's own declaration and remove this file.
#pragma once
#include <cstdint>

extern int32_t gameState;

// Game-over popups shown for the current quest level; the quest level loop zeroes it when it
// starts a level other than the last one it started.
extern int32_t levelReplays;
// 1: end the current quest level as passed. Only the game-over popup's skip button sets it.
extern int32_t skipLevel;
// 1 while the level or puzzle being started must resume the game saved in the profile.
extern int32_t readFromProfile;
