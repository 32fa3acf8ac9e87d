#include "toolkit/clock.h"

#include <cmath>

#include "platform/system.h"

namespace {
// One second after now, wrapping like the program clock.
int32_t OneSecondFromNow() {
  return static_cast<int32_t>(static_cast<uint32_t>(MilliSecs()) + 1000u);
}
}  // namespace

AnimClockPtr CreateAnimClock(const ImageSource& path, const DimPtr& dim, int frames) {
  auto clock = std::make_shared<TAnimClock>();
  clock->dim = dim;
  PixmapPtr strip = FLoadPixmap(path);
  if (strip && frames > 0) {
    clock->digits = LoadAnimImage(strip, PixmapWidth(strip) / frames, PixmapHeight(strip), 0,
                                  frames, DEFAULT_IMAGE_FLAGS);
  }
  return clock;
}

void TAnimClock::Set(int value) {
  seconds = static_cast<float>(value);
  nextTickMs = OneSecondFromNow();
}

void TAnimClock::Start() { nextTickMs = OneSecondFromNow(); }

void TAnimClock::Stop() { seconds = 0.0f; }

int TAnimClock::Stopped() { return seconds == 0.0f ? 1 : 0; }

int TAnimClock::State() {
  if (!(seconds >= 0.0f)) seconds = 0.0f;  // negative or not a number
  if (seconds == 0.0f) return 0;
  // Not yet past the due time (read across the clock's wrap-around).
  if (ElapsedMs(MilliSecs(), nextTickMs) <= 0) return 0;
  seconds -= 1.0f;
  nextTickMs = OneSecondFromNow();
  return 0;
}

void TAnimClock::Draw() {
  if (!dim) return;
  const float left = dim->Left();
  const float top = dim->Top();
  const float s = seconds;
  const float inMinute = std::fmod(s, 60.0f);
  DrawImage(digits, left + 53, top, static_cast<int>(std::fmod(inMinute, 10.0f)));
  DrawImage(digits, left + 35, top, static_cast<int>(inMinute / 10.0f));
  DrawImage(digits, left + 18, top - 2, 10);
  DrawImage(digits, left, top, static_cast<int>(s / 60.0f));
}
