#include "play/ring/ring_spell.h"

#include "game/spells/ring_emiter.h"
#include "platform/system.h"

RingSpellPtr TRingSpell::Create(float radius, float angle, int32_t id, const std::string& folder,
                                const std::array<std::string, kFrames>& names) {
  auto icon = std::make_shared<TRingSpell>();
  icon->radius = radius;
  icon->angle = angle;
  icon->id = id;
  for (size_t i = 0; i < names.size(); ++i) {
    ImagePtr picture = LoadImage(folder + "/" + names[i]);
    if (picture)
      SetImageHandle(picture, static_cast<float>(ImageWidth(picture) / 2),
                     static_cast<float>(ImageHeight(picture) / 2));
    icon->frames[i] = picture;
  }
  return icon;
}

void TRingSpell::Offset(float zoom, float ringAngle, int32_t& dx, int32_t& dy) const {
  const float distance = radius * zoom;
  const float direction = angle + ringAngle;
  dx = static_cast<int32_t>(static_cast<double>(distance) * Cos(direction));
  dy = static_cast<int32_t>(static_cast<double>(distance) * Sin(direction));
}

int32_t TRingSpell::Draw(int32_t centreX, int32_t centreY, float zoom, float ringAngle,
                         float fade) {
  if (count == 0) return 0;
  alpha -= kFadeStep;
  nextAlpha += kFadeStep;
  if (alpha <= 0.0f) {
    alpha = 1.0f;
    nextAlpha = 0.0f;
    frame = (frame + 1) % kFrames;
    nextFrame = (nextFrame + 1) % kFrames;
  }
  int32_t dx = 0, dy = 0;
  Offset(zoom, ringAngle, dx, dy);
  const auto x = static_cast<float>(centreX + dx), y = static_cast<float>(centreY + dy);
  SetScale(zoom, zoom);
  SetAlpha(alpha * fade);
  DrawImage(frames[static_cast<size_t>(frame)], x, y);
  SetAlpha(nextAlpha * fade);
  DrawImage(frames[static_cast<size_t>(nextFrame)], x, y);
  return 0;
}

int32_t TRingSpell::MakeSparks(int32_t centreX, int32_t centreY, float zoom, float ringAngle) {
  int32_t dx = 0, dy = 0;
  Offset(zoom, ringAngle, dx, dy);
  // A radius of 0 and negative colours and scales keep the burst's defaults.
  TRingEmiter::Create(centreX + dx, centreY + dy, 0.0f, -1, -1, -1, -1.0f, -1.0f, 1);
  return 0;
}
