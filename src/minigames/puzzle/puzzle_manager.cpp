// MINIMAL (see the header).
#include "minigames/puzzle/puzzle_manager.h"

#include "app/data_folders.h"
#include "datafiles/bca_archive.h"
#include "platform/files.h"

PuzzleManagerPtr puzzle;

void TPuzzleManager::Load(const String& name) {
  fileName = name;
  tsc = CreateTSCFile();
  const std::string archive = bundleDir + "data/puzzle_levels_lp.bca";
  if (FileType(archive) == FILETYPE_FILE) LoadTSCFileBB(tsc, archive, name);
}
