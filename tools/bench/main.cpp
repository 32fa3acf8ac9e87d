// bench [--renderer software|accelerated] [--frames N] [--warmup N] [--cpu N] [--check]
//       [--no-pin] [--breakdown] [--slow MS] [--no-startup] [--content] [--playthrough PROGRAM]
//       [--json FILE] [--skip SCENE]... [SCENE...]
// bench --idle SECONDS
// bench --list
//
// Each scene runs in a child process of its own (the game's globals start fresh), pinned to one
// CPU, at 800 x 600: once timed, once recorded and replayed for the floor on the same renderer
// (with --check, the replay of the first recorded frame is also compared with the game's
// picture). With the software renderer (the default) the scenes run headless and a frame's
// figure is its CPU time; with --renderer accelerated they run in a real window with SDL's
// accelerated renderer, OpenGL where the machine has it, as a player's desktop opens it, and a
// frame's figure is its wall time up to the renderer's finish, with the process's CPU beside it.
// Without a display (DISPLAY unset) the bench starts a virtual X server (Xvfb) for the run:
// where there is no graphics card, OpenGL there is Mesa's drawing on the CPU (llvmpipe), which is
// what a desktop without a graphics driver gets too. Then the start-up (exec to the first frame;
// the loading's own CPU), the peak memory sitting on the title and over a play-through, and with --content the content
// generators from a clean build folder on two cores.
#include <fcntl.h>
#include <sched.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "harness.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "startup.h"
#include "program/layer_links.h"
#include "support/virtual_display.h"

