// The loading screen's pictures, fades, drawing and closing animation.
#include "program/loading.h"

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "platform/system.h"
#include "platform/text.h"
#include "program/title_screen.h"
#include "toolkit/spark.h"

LoadingPtr loading;

namespace {

// Fade steps per frame, in 32-bit floats as the frame counts depend on it.
constexpr float kBgStep = 0.05f;    // 20 frames
constexpr float kBallStep = 0.1f;   // 10 frames
constexpr float kLogoStep = 0.005f; // opaque on frame 201 of doMagic

// Layout.
constexpr float kLoadingCaptionX = 400.0f;
constexpr float kLoadingCaptionY = 400.0f;
constexpr float kFirstBallX = 220.0f;
constexpr float kBallSpacing = 90.0f;
constexpr float kLoadingBallY = 455.0f;
constexpr float kLogoX = 243.0f;
constexpr float kLogoY = 432.0f;

// The closing animation's rising sparks: two a frame while the budget lasts (41 frames).
constexpr int32_t kSparkBudget = 82;
constexpr int32_t kSparkLeft = 240, kSparkRight = 595;
constexpr int32_t kSparkTop = 425, kSparkBottom = 535;
constexpr int32_t kLightBlend = 1;
constexpr int32_t kFadeOverLife = 0;
constexpr float kSecondSparkRise = -2.0f;

SparkPtr MakeRisingSpark() {
  // Drawn right to left over TSpark::Create's arguments.
  const int32_t blue = Rand(100, 200);
  const int32_t green = Rand(100, 200);
  const int32_t red = Rand(150, 200);
  const int32_t life = Rand(30, 60);
  const float scale = static_cast<float>(Rand(2, 6));
  const int32_t y = Rand(kSparkTop, kSparkBottom);
  const int32_t x = Rand(kSparkLeft, kSparkRight);
  return TSpark::Create(sparkImages[0], x, y, scale, life, red, green, blue, kLightBlend,
                        kFadeOverLife);
}

}  // namespace

ImagePtr LoadTitlePicture(const std::string& path, int flags) {
  ImagePtr image = LoadImage(path, flags);
  if (!image) Print("Cannot load the picture " + path);
  return image;
}

void TLoading::setup() {
  bgAlpha = 0.0f;
  logoAlpha = 0.0f;
  ballAlpha = 0.0f;
  currentBall = -1;
  bgImage = LoadTitlePicture(bundleDir + "gfx/title/glyphor-bg.jpg", 0);
  logoImage = LoadTitlePicture(bundleDir + "gfx/title/morvell.png", DEFAULT_IMAGE_FLAGS);
  screenImage = LoadTitlePicture(bundleDir + "gfx/title/loading.png", DEFAULT_IMAGE_FLAGS);
  ballOffImage = LoadTitlePicture(bundleDir + "gfx/title/load2.png", DEFAULT_IMAGE_FLAGS);
  ballOnImage = LoadTitlePicture(bundleDir + "gfx/title/load1.png", DEFAULT_IMAGE_FLAGS);
  MidHandleImage(screenImage);
  MidHandleImage(ballOffImage);
  MidHandleImage(ballOnImage);
}

void TLoading::Update() {
  bgAlpha += kBgStep;
  if (bgAlpha > 1.0f) bgAlpha = 1.0f;
  if (magicPhase == kLoadingPhase && currentBall >= 0) {
    ballAlpha += kBallStep;
    if (ballAlpha > 1.0f) ballAlpha = 1.0f;
  }
  if (magicPhase == kLogoFadingIn) {
    logoAlpha += kLogoStep;
    if (logoAlpha > 1.0f) {
      logoAlpha = 1.0f;
      magicPhase = kLogoShown;
    }
    // Also on the frame on which the logo became opaque.
    ballAlpha -= kBallStep;
    if (ballAlpha < 0.0f) ballAlpha = 0.0f;
  }
}

void TLoading::Draw() {
  Cls();
  SetColor(255, 255, 255);
  SetTransform(0, 1, 1);
  SetBlend(ALPHABLEND);
  SetAlpha(bgAlpha);
  DrawImage(bgImage, 0, 0);
  if (magicPhase == kLoadingPhase) {
    DrawImage(screenImage, kLoadingCaptionX, kLoadingCaptionY);
    for (int32_t i = 0; i < kBallCount; ++i) {
      const float x = kFirstBallX + kBallSpacing * static_cast<float>(i);
      DrawImage(i < currentBall ? ballOnImage : ballOffImage, x, kLoadingBallY);
      if (i == currentBall) {
        SetAlpha(ballAlpha);
        DrawImage(ballOnImage, x, kLoadingBallY);
        SetAlpha(bgAlpha);
      }
    }
    return;
  }
  SetAlpha(ballAlpha);
  DrawImage(screenImage, kLoadingCaptionX, kLoadingCaptionY);
  for (int32_t i = 0; i < kBallCount; ++i)
    DrawImage(ballOnImage, kFirstBallX + kBallSpacing * static_cast<float>(i), kLoadingBallY);
  SetAlpha(logoAlpha);
  DrawImage(logoImage, kLogoX, kLogoY);
  SetBlend(LIGHTBLEND);
  DrawImage(logoImage, kLogoX, kLogoY);
  SetBlend(ALPHABLEND);
}

void TLoading::fadeFrame() {
  Update();
  Draw();
  Flip(-1);
  PollSystem();
}

void TLoading::fadeInBg() {
  while (bgAlpha < 1.0f) fadeFrame();
}

void TLoading::fadeInBall(int32_t n) {
  currentBall = n;
  ballAlpha = 0.0f;
  while (ballAlpha < 1.0f) fadeFrame();
}

void TLoading::doMagic(int32_t time) {
  magicPhase = kLogoFadingIn;
  ballAlpha = 1.0f;
  delta = 1.0;
  const ImagePtr sparkImage = sparkImages[0];
  MidHandleImage(sparkImage);
  const int32_t start = MilliSecs();
  if (titleScreen) titleScreen->playMusic();
  int32_t budget = kSparkBudget;
  // The window's close request is not read here: it stays pending for the title to take.
  while (magicPhase < kFinished) {
    Update();
    Draw();
    if (budget != 0) {
      budget -= 2;
      // The first spark's rise is drawn after its own values, before the second spark's.
      SparkPtr first = MakeRisingSpark();
      first->setVelocity(0.0f, static_cast<float>(Rnd(-3.5, -2.0)));
      SparkPtr second = MakeRisingSpark();
      second->setVelocity(0.0f, kSecondSparkRise);
    }
    TSpark::UpdateAll();
    if (ElapsedMs(MilliSecs(), start) > time) magicPhase = kFinished;
    Flip(-1);
    PollSystem();
    if (titleScreen) titleScreen->updateMusic();
  }
  SetImageHandle(sparkImage, 0, 0);
}
