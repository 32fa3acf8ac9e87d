// screenshot --list | screenshot SCENARIO OUTDIR
// Runs a scenario headless in the game folder, with a throw-away home folder, and writes the
// PNG files of the frames it names into OUTDIR.
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/errors.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "scenario.h"

namespace {

// A scenario that never ends its loop stops here instead of running for ever.
constexpr int kFrameCap = 20000;

int Usage() {
  std::fprintf(stderr, "usage: screenshot --list\n       screenshot SCENARIO OUTDIR\n");
  return 2;
}

int List() {
  for (const auto& [name, scenario] : screenshot::Scenarios()) {
    std::printf("%-28s %s\n", name.c_str(), scenario.description.c_str());
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--list") return List();
  if (argc != 3) return Usage();
  const std::string name = argv[1];
  auto found = screenshot::Scenarios().find(name);
  if (found == screenshot::Scenarios().end()) {
    std::fprintf(stderr, "screenshot: no scenario \"%s\" (see --list)\n", name.c_str());
    return 2;
  }

  std::error_code ec;
  std::filesystem::path outDir = std::filesystem::absolute(argv[2], ec);
  std::filesystem::create_directories(outDir, ec);
  if (!std::filesystem::is_directory(outDir)) {
    std::fprintf(stderr, "screenshot: cannot make the folder %s\n", outDir.c_str());
    return 1;
  }

  char home[] = "/tmp/mirethorn-screenshot-XXXXXX";
  if (!mkdtemp(home)) {
    std::perror("screenshot: mkdtemp");
    return 1;
  }
  setenv("HOME", home, 1);
  std::filesystem::create_directories(MIRETHORN_GAME_DIR, ec);
  if (chdir(MIRETHORN_GAME_DIR) != 0) {
    std::perror("screenshot: chdir to the game folder");
    return 1;
  }
  AppFile = std::string(MIRETHORN_GAME_DIR) + "/mirethorn";
  headless::Enable();
  headless::SetFrameCap(kFrameCap);

  int status = 0;
  std::vector<std::string> missing;
  std::vector<std::string> written;
  {
    screenshot::Context ctx(outDir.string());
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
  std::filesystem::remove_all(home, ec);
  return status;
}
