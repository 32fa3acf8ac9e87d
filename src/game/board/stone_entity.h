// Stone debris: the chips a cleared stone bursts into. They fly apart, spin, fall and fade out on
// the millisecond clock, and live in `stonesList` until their life is over.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/graphics.h"
#include "platform/list.h"

class TStoneEntity;
using StoneEntityPtr = std::shared_ptr<TStoneEntity>;

class TStoneEntity : public std::enable_shared_from_this<TStoneEntity> {
 public:
  float x = 0.0f;  // start point (the chip's centre), px
  float y = 0.0f;
  float drawX = 0.0f;  // where the chip is drawn this frame
  float drawY = 0.0f;
  float angle = 0.0f;      // degrees
  float gravity = 2e-6f;   // added to vy, times the age, at every update
  float vx = 0.0f;         // px per ms
  float vy = 0.0f;         // px per ms, negative upward
  float spin = 0.2f;       // degrees per ms
  float lifeMs = 0.0f;
  float bornMs = 0.0f;
  ImagePtr image;

  TStoneEntity();
  virtual ~TStoneEntity() = default;

  // A new chip at (x, y) with its velocity and picture, appended to stonesList.
  static void Create(int32_t x, int32_t y, float vx, float vy, const ImagePtr& image);
  // Moves, turns, fades and draws every chip, then leaves rotation 0 and alpha 1.
  static void UpdateAll();
  // Moves, turns, fades and draws this chip; it leaves stonesList once its life is over.
  virtual void Update();

 private:
  int32_t bornClock_ = 0;  // the exact clock reading of bornMs
};

// The live chips, oldest first; created empty at start-up.
extern TListPtr<StoneEntityPtr> stonesList;

// The twelve chips of a stone cleared from board cell [column, row].
void Depetrify(int32_t column, int32_t row, const ImagePtr& image);
