// Drawing of both tutorial pages. Draw and draw2 paint what the logic left in the fields; the
// main page also starts the sparks of its completed lines and a ring burst each time a vial is
// drawn full after filling.
#include <cmath>

#include "game/board/board_manager.h"
#include "game/levels/level_timer.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/ring_emiter.h"
#include "platform/system.h"
#include "screens/tutorial/tutorial.h"
#include "toolkit/container.h"
#include "toolkit/drawing.h"

namespace {

constexpr int kTutorialRopeImageId = 5000;  // the rope picture in `data`

struct Point {
  float x, y;
};

// The two vials of the page.
struct VialDemo {
  int32_t x, y;
  int32_t burstColour;
};
constexpr VialDemo kTutorialVials[2] = {{432, 118, 1}, {335, 188, 2}};

// The row and the column variant of the match demonstration.
struct LineVariant {
  int32_t rune;              // also the colour number of its sparks
  Point standing[2];
  float movingFromX, movingY;  // the moving rune stands at (movingFromX - 60 sin a, movingY)
  Point finalPlace;
};
constexpr LineVariant kRow{1, {{600, 100}, {640, 100}}, 740, 100, {680, 100}};
constexpr LineVariant kColumn{2, {{640, 50}, {640, 90}}, 700, 130, {640, 130}};

// The turning block's runes about (120, 60): rune, radius, start angle.
struct SpinRune {
  int32_t rune;
  float radius;
  int32_t startAngle;
};
// The diagonal radius is a single-precision value just below 40 x sqrt(2), so its y lands on
// 99 where the exact value would give 100.
const SpinRune kSpinRunes[3] = {
    {1, 0.0f, 0}, {2, 40.0f, 0}, {2, static_cast<float>(40.0 * std::sqrt(2.0)), 45}};

void DrawRune(int32_t id, float x, int32_t y) {
  if (runes) runes->Draw(id, x, y);
}

void Spark(int32_t colour, int32_t x, int32_t y) {
  if (runes) runes->particleRune(colour, 0, 0, 0.0f, 0.0f, x, y);
}

void DrawAt(const ImagePtr& image, float x, float y) {
  if (image) DrawImage(image, x, y, 0);
}

void DrawBand(const ImagePtr& image, int32_t x, int32_t y, float top, float bottom) {
  if (image) drawVial(image, x, y, top, bottom);
}

// The fade of a cleared line: 1 at tick 100, 0 at tick 120.
float LineFade(int32_t endTick, int32_t tick) {
  return static_cast<float>(endTick - tick) / 20.0f;
}

bool Sparkling(int32_t tick) { return tick > 0 && tick < TTutorial::kBurstTick; }
bool Fading(int32_t tick) {
  return tick >= TTutorial::kBurstTick && tick <= TTutorial::kFadedTick;
}

}  // namespace

int32_t TTutorial::Draw() {
  SetBlend(ALPHABLEND);
  SetAlpha(1.0f);
  SetTransform(0.0f, 1.0f, 1.0f);
  DrawAt(background, 0, 0);
  if (data) {
    const ImagePtr rope = data->GetImage(kTutorialRopeImageId);
    DrawAt(rope, 365, 239);
    DrawAt(rope, 423, 239);
  }
  if (magicSphere) DrawAt(magicSphere->sphereImage, 312, 74);
  if (timeManager) DrawAt(timeManager->timerImage, 338, 270);
  DrawAt(timerImage, 355, 287);
  if (overPlay == 1) DrawAt(playImage, 369, 570);
  drawVialDemo(0);
  drawVialDemo(1);

  // The next-block preview shows the rune of the variant not running.
  SetScale(0.48f, 0.48f);
  const int32_t previewRune = demoPhase == kColumnVariant ? 1 : 2;
  for (float x : {375.0f, 394.0f, 413.0f}) DrawRune(previewRune, x, 159);
  SetScale(1.0f, 1.0f);

  SetAlpha(pulse < 1.0f ? pulse : 2.0f - pulse);
  DrawAt(mouseImage, 232, 158);
  DrawAt(inputImages[0], 19, 177);
  DrawAt(inputImages[1], 158, 164);

  drawRowColumn();
  drawSlide();
  drawRotation();
  drawDrop();
  return 0;
}

