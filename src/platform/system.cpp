// Clock, system events, message boxes, the end of the program, random numbers and maths.
#include "platform/system.h"

#include <SDL.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/internal.h"

String AppTitle = u"Mirethorn";
std::string AppFile;

namespace {

// Readings start far from 0, so that 0 can mean "never".
constexpr uint32_t kClockStart = 0x40000000u;

std::vector<std::function<void()>>& EndHooks() {
  static std::vector<std::function<void()>> hooks;
  return hooks;
}
size_t g_nextHook = 0;

// ---- The random number generator: xoshiro128** seeded through splitmix64 ----

struct Generator {
  uint32_t s[4];
  int32_t seed = 0;

  void Seed(int32_t value) {
    seed = value;
    uint64_t x = static_cast<uint32_t>(value);
    for (uint32_t& word : s) {
      x += 0x9e3779b97f4a7c15ull;
      uint64_t z = x;
      z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
      z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
      z ^= z >> 31;
      word = static_cast<uint32_t>(z);
    }
    if ((s[0] | s[1] | s[2] | s[3]) == 0) s[0] = 1;
  }

  static uint32_t Rotl(uint32_t x, int k) { return (x << k) | (x >> (32 - k)); }

  uint32_t Next() {
    const uint32_t result = Rotl(s[1] * 5, 7) * 9;
    const uint32_t t = s[1] << 9;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = Rotl(s[3], 11);
    return result;
  }

  // Evenly from 0 to range - 1 (range 0 means the whole 32 bits).
  uint32_t Below(uint64_t range) {
    if (range == 0 || range > 0xffffffffull) return Next();
    const uint32_t r = static_cast<uint32_t>(range);
    const uint32_t limit = static_cast<uint32_t>(-r) % r;  // 2^32 mod r: the biased low values
    for (;;) {
      uint64_t m = static_cast<uint64_t>(Next()) * r;
      if (static_cast<uint32_t>(m) >= limit) return static_cast<uint32_t>(m >> 32);
    }
  }

  double Unit() {  // [0, 1) with 53 random bits
    uint64_t hi = Next() >> 5, lo = Next() >> 6;
    return static_cast<double>((hi << 26) | lo) * (1.0 / 9007199254740992.0);
  }
};

Generator& Rng() {
  static Generator g = [] {
    Generator gen;
    gen.Seed(0x2f6b1c3d);
    return gen;
  }();
  return g;
}

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

}  // namespace

void PlatformStartup(int argc, char** argv) {
  std::vector<char> buf(4096);
  ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  std::string exe;
  if (n > 0) {
    exe.assign(buf.data(), static_cast<size_t>(n));
  } else if (argc > 0 && argv && argv[0]) {
    char* real = realpath(argv[0], nullptr);
    if (real) {
      exe = real;
      std::free(real);
    }
  }
  if (exe.empty()) return;
  AppFile = exe;
  std::string dir = ExtractDir(exe);
  if (!dir.empty() && chdir(dir.c_str()) != 0)
    std::fprintf(stderr, "Cannot enter the folder %s\n", dir.c_str());
}

int32_t MilliSecs() {
  if (headless::Enabled()) return platform_core::VirtualClock();
  static const auto start = std::chrono::steady_clock::now();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  start)
                .count();
  return static_cast<int32_t>(kClockStart + static_cast<uint32_t>(ms));
}

int64_t WallClockMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

void Delay(int32_t ms) {
  if (ms <= 0) return;
  if (headless::Enabled()) {
    platform_core::AdvanceVirtualClock(ms);
    return;
  }
  struct timespec ts;
  ts.tv_sec = ms / 1000;
  ts.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
  while (nanosleep(&ts, &ts) != 0 && errno == EINTR) {
  }
}

void PollSystem() {
  const bool headlessRun = headless::Enabled();
  if (SDL_WasInit(SDL_INIT_VIDEO)) {
    // In headless runs the scripted input stands in for the system's: its events are drained
    // and dropped so the queue never fills.
    SDL_Event event;
    while (SDL_PollEvent(&event))
      if (!headlessRun) platform_internal::HandleEvent(event);
  }
  if (headlessRun) platform_core::RunInputScript(headless::FrameNumber());
}

void Notify(const String& text, bool serious) {
  if (headless::Enabled()) {
    platform_core::RecordMessageBox(text, serious);
    return;
  }
  const std::string title = ToUtf8(AppTitle);
  const std::string message = ToUtf8(text);
  SDL_Window* parent = SDL_WasInit(SDL_INIT_VIDEO) ? platform_internal::Window() : nullptr;
  Uint32 flags = serious ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
  if (SDL_ShowSimpleMessageBox(flags, title.c_str(), message.c_str(), parent) != 0)
    std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
}

String CurrentDate() {
  static const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  time_t now = time(nullptr);
  struct tm local;
  if (!localtime_r(&now, &local)) return String();
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d %s %04d", local.tm_mday, kMonths[local.tm_mon % 12],
                local.tm_year + 1900);
  return FromPath(buf);
}

void HideMouse() { SDL_ShowCursor(SDL_DISABLE); }
void ShowMouse() { SDL_ShowCursor(SDL_ENABLE); }

void OnEnd(std::function<void()> hook) {
  if (hook) EndHooks().push_back(std::move(hook));
}

void RunEndHooks() {
  // Each hook runs once, even when a hook ends the program again or fails.
  while (g_nextHook < EndHooks().size()) {
    std::function<void()> hook = EndHooks()[g_nextHook++];
    try {
      hook();
    } catch (const ProgramEnded&) {
      // A hook that ended the program again: the hooks after it have run already.
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
    } catch (...) {
      std::fprintf(stderr, "An end hook failed\n");
    }
  }
}

void End(int status) {
  RunEndHooks();
  if (headless::Enabled()) throw ProgramEnded(status);
  std::fflush(stdout);
  std::exit(status);
}

void RuntimeError(const std::string& message) { throw FrameworkError(message); }

void SeedRnd(int32_t seed) { Rng().Seed(seed); }
int32_t RndSeed() { return Rng().seed; }

int32_t Rand(int32_t a, int32_t b) {
  int64_t lo = a, hi = b;
  if (lo > hi) std::swap(lo, hi);
  const uint64_t range = static_cast<uint64_t>(hi - lo) + 1;
  return static_cast<int32_t>(lo + static_cast<int64_t>(Rng().Below(range)));
}

double Rnd(double a, double b) {
  double r = a + (b - a) * Rng().Unit();
  // Rounding may land on b itself, which is never drawn.
  if (r == b && a != b) r = std::nextafter(b, a);
  return r;
}

float RndFloat() {
  return static_cast<float>(Rng().Next() >> 8) * (1.0f / 16777216.0f);
}

double Sin(double degrees) { return std::sin(degrees * kDegToRad); }
double Cos(double degrees) { return std::cos(degrees * kDegToRad); }
double Tan(double degrees) { return std::tan(degrees * kDegToRad); }
double ATan2(double y, double x) { return std::atan2(y, x) / kDegToRad; }
double Sqr(double x) { return std::sqrt(x); }
