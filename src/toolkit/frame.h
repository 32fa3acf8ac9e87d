// Decorative frames around a rectangle: solid bars, or nine image pieces.
#pragma once
#include <memory>
#include "platform/list.h"
#include "toolkit/color.h"
#include "toolkit/dim.h"
#include "toolkit/image_loaders.h"
#include "toolkit/slice_image.h"

// Frames read the stored x, y, width, height (and border) of their rectangle; its handle mode,
// scale and offsets play no part.
class TFrame {
 public:
  virtual ~TFrame() = default;

  DimPtr dim;
  int enabled = 1;
  int visible = 1;
  int noTop = 0;  // 1 leaves out the top edge and both top corners
  float alpha = 1.0f;
  int fill = 0;   // 1 fills the interior

  virtual void Draw() {}
  virtual int State() { return 0; }
  virtual void AddImage(const ImageSource& path, int position) {
    (void)path;
    (void)position;
  }
  virtual SliceImagePtr GetImage(int position) {
    (void)position;
    return nullptr;
  }
};
using FramePtr = std::shared_ptr<TFrame>;

class TColorFrame : public TFrame {
 public:
  ColorPtr borderColor;
  ColorPtr fillColor;

  void Draw() override;
};
using ColorFramePtr = std::shared_ptr<TColorFrame>;

class TImageFrame : public TFrame {
 public:
  TImageFrame() : slices(CreateList<SliceImagePtr>()) {}

  TListPtr<SliceImagePtr> slices;  // in order of addition

  void Draw() override;
  void AddImage(const ImageSource& path, int position) override;
  // The first slice of that position, or null.
  SliceImagePtr GetImage(int position) override;
};
using ImageFramePtr = std::shared_ptr<TImageFrame>;

ColorFramePtr CreateColorFrame(const DimPtr& dim, const ColorPtr& borderColor, int fill,
                               const ColorPtr& fillColor, float alpha, int noTop);
ImageFramePtr CreateImageFrame(const DimPtr& dim, int fill, float alpha, int noTop);
