// Countdown clocks: whole seconds that drop by one each second of the program clock.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/graphics.h"
#include "toolkit/dim.h"
#include "toolkit/image_loaders.h"

class TClock {
 public:
  virtual ~TClock() = default;

  float seconds = 0.0f;  // time left, whole seconds; 0 = stopped
  // MilliSecs after which the next tick is taken. Kept as the clock's own 32-bit value: a float
  // cannot hold it to the millisecond (the program clock starts far from 0).
  int32_t nextTickMs = 0;

  virtual void Set(int value) { (void)value; }
  virtual void Start() {}
  virtual void Stop() {}
  virtual int Stopped() { return 0; }
  virtual void Draw() {}
  virtual int State() { return 0; }
};
using ClockPtr = std::shared_ptr<TClock>;

// Draws the time left as M:SS from a strip of digit cells 0-9 and a colon (cell 10).
class TAnimClock : public TClock {
 public:
  ImagePtr digits;
  DimPtr dim;  // its left and top edges place the clock

  void Set(int value) override;
  void Start() override;
  void Stop() override;
  int Stopped() override;
  void Draw() override;
  int State() override;
};
using AnimClockPtr = std::shared_ptr<TAnimClock>;

// Cuts the strip into `frames` cells of equal width (11: the digits and the colon).
AnimClockPtr CreateAnimClock(const ImageSource& path, const DimPtr& dim, int frames);
