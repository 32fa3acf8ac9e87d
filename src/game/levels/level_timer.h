// The level timer: counts the playing time of a board level, limits it when the level has a
// time limit, and shows the time used as a picture that changes in 30 steps, with two ropes
// below it. When the limit is used up it marks the board as lost.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "datafiles/tsc_file.h"
#include "platform/graphics.h"
#include "platform/pixmap.h"

class TTimeManager {
 public:
  static constexpr int32_t kFrames = 30;
  // One frame step of the refill animation, in ms.
  static constexpr int32_t kRefillStepMs = 20;

  int32_t x = 42;  // top-left corner of the timer picture
  int32_t y = 211;
  int32_t elapsed = 0;    // ms of play counted; never below 0, never above a set limit
  int32_t limit = 0;      // ms; 0 or less: no limit
  int32_t startTime = 0;  // MilliSecs at which elapsed was 0
  int32_t paused = 0;
  int32_t frame = 0;      // 0 (time just started) .. 29 (limit used up)
  ImagePtr timerImage;    // "gfx/timer/timer.png"
  ImagePtr frameImage;    // the drawable image of `frame`
  // Index i holds "gfx/timer/frame" + (30 - i) + ".png".
  std::array<PixmapPtr, kFrames> frameImages{};
  int32_t refilling = 0;
  int32_t refillStart = 0;

  virtual ~TTimeManager() = default;

  virtual void LoadResources();
  // Takes the limit from the level file: Settings::Level Time (seconds) x 1000.
  virtual void Load(const TSCFilePtr& tsc);
  // Restarts the count at a saved time.
  virtual void LoadFromProfile(int32_t saved);
  virtual int32_t SaveToProfile();
  virtual void Set(int32_t newLimit);
  virtual void DrawAndUpdate();
  virtual void Update();
  virtual void Draw(int32_t withRopes);
  virtual void DrawWithoutRope();
  virtual void PauseOn();
  virtual void PauseOff();
  virtual void Reset(int32_t refill);
  virtual int32_t TimeOver();
  virtual void CheckGameOver();
};
using TimeManagerPtr = std::shared_ptr<TTimeManager>;

// Created by start-up among the singletons.
extern TimeManagerPtr timeManager;
