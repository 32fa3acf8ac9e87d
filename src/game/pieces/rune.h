// One rune of the catalogue: its id and colour number, its pictures for 32- and 40-pixel cells,
// its petrified twin and the colour range of its sparks.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/graphics.h"
#include "platform/text.h"

class TRune {
 public:
  String id;           // as written in the file; lookups compare it as text
  String color;        // the colour number as written in the file
  ImagePtr image;      // 32-pixel cells (fileName)
  ImagePtr image40;    // 40-pixel cells (fileName2)
  String title;
  String description;
  int32_t blocked = 0;  // non-zero: a petrified rune (a stone)
  String unblockedId;   // stones only: the rune it turns back into
  String blockedId;     // the stone this rune becomes
  int32_t width = 0;
  int32_t height = 0;
  // Spark colour ranges.
  int32_t redMin = 0;
  int32_t greenMin = 0;
  int32_t blueMin = 0;
  int32_t redMax = 0;
  int32_t greenMax = 0;
  int32_t blueMax = 0;

  virtual ~TRune() = default;
};
using RunePtr = std::shared_ptr<TRune>;
