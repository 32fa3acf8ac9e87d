// Scratch game folders and child processes for the start-up and play-through tests: a folder
// that stands for the built game (its pictures and sounds linked, its data archives copied so a
// test can damage them), and a way to run the built executable, or a piece of this test
// process, as a child with its own home folder, status and output.
#pragma once
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "../../tools/bcapack/bca_encoder.h"
#include "support/test_support.h"

namespace app_test {

namespace fs = std::filesystem;

// The options file a first start writes: the default values, and the default profile's name.
inline const char* const kDefaultOptionsFile =
    "Settings{\n"
    "\tscreenMode=0.00000000\n"
    "\tmusicVol=0.500000000\n"
    "\tsoundVol=0.699999988\n"
    "\tstartingLevel=-1.00000000\n"
    "\tlastProfile=\"morvell\"\n"
    "}\n";

// The five level-pack archives every start checks.
inline const char* const kLevelPacks[] = {"settings_lp.bca", "runes_levels_lp.bca",
                                          "puzzle_levels_lp.bca", "ring_levels_lp.bca",
                                          "popups_lp.bca"};

// A scratch game folder under the test's temporary home: links to the built game's gfx/ and
// sfx/, and a data/ of its own with copies of every archive. Returns its path (no trailing /).
inline std::string ScratchGame(const std::string& name = "game") {
  const fs::path root = fs::path(test_support::TempHome()) / name;
  const fs::path game = test_support::GameDir();
  fs::create_directories(root / "data");
  fs::create_symlink(game / "gfx", root / "gfx");
  fs::create_symlink(game / "sfx", root / "sfx");
  for (const fs::directory_entry& entry : fs::directory_iterator(game / "data"))
    fs::copy_file(entry.path(), root / "data" / entry.path().filename());
  return root.string();
}

// Replaces an archive of the scratch game with one that holds only an entry "readme.txt".
inline void ArchiveWithoutPackEntry(const std::string& game, const std::string& archive) {
  const std::string text = "Readme { Note = \"no pack entry here\" }";
  const std::vector<uint8_t> bytes = bca::BuildArchive(
      {{"readme.txt.bbc", bca::EncodeEntry(std::vector<uint8_t>(text.begin(), text.end()))}});
  std::ofstream(game + "/data/" + archive, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The user data folder under a home folder.
inline std::string UserFolder(const std::string& home) {
  return home + "/Library/Preferences/.Glyphor";
}

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// What a child process left: its exit status (-1 when it did not exit normally) and output.
struct ChildResult {
  int status = -1;
  std::string out, err;
};

// Runs `body` in a forked child whose standard output and error go to files, and whose exit
// status is what `body` returns. The child leaves with _exit: this process's own end is not run.
inline ChildResult RunForked(const std::function<int()>& body) {
  const std::string out = test_support::TempHome() + "/child.out";
  const std::string err = test_support::TempHome() + "/child.err";
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (!std::freopen(out.c_str(), "w", stdout) || !std::freopen(err.c_str(), "w", stderr))
      _exit(121);
    int status = 120;
    try {
      status = body();
    } catch (...) {
      std::fprintf(stderr, "child: uncaught exception\n");
    }
    std::fflush(stdout);
    std::fflush(stderr);
    _exit(status);
  }
  ChildResult result;
  int raw = 0;
  if (pid > 0 && waitpid(pid, &raw, 0) == pid && WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
  result.out = ReadText(out);
  result.err = ReadText(err);
  return result;
}

// Runs the program `exe` with the given environment additions (NAME=value) in a child.
inline ChildResult RunExecutable(const std::string& exe, const std::vector<std::string>& env) {
  return RunForked([&] {
    for (const std::string& pair : env) putenv(const_cast<char*>(pair.c_str()));
    char* argv[] = {const_cast<char*>(exe.c_str()), nullptr};
    execv(exe.c_str(), argv);
    std::perror("execv");
    return 122;
  });
}

}  // namespace app_test
