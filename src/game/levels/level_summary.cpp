#include "game/levels/level_summary.h"

#include <array>
#include <string>

#include "app/data_folders.h"
#include "app/delta_time.h"
#include "app/mouse.h"
#include "app/options.h"
#include "app/sfx.h"
#include "app/song_manager.h"
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

// now - then, taken with wrap-around and read as signed.
int32_t Elapsed(int32_t now, int32_t then) {
  return static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(then));
}

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
  globalSnd->play(8 + (levelIndex + 2) % 5);
}

bool LeftClicked() { return mouse && mouse->hit1 != 0; }

// Closes the count: the score receives the bonus, the doors are next.
void EndCount(TLevelManager& lv) {
  playSound2(lv.endHitSound);
  stopSound(lv.endLoopChannel);
  lv.endMusicChannel = nullptr;
  lv.endLoopChannel = nullptr;
  lv.summaryPhase = 2;
  lv.summaryStart = MilliSecs();
  if (points) {
    lv.totalShown = points->totalPoints + points->levelPoints;
    points->add(lv.bonusPoints);
  }
  playSound2(lv.countShowSound);
}

// One update of the bonus count. Returns true when the count ended in it.
bool CountStep(TLevelManager& lv) {
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
      EndCount(lv);
      return true;
    }
  }

  if (lv.music) setStreamVolume(lv.music, 0.001f);
  if (!lv.endMusicChannel) lv.endMusicChannel = playMusic(lv.endMusic, nullptr, 1.0f);
  lv.scanFrame += 1;
  return false;
}

void DoorsStep(TLevelManager& lv, int32_t now) {
  const int32_t t = Elapsed(now, lv.summaryStart);
  if (t > 300) lv.doorsOffset += static_cast<float>((t - 300) / 50);
  if (lv.doorsOffset > kDoorsClosed) {
    lv.doorsOffset = kDoorsClosed;
    lv.summaryPhase = 3;
    lv.summaryStart = MilliSecs();
    lv.summaryMusic = playMusicStream(bundleDir + "sfx/glyphor-help.ogg", 1, 1.0f);
  }
}

void ScrollOpenStep(TLevelManager& lv, int32_t now) {
  lv.scrollOpening += static_cast<float>(Elapsed(now, lv.summaryStart) / 50);
  ScrollEdgeSpark(lv.scrollOpening);
  if (lv.scrollOpening > kScrollOpen) {
    lv.scrollOpening = kScrollOpen;
    lv.summaryPhase = 6;
    lv.levelCompleteAlpha = 0.0f;
    lv.summaryStart = MilliSecs();
    PlayVoiceClip();
  }
}

