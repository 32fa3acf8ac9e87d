#include "game/spells/boss_manager.h"

#include <vector>

#include "game/levels/level_manager.h"
#include "toolkit/string_utils.h"

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

void TBossManager::Load(const TSCFilePtr& tsc) {
  bossRunes = CreateList<BossRunePtr>();
  if (!level || level->goalType != 3) return;
  TListPtr<String> entries =
      splitString(GetTSCStringKey(tsc, S("Settings::Level"), S("BossRunes"), 0), S(" "));
  for (const String& entry : *entries) {
    TListPtr<String> pieces = splitString(entry, S(":"));
    std::vector<int32_t> numbers;
    for (const String& piece : *pieces) numbers.push_back(ToInt(piece));
    numbers.resize(3, 0);
    auto rune = std::make_shared<TBossRune>();
    rune->id = numbers[0];
    rune->cellX = numbers[1];
    rune->cellY = numbers[2];
    rune->alive = 1;
    bossRunes->AddLast(rune);
  }
}

int32_t TBossManager::CheckForGoal() { return !bossRunes || bossRunes->Count() == 0 ? 1 : 0; }
