#include "game/levels/level_stats.h"

void TLevelStats::ResetStats() {
  receivedSpells = 0;
  spellsCast = 0;
  blocksUsed = 0;
  matches = 0;
  combos = 0;
}

