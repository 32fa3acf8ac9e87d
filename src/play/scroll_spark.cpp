#include "play/scroll_spark.h"

#include "platform/system.h"
#include "toolkit/spark.h"

void UnrollSpark(int32_t halfOpen) {
  // Draws into locals in the order life, scale, y, x, then vy, vx.
  const int32_t life = Rand(30, 50);
  const float scale = static_cast<float>(Rnd(0.4, 0.7));
  const int32_t y = Rand(280 - halfOpen, 290 - halfOpen);
  const int32_t x = Rand(250, 550);
  SparkPtr spark = TSpark::Create(sparkImages[1], x, y, scale, life, 255, 200, 100, 1, 0);
  const float vy = static_cast<float>(Rnd(0.0, 1.5));
  const float vx = static_cast<float>(Rnd(-1.0, 1.0));
  if (spark) spark->setVelocity(vx, vy);
}
