// Start-up, memory and content generation figures.
#include "startup.h"

#include <fcntl.h>
#include <sched.h>
#include <stdlib.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "program/main_loop.h"
#include "program/start_up.h"
#include "harness.h"
#include "platform/errors.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/pixmap.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "screens/menu/options_window.h"
#include "screens/profiles/profile_loader.h"
#include "program/loading.h"
#include "support/virtual_display.h"

namespace bench {

namespace {

constexpr int kStartupRuns = 5;
constexpr double kFirstFrameTargetMs = 300.0;
constexpr double kLoadingTargetMs = 1000.0;
constexpr double kMemoryTargetMb = 200.0;
constexpr double kContentTargetS = 60.0;

double Median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

const char* Verdict(bool ok) { return ok ? "ok" : "MISS"; }

// Runs a program with the arguments given in `dir` with a fresh home folder and the dummy
// video and audio drivers; its output goes to /dev/null. The exit status, or -1; `usage` gets
// the child's resource use.
int RunProgram(const std::vector<std::string>& args, const std::string& dir,
               const std::vector<std::pair<std::string, std::string>>& env, int cpu,
               rusage* usage) {
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (cpu >= 0) {
      cpu_set_t set;
      CPU_ZERO(&set);
      CPU_SET(cpu, &set);
      sched_setaffinity(0, sizeof set, &set);
    }
    char home[] = "/tmp/mirethorn-bench-XXXXXX";
    if (mkdtemp(home)) setenv("HOME", home, 1);
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    for (const auto& [k, v] : env) setenv(k.c_str(), v.c_str(), 1);
    const int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0) {
      dup2(devnull, STDOUT_FILENO);
      dup2(devnull, STDERR_FILENO);
    }
    if (!dir.empty() && chdir(dir.c_str()) != 0) _exit(126);
    std::vector<char*> argv;
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  if (pid < 0) return -1;
  int status = 0;
  rusage ru{};
  if (wait4(pid, &status, 0, &ru) < 0) return -1;
  if (usage) *usage = ru;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Thrown from the frame callback once the title has been shown long enough.
struct TitleSat {};

// In a child process: the real start-up headless from a fresh home, the first profile's name
// typed when its entry shows, then the title's main menu for `titleFrames` frames. Writes the
// CPU before the first frame, after the last one and of every frame (with whether the loading
// screen was still lighting its balls) to `fd`, and the peak size. With `saveProfile` the new
// profile is written to the home folder at the end, as the game writes it when it ends.
void StartUpChild(int fd, const std::string& gameDir, int titleFrames, bool saveProfile = false) {
  std::vector<std::pair<int64_t, bool>> stamps;
  int64_t startUpEnd = -1;
  int titleShown = 0;
  bool typed = false;
  if (chdir(gameDir.c_str()) != 0) _exit(1);
  AppFile = gameDir + "/mirethorn";
  headless::Enable();
  headless::SetFrameCap(100000);
  const int64_t start = ThreadCpuNs();
  headless::SetFrameCallback([&](int frame) {
    if (startUpEnd < 0)
      stamps.emplace_back(ThreadCpuNs(), loading && loading->magicPhase == TLoading::kLoadingPhase);
    if (!typed && profileLoader && profileLoader->mode == TProfileLoader::kFirstRun &&
        profileLoader->fadeAlpha >= 1.0f) {
      typed = true;
      headless::TypeAt(frame + 1, u"Morwen");
      headless::KeyPressAt(frame + 12, KEY_ENTER);
    }
    if (startUpEnd >= 0 && optionsWindow && optionsWindow->state == TOptionsWindow::kMainMenu &&
        ++titleShown >= titleFrames)
      throw TitleSat{};
  });
  std::string error;
  try {
    StartUp();
    startUpEnd = ThreadCpuNs();
    RunGame();
    error = "the main loop ended before the title was shown";
  } catch (const TitleSat&) {
    if (saveProfile && profile && !profile->SaveProfile()) error = "the profile was not saved";
  } catch (const ProgramEnded&) {
    error = "the game ended during the start-up";
  } catch (const FrameworkError& e) {
    error = e.what();
  }
  headless::SetFrameCallback(nullptr);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::ostringstream out;
  out << "start " << start << "\nend " << startUpEnd << "\nrss " << usage.ru_maxrss << "\n";
  for (const auto& [t, lighting] : stamps) out << "frame " << t << " " << lighting << "\n";
  if (!error.empty()) out << "error " << error << "\n";
  const std::string text = out.str();
  if (write(fd, text.data(), text.size()) < 0) _exit(1);
  _exit(0);
}

// Runs StartUpChild in a child process, pinned to `cpu` when it is 0 or more, with its standard
// output in /dev/null and HOME at `home` (a fresh folder of its own when null). `text` gets
// what the child wrote; false when no pipe could be made.
bool RunStartUpChild(const std::string& gameDir, int titleFrames, bool saveProfile, int cpu,
                     const char* home, std::string& text) {
  int fds[2];
  if (pipe(fds) != 0) return false;
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    if (cpu >= 0) {
      cpu_set_t set;
      CPU_ZERO(&set);
      CPU_SET(cpu, &set);
      sched_setaffinity(0, sizeof set, &set);
    }
    char fresh[] = "/tmp/mirethorn-bench-XXXXXX";
    if (home) setenv("HOME", home, 1);
    else if (mkdtemp(fresh)) setenv("HOME", fresh, 1);
    const int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0) dup2(devnull, STDOUT_FILENO);
    StartUpChild(fds[1], gameDir, titleFrames, saveProfile);
  }
  close(fds[1]);
  char buf[65536];
  for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return true;
}

}  // namespace

