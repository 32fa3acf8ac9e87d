// The rune catalogue: every rune the game knows, read once from runes.tsc of the settings
// archive, and the rune-coloured sparks.
#pragma once
#include <cstdint>
#include <memory>

#include "datafiles/tsc_file.h"
#include "game/pieces/rune.h"
#include "platform/list.h"
#include "platform/text.h"

class TRuneManager {
 public:
  TSCFilePtr tscFile = CreateTSCFile();   // runes.tsc, kept for the whole run
  TListPtr<RunePtr> runes = CreateList<RunePtr>();  // in file order

  virtual ~TRuneManager() = default;

  // Reads runes.tsc of the settings archive into the catalogue. Returns 0.
  virtual int32_t loadRunesGfx();
  // Draws the rune's picture for the board's cell size with its top-left corner at (x, y).
  virtual int32_t Draw(int32_t id, float x, int32_t y);
  virtual int32_t isBlocked(int32_t id);
  // The rune a stone turns back into (0 when unknown).
  virtual int32_t unblocked(int32_t id);
  virtual int32_t getRuneColor(const String& id);
  virtual RunePtr _findRuneByID(const String& id);
  // One random colour component (1 red, 2 green, 3 blue) of the sparks of a colour number.
  virtual int32_t getRuneRGB(int32_t colour, int32_t component);
  // One spark in the colours of a colour number at a board cell, or at a screen point where
  // screenX / screenY are not 0.
  virtual int32_t particleRune(int32_t colour, int32_t cellX, int32_t cellY, float vx, float vy,
                               int32_t screenX, int32_t screenY);

  // Appends the runes of an already loaded runes.tsc store (the work of loadRunesGfx after
  // the archive has been read).
  void readCatalogue(const TSCFilePtr& tsc);
};
using RuneManagerPtr = std::shared_ptr<TRuneManager>;

// Created by start-up among the singletons.
extern RuneManagerPtr runes;
