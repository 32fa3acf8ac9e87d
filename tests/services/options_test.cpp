// The options file: defaults, reading and writing, whole numbers, a damaged file set aside, the
// last profile selected, and the game in progress saved with the options while a quest is played.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/process_fixtures.h"
#include "services/data_folders.h"
#include "services/graphics_mode.h"
#include "services/options.h"
#include "game/levels/level_sequencer.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"

using test_support::Output;

namespace {
const char* const kDefaultFile = app_test::kDefaultOptionsFile;

class OptionsFile : public testing::Test {
 protected:
  void SetUp() override {
    GetDataFolders();
    options = std::make_shared<TOptions>();
    sequencer = std::make_shared<TLevelSequencer>();
    profile = TProfileManager::Create(myDocsFolder + "/profiles-levelpack", "dat");
  }
  static std::string Path() { return myDocsFolder + "/data/options.tsc"; }
  static std::string Read(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(LoadBytes(path, bytes)) << path;
    return std::string(bytes.begin(), bytes.end());
  }
  static void Write(const std::string& text) {
    ASSERT_TRUE(SaveBytesSafely(Path(), std::vector<uint8_t>(text.begin(), text.end())));
  }
  static void AddProfiles(std::initializer_list<const char16_t*> names) {
    for (const char16_t* n : names) ASSERT_EQ(profile->NewProfile(n), 1);
    profile->current = profile->profiles->First();
  }
  // The number key as the current profile's file holds it (0 when it is missing).
  static int32_t NumberOnDisk(const String& key) {
    ProfilePtr onDisk = TProfile::Create(profile->current->path);
    EXPECT_TRUE(onDisk);
    return onDisk ? onDisk->GetNumber(key) : 0;
  }
};
}  // namespace

TEST_F(OptionsFile, FreshOptionsHoldTheInMemoryDefaults) {
  TOptions o;
  EXPECT_EQ(o.screenMode, 2);
  EXPECT_EQ(o.musicVol, 0.5f);
  EXPECT_EQ(o.soundVol, 0.8f);
  EXPECT_EQ(o.startingLevel, 0);
  EXPECT_FALSE(o.tscFile);
}

TEST_F(OptionsFile, MissingFileIsCreatedWithTheDefaultsAndRead) {
  options->Load();
  EXPECT_EQ(Read(Path()), kDefaultFile);
  EXPECT_EQ(options->screenMode, 0);
  EXPECT_EQ(options->musicVol, 0.5f);
  EXPECT_EQ(options->soundVol, 0.7f);
  EXPECT_EQ(options->startingLevel, -1);
  EXPECT_FALSE(options->tscFile);
}

TEST_F(OptionsFile, CreateOptionsFileLeavesTheFieldsAlone) {
  options->screenMode = 1;
  options->CreateOptionsFile();
  EXPECT_EQ(Read(Path()), kDefaultFile);
  EXPECT_EQ(options->screenMode, 1);
  EXPECT_EQ(options->soundVol, 0.8f);
}

TEST_F(OptionsFile, SavedOptionsReadBack) {
  AddProfiles({u"Anna", u"Bert"});
  profile->SelectProfile(u"Bert");
  options->screenMode = 1;
  options->musicVol = 0.25f;
  options->soundVol = 0.3f;
  options->startingLevel = 99;
  sequencer->currentLevel = 7;
  saveOptions();
  EXPECT_EQ(Read(Path()),
            "Settings{\n\tscreenMode=1.00000000\n\tmusicVol=0.250000000\n"
            "\tsoundVol=0.300000012\n\tstartingLevel=7.00000000\n\tlastProfile=\"Bert\"\n}\n");

  profile->current = profile->profiles->First();
  auto loaded = std::make_shared<TOptions>();
  loaded->Load();
  EXPECT_EQ(loaded->screenMode, 1);
  EXPECT_EQ(loaded->musicVol, 0.25f);
  EXPECT_EQ(loaded->soundVol, 0.3f);
  EXPECT_EQ(loaded->startingLevel, 7);
  EXPECT_EQ(profile->current->name, u"Bert");
  // Nothing is left beside the file by the safe write.
  EXPECT_EQ(LoadDir(myDocsFolder + "/data"), std::vector<std::string>{"options.tsc"});
}

TEST_F(OptionsFile, WithoutProfilesNoLastProfileIsWritten) {
  options->SaveOptionsOnly();
  EXPECT_EQ(Read(Path()).find("lastProfile"), std::string::npos);
  options->Load();  // and none is looked for
}

TEST_F(OptionsFile, LastProfileSelectsOnlyAnExactName) {
  struct Case {
    const char* lastProfile;
    const char16_t* current;
  };
  const Case cases[] = {{"Bert", u"Bert"}, {"bert", u"Anna"}, {"nobody", u"Anna"}, {"", u"Anna"}};
  AddProfiles({u"Anna", u"Bert"});
  for (const Case& c : cases) {
    profile->current = profile->profiles->First();
    Write(std::string("Settings{\n\tscreenMode=0\n\tmusicVol=0.5\n\tsoundVol=0.7\n"
                      "\tstartingLevel=0\n\tlastProfile=\"") +
          c.lastProfile + "\"\n}\n");
    options->Load();
    EXPECT_EQ(profile->current->name, c.current) << c.lastProfile;
  }
}

TEST_F(OptionsFile, WholeNumbersAreCutTowardZero) {
  struct Case {
    const char* text;
    int32_t screenMode;
  };
  const Case cases[] = {{"1.9", 1}, {"-0.5", 0}, {"2", 2}, {"-1.7", -1}};
  for (const Case& c : cases) {
    Write(std::string("Settings{\n\tscreenMode=") + c.text + "\n\tmusicVol=0.5\n\tsoundVol=0.7\n" +
          "\tstartingLevel=" + c.text + "\n}\n");
    options->Load();
    EXPECT_EQ(options->screenMode, c.screenMode) << c.text;
    EXPECT_EQ(options->startingLevel, c.screenMode) << c.text;
  }
}

