// The loading screen: its fades frame by frame, what each phase draws, and the closing
// animation on the virtual clock.
#include <gtest/gtest.h>

#include <vector>

#include "services/delta_time.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "program/loading.h"
#include "program/title_screen.h"
#include "program_title/title_fixtures.h"
#include "support/game_fixtures.h"
#include "toolkit/spark.h"

namespace {

using test_support::Argb;
using test_support::Blue;
using test_support::Green;
using test_support::Red;
using test_support::ScreenPixel;
using test_support::SolidImage;

class LoadingScreen : public testing::Test {
 protected:
  void SetUp() override {
    title_test::MakeSingletons();
    headless::SetFrameCap(headless::FrameNumber() + 2000);
  }
  void TearDown() override {
    headless::SetFrameCallback(nullptr);
    TSpark::destroyAll();
  }
  // Pictures of one colour each in place of the shipped ones, handles as setup leaves them.
  static void SolidPictures() {
    loading->bgImage = SolidImage(800, 600, Argb(255, 200, 0, 0));
    loading->screenImage = SolidImage(100, 20, Argb(255, 0, 0, 200));
    loading->ballOffImage = SolidImage(20, 20, Argb(255, 0, 100, 0));
    loading->ballOnImage = SolidImage(20, 20, Argb(255, 0, 200, 0));
    loading->logoImage = SolidImage(60, 30, Argb(255, 0, 0, 100));
    MidHandleImage(loading->screenImage);
    MidHandleImage(loading->ballOffImage);
    MidHandleImage(loading->ballOnImage);
  }
  // Green of ball i's centre.
  static int BallGreen(int i) { return Green(ScreenPixel(220 + 90 * i, 455)); }
};

TEST_F(LoadingScreen, SetupLoadsThePicturesWithNoBallLit) {
  loading->setup();
  EXPECT_TRUE(loading->bgImage && loading->logoImage && loading->screenImage &&
              loading->ballOffImage && loading->ballOnImage);
  EXPECT_EQ(loading->currentBall, -1);
  EXPECT_FLOAT_EQ(loading->screenImage->handleX, loading->screenImage->width / 2.0f);
  EXPECT_EQ(loading->logoImage->handleX, 0.0f);
  EXPECT_EQ(loading->magicPhase, TLoading::kLoadingPhase);
}

TEST_F(LoadingScreen, AMissingPictureIsNamedAndDrawsNothing) {
  loading->setup();
  const std::string out = test_support::Output([] {
    loading->logoImage = LoadTitlePicture("gfx/title/no-such-logo.png", DEFAULT_IMAGE_FLAGS);
  });
  EXPECT_NE(out.find("gfx/title/no-such-logo.png"), std::string::npos);
  loading->magicPhase = TLoading::kLogoShown;
  loading->logoAlpha = 1.0f;
  loading->Draw();  // no picture, no failure
}

TEST_F(LoadingScreen, FadesRunTheirFrameCountsAndEndExactlyOpaque) {
  loading->setup();
  std::vector<float> bg;
  headless::SetFrameCallback([&](int) { bg.push_back(loading->bgAlpha); });
  EXPECT_EQ(title_test::FramesOf([] { loading->fadeInBg(); }), 20);
  EXPECT_EQ(loading->bgAlpha, 1.0f);
  ASSERT_EQ(bg.size(), 20u);
  EXPECT_EQ(bg[0], 0.05f);
  EXPECT_LT(bg[18], 1.0f);
  for (int n = 0; n < TLoading::kBallCount; ++n) {
    EXPECT_EQ(title_test::FramesOf([n] { loading->fadeInBall(n); }), 10) << "ball " << n;
    EXPECT_EQ(loading->ballAlpha, 1.0f);
    EXPECT_EQ(loading->currentBall, n);
  }
}

TEST_F(LoadingScreen, LoadingPhaseDrawsBallsBelowTheCurrentLitAndTheCurrentFadingIn) {
  SolidPictures();
  struct Case {
    int currentBall;
    float bgAlpha, ballAlpha;
    std::vector<int> green;  // of balls 0 to 4
  };
  const Case cases[] = {
      // The first frame of the background fade: all balls unlit at 0.05.
      {-1, 0.05f, 0.0f, {5, 5, 5, 5, 5}},
      // Ball 2 half lit over its unlit picture.
      {2, 1.0f, 0.5f, {200, 200, 150, 100, 100}},
      {4, 1.0f, 1.0f, {200, 200, 200, 200, 200}},
  };
  for (const Case& c : cases) {
    loading->currentBall = c.currentBall;
    loading->bgAlpha = c.bgAlpha;
    loading->ballAlpha = c.ballAlpha;
    loading->Draw();
    for (int i = 0; i < 5; ++i)
      EXPECT_NEAR(BallGreen(i), c.green[i], 2) << "ball " << i << " current " << c.currentBall;
    EXPECT_EQ(Blue(ScreenPixel(400, 400)) > 0, true);   // the caption
    EXPECT_EQ(Blue(ScreenPixel(250, 440)), 0);          // no logo
    EXPECT_EQ(GetAlpha(), c.bgAlpha);
  }
}

TEST_F(LoadingScreen, LaterPhasesDrawEveryBallLitAtBallAlphaAndTheLogoTwice) {
  SolidPictures();
  loading->magicPhase = TLoading::kLogoFadingIn;
  loading->currentBall = 1;
  loading->bgAlpha = 1.0f;
  loading->ballAlpha = 0.5f;
  loading->logoAlpha = 0.5f;
  loading->Draw();
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(BallGreen(i), 100, 2) << "ball " << i;
  // Blended at half, then half of it added once more.
  EXPECT_NEAR(Blue(ScreenPixel(250, 440)), 100, 2);
  EXPECT_NEAR(Red(ScreenPixel(250, 440)), 100, 2);
  EXPECT_EQ(GetBlend(), ALPHABLEND);
  EXPECT_EQ(GetAlpha(), 0.5f);
}

TEST_F(LoadingScreen, LogoRisesAndCaptionGoesFrameByFrame) {
  loading->magicPhase = TLoading::kLogoFadingIn;
  loading->ballAlpha = 1.0f;
  loading->bgAlpha = 1.0f;
  int frames = 0;
  while (loading->magicPhase == TLoading::kLogoFadingIn && frames < 1000) {
    loading->Update();
    ++frames;
    if (frames == 1) {
      EXPECT_EQ(loading->ballAlpha, 0.9f);
      EXPECT_EQ(loading->logoAlpha, 0.005f);
    }
  }
  EXPECT_EQ(frames, 201);
  EXPECT_EQ(loading->logoAlpha, 1.0f);
  EXPECT_EQ(loading->ballAlpha, 0.0f);
  loading->Update();  // phase 2: only the background moves
  EXPECT_EQ(loading->magicPhase, TLoading::kLogoShown);
}

TEST_F(LoadingScreen, DoMagicEndsOnTheFirstFrameAfterItsTimeWithSparksAndMusic) {
  title_test::LoadTitleResources();
  loading->setup();
  loading->bgAlpha = 1.0f;
  delta = 0.0;
  const ImagePtr spark = sparkImages[0];
  std::vector<int32_t> clockAfter;  // MilliSecs after each frame's flip
  std::vector<int> sparks;
  bool centred = true;
  const int first = headless::FrameNumber() + 1;
  headless::SetFrameCallback([&](int) {
    clockAfter.push_back(MilliSecs());
    sparks.push_back(SparkList->Count());
    centred = centred && spark->handleX == spark->width / 2.0f;
  });
  headless::CloseRequestAt(first + 3);
  const int32_t start = MilliSecs();
  loading->doMagic(3500);
  headless::SetFrameCallback(nullptr);
  const size_t n = clockAfter.size();
  ASSERT_GT(n, 201u);
  // The test of frame k reads the clock that frame k - 1 left.
  EXPECT_GT(ElapsedMs(clockAfter[n - 2], start), 3500);
  EXPECT_LE(ElapsedMs(clockAfter[n - 3], start), 3500);
  EXPECT_EQ(loading->magicPhase, TLoading::kFinished);
  EXPECT_EQ(loading->logoAlpha, 1.0f);
  EXPECT_EQ(delta, 1.0);
  // Two sparks a frame for 41 frames; each lives at least 30 frames.
  EXPECT_EQ(sparks[0], 2);
  EXPECT_EQ(sparks[28], 58);
  EXPECT_EQ(sparks[120], 0);
  EXPECT_TRUE(centred);
  EXPECT_EQ(spark->handleX, 0.0f);
  EXPECT_EQ(titleScreen->musicPlaying, 1);
  EXPECT_EQ(AppTerminate(), 1) << "the close request stays for the title";
}

TEST_F(LoadingScreen, DoMagicCutShortLeavesTheLogoPartlyIn) {
  title_test::LoadTitleResources();
  loading->setup();
  loading->doMagic(1000);
  EXPECT_EQ(loading->magicPhase, TLoading::kFinished);
  EXPECT_GT(loading->logoAlpha, 0.2f);
  EXPECT_LT(loading->logoAlpha, 0.4f);
}

TEST_F(LoadingScreen, SparksStillAliveStayAfterDoMagic) {
  title_test::LoadTitleResources();
  loading->setup();
  loading->doMagic(300);  // about 19 frames: every spark is younger than 30 frames
  EXPECT_GT(SparkList->Count(), 0);
}

}  // namespace
