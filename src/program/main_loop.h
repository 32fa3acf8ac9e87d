// The main loop: after the start-up the program alternates between the title screen and the
// quest. The title screen runs its own menu loop and reports the player's choice; the quest then
// plays its levels one after the other (board level, picture puzzle or ring game, each by the
// screen that owns its kind), shows the world map between two levels, and saves the progress into
// the current player's profile. Leaving a level or the map for the menu brings the title back.
//
// The loop has no frame loop of its own (every screen it calls runs its own frames) and never
// returns: the program ends through End, called by the screens themselves on a quit or a close
// request; the end hook saveOnEnd then saves the options and, while saveToProfile is set, the
// game in progress. The loop decides when that must no longer happen: saveToProfile is cleared
// whenever the quest hands back to the title, so an endless or time-attack game started from
// the title never overwrites the quest's saved game.
#pragma once
#include <cstdint>
#include <functional>

#include "game/quest_flow.h"

// The quest level loop that plays a board level: goGlyphor. Tests put a recording one here.
extern std::function<int32_t(int32_t resume)> questLevelLoop;

// The main loop, for ever: PlayTitleAndQuest again and again. Never returns.
[[noreturn]] void RunGame();
// One round of the main loop: the title screen, the player's choice, then the quest until it
// hands back to the title. A quit or a close request ends the program inside (End).
void PlayTitleAndQuest();
// The quest from the current level on while quit is 0, gameState is not 0 and the level exists;
// clears saveToProfile when it hands back.
void PlayQuest();

// The whole program after the platform's start-up: StartUp, then RunGame, inside the program's
// error handling. A framework error prints its text on standard error, runs the end hooks and
// gives 255. In headless runs, where End throws ProgramEnded, it gives End's status; otherwise
// End leaves the process itself. Any other exception passes through.
int RunProgram();
