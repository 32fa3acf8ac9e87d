// The per-frame logic of both tutorial pages: the play button's hover, the main page's
// demonstrations (hourglass, pulse, row/column, slide and drop, turning block, vials) with the
// comets of their cleared lines, and the boss page's fading runes, sparkle, burst and reset.
#include <cmath>

#include "services/delta_time.h"
#include "game/levels/level_timer.h"
#include "game/pieces/rune_manager.h"
#include "platform/system.h"
#include "screens/tutorial/tutorial.h"
#include "toolkit/comet.h"

namespace {

// The hourglass steps forward once per more than this many ms, and back (the refill) faster.
constexpr int32_t kHourglassForwardMs = 500;
constexpr int32_t kHourglassBackMs = 20;

constexpr float kPulseStep = 0.02f;  // per frame
constexpr float kPulsePeriod = 2.0f;
constexpr float kRestAngle = 90.0f;
constexpr int32_t kSpinStep = 2;       // degrees per frame
constexpr int32_t kSpinRestFrames = 16;  // the count that ends a rest (15 frames shown at rest)

constexpr float kVialSlowStep = 0.005f;  // per frame while filling
constexpr float kVialFastStep = 0.05f;   // per frame once full
constexpr float kVialCycleEnd = 7.0f;

// Main page: every comet's speed is measured from the sphere point.
constexpr int32_t kSphereX = 397;
constexpr int32_t kSphereY = 159;
constexpr int32_t kCometEndX = 387;
constexpr int32_t kCometEndY = 154;

// Boss page.
constexpr double kBossFadeStep = 0.015;  // per frame at 60 frames per second
constexpr float kBossStartNext = 0.25f;  // a rune starts once its predecessor has this level
constexpr float kBossSparkleFrom = 1.0f;
constexpr float kBossBurstAt = 2.0f;
constexpr float kBossResetAbove = 4.5f;
constexpr int32_t kBossRuneColour = 5;
constexpr int32_t kBossAimX = 400;  // comets' speeds are measured from here
constexpr int32_t kBossAimY = 500;
constexpr int32_t kBossCometEndX = 390;
constexpr int32_t kBossCometEndY = 495;

struct Rgb {
  int32_t red, green, blue;
};

// One colour of a colour number's sparks; each component a fresh draw, red first.
Rgb RuneColour(int32_t colour) {
  if (!runes) return {0, 0, 0};
  const int32_t red = runes->getRuneRGB(colour, 1);
  const int32_t green = runes->getRuneRGB(colour, 2);
  const int32_t blue = runes->getRuneRGB(colour, 3);
  return {red, green, blue};
}

// 0.03 x (200 / d), d from (x, y) to the aim point by integer squares; the quotient narrowed to
// single precision before the multiplication.
float CometSpeed(int32_t x, int32_t y, int32_t aimX, int32_t aimY) {
  const int32_t dx = x - aimX, dy = y - aimY;
  const double d = std::sqrt(static_cast<double>(dx * dx + dy * dy));
  return 0.03f * static_cast<float>(200.0 / d);
}

// The random ranges of a comet's control point.
struct ControlRange {
  int32_t xMin, xMax, yMin, yMax;
};
constexpr ControlRange kToSphere{150, 350, 200, 500};
constexpr ControlRange kLowerSlideRow{250, 450, 100, 400};

// One comet; the control point's y is drawn before its x.
void LaunchComet(int32_t x, int32_t y, int32_t endX, int32_t endY, const ControlRange& range,
                 int32_t aimX, int32_t aimY, const Rgb& colour) {
  const int32_t controlY = Rand(range.yMin, range.yMax);
  const int32_t controlX = Rand(range.xMin, range.xMax);
  CometPtr c = TCometEmiter::start(x, y, endX, endY, controlX, controlY,
                                   CometSpeed(x, y, aimX, aimY), -6, 6, -6, 6, 0.8f);
  c->setRGB(colour.red, colour.green, colour.blue);
}

void LaunchToSphere(int32_t x, int32_t y, const Rgb& colour) {
  LaunchComet(x, y, kCometEndX, kCometEndY, kToSphere, kSphereX, kSphereY, colour);
}

// Three comets from the runes of the row (colour 1) or the column (colour 2), one shade each.
void RowColumnBurst(int32_t variant) {
  if (variant == TTutorial::kRowVariant) {
    const Rgb colour = RuneColour(1);
    for (int32_t i = 0; i < 3; ++i) LaunchToSphere(616 + 40 * i, 116, colour);
  } else if (variant == TTutorial::kColumnVariant) {
    const Rgb colour = RuneColour(2);
    for (int32_t i = 0; i < 3; ++i) LaunchToSphere(660, 70 + 40 * i, colour);
  }
}

// The slide demonstration's two rows, upper and lower comets in turn, then the drop row; every
// comet with its own shade.
void SlideAndDropBurst() {
  for (int32_t i = 0; i < 3; ++i) {
    LaunchToSphere(646 + 40 * i, 401, RuneColour(2));
    const Rgb lower = RuneColour(3);
    LaunchComet(646 + 40 * i, 441, kSphereX, kSphereY, kLowerSlideRow, kSphereX, kSphereY, lower);
  }
  for (int32_t i = 0; i < 5; ++i) LaunchToSphere(65 + 40 * i, 450, RuneColour(1));
}

}  // namespace