namespace {

struct Options {
  bench::RunOptions run;
  int cpu = -1;
  int idle = 0;  // --idle SECONDS: only the game idle on the title, on both renderers
  // --no-pin: the scenes' processes run on any CPU (and an OpenGL driver's threads with them).
  bool pin = true;
  bool startup = true;
  bool content = false;
  std::string playthrough;
  std::string json;
  std::vector<std::string> scenes;
  std::vector<std::string> skipped;
};

struct SceneReport {
  std::string name;
  bench::Stats frame, floor;
  bench::Stats frameCpu, floorCpu;  // accelerated only
  double ratio = 0;
  double draws = 0;
  long peakRssKb = 0;
  bool checked = false;
  int64_t comparedPixels = 0, differingPixels = 0;
  std::string renderer;
  std::string error;
};

// Targets of a scene on one core, on either renderer.
constexpr double kMedianTargetMs = 4.0;
constexpr double kP95TargetMs = 8.0;
constexpr double kFloorRatioTarget = 1.3;

int Usage() {
  std::fprintf(stderr,
               "usage: bench [--renderer software|accelerated] [--frames N] [--warmup N] [--cpu N]\n"
               "             [--no-pin] [--check] [--breakdown] [--slow MS] [--no-startup] [--content]\n"
               "             [--playthrough PROGRAM] [--json FILE] [--skip SCENE]... [SCENE...]\n"
               "       bench --idle SECONDS\n"
               "       bench --list\n");
  return 2;
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string a, b, c;
  in >> a >> b >> c;
  return a + " " + b + " " + c;
}

void PinToCpu(int cpu) {
  if (cpu < 0) return;
  cpu_set_t set;
  CPU_ZERO(&set);
  CPU_SET(cpu, &set);
  sched_setaffinity(0, sizeof set, &set);
}

// What a child sends back: one line per value.
void WriteResult(int fd, const bench::RunResult& r) {
  std::ostringstream out;
  for (int64_t ns : r.frameNs) out << "frame " << ns << "\n";
  for (int64_t ns : r.floorNs) out << "floor " << ns << "\n";
  for (int64_t ns : r.frameCpuNs) out << "framecpu " << ns << "\n";
  for (int64_t ns : r.floorCpuNs) out << "floorcpu " << ns << "\n";
  if (!r.renderer.empty()) out << "renderer " << r.renderer << "\n";
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  out << "rss " << usage.ru_maxrss << "\n";
  out << "draws " << r.drawsPerFrame << "\n";
  if (r.checked) out << "check " << r.comparedPixels << " " << r.differingPixels << "\n";
  if (!r.error.empty()) out << "error " << r.error << "\n";
  const std::string text = out.str();
  size_t done = 0;
  while (done < text.size()) {
    ssize_t n = write(fd, text.data() + done, text.size() - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
}

struct ChildOutput {
  bench::RunResult result;
  long rssKb = 0;
};

// Runs one pass of a scene in a child process: a fresh home folder, the game folder as working
// directory, the platform headless.
ChildOutput RunChild(const bench::Scene& scene, bench::Pass pass, const Options& o) {
  ChildOutput out;
  int fds[2];
  if (pipe(fds) != 0) {
    out.result.error = "pipe failed";
    return out;
  }
  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    if (o.pin) PinToCpu(o.cpu);
    char home[] = "/tmp/mirethorn-bench-XXXXXX";
    if (mkdtemp(home)) setenv("HOME", home, 1);
    // The scenes speak only through the pipe.
    const int devnull = open("/dev/null", O_WRONLY);
    if (devnull >= 0) dup2(devnull, STDOUT_FILENO);
    bench::RunResult r;
    if (chdir(MIRETHORN_GAME_DIR) != 0) {
      r.error = "cannot enter the game folder " MIRETHORN_GAME_DIR;
    } else {
      AppFile = std::string(MIRETHORN_GAME_DIR) + "/mirethorn";
      if (o.run.accelerated) headless::KeepDisplay();
      headless::Enable();
      headless::SetFrameCap(o.run.warmup + o.run.frames + 100000);
      bench::RunScene(scene, pass, o.run, r);
    }
    WriteResult(fds[1], r);
    close(fds[1]);
    std::error_code ec;
    std::filesystem::remove_all(home, ec);
    _exit(0);
  }
  close(fds[1]);
  std::string text;
  char buf[65536];
  for (;;) {
    ssize_t n = read(fds[0], buf, sizeof buf);
    if (n <= 0) break;
    text.append(buf, static_cast<size_t>(n));
  }
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "frame" || key == "floor" || key == "framecpu" || key == "floorcpu") {
      int64_t ns = 0;
      words >> ns;
      (key == "frame"      ? out.result.frameNs
       : key == "floor"    ? out.result.floorNs
       : key == "framecpu" ? out.result.frameCpuNs
                           : out.result.floorCpuNs)
          .push_back(ns);
    } else if (key == "renderer") {
      out.result.renderer = line.substr(9);
    } else if (key == "draws") {
      words >> out.result.drawsPerFrame;
    } else if (key == "rss") {
      words >> out.rssKb;
    } else if (key == "check") {
      out.result.checked = true;
      words >> out.result.comparedPixels >> out.result.differingPixels;
    } else if (key == "error") {
      out.result.error = line.substr(6);
    }
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    out.result.error = WIFSIGNALED(status)
                           ? "the scene crashed (signal " + std::to_string(WTERMSIG(status)) + ")"
                           : "the scene's process failed";
  } else if (text.empty()) {
    out.result.error = "the scene's process sent nothing";
  }
  return out;
}

