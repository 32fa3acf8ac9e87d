// Petrification: every petrifyTime ms the runes placed earliest are chosen, their stone form
// fades in over one second, and then each becomes the stone its catalogue entry names.
#include "services/sfx.h"
#include "game/board/board_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "platform/system.h"
#include "platform/text.h"

int32_t TBoardManager::_checkForPetrify(int32_t paused) {
  // A level without a positive interval has no petrification (a missing key reads as 0).
  if (petrifyTime > 0 && ElapsedMs(MilliSecs(), lastPetrify) > petrifyTime && paused == 0) {
    auto candidate = [this](size_t x, size_t y) {
      const int32_t id = runeIds[x][y];
      if (id == 0 || id == 13) return false;
      return !bonusManagerAlt ||
             bonusManagerAlt->FindBonus(static_cast<int32_t>(x), static_cast<int32_t>(y)) == 0;
    };
    const int32_t start = MilliSecs();
    int32_t oldest = start;
    bool any = false;
    for (size_t y = 0; y < kBoardCells; ++y) {
      for (size_t x = 0; x < kBoardCells; ++x) {
        if (!candidate(x, y)) continue;
        any = true;
        if (ElapsedMs(placedAt[x][y], oldest) < 0) oldest = placedAt[x][y];
      }
    }
    if (!any) {
      // Nothing to petrify: the clock restarts and the step ends here. A fade still running
      // keeps the progress it had; measured from the restarted clock it would jump back to 0.
      lastPetrify = MilliSecs();
      return 0;
    }
    for (size_t y = 0; y < kBoardCells; ++y)
      for (size_t x = 0; x < kBoardCells; ++x)
        petrifyMarks[x][y] = candidate(x, y) && placedAt[x][y] == oldest ? 1 : 0;
    playSound2(petrifySound, nullptr, 0);
    petrifyProgress = 0.0f;
    petrifyRunning = 1;
    lastPetrify = MilliSecs();
  }
  if (petrifyRunning == 0) return 0;
  petrifyProgress = static_cast<float>(ElapsedMs(MilliSecs(), lastPetrify) / 1000.0);
  if (petrifyProgress < 1.0f) return 0;
  petrifyRunning = 0;
  for (size_t y = 0; y < kBoardCells; ++y) {
    for (size_t x = 0; x < kBoardCells; ++x) {
      if (runeIds[x][y] == 0 || petrifyMarks[x][y] != 1) continue;
      RunePtr rune = runes ? runes->_findRuneByID(FromInt(runeIds[x][y])) : nullptr;
      runeIds[x][y] = rune ? ToInt(rune->blockedId) : 0;
      colours[x][y] = runes ? runes->getRuneColor(FromInt(runeIds[x][y])) : 0;
    }
  }
  return 0;
}
