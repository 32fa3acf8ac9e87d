// A clearing: every matched line on the board is collected at once (boss rings, rows, columns),
// cleared cell by cell and scored as one event.
#include <algorithm>
#include <cmath>
#include <set>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/sfx.h"
#include "game/board/board_manager.h"
#include "game/board/stone_entity.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/points_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "platform/system.h"
#include "toolkit/comet.h"

int32_t TBoardManager::clearMatchingRunes(int32_t mode) {
  for (auto& column : highlights) column.fill(0);
  lines = CreateList<LinePtr>();
  if (bossManager) bossManager->CheckForMatch(1);
  checkForHorizontalMatch(1);
  checkForVerticalMatch(1);
  const int32_t n = clearLines(mode);
  lines = nullptr;
  return n;
}

int32_t TBoardManager::clearLines(int32_t) {
  int32_t n = 0;
  std::set<int32_t> colourRecord;
  bool stoneRestored = false;
  const bool anyLine = lines && !lines->IsEmpty();
  if (lines) {
    for (const LinePtr& line : *lines) {
      for (int32_t x = line->x1; x <= line->x2; ++x) {
        for (int32_t y = line->y1; y <= line->y2; ++y) {
          if (x < 0 || x >= kBoardCells || y < 0 || y >= kBoardCells) continue;
          const auto cx = static_cast<size_t>(x);
          const auto cy = static_cast<size_t>(y);
          if (runeIds[cx][cy] == 0) continue;
          ++n;
          if (colours[cx][cy] != 0) colourRecord.insert(colours[cx][cy]);
          if (runes && runes->isBlocked(runeIds[cx][cy]) != 0) {
            // A stone turns back into its rune, keeps its colour and placing time, and stays.
            runeIds[cx][cy] = runes->unblocked(runeIds[cx][cy]);
            Depetrify(x, y, stoneImage);
            stoneRestored = true;
            continue;
          }
          const int32_t c = colours[cx][cy];
          if (bonusManagerAlt) bonusManagerAlt->Clear(x, y);
          if (magicSphere) magicSphere->Fill(c);
          const int32_t r = runes ? runes->getRuneRGB(c, 1) : 0;
          const int32_t g = runes ? runes->getRuneRGB(c, 2) : 0;
          const int32_t b = runes ? runes->getRuneRGB(c, 3) : 0;
          const int32_t sx = originX + x * cellSize + 16;
          const int32_t sy = originY + y * cellSize + 16;
          // The vial of the colour, or the sphere's centre when no vial holds it.
          int32_t ex = 0;
          int32_t ey = 0;
          if (magicSphere) magicSphere->GetColorXY(c, ex, ey);
          ex -= 10;
          ey -= 10;
          const int32_t squares = (sx - ex) * (sx - ex) + (sy - ey) * (sy - ey);
          // A comet starting on its own end point still flies (over about one frame).
          const double d = std::max(1.0, std::sqrt(static_cast<double>(squares)));
          const auto speed = static_cast<float>(0.03 * (380.0 / d));
          const int32_t controlY = Rand(200, 500);
          const int32_t controlX = Rand(150, 350);
          CometPtr comet = TCometEmiter::start(sx, sy, ex, ey, controlX, controlY, speed, -6, 6,
                                               -6, 6, 0.8f);
          if (comet) comet->setRGB(r, g, b);
          runeIds[cx][cy] = 0;
          colours[cx][cy] = 0;
        }
      }
    }
  }

  if (anyLine) {
    const auto k = static_cast<int32_t>(std::min<size_t>(colourRecord.size(), 4));
    if (k > 1 && level) ++level->combos;
    if (level) ++level->matches;
    playSound2(explosionSound, nullptr, 0);
    int32_t score = k * (50 * n + 100) + 25 * (n - 3);
    if (n > 6) score += 50 * (n - 6);
    if (points) points->add(score);
    const int32_t mouseX = mouse ? mouse->x : 0;
    const int32_t mouseY = mouse ? mouse->y : 0;
    const int32_t cx = std::min(mouseX, 550);
    const int32_t cy = std::clamp(mouseY, 100, 500);
    const float s = std::min(1.0f + static_cast<float>(n - 3) / 10.0f, 1.6f);
    const bool casting = bonusManagerAlt && bonusManagerAlt->BonusActive() != 0;
    if (!casting) {
      TCaptions::addCaption(TCaptions::kPoints, score, cx, cy - 70, s, 0, 0, nullptr);
      TCaptions::addCaption(TCaptions::kMatch, n, cx, cy - 30, s, 0, 0, nullptr);
    }
    if (k > 1) {
      if (!casting)
        TCaptions::addCaption(TCaptions::kCombo, k, cx + 100, cy + 30, s, 0, 0, nullptr);
      TSoundQ::addSound(comboSounds[static_cast<size_t>(k - 2)], MilliSecs() + 600);
    }
    if (n > 3 && bonusManagerAlt) bonusManagerAlt->AddBonus(0);
    if (bonusManagerAlt && bonusManagerAlt->BonusActive() != 0)
      bonusManagerAlt->AddCaption(n, score, k);
  }
  if (stoneRestored) playSound2(stoneClearedSound, nullptr, 0);
  if (lines) lines->Clear();
  return n;
}
