// screenshot --list | screenshot SCENARIO OUTDIR | screenshot --script FILE OUTDIR [--sparse N]
// Runs a scenario headless in the game folder, with a throw-away home folder, and writes the
// PNG files of the frames it names into OUTDIR. With --script it runs the whole game (start-up
// and main loop) headless in the game folder with the home folder as given, following the input
// script FILE (see platform/input_script.h), and writes the shots the script names; the message
// boxes the game showed are written to standard error at the end. With --sparse N the pixels of
// only every N-th frame and of the frames shot are drawn (for long runs that look at the game's
// files and messages, not its pictures; a shot after frames left undrawn can differ where a
// screen draws over what the frame before left).
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "program/main_loop.h"
#include "platform/errors.h"
#include "platform/headless.h"
#include "platform/input_script.h"
#include "platform/system.h"
#include "platform/text.h"
#include "scenario.h"
#include "program/layer_links.h"

namespace {

// A scenario that never ends its loop stops here instead of running for ever.
constexpr int kFrameCap = 20000;

// A script's run gives up this many frames after its last line when the game goes on.
constexpr int kScriptIdleFrames = 20000;
// Exit statuses of a script run besides the game's own (0 after its end routine, 255 after a
// framework error).
constexpr int kScriptMalformed = 2;  // also: the file or OUTDIR cannot be used
constexpr int kScriptRanOut = 3;     // the game still ran kScriptIdleFrames after the last line

int Usage() {
  std::fprintf(stderr,
               "usage: screenshot --list\n       screenshot SCENARIO OUTDIR\n"
               "       screenshot --script FILE OUTDIR [--sparse N]\n");
  return 2;
}

// Thrown from the frame callback to leave the game where the script ends it.
struct ScriptEnd {
  int status;
};

// OUTDIR made absolute and created; empty when it cannot be made.
std::string MakeOutDir(const char* arg) {
  std::error_code ec;
  std::filesystem::path outDir = std::filesystem::absolute(arg, ec);
  std::filesystem::create_directories(outDir, ec);
  if (!std::filesystem::is_directory(outDir)) {
    std::fprintf(stderr, "screenshot: cannot make the folder %s\n", outDir.c_str());
    return std::string();
  }
  return outDir.string();
}

// The game folder as the working directory, the executable's path as the game's own, headless.
// MIRETHORN_GAME_FOLDER, when set, names another game folder (a copy with damaged data, say).
bool EnterGameFolder() {
  const char* other = std::getenv("MIRETHORN_GAME_FOLDER");
  const std::string folder = other && *other ? other : MIRETHORN_GAME_DIR;
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (chdir(folder.c_str()) != 0) {
    std::perror("screenshot: chdir to the game folder");
    return false;
  }
  AppFile = folder + "/mirethorn";
  headless::Enable();
  return true;
}

int RunScript(const char* file, const char* outArg, int sparse) {
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "screenshot: cannot read the script %s\n", file);
    return kScriptMalformed;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::vector<ScriptEvent> events;
  std::string error;
  if (!ParseInputScript(text.str(), events, error)) {
    std::fprintf(stderr, "screenshot: %s: %s\n", file, error.c_str());
    return kScriptMalformed;
  }
  const std::string outDir = MakeOutDir(outArg);
  if (outDir.empty() || !EnterGameFolder()) return kScriptMalformed;

  int stopFrame = INT_MAX, lastFrame = 0;
  for (const ScriptEvent& e : events) {
    lastFrame = std::max(lastFrame, e.frame);
    if (e.kind == ScriptEvent::Kind::Stop) stopFrame = std::min(stopFrame, e.frame);
  }
  ScheduleInputEvents(events);
  headless::SetSparseDrawing(sparse);
  int status = 0;
  std::vector<std::string> missing;
  {
    screenshot::Context ctx(outDir);
    for (const ScriptEvent& e : events)
      if (e.kind == ScriptEvent::Kind::Shot) ctx.capture(e.frame, e.name + ".png");
    ctx.onFrame([&](int frame) {
      if (frame >= stopFrame) throw ScriptEnd{0};
      if (frame > lastFrame + kScriptIdleFrames) throw ScriptEnd{kScriptRanOut};
    });
    try {
      status = RunProgram();
    } catch (const ScriptEnd& end) {
      if (end.status == kScriptRanOut)
        std::fprintf(stderr, "screenshot: the game still ran %d frames after the script's last line\n",
                     kScriptIdleFrames);
      status = end.status;
    }
    missing = ctx.missing();
  }
  std::fflush(stdout);
  // Headless, the game's message boxes show nowhere else.
  for (const headless::MessageBox& box : headless::MessageBoxes())
    std::fprintf(stderr, "screenshot: message box%s: %s\n", box.serious ? " (serious)" : "",
                 ToUtf8(box.text).c_str());
  for (const std::string& m : missing)
    std::fprintf(stderr, "screenshot: not written: %s (frame %d was the last)\n", m.c_str(),
                 headless::FrameNumber());
  return status;
}

int List() {
  for (const auto& [name, scenario] : screenshot::Scenarios()) {
    std::printf("%-28s %s\n", name.c_str(), scenario.description.c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  LinkLayers();
  if (argc == 2 && std::string(argv[1]) == "--list") return List();
  if (argc == 4 && std::string(argv[1]) == "--script") return RunScript(argv[2], argv[3], 0);
  if (argc == 6 && std::string(argv[1]) == "--script" && std::string(argv[4]) == "--sparse") {
    char* end = nullptr;
    const long every = std::strtol(argv[5], &end, 10);
    if (end == argv[5] || *end != '\0' || every < 1 || every > 1000) return Usage();
    return RunScript(argv[2], argv[3], static_cast<int>(every));
  }
  if (argc != 3) return Usage();
  const std::string name = argv[1];
  auto found = screenshot::Scenarios().find(name);
  if (found == screenshot::Scenarios().end()) {
    std::fprintf(stderr, "screenshot: no scenario \"%s\" (see --list)\n", name.c_str());
    return 2;
  }

  const std::string outDir = MakeOutDir(argv[2]);
  if (outDir.empty()) return 1;

  char home[] = "/tmp/mirethorn-screenshot-XXXXXX";
  if (!mkdtemp(home)) {
    std::perror("screenshot: mkdtemp");
    return 1;
  }
  setenv("HOME", home, 1);
  if (!EnterGameFolder()) return 1;
  headless::SetFrameCap(kFrameCap);

  int status = 0;
  std::vector<std::string> missing;
  std::vector<std::string> written;
  {
    screenshot::Context ctx(outDir);
    try {
      found->second.run(ctx);
    } catch (const ProgramEnded&) {
      // The game ended itself: a normal end of the scenario.
    } catch (const FrameworkError& e) {
      std::fprintf(stderr, "screenshot: %s: %s\n", name.c_str(), e.what());
      status = 1;
    } catch (const TextError& e) {
      std::fprintf(stderr, "screenshot: %s: %s\n", name.c_str(), e.what().c_str());
      status = 1;
    }
    missing = ctx.missing();
    written = ctx.written();
  }
  for (const std::string& path : written) std::printf("%s\n", path.c_str());
  for (const std::string& m : missing) {
    std::fprintf(stderr, "screenshot: not written: %s\n", m.c_str());
    status = 1;
  }
  std::error_code ec;
  std::filesystem::remove_all(home, ec);
  return status;
}
