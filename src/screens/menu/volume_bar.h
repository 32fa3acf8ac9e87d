// The volume controls of the options screens: steps of a tenth between 0.001 and 1, and the bar
// of one segment per tenth.
#pragma once
#include <cstdint>

#include "platform/graphics.h"

namespace volume_bar {

// Every step is single-precision arithmetic, as stored in the options: 0.7 - 0.1 is 0.59999996.
constexpr float kStep = 0.1f;
// The minus buttons never silence completely.
constexpr float kLowest = 0.001f;
constexpr float kHighest = 1.0f;
// Segment centres lie this far apart, the first one this far right of the window's x.
constexpr float kSegmentSpacing = 13.0f;
constexpr float kBarDx = 100.0f;

// One step down; a result that is not at least kLowest (a NaN from a damaged file included)
// becomes kLowest.
float StepDown(float volume);
// One step up; a result that is not at most kHighest (NaN included) becomes kHighest.
float StepUp(float volume);

// The segments shown for `volume`: its tenths cut toward zero, the float taken exactly (0.7f is
// 0.69999999 and shows 6). A volume above 1 from the options file shows more than ten, but never
// a segment that would reach past the screen's right edge; NaN and negative volumes show none.
// `barX` is the window's x; `rightHalf` the part of a segment right of its centre.
int32_t SegmentCount(float volume, float barX, float rightHalf);

// Draws the segments centred on (barX + 100 + 13 i, centreY) for i from 1.
void Draw(const ImagePtr& segment, float volume, float barX, float centreY);

}  // namespace volume_bar
