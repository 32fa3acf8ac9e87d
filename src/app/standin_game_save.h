// STAND-IN until the saved games exist: the functions that store the game in progress into the
// current profile and read it back. Here each only notes its call (name and arguments) in
// gameSaveCalls, so the order of saving and restoring can be checked; nothing is stored or
// restored. Replace with the real functions and remove this file.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text.h"

extern std::vector<std::string> gameSaveCalls;

int32_t saveBoard(const String& prefix, int32_t saveNow);
int32_t SaveLastBlock(const String& prefix, int32_t saveNow);
int32_t SavePuzzles(int32_t saveNow);
int32_t SaveProfile(int32_t saveNow);
int32_t SaveSpells(const String& prefix, int32_t saveNow);
int32_t SaveLevelStats(int32_t saveNow);
int32_t SaveMagicSphere(int32_t saveNow);

int32_t loadBoard(const String& prefix);
int32_t LoadLastBlock(const String& prefix);
int32_t LoadSpells(const String& prefix);
int32_t LoadLevelStats();
int32_t LoadMagicSphere();
