// The menu window over the built game folder, driven by a small host loop as the title screen
// and the pause menus drive it: events, the mouse state, Update, Draw, Flip, once a frame.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "services/graphics_mode.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "support/sound_fixtures.h"
#include "program/main_loop.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "screens/menu/options_window.h"
#include "support/game_fixtures.h"
#include "toolkit/button.h"
#include "toolkit/container.h"
#include "toolkit/font.h"

namespace menu_test {

// Levels of the test sounds, so that the mixer tells them apart.
constexpr int16_t kClickLevel = 1000;
constexpr int16_t kSampleLevel = 20000;

class MenuWindow : public testing::Test {
 protected:
  void SetUp() override {
    options = std::make_shared<TOptions>();
    gfxDriverSet = 0;
    SetGraphicsMode(2, 800, 600, 32);  // a window, as start-up opens it
    ResetDrawingState();
    Cls();
    data = std::make_shared<TContainer>();
    mouse = std::make_shared<TMouse>();
    globalSnd = std::make_shared<TGlobalSnd>();
    globalSnd->sounds[6] = app_test::ConstantSound(kClickLevel);
    gameState = 0;
    LoadProgramFonts();
    optionsWindow = std::make_shared<TOptionsWindow>();
    optionsWindow->loadGfx();
  }
  void TearDown() override { StopAllChannels(); }

  // One frame of the host: its scene is a black screen. Answers the window's result.
  static int HostFrame() {
    PollSystem();
    mouse->fetchState();
    Cls();
    optionsWindow->Update();
    optionsWindow->Draw();
    Flip();
    return optionsWindow->result;
  }
  static std::vector<int> HostFrames(int n) {
    std::vector<int> results;
    for (int i = 0; i < n; ++i) results.push_back(HostFrame());
    return results;
  }
  // Moves the pointer to (x, y) for the next frame and clicks on the frame after; answers the
  // results of the next four frames, the click falling on the second.
  static std::vector<int> ClickAt(int x, int y) {
    const int next = headless::FrameNumber();
    headless::MouseMoveAt(next, x, y);
    headless::MouseClickAt(next + 1, 1);
    return HostFrames(4);
  }
  static void PointAt(int x, int y) { headless::MouseMoveAt(headless::FrameNumber(), x, y); }

  // Items of `data` filed under the key.
  static int Items(int key) {
    int n = 0;
    for (const ContainerItemPtr& item : *data->items)
      if (item && item->id == key) ++n;
    return n;
  }
  static ImageButtonPtr Button(int key) {
    return std::dynamic_pointer_cast<TImageButton>(data->GetButton(key));
  }
  static void Open(int state, int reset = 0) {
    optionsWindow->SetState(state, reset, TOptionsWindow::kOriginX, TOptionsWindow::kOriginY);
  }
};

}  // namespace menu_test
