// Seeding the random numbers at start-up: from the wall clock, but never in headless runs,
// which keep their fixed seed so that they repeat.
#include <gtest/gtest.h>

#include "services/random_seed.h"
#include "platform/headless.h"
#include "platform/system.h"

TEST(RandomSeed, ComesFromTheWallClockNotTheProgramClock) {
  const int64_t before = WallClockMs();
  const int32_t seed = ClockSeed();
  const int64_t after = WallClockMs();
  bool matched = false;
  for (int64_t ms = before; ms <= after; ++ms) {
    const auto u = static_cast<uint64_t>(ms);
    matched |= seed == static_cast<int32_t>(static_cast<uint32_t>(u) ^ static_cast<uint32_t>(u >> 32));
  }
  EXPECT_TRUE(matched);
}

TEST(RandomSeed, HeadlessRunsKeepTheirFixedSeed) {
  ASSERT_TRUE(headless::Enabled());
  const int32_t fixed = RndSeed();
  const int32_t first = Rand(1, 1000000);
  SeedRnd(fixed);
  SeedRndFromClock();
  EXPECT_EQ(RndSeed(), fixed);
  EXPECT_EQ(Rand(1, 1000000), first);  // the same numbers as without the call
}
