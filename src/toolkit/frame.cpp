#include "toolkit/frame.h"

#include "platform/graphics.h"

void TColorFrame::Draw() {
  if (visible == 0 || !dim) return;
  const float x = dim->x, y = dim->y, w = dim->width, h = dim->height, b = dim->border;
  SetAlpha(alpha);
  if (borderColor) SetColor(borderColor->red, borderColor->green, borderColor->blue);
  if (noTop != 1) DrawRect(x - b, y - b, w + 2.0f * b, b);
  DrawRect(x - b, y, b, h);
  DrawRect(x + w, y, b, h);
  DrawRect(x - b, y + h, w + 2.0f * b, b);
  if (fill == 1) {
    if (fillColor) SetColor(fillColor->red, fillColor->green, fillColor->blue);
    DrawRect(x, y, w, h);
  }
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
}

void TImageFrame::Draw() {
  if (visible == 0 || !dim) return;
  const float x = dim->x, y = dim->y, w = dim->width, h = dim->height;
  // A missing piece is skipped.
  auto piece = [this](int position, float px, float py, float pw, float ph) {
    SliceImagePtr slice = GetImage(position);
    if (slice) slice->Draw(CreateDim(px, py, pw, ph, 0.0f, 1.0f, 1.0f, 0), alpha);
  };
  if (noTop != 1) {
    piece(0, x, y, 0.0f, 0.0f);
    piece(1, x, y, w, 0.0f);
    piece(2, x + w, y, 0.0f, 0.0f);
  }
  piece(3, x, y, 0.0f, h);
  piece(4, x + w, y, 0.0f, h);
  piece(5, x, y + h, 0.0f, 0.0f);
  piece(6, x, y + h, w, 0.0f);
  piece(7, x + w, y + h, 0.0f, 0.0f);
  if (fill == 1) piece(8, x, y, w, h);
}

void TImageFrame::AddImage(const ImageSource& path, int position) {
  slices->AddLast(CreateSliceImage(path, position));
}

SliceImagePtr TImageFrame::GetImage(int position) {
  for (const SliceImagePtr& slice : *slices)
    if (slice && slice->position == position) return slice;
  return nullptr;
}

ColorFramePtr CreateColorFrame(const DimPtr& dim, const ColorPtr& borderColor, int fill,
                               const ColorPtr& fillColor, float alpha, int noTop) {
  auto f = std::make_shared<TColorFrame>();
  f->dim = dim;
  f->borderColor = borderColor;
  f->fill = fill;
  f->fillColor = fillColor;
  f->alpha = alpha;
  f->noTop = noTop;
  return f;
}

ImageFramePtr CreateImageFrame(const DimPtr& dim, int fill, float alpha, int noTop) {
  auto f = std::make_shared<TImageFrame>();
  f->dim = dim;
  f->fill = fill;
  f->alpha = alpha;
  f->noTop = noTop;
  return f;
}
