#include "services/random_seed.h"

#include "platform/headless.h"
#include "platform/system.h"

int32_t ClockSeed() {
  const auto ms = static_cast<uint64_t>(WallClockMs());
  // Fold the high half in, so runs far apart in time do not repeat the low bits.
  return static_cast<int32_t>(static_cast<uint32_t>(ms) ^ static_cast<uint32_t>(ms >> 32));
}

void SeedRndFromClock() {
  if (headless::Enabled()) return;
  SeedRnd(ClockSeed());
}
