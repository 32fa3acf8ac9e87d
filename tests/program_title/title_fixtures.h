// The title's screens over the built game folder: the program's singletons made as start-up
// makes them, the shared resources loaded as the start-up loading loads them, and small helpers
// to read the frames a screen shows.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

#include "platform/graphics.h"

namespace title_test {

// Every singleton start-up creates, empty, with the user folders, the profile manager and the
// hiscore store, and the screen open as a window.
void MakeSingletons();
// The resources the title's screens draw with, without the loading screen: fonts, spark
// pictures, the menu window, the title's pictures, the profile screen and the cursor.
void LoadTitleResources();

// Loads what the board games deal and draw, and leaves every endless or time-attack game the
// title starts for the menu as soon as it runs: Escape opens the in-game menu, whose main-menu
// row is then clicked. Installs a frame callback.
void LeaveGamesAtOnce();

// Counts the frames shown while `run` runs.
int FramesOf(const std::function<void()>& run);

// The alpha at which a picture of one colour was drawn over black: the red channel of the
// pixel (x, y) over the picture's own red.
float DrawnAlpha(int x, int y, int pictureRed);

}  // namespace title_test
