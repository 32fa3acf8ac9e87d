// A level, a board and a score made in code, and a virtual 60-frames-a-second clock, for the
// tests of the end-of-level summary.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_summary.h"
#include "game/levels/points_manager.h"
#include "platform/headless.h"
#include "toolkit/spark.h"

namespace summary_test {

// A board whose every cell is usable and holds a rune, except the free cells given.
inline void FillBoard(const std::vector<std::pair<int, int>>& freeCells) {
  for (int x = 0; x < kBoardCells; ++x)
    for (int y = 0; y < kBoardCells; ++y) {
      board->usable[x][y] = 1;
      board->runeIds[x][y] = 7;
    }
  for (auto [x, y] : freeCells) board->runeIds[x][y] = 0;
}

class SummaryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    board = std::make_shared<TBoardManager>();
    level = std::make_shared<TLevelManager>();
    points = std::make_shared<TPointsManager>();
    mouse = std::make_shared<TMouse>();
    delta = 1.0;
    FillBoard({});
  }
  void TearDown() override { TSpark::destroyAll(); }

  TLevelManager& lv() { return *level; }

  // One frame: the clock moves by 16, 17, 17 ms in turn, then the summary updates, with a left
  // click in this frame when `click` is set.
  void Frame(bool click = false) {
    static const int kSteps[3] = {16, 17, 17};
    headless::AdvanceClock(kSteps[frame_++ % 3]);
    mouse->hit1 = click ? 1 : 0;
    lv().updateSummary();
    mouse->hit1 = 0;
  }
  // Frames until the summary reaches `phase`; returns how many were needed (fails after 2000).
  int FramesUntil(int32_t phase, bool click = false) {
    int frames = 0;
    while (lv().summaryPhase != phase && frames < 2000) {
      Frame(click);
      ++frames;
    }
    EXPECT_EQ(lv().summaryPhase, phase);
    return frames;
  }

 private:
  int frame_ = 0;
};

}  // namespace summary_test
