// The options screens: volume steps in single precision with their bars, the music under the
// menu and the sample sound, the full-screen box and its switches, and the back button.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <string>

#include "services/song_manager.h"
#include "game/pieces/blocks_manager.h"
#include "menu_fixtures.h"
#include "screens/menu/volume_bar.h"

namespace {

using menu_test::kClickLevel;
using menu_test::kSampleLevel;
using menu_test::MenuWindow;
using test_support::Argb;
using test_support::ScreenPixel;
using test_support::SolidImage;

constexpr uint32_t kSegmentColour = Argb(255, 0, 255, 0);

class OptionsScreens : public MenuWindow {
 protected:
  void SetUp() override {
    MenuWindow::SetUp();
    // A segment that nothing else on the screen shows.
    optionsWindow->volumeSegment = SolidImage(11, 20, kSegmentColour);
    MidHandleImage(optionsWindow->volumeSegment);
  }
  // Segments of the bar whose centres lie on row y, counted on the last frame shown.
  static int Segments(int y) {
    int n = 0;
    for (int i = 1; i < 60; ++i) {
      const int cx = TOptionsWindow::kOriginX + 100 + 13 * i;
      if (cx >= 800) break;
      if (ScreenPixel(cx, y) == kSegmentColour) n = i;
    }
    return n;
  }
  struct Row {
    int minusX, plusX, buttonY, barY;
  };
  static Row MusicRow(int state) { return {304, 497, state == 1 ? 300 : 213, state == 1 ? 299 : 212}; }
  static Row SoundRow(int state) { return {304, 497, state == 1 ? 360 : 273, state == 1 ? 359 : 272}; }
};

TEST_F(OptionsScreens, VolumeStepsAreSinglePrecisionWithTheirBars) {
  struct Case {
    const char* name;
    float start;
    bool up;
    std::vector<float> values;   // after each click
    std::vector<int> segments;   // shown after each click
  };
  const Case cases[] = {
      {"down from 0.5 to the floor", 0.5f, false,
       {0x1.99999ap-2f, 0x1.333334p-2f, 0x1.99999cp-3f, 0x1.99999ep-4f, 0.001f, 0.001f},
       {4, 3, 2, 1, 0, 0}},
      {"up from the floor to 1", 0.001f, true,
       {0x1.9db22ep-4f, 0x1.9ba5e4p-3f, 0x1.343958p-2f, 0x1.9a9fbep-2f, 0x1.008312p-1f,
        0x1.33b646p-1f, 0x1.66e97ap-1f, 0x1.9a1caep-1f, 0x1.cd4fe2p-1f, 1.0f, 1.0f},
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10}},
      {"0.7 up", 0.7f, true, {0.800000012f}, {8}},
      {"0.7 down", 0.7f, false, {0.599999964f}, {5}},
      {"above 1 up", 1.5f, true, {1.0f}, {10}},
      {"above 1 down stays above", 1.5f, false, {1.4f}, {13}},  // 1.39999998
      {"negative up stays negative", -0.5f, true, {-0.4f}, {0}},
      {"negative down goes to the floor", -0.5f, false, {0.001f}, {0}},
      {"NaN up goes to 1", std::numeric_limits<float>::quiet_NaN(), true, {1.0f}, {10}},
      {"NaN down goes to the floor", std::numeric_limits<float>::quiet_NaN(), false, {0.001f},
       {0}},
  };
  for (int state : {1, 7}) {
    for (bool music : {true, false}) {
      for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name << ", state " << state
                                        << (music ? ", music" : ", sound"));
        float& vol = music ? options->musicVol : options->soundVol;
        options->musicVol = 0.5f;
        options->soundVol = 0.5f;
        vol = c.start;
        Open(state, 1);
        const Row row = music ? MusicRow(state) : SoundRow(state);
        for (size_t i = 0; i < c.values.size(); ++i) {
          ClickAt(c.up ? row.plusX : row.minusX, row.buttonY);
          EXPECT_EQ(vol, c.values[i]) << "click " << i + 1;
          EXPECT_EQ(Segments(row.barY), c.segments[i]) << "click " << i + 1;
        }
      }
    }
  }
  // In memory only: nothing wrote the options file.
  EXPECT_FALSE(std::filesystem::exists(OptionsFilePath()));
}

