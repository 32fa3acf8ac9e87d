// The start-up run in this process, headless: a first start in a fresh home up to the entry of
// the first profile's name, the profile a later start loads, and the failures that end the
// start-up or that it survives.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/process_fixtures.h"
#include "services/data_folders.h"
#include "services/delta_time.h"
#include "program/main_loop.h"
#include "services/options.h"
#include "program/start_up.h"
#include "game/levels/level_sequencer.h"
#include "game/saved/new_profile.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "screens/profiles/profile_loader.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using app_test::ReadText;
using app_test::UserFolder;

using app_test::kDefaultOptionsFile;

// Generous: the loading and portal screens take a few hundred frames for each start.
constexpr int kStartUpFrames = 10000;

class StartUpRun : public testing::Test {
 protected:
  // The runs read no pixels: nine frames in ten are left undrawn.
  void SetUp() override {
    headless::SetFrameCap(headless::FrameNumber() + kStartUpFrames);
    headless::SetSparseDrawing(10);
  }
  void TearDown() override {
    headless::SetFrameCallback(nullptr);
    if (chdir(test_support::GameDir().c_str()) != 0) ADD_FAILURE() << "back to the game folder";
  }
  static size_t Boxes() { return headless::MessageBoxes().size(); }
};

TEST_F(StartUpRun, FirstStartInAFreshHomeReachesTheFirstProfileEntry) {
  StartUp();
  const std::string user = UserFolder(test_support::TempHome());
  EXPECT_EQ(myDocsFolder, user);
  EXPECT_EQ(FileType(user + "/profiles-levelpack"), FILETYPE_DIR);
  EXPECT_EQ(ReadText(user + "/data/options.tsc"), kDefaultOptionsFile);
  EXPECT_EQ(FileType(user + "/data/hiscores.dat"), FILETYPE_FILE);
  EXPECT_EQ(Boxes(), 0u);
  EXPECT_EQ(AppTitle, u"Mirethorn");
  EXPECT_EQ(gameState, 0);
  EXPECT_EQ(saveToProfile, 0);
  ASSERT_TRUE(deltaTime);
  EXPECT_EQ(deltaTime->targetFps, 60.0f);
  EXPECT_EQ(profile->profiles->Count(), 0);

  // The title asks for the first player's name before anything else; a close request there ends
  // the program with the options saved (by the end hook: no profile to name yet).
  bool entryShown = false;
  headless::SetFrameCallback([&](int frame) {
    if (!entryShown && profileLoader->mode == TProfileLoader::kFirstRun) {
      entryShown = true;
      headless::CloseRequestAt(frame + 1);
    }
  });
  DeleteFile(user + "/data/options.tsc");
  EXPECT_THROW(RunGame(), ProgramEnded);
  EXPECT_TRUE(entryShown);
  EXPECT_EQ(ReadText(user + "/data/options.tsc"),
            "Settings{\n\tscreenMode=0.00000000\n\tmusicVol=0.500000000\n"
            "\tsoundVol=0.699999988\n\tstartingLevel=0.00000000\n}\n");
  EXPECT_EQ(profile->profiles->Count(), 0);
  EXPECT_EQ(Boxes(), 0u);
}

// The options' last profile picks the profile a start loads; one it does not name leaves the
// first found.
TEST_F(StartUpRun, LoadsTheLastProfileOrElseTheFirstFound) {
  struct Case {
    const char* lastProfile;
    const char16_t* loaded;
    int32_t level;
  };
  // Names are compared exactly: "Wren" names no profile.
  const Case cases[] = {{"wren", u"wren", 4}, {"Wren", u"ash", 2}};
  GetDataFolders();
  profile = TProfileManager::Create(myDocsFolder + "/profiles-levelpack", "dat");
  sequencer = std::make_shared<TLevelSequencer>();
  for (const auto& [name, level] : {std::pair{u"ash", 2}, std::pair{u"wren", 4}}) {
    ASSERT_EQ(profile->NewProfile(name), 1);
    profile->SetNumber(u"level", level, 0);
    profile->SetNumber(u"gameState", 1, 1);
  }
  for (const Case& c : cases) {
    const std::string text = std::string("Settings{\n\tscreenMode=0\n\tlastProfile=\"") +
                             c.lastProfile + "\"\n}\n";
    ASSERT_TRUE(SaveBytesSafely(OptionsFilePath(), std::vector<uint8_t>(text.begin(), text.end())));
    StartUp();
    ASSERT_TRUE(profile->current);
    EXPECT_EQ(profile->current->name, c.loaded) << c.lastProfile;
    EXPECT_EQ(sequencer->currentLevel, c.level) << c.lastProfile;
    EXPECT_EQ(gameState, 1) << c.lastProfile;
  }
}

