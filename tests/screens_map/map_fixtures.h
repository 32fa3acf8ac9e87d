// The world map made in code for its tests: one-colour pictures in place of the map's own, a
// digit font of 14-pixel letters for the header, the buttons where the map's Load puts them,
// sounds made in memory (the map music, the click) and the scripted passes of the map screen.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "support/sound_fixtures.h"
#include "game/levels/level_sequencer.h"
#include "platform/headless.h"
#include "screens/map/map_core.h"
#include "support/game_fixtures.h"

namespace map_test {

using test_support::Argb;

// The colours of the pictures made in code.
constexpr uint32_t kAheadColour = Argb(255, 255, 0, 0);     // a marker's image
constexpr uint32_t kDoneColour = Argb(255, 0, 255, 0);      // a marker's doneImage
constexpr uint32_t kMiniGameColour = Argb(255, 0, 128, 128);  // kind 3's image
constexpr uint32_t kBossColour = Argb(255, 128, 0, 128);    // kind 5's image
constexpr uint32_t kGlowColour = Argb(255, 0, 0, 255);      // glow [1], kinds 1-4
constexpr uint32_t kBossGlowColour = Argb(255, 255, 255, 0);  // glow [2], kind 5
constexpr uint32_t kUnusedGlowColour = Argb(255, 255, 0, 255);  // glow [0], never drawn
constexpr uint32_t kBackgroundColour = Argb(255, 40, 80, 120);
constexpr uint32_t kCursorColour = Argb(255, 250, 250, 250);

// Marker pictures are 8 x 8 and glows 12 x 12, all mid-handled as Load leaves them.
constexpr int kMarkerSide = 8;
constexpr int kGlowSide = 12;
// The header words of the worked example: 90 and 30 pixels wide.
constexpr int kWordLevelWidth = 90;
constexpr int kWordOfWidth = 30;
// Every header digit is 14 pixels wide.
constexpr float kDigitWidth = 14.0f;

// The music and click levels of the sounds made in memory.
constexpr int16_t kMusicLevel = 10000;
constexpr int16_t kClickLevel = 1000;
constexpr const char* kMapMusicPath = "sfx/glyphor-map.ogg";

ImagePtr MidHandled(int side, uint32_t argb);
// What alpha blending gives for `argb` at `alpha` over `under` (black by default).
uint32_t Over(uint32_t argb, float alpha, uint32_t under = Argb(255, 0, 0, 0));
// Colours equal within 3 in every component.
bool Near(uint32_t a, uint32_t b);
// A bitmap font whose digits are kDigitWidth wide.
FontPtr DigitFont();

class MapTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A fresh map and fresh sounds for the next case of a table, counting passes anew.
  void NextCase() {
    TearDown();
    SetUp();
  }
  // The pictures, header texts and buttons that Load would give, made in code; the map picture
  // covers the screen in kBackgroundColour.
  void FillLikeLoad();
  // Runs Show(finishedLevel); `perPass(pass)` runs after each pass's frame is shown (pass 1 is
  // the first frame), before that pass's fade step. Returns Show's result. Passes are counted
  // from the frame shown last before the test scheduled its input: draw nothing else before.
  int32_t ShowWith(int32_t finishedLevel, const std::function<void(int pass)>& perPass = nullptr);
  // The input-script frame whose events the mouse state of pass `pass` reads.
  int FrameReadInPass(int pass) const { return firstFrame_ + pass - 2; }
  // Schedules a left click read in pass `pass` at (x, y).
  void ClickInPass(int pass, int x, int y);

  // The level the mixer makes now of what plays (music and clicks).
  static int Mixed() { return app_test::MixedLevel(); }

 private:
  int firstFrame_ = 0;
};

}  // namespace map_test
