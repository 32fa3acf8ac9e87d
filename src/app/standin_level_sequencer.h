// STAND-IN until the levels subsystem exists: only the level sequencer's fields that the
// options save reads. Replace with the real TLevelSequencer and remove this file.
#pragma once
#include <cstdint>
#include <memory>

class TLevelSequencer {
 public:
  int32_t currentLevel = 0;
  int32_t levelType = 0;
  int32_t firstLevel = 0;
  int32_t lastLevel = 0;
};
using LevelSequencerPtr = std::shared_ptr<TLevelSequencer>;

extern LevelSequencerPtr sequencer;