// A damaged options file is set aside and the start goes on with the defaults.
TEST_F(StartUpRun, SurvivesADamagedOptionsFile) {
  GetDataFolders();
  const std::string damaged = "Settings{\n\tscreenMode=\"unterminated\n";
  ASSERT_TRUE(SaveBytesSafely(OptionsFilePath(), std::vector<uint8_t>(damaged.begin(), damaged.end())));
  test_support::Output([] { StartUp(); });
  EXPECT_EQ(ReadText(OptionsFilePath() + ".bad"), damaged);
  EXPECT_EQ(ReadText(OptionsFilePath()), kDefaultOptionsFile);
  EXPECT_EQ(Boxes(), 0u);
  ASSERT_TRUE(deltaTime);
}

// Failures that end the start-up: the status, the text on standard error, the notice shown, and
// what was left in the home folder.
TEST_F(StartUpRun, FailuresThatEndTheStartUp) {
  struct Case {
    const char* name;
    std::function<void(const std::string& game, const std::string& home)> damage;
    int status;
    const char* err;      // on standard error
    const char16_t* box;  // the notice shown, or none
    bool userFolder;      // the user data folder exists afterwards
    const char* options;  // a line of the options file afterwards, or none
  };
  const Case cases[] = {
      {"no settings archive",
       [](const std::string& game, const std::string&) {
         fs::remove(game + "/data/settings_lp.bca");
       },
       255, "settings_lp.bca", nullptr, false, nullptr},
      {"a pack without its pack entry",
       [](const std::string& game, const std::string&) {
         app_test::ArchiveWithoutPackEntry(game, "popups_lp.bca");
       },
       255, "", u"Files corrupted\ndata/popups_lp.bca", false, nullptr},
      {"profiles folder unreadable",
       [](const std::string&, const std::string& home) {
         fs::create_directories(UserFolder(home));
         std::ofstream(UserFolder(home) + "/profiles-levelpack") << "not a folder";
       },
       255, "Failed to read profiles directory", nullptr, true, nullptr},
      // Full screen asked for: the fall-back to a window is what the end hook saves.
      {"no window",
       [](const std::string&, const std::string& home) {
         fs::create_directories(UserFolder(home) + "/data");
         std::ofstream(UserFolder(home) + "/data/options.tsc") << "Settings{\n\tscreenMode=1\n}\n";
         headless::FailGraphics(10);
       },
       255, "", u"Graphics initiation error! The game will close.", true,
       "\tscreenMode=2.00000000\n"},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string game = app_test::ScratchGame("game" + std::to_string(n));
    const std::string home = test_support::TempHome() + "/home" + std::to_string(n++);
    fs::create_directories(home);
    setenv("HOME", home.c_str(), 1);
    c.damage(game, home);
    ASSERT_EQ(chdir(game.c_str()), 0);
    const size_t boxesBefore = Boxes();
    testing::internal::CaptureStderr();
    const int status = RunProgram();
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, c.status) << c.name;
    EXPECT_NE(err.find(c.err), std::string::npos) << c.name << ": " << err;
    if (c.box) {
      ASSERT_EQ(Boxes(), boxesBefore + 1) << c.name;
      EXPECT_EQ(headless::MessageBoxes().back().text, c.box) << c.name;
      EXPECT_FALSE(headless::MessageBoxes().back().serious) << c.name;
    } else {
      EXPECT_EQ(Boxes(), boxesBefore) << c.name;
    }
    EXPECT_EQ(fs::exists(UserFolder(home)), c.userFolder) << c.name;
    if (c.options) {
      const std::string written = ReadText(UserFolder(home) + "/data/options.tsc");
      EXPECT_NE(written.find(c.options), std::string::npos) << c.name << ": " << written;
    }
  }
  setenv("HOME", test_support::TempHome().c_str(), 1);
}

}  // namespace
