// MINIMAL (see the header).
#include "game/spells/boss_rings.h"

#include "game/board/board_manager.h"
#include "game/spells/boss_manager.h"

ImagePtr bossHelpImage;

namespace {

bool OnBoard(int32_t x, int32_t y) {
  return x >= 0 && x < kBoardCells && y >= 0 && y < kBoardCells;
}

// The sixteen cells of the four squares beside the boss square at (bx, by).
template <class Visit>
void RingCells(int32_t bx, int32_t by, Visit visit) {
  for (int32_t dy = 0; dy < 2; ++dy) {
    for (int32_t dx : {-2, -1, 2, 3}) visit(bx + dx, by + dy);
  }
  for (int32_t dx = 0; dx < 2; ++dx) {
    for (int32_t dy : {-2, -1, 2, 3}) visit(bx + dx, by + dy);
  }
}

bool RingClosed(const TBossRune& boss) {
  bool closed = true;
  RingCells(boss.cellX, boss.cellY, [&](int32_t x, int32_t y) {
    if (!OnBoard(x, y) || board->runeIds[x][y] == 0 || board->colours[x][y] != boss.runeColour)
      closed = false;
  });
  return closed;
}

template <class Manager>
void CheckWith(Manager& manager, int32_t commit) {
  if constexpr (requires { manager.CheckForMatch(commit); }) {
    manager.CheckForMatch(commit);
  } else {
    if (!board) return;
    for (const BossRunePtr& boss : *manager.bossRunes) {
      if (boss->alive == 0 || !RingClosed(*boss)) continue;
      const int32_t bx = boss->cellX;
      const int32_t by = boss->cellY;
      if (commit != 0) {
        board->_addLine(bx - 2, by, bx - 1, by);
        board->_addLine(bx - 2, by + 1, bx - 1, by + 1);
        board->_addLine(bx + 2, by, bx + 3, by);
        board->_addLine(bx + 2, by + 1, bx + 3, by + 1);
        board->_addLine(bx, by - 2, bx + 1, by - 2);
        board->_addLine(bx, by - 1, bx + 1, by - 1);
        board->_addLine(bx, by + 2, bx + 1, by + 2);
        board->_addLine(bx, by + 3, bx + 1, by + 3);
        const BossRunePtr keep = boss;
        manager.bossRunes->Remove(keep);
      } else {
        for (int32_t y = by; y <= by + 1; ++y)
          for (int32_t x = bx - 2; x <= bx + 3; ++x)
            if (OnBoard(x, y)) board->highlights[x][y] = boss->runeColour;
        for (int32_t x = bx; x <= bx + 1; ++x)
          for (int32_t y = by - 2; y <= by + 3; ++y)
            if (OnBoard(x, y)) board->highlights[x][y] = boss->runeColour;
      }
    }
  }
}

template <class Manager>
void HelpWith(Manager& manager) {
  if constexpr (requires { manager.DrawHelp(); }) {
    manager.DrawHelp();
  } else {
    if (!board) return;
    for (const BossRunePtr& boss : *manager.bossRunes) {
      if (boss->alive == 0) continue;
      SetAlpha(0.3f);
      RingCells(boss->cellX, boss->cellY, [&](int32_t x, int32_t y) {
        if (!OnBoard(x, y) || !bossHelpImage) return;
        DrawImage(bossHelpImage, static_cast<float>(board->originX + x * board->cellSize),
                  static_cast<float>(board->originY + y * board->cellSize), 0);
      });
    }
  }
}

}  // namespace

void BossCheckForMatch(int32_t commit) {
  if (bossManager) CheckWith(*bossManager, commit);
}

void BossDrawHelp() {
  if (bossManager) HelpWith(*bossManager);
}
