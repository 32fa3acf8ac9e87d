// The pause menu of the board games: the quest, endless and time-attack loops call
// showInGameMenu when the player asks for the menu, and act on its answer.
//
// The menu runs its own frame loop over the frozen game: the level clock is paused and the
// board's petrification clock is moved on by the length of the pause, so the game goes on as if
// no time had passed. The level music keeps playing under the menu (the in-game options set its
// volume). The key or click that closes the menu is flushed, so the game's next frame does not
// act on it.
#pragma once
#include <cstdint>

// Shows the menu window's in-game menu (state 2) until the player resumes (its button or
// Escape, also from the in-game options), restarts, goes to the main menu or closes the window.
// The help button shows the boss tutorial on a boss level, else the main tutorial; a close
// request during the main tutorial quits. The argument is what the caller passes (1 quest and
// endless, 3 time attack); nothing depends on it. Answers one of the results below.
int32_t showInGameMenu(int32_t caller);

// Results of the in-game menu.
inline constexpr int32_t kMenuResume = 0;
inline constexpr int32_t kMenuRestart = 2;
inline constexpr int32_t kMenuMainMenu = 3;
inline constexpr int32_t kMenuQuit = 4;
