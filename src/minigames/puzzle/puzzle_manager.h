// MINIMAL until the picture puzzle is built: only the loading of a puzzle level file that the
// quest's sequencer asks for. The picture puzzle's own work completes this type (pieces,
// scrambling, play and its summary).
#pragma once
#include <memory>

#include "datafiles/tsc_file.h"
#include "platform/text.h"

class TPuzzleManager {
 public:
  String fileName;  // the puzzle level file last asked for
  TSCFilePtr tsc;   // its content (empty when the archive has no such entry)

  virtual ~TPuzzleManager() = default;
  // Reads the named level file from the puzzle level archive.
  virtual void Load(const String& name);
};
using PuzzleManagerPtr = std::shared_ptr<TPuzzleManager>;

// Created by start-up among the singletons.
extern PuzzleManagerPtr puzzle;
