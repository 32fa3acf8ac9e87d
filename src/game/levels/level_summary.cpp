#include "game/levels/level_summary.h"

#include <array>
#include <string>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "game/board/board_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/points_manager.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "toolkit/spark.h"

namespace {

constexpr int32_t kLastCell = kBoardCells - 1;
constexpr float kDoorsClosed = 400.0f;
constexpr float kScrollOpen = 155.0f;
// summaryTime lies this far after the summary's start.
constexpr int32_t kSummaryTimeLeadMs = 250;

bool InsideBoard(int32_t column, int32_t row) {
  return column >= 0 && column <= kLastCell && row >= 0 && row <= kLastCell;
}

// The next cell in scan order.
void StepCursor(std::array<int32_t, 2>& cursor) {
  cursor[0] += 1;
  if (cursor[0] > kLastCell) {
    cursor[0] = 0;
    cursor[1] += 1;
  }
}

// Four sparks over a free cell while the count rests on it.
void CellSparks(int32_t column, int32_t row) {
  for (int i = 0; i < 4; ++i) {
    const int32_t x = board->originX + column * board->cellSize + Rand(-3, 17);
    const int32_t y = board->originY + row * board->cellSize + Rand(-3, 17);
    const int32_t life = Rand(10, 40);
    const int32_t red = Rand(100, 200);
    const int32_t green = Rand(100, 200);
    const int32_t blue = Rand(100, 200);
    TSpark::Create(sparkImages[0], x, y, 0.8f, life, red, green, blue, 1, 0);
  }
}

// One spark along the upper edge of the opening scroll.
void ScrollEdgeSpark(float opening) {
  const int32_t edge = static_cast<int32_t>(opening);
  const int32_t x = Rand(250, 550);
  const int32_t y = Rand(280 - edge, 290 - edge);
  const float scale = static_cast<float>(Rnd(0.4, 0.7));
  const int32_t life = Rand(30, 50);
  SparkPtr spark = TSpark::Create(sparkImages[1], x, y, scale, life, 255, 200, 100, 1, 0);
  const float vx = static_cast<float>(Rnd(-1.0, 1.0));
  const float vy = static_cast<float>(Rnd(0.0, 1.5));
  spark->setVelocity(vx, vy);
}

// The voice clip that praises the level: one of the interface sounds 8..12, picked by the
// quest level so that a level always says the same and five in a row say all five.
void PlayVoiceClip() {
  if (!globalSnd) return;
  const int32_t levelIndex = sequencer ? sequencer->currentLevel : 0;
  globalSnd->play(LevelVoiceClip(levelIndex));
}

bool LeftClicked() { return mouse && mouse->hit1 != 0; }

// Closes the count: the score receives the bonus, the doors are next.
void EndCount(TLevelManager& lv, int32_t now) {
  playSound2(lv.endHitSound);
  stopSound(lv.endLoopChannel);
  lv.endMusicChannel = nullptr;
  lv.endLoopChannel = nullptr;
  lv.summaryPhase = 2;
  lv.summaryStart = now;
  if (points) {
    lv.totalShown = points->totalPoints + points->levelPoints;
    points->add(lv.bonusPoints);
  }
  playSound2(lv.countShowSound);
}

// One update of the bonus count. Returns true when the count ended in it.
bool CountStep(TLevelManager& lv, int32_t now) {
  lv.levelCompleteAlpha += 0.1f;
  if (lv.levelCompleteAlpha > 1.0f) lv.levelCompleteAlpha = 1.0f;

  std::array<int32_t, 2>& cursor = lv.summaryCursor;
  if (board && InsideBoard(cursor[0], cursor[1]) && board->usable[cursor[0]][cursor[1]] > 0 &&
      board->runeIds[cursor[0]][cursor[1]] == 0) {
    CellSparks(cursor[0], cursor[1]);
  }

  if (lv.scanFrame % 2 == 0) {
    if (summaryCellFree(cursor[0], cursor[1])) lv.bonusPoints += kSummaryCellBonus;
    do {
      StepCursor(cursor);
    } while (cursor[1] <= kLastCell && !summaryCellFree(cursor[0], cursor[1]));
    if (cursor[1] > kLastCell) {
      EndCount(lv, now);
      return true;
    }
  }

  if (lv.music) setStreamVolume(lv.music, 0.001f);
  if (!lv.endMusicChannel) lv.endMusicChannel = playMusic(lv.endMusic, nullptr, 1.0f);
  lv.scanFrame += 1;
  return false;
}

void DoorsStep(TLevelManager& lv, int32_t now) {
  const int32_t t = ElapsedMs(now, lv.summaryStart);
  if (t > 300) lv.doorsOffset += static_cast<float>((t - 300) / 50);
  if (lv.doorsOffset > kDoorsClosed) {
    lv.doorsOffset = kDoorsClosed;
    lv.summaryPhase = 3;
    lv.summaryStart = now;
    lv.summaryMusic = playMusicStream(bundleDir + "sfx/glyphor-help.ogg", 1, 1.0f);
  }
}

void ScrollOpenStep(TLevelManager& lv, int32_t now) {
  lv.scrollOpening += static_cast<float>(ElapsedMs(now, lv.summaryStart) / 50);
  ScrollEdgeSpark(lv.scrollOpening);
  if (lv.scrollOpening > kScrollOpen) {
    lv.scrollOpening = kScrollOpen;
    lv.summaryPhase = 6;
    lv.levelCompleteAlpha = 0.0f;
    lv.summaryStart = now;
    PlayVoiceClip();
  }
}

void TransferStep(TLevelManager& lv, int32_t now) {
  if (ElapsedMs(now, lv.summaryStart) > 25) {
    lv.summaryStart = now;
    lv.totalShown += kSummaryCellBonus;
    lv.bonusPoints -= kSummaryCellBonus;
    if (lv.tickCounter % 5 != 0) playSound2(lv.countSound);
    lv.tickCounter += 1;
  }
  if (lv.bonusPoints <= 0) lv.summaryPhase = 8;
  if (LeftClicked() && lv.summaryPhase == 7) {
    playSound2(lv.countOutSound);
    lv.summaryPhase = 9;
    lv.summaryStart = now;
    lv.totalShown += lv.bonusPoints;
    lv.bonusPoints = 0;
  }
}

void GlowPulse(TLevelManager& lv) {
  const float step = static_cast<float>(0.01 * delta);
  if (lv.glowRising == 1) {
    lv.glowAlpha += step;
  } else if (lv.glowRising == 0) {
    lv.glowAlpha -= step;
  }
  if (lv.glowAlpha > 1.0f) {
    lv.glowAlpha = 1.0f;
    lv.glowRising = 0;
  } else if (lv.glowAlpha < 0.0f) {
    lv.glowAlpha = 0.0f;
    lv.glowRising = 1;
  }
}

}  // namespace

