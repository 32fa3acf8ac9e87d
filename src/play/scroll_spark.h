// The spark that the mini-games' summary scrolls throw off the sheet's upper edge while it
// unrolls: one a frame, gold, drifting down and aside.
#pragma once
#include <cstdint>

// One spark 10 to 20 pixels above the upper edge of a sheet open by `halfOpen` about y 300.
void UnrollSpark(int32_t halfOpen);
