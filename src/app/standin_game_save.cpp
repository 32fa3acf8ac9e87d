// STAND-IN until the saved games exist (see the header).
#include "app/standin_game_save.h"

std::vector<std::string> gameSaveCalls;

namespace {
int32_t Note(const std::string& call) {
  gameSaveCalls.push_back(call);
  return 0;
}
int32_t Note(const std::string& call, int32_t saveNow) {
  return Note(call + " " + std::to_string(saveNow));
}
}  // namespace

int32_t saveBoard(const String& prefix, int32_t saveNow) {
  return Note("saveBoard " + ToUtf8(prefix), saveNow);
}
int32_t SaveLastBlock(const String& prefix, int32_t saveNow) {
  return Note("SaveLastBlock " + ToUtf8(prefix), saveNow);
}
int32_t SavePuzzles(int32_t saveNow) { return Note("SavePuzzles", saveNow); }
int32_t SaveProfile(int32_t saveNow) { return Note("SaveProfile", saveNow); }
int32_t SaveSpells(const String& prefix, int32_t saveNow) {
  return Note("SaveSpells " + ToUtf8(prefix), saveNow);
}
int32_t SaveLevelStats(int32_t saveNow) { return Note("SaveLevelStats", saveNow); }
int32_t SaveMagicSphere(int32_t saveNow) { return Note("SaveMagicSphere", saveNow); }

int32_t loadBoard(const String& prefix) { return Note("loadBoard " + ToUtf8(prefix)); }
int32_t LoadLastBlock(const String& prefix) { return Note("LoadLastBlock " + ToUtf8(prefix)); }
int32_t LoadSpells(const String& prefix) { return Note("LoadSpells " + ToUtf8(prefix)); }
int32_t LoadLevelStats() { return Note("LoadLevelStats"); }
int32_t LoadMagicSphere() { return Note("LoadMagicSphere"); }
