// The loops in which the board game is played: one quest board level (goGlyphor), and one
// endless or time-attack game on a chosen level board (goEndless, goTimeAtack). Each loop owns
// the screen while it runs, drives the global singletons of the board game in a fixed order,
// one frame per display refresh, and opens the in-game menu, the popups and its summary inside
// the call. A quit ends the program inside the call; the end hook then saves what is to be kept.
#pragma once
#include <cstdint>

#include "platform/text.h"

// Plays the current quest board level, new (0) or resumed from the profile (not 0). Returns 0
// when the level is done (won through its summary, or skipped) and 1 when the player went back
// to the main menu; it never returns once quit is set.
int32_t goGlyphor(int32_t resume);

// Plays an endless game on the level file `levelName`, or resumes the saved endless game when
// the name is empty. Returns 0 when there was nothing to resume and when the player left
// through the in-game menu (the game is then saved), 1 after game over and its summary.
int32_t goEndless(const String& levelName);

// Plays a time-attack game on the level file `levelName`, or resumes the saved time-attack game
// when the name is empty. Returns 0 when there was nothing to resume, 1 when the player left
// through the in-game menu (the game is then saved) and 1 after game over and its summary.
int32_t goTimeAtack(const String& levelName);

// The time limit of a time-attack game, whatever the level file says: one minute to 500 s.
inline constexpr int32_t kTimeAttackMinLimitMs = 60000;
inline constexpr int32_t kTimeAttackMaxLimitMs = 500000;
// Holds the level timer's limit within those bounds.
void ClampTimeAttackLimit();
