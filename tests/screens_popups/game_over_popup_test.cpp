// The game-over popup frame by frame: the opening zoom, the two buttons and the skip area from
// the second loss, clicks that choose nothing, and the cause following the level timer.
#include "popups_fixtures.h"

namespace popups_test {
namespace {

constexpr uint32_t kNoMovesColour = Argb(255, 250, 0, 0);
constexpr uint32_t kTimeOutColour = Argb(255, 0, 0, 250);
constexpr uint32_t kRetryColour = Argb(255, 0, 250, 0);
constexpr uint32_t kPanelColour = Argb(255, 90, 90, 90);
constexpr uint32_t kSkipHoveredColour = Argb(255, 250, 250, 0);
constexpr uint32_t kSkipNormalColour = Argb(255, 120, 0, 120);

// The first frame of the choice loop (41 opening frames before it).
constexpr int kFirstChoiceFrame = 42;

class GameOverPopup : public testing::Test {
 protected:
  void SetUp() override {
    MakeScene();
    TPopupManager& m = *popupManager;
    m.panelImage = SolidImage(300, 260, kPanelColour);
    MidHandleImage(m.panelImage);
    m.retryButton = CreateImageButton(SolidImage(164, 40, kRetryColour),
                                      CreateDim(318, 302, 0, 0, 0, 1, 1, 0), 1, 1.0f, 0);
    m.menuButton = CreateImageButton(SolidImage(164, 40, Argb(255, 0, 120, 0)),
                                     CreateDim(318, 348, 0, 0, 0, 1, 1, 0), 2, 1.0f, 0);
    m.reasonImages = {SolidImage(221, 50, kNoMovesColour), SolidImage(221, 50, kTimeOutColour)};
    m.skipImages = {SolidImage(168, 30, kSkipHoveredColour), SolidImage(168, 30, kSkipNormalColour)};
    m.loseSound = app_test::ConstantSound(kLoseLevel);
    start_ = headless::FrameNumber();
  }
  void TearDown() override { headless::SetFrameCallback(nullptr); }

  // Frame numbers counted from the popup's entry.
  int At(int frame) const { return start_ + frame; }
  void ClickAt(int frame, int x, int y) {
    headless::MouseMoveAt(At(frame) - 1, x, y);
    headless::MouseClickAt(At(frame), 1);
  }

