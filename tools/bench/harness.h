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
};

struct RunResult {
  std::vector<int64_t> frameNs;  // CPU time of each measured frame
  std::vector<int64_t> floorNs;  // CPU time of each frame's replay
  double drawsPerFrame = 0;      // drawing calls of a recorded frame, on average
  bool checked = false;
  int64_t comparedPixels = 0;
  int64_t differingPixels = 0;
  std::string error;
};

struct RunOptions {
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
int64_t MonotonicNs();

}  // namespace bench
