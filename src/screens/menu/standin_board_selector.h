// STAND-IN until the level selector exists: only the list of revealed levels in the profile
// that a new quest board level joins. Replace with the real TBoardSelector and remove this file.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/text.h"

class TBoardSelector {
 public:
  virtual ~TBoardSelector() = default;
  // Adds the level file name to the profile list "revealedLevels" unless it is there already,
  // and stores the list in the profile; 1 when it was added, 0 when it was present.
  virtual int32_t AddLevel(const String& name);
};
using BoardSelectorPtr = std::shared_ptr<TBoardSelector>;

extern BoardSelectorPtr boardSelector;
