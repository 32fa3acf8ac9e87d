// MINIMAL (see the header).
#include "screens/popups/popup_manager.h"

#include "app/data_folders.h"
#include "datafiles/bca_archive.h"
#include "game/levels/level_sequencer.h"
#include "platform/files.h"

PopupManagerPtr popupManager;

void TPopupManager::Prepare() {
  levelPopups = CreateList<String>();
  const std::string archive = bundleDir + "data/popups_lp.bca";
  if (FileType(archive) != FILETYPE_FILE) return;
  TSCFilePtr tsc = CreateTSCFile();
  if (LoadTSCFileBB(tsc, archive, S("info.tsc")) == 0) return;
  const int32_t current = sequencer ? sequencer->currentLevel : 0;
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, String());
  for (const TSCGroupPtr& group : *groups) {
    const String path = GroupFullPath(*group);
    if (!tsc->ResolveKey(path, S("Level"))) continue;
    if (static_cast<int32_t>(GetTSCNumberKey(tsc, path, S("Level"), 0)) == current)
      levelPopups->AddLast(path);
  }
}
