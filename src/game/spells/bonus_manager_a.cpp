// MINIMAL (see the header).
#include "game/spells/bonus_manager_a.h"

#include <algorithm>
#include <vector>

#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "platform/system.h"
#include "toolkit/string_utils.h"

BunusManagerAPtr bonusManagerAlt;

int32_t TBunusManagerA::FindBonus(int32_t x, int32_t y) {
  for (const BonusAPtr& bonus : *bonuses)
    if (bonus->cellX == x && bonus->cellY == y) return bonus->kind;
  return 0;
}

int32_t TBunusManagerA::Clear(int32_t x, int32_t y) {
  int32_t fired = 0;
  for (const BonusAPtr& bonus : *bonuses) {
    if (bonus->cellX != x || bonus->cellY != y) continue;
    const BonusAPtr keep = bonus;
    bonuses->Remove(keep);
    active->AddLast(keep);
    fired = 1;
    if (level) {
      ++level->spellsCast;
      level->isGoalAchieved();
    }
  }
  return fired;
}

int32_t TBunusManagerA::BonusActive() { return active->IsEmpty() ? 0 : 1; }

void TBunusManagerA::AddBonus(int32_t kind) {
  if (kind == 0) {
    const int32_t allowed = level ? CountList(level->availableSpells) : 0;
    if (allowed <= 0) return;
    kind = ToInt(level->availableSpells->ValueAtIndex(Rand(0, allowed - 1)));
  }
  if (!board) return;
  std::vector<std::pair<int32_t, int32_t>> free;
  for (int32_t y = 0; y < kBoardCells; ++y)
    for (int32_t x = 0; x < kBoardCells; ++x)
      if (board->usable[x][y] != 0 && board->runeIds[x][y] == 0 && FindBonus(x, y) == 0)
        free.emplace_back(x, y);
  if (free.empty()) return;
  const auto& cell = free[static_cast<size_t>(Rand(0, static_cast<int32_t>(free.size()) - 1))];
  auto bonus = std::make_shared<TBonusA>();
  bonus->kind = kind;
  bonus->cellX = cell.first;
  bonus->cellY = cell.second;
  bonuses->AddLast(bonus);
  if (level) ++level->receivedSpells;
}

void TBunusManagerA::AddCaption(int32_t cells, int32_t points, int32_t colours, int32_t,
                                int32_t) {
  captionCells = cells;
  captionPoints = points;
  captionColours = colours;
  const BonusAPtr last = active->Last();
  if (!last) return;
  const int32_t cs = BoardCellSize();
  const int32_t x = (board ? board->originX : 0) + last->cellX * cs + cs / 2;
  const int32_t y = (board ? board->originY : 0) + last->cellY * cs + cs / 2;
  captionX = std::min(x, 550);
  captionY = std::clamp(y, 100, 500);
}

void TBunusManagerA::Update() { active->Clear(); }
