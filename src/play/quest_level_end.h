// The end of a quest board level, once the quest level loop stops: on the goal the animated
// summary, then the level's points banked and, after the quest's final level, the quest's
// hiscore entry; a skipped level is banked without summary; a quit ends the program with the
// level banked when its goal is met.
#pragma once
#include <cstdint>

// Runs the level end and returns 0 for the main loop (level done); never returns once quit is
// set.
int32_t EndQuestLevel();
