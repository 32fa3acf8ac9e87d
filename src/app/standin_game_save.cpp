// STAND-IN until the game modes and saved games exist (see the header).
#include "app/standin_game_save.h"

std::vector<std::string> gameSaveCalls;

namespace {
void Note(const std::string& call, int32_t saveNow) {
  gameSaveCalls.push_back(call + " " + std::to_string(saveNow));
}
}  // namespace

void saveBoard(const String& prefix, int32_t saveNow) { Note("saveBoard " + ToUtf8(prefix), saveNow); }
void SaveLastBlock(const String& prefix, int32_t saveNow) {
  Note("SaveLastBlock " + ToUtf8(prefix), saveNow);
}
void SavePuzzles(int32_t saveNow) { Note("SavePuzzles", saveNow); }
void SaveProfile(int32_t saveNow) { Note("SaveProfile", saveNow); }
void SaveSpells(const String& prefix, int32_t saveNow) { Note("SaveSpells " + ToUtf8(prefix), saveNow); }
void SaveLevelStats(int32_t saveNow) { Note("SaveLevelStats", saveNow); }
void SaveMagicSphere(int32_t saveNow) { Note("SaveMagicSphere", saveNow); }
