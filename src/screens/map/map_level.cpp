#include "screens/map/map_level.h"

#include "screens/map/map_core.h"

std::shared_ptr<TMapLevel> TMapLevel::Create(int32_t number, int32_t stage, int32_t kind,
                                             int32_t x, int32_t y, const ImagePtr& image,
                                             const ImagePtr& doneImage) {
  auto marker = std::make_shared<TMapLevel>();
  marker->x = static_cast<float>(x);
  marker->y = static_cast<float>(y);
  marker->kind = kind;
  marker->number = number;
  marker->stage = stage;
  marker->image = image;
  marker->doneImage = doneImage;
  return marker;
}

void TMapLevel::Draw(int32_t currentLevel, float alpha) {
  if (number > currentLevel) {
    SetAlpha(alpha);
    DrawMapPicture(image, x, y);
    return;
  }
  if (number < currentLevel) {
    SetAlpha(alpha);
    DrawMapPicture(doneImage, x, y);
    return;
  }
  // The level to play next: the pulse steps before anything is drawn, and both turns look at
  // the stepped value, so exactly 1.0 keeps rising and exactly 0.5 keeps falling.
  pulse = pulseRising != 0 ? pulse + kMarkerPulseStep : pulse - kMarkerPulseStep;
  if (pulse > kMarkerPulseTop) pulseRising = 0;
  if (pulse < kMarkerPulseBottom) pulseRising = 1;
  SetAlpha(alpha);
  DrawMapPicture(image, x, y);
  // Above 1 the factor is clamped when drawing, so the glow is opaque at the top of the pulse.
  SetAlpha(pulse * alpha);
  if (!map) return;
  if (kind >= 1 && kind < kMapKindBoss) {
    DrawMapPicture(map->glowImages[1], x, y);
  } else if (kind == kMapKindBoss) {
    DrawMapPicture(map->glowImages[2], x, y);
  }
}