void TTutorial::drawVialDemo(int32_t vial) {
  const VialDemo& v = kTutorialVials[vial];
  const float f = hintTimers[vial];
  const float offsetX = magicSphere ? magicSphere->vialWidth : 62.0f;
  const float offsetY = magicSphere ? magicSphere->vialHeight : 62.0f;
  const float symbolX = v.x + offsetX / 2 - 16, symbolY = v.y + offsetY / 2 - 16;
  const ImagePtr frame = magicSphere ? magicSphere->vialFrameImage : nullptr;
  const ImagePtr& contents = ringKImages[vial];
  const ImagePtr& symbol = ringSImages[vial];
  if (f <= 1.0f) {
    DrawAt(frame, v.x, v.y);
    DrawBand(contents, v.x, v.y, 1.0f - f, 1.0f);
    DrawAt(symbol, symbolX, symbolY);
    hintFlags[vial] = 1;
  } else if (f <= 2.0f) {
    DrawAt(frame, v.x, v.y);
    DrawAt(contents, v.x, v.y);
    DrawAt(symbol, symbolX, symbolY);
    if (hintFlags[vial] == 1) {
      hintFlags[vial] = 0;
      const auto centreX = static_cast<int32_t>(v.x + offsetX / 2 - 1);
      const auto centreY = static_cast<int32_t>(v.y + offsetY / 2 - 1);
      int32_t blue = 0, green = 0, red = 0;
      if (runes) {
        blue = runes->getRuneRGB(v.burstColour, 3);
        green = runes->getRuneRGB(v.burstColour, 2);
        red = runes->getRuneRGB(v.burstColour, 1);
      }
      TRingEmiter::Create(centreX, centreY, 26.0f, red, green, blue, 0.8f, 1.2f, 1);
    }
  } else if (f <= 3.0f) {
    const float bottom = 1.0f - (f - 2.0f);
    DrawBand(frame, v.x, v.y, 0.0f, bottom);
    DrawBand(contents, v.x, v.y, 0.0f, bottom);
    DrawBand(symbol, static_cast<int32_t>(symbolX), static_cast<int32_t>(symbolY), 0.0f, bottom);
  }
}

void TTutorial::drawRowColumn() {
  const LineVariant& v = demoPhase == kRowVariant ? kRow : kColumn;
  const int32_t t = demoTicks;
  const Point places[3] = {v.standing[0], v.standing[1], v.finalPlace};
  if (t < kBurstTick) {
    SetAlpha(1.0f);
    DrawRune(v.rune, v.standing[0].x, static_cast<int32_t>(v.standing[0].y));
    DrawRune(v.rune, v.standing[1].x, static_cast<int32_t>(v.standing[1].y));
    DrawRune(v.rune, static_cast<float>(v.movingFromX - 60.0 * Sin(demoAngle)),
             static_cast<int32_t>(v.movingY));
  }
  if (Sparkling(t))
    for (const Point& p : places)
      Spark(v.rune, static_cast<int32_t>(p.x), static_cast<int32_t>(p.y));
  if (Fading(t)) {
    SetAlpha(LineFade(kFadedTick, t));
    for (const Point& p : places) DrawRune(v.rune, p.x, static_cast<int32_t>(p.y));
  }
}

