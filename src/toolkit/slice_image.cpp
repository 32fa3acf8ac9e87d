#include "toolkit/slice_image.h"

#include "platform/text.h"

void TSliceImage::Draw(const DimPtr& dim, float alpha) {
  // A piece whose image did not load draws nothing.
  if (!dim || !HasPicture(image)) return;
  const float px = dim->x, py = dim->y, pw = dim->width, ph = dim->height;
  const float iw = static_cast<float>(ImageWidth(image));
  const float ih = static_cast<float>(ImageHeight(image));
  float x = 0.0f, y = 0.0f, sx = 1.0f, sy = 1.0f;
  switch (position) {
    case 0: x = px - iw; y = py - ih; break;
    case 1: x = px; y = py - ih; sx = pw / iw; break;
    case 2: x = px; y = py - ih; break;
    case 3: x = px - iw; y = py; sy = ph / ih; break;
    case 4: x = px; y = py; sy = ph / ih; break;
    case 5: x = px - iw; y = py; break;
    case 6: x = px; y = py; sx = pw / iw; break;
    case 7: x = px; y = py; break;
    case 8: x = px; y = py; sx = pw / iw; sy = ph / ih; break;
    default: break;
  }
  SetAlpha(alpha);
  SetScale(sx, sy);
  DrawImage(image, x, y, 0);
  SetScale(1.0f, 1.0f);
  SetAlpha(1.0f);
}

SliceImagePtr CreateSliceImage(const ImageSource& path, int position) {
  auto slice = std::make_shared<TSliceImage>();
  slice->position = position;
  slice->image = FLoadImage(path);
  if (!slice->image) Print(u"Cannot load the frame piece " + path.path());
  return slice;
}