SceneReport Measure(const bench::Scene& scene, const Options& o) {
  SceneReport rep;
  rep.name = scene.name;
  ChildOutput timed = RunChild(scene, bench::Pass::kTime, o);
  rep.peakRssKb = timed.rssKb;
  rep.error = timed.result.error;
  rep.frame = bench::Summarise(timed.result.frameNs);
  rep.frameCpu = bench::Summarise(timed.result.frameCpuNs);
  rep.renderer = timed.result.renderer;
  if (rep.error.empty()) {
    ChildOutput floor = RunChild(scene, bench::Pass::kFloor, o);
    rep.error = floor.result.error;
    rep.floor = bench::Summarise(floor.result.floorNs);
    rep.floorCpu = bench::Summarise(floor.result.floorCpuNs);
    if (rep.error.empty() && floor.result.renderer != rep.renderer)
      rep.error = "the floor ran on another renderer: " + floor.result.renderer;
    rep.draws = floor.result.drawsPerFrame;
    if (rep.floor.median > 0) rep.ratio = rep.frame.median / rep.floor.median;
    rep.checked = floor.result.checked;
    rep.comparedPixels = floor.result.comparedPixels;
    rep.differingPixels = floor.result.differingPixels;
    if (o.run.check && !rep.checked && rep.error.empty()) rep.error = "the replay was not compared";
  }
  return rep;
}

std::string Misses(const SceneReport& r) {
  if (!r.error.empty()) return "FAILED";
  std::string m;
  if (r.frame.median >= kMedianTargetMs) m += " median";
  if (r.frame.p95 >= kP95TargetMs) m += " p95";
  if (r.ratio >= kFloorRatioTarget) m += " floor";
  if (r.checked && r.differingPixels != 0) m += " replay-differs";
  return m.empty() ? "ok" : "MISS:" + m;
}

std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    if (static_cast<unsigned char>(c) < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
      continue;
    }
    out += c;
  }
  return out + "\"";
}