void TTutorial::drawSlide() {
  const int32_t u = demoTicks2;
  if (u < kBurstTick) {
    SetAlpha(1.0f);
    DrawRune(2, 670, 385);
    DrawRune(2, 710, 385);
    DrawRune(3, 670, 425);
    DrawRune(3, 710, 425);
    const auto pairX = static_cast<float>(630.0 - 60.0 * Cos(demoAngle2));
    DrawRune(2, pairX, 385);
    DrawRune(3, pairX, 425);
  }
  if (Sparkling(u)) {
    for (int32_t i = 0; i < 3; ++i) {
      Spark(2, 630 + 40 * i, 385);
      Spark(3, 630 + 40 * i, 425);
    }
  }
  if (Fading(u)) {
    SetAlpha(LineFade(kFadedTick, u));
    for (int32_t i = 0; i < 3; ++i) {
      DrawRune(2, static_cast<float>(630 + 40 * i), 385);
      DrawRune(3, static_cast<float>(630 + 40 * i), 425);
    }
  }
}

void TTutorial::drawRotation() {
  SetAlpha(1.0f);
  for (const SpinRune& r : kSpinRunes) {
    const double angle = r.startAngle + spinAngle;
    const auto x = static_cast<float>(120.0 + r.radius * Cos(angle));
    const auto y = static_cast<int32_t>(100.0 + r.radius * Sin(angle) - 40.0);
    DrawRune(r.rune, x, y);
  }
}

void TTutorial::drawDrop() {
  const int32_t u = demoTicks2;
  // The rune-2 pair stays opaque while the value is above 1, until tick 160.
  constexpr int32_t kPairFadedTick = 180;
  if (u < kBurstTick) {
    SetAlpha(1.0f);
    for (float x : {45.0f, 85.0f, 165.0f, 205.0f}) DrawRune(1, x, 430);
    const double fall = 80.0 * Sin(demoAngle2);
    DrawRune(1, 125, static_cast<int32_t>(350.0 + fall));
    DrawRune(2, 125, static_cast<int32_t>(310.0 + fall));
    DrawRune(2, 165, static_cast<int32_t>(310.0 + fall));
  }
  if (Sparkling(u))
    for (int32_t i = 0; i < 5; ++i) Spark(1, 45 + 40 * i, 430);
  if (Fading(u)) {
    SetAlpha(LineFade(kFadedTick, u));
    for (int32_t i = 0; i < 5; ++i) DrawRune(1, static_cast<float>(45 + 40 * i), 430);
  }
  if (u >= kBurstTick && u <= kPairFadedTick) {
    SetAlpha(LineFade(kPairFadedTick, u));
    DrawRune(2, 125, 390);
    DrawRune(2, 165, 390);
  }
}

int32_t TTutorial::draw2() {
  // Where the boss and its cross stand: the boss's corner, then the runes in the order they
  // appear (left block, top, right, bottom).
  static constexpr int32_t kRunePlaces[kBossRunes][2] = {
      {280, 215}, {320, 215}, {280, 255}, {320, 255}, {360, 175}, {400, 175},
      {360, 135}, {400, 135}, {440, 215}, {440, 255}, {480, 215}, {480, 255},
      {360, 295}, {400, 295}, {360, 335}, {400, 335}};
  constexpr int32_t kBossRuneId = 5;
  SetBlend(ALPHABLEND);
  SetTransform(0.0f, 1.0f, 1.0f);
  SetAlpha(1.0f);
  DrawAt(background, 0, 0);
  if (overPlay == 1) DrawAt(playImage, 371, 571);
  const float clock = bossValues[kBossRunes - 1];
  SetAlpha(clock < 2.0f ? 1.0f : 3.0f - clock);
  DrawAt(extraImage, 360, 215);
  for (int32_t k = 0; k < kBossRunes; ++k) {
    SetAlpha(clock <= 2.0f ? bossValues[k] : 3.0f - bossValues[k]);
    DrawRune(kBossRuneId, static_cast<float>(kRunePlaces[k][0]), kRunePlaces[k][1]);
  }
  SetAlpha(1.0f);
  return 0;
}
