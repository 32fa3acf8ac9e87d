// A new player's profile with every key that has a default, and the quest cleared for a new
// start. Every key is written to the file the moment it is set.
#pragma once
#include <cstdint>

#include "platform/text.h"

// Creates the profile `name` and writes its defaults, in their fixed order. When the profile
// manager refuses the name (-1: the name is taken; 0: refused, or not found after creation) or
// cannot write its file (-2) nothing more is written, so another player's progress is never
// reset, and a line says so. Returns 0; `answer`, when given, receives the manager's answer.
int32_t CreateNewProfile(const String& name, int32_t* answer = nullptr);
// Empties the quest's saved board, saved block and puzzle and sets its points to 0; with a flag
// not 0 the quest also starts again at the sequence's first level (game state -3) with the
// difficulty `level` holds. Every other key keeps its value.
int32_t ClearProfile(int32_t flag);
