// One piece of a nine-piece image frame.
#pragma once
#include <memory>
#include "platform/graphics.h"
#include "toolkit/dim.h"
#include "toolkit/image_loaders.h"

class TSliceImage {
 public:
  virtual ~TSliceImage() = default;

  ImagePtr image;    // null when it did not load
  int position = 0;  // 0..2 top-left, top, top-right; 3, 4 left, right; 5..7 bottom; 8 centre

  // Draws the piece against the rectangle (corners at natural size, edges stretched).
  virtual void Draw(const DimPtr& dim, float alpha);
};
using SliceImagePtr = std::shared_ptr<TSliceImage>;

SliceImagePtr CreateSliceImage(const ImageSource& path, int position);
