// MINIMAL (see the header).
#include "minigames/ring/ring_game.h"

#include "app/data_folders.h"
#include "datafiles/bca_archive.h"
#include "platform/files.h"

RingGamePtr ringGame;

void TRingGame::Load(const String& name) {
  fileName = name;
  tsc = CreateTSCFile();
  const std::string archive = bundleDir + "data/ring_levels_lp.bca";
  if (FileType(archive) == FILETYPE_FILE) LoadTSCFileBB(tsc, archive, name);
}