bool ParseInt(const char* text, int& value) {
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  if (!end || *end || end == text || v < 0 || v > 1000000) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  LinkLayers();
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (a == "--list") {
      for (const bench::Scene& s : bench::Scenes())
        std::printf("%-16s %s\n", s.name.c_str(), s.description.c_str());
      return 0;
    } else if (a == "--renderer" && hasValue) {
      const std::string which = argv[++i];
      if (which != "software" && which != "accelerated") return Usage();
      o.run.accelerated = which == "accelerated";
    } else if (a == "--frames" && hasValue) {
      if (!ParseInt(argv[++i], o.run.frames) || o.run.frames < 1) return Usage();
    } else if (a == "--warmup" && hasValue) {
      if (!ParseInt(argv[++i], o.run.warmup) || o.run.warmup < 1) return Usage();
    } else if (a == "--slow" && hasValue) {
      int ms = 0;
      if (!ParseInt(argv[++i], ms)) return Usage();
      o.run.slowMs = ms;
    } else if (a == "--cpu" && hasValue) {
      if (!ParseInt(argv[++i], o.cpu)) return Usage();
    } else if (a == "--skip" && hasValue) {
      o.skipped.push_back(argv[++i]);
    } else if (a == "--json" && hasValue) {
      o.json = argv[++i];
    } else if (a == "--playthrough" && hasValue) {
      o.playthrough = argv[++i];
    } else if (a == "--breakdown") {
      o.run.breakdown = true;
    } else if (a == "--check") {
      o.run.check = true;
    } else if (a == "--idle" && hasValue) {
      if (!ParseInt(argv[++i], o.idle) || o.idle < 1) return Usage();
    } else if (a == "--no-pin") {
      o.pin = false;
    } else if (a == "--no-startup") {
      o.startup = false;
    } else if (a == "--content") {
      o.content = true;
    } else if (!a.empty() && a[0] == '-') {
      return Usage();
    } else {
      o.scenes.push_back(a);
    }
  }
  std::vector<const bench::Scene*> chosen;
  for (const bench::Scene& s : bench::Scenes())
    if ((o.scenes.empty() || std::find(o.scenes.begin(), o.scenes.end(), s.name) != o.scenes.end()) &&
        std::find(o.skipped.begin(), o.skipped.end(), s.name) == o.skipped.end())
      chosen.push_back(&s);
  std::vector<std::string> named = o.scenes;
  named.insert(named.end(), o.skipped.begin(), o.skipped.end());
  for (const std::string& name : named) {
    bool known = false;
    for (const bench::Scene& s : bench::Scenes()) known = known || s.name == name;
    if (!known) {
      std::fprintf(stderr, "bench: no scene \"%s\" (see --list)\n", name.c_str());
      return 2;
    }
  }
  if (o.cpu < 0) o.cpu = sched_getcpu();
  if (o.idle > 0) {
    std::printf("bench: the game idle on the title in a window on a virtual X server; "
                "load average %s\n",
                LoadAverage().c_str());
    std::fflush(stdout);
    bool failed = false;
    for (bool accelerated : {true, false}) {
      const bench::IdleReport idle =
          bench::MeasureIdle(MIRETHORN_GAME_EXE, MIRETHORN_GAME_DIR, o.idle, accelerated);
      bench::PrintIdle(idle);
      std::fflush(stdout);
      failed = failed || !idle.error.empty();
    }
    std::printf("load average after: %s\n", LoadAverage().c_str());
    return failed ? 1 : 0;
  }

  // The accelerated renderer needs a display: the desktop's, or a virtual X server of the run's
  // own, as wide and high as the window, so that the window is all of its screen.
  std::unique_ptr<test_support::VirtualDisplay> display;
  std::string where = "headless";
  if (o.run.accelerated) {
    const char* current = getenv("DISPLAY");
    if (current && *current) {
      where = std::string("in a window on the display ") + current;
    } else {
      display = std::make_unique<test_support::VirtualDisplay>(800, 600);
      if (!display->Running()) {
        std::fprintf(stderr, "bench: no display, and no virtual one: %s\n",
                     display->Error().c_str());
        return 1;
      }
      setenv("DISPLAY", display->Name().c_str(), 1);
      where = "in a window on a virtual X server started for the run (Xvfb " + display->Name() + ")";
    }
  }
  // The renderer the scenes get, named by a child that only opens the screen.
  bench::Scene probeScene{"probe", "", nullptr};
  ChildOutput probe = RunChild(probeScene, bench::Pass::kProbe, o);
  if (!probe.result.error.empty()) {
    std::fprintf(stderr, "bench: %s\n", probe.result.error.c_str());
    return 1;
  }
  const std::string renderer = probe.result.renderer;

  const std::string loadBefore = LoadAverage();
  const std::string cpuText = o.pin ? "CPU " + std::to_string(o.cpu) : "on any CPU";
  std::printf("bench: %d frames after %d of warm-up, %s, %s renderer 800 x 600 %s: %s; "
              "load average %s\n",
              o.run.frames, o.run.warmup, cpuText.c_str(), o.run.accelerated ? "accelerated" : "software",
              where.c_str(), renderer.c_str(), loadBefore.c_str());
  if (o.run.accelerated) {
    if (renderer.find(" accelerated") == std::string::npos)
      std::printf("bench: NOTE: SDL found no accelerated renderer here and fell back to %s\n",
                  renderer.c_str());
    std::printf("bench: frame and floor: wall time up to the renderer's finish; cpu: the process's "
                "CPU over the frame, the driver's threads included (the X server's not)\n");
  }
  std::printf("%-16s %8s %8s %8s %8s %7s %7s %8s", "scene", "median", "p95", "max", "floor",
              "ratio", "draws", "rss MB");
  if (o.run.accelerated) std::printf(" %8s %9s", "cpu", "floor cpu");
  std::printf("  %s\n", "targets");
  std::fflush(stdout);
  std::vector<SceneReport> reports;
  int failures = 0;
  for (const bench::Scene* s : chosen) {
    SceneReport r = Measure(*s, o);
    if (r.error.empty() && r.renderer != renderer) r.error = "the scene ran on " + r.renderer;
    std::printf("%-16s %8.3f %8.3f %8.3f %8.3f %7.2f %7.0f %8.1f", r.name.c_str(), r.frame.median,
                r.frame.p95, r.frame.max, r.floor.median, r.ratio, r.draws, r.peakRssKb / 1024.0);
    if (o.run.accelerated) std::printf(" %8.3f %9.3f", r.frameCpu.median, r.floorCpu.median);
    std::printf("  %s", Misses(r).c_str());
    if (r.checked) std::printf("  (replay: %lld of %lld pixels differ)",
                               static_cast<long long>(r.differingPixels),
                               static_cast<long long>(r.comparedPixels));
    if (!r.error.empty()) std::printf("  %s", r.error.c_str());
    std::printf("\n");
    std::fflush(stdout);
    if (!r.error.empty() || (r.checked && r.differingPixels != 0)) ++failures;
    reports.push_back(r);
  }

  bench::StartupReport startup;
  if (o.startup) {
    startup = bench::MeasureStartup(MIRETHORN_GAME_EXE, MIRETHORN_GAME_DIR, o.cpu);
  }
  bench::MemoryReport memory;
  if (o.startup) {
    bench::MeasureLoading(MIRETHORN_GAME_DIR, o.cpu, startup, memory.titleKb);
    bench::PrintStartup(startup);
  }
  if (o.startup || !o.playthrough.empty()) {
    if (!o.playthrough.empty()) memory = bench::MeasurePlaythrough(o.playthrough, MIRETHORN_GAME_DIR, memory);
    bench::PrintMemory(memory);
  }
  bench::ContentReport content;
  if (o.content) {
    content = bench::MeasureContent(MIRETHORN_SOURCE_DIR);
    bench::PrintContent(content);
  }
  const std::string loadAfter = LoadAverage();
  std::printf("load average after: %s\n", loadAfter.c_str());

  if (!o.json.empty()) {
    std::ofstream js(o.json);
    js << "{\n  \"renderer\": " << JsonString(renderer) << ",\n  \"where\": " << JsonString(where)
       << ",\n  \"frames\": " << o.run.frames << ",\n  \"warmup\": " << o.run.warmup << ",\n  \"cpu\": "
       << (o.pin ? o.cpu : -1) << ",\n  \"load_before\": " << JsonString(loadBefore)
       << ",\n  \"load_after\": " << JsonString(loadAfter) << ",\n  \"scenes\": [\n";
    for (size_t i = 0; i < reports.size(); ++i) {
      const SceneReport& r = reports[i];
      js << "    {\"name\": " << JsonString(r.name) << ", \"median_ms\": " << r.frame.median
         << ", \"p95_ms\": " << r.frame.p95 << ", \"max_ms\": " << r.frame.max
         << ", \"floor_median_ms\": " << r.floor.median << ", \"floor_p95_ms\": " << r.floor.p95
         << ", \"ratio\": " << r.ratio << ", \"draws_per_frame\": " << r.draws
         << ", \"peak_rss_kb\": " << r.peakRssKb;
      if (o.run.accelerated)
        js << ", \"cpu_median_ms\": " << r.frameCpu.median << ", \"cpu_p95_ms\": " << r.frameCpu.p95
           << ", \"floor_cpu_median_ms\": " << r.floorCpu.median;
      js
         << ", \"targets\": " << JsonString(Misses(r));
      if (r.checked) js << ", \"replay_differing_pixels\": " << r.differingPixels;
      if (!r.error.empty()) js << ", \"error\": " << JsonString(r.error);
      js << "}" << (i + 1 < reports.size() ? "," : "") << "\n";
    }
    js << "  ]";
    if (o.startup) js << ",\n  \"startup\": " << bench::StartupJson(startup);
    if (o.startup || !o.playthrough.empty()) js << ",\n  \"memory\": " << bench::MemoryJson(memory);
    if (o.content) js << ",\n  \"content\": " << bench::ContentJson(content);
    js << "\n}\n";
    if (!js) {
      std::fprintf(stderr, "bench: cannot write %s\n", o.json.c_str());
      return 1;
    }
  }
  return failures ? 1 : 0;
}
