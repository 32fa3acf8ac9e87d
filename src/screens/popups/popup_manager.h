// MINIMAL until the popups are built: only the gathering of the information popups of the
// quest level being set up. The popups' own work completes this type (events, showing each
// popup over the frozen level, the game-over popup).
#pragma once
#include <memory>

#include "platform/list.h"
#include "platform/text.h"

class TPopupManager {
 public:
  // Full group paths in "info.tsc" of the popups of the level last prepared.
  TListPtr<String> levelPopups = CreateList<String>();

  virtual ~TPopupManager() = default;
  // Gathers the top-level groups of "info.tsc" whose Level is the sequencer's current level.
  virtual void Prepare();
};
using PopupManagerPtr = std::shared_ptr<TPopupManager>;

// Created by start-up among the singletons.
extern PopupManagerPtr popupManager;
