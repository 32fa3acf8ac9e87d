// A look at an X display from outside the game: its desktop's pixels and its pointer. Kept apart
// from the tests, so that Xlib's macros (None, Bool, Status...) meet no other header.
#pragma once
#include <string>

namespace x_desktop {

// A connection to the display `name` (":N"); false when it cannot be opened.
bool Open(const std::string& name);
void Close();
// The size of the display's first screen; false without a connection.
bool ScreenSize(int& width, int& height);
// The colour shown at a desktop point as 0xRRGGBB; 0xFFFFFFFF when it cannot be read.
unsigned long Pixel(int x, int y);
// Moves the pointer to a desktop point.
void MovePointer(int x, int y);

}  // namespace x_desktop