TEST_F(OptionsScreens, BarShowsNothingForNaNOrNegativeAndStopsAtTheScreenEdge) {
  struct Case {
    const char* name;
    float volume;
    int segments;
  };
  const Case cases[] = {
      {"NaN", std::numeric_limits<float>::quiet_NaN(), 0},
      {"negative", -3.0f, 0},
      {"0.7 as a float", 0.7f, 6},
      {"1.5", 1.5f, 15},
      // Segment i ends at 229 + 100 + 13 i + 5.5: the 35th is the last on the screen.
      {"huge", 1e30f, 35},
      {"infinite", std::numeric_limits<float>::infinity(), 35},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(volume_bar::SegmentCount(c.volume, 229.0f, 5.5f), c.segments);
    options->musicVol = c.volume;
    Open(1, 1);
    PointAt(0, 0);
    HostFrames(55);
    EXPECT_EQ(Segments(299), c.segments);
  }
}

TEST_F(OptionsScreens, MusicButtonsSetTheLentStreamsChannelAndWorkWithoutOne) {
  auto song = std::make_shared<TMusicFile>();
  song->sound = app_test::ConstantSound(10000, true);
  song->channel = PlaySound(song->sound);
  auto stream = std::make_shared<TAudioStream>();
  stream->song = song;
  options->musicVol = 0.5f;
  options->soundVol = 0.0f;  // no click sound in the mix
  for (int state : {1, 7}) {
    SCOPED_TRACE(state);
    optionsWindow->levelMusic = stream;
    Open(state, 1);
    ClickAt(497, MusicRow(state).buttonY);
    EXPECT_NEAR(app_test::MixedLevel(), 10000 * options->musicVol, 1.0);
    optionsWindow->levelMusic = nullptr;
    const float before = options->musicVol;
    ClickAt(304, MusicRow(state).buttonY);
    EXPECT_EQ(options->musicVol, volume_bar::StepDown(before));
    EXPECT_NEAR(app_test::MixedLevel(), 10000 * before, 1.0);  // the stream was left alone
  }
}

