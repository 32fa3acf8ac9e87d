#include "toolkit/spark_burst.h"

#include <cstdint>

#include "platform/system.h"
#include "toolkit/spark.h"

int SparksOnPlace(const ButtonPtr& button) {
  if (!button || !button->dim) return 0;
  const DimPtr& dim = button->dim;
  const int32_t left = static_cast<int32_t>(dim->Left());
  const int32_t top = static_cast<int32_t>(dim->Top());
  const int32_t w = static_cast<int32_t>(dim->width);
  const int32_t h = static_cast<int32_t>(dim->height);
  const ImagePtr& img = sparkImages[2];
  const int32_t x = left + w / 2 - ImageWidth(img) / 2;
  const int32_t y = top + h / 2 - ImageHeight(img) / 2;
  for (int i = 0; i < 101; ++i) {
    const int32_t blue = Rand(100, 255);
    const int32_t green = Rand(100, 150);
    const int32_t red = Rand(100, 150);
    const int32_t life = Rand(20, 80);
    const float scale = static_cast<float>(Rnd(0.5, 1.0));
    SparkPtr s = TSpark::Create(img, x, y, scale, life, red, green, blue, 1, 1);
    const float vy = static_cast<float>(Rnd(-1.5, 1.5));
    const float vx = static_cast<float>(Rnd(-1.5, 1.5));
    s->setVelocity(vx, vy);
  }
  return 0;
}

void PenSparks(const TextPtr& label, double vyLow, double vyHigh) {
  constexpr int kSparks = 7;
  constexpr float kPenDx = -15.0f;  // from the right end of the text shown
  constexpr int32_t kRed = 255, kGreen = 200, kBlue = 100;
  constexpr int32_t kLightBlend = 1, kFadeOverLife = 0;
  for (int i = 0; i < kSparks; ++i) {
    // Drawn in this order: life, scale, the offsets from y to x, the picture, then vy, vx.
    const int32_t life = Rand(30, 70);
    const float scale = static_cast<float>(Rnd(0.5, 1.0));
    const int32_t y = static_cast<int32_t>(label->dim->y + static_cast<float>(Rand(-10, 10)));
    const int32_t x = static_cast<int32_t>(label->dim->x + label->Width() + kPenDx +
                                           static_cast<float>(Rand(-5, 5)));
    const ImagePtr image = sparkImages[Rand(1, 3)];
    SparkPtr spark = TSpark::Create(image, x, y, scale, life, kRed, kGreen, kBlue, kLightBlend,
                                    kFadeOverLife);
    const float vy = static_cast<float>(Rnd(vyLow, vyHigh));
    const float vx = static_cast<float>(Rnd(-0.1, 0.1));
    spark->setVelocity(vx, vy);
  }
}
