#include "game/spells/boss_manager.h"

BossManagerPtr bossManager;

int32_t TBossRune::CheckMove(int32_t column, int32_t row) {
  return column >= cellX && column <= cellX + 1 && row >= cellY && row <= cellY + 1 ? 1 : 0;
}

int32_t TBossManager::CheckMove(int32_t column, int32_t row) {
  int32_t covered = 0;
  for (const BossRunePtr& rune : *bossRunes)
    if (rune->alive != 0 && rune->CheckMove(column, row) != 0) covered = 1;
  return covered;
}
