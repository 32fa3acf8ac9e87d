// The built executable started in a scratch game folder (a copy of it beside the game's linked
// pictures and sounds and a data folder of its own) with a fresh home: the failures that end the
// start-up, as the player's shell sees them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "support/process_fixtures.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using app_test::UserFolder;

struct Case {
  const char* name;
  std::function<void(const std::string& game, const std::string& home)> damage;
  const char* videoDriver;
  int status;
  const char* err;  // on standard error
  bool userFolder;  // the user data folder exists afterwards
  const char* options;  // a line of the options file afterwards, or none
};

TEST(StartUpProcess, FailuresEndTheProgramWithTheirStatusAndText) {
  const Case cases[] = {
      {"no settings archive",
       [](const std::string& game, const std::string&) {
         fs::remove(game + "/data/settings_lp.bca");
       },
       "dummy", 255, "settings_lp.bca", false, nullptr},
      {"a pack without its pack entry",
       [](const std::string& game, const std::string&) {
         app_test::ArchiveWithoutPackEntry(game, "ring_levels_lp.bca");
       },
       "dummy", 255, "Files corrupted\ndata/ring_levels_lp.bca", false, nullptr},
      // A file where the folder belongs cannot be listed, not even by root.
      {"profiles folder unreadable",
       [](const std::string&, const std::string& home) {
         fs::create_directories(UserFolder(home));
         std::ofstream(UserFolder(home) + "/profiles-levelpack") << "not a folder";
       },
       "dummy", 255, "Failed to read profiles directory", true, nullptr},
      {"no window",
       [](const std::string&, const std::string& home) {
         fs::create_directories(UserFolder(home) + "/data");
         std::ofstream(UserFolder(home) + "/data/options.tsc") << "Settings{\n\tscreenMode=1\n}\n";
       },
       "no-such-video-driver", 255, "Graphics initiation error! The game will close.", true,
       "\tscreenMode=2.00000000\n"},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string game = app_test::ScratchGame("game" + std::to_string(n));
    const std::string home = test_support::TempHome() + "/home" + std::to_string(n++);
    fs::create_directories(home);
    fs::copy_file(MIRETHORN_EXECUTABLE, game + "/mirethorn");
    c.damage(game, home);
    const app_test::ChildResult result = app_test::RunExecutable(
        game + "/mirethorn",
        {"HOME=" + home, std::string("SDL_VIDEODRIVER=") + c.videoDriver, "SDL_AUDIODRIVER=dummy"});
    EXPECT_EQ(result.status, c.status) << c.name << "\n" << result.err;
    EXPECT_NE(result.err.find(c.err), std::string::npos) << c.name << ": " << result.err;
    EXPECT_EQ(result.err.find("Files corrupted") != std::string::npos,
              std::string(c.err).find("Files corrupted") == 0)
        << c.name;
    EXPECT_EQ(fs::exists(UserFolder(home)), c.userFolder) << c.name;
    if (c.options) {
      const std::string written = app_test::ReadText(UserFolder(home) + "/data/options.tsc");
      EXPECT_NE(written.find(c.options), std::string::npos) << c.name << ": " << written;
    }
  }
}

}  // namespace