// Hand-edited numbers outside the int range, or texts that read as no finite number, must not
// make an undefined conversion: they read as 0 and the game opens a window.
TEST_F(OptionsFile, NumbersOutsideTheIntRangeReadAsZeroAndOpenAWindow) {
  const char* texts[] = {"3000000000", "-3000000000", "'nan'", "'inf'",
                         "1000000000000000000000000000000000000000000.0"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    Write(std::string("Settings{\n\tscreenMode=") + text + "\n\tstartingLevel=" + text +
          "\n}\n");
    options->Load();
    EXPECT_EQ(options->screenMode, 0);
    EXPECT_EQ(options->startingLevel, 0);
    gfxDriverSet = 0;
    SetGraphicsMode(options->screenMode, 800, 600, 32);
    ASSERT_TRUE(CurrentGraphics());
    EXPECT_EQ(CurrentGraphics()->depth, 0);  // a window
  }
}

TEST_F(OptionsFile, MissingKeysReadAsZeroAndOtherKeysVanishOnSave) {
  Write("Settings{\n\tscreenMode=1\n\tmusicVol=0.5\n\tfoo=3\n}\nOther{\n\tbar=1\n}\n");
  options->Load();
  EXPECT_EQ(options->screenMode, 1);
  EXPECT_EQ(options->soundVol, 0.0f);
  EXPECT_EQ(options->startingLevel, 0);
  options->SaveOptionsOnly();
  const std::string text = Read(Path());
  EXPECT_EQ(text.find("foo"), std::string::npos);
  EXPECT_EQ(text.find("Other"), std::string::npos);
  EXPECT_NE(text.find("\tsoundVol=0.00000000\n"), std::string::npos);
}

TEST_F(OptionsFile, DamagedFileIsSetAsideAndDefaultsAreUsed) {
  const std::string damaged = "Settings{\n\tscreenMode=\"unterminated\n";
  Write(damaged);
  testing::internal::CaptureStdout();
  options->Load();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(Read(Path() + ".bad"), damaged);
  EXPECT_NE(out.find("options.tsc.bad"), std::string::npos) << out;
  EXPECT_EQ(Read(Path()), kDefaultFile);
  EXPECT_EQ(options->screenMode, 0);
  EXPECT_EQ(options->soundVol, 0.7f);
  EXPECT_EQ(options->startingLevel, -1);

  // A second damaged file does not replace the first one set aside.
  Write("{{{");
  testing::internal::CaptureStdout();
  options->Load();
  testing::internal::GetCapturedStdout();
  EXPECT_EQ(Read(Path() + ".bad"), damaged);
  EXPECT_EQ(Read(Path() + ".bad2"), "{{{");
  EXPECT_EQ(Read(Path()), kDefaultFile);
}

// An empty file is kept aside like a damaged one. A folder, a FIFO (whose open would wait for a
// writer for ever) or a link that loops, where the file belongs, is left as it is, the options
// saved at the end included, and the game runs on the defaults.
TEST_F(OptionsFile, AnEmptyFileIsKeptAsideAndWhatIsNoFileIsLeftAsItIs) {
  Write("");
  std::string out = Output([] { options->Load(); });
  EXPECT_EQ(FileSize(Path() + ".bad"), 0);
  EXPECT_NE(out.find("it is empty"), std::string::npos) << out;
  EXPECT_EQ(Read(Path()), kDefaultFile);
  EXPECT_EQ(options->soundVol, 0.7f);
  DeleteFile(Path() + ".bad");
  DeleteFile(Path());

  for (const test_support::NotAFile& odd : test_support::kNotAFiles) {
    SCOPED_TRACE(odd.what);
    ASSERT_TRUE(odd.make(Path()));
    options->soundVol = 0.0f;
    out = Output([] { options->Load(); });
    EXPECT_NE(out.find("left as it is"), std::string::npos) << out;
    EXPECT_EQ(options->soundVol, 0.7f);
    EXPECT_EQ(options->startingLevel, -1);
    Output([] { options->SaveOptionsOnly(); });
    EXPECT_EQ(test_support::KindAt(Path()), odd.what);
    EXPECT_EQ(FileType(Path() + ".bad"), FILETYPE_NONE);
    test_support::RemoveAt(Path());
  }
}

// The save while a quest is played (the whole game in progress, the file written once) is
// checked with the saved games.
TEST_F(OptionsFile, WithoutAQuestInPlayTheProfileIsNotWritten) {
  AddProfiles({u"anna"});
  profile->SetNumber(u"inMemory", 7, 0);
  saveToProfile = 0;
  saveOptions();
  Output([] { EXPECT_EQ(NumberOnDisk(u"inMemory"), 0); });
  EXPECT_EQ(FileType(Path()), FILETYPE_FILE);

  // The options-only save never touches the game in progress, even while a quest is played.
  saveToProfile = 1;
  options->SaveOptionsOnly();
  Output([] { EXPECT_EQ(NumberOnDisk(u"inMemory"), 0); });
  saveToProfile = 0;
}

TEST_F(OptionsFile, EndHookSavesTheOptionsWhenTheProgramEnds) {
  OnEnd(saveOnEnd);
  options->musicVol = 0.125f;
  EXPECT_THROW(End(), ProgramEnded);
  EXPECT_NE(Read(Path()).find("\tmusicVol=0.125000000\n"), std::string::npos);
}
