// Ring bursts: one spark a frame along a circle, three turns.
#include "game/spells/ring_emiter.h"

#include "services/delta_time.h"
#include "platform/graphics.h"
#include "platform/system.h"
#include "toolkit/spark.h"

TListPtr<RingEmiterPtr> ringEmiterList = CreateList<RingEmiterPtr>();

namespace {

constexpr float kDegreesPerFrame = 10.0f;
constexpr float kTurn = 360.0f;
constexpr float kFadeOutFrom = 900.0f;  // the last turn dims
constexpr float kEnd = 1080.0f;         // three turns
constexpr int32_t kSparkLife = 50;      // frames
constexpr double kJitter = 2.0;         // pixels either way

}  // namespace

int32_t TRingEmiter::Create(int32_t x, int32_t y, float radius, int32_t red, int32_t green,
                            int32_t blue, float minScale, float maxScale, int32_t image) {
  auto burst = std::make_shared<TRingEmiter>();
  burst->x = static_cast<float>(x);
  burst->y = static_cast<float>(y);
  burst->image = image;
  if (radius != 0.0f) burst->radius = radius;
  if (red >= 0) burst->red = red;
  if (green >= 0) burst->green = green;
  if (blue >= 0) burst->blue = blue;
  if (minScale >= 0.0f) burst->minScale = minScale;
  if (maxScale >= 0.0f) burst->maxScale = maxScale;
  if (!ringEmiterList) ringEmiterList = CreateList<RingEmiterPtr>();
  ringEmiterList->AddLast(burst);
  return 0;
}

int32_t TRingEmiter::Update() {
  angle += static_cast<float>(kDegreesPerFrame * delta);
  // Drawn in this order: x jitter, y jitter, zoom.
  const auto sx = static_cast<float>(x + radius * Cos(angle) + Rnd(-kJitter, kJitter));
  const auto sy = static_cast<float>(y + radius * Sin(angle) + Rnd(-kJitter, kJitter));
  const auto s = static_cast<float>(Rnd(minScale, maxScale));
  const ImagePtr picture =
      image >= 0 && image < static_cast<int32_t>(sparkImages.size())
          ? sparkImages[static_cast<size_t>(image)]
          : nullptr;
  const auto left = static_cast<int32_t>(sx - static_cast<float>(ImageWidth(picture) / 2) * s);
  const auto top = static_cast<int32_t>(sy - static_cast<float>(ImageHeight(picture) / 2) * s);
  SparkPtr spark = TSpark::Create(picture, left, top, s, kSparkLife, red, green, blue, 1, 0);
  if (spark && angle < kTurn) {
    spark->red = static_cast<int32_t>(static_cast<float>(red) * angle / kTurn);
    spark->green = static_cast<int32_t>(static_cast<float>(green) * angle / kTurn);
    spark->blue = static_cast<int32_t>(static_cast<float>(blue) * angle / kTurn);
  }
  if (spark && angle > kFadeOutFrom) {
    const float remaining = 1.0f - (angle - kFadeOutFrom) / kTurn;
    spark->red = static_cast<int32_t>(static_cast<float>(red) * remaining);
    spark->green = static_cast<int32_t>(static_cast<float>(green) * remaining);
    spark->blue = static_cast<int32_t>(static_cast<float>(blue) * remaining);
  }
  if (angle > kEnd && ringEmiterList) ringEmiterList->Remove(shared_from_this());
  return 0;
}

int32_t TRingEmiter::UpdateAll() {
  if (!ringEmiterList) return 0;
  for (const RingEmiterPtr& burst : *ringEmiterList) burst->Update();
  return 0;
}
