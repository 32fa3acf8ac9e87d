// A ready-made burst of sparks from the middle of a button.
#pragma once
#include "toolkit/button.h"

// 101 sparks of spark slot 2 from the centre of the button's rectangle, fading in and out.
int SparksOnPlace(const ButtonPtr& button);