void TransferStep(TLevelManager& lv, int32_t now) {
  if (Elapsed(now, lv.summaryStart) > 25) {
    lv.summaryStart = MilliSecs();
    lv.totalShown += kSummaryCellBonus;
    lv.bonusPoints -= kSummaryCellBonus;
    if (lv.tickCounter % 5 != 0) playSound2(lv.countSound);
    lv.tickCounter += 1;
  }
  if (lv.bonusPoints <= 0) lv.summaryPhase = 8;
  if (LeftClicked() && lv.summaryPhase == 7) {
    playSound2(lv.countOutSound);
    lv.summaryPhase = 9;
    lv.summaryStart = MilliSecs();
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

void startSummary(TLevelManager& lv) {
  lv.summaryPhase = 0;
  lv.summaryStart = MilliSecs();
  lv.summaryDone = 0;
  lv.summaryCursor = {0, 0};
  lv.scanFrame = 0;
  lv.bonusPoints = 0;
  lv.tickCounter = 0;
  lv.doorsOffset = 0.0f;
  lv.levelCompleteAlpha = 0.0f;
  lv.scrollAlpha = 0.0f;
  lv.scrollOpening = 0.0f;
  lv.blackoutAlpha = 0.0f;
  lv.glowAlpha = 0.0f;
  lv.glowRising = 1;
  lv.newBestCountdown = 82;
  lv.summarySparkCounter = 0;
  if (board) {
    lv.summaryAnchor = {board->originX + board->GetMiddleX(), board->originY + board->GetMiddleY()};
  }
}

void updateSummary(TLevelManager& lv) {
  const int32_t now = MilliSecs();
  auto t = [&lv, now] { return Elapsed(now, lv.summaryStart); };

  if (lv.summaryPhase == 0 && t() > 1000) {
    lv.summaryPhase = 1;
    lv.endLoopChannel = playSound2(lv.endLoopSound);
    lv.summaryStart = MilliSecs();
  }
  if (lv.summaryPhase == 1 && CountStep(lv)) return;
  if (lv.summaryPhase == 2) DoorsStep(lv, now);
  if (lv.summaryPhase == 3 && t() > 500) {
    lv.summaryStart = MilliSecs();
    lv.summaryPhase = 4;
  }
  if (lv.summaryPhase == 4) {
    lv.scrollAlpha = static_cast<float>(t()) / 100.0f;
    if (lv.scrollAlpha > 1.0f) lv.scrollAlpha = 1.0f;
    if (t() > 100) {
      lv.summaryStart = MilliSecs();
      lv.summaryPhase = 5;
    }
  }
  if (lv.summaryPhase == 5) ScrollOpenStep(lv, now);
  if (lv.summaryPhase == 6 && t() > 200) {
    lv.summaryStart = MilliSecs();
    lv.summaryPhase = 7;
  }
  if (lv.summaryPhase == 7) TransferStep(lv, now);
  if (lv.summaryPhase == 8) {
    if (LeftClicked()) {
      lv.summaryPhase = 9;
      playSound2(lv.countOutSound);
    }
    lv.summaryStart = MilliSecs();
  }
  if (lv.summaryPhase == 9) {
    lv.scrollOpening -= static_cast<float>(t() / 50);
    if (lv.scrollOpening < 0.0f) {
      lv.scrollOpening = 0.0f;
      lv.summaryPhase = 10;
      lv.summaryStart = MilliSecs();
    }
  }
  if (lv.summaryPhase == 10) {
    lv.scrollAlpha = 1.0f - static_cast<float>(t()) / 100.0f;
    if (lv.scrollAlpha < 0.0f) lv.scrollAlpha = 0.0f;
    if (t() > 100) {
      lv.summaryPhase = 11;
      lv.summaryStart = MilliSecs();
    }
  }
  if (lv.summaryPhase == 11) {
    float volume = 1.0f - static_cast<float>(t()) / 250.0f;
    if (volume < 0.0f) volume = 0.0f;
    setStreamVolume(lv.summaryMusic, volume * (options ? options->musicVol : 1.0f));
    lv.blackoutAlpha = 1.0f - volume;
    if (t() > 200) {
      lv.summaryStart = MilliSecs();
      lv.summaryPhase = 12;
      lv.summaryDone = 1;
      if (lv.summaryMusic) {
        lv.summaryMusic->stop();
        lv.summaryMusic->free();
      }
    }
  }

  GlowPulse(lv);
  if (lv.summaryPhase >= 3 && lv.summaryPhase <= 11 && lv.summaryMusic) lv.summaryMusic->update();
}

void doShortSummary(TLevelManager& lv) {
  if (lv.summaryPhase != 0 && lv.summaryPhase != 1) return;
  // In phase 1 the cells before the cursor are counted into bonusPoints but not yet credited;
  // the cell under the cursor and the later ones are not counted at all.
  const int32_t rest = summaryFreeCellsFrom(lv.summaryCursor[0], lv.summaryCursor[1]);
  const int32_t counted = lv.summaryPhase == 1 ? lv.bonusPoints : 0;
  lv.bonusPoints = counted + rest * kSummaryCellBonus;
  lv.summaryCursor = {0, kBoardCells};
  stopSound(lv.endLoopChannel);
  lv.endLoopChannel = nullptr;
  lv.summaryPhase = 2;
  lv.summaryStart = MilliSecs();
  if (points) {
    lv.totalShown = points->totalPoints + points->levelPoints;
    points->add(lv.bonusPoints);
  }
}

void drawDoors(TLevelManager& lv, int32_t offset) {
  if (offset != -1) lv.doorsOffset = static_cast<float>(offset);
  const float d = lv.doorsOffset;
  static constexpr std::array<float, 3> kLeftX = {-400.0f, -144.0f, -16.0f};
  static constexpr std::array<float, 3> kRightX = {800.0f, 1056.0f, 1184.0f};
  static constexpr std::array<float, 2> kRowY = {0.0f, 512.0f};
  for (size_t row = 0; row < kRowY.size(); ++row) {
    for (size_t tile = 0; tile < 3; ++tile) {
      DrawImage(lv.doorsImages[0][row * 3 + tile], d + kLeftX[tile], kRowY[row], 0);
    }
  }
  for (size_t row = 0; row < kRowY.size(); ++row) {
    for (size_t tile = 0; tile < 3; ++tile) {
      DrawImage(lv.doorsImages[1][row * 3 + tile], kRightX[tile] - d, kRowY[row], 0);
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
