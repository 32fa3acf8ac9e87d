#include "toolkit/dim.h"

namespace {
// One axis of Left / Top. At a scale of exactly 1 no scale term is computed.
float LeadingEdge(int32_t handleMode, float pos, float size, float scale, float offset) {
  if (handleMode == 0) {
    if (scale == 1.0f) return pos + offset;
    return pos - size * (scale - 1.0f) / 2.0f + offset;
  }
  if (handleMode == 1) {
    if (scale == 1.0f) return pos - size / 2.0f + offset;
    return pos - size / 2.0f - size * (scale - 1.0f) / 2.0f + offset;
  }
  return 0.0f;
}
}  // namespace

float TDim::Left() { return LeadingEdge(handleMode, x, width, scaleX, offsetX); }
float TDim::Top() { return LeadingEdge(handleMode, y, height, scaleY, offsetY); }
float TDim::Right() { return Left() + width * scaleX; }
float TDim::Bottom() { return Top() + height * scaleY; }

int TDim::InXY(float px, float py) {
  if (!(px > Left())) return 0;
  if (!(px < Right())) return 0;
  if (!(py > Top())) return 0;
  if (!(py < Bottom())) return 0;
  return 1;
}

int TDim::InX(float px) {
  if (!(px > Left())) return 0;
  if (!(px < Right())) return 0;
  return 1;
}

int TDim::InY(float py) {
  if (!(py > Top())) return 0;
  if (!(py < Bottom())) return 0;
  return 1;
}

int TDim::In(const DimPtr& other) {
  if (!other) return 0;
  return InXY(other->x, other->y);
}

DimPtr CreateDim(float x, float y, float width, float height, float border, float scaleX,
                 float scaleY, int32_t handleMode) {
  auto d = std::make_shared<TDim>();
  d->x = x;
  d->y = y;
  d->width = width;
  d->height = height;
  d->border = border;
  d->scaleX = scaleX;
  d->scaleY = scaleY;
  d->handleMode = handleMode;
  return d;
}
