// The quest-flow state: where the quest stands between its levels and the map, and the flags
// with which the level loops, their popups and menus hand the flow back to the main loop.
// `gameState` is kept in the profile under "gameState"; the rest lives for one run.
#pragma once
#include <cstdint>

// The quest flow state, also kept in the profile under "gameState".
inline constexpr int32_t kGameStateNone = 0;      // no quest in progress: the quest loop does not run
inline constexpr int32_t kGameStatePlay = 1;      // play the current level
inline constexpr int32_t kGameStateMap = 2;       // the current level is finished; the map is next
inline constexpr int32_t kGameStateNewQuest = -3;  // a new quest's first level, played like 1
inline constexpr int32_t kGameStateReload = 10;   // a mode loop reloads its level (restart, retry) or loads a mode game

// The quest flow state (values above). 0 when the program starts.
extern int32_t gameState;
// 1 once the program is to end; set by the quest level loop on its way to ending the program.
// The quest loop does not run while it is set.
extern int32_t quit;
// 1 ends the current quest level as passed (the game-over popup's skip button).
extern int32_t skipLevel;
// The sequencer index of the quest level last started, for which levelReplays counts.
extern int32_t lastLevel;
// Game-over popups shown on that level in this run (not saved).
extern int32_t levelReplays;
// The result of the level or map just shown: non-zero sends the player back to the title.
extern int32_t menuQuit;
// 1 while the next level played resumes the game saved in the profile (a continue).
extern int32_t readFromProfile;
