// STAND-IN until the level selector exists: the level lists of the endless and time-attack
// games with the selected entry, as the title's commands use them, no preview; and the list of
// revealed levels in the profile that a new quest board level joins. Replace with the real
// TBoardSelector and remove this file.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/list.h"
#include "platform/text.h"

class TBoardSelector {
 public:
  // List kinds, the values of `mode`.
  static constexpr int32_t kQuestLevels = 0;
  static constexpr int32_t kTimedLevels = 1;
  static constexpr int32_t kEndlessLevels = 2;

  TListPtr<String> levels = CreateList<String>();
  int32_t mode = kQuestLevels;  // the kind of the list loaded last
  int32_t selectedIndex = 0;    // position of the selected entry in `levels`

  virtual ~TBoardSelector() = default;
  // Loads the list of `kind` and selects its first entry. Returns 0.
  virtual int32_t LoadList(int32_t kind);
  // The preview of the selected level: nothing yet. Returns 0.
  virtual int32_t LoadMiniBoard();
  // One entry forward or back, wrapping; nothing with an empty list. Return 0.
  virtual int32_t nextLevel();
  virtual int32_t PrevLevel();
  // The selected entry, or "" with an empty list.
  virtual String SelectedLevelName();
  // Adds the level file name to the profile list "revealedLevels" unless it is there already,
  // and stores the list in the profile; 1 when it was added, 0 when it was present.
  virtual int32_t AddLevel(const String& name);
};
using BoardSelectorPtr = std::shared_ptr<TBoardSelector>;

// Created by start-up among the singletons.
extern BoardSelectorPtr boardSelector;
