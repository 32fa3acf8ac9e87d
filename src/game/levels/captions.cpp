#include "game/levels/captions.h"

#include <cmath>
#include <string>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "game/levels/points_manager.h"
#include "platform/system.h"

TListPtr<CaptionsPtr> captions = CreateList<CaptionsPtr>();

ImagePtr TCaptions::match;
ImagePtr TCaptions::combo;
ImagePtr TCaptions::points;
ImagePtr TCaptions::cyfry;

namespace {

constexpr double kPi = 3.14159265358979323846;

// Milliseconds from `since` to now, across a wrap of the clock.
int32_t ElapsedSince(int32_t since) {
  return static_cast<int32_t>(static_cast<uint32_t>(MilliSecs()) - static_cast<uint32_t>(since));
}

}  // namespace

void TCaptions::loadGfx() {
  match = LoadImage(bundleDir + "gfx/fonts/match.png");
  combo = LoadAnimImage(bundleDir + "gfx/fonts/combo.png", 256, 42, 0, 3);
  points = LoadImage(bundleDir + "gfx/fonts/points.png");
  MidHandleImage(combo);
  cyfry = LoadAnimImage(bundleDir + "gfx/fonts/CYFRY2.png", 32, 32, 0, 10);
}

void TCaptions::Destroy() {
  if (!captions) return;
  captions->RemoveIf([this](const CaptionsPtr& c) { return c.get() == this; });
}

void TCaptions::destroyAll() {
  if (!captions) return;
  for (const CaptionsPtr& c : *captions) c->Destroy();
}

int32_t TCaptions::drawNumber(int32_t yOffset) {
  float pen = 0.0f;
  for (char c : DigitText(value)) {
    const int d = c - '0';
    DrawImage(cyfry, x + pen, y + static_cast<float>(yOffset), d);
    pen = pen + static_cast<float>(cyfry2Width[static_cast<size_t>(d)]) * scale;
  }
  return static_cast<int32_t>(pen + 12.0f);
}

int32_t TCaptions::GetWidth() {
  int32_t width = 0;
  for (char c : DigitText(value)) width += cyfry2Width[static_cast<size_t>(c - '0')];
  width += 12;
  switch (kind) {
    case kPoints:
      width += ImageWidth(points);
      break;
    case kCombo:
      width += ImageWidth(combo);
      break;
    case kMatch:
      width += ImageWidth(match);
      break;
    default:
      break;
  }
  return width;
}

CaptionsPtr TCaptions::addCaption(int32_t kind, int32_t value, int32_t x, int32_t y, float scale,
                                  int32_t center, int32_t delay, const ImagePtr& image) {
  auto c = std::make_shared<TCaptions>();
  c->x = static_cast<float>(x);
  c->y = static_cast<float>(y);
  c->value = value;
  c->kind = kind;
  c->phase = 0.0f;
  c->alpha = 0.0f;
  c->scale = scale;
  c->delay = delay;
  c->startTime = MilliSecs();
  c->image = image;
  if (center != 0) c->x = static_cast<float>(x - c->GetWidth() / 2);
  if (!captions) captions = CreateList<CaptionsPtr>();
  captions->AddLast(c);
  return c;
}

void TCaptions::updateAll() {
  SetColor(255, 255, 255);
  SetBlend(ALPHABLEND);
  if (!captions) return;
  for (CaptionsPtr c : *captions) {
    if (c->delay != 0 && ElapsedSince(c->startTime) < c->delay) continue;
    c->delay = 0;

    SetAlpha(c->alpha);
    SetScale(c->scale, c->scale);

    if (c->kind == kPoints || c->kind == kMatch) {
      c->y = static_cast<float>(c->y - 0.5 * delta);
    } else if (c->kind == kCombo || c->kind == kImage) {
      c->scale = static_cast<float>(c->scale + 0.005 * delta);
    }

    if (c->phase < 90.0f) {
      c->phase = static_cast<float>(c->phase + 3.0 * delta);
    } else {
      c->phase = static_cast<float>(c->phase + delta);
    }
    if (c->phase >= 180.0f) {
      c->Destroy();
      continue;
    }
    c->alpha = static_cast<float>(std::sin(c->phase * kPi / 180.0));

    switch (c->kind) {
      case kPoints: {
        const float o = (1.0f - c->scale) * 30.0f;
        const int32_t a = c->drawNumber(static_cast<int32_t>(o));
        DrawImage(points, c->x + static_cast<float>(a), c->y + o);
        break;
      }
      case kCombo:
        DrawImage(combo, c->x, c->y, c->value - 2);
        break;
      case kMatch: {
        const int32_t a = c->drawNumber(0);
        DrawImage(match, c->x + static_cast<float>(a), c->y);
        break;
      }
      case kImage:
        if (c->image) DrawImage(c->image, c->x, c->y);
        break;
      default:
        break;
    }
  }
}
