// STAND-IN until the level selector exists (see the header).
#include "screens/menu/standin_board_selector.h"

#include "app/data_folders.h"
#include "datafiles/bca_archive.h"
#include "datafiles/tsc_file.h"
#include "platform/files.h"
#include "profiles/profile_manager.h"

BoardSelectorPtr boardSelector;

namespace {

void AddArchiveList(TList<String>& levels, const char16_t* entry) {
  TSCFilePtr tsc = CreateTSCFile();
  LoadTSCFileBB(tsc, bundleDir + "data/settings_lp.bca", entry);
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, u"");
  for (const TSCGroupPtr& group : *groups)
    levels.AddLast(GetTSCStringKey(tsc, group->name, u"FileName"));
  const std::string folder = myDocsFolder + "/custom-levels";
  DirPtr dir = ReadDir(folder);
  if (!dir) return;
  for (std::string name = NextFile(dir); !name.empty(); name = NextFile(dir))
    if (name != "." && name != "..") levels.AddLast(FromPath(folder + "/" + name));
  CloseDir(dir);
}

}  // namespace

int32_t TBoardSelector::LoadList(int32_t kind) {
  levels->Clear();
  mode = kind;
  selectedIndex = 0;
  if (kind == kQuestLevels) {
    TListPtr<String> reached = profile ? profile->GetList(u"revealedLevels") : nullptr;
    if (reached)
      for (const String& name : *reached) levels->AddLast(name);
  } else {
    AddArchiveList(*levels, kind == kTimedLevels ? u"timedLevels.tsc" : u"endlessLevels.tsc");
  }
  return 0;
}

int32_t TBoardSelector::LoadMiniBoard() { return 0; }

int32_t TBoardSelector::nextLevel() {
  if (levels->IsEmpty()) return 0;
  selectedIndex = (selectedIndex + 1) % levels->Count();
  return 0;
}

int32_t TBoardSelector::PrevLevel() {
  if (levels->IsEmpty()) return 0;
  selectedIndex = (selectedIndex + levels->Count() - 1) % levels->Count();
  return 0;
}

String TBoardSelector::SelectedLevelName() {
  return levels->IsEmpty() ? String() : levels->ValueAtIndex(selectedIndex);
}

int32_t TBoardSelector::AddLevel(const String& name) {
  if (!profile || !profile->current) return 0;
  TListPtr<String> revealed = profile->GetList(S("revealedLevels"));
  for (const String& known : *revealed)
    if (known == name) return 0;
  revealed->AddLast(name);
  profile->SetList(S("revealedLevels"), revealed, 1);
  return 1;
}
