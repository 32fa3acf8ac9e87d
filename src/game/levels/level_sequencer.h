// The quest's level sequence: the numbered entries of "sequencer.tsc", each naming a level file
// and its kind (board level, picture puzzle or ring game), and the position in it.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "datafiles/tsc_file.h"
#include "platform/text.h"

class TLevelSequencer {
 public:
  // Values of `levelType`; the quest plays any other type as a board level.
  static constexpr int32_t kBoardLevel = 1;
  static constexpr int32_t kPuzzleLevel = 2;
  static constexpr int32_t kRingLevel = 3;

  int32_t currentLevel = 0;  // index of the current entry; -1 selects Sequence::LevelA
  String fileName;           // FileName of the current entry
  int32_t levelType = 0;     // 1 board level, 2 picture puzzle, 3 ring game (below)
  TSCFilePtr tsc;            // the sequence file, kept after Start
  int32_t firstLevel = 0;
  int32_t lastLevel = 0;

  virtual ~TLevelSequencer() = default;

  // Loads the sequence file and sets the position.
  virtual void Start(int32_t level);
  // Copies the current entry into fileName and levelType; 0 when the index is out of range.
  virtual int32_t Get();
  // Get, then prepares the entry's game; 0 when Get failed.
  virtual int32_t setupLevel();
  // Moves to the next entry; 1 while it exists.
  virtual int32_t nextLevel();
  virtual int32_t levelExists();
};
using LevelSequencerPtr = std::shared_ptr<TLevelSequencer>;

// Created by start-up among the singletons.
extern LevelSequencerPtr sequencer;
// Prepares the game of the entry setupLevel has just read, by its kind. Set by the start-up
// (program/layer_links.cpp) to SetUpQuestLevel (play/quest_level_setup.h).
extern std::function<void(int32_t levelType, const String& fileName)> questLevelSetup;

// The interface sound of the voice clip that praises a finished quest level: one of the five
// clips 8..12, the same for a level every time, and all five over five levels in a row; the
// remainder is taken non-negative, so indices below 0 name a clip too.
int32_t LevelVoiceClip(int32_t currentLevel);
