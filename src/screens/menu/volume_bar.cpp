#include "screens/menu/volume_bar.h"

#include <cmath>

namespace volume_bar {

namespace {
constexpr double kScreenRight = 800.0;
}  // namespace

float StepDown(float volume) {
  float v = volume - kStep;
  if (!(v >= kLowest)) v = kLowest;
  return v;
}

float StepUp(float volume) {
  float v = volume + kStep;
  if (!(v <= kHighest)) v = kHighest;
  return v;
}

int32_t SegmentCount(float volume, float barX, float rightHalf) {
  const double tenths = static_cast<double>(volume) * 10.0;
  if (!(tenths >= 1.0)) return 0;  // NaN, negative, or less than one tenth
  // Segment i ends at barX + 100 + 13 i + rightHalf; keep those that end on the screen.
  const double room = (kScreenRight - rightHalf - barX - kBarDx) / kSegmentSpacing;
  const double fits = room < 0.0 ? 0.0 : std::floor(room);
  return static_cast<int32_t>(tenths < fits ? std::trunc(tenths) : fits);
}

void Draw(const ImagePtr& segment, float volume, float barX, float centreY) {
  const float rightHalf = segment ? static_cast<float>(segment->width) - segment->handleX : 0.0f;
  const int32_t n = SegmentCount(volume, barX, rightHalf);
  for (int32_t i = 1; i <= n; ++i)
    DrawImage(segment, barX + kBarDx + kSegmentSpacing * static_cast<float>(i), centreY, 0);
}

}  // namespace volume_bar
