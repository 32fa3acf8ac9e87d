// The level lists, the selection and the preview of the level selector (see the header).
#include "screens/menu/board_selector.h"

#include <string>

#include "services/data_folders.h"
#include "datafiles/bca_archive.h"
#include "datafiles/tsc_file.h"
#include "game/board/board_manager.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "profiles/profile_manager.h"

BoardSelectorPtr boardSelector;

namespace {

const char* const kSettingsArchive = "data/settings_lp.bca";
const char* const kLevelArchive = "data/runes_levels_lp.bca";
const char16_t* const kRevealedLevels = u"revealedLevels";
const char16_t* const kFileNameKey = u"FileName";

// The preview: 13 pixels a cell, so the board's 32-pixel pictures are drawn at 13/32, with the
// middle of the level's used cells on this screen point.
constexpr int32_t kPreviewCellSize = 13;
constexpr float kPreviewScale = 0.40625f;
constexpr int32_t kPreviewMiddleX = 490;
constexpr int32_t kPreviewMiddleY = 370;
// One fade step a drawn frame, not scaled by the frame time: in from 0 in 10 steps (to
// 1.0000001 in single precision), out in 11.
constexpr float kFadeStep = 0.1f;
// The steps of the next and previous five buttons.
constexpr int32_t kLongStep = 5;

// The "FileName" of every top-level group of a list file, in file order. The value is looked up
// by the group's name, so groups that share a name all give the first one's value, and a group
// without the key gives "".
void AddListFile(TList<String>& levels, const char16_t* listFile) {
  TSCFilePtr tsc = CreateTSCFile();
  // A list file missing from the archive adds nothing.
  LoadTSCFileBB(tsc, bundleDir + kSettingsArchive, listFile);
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, u"");
  for (const TSCGroupPtr& group : *groups)
    levels.AddLast(GetTSCStringKey(tsc, group->name, kFileNameKey, 0));
}

// Every entry of the custom-levels folder but "." and "..", whatever its kind, as a full path in
// listing order. The folder is never created here; without it nothing is added.
void AddCustomLevels(TList<String>& levels) {
  const std::string folder = myDocsFolder + "/custom-levels";
  DirPtr dir = ReadDir(folder);
  if (!dir) return;
  for (std::string name = NextFile(dir); !name.empty(); name = NextFile(dir))
    if (name != "." && name != "..") levels.AddLast(FromPath(folder + "/" + name));
  CloseDir(dir);
}

// Reads the level file of a list entry: the archive entry of that name, else the plain file.
// Raises TextError when neither gives a level (the plain file's reader opens regular files only).
void ReadLevelFile(const TSCFilePtr& tsc, const String& name) {
  if (LoadTSCFileBB(tsc, bundleDir + kLevelArchive, name) == 1) return;
  LoadTSCFile(tsc, ToPath(name));
}

}  // namespace

// ---- Lists -----------------------------------------------------------------------------------

void TBoardSelector::LoadList(int32_t kind) {
  levels->Clear();
  mode = kind;
  if (kind == kQuestLevels) {
    TListPtr<String> revealed = profile ? profile->GetList(kRevealedLevels) : nullptr;
    if (revealed)
      for (const String& name : *revealed) levels->AddLast(name);
  } else if (kind == kTimedLevels || kind == kEndlessLevels) {
    AddListFile(*levels, kind == kTimedLevels ? u"timedLevels.tsc" : u"endlessLevels.tsc");
    AddCustomLevels(*levels);
  }
  selectedIndex = 0;
}

int32_t TBoardSelector::AddLevel(const String& name) {
  TListPtr<String> revealed = profile ? profile->GetList(kRevealedLevels) : nullptr;
  // No current profile: nowhere to keep the list.
  if (!revealed) return 0;
  for (const String& known : *revealed)
    if (known == name) return 0;
  revealed->AddLast(name);
  profile->SetList(kRevealedLevels, revealed, 1);
  return 1;
}

// ---- Selection -------------------------------------------------------------------------------

void TBoardSelector::step(int32_t by) {
  const int32_t n = levels->Count();
  selectedIndex += by;
  if (selectedIndex > n - 1) selectedIndex -= n;
  if (selectedIndex < 0) selectedIndex += n;
  reloadPending = 1;
}

void TBoardSelector::nextLevel() {
  if (!levels->IsEmpty()) step(1);
}

void TBoardSelector::PrevLevel() {
  if (!levels->IsEmpty()) step(-1);
}

void TBoardSelector::NextLevel5() {
  if (levels->Count() > kLongStep) step(kLongStep);
}

void TBoardSelector::PrevLevel5() {
  if (levels->Count() > kLongStep) step(-kLongStep);
}

String TBoardSelector::SelectedLevelName() {
  if (levels->IsEmpty()) return String();
  return levels->ValueAtIndex(selectedIndex);
}

// ---- Preview ---------------------------------------------------------------------------------

void TBoardSelector::resetParams() {
  if (board) {
    board->cellSize = kPreviewCellSize;
    board->scale = kPreviewScale;
    board->alpha = 1.0f;
  }
  previewAlpha = 0.0f;
}

void TBoardSelector::LoadMiniBoard() {
  previewBuilt_ = false;
  if (levels->IsEmpty() || !board) return;
  const String name = SelectedLevelName();
  TSCFilePtr tsc = CreateTSCFile();
  try {
    ReadLevelFile(tsc, name);
    board->loadBoard(tsc);
    board->loadRunes(tsc);
    board->loadFrame(tsc);
    board->buildFrame();
    board->createSmallBoardImage();
    resetParams();
    board->originX = kPreviewMiddleX - board->GetMiddleX();
    board->originY = kPreviewMiddleY - board->GetMiddleY();
    previewBuilt_ = true;
  } catch (const TextError&) {
    // No preview of this entry, and no message: the steps done so far stay as they are.
  }
}

void TBoardSelector::DrawMiniBoard() {
  SetColor(255, 255, 255);
  if (board) {
    board->alpha = previewAlpha;
    if (previewBuilt_) board->DrawSmall();
  }
  // The frame's picture used the opacity from before this step, so it is never negative.
  if (reloadPending != 0) {
    previewAlpha = previewAlpha - kFadeStep;
    if (previewAlpha < 0.0f) {
      reloadPending = 0;
      LoadMiniBoard();
      previewAlpha = 0.0f;
    }
  } else if (previewAlpha < 1.0f) {
    previewAlpha = previewAlpha + kFadeStep;
  }
}
