// MINIMAL until the spells' emitters are built: a stream of light from a board cell to the
// sphere's vial of its colour. For now a stream is only recorded with where it starts and
// where it goes; the spells' work gives it its particles and runs it with the other emitters.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/list.h"

class TToSphereEmiter {
 public:
  float x = 0.0f, y = 0.0f;              // where the stream starts
  int32_t red = 0, green = 0, blue = 0;  // its colour
  int32_t column = 0, row = 0;           // the board cell it leaves
  int32_t colour = 0;                    // the rune colour, naming the vial
  int32_t targetX = 0, targetY = 0;      // the vial's centre

  virtual ~TToSphereEmiter() = default;
  // Starts a stream from (x, y) towards the vial of `colour`.
  static void add(float x, float y, int32_t red, int32_t green, int32_t blue, int32_t column,
                  int32_t row, int32_t colour);
};
using ToSphereEmiterPtr = std::shared_ptr<TToSphereEmiter>;

// The streams started and not yet finished.
extern TList<ToSphereEmiterPtr> toSphereStreams;
