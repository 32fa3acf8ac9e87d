// The frame timer: milliseconds between two frames turned into the frame's time factor.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/list.h"

class TDeltaTime;
using DeltaTimePtr = std::shared_ptr<TDeltaTime>;

class TDeltaTime {
 public:
  int32_t lastMs = 0;        // clock value taken by the previous Update
  int32_t deltaMs = 0;       // milliseconds between the last two Update calls
  float targetFps = 0.0f;    // target frame rate
  float frameMs = 0.0f;      // 1000 / targetFps
  int32_t fps = 0;           // frames counted in the last closed one-second window
  int32_t frameCount = 0;    // frames counted so far in the open window
  int32_t nowMs = 0;         // clock value taken by the latest Update
  int32_t nextSecondMs = 0;  // clock value after which the open window closes

  // A new timer for the given rate, registered in DeltaTList.
  static DeltaTimePtr Create(float fps);
  // Takes this timer out of DeltaTList.
  void Destroy();
  void Update();
  int32_t FPS() const;
  float CurrDelta() const;
  void SetFPS(float fps);

  // Every timer created and not yet destroyed (null until the first one is created).
  static TListPtr<DeltaTimePtr> DeltaTList;

 private:
  static DeltaTimePtr Construct();
};

// The game's frame timer: null until start-up creates it at 60 frames per second.
extern DeltaTimePtr deltaTime;
// The frame's time factor, 1.0 at the target rate.
extern double delta;
