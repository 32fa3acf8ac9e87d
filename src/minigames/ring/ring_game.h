// MINIMAL until the ring game is built: only the loading of a ring-game level file that the
// quest's sequencer asks for. The ring game's own work completes this type (the ring, its
// sequences, play and the spells it awards).
#pragma once
#include <memory>

#include "datafiles/tsc_file.h"
#include "platform/text.h"

class TRingGame {
 public:
  String fileName;  // the ring level file last asked for
  TSCFilePtr tsc;   // its content (empty when the archive has no such entry)

  virtual ~TRingGame() = default;
  // Reads the named level file from the ring level archive.
  virtual void Load(const String& name);
  // Puts the spells won in the ring game on the board: for each kind 1 to 6, as many spells as
  // the profile number "RMGRecivedSpell" + kind says.
  static void CopySpells();
  // The ring game's pictures and sounds, once at start-up. STAND-IN: loads nothing yet
  // (standin_ring_gfx.cpp); the ring game's own work replaces it.
  virtual void loadGfx();
};
using RingGamePtr = std::shared_ptr<TRingGame>;

// Created by start-up among the singletons.
extern RingGamePtr ringGame;