bool summaryCellFree(int32_t column, int32_t row) {
  if (!board || !InsideBoard(column, row)) return false;
  return board->usable[column][row] != 0 && board->runeIds[column][row] <= 0;
}

int32_t summaryFreeCellsFrom(int32_t column, int32_t row) {
  int32_t count = 0;
  std::array<int32_t, 2> cell{column, row};
  if (cell[0] < 0) cell[0] = 0;
  if (cell[1] < 0) cell = {0, 0};
  while (cell[1] <= kLastCell) {
    if (summaryCellFree(cell[0], cell[1])) ++count;
    StepCursor(cell);
  }
  return count;
}

void TLevelManager::startSummary() {
  summaryPhase = 0;
  summaryStart = MilliSecs();
  summaryTime = summaryStart + kSummaryTimeLeadMs;
  summaryDone = 0;
  summaryCursor = {0, 0};
  scanFrame = 0;
  bonusPoints = 0;
  tickCounter = 0;
  doorsOffset = 0.0f;
  levelCompleteAlpha = 0.0f;
  scrollAlpha = 0.0f;
  scrollOpening = 0.0f;
  blackoutAlpha = 0.0f;
  glowAlpha = 0.0f;
  glowRising = 1;
  newBestCountdown = 82;
  summarySparkCounter = 0;
  if (board) {
    summaryAnchor = {board->originX + board->GetMiddleX(), board->originY + board->GetMiddleY()};
  }
}

