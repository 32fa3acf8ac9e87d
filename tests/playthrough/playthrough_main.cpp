// The play-through: the whole game from a fresh home folder, played headless by the scripted
// player through the real start-up and main loop, first level to credits, then the endless and
// time-attack games and the exit. It fails on a crash, a message box, an output line about a
// file not loaded or a key missing, a game file that could not be opened, a level lost three
// times or over its frame budget, or an end status other than 0; at the end it checks what the
// profile, the hiscores and the saved games hold.
//
//   playthrough [SEED] [--until N] [--shots DIR]
// SEED replaces the fixed seed of headless runs; --until N stops after quest level N with a
// close request (the short form); --shots writes the screenshots into DIR. PT_DEBUG set in the
// environment traces the screens the player acts on; PT_KEEP_HOME keeps the home folder.
#include <stdlib.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "program/main_loop.h"
#include "end_checks.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "player.h"

namespace {

// Headless drawing paints one frame in this many (and the screenshots).
constexpr int kSparseDrawing = 60;
// The frame cap of the whole run: far beyond what it needs.
constexpr int kFrameCap = 2000000;

// Standard output goes to a file that the run reads as it goes, echoing it on standard error.
class OutputWatch {
 public:
  explicit OutputWatch(const std::string& path) : path_(path) {
    std::fflush(stdout);
    saved_ = dup(STDOUT_FILENO);
    std::FILE* f = std::freopen(path.c_str(), "w", stdout);
    if (!f) std::perror("redirecting standard output");
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
  }
  ~OutputWatch() {
    std::fflush(stdout);
    if (saved_ >= 0) {
      dup2(saved_, STDOUT_FILENO);
      close(saved_);
    }
  }
  // The lines written since the last call, each echoed; the first one that shows a fault is
  // returned through `fault`.
  void Scan(std::string& fault) {
    std::fflush(stdout);
    std::ifstream in(path_);
    in.seekg(static_cast<std::streamoff>(offset_));
    std::string line;
    while (std::getline(in, line)) {
      offset_ += line.size() + 1;
      std::cerr << "  | " << line << "\n";
      if (fault.empty() && Faulty(line)) fault = line;
    }
  }

 private:
  static bool Faulty(const std::string& line) {
    static const char* const kMarks[] = {"does not exist", "not loaded", "could not be loaded",
                                         "cannot load", "Cannot load", "Nie mozna zaladowac",
                                         "not found", "could not be read", "left out"};
    for (const char* mark : kMarks)
      if (line.find(mark) != std::string::npos) return true;
    return false;
  }

  std::string path_;
  int saved_ = -1;
  size_t offset_ = 0;
};

struct Arguments {
  bool seeded = false;
  int32_t seed = 0;
  playthrough::PlayerOptions player;
};

bool Parse(int argc, char** argv, Arguments& args) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--until" && i + 1 < argc) {
      args.player.lastQuestLevel = std::atoi(argv[++i]);
    } else if (a == "--shots" && i + 1 < argc) {
      args.player.shotDir = argv[++i];
    } else if (!a.empty() && (std::isdigit(static_cast<unsigned char>(a[0])) || a[0] == '-')) {
      args.seeded = true;
      args.seed = static_cast<int32_t>(std::strtol(a.c_str(), nullptr, 0));
    } else {
      std::cerr << "usage: playthrough [SEED] [--until N] [--shots DIR]\n";
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Arguments args;
  if (!Parse(argc, argv, args)) return 2;

  char home[] = "/tmp/mirethorn-playthrough-XXXXXX";
  if (!mkdtemp(home)) {
    std::perror("mkdtemp");
    return 1;
  }
  setenv("HOME", home, 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  if (chdir(MIRETHORN_GAME_DIR) != 0) {
    std::perror("chdir to the game folder");
    return 1;
  }
  if (!args.player.shotDir.empty()) std::filesystem::create_directories(args.player.shotDir);

  headless::Enable();
  if (args.seeded) SeedRnd(args.seed);
  headless::SetSparseDrawing(kSparseDrawing);
  headless::SetFrameCap(kFrameCap);
  std::cerr << "[playthrough] seed " << RndSeed() << ", home " << home << "\n";

  int rc = 0;
  std::string fault;
  {
    OutputWatch output(std::string(home) + "/stdout.txt");
    playthrough::Player player(args.player);
    headless::SetFrameCallback([&](int frame) {
      if (frame % 60 == 0) {
        output.Scan(fault);
        if (!fault.empty()) throw playthrough::Failure("output: " + fault);
      }
      player.Step(frame);
    });
    try {
      const int status = RunProgram();
      if (status != 0) {
        std::cerr << "[playthrough] FAILED: the program ended with status " << status << "\n";
        rc = 1;
      }
    } catch (const playthrough::Failure& failure) {
      std::cerr << "[playthrough] FAILED: " << failure.what() << "\n";
      rc = 1;
    }
    headless::SetFrameCallback(nullptr);
    output.Scan(fault);
    if (!fault.empty() && rc == 0) {
      std::cerr << "[playthrough] FAILED: output: " << fault << "\n";
      rc = 1;
    }
    std::cerr << "[playthrough] " << headless::FrameNumber() << " frames, " << player.levelsDone()
              << " quest levels\n";
    for (const std::string& path : headless::FailedOpens()) {
      // Files of the home folder may be missing (options, hiscores, custom art); game files not.
      if (path.rfind(home, 0) == 0) continue;
      std::cerr << "[playthrough] FAILED: a game file could not be opened: " << path << "\n";
      rc = 1;
    }
    if (rc == 0 && player.stage() != playthrough::Stage::kDone) {
      std::cerr << "[playthrough] FAILED: the game ended before the road did\n";
      rc = 1;
    }
    if (rc == 0 && args.player.lastQuestLevel == 0) {
      playthrough::Expected expected;
      expected.docsFolder = std::string(home) + "/Library/Preferences/.Glyphor";
      // The name entry keeps names in lower case, as it shows them while they are typed.
      expected.playerName = args.player.name;
      for (char& c : expected.playerName) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      expected.lastSummaryTotal = player.lastSummaryTotal();
      for (const std::string& problem : playthrough::CheckEnd(expected)) {
        std::cerr << "[playthrough] FAILED: " << problem << "\n";
        rc = 1;
      }
    }
    if (rc == 0) std::cerr << "[playthrough] passed\n";
  }
  // PT_KEEP_HOME keeps the home folder for a look at what the game wrote.
  std::error_code ec;
  if (getenv("PT_KEEP_HOME")) {
    std::cerr << "[playthrough] home kept: " << home << "\n";
  } else {
    std::filesystem::remove_all(home, ec);
  }
  return rc;
}