  int start_ = 0;
};

TEST_F(GameOverPopup, ZoomsInOverFortyOneFramesTheLastAtOnePointZeroTwoFive) {
  mouse = nullptr;  // the cursor would reset the scale before the frame is looked at
  std::vector<float> scales;
  headless::SetFrameCallback([&](int) {
    float sx = 0, sy = 0;
    GetScale(sx, sy);
    scales.push_back(sx);
  });
  headless::CloseRequestAt(At(kFirstChoiceFrame + 1));
  EXPECT_EQ(popupManager->GameOverPopup(), TPopupManager::kCloseAsked);
  ASSERT_GE(scales.size(), 42u);
  float alpha = 0.0f;
  for (int frame = 1; frame <= 41; ++frame) {
    alpha += 0.025f;
    EXPECT_EQ(scales[frame - 1], alpha) << frame;
  }
  EXPECT_FLOAT_EQ(scales[40], 1.025f);
  EXPECT_EQ(scales[41], 1.0f);
  EXPECT_EQ(levelReplays, 1);
  EXPECT_EQ(app_test::MixedLevel(), kLoseLevel);
}

// A scripted event of frame F reaches the mouse state polled after frame F + 1 is shown.
TEST_F(GameOverPopup, ClicksDuringTheZoomAreNotSeenButOnePolledAfterItIs) {
  ClickAt(39, 400, 320);  // retry, polled after frame 40 and gone by frame 41's poll
  headless::CloseRequestAt(At(kFirstChoiceFrame + 2));
  EXPECT_EQ(popupManager->GameOverPopup(), TPopupManager::kCloseAsked);

  start_ = headless::FrameNumber();
  ClickAt(40, 400, 370);  // menu, polled after the last zoom frame
  EXPECT_EQ(popupManager->GameOverPopup(), TPopupManager::kToMenu);
  EXPECT_EQ(headless::FrameNumber(), At(41));  // the first choice frame answered, undrawn
}

TEST_F(GameOverPopup, RetryWinsWhereTheButtonsOverlap) {
  popupManager->menuButton->dim->y = 320.0f;
  ClickAt(45, 400, 330);
  EXPECT_EQ(popupManager->GameOverPopup(), TPopupManager::kRetry);
  EXPECT_EQ(skipLevel, 0);
}

TEST_F(GameOverPopup, AModifierClickOrSpaceChoosesNothing) {
  levelReplays = 1;  // the skip area is offered
  headless::KeyAt(At(44), KEY_LCONTROL, true);
  ClickAt(45, 400, 320);  // retry with Ctrl held
  headless::KeyAt(At(47), KEY_LCONTROL, false);
  headless::KeyPressAt(At(50), KEY_SPACE);
  headless::MouseClickAt(At(50), 1);  // retry in the frame of a space hit
  ClickAt(55, 400, 410);  // skip in the frame of a space hit
  headless::KeyPressAt(At(55), KEY_SPACE);
  headless::CloseRequestAt(At(60));
  EXPECT_EQ(popupManager->GameOverPopup(), TPopupManager::kCloseAsked);
  EXPECT_EQ(skipLevel, 0);
}

TEST_F(GameOverPopup, TheSkipAreaShowsFromTheSecondLossWithItsEdgesOutside) {
  struct Case {
    int replaysBefore, x, y;
    bool skips;
  } cases[] = {
      {0, 400, 410, false}, {1, 400, 410, true},  {5, 331, 401, true},  {1, 473, 419, true},
      {1, 330, 410, false}, {1, 474, 410, false}, {1, 400, 400, false}, {1, 400, 420, false},
  };
  for (const Case& c : cases) {
    // The last case's close request is still due, and its click may have ended undrawn
    // with the button down.
    headless::ClearScript();
    headless::MouseButtonAt(headless::FrameNumber(), 1, false);
    levelReplays = c.replaysBefore;
    skipLevel = 0;
    start_ = headless::FrameNumber();
    headless::MouseMoveAt(At(43), c.x, c.y);
    std::vector<uint32_t> skipPixels;
    headless::SetFrameCallback([&](int frame) {
      if (frame == At(46)) skipPixels.push_back(ScreenPixel(320, 410));
    });
    headless::MouseClickAt(At(47), 1);
    headless::CloseRequestAt(At(52));
    const int32_t result = popupManager->GameOverPopup();
    headless::SetFrameCallback(nullptr);
    const std::string what = std::to_string(c.replaysBefore) + " at " + std::to_string(c.x) +
                             "," + std::to_string(c.y);
    EXPECT_EQ(levelReplays, c.replaysBefore + 1) << what;
    EXPECT_EQ(result, c.skips ? TPopupManager::kRetry : TPopupManager::kCloseAsked) << what;
    EXPECT_EQ(skipLevel, c.skips ? 1 : 0) << what;
    ASSERT_EQ(skipPixels.size(), 1u) << what;
    const uint32_t expected = c.replaysBefore == 0 ? kPanelColour
                              : c.skips            ? kSkipHoveredColour
                                                   : kSkipNormalColour;
    EXPECT_EQ(skipPixels[0] & 0xFFFFFF, expected & 0xFFFFFF) << what;
  }
}

TEST_F(GameOverPopup, AButtonIsDrawnOnlyWhileThePointerIsOverIt) {
  std::vector<uint32_t> retryPixels;
  headless::MouseMoveAt(At(43), 400, 320);
  headless::MouseMoveAt(At(46), 100, 100);
  headless::SetFrameCallback([&](int frame) {
    if (frame == At(46) || frame == At(49)) retryPixels.push_back(ScreenPixel(320, 304));
  });
  headless::CloseRequestAt(At(50));
  EXPECT_EQ(popupManager->GameOverPopup(), TPopupManager::kCloseAsked);
  ASSERT_EQ(retryPixels.size(), 2u);
  EXPECT_EQ(retryPixels[0] & 0xFFFFFF, kRetryColour & 0xFFFFFF);
  EXPECT_EQ(retryPixels[1] & 0xFFFFFF, kPanelColour & 0xFFFFFF);
}

TEST_F(GameOverPopup, TheCauseTurnsToTimeOutWhenTheTimeRunsOutUnderThePopup) {
  timeManager->limit = 60000;
  timeManager->Reset(0);
  headless::AdvanceClock(59000);  // one second left
  std::vector<uint32_t> causes;
  headless::SetFrameCallback([&](int frame) {
    if (frame == At(45) || frame == At(120)) causes.push_back(ScreenPixel(400, 240));
  });
  headless::CloseRequestAt(At(121));
  EXPECT_EQ(popupManager->GameOverPopup(), TPopupManager::kCloseAsked);
  ASSERT_EQ(causes.size(), 2u);
  EXPECT_EQ(causes[0] & 0xFFFFFF, kNoMovesColour & 0xFFFFFF);
  EXPECT_EQ(causes[1] & 0xFFFFFF, kTimeOutColour & 0xFFFFFF);
  // The settled cause is centred on 400: an odd width starts (w - 1) / 2 to the left.
  EXPECT_EQ(ScreenPixel(400 - 110, 240) & 0xFFFFFF, kTimeOutColour & 0xFFFFFF);
  EXPECT_NE(ScreenPixel(400 - 111, 240) & 0xFFFFFF, kTimeOutColour & 0xFFFFFF);
}

}  // namespace
}  // namespace popups_test
