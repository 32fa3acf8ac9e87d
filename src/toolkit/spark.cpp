#include "toolkit/spark.h"

#include "services/delta_time.h"
#include "platform/system.h"

std::array<ImagePtr, 5> sparkImages;
TListPtr<SparkPtr> SparkList = CreateList<SparkPtr>();

int loadSparkImage(int index, const std::string& path) {
  if (index < 0 || index >= static_cast<int>(sparkImages.size())) return 0;
  sparkImages[static_cast<size_t>(index)] = LoadImage(path, FILTEREDIMAGE | MIPMAPPEDIMAGE);
  return 0;
}

SparkPtr TSpark::Create(const ImagePtr& image, int32_t x, int32_t y, float scale, int32_t life,
                        int32_t red, int32_t green, int32_t blue, int32_t blend,
                        int32_t alphaMode) {
  auto s = std::make_shared<TSpark>();
  s->image = image;
  s->x = static_cast<float>(x);
  s->y = static_cast<float>(y);
  s->scale = scale;
  s->life = static_cast<float>(life);
  s->maxLife = static_cast<float>(life);
  s->red = red;
  s->green = green;
  s->blue = blue;
  s->blend = blend;
  s->alphaMode = alphaMode;
  if (!SparkList) SparkList = CreateList<SparkPtr>();
  SparkList->AddFirst(s);
  return s;
}

void TSpark::setVelocity(float newVx, float newVy) {
  vx = newVx;
  vy = newVy;
}

void TSpark::setMovementType(int32_t newAngle, int32_t newRadius, int32_t newCenterX,
                             int32_t newCenterY) {
  angle = newAngle;
  radius = newRadius;
  centerX = newCenterX;
  centerY = newCenterY;
  moveType = 1;
}

void TSpark::Destroy() {
  if (!SparkList) return;
  if (SparkPtr self = weak_from_this().lock()) SparkList->Remove(self);
}

int TSpark::allDestroyed() { return !SparkList || SparkList->IsEmpty() ? 1 : 0; }

void TSpark::destroyAll() {
  if (SparkList) SparkList->Clear();
}

int TSpark::UpdateAll() {
  if (!SparkList) return 0;
  for (SparkPtr s : *SparkList) {
    if (s->moveType == 1) {
      s->angle += 1;
      s->x = static_cast<float>(Cos(s->angle) * s->radius + s->centerX);
      s->y = static_cast<float>(Sin(s->angle) * s->radius + s->centerY);
    } else {
      s->x = static_cast<float>(s->x + s->vx * delta);
      s->y = static_cast<float>(s->y + s->vy * delta);
    }

    if (s->blend == 1) {
      SetBlend(LIGHTBLEND);
    } else if (s->blend == 2) {
      SetBlend(ALPHABLEND);
    }

    // The bounds are tested as written: 0.7 x M still rises, 0.3 x M is on the plateau.
    const double l = s->life;
    const double m = s->maxLife;
    if (s->alphaMode == 0) {
      SetAlpha(static_cast<float>(l / m - 0.2));
    } else if (s->alphaMode == 1) {
      if (l >= 0.7 * m) {
        SetAlpha(static_cast<float>((m - l) / (0.3 * m) - 0.2));
      } else if (l >= 0.3 * m) {
        SetAlpha(0.8f);
      } else {
        SetAlpha(static_cast<float>(l / (0.3 * m) - 0.2));
      }
    }

    SetColor(s->red, s->green, s->blue);
    SetScale(s->scale, s->scale);
    DrawImage(s->image, s->x, s->y, 0);

    s->life = static_cast<float>(s->life - delta);
    if (s->life < 1.0f) s->Destroy();
  }
  return 0;
}