int32_t TTutorial::Update() {
  updateHover();
  stepHourglass();
  pulse = std::fmod(pulse + kPulseStep, kPulsePeriod);
  stepRowColumn();
  stepSlideAndDrop();
  stepSpin();
  stepVials();
  return 0;
}

void TTutorial::stepHourglass() {
  bool stepped = false;
  if (timerFilling == 1) {
    if (ElapsedMs(MilliSecs(), timerStepMs) > kHourglassForwardMs) {
      timerStepMs = MilliSecs();
      if (++timerFrame > TTimeManager::kFrames - 1) {
        timerFrame = TTimeManager::kFrames - 1;
        timerFilling = 0;
      }
      stepped = true;
    }
  } else if (ElapsedMs(MilliSecs(), timerStepMs) > kHourglassBackMs) {
    timerStepMs = MilliSecs();
    if (--timerFrame < 0) {
      timerFrame = 0;
      timerFilling = 1;
    }
    stepped = true;
  }
  if (!stepped) return;
  timerImage = nullptr;
  if (timeManager && timeManager->frameImages[timerFrame])
    timerImage = LoadImage(timeManager->frameImages[timerFrame], -1);
}

void TTutorial::stepRowColumn() {
  demoAngle = static_cast<float>(demoAngle + 1.0 * delta);
  if (demoAngle > kRestAngle) demoAngle = kRestAngle;
  if (demoAngle == kRestAngle) ++demoTicks;
  if (demoTicks > kLastTick) {
    demoAngle = 0.0f;
    demoTicks = 0;
    demoPhase = demoPhase == kRowVariant ? kColumnVariant : kRowVariant;
  }
  if (demoTicks == kBurstTick) RowColumnBurst(demoPhase);
}

void TTutorial::stepSlideAndDrop() {
  demoAngle2 += 1.0f;
  if (demoAngle2 > kRestAngle) demoAngle2 = kRestAngle;
  if (demoAngle2 == kRestAngle) ++demoTicks2;
  if (demoTicks2 > kLastTick) {
    demoAngle2 = 0.0f;
    demoTicks2 = 0;
  }
  if (demoTicks2 == kBurstTick) SlideAndDropBurst();
}

void TTutorial::stepSpin() {
  if (spinHold == 0) spinAngle += kSpinStep;
  if (spinAngle % 90 == 0) ++spinHold;
  if (spinHold == kSpinRestFrames) {
    spinHold = 0;
    spinAngle += kSpinStep;
  }
  if (spinAngle > 360) spinAngle = kSpinStep;
}

void TTutorial::stepVials() {
  for (float& fill : hintTimers) {
    if (fill >= 1.0f) {
      fill += kVialFastStep;
      if (fill > kVialCycleEnd) fill = 0.0f;
    } else {
      fill += kVialSlowStep;
    }
  }
}

int32_t TTutorial::update2() {
  updateHover();
  float& clock = bossValues[kBossRunes - 1];
  // Each level is stepped in double precision and kept in single.
  auto grow = [](float& value) { value = static_cast<float>(value + kBossFadeStep * delta); };
  grow(bossValues[0]);
  for (int32_t k = 1; k < kBossRunes; ++k)
    if (bossValues[k - 1] >= kBossStartNext) grow(bossValues[k]);

  if (clock > kBossSparkleFrom && clock < kBossBurstAt) {
    for (int32_t k = 0; k < kBossRunes - 1; ++k) bossValues[k] = clock;
    if (runes) {
      for (int32_t px = 283; px <= 483; px += 40) {
        runes->particleRune(kBossRuneColour, 0, 0, 0.0f, 0.0f, px, 218);
        runes->particleRune(kBossRuneColour, 0, 0, 0.0f, 0.0f, px, 258);
      }
      for (int32_t py = 138; py <= 338; py += 40) {
        runes->particleRune(kBossRuneColour, 0, 0, 0.0f, 0.0f, 363, py);
        runes->particleRune(kBossRuneColour, 0, 0, 0.0f, 0.0f, 403, py);
      }
    }
  }
  if (clock > kBossBurstAt && demoPhase == 1) {
    demoPhase = 0;
    launchBossBurst();
  }
  if (clock > kBossResetAbove) {
    demoPhase = 1;
    bossValues = {};
  }
  return 0;
}

void TTutorial::launchBossBurst() {
  const Rgb colour = RuneColour(kBossRuneColour);
  auto launch = [&](int32_t x, int32_t y) {
    LaunchComet(x, y, kBossCometEndX, kBossCometEndY, kToSphere, kBossAimX, kBossAimY, colour);
  };
  for (int32_t x = 299; x <= 499; x += 40) {
    launch(x, 234);
    launch(x, 274);
  }
  launch(379, 154);
  launch(379, 194);
}
