// Comets: an invisible head flying once along a quadratic curve and shedding sparks behind it.
// Live comets sit in cometList; a frame loop moves them all with TCometEmiter::updateAll.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "platform/list.h"
#include "toolkit/spark.h"

class TCometEmiter;
using CometPtr = std::shared_ptr<TCometEmiter>;

class TCometEmiter : public std::enable_shared_from_this<TCometEmiter> {
 public:
  TCometEmiter() : sparks(CreateList<SparkPtr>()) {}
  virtual ~TCometEmiter() = default;

  float x = 0.0f;  // the head handed to the previous frame's emission (start point at first)
  float y = 0.0f;
  int32_t range1Min = 0;  // x scatter, pixels
  int32_t range1Max = 0;
  int32_t range2Min = 0;  // y scatter, pixels
  int32_t range2Max = 0;
  float sparkScale = 0.0f;
  std::array<int32_t, 5> jitterX{};  // the last five emission points, oldest first; 0 = unset
  std::array<int32_t, 5> jitterY{};
  TListPtr<SparkPtr> sparks;  // kept empty
  float headX = 0.0f;         // the point of the curve for the current t
  float headY = 0.0f;
  float startX = 0.0f;
  float startY = 0.0f;
  float endX = 0.0f;
  float endY = 0.0f;
  float controlX = 0.0f;
  float controlY = 0.0f;
  float t = 0.0f;      // 0 at the start, 1 at the end
  float speed = 0.0f;  // increase of t per frame at 60 frames per second
  int32_t red = 0;
  int32_t green = 0;
  int32_t blue = 0;
  int32_t active = 0;  // 1 while flying

  // One frame: advance along the curve, shed four sparks, leave cometList once past the end.
  virtual void update();
  // Sheds `count` sparks around the previous head and records (headX, headY) as the new one.
  virtual void _update(int32_t headX, int32_t headY, int32_t count);
  static void updateAll();
  // A new comet at the back of cometList, black until setRGB.
  static CometPtr start(int32_t x, int32_t y, int32_t endX, int32_t endY, int32_t controlX,
                        int32_t controlY, float speed, int32_t range1Min, int32_t range1Max,
                        int32_t range2Min, int32_t range2Max, float sparkScale);
  virtual void setRGB(int32_t red, int32_t green, int32_t blue);
};

// Every flying comet, in the order they were started.
extern TListPtr<CometPtr> cometList;
// A comet that is never started; the level loops empty its spark list.
extern CometPtr comet;
