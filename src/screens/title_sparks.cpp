// The sparks of the title's screens (see the header).
#include "screens/title_sparks.h"

#include <cstdint>

#include "platform/system.h"
#include "services/mouse.h"
#include "toolkit/spark.h"

namespace {

constexpr int32_t kSparkLightBlend = 1;
constexpr int32_t kSparkFadeOverLife = 0;
constexpr int32_t kFadeInHoldOut = 1;

}  // namespace

void EmitCursorSpark() {
  // Drawn in this order: the colour from blue, life, scale, the offsets, then the velocity.
  const int32_t blue = Rand(100, 200);
  const int32_t green = Rand(100, 200);
  const int32_t red = Rand(150, 200);
  const int32_t life = Rand(20, 50);
  const float scale = static_cast<float>(Rnd(0.2, 0.6));
  const int32_t y = (mouse ? mouse->y : 0) + Rand(-2, 2);
  const int32_t x = (mouse ? mouse->x : 0) + Rand(-2, 2);
  SparkPtr spark = TSpark::Create(sparkImages[0], x, y, scale, life, red, green, blue,
                                  kSparkLightBlend, kSparkFadeOverLife);
  const float vy = static_cast<float>(Rnd(-0.5, 0.5));
  const float vx = static_cast<float>(Rnd(-0.5, 0.5));
  spark->setVelocity(vx, vy);
}

void EmitTitleBurstSpark() {
  if (Rand(0, 10) != 1) return;
  const bool left = Rand(0, 2) == 0;  // one burst in three on the left
  // The values right to left over TSpark::Create's arguments.
  const int32_t blue = Rand(150, 220);
  const int32_t green = Rand(100, 150);
  const int32_t red = Rand(100, 150);
  const int32_t life = Rand(50, 150);
  const float scale = static_cast<float>(Rnd(0.3, 0.6));
  const int32_t y = left ? Rand(215, 475) : Rand(170, 400);
  const int32_t x = left ? Rand(130, 225) : Rand(570, 800);
  const ImagePtr image = sparkImages[Rand(1, 3)];
  SparkPtr spark =
      TSpark::Create(image, x, y, scale, life, red, green, blue, kSparkLightBlend, kFadeInHoldOut);
  const float vy = static_cast<float>(Rnd(-0.4, 0.4));
  const float vx = static_cast<float>(Rnd(-0.4, 0.4));
  spark->setVelocity(vx, vy);
}
