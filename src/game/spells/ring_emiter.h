// Ring bursts: a point that runs three times round a small circle and drops a spark at every
// step, brightening over the first turn and dimming over the last, a little under two seconds
// at 60 frames per second. The ring game starts one on a spell icon it awards; the magic sphere
// starts one on a vial the moment it is full. The sparks are ordinary sparks of SparkList.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/list.h"

class TRingEmiter;
using RingEmiterPtr = std::shared_ptr<TRingEmiter>;

class TRingEmiter : public std::enable_shared_from_this<TRingEmiter> {
 public:
  float radius = 26.0f;  // of the circle run along, pixels
  float angle = 0.0f;    // degrees run so far
  float x = 0.0f;        // the circle's centre
  float y = 0.0f;
  int32_t red = 255;  // spark colour
  int32_t green = 150;
  int32_t blue = 150;
  float minScale = 0.5f;  // spark zoom range
  float maxScale = 1.0f;
  int32_t image = 1;  // index into sparkImages

  virtual ~TRingEmiter() = default;
  // A new burst at (x, y) appended to ringEmiterList. A radius of 0, a negative colour
  // component or a negative scale keeps that default. Answers 0.
  static int32_t Create(int32_t x, int32_t y, float radius, int32_t red, int32_t green,
                        int32_t blue, float minScale, float maxScale, int32_t image);
  // One step: a spark on the circle; the burst leaves the list once past three turns.
  virtual int32_t Update();
  // One step of every burst of ringEmiterList, in list order. Answers 0.
  static int32_t UpdateAll();
};

// Every live burst in the order created; empty at start-up.
extern TListPtr<RingEmiterPtr> ringEmiterList;
