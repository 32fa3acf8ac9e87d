// The bench's figures beside the scenes: start-up, memory and content generation.
#pragma once
#include <string>
#include <vector>

namespace bench {

struct StartupReport {
  std::vector<double> execToFirstFrameMs;  // wall time, one per run
  double loadingCpuMs = -1;                // the loading steps' own CPU, waits and fades left out
  double loadingFramesCpuMs = -1;          // the loading screen's fade frames between the steps
  int loadingFrames = 0;
  std::string error;
};
StartupReport MeasureStartup(const std::string& gameExe, const std::string& gameDir, int cpu);
// The real start-up run headless in a child process (the first profile's name typed in): the
// loading's own CPU into `r`; then the title's main menu for 300 frames, and the process's peak
// resident size into `titleKb`.
void MeasureLoading(const std::string& gameDir, int cpu, StartupReport& r, long& titleKb);
void PrintStartup(const StartupReport& r);
std::string StartupJson(const StartupReport& r);

struct MemoryReport {
  long titleKb = 0;        // peak resident size sitting on the title
  long playthroughKb = 0;  // over the play-through program, 0 when not run
  std::string playthrough;
  std::string error;
};
// Runs `program` (the whole-quest play-through) in the game folder and reads its peak size.
MemoryReport MeasurePlaythrough(const std::string& program, const std::string& gameDir,
                                MemoryReport report);
void PrintMemory(const MemoryReport& r);
std::string MemoryJson(const MemoryReport& r);

// The real game sitting on the title in a window (a virtual X server of its own), as a player
// leaves it: its CPU over `seconds` and its resident memory, on the accelerated renderer or on
// the software one (SDL_RENDER_DRIVER=software). A profile is made first, so that the title
// shows its menu and no first-run entry.
struct IdleReport {
  std::string renderer;     // as the game reports it
  double seconds = 0;
  double gameCpuPercent = -1;  // of one core
  double xCpuPercent = -1;     // the X server's, for showing the frames
  long rssKb = 0, peakRssKb = 0;
  std::string error;
};
IdleReport MeasureIdle(const std::string& gameExe, const std::string& gameDir, int seconds,
                       bool accelerated);
void PrintIdle(const IdleReport& r);

struct ContentReport {
  double configureS = -1;
  double generateS = -1;  // the generators built and run, two jobs, from a clean build folder
  std::string error;
};
ContentReport MeasureContent(const std::string& sourceDir);
void PrintContent(const ContentReport& r);
std::string ContentJson(const ContentReport& r);

}  // namespace bench
