// STAND-IN until the game modes and saved games exist: the save functions that store the game
// in progress into the current profile. Here each only notes its call (name and arguments) in
// gameSaveCalls, so the options save can be checked; nothing is stored. Replace with the real
// functions and remove this file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text.h"

extern std::vector<std::string> gameSaveCalls;

void saveBoard(const String& prefix, int32_t saveNow);
void SaveLastBlock(const String& prefix, int32_t saveNow);
void SavePuzzles(int32_t saveNow);
void SaveProfile(int32_t saveNow);
void SaveSpells(const String& prefix, int32_t saveNow);
void SaveLevelStats(int32_t saveNow);
void SaveMagicSphere(int32_t saveNow);
