#include "game/levels/level_sequencer.h"

#include "services/data_folders.h"
#include "datafiles/bca_archive.h"
#include "platform/files.h"
#include "platform/system.h"

LevelSequencerPtr sequencer;
std::function<void(int32_t, const String&)> questLevelSetup;

void TLevelSequencer::Start(int32_t level) {
  currentLevel = level;
  tsc = CreateTSCFile();
  const std::string archive = bundleDir + "data/settings_lp.bca";
  if (FileType(archive) != FILETYPE_NONE || SingleFileOffset() > 0)
    LoadTSCFileBB(tsc, archive, S("sequencer.tsc"));
  firstLevel = GetTSCWholeNumberKey(tsc, S("Sequence"), S("FirstLevel"), 0);
  lastLevel = GetTSCWholeNumberKey(tsc, S("Sequence"), S("LastLevel"), 0);
}

int32_t TLevelSequencer::Get() {
  if (currentLevel < firstLevel || currentLevel > lastLevel) return 0;
  const String group =
      currentLevel == -1 ? S("Sequence::LevelA") : S("Sequence::Level") + FromInt(currentLevel);
  if (!tsc) tsc = CreateTSCFile();
  fileName = GetTSCStringKey(tsc, group, S("FileName"), 0);
  levelType = GetTSCWholeNumberKey(tsc, group, S("Type"), 0);
  return 1;
}

int32_t TLevelSequencer::setupLevel() {
  if (Get() == 0) return 0;
  if (questLevelSetup) questLevelSetup(levelType, fileName);
  return 1;
}

int32_t TLevelSequencer::nextLevel() {
  // The index cannot pass the largest int; past the last level it stops counting.
  if (currentLevel < INT32_MAX) ++currentLevel;
  return levelExists();
}

int32_t TLevelSequencer::levelExists() { return currentLevel <= lastLevel ? 1 : 0; }

int32_t LevelVoiceClip(int32_t currentLevel) {
  const int64_t remainder = (static_cast<int64_t>(currentLevel) + 2) % 5;
  return 8 + static_cast<int32_t>(remainder < 0 ? remainder + 5 : remainder);
}
