// Ready-made bursts of sparks: from the middle of a button, and at the pen of a text that is
// being written out.
#pragma once
#include "toolkit/button.h"
#include "toolkit/text.h"

// 101 sparks of spark slot 2 from the centre of the button's rectangle, fading in and out.
int SparksOnPlace(const ButtonPtr& button);

// Seven warm sparks at the pen of a text being written out letter by letter: around the top
// edge, just left of the right end of what the label shows now. They drift sideways by up to
// 0.1 and vertically by a real from vyLow up to vyHigh (pixels per unit of delta).
void PenSparks(const TextPtr& label, double vyLow, double vyHigh);
