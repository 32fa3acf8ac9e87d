// Clock, process end, message boxes, the mouse pointer, random numbers and maths in degrees.
#pragma once
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include "platform/text.h"

// The window title and the title of message boxes. Default "Mirethorn".
extern String AppTitle;
// The executable's path (argv[0] made absolute at start-up); "" until known.
extern std::string AppFile;

// Called first by main: makes the executable's folder the working directory, remembers AppFile.
void PlatformStartup(int argc, char** argv);

// A 32-bit millisecond clock that never starts near 0. Differences: ElapsedMs.
int32_t MilliSecs();
// later - earlier, taken as unsigned 32-bit and read as signed 32-bit.
inline int32_t ElapsedMs(int32_t later, int32_t earlier) {
  return static_cast<int32_t>(static_cast<uint32_t>(later) - static_cast<uint32_t>(earlier));
}
// The reading `ms` milliseconds before `reading`, wrapped like the clock: a clock moved on by a
// pause, or set back by a saved elapsed time.
inline int32_t ClockBefore(int32_t reading, int32_t ms) { return ElapsedMs(reading, ms); }
// Wall-clock milliseconds, different on every run (for seeding).
int64_t WallClockMs();
// Sleeps (real time; in headless runs it advances the virtual clock instead).
void Delay(int32_t ms);

// Pumps the system's events into the input state.
void PollSystem();
// A modal message box titled AppTitle (recorded instead of shown in headless runs).
void Notify(const String& text, bool serious = false);
// The local date as "%d %b %Y" with English month names ("07 Mar 2026").
String CurrentDate();
void HideMouse();
void ShowMouse();

// End hooks run once, in the order registered, by End() or by main's error path.
void OnEnd(std::function<void()> hook);
void RunEndHooks();
// Runs the end hooks and exits with the status (throws ProgramEnded with it in headless runs).
[[noreturn]] void End(int status = 0);

// Random numbers: one generator for the whole program.
void SeedRnd(int32_t seed);
int32_t RndSeed();
// A whole number evenly from the closed range between a and b (either order).
int32_t Rand(int32_t a, int32_t b = 1);
// A real from a (included) to b (excluded); Rnd() is 0 to 1.
double Rnd(double a = 0.0, double b = 1.0);
float RndFloat();

// A number read from a data file, cut toward zero into an int. Outside the int range or not
// finite (NaN, infinity) it gives 0: a hand-edited or damaged file never makes an undefined
// conversion. The one conversion for every whole-number key of the game's files (inline: the
// content generators read data files without the rest of the platform).
inline int32_t WholeNumber(double value) {
  if (!std::isfinite(value) || value >= 2147483648.0 || value <= -2147483649.0) return 0;
  return static_cast<int32_t>(value);
}

// Maths in degrees.
double Sin(double degrees);
double Cos(double degrees);
double Tan(double degrees);
double ATan2(double y, double x);
double Sqr(double x);