void MeasureLoading(const std::string& gameDir, int cpu, StartupReport& r, long& titleKb) {
  std::string text;
  if (!RunStartUpChild(gameDir, 300, false, cpu, nullptr, text)) return;
  std::istringstream in(text);
  int64_t start = -1, end = -1;
  std::vector<int64_t> frames;
  std::vector<int> lighting;  // per frame: drawn while the loading screen lit its balls
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "start") words >> start;
    else if (key == "end") words >> end;
    else if (key == "rss") words >> titleKb;
    else if (key == "frame") {
      frames.emplace_back();
      lighting.emplace_back();
      words >> frames.back() >> lighting.back();
    }
    else if (key == "error") r.error = line.substr(6);
  }
  if (start < 0 || end < 0 || frames.empty()) {
    if (r.error.empty()) r.error = "the start-up run failed";
    return;
  }
  // The loading steps run while the loading screen lights its balls, each between two of its
  // fade frames, which all draw the same and cost about their median; what such a gap takes
  // beyond it is a step. The closing animation, the portal screens and the profile screen that
  // follow are timed animations whatever their frames cost (their first gap, after the last
  // ball, also holds the steps between the loading and them, and is counted the same way).
  std::vector<int64_t> gaps;  // after a frame drawn while the balls were lit
  for (size_t i = 1; i < frames.size(); ++i) {
    if (lighting[i - 1]) gaps.push_back(frames[i] - frames[i - 1]);
  }
  std::vector<int64_t> sorted = gaps;
  std::sort(sorted.begin(), sorted.end());
  const int64_t median = sorted.empty() ? 0 : sorted[sorted.size() / 2];
  int64_t between = 0;  // loading steps between frames
  for (int64_t g : gaps) between += std::max<int64_t>(0, g - median);
  r.loadingCpuMs = static_cast<double>((frames.front() - start) + between + (end - frames.back())) / 1e6;
  r.loadingFrames = static_cast<int>(frames.size());
  r.loadingFramesCpuMs = static_cast<double>(frames.back() - frames.front() - between) / 1e6;
}

StartupReport MeasureStartup(const std::string& gameExe, const std::string& gameDir, int cpu) {
  StartupReport r;
  const std::string stamp = std::filesystem::temp_directory_path() /
                            ("mirethorn-bench-first-frame-" + std::to_string(getpid()));
  for (int run = 0; run < kStartupRuns; ++run) {
    std::filesystem::remove(stamp);
    const int64_t start = MonotonicNs();
    const int status = RunProgram({gameExe}, gameDir, {{"MIRETHORN_FIRST_FRAME_FILE", stamp}}, cpu,
                                  nullptr);
    std::ifstream in(stamp);
    long long shown = 0;
    if (status != 0 || !(in >> shown)) {
      r.error = gameExe + " showed no frame (exit status " + std::to_string(status) + ")";
      break;
    }
    r.execToFirstFrameMs.push_back(static_cast<double>(shown - start) / 1e6);
  }
  std::filesystem::remove(stamp);
  return r;
}

namespace {

// User and system CPU of a process so far, in seconds; -1 when it cannot be read.
double ProcessCpuS(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const size_t close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(text.substr(close + 2));
  std::string field;
  long long utime = -1, stime = -1;
  // After the name: state is field 3; utime and stime are fields 14 and 15.
  for (int i = 3; i <= 15 && fields >> field; ++i) {
    if (i == 14) utime = std::stoll(field);
    if (i == 15) stime = std::stoll(field);
  }
  if (utime < 0 || stime < 0) return -1;
  return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

long StatusKb(pid_t pid, const std::string& key) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind(key + ":", 0) == 0) return std::atol(line.c_str() + key.size() + 1);
  return 0;
}

}  // namespace

