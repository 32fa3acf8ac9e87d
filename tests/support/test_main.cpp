// Every test process: a fresh $HOME, the game folder as working directory, headless platform.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/headless.h"
#include "support/test_support.h"
#include "program/layer_links.h"

namespace {
std::string g_home;
}

namespace test_support {
const std::string& TempHome() { return g_home; }
std::string GameDir() { return MIRETHORN_GAME_DIR; }
std::string SourceDir() { return MIRETHORN_SOURCE_DIR; }
}  // namespace test_support

int main(int argc, char** argv) {
  LinkLayers();
  testing::InitGoogleTest(&argc, argv);
  char tmpl[] = "/tmp/mirethorn-test-XXXXXX";
  if (!mkdtemp(tmpl)) {
    std::perror("mkdtemp");
    return 1;
  }
  g_home = tmpl;
  setenv("HOME", tmpl, 1);
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::error_code ec;
  std::filesystem::create_directories(MIRETHORN_GAME_DIR, ec);
  if (chdir(MIRETHORN_GAME_DIR) != 0) {
    std::perror("chdir to the game folder");
    return 1;
  }
  headless::Enable();
  int rc = RUN_ALL_TESTS();
  std::filesystem::remove_all(g_home, ec);
  return rc;
}
