// The harness side of the bench: one pass of one scene, run inside a child process.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "bench.h"

namespace bench {

enum class Pass {
  kTime,   // frames timed, nothing recorded
  kFloor,  // the measured frames recorded, then replayed and timed
  kProbe,  // only the screen opened, to name its renderer
};

struct RunResult {
  // Each measured frame and each frame's replay, timed up to the point where the renderer has
  // finished drawing it: on the software renderer the drawing thread's CPU time; on the
  // accelerated one the wall time (the driver draws in threads of its own, or on a graphics
  // card, while the game's thread waits), with the process's CPU over the same span beside it.
  std::vector<int64_t> frameNs;
  std::vector<int64_t> floorNs;
  std::vector<int64_t> frameCpuNs;  // accelerated only: the process's CPU, all its threads
  std::vector<int64_t> floorCpuNs;
  std::string renderer;  // the SDL renderer's name, "accelerated" or "software", and the driver's
  double drawsPerFrame = 0;      // drawing calls of a recorded frame, on average
  bool checked = false;
  int64_t comparedPixels = 0;
  int64_t differingPixels = 0;
  std::string error;
};

struct RunOptions {
  // SDL's accelerated renderer in a real window on the display (DISPLAY), instead of the
  // software renderer headless.
  bool accelerated = false;
  int warmup = 60;
  int frames = 300;
  // The floor pass also replays the first recorded frame over the picture before it and
  // compares the two pictures.
  bool check = false;
  // The floor pass prints what the recorded frames draw, image by image (standard error).
  bool breakdown = false;
  // The timed pass names every frame that takes this long or longer (0: none).
  double slowMs = 0;
};

// Runs the scene headless (the platform's headless mode on, the screen not yet open) and fills
// `result`. Returns when the pass is done or the scene failed.
void RunScene(const Scene& scene, Pass pass, const RunOptions& options, RunResult& result);

struct Stats {
  int count = 0;
  double median = 0, p95 = 0, max = 0;  // milliseconds
};
Stats Summarise(std::vector<int64_t> ns);

int64_t ThreadCpuNs();
int64_t ProcessCpuNs();
int64_t MonotonicNs();

}  // namespace bench