void TLevelManager::updateSummary() {
  // One clock reading for the whole update: a phase entered in it starts at this reading, so
  // its first step sees t = 0, never a negative time.
  const int32_t now = MilliSecs();
  auto t = [this, now] { return ElapsedMs(now, summaryStart); };

  if (summaryPhase == 0 && t() > 1000) {
    summaryPhase = 1;
    endLoopChannel = playSound2(endLoopSound);
    summaryStart = now;
  }
  if (summaryPhase == 1 && CountStep(*this, now)) return;
  if (summaryPhase == 2) DoorsStep(*this, now);
  if (summaryPhase == 3 && t() > 500) {
    summaryStart = now;
    summaryPhase = 4;
  }
  if (summaryPhase == 4) {
    scrollAlpha = static_cast<float>(t()) / 100.0f;
    if (scrollAlpha > 1.0f) scrollAlpha = 1.0f;
    if (t() > 100) {
      summaryStart = now;
      summaryPhase = 5;
    }
  }
  if (summaryPhase == 5) ScrollOpenStep(*this, now);
  if (summaryPhase == 6 && t() > 200) {
    summaryStart = now;
    summaryPhase = 7;
  }
  if (summaryPhase == 7) TransferStep(*this, now);
  if (summaryPhase == 8) {
    if (LeftClicked()) {
      summaryPhase = 9;
      playSound2(countOutSound);
    }
    summaryStart = now;
  }
  if (summaryPhase == 9) {
    scrollOpening -= static_cast<float>(t() / 50);
    if (scrollOpening < 0.0f) {
      scrollOpening = 0.0f;
      summaryPhase = 10;
      summaryStart = now;
    }
  }
  if (summaryPhase == 10) {
    scrollAlpha = 1.0f - static_cast<float>(t()) / 100.0f;
    if (scrollAlpha < 0.0f) scrollAlpha = 0.0f;
    if (t() > 100) {
      summaryPhase = 11;
      summaryStart = now;
    }
  }
  if (summaryPhase == 11) {
    float volume = 1.0f - static_cast<float>(t()) / 250.0f;
    if (volume < 0.0f) volume = 0.0f;
    setStreamVolume(summaryMusic, volume * (options ? options->musicVol : 1.0f));
    blackoutAlpha = 1.0f - volume;
    if (t() > 200) {
      summaryStart = now;
      summaryPhase = 12;
      summaryDone = 1;
      if (summaryMusic) {
        summaryMusic->stop();
        summaryMusic->free();
      }
    }
  }

  GlowPulse(*this);
  if (summaryPhase >= 3 && summaryPhase <= 11 && summaryMusic) summaryMusic->update();
}

void TLevelManager::doShortSummary() {
  if (summaryPhase != 0 && summaryPhase != 1) return;
  // In phase 1 the cells before the cursor are counted into bonusPoints but not yet credited;
  // the cell under the cursor and the later ones are not counted at all.
  const int32_t rest = summaryFreeCellsFrom(summaryCursor[0], summaryCursor[1]);
  const int32_t counted = summaryPhase == 1 ? bonusPoints : 0;
  bonusPoints = counted + rest * kSummaryCellBonus;
  summaryCursor = {0, kBoardCells};
  stopSound(endLoopChannel);
  endLoopChannel = nullptr;
  // The jingle plays on; its channel is let go as at the end of the count, or no later summary
  // of the run would start its own.
  endMusicChannel = nullptr;
  summaryPhase = 2;
  summaryStart = MilliSecs();
  if (points) {
    totalShown = points->totalPoints + points->levelPoints;
    points->add(bonusPoints);
  }
}

void TLevelManager::drawDoors(int32_t offset) {
  if (offset != -1) doorsOffset = static_cast<float>(offset);
  const float d = doorsOffset;
  static constexpr std::array<float, 3> kLeftX = {-400.0f, -144.0f, -16.0f};
  static constexpr std::array<float, 3> kRightX = {800.0f, 1056.0f, 1184.0f};
  static constexpr std::array<float, 2> kRowY = {0.0f, 512.0f};
  for (size_t row = 0; row < kRowY.size(); ++row) {
    for (size_t tile = 0; tile < 3; ++tile) {
      DrawImage(doorsImages[0][row * 3 + tile], d + kLeftX[tile], kRowY[row], 0);
    }
  }
  for (size_t row = 0; row < kRowY.size(); ++row) {
    for (size_t tile = 0; tile < 3; ++tile) {
      DrawImage(doorsImages[1][row * 3 + tile], kRightX[tile] - d, kRowY[row], 0);
    }
  }
}

void createSpark() {
  const int32_t x = 205 + Rand(0, 3);
  const int32_t y = 433 + Rand(0, 3);
  const float scale = static_cast<float>(Rnd(0.4, 0.7));
  const int32_t life = Rand(60, 110);
  const int32_t red = Rand(100, 200);
  const int32_t green = Rand(100, 200);
  const int32_t blue = Rand(100, 200);
  SparkPtr spark = TSpark::Create(sparkImages[1], x, y, scale, life, red, green, blue, 1, 0);
  const float vx = static_cast<float>(Rand(1, 6)) / 10.0f;
  const float vy = static_cast<float>(Rand(2, 4)) / 10.0f;
  spark->setVelocity(vx, vy);
}
