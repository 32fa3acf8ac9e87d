// STAND-IN until the saved games exist: a new profile with its default keys, and the current
// profile's progress loaded into the game. Here a new profile gets only its list of revealed
// levels, and loading only counts its calls. Replace with the real
// functions and remove this file.
#pragma once
#include <cstdint>

#include "platform/text.h"

// Calls of LoadProfile so far (stand-in only).
extern int32_t profileLoads;

// Creates the profile `name` through the profile manager, which makes it current, and writes
// "revealedLevels" = "level_01.tsc" into it at once. Nothing more when the manager refuses.
void CreateNewProfile(const String& name);
// Counts the call; nothing is read.
void LoadProfile();
