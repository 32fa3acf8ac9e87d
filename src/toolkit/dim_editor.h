// A layout aid: moves and resizes an element's rectangle from the keyboard, once per frame.
#pragma once
#include "toolkit/dim.h"

// Arrows move (0.1 pixel, 1 with left Shift), A/Q and S/W change height and width by 1; with
// left Control each key acts once per press instead of every frame. P prints the four numbers.
void EditDim(const DimPtr& dim);
