// MINIMAL (see the header).
#include "minigames/ring/ring_game.h"

#include "app/data_folders.h"
#include "profiles/profile_manager.h"
#include "datafiles/bca_archive.h"
#include "game/spells/bonus_manager_a.h"
#include "platform/files.h"

RingGamePtr ringGame;

void TRingGame::Load(const String& name) {
  fileName = name;
  tsc = CreateTSCFile();
  const std::string archive = bundleDir + "data/ring_levels_lp.bca";
  if (FileType(archive) == FILETYPE_FILE) LoadTSCFileBB(tsc, archive, name);
}

void TRingGame::CopySpells() {
  if (!profile || !bonusManagerAlt) return;
  for (int32_t kind = 1; kind <= 6; ++kind) {
    const int32_t count = profile->GetNumber(S("RMGRecivedSpell") + FromInt(kind));
    for (int32_t k = 0; k < count; ++k) bonusManagerAlt->AddBonus(kind);
  }
}
