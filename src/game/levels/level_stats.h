// What the player did in the level in play: blocks placed, clearings, combo clearings, spells
// that appeared and spells that went off. The level manager carries these counters (it derives
// from this type, so they read as `level->matches`); the board and the spell manager add to them,
// the summaries and popups read them, and a saved story game keeps them.
#pragma once
#include <cstdint>

class TLevelStats {
 public:
  int32_t receivedSpells = 0;  // spells placed on the board ("levelRrecivedSpells")
  int32_t spellsCast = 0;      // spells that went off on a cleared cell ("levelDroppedSpells")
  int32_t blocksUsed = 0;      // committed block placements ("levelUsedBlocks")
  int32_t matches = 0;         // clearings that removed at least one line ("levelMatches")
  int32_t combos = 0;          // such clearings whose lines held two or more colours ("levelCombos")

  virtual ~TLevelStats() = default;

  // Clears the five counters; the mode loops call it when a level starts or restarts.
  virtual void ResetStats();
};
