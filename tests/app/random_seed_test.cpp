#include <gtest/gtest.h>

#include "app/random_seed.h"
#include "platform/system.h"

TEST(RandomSeed, ComesFromTheWallClockNotTheProgramClock) {
  const int64_t before = WallClockMs();
  SeedRndFromClock();
  const int64_t after = WallClockMs();
  bool matched = false;
  for (int64_t ms = before; ms <= after; ++ms) {
    const auto u = static_cast<uint64_t>(ms);
    matched |= RndSeed() == static_cast<int32_t>(static_cast<uint32_t>(u) ^ static_cast<uint32_t>(u >> 32));
  }
  EXPECT_TRUE(matched);
}
