#include "datafiles/lp_check.h"

#include "datafiles/bca_archive.h"

int BBFileExist(const std::string& archivePath, const String& entryName) {
  bool exists = false;
  StreamPtr archive = OpenBBArchive(archivePath, exists);
  if (!archive) return 0;
  int32_t dataSize = 0;
  // An archive that is empty, foreign or cut short fails like one without the entry.
  BBEntryStatus status = FindBBEntry(archive, entryName, dataSize);
  CloseFile(archive);
  return status == BBEntryStatus::Found ? 1 : 0;
}

std::vector<std::string> DamagedLevelPacks() {
  static const char* const kPacks[] = {
      "data/settings_lp.bca",     "data/runes_levels_lp.bca", "data/puzzle_levels_lp.bca",
      "data/ring_levels_lp.bca",  "data/popups_lp.bca",
  };
  std::vector<std::string> damaged;
  for (const char* pack : kPacks)
    if (!BBFileExist(pack, u"pack.txt")) damaged.push_back(pack);
  return damaged;
}

int CheckLPFiles() { return DamagedLevelPacks().empty() ? 1 : 0; }
