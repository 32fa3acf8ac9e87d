#include "toolkit/comet.h"

#include "services/delta_time.h"
#include "platform/system.h"

TListPtr<CometPtr> cometList = CreateList<CometPtr>();
CometPtr comet = std::make_shared<TCometEmiter>();

namespace {
int32_t Trunc(float v) { return static_cast<int32_t>(v); }
}  // namespace

CometPtr TCometEmiter::start(int32_t x, int32_t y, int32_t endX, int32_t endY, int32_t controlX,
                             int32_t controlY, float speed, int32_t range1Min, int32_t range1Max,
                             int32_t range2Min, int32_t range2Max, float sparkScale) {
  auto c = std::make_shared<TCometEmiter>();
  c->x = c->startX = static_cast<float>(x);
  c->y = c->startY = static_cast<float>(y);
  c->endX = static_cast<float>(endX);
  c->endY = static_cast<float>(endY);
  c->controlX = static_cast<float>(controlX);
  c->controlY = static_cast<float>(controlY);
  c->speed = speed;
  c->range1Min = range1Min;
  c->range1Max = range1Max;
  c->range2Min = range2Min;
  c->range2Max = range2Max;
  c->sparkScale = sparkScale;
  c->t = 0.0f;
  c->active = 1;
  if (!cometList) cometList = CreateList<CometPtr>();
  cometList->AddLast(c);
  return c;
}

void TCometEmiter::setRGB(int32_t r, int32_t g, int32_t b) {
  red = r;
  green = g;
  blue = b;
}

void TCometEmiter::updateAll() {
  if (!cometList) return;
  for (CometPtr c : *cometList) c->update();
}

void TCometEmiter::update() {
  if (t > 1.0f) {
    t = 1.0f;
    active = 0;
  } else {
    t = static_cast<float>(t + speed * delta);
    // Just past the end, so that the next frame still emits once and then ends the flight.
    if (t > 1.0f) t = 1.001f;
  }
  headX = startX + 2.0f * t * (controlX - startX) + t * t * (endX - 2.0f * controlX + startX);
  headY = startY + 2.0f * t * (controlY - startY) + t * t * (endY - 2.0f * controlY + startY);
  _update(Trunc(headX), Trunc(headY), 4);
  if (active == 0 && cometList) {
    if (CometPtr self = weak_from_this().lock()) cometList->Remove(self);
  }
}

void TCometEmiter::_update(int32_t newX, int32_t newY, int32_t count) {
  const ImagePtr& img = sparkImages[0];
  const float fade = 1.0f - t;
  // Every random number goes into a local first, in the order the look of the trail depends on.
  int32_t r = 0, g = 0, b = 0;
  for (int32_t i = 0; i < count - 2; ++i) {
    r = Rand(Trunc(red * 1.1f), Trunc(red * 1.5f));
    g = Rand(Trunc(green * 1.1f), Trunc(green * 1.5f));
    b = Rand(Trunc(blue * 1.1f), Trunc(blue * 1.5f));
    int32_t baseX = jitterX[static_cast<size_t>(Rand(0, 4))];
    if (baseX == 0) baseX = Trunc(x);
    int32_t baseY = jitterY[static_cast<size_t>(Rand(0, 4))];
    if (baseY == 0) baseY = Trunc(y);
    const int32_t life = Rand(50, 60);
    const float offY =
        static_cast<float>(Rand(Trunc(range2Min * 0.5f), Trunc(range2Max * 0.5f))) * fade;
    const float offX =
        static_cast<float>(Rand(Trunc(range1Min * 0.5f), Trunc(range1Max * 0.5f))) * fade;
    TSpark::Create(img, Trunc(static_cast<float>(baseX) + offX),
                   Trunc(static_cast<float>(baseY) + offY), sparkScale * 1.5f, life, r, g, b, 1, 0);
  }
  for (int32_t divisor : {3, 2}) {
    const int32_t life = Rand(20, 50);
    const float offY = static_cast<float>(Rand(range2Min / divisor, range2Max / divisor)) * fade;
    const float offX = static_cast<float>(Rand(range1Min / divisor, range1Max / divisor)) * fade;
    TSpark::Create(img, Trunc(x + offX), Trunc(y + offY), sparkScale * 1.3f, life, r, g, b, 1, 0);
  }
  for (size_t i = 0; i + 1 < jitterX.size(); ++i) {
    jitterX[i] = jitterX[i + 1];
    jitterY[i] = jitterY[i + 1];
  }
  jitterX[4] = Trunc(x);
  jitterY[4] = Trunc(y);
  x = static_cast<float>(newX);
  y = static_cast<float>(newY);
}
