// Seeding the program's one random number generator at start-up.
#pragma once
#include <cstdint>

// The seed taken from the wall clock, which differs from run to run (the millisecond clock of
// MilliSecs starts near the same value on every run).
int32_t ClockSeed();
// Seeds the random numbers with ClockSeed(). Called once by the start-up. Headless runs keep
// the fixed seed they were given, so that a scripted run repeats.
void SeedRndFromClock();