IdleReport MeasureIdle(const std::string& gameExe, const std::string& gameDir, int seconds,
                       bool accelerated) {
  IdleReport r;
  char folder[] = "/tmp/mirethorn-bench-idle-XXXXXX";
  if (!mkdtemp(folder)) {
    r.error = "cannot make a home folder";
    return r;
  }
  const std::string home = folder;
  // A profile, made by the real start-up run headless with the first profile's name typed in.
  std::string made;
  if (!RunStartUpChild(gameDir, 300, true, -1, home.c_str(), made)) {
    r.error = "pipe failed";
    return r;
  }
  if (made.find("\nerror ") != std::string::npos) {
    r.error = "the profile was not made: " + made.substr(made.find("\nerror ") + 7);
    return r;
  }

  const std::string screens = home + "/x";
  std::filesystem::create_directories(screens);
  test_support::VirtualDisplay display(800, 600, screens);
  const PixmapPtr title = LoadPixmap(gameDir + "/gfx/title/glyphor-title.jpg");
  if (!display.Running() || !title) {
    r.error = display.Running() ? "the title picture cannot be read" : display.Error();
    return r;
  }
  const std::string report = home + "/screen.txt";
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("HOME", home.c_str(), 1);
    setenv("DISPLAY", display.Name().c_str(), 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("MIRETHORN_SCREEN_FILE", report.c_str(), 1);
    unsetenv("SDL_VIDEODRIVER");
    if (accelerated) unsetenv("SDL_RENDER_DRIVER");
    else setenv("SDL_RENDER_DRIVER", "software", 1);
    const int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0) {
      dup2(devnull, STDOUT_FILENO);
      dup2(devnull, STDERR_FILENO);
    }
    execl(gameExe.c_str(), gameExe.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // On the title once its picture fills the window; then a few seconds for its fade and the
  // menu's to end.
  const int64_t deadline = MonotonicNs() + 120 * 1000000000LL;
  int status = 0;
  bool onTitle = false;
  while (!onTitle && MonotonicNs() < deadline && waitpid(pid, &status, WNOHANG) == 0) {
    onTitle = display.ShowsPicture(*title) >= 0.6;
    usleep(200 * 1000);
  }
  if (onTitle) {
    sleep(3);
    const double game0 = ProcessCpuS(pid), x0 = ProcessCpuS(display.Pid());
    const int64_t t0 = MonotonicNs();
    sleep(static_cast<unsigned>(seconds));
    const double game1 = ProcessCpuS(pid), x1 = ProcessCpuS(display.Pid());
    r.seconds = static_cast<double>(MonotonicNs() - t0) / 1e9;
    r.rssKb = StatusKb(pid, "VmRSS");
    r.peakRssKb = StatusKb(pid, "VmHWM");
    if (game0 >= 0 && game1 >= 0) r.gameCpuPercent = 100.0 * (game1 - game0) / r.seconds;
    if (x0 >= 0 && x1 >= 0) r.xCpuPercent = 100.0 * (x1 - x0) / r.seconds;
    if (waitpid(pid, &status, WNOHANG) != 0) r.error = "the game ended while it was measured";
  } else {
    r.error = "the game did not show its title";
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  std::ifstream in(report);
  std::getline(in, r.renderer);
  std::error_code ec;
  std::filesystem::remove_all(home, ec);
  return r;
}

void PrintIdle(const IdleReport& r) {
  if (!r.error.empty())
    std::printf("idle on the title (%s): %s\n", r.renderer.c_str(), r.error.c_str());
  if (r.gameCpuPercent >= 0)
    std::printf("idle on the title, %.0f s, renderer \"%s\": the game %.1f%% of a core, the X server "
                "%.1f%%; resident %.1f MB (peak %.1f MB)\n",
                r.seconds, r.renderer.c_str(), r.gameCpuPercent, r.xCpuPercent, r.rssKb / 1024.0,
                r.peakRssKb / 1024.0);
}

void PrintStartup(const StartupReport& r) {
  if (!r.error.empty()) std::printf("start-up: %s\n", r.error.c_str());
  if (!r.execToFirstFrameMs.empty()) {
    const double m = Median(r.execToFirstFrameMs);
    std::printf("start-up: exec to first frame %.1f ms (median of %zu; fastest %.1f, slowest %.1f)"
                "  target < %.0f ms: %s\n",
                m, r.execToFirstFrameMs.size(),
                *std::min_element(r.execToFirstFrameMs.begin(), r.execToFirstFrameMs.end()),
                *std::max_element(r.execToFirstFrameMs.begin(), r.execToFirstFrameMs.end()),
                kFirstFrameTargetMs, Verdict(m < kFirstFrameTargetMs));
  }
  if (r.loadingCpuMs >= 0)
    std::printf("start-up: loading's own CPU %.1f ms (besides %d frames of fades, animations and "
                "waits, %.1f ms)"
                "  target < %.0f ms: %s\n",
                r.loadingCpuMs, r.loadingFrames, r.loadingFramesCpuMs, kLoadingTargetMs,
                Verdict(r.loadingCpuMs < kLoadingTargetMs));
}

std::string StartupJson(const StartupReport& r) {
  std::ostringstream js;
  js << "{\"exec_to_first_frame_ms\": [";
  for (size_t i = 0; i < r.execToFirstFrameMs.size(); ++i)
    js << (i ? ", " : "") << r.execToFirstFrameMs[i];
  js << "], \"exec_to_first_frame_median_ms\": " << Median(r.execToFirstFrameMs)
     << ", \"loading_cpu_ms\": " << r.loadingCpuMs
     << ", \"loading_fade_frames\": " << r.loadingFrames
     << ", \"loading_fade_frames_cpu_ms\": " << r.loadingFramesCpuMs << "}";
  return js.str();
}

MemoryReport MeasurePlaythrough(const std::string& program, const std::string& gameDir,
                                MemoryReport report) {
  report.playthrough = program;
  rusage usage{};
  const int status = RunProgram({program}, gameDir, {}, -1, &usage);
  if (status != 0) {
    report.error = program + " ended with status " + std::to_string(status);
    return report;
  }
  report.playthroughKb = usage.ru_maxrss;
  return report;
}

void PrintMemory(const MemoryReport& r) {
  if (r.titleKb > 0)
    std::printf("memory: peak resident size on the title after the real start-up %.1f MB"
                "  target < %.0f MB: %s\n",
                r.titleKb / 1024.0, kMemoryTargetMb, Verdict(r.titleKb / 1024.0 < kMemoryTargetMb));
  if (!r.error.empty()) std::printf("memory: play-through: %s\n", r.error.c_str());
  if (r.playthroughKb > 0)
    std::printf("memory: peak resident size over the play-through (%s) %.1f MB"
                "  target < %.0f MB: %s\n",
                r.playthrough.c_str(), r.playthroughKb / 1024.0, kMemoryTargetMb,
                Verdict(r.playthroughKb / 1024.0 < kMemoryTargetMb));
}

std::string MemoryJson(const MemoryReport& r) {
  std::ostringstream js;
  js << "{\"title_peak_rss_kb\": " << r.titleKb << ", \"playthrough_peak_rss_kb\": " << r.playthroughKb
     << "}";
  return js.str();
}

ContentReport MeasureContent(const std::string& sourceDir) {
  ContentReport r;
  char folder[] = "/tmp/mirethorn-bench-content-XXXXXX";
  if (!mkdtemp(folder)) {
    r.error = "cannot make a build folder";
    return r;
  }
  const std::string build = folder;
  const std::string cmake = "/usr/bin/cmake";
  int64_t start = MonotonicNs();
  int status = RunProgram({cmake, "-S", sourceDir, "-B", build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                           "-DMIRETHORN_TESTS=OFF", "-DMIRETHORN_GAME_DIR=" + build + "/game"},
                          "", {}, -1, nullptr);
  r.configureS = static_cast<double>(MonotonicNs() - start) / 1e9;
  if (status == 0) {
    start = MonotonicNs();
    status = RunProgram({cmake, "--build", build, "-j2", "--target", "content"}, "", {}, -1, nullptr);
    r.generateS = static_cast<double>(MonotonicNs() - start) / 1e9;
  }
  if (status != 0) r.error = "the content build failed (status " + std::to_string(status) + ")";
  std::error_code ec;
  std::filesystem::remove_all(build, ec);
  return r;
}

void PrintContent(const ContentReport& r) {
  if (!r.error.empty()) std::printf("content: %s\n", r.error.c_str());
  if (r.generateS >= 0)
    std::printf("content: generators built and run from a clean folder on 2 jobs %.1f s "
                "(configure %.1f s)  target < %.0f s: %s\n",
                r.generateS, r.configureS, kContentTargetS, Verdict(r.generateS < kContentTargetS));
}

std::string ContentJson(const ContentReport& r) {
  std::ostringstream js;
  js << "{\"configure_s\": " << r.configureS << ", \"generate_s\": " << r.generateS << "}";
  return js.str();
}

}  // namespace bench