TEST_F(OptionsScreens, SoundButtonsPlayTheSampleAndTheClickAtTheNewVolume) {
  blocks = std::make_shared<TBlocksManager>();
  blocks->rotateSound = app_test::ConstantSound(kSampleLevel);
  struct Case {
    int state;
    bool up;
    float start;
    float after;
  };
  const Case cases[] = {
      {1, true, 0.5f, 0x1.333334p-1f}, {1, false, 0.5f, 0x1.99999ap-2f},
      {7, false, 0.05f, 0.001f},        {7, false, 0.001f, 0.001f},
      {1, false, 0.001f, 0.001f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state " << c.state << " from " << c.start);
    StopAllChannels();
    options->soundVol = c.start;
    Open(c.state, 1);
    ClickAt(c.up ? 497 : 304, SoundRow(c.state).buttonY);
    EXPECT_EQ(options->soundVol, c.after);
    EXPECT_NEAR(app_test::MixedLevel(), (kSampleLevel + kClickLevel) * c.after, 1.0);
  }
}

TEST_F(OptionsScreens, TheBoxFollowsTheScreenMode) {
  for (int state : {1, 7}) {
    for (int mode : {0, 1, 2}) {
      SCOPED_TRACE(testing::Message() << "state " << state << " mode " << mode);
      options->screenMode = mode;
      Open(state, 1);
      EXPECT_EQ(Button(44)->visible, mode == 1 ? 1 : 0);
      EXPECT_EQ(Button(44)->enabled, mode == 1 ? 1 : 0);
      EXPECT_EQ(Button(45)->visible, mode == 1 ? 0 : 1);
      EXPECT_EQ(Button(45)->enabled, mode == 1 ? 0 : 1);
    }
  }
}

TEST_F(OptionsScreens, TheBoxSwitchesBothWaysAndSwapsInTheSameFrame) {
  for (int state : {1, 7}) {
    SCOPED_TRACE(state);
    const int boxY = state == 1 ? 408 : 321;
    options->screenMode = 2;
    Open(state, 1);
    PointAt(474, boxY);
    HostFrame();
    headless::MouseClickAt(headless::FrameNumber(), 1);
    EXPECT_EQ(HostFrame(), 45);
    EXPECT_EQ(CurrentGraphics()->depth, 32);
    EXPECT_EQ(options->screenMode, 1);
    EXPECT_EQ(Button(44)->visible, 1);
    EXPECT_EQ(Button(45)->visible, 0);
    HostFrame();
    headless::MouseClickAt(headless::FrameNumber(), 1);
    EXPECT_EQ(HostFrame(), 44);
    EXPECT_EQ(CurrentGraphics()->depth, 0);
    EXPECT_EQ(options->screenMode, 0);
    EXPECT_EQ(Button(44)->visible, 0);
    EXPECT_EQ(Button(45)->visible, 1);
  }
}

TEST_F(OptionsScreens, AFailedSwitchToFullScreenChangesNothingAndSaysSo) {
  struct Case {
    const char* name;
    bool noModes;   // the display lists no 800 x 600 mode
    int failures;   // Graphics calls that answer null
  };
  const Case cases[] = {
      {"no display mode of that size", true, 0},
      {"full screen refused twice", false, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.noModes) headless::SetModeList({{1024, 768, 32, 60}});
    headless::FailGraphics(c.failures);
    options->screenMode = 2;
    Open(1, 1);
    PointAt(474, 408);
    HostFrame();
    headless::MouseClickAt(headless::FrameNumber(), 1);
    const std::string out = test_support::Output([] { EXPECT_EQ(HostFrame(), 45); });
    EXPECT_NE(out.find("Full screen could not be opened; the game stays in its window."),
              std::string::npos);
    ASSERT_TRUE(CurrentGraphics());
    EXPECT_EQ(CurrentGraphics()->depth, 0);
    EXPECT_EQ(options->screenMode, 2);
    EXPECT_EQ(Button(45)->visible, 1);
    EXPECT_EQ(Button(44)->visible, 0);
    headless::ResetModeList();
  }
}

TEST_F(OptionsScreens, BackReturnsWithinUpdateKeepingTheAlpha) {
  struct Case {
    int state;
    int context;
    int backY;
    int after;
  };
  const Case cases[] = {{1, 2, 520, 0}, {7, 2, 368, 2}, {7, 8, 368, 8}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "state " << c.state << " context " << c.context);
    StopAllChannels();
    optionsWindow->context = c.context;
    Open(c.state, 1);
    PointAt(400, c.backY);
    HostFrame();
    headless::MouseClickAt(headless::FrameNumber(), 1);
    PollSystem();
    mouse->fetchState();
    optionsWindow->Update();
    const float alpha = optionsWindow->alpha;
    EXPECT_EQ(optionsWindow->result, 46);
    EXPECT_EQ(optionsWindow->state, c.after);
    for (int key : {40, 41, 42, 43, 44, 45, 46}) EXPECT_EQ(Items(key), 0) << key;
    EXPECT_EQ(Items(c.after == 0 ? 61 : 40), c.after == 0 ? 1 : 0);
    EXPECT_NEAR(app_test::MixedLevel(), kClickLevel * options->soundVol, 1.0);
    optionsWindow->Draw();
    Flip();
    EXPECT_EQ(optionsWindow->alpha, alpha);
    EXPECT_GT(alpha, 0.0f);
  }
}

}  // namespace
