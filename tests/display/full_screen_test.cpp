// Full screen on a real X display with no window manager: an Xvfb of the test's own, a desktop
// of another shape than the game's, and the game's platform in its full-screen mode. The whole
// 800 x 600 picture must fill the desktop with its aspect kept (bars on the spare sides), and
// the pointer must read the picture's point under it. These run outside the headless mode, so
// that the platform opens a real window.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <SDL.h>

#include <string>

#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "support/virtual_display.h"
#include "x_desktop.h"

namespace {

bool XvfbInstalled() { return system("command -v Xvfb >/dev/null 2>&1") == 0; }

// Lets the window and the X server settle: a few frames shown and events taken.
void ShowFrames(int frames) {
  for (int i = 0; i < frames; ++i) {
    PollSystem();
    Flip(0);
    SDL_Delay(20);
  }
}

struct Desktop {
  int width, height;
  // Where the 800 x 600 picture should land: its top-left corner and scale.
  int boxX, boxY;
  float scale;
};

class FullScreenWithoutWindowManager : public ::testing::TestWithParam<Desktop> {};

TEST_P(FullScreenWithoutWindowManager, ShowsTheWholePictureScaledAndThePointerOnIt) {
  if (!XvfbInstalled()) GTEST_SKIP() << "Xvfb is not installed";
  const Desktop d = GetParam();
  test_support::VirtualDisplay display(d.width, d.height);
  ASSERT_TRUE(display.Running()) << "Xvfb did not start: " << display.Error();
  setenv("DISPLAY", display.Name().c_str(), 1);
  setenv("SDL_VIDEODRIVER", "x11", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);

  ASSERT_TRUE(Graphics(800, 600, 32, 60, 0)) << SDL_GetError();
  // A grey picture with a red square in its top-left corner, a green one in its bottom-right
  // corner and a white one in its middle.
  SetClsColor(90, 90, 90);
  Cls();
  SetBlend(SOLIDBLEND);
  SetAlpha(1.0f);
  SetColor(255, 0, 0);
  DrawRect(0, 0, 40, 40);
  SetColor(0, 255, 0);
  DrawRect(760, 560, 40, 40);
  SetColor(255, 255, 255);
  DrawRect(380, 280, 40, 40);
  ASSERT_TRUE(x_desktop::Open(display.Name()));
  // A point of the picture -> the desktop point where it should show.
  auto at = [&](float sx, float sy, int& rx, int& ry) {
    rx = d.boxX + static_cast<int>(sx * d.scale);
    ry = d.boxY + static_cast<int>(sy * d.scale);
  };
  // Frames go on (the back buffer keeps the picture) until the window shows, for at most a few
  // seconds on a busy machine.
  ShowFrames(5);
  for (int i = 0; i < 150 && x_desktop::Pixel(d.width / 2, d.height / 2) == 0ul; ++i) ShowFrames(1);
  struct Probe {
    float sx, sy;
    unsigned long colour;
    const char* what;
  } probes[] = {
      {4, 4, 0xFF0000ul, "the picture's top-left corner"},
      {796, 596, 0x00FF00ul, "the picture's bottom-right corner"},
      {400, 300, 0xFFFFFFul, "the picture's middle"},
      {100, 300, 0x5A5A5Aul, "the picture's grey"},
  };
  for (const Probe& p : probes) {
    int rx, ry;
    at(p.sx, p.sy, rx, ry);
    EXPECT_EQ(x_desktop::Pixel(rx, ry), p.colour) << p.what << " at desktop (" << rx << ", " << ry << ")";
  }
  // The bars beside or above and below the picture are black.
  if (d.boxX > 0) {
    EXPECT_EQ(x_desktop::Pixel(d.boxX / 2, d.height / 2), 0ul) << "left bar";
    EXPECT_EQ(x_desktop::Pixel(d.width - d.boxX / 2, d.height / 2), 0ul) << "right bar";
  }
  if (d.boxY > 0) {
    EXPECT_EQ(x_desktop::Pixel(d.width / 2, d.boxY / 2), 0ul) << "top bar";
    EXPECT_EQ(x_desktop::Pixel(d.width / 2, d.height - d.boxY / 2), 0ul) << "bottom bar";
  }

  // The pointer, moved on the desktop, reads the picture's point under it.
  const int points[][2] = {{400, 300}, {100, 450}, {700, 50}};
  for (const auto& p : points) {
    int rx, ry;
    at(static_cast<float>(p[0]), static_cast<float>(p[1]), rx, ry);
    x_desktop::MovePointer(rx, ry);
    for (int i = 0; i < 50 && (MouseX() != p[0] || MouseY() != p[1]); ++i) ShowFrames(1);
    EXPECT_NEAR(MouseX(), p[0], 1) << "pointer at desktop (" << rx << ", " << ry << ")";
    EXPECT_NEAR(MouseY(), p[1], 1) << "pointer at desktop (" << rx << ", " << ry << ")";
  }
  x_desktop::Close();
  EndGraphics();
}

// A wide desktop (bars left and right) and a tall one (bars above and below).
INSTANTIATE_TEST_SUITE_P(Desktops, FullScreenWithoutWindowManager,
                         ::testing::Values(Desktop{1366, 768, 171, 0, 1.28f},
                                           Desktop{1280, 1024, 0, 32, 1.6f}),
                         [](const ::testing::TestParamInfo<Desktop>& info) {
                           return std::to_string(info.param.width) + "x" +
                                  std::to_string(info.param.height);
                         });

}  // namespace
