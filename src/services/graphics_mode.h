// Opening the game's 800 x 600 screen, full screen or in a window.
#pragma once
#include <cstdint>

#include "platform/graphics.h"

// 1 once the first SetGraphicsMode call of the run has selected the driver.
extern int32_t gfxDriverSet;

// Opens the screen: mode 1 full screen, any other mode a window. The depth is not used.
// The first call of the run falls back to a window (and stores 2 in the options' screen mode)
// when full screen cannot be had; a later full-screen request that fails reopens the screen
// that was open before. A window that cannot be opened ends the program (status 255).
// Returns 0.
int32_t SetGraphicsMode(int32_t mode, int32_t width, int32_t height, int32_t depth);
// Searches the mode list (depths 32, 24, 16, 8) and opens the screen; 1 when a screen was
// opened, 0 when nothing was.
int32_t FindGfxMode(int32_t mode, const GraphicsDriverPtr& driver, int32_t width, int32_t height,
                    int32_t select);
// The window stays where the system places it. Returns 0.
int32_t centerWindow();
