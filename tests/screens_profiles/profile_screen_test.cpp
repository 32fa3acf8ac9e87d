// The profile screen driven by input scripts over a real profile folder: typing, the list's
// buttons, the limits, the refused names, and the current profile kept in step with the game.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include <string>

#include "services/data_folders.h"
#include "services/mouse.h"
#include "services/options.h"
#include "datafiles/tsc_file.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/points_manager.h"
#include "game/levels/slides_manager.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_fixtures.h"
#include "screens/menu/options_window.h"
#include "screens/profiles/profile_loader.h"
#include "program/title_screen.h"
#include "support/game_fixtures.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace {

using profile_test::Names;

class ProfileScreen : public testing::Test {
 protected:
  void SetUp() override {
    test_support::OpenScreen();
    profile = profile_test::MakeManager();
    options = std::make_shared<TOptions>();
    mouse = std::make_shared<TMouse>();
    LoadProgramFonts();
    for (int k = 0; k <= 3; ++k)
      loadSparkImage(k, k == 0 ? "gfx/gwiazdki/gradball.png"
                               : "gfx/gwiazdki/" + std::to_string(k) + ".png");
    optionsWindow = std::make_shared<TOptionsWindow>();
    optionsWindow->loadGfx();
    optionsWindow->x = TOptionsWindow::kOriginX;
    optionsWindow->y = TOptionsWindow::kOriginY;
    titleScreen = std::make_shared<TTitleScreen>();
    titleScreen->titleImage = LoadImage(std::string("gfx/title/glyphor-title.jpg"), 0);
    profileLoader = std::make_shared<TProfileLoader>();
    profileLoader->Load();
    sequencer = std::make_shared<TLevelSequencer>();
    points = std::make_shared<TPointsManager>();
    level = std::make_shared<TLevelManager>();
    slides = std::make_shared<TSlidesManager>();
    points->totalPoints = kNotLoaded;
    headless::SetFrameCap(headless::FrameNumber() + 600);
  }
  void TearDown() override { TSpark::destroyAll(); }

  static void Profiles(std::initializer_list<const char16_t*> names) {
    for (const char16_t* n : names) ASSERT_EQ(profile->NewProfile(n), 1);
    profile->SelectProfile(*names.begin());
  }
  // The current profile's progress was loaded into the game since the last call: its total
  // points replaced the mark.
  static constexpr int32_t kNotLoaded = -12345;
  static bool Loaded() {
    const bool loaded = points->totalPoints != kNotLoaded;
    points->totalPoints = kNotLoaded;
    return loaded;
  }
  static String Current() { return profile->current ? profile->current->name : u""; }
  // The remembered profile in the options file; "" when the file was not written.
  static std::string Remembered() {
    if (FileType(OptionsFilePath()) != 1) return "";
    TSCFilePtr tsc = CreateTSCFile();
    LoadTSCFile(tsc, OptionsFilePath());
    return ToUtf8(GetTSCStringKey(tsc, u"Settings", u"lastProfile", 0));
  }
  // A click at the middle of a menu button, `frame` frames from now.
  static void ClickButton(const MenuPtr& menu, int id, int frame) {
    ButtonPtr b = menu->GetItem(id);
    ASSERT_TRUE(b);
    const int f = headless::FrameNumber() + frame;
    headless::MouseMoveAt(f, static_cast<int>(b->dim->x + b->dim->width / 2),
                          static_cast<int>(b->dim->y + b->dim->height / 2));
    headless::MouseClickAt(f + 1, 1);
  }
  static int In(int frames) { return headless::FrameNumber() + frames; }
  // Frames of the screen outside show: Update, then Draw.
  static void Frames(int n) {
    for (int i = 0; i < n; ++i) {
      if (profileLoader->Update() == 1) return;
      profileLoader->Draw();
    }
  }
  static void OpenList() {
    profileLoader->UpdateList();
    profileLoader->mode = TProfileLoader::kList;
    profileLoader->selectedName = Current();
  }
};

TEST_F(ProfileScreen, TypingTakesLettersDigitsAndInnerSpacesInLowerCaseUpToTen) {
  struct Case {
    const char* name;
    const char16_t* typed;
    const char16_t* entry;
  };
  const Case cases[] = {
      {"upper case lowered", u"Ab 9", u"ab 9"},
      {"a leading space ignored", u" x", u"x"},
      {"trailing spaces stay", u"x  ", u"x  "},
      {"punctuation and other letters ignored", u"a.b!\u00e9-_c", u"abc"},
      {"ten at most", u"abcdefghijkl", u"abcdefghij"},
      {"a backspace makes room", u"abcdefghijk\bz", u"abcdefghiz"},
      {"backspace on an empty entry", u"\b\ba", u"a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FlushKeys();
    profileLoader->entryText->text.clear();
    headless::TypeAt(In(0), c.typed);
    // One character a frame.
    const int n = static_cast<int>(std::u16string(c.typed).size());
    for (int i = 0; i < n; ++i) {
      PollSystem();
      profileLoader->UpdateText();
      Flip();
    }
    EXPECT_EQ(profileLoader->entryText->text, c.entry);
  }
}

TEST_F(ProfileScreen, FirstRunIgnoresEscapeAndEndsByCreatingTheTypedProfile) {
  ASSERT_EQ(profile->GetProfilesList()->Count(), 0);
  headless::KeyPressAt(In(3), KEY_ESCAPE);
  headless::TypeAt(In(5), u"Wren");
  headless::KeyPressAt(In(12), KEY_ENTER);
  int modeAtEscape = 0;
  const int afterEscape = In(6);
  headless::SetFrameCallback([&](int frame) {
    if (frame == afterEscape) modeAtEscape = profileLoader->mode;
  });
  EXPECT_EQ(profileLoader->show(TProfileLoader::kFirstRun), 0);
  headless::SetFrameCallback(nullptr);
  EXPECT_EQ(modeAtEscape, TProfileLoader::kFirstRun);
  EXPECT_EQ(Names(profile->GetProfilesList()), (std::vector<String>{u"wren"}));
  EXPECT_EQ(Current(), u"wren");
  EXPECT_EQ(FileType(profile_test::Folder() + "/wren.dat"), 1);
  EXPECT_EQ(Remembered(), "wren");
  EXPECT_TRUE(Loaded());
  EXPECT_GT(profileLoader->fadeAlpha, 0.0f);
}

// The profiles folder cannot take a file while it lives: read-only, and, since permissions do
// not hold for root, with a file size limit of 0 standing in for a full disk.
class UnwritableFolder {
 public:
  explicit UnwritableFolder(const std::string& folder) : folder_(folder) {
    chmod(folder_.c_str(), 0555);
    getrlimit(RLIMIT_FSIZE, &limit_);
    rlimit none = limit_;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &none);
    signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails instead of ending the tests
  }
  ~UnwritableFolder() {
    setrlimit(RLIMIT_FSIZE, &limit_);
    chmod(folder_.c_str(), 0755);
  }

 private:
  std::string folder_;
  rlimit limit_{};
};

// Standard output while `run` runs, through a pipe: the file-size limit would stop the test's
// usual capture, which goes through a file.
std::string PipedOutput(const std::function<void()>& run) {
  std::fflush(stdout);
  int ends[2];
  if (pipe(ends) != 0) return "";
  const int saved = dup(1);
  dup2(ends[1], 1);
  close(ends[1]);
  run();
  std::fflush(stdout);
  dup2(saved, 1);
  close(saved);
  std::string out;
  char buffer[4096];
  for (ssize_t n; (n = read(ends[0], buffer, sizeof buffer)) > 0;) out.append(buffer, n);
  close(ends[0]);
  return out;
}

// A first run whose profile cannot be written: no "name exist" (the name is free), a short
// "can not save" in the screen's font instead, the entry stays open for another try, and the
// output names the cause.
TEST_F(ProfileScreen, AFirstRunProfileThatCannotBeWrittenSaysSoAndTheEntryStaysOpen) {
  headless::TypeAt(In(5), u"Wren");
  headless::KeyPressAt(In(12), KEY_ENTER);
  headless::CloseRequestAt(In(30));
  int32_t mode = 0, notSaved = 0, nameExists = 0;
  const int looked = In(20);
  headless::SetFrameCallback([&](int frame) {
    if (frame != looked) return;
    mode = profileLoader->mode;
    notSaved = profileLoader->notSaved;
    nameExists = profileLoader->nameExists;
  });
  std::string out;
  {
    UnwritableFolder unwritable(profile_test::Folder());
    out = PipedOutput(
        [] { EXPECT_THROW(profileLoader->show(TProfileLoader::kFirstRun), ProgramEnded); });
  }
  headless::SetFrameCallback(nullptr);
  EXPECT_EQ(mode, TProfileLoader::kFirstRun);
  EXPECT_EQ(notSaved, 1);
  EXPECT_EQ(nameExists, 0);
  EXPECT_EQ(profileLoader->entryText->text, u"wren");
  EXPECT_FALSE(profile->current);
  EXPECT_EQ(profile->GetProfilesList()->Count(), 0);
  EXPECT_NE(out.find("wren.dat could not be written (File too large"), std::string::npos) << out;
  EXPECT_NE(out.find("No new profile \"wren\": its file could not be written"), std::string::npos)
      << out;
  EXPECT_EQ(profileLoader->notSavedText->text, u"can not save");
  EXPECT_EQ(profileLoader->notSavedText->font.bitmap, profileLoader->nameExistsText->font.bitmap);
  EXPECT_EQ(profileLoader->notSavedText->font.image, profileLoader->nameExistsText->font.image);
}

TEST_F(ProfileScreen, ANameTakenByAFileOfAnotherPortalIsRefusedAndNothingIsLoaded) {
  profile_test::WriteRaw("bob.dat", profile_test::Scrambled(profile_test::ProfileText("Other")));
  Profiles({u"ann"});
  profile->UpdateList();
  ASSERT_EQ(Names(profile->GetProfilesList()), (std::vector<String>{u"ann"}));
  OpenList();
  ClickButton(profileLoader->listMenu, TProfileLoader::kNew, 1);
  headless::TypeAt(In(4), u"bob");
  headless::KeyPressAt(In(9), KEY_ENTER);
  Frames(12);
  EXPECT_EQ(profileLoader->mode, TProfileLoader::kNewName);
  EXPECT_EQ(profileLoader->nameExists, 1);
  EXPECT_EQ(Current(), u"ann");
  EXPECT_FALSE(Loaded());
  EXPECT_EQ(Remembered(), "");
  // A backspace clears the warning; another name then goes through.
  headless::TypeAt(In(1), u"\bx");
  headless::KeyPressAt(In(4), KEY_ENTER);
  Frames(6);
  EXPECT_EQ(profileLoader->mode, TProfileLoader::kList);
  EXPECT_EQ(Current(), u"box");
  EXPECT_EQ(Remembered(), "box");
}

TEST_F(ProfileScreen, EnterAndEscapeInOneFrameGoBackToTheList) {
  Profiles({u"ann"});
  OpenList();
  profileLoader->nameExists = 1;  // left by an earlier entry
  ClickButton(profileLoader->listMenu, TProfileLoader::kNew, 1);
  Frames(3);
  EXPECT_EQ(profileLoader->mode, TProfileLoader::kNewName);
  EXPECT_EQ(profileLoader->nameExists, 0);  // no "name exist" over the empty entry
  headless::TypeAt(In(1), u"cy");
  headless::KeyPressAt(In(5), KEY_ENTER);
  headless::KeyPressAt(In(5), KEY_ESCAPE);
  Frames(7);
  EXPECT_EQ(profileLoader->mode, TProfileLoader::kList);
  EXPECT_EQ(Names(profile->GetProfilesList()), (std::vector<String>{u"ann"}));
}

TEST_F(ProfileScreen, NewAtNineAndTenNamesAndDeleteOfTheLastProfile) {
  struct Case {
    const char* name;
    int profiles;
    int button;
    int32_t mode;
  };
  const Case cases[] = {
      {"new with nine", 9, TProfileLoader::kNew, TProfileLoader::kNewName},
      {"new with ten", 10, TProfileLoader::kNew, TProfileLoader::kProfileLimit},
      {"delete with one", 1, TProfileLoader::kDelete, TProfileLoader::kLastProfile},
      {"delete with two", 2, TProfileLoader::kDelete, TProfileLoader::kDeleteConfirm},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const String& n : Names(profile->GetProfilesList())) profile->DeleteProfile(n);
    for (int i = 0; i < c.profiles; ++i) profile->NewProfile(FromUtf8("p" + std::to_string(i)));
    OpenList();
    ClickButton(profileLoader->listMenu, c.button, 1);
    Frames(3);
    EXPECT_EQ(profileLoader->mode, c.mode);
    // The messages go back to the list on Enter.
    if (c.mode == TProfileLoader::kProfileLimit || c.mode == TProfileLoader::kLastProfile) {
      headless::KeyPressAt(In(1), KEY_ENTER);
      Frames(3);
      EXPECT_EQ(profileLoader->mode, TProfileLoader::kList);
    }
    EXPECT_EQ(profile->GetProfilesList()->Count(), c.profiles);
  }
}

TEST_F(ProfileScreen, AClickWhereTwoNamesOverlapSelectsTheLowerOne) {
  Profiles({u"ann", u"bea", u"cy"});
  OpenList();
  struct Case {
    int y;
    const char16_t* selected;
  };
  // Rows at 254, 276, 298, each 30 high: 276..284 is in both the first and the second box.
  const Case cases[] = {{260, u"ann"}, {280, u"bea"}, {250, u"bea"}, {310, u"cy"},
                        {340, u"cy"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.y);
    headless::MouseMoveAt(In(0), 400, c.y);
    headless::MouseClickAt(In(1), 1);
    Frames(3);
    EXPECT_EQ(profileLoader->selectedName, c.selected);
  }
}

TEST_F(ProfileScreen, RenamingKeepsTheCurrentProfileCurrentUnderItsNewName) {
  // A file of another game's portal holds the name "bob".
  profile_test::WriteRaw("bob.dat", profile_test::Scrambled(profile_test::ProfileText("Other")));
  struct Case {
    const char* name;
    const char16_t* renamed;
    const char16_t* typed;       // after three backspaces
    int32_t modeAfter;
    const char16_t* selectedAfter;
    const char16_t* currentAfter;
    const char* remembered;
  };
  const Case cases[] = {
      {"the current one", u"bea", u"zed", TProfileLoader::kList, u"zed", u"zed", "zed"},
      {"another one", u"ann", u"zed", TProfileLoader::kList, u"zed", u"bea", ""},
      {"to a name the folder holds", u"ann", u"bob", TProfileLoader::kRename, u"ann", u"bea", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const String& n : Names(profile->GetProfilesList())) profile->DeleteProfile(n);
    DeleteFile(OptionsFilePath());
    Profiles({u"bea", u"ann"});
    OpenList();
    profileLoader->selectedName = c.renamed;
    ClickButton(profileLoader->listMenu, TProfileLoader::kRenameButton, 1);
    headless::TypeAt(In(4), String(u"\b\b\b") + c.typed);
    headless::KeyPressAt(In(12), KEY_ENTER);
    Frames(14);
    EXPECT_EQ(profileLoader->mode, c.modeAfter);
    EXPECT_EQ(profileLoader->selectedName, c.selectedAfter);
    EXPECT_EQ(Current(), c.currentAfter);
    EXPECT_EQ(Remembered(), c.remembered);
    if (c.modeAfter == TProfileLoader::kRename) {
      EXPECT_EQ(profileLoader->nameExists, 1);
      EXPECT_EQ(Names(profile->GetProfilesList()), (std::vector<String>{u"ann", u"bea"}));
      headless::KeyPressAt(In(1), KEY_ESCAPE);
      Frames(3);
    }
  }
}

TEST_F(ProfileScreen, DeletingTheCurrentProfileLoadsAndRemembersTheNewCurrentOne) {
  Profiles({u"bea", u"ann", u"cy"});
  profile->SelectProfile(u"bea");
  OpenList();
  ClickButton(profileLoader->listMenu, TProfileLoader::kDelete, 1);
  headless::KeyPressAt(In(5), KEY_ENTER);
  Frames(7);
  EXPECT_EQ(profileLoader->mode, TProfileLoader::kList);
  EXPECT_EQ(Names(profile->GetProfilesList()), (std::vector<String>{u"ann", u"cy"}));
  EXPECT_EQ(Current(), u"ann");
  EXPECT_EQ(profileLoader->selectedName, u"ann");
  EXPECT_TRUE(Loaded());
  EXPECT_EQ(Remembered(), "ann");
  // Deleting another profile keeps the current one and loads nothing.
  profileLoader->selectedName = u"cy";
  ClickButton(profileLoader->listMenu, TProfileLoader::kDelete, 1);
  headless::KeyPressAt(In(5), KEY_ENTER);
  Frames(7);
  EXPECT_EQ(Current(), u"ann");
  EXPECT_FALSE(Loaded());
}

TEST_F(ProfileScreen, ACreationStaysLoadedAfterCancelAndNothingLeaksPastTheScreen) {
  Profiles({u"ann"});
  ClickButton(profileLoader->listMenu, TProfileLoader::kNew, 2);
  headless::TypeAt(In(6), u"dee");
  headless::KeyPressAt(In(12), KEY_ENTER);
  ClickButton(profileLoader->listMenu, TProfileLoader::kCancel, 16);
  headless::KeyPressAt(In(17), KEY_ENTER);  // still down when the screen ends
  headless::TypeAt(In(17), u"q");
  EXPECT_EQ(profileLoader->show(TProfileLoader::kList), 0);
  EXPECT_EQ(Current(), u"dee");
  EXPECT_TRUE(Loaded());
  EXPECT_EQ(Remembered(), "dee");
  EXPECT_EQ(mouse->hit1, 0);
  EXPECT_EQ(GetChar(), 0);
  EXPECT_EQ(KeyHit(KEY_ENTER), 0);
}

TEST_F(ProfileScreen, OkSelectsLoadsAndRemembersTheClickedName) {
  Profiles({u"ann", u"bea"});
  headless::MouseMoveAt(In(2), 400, 285);
  headless::MouseClickAt(In(3), 1);
  ClickButton(profileLoader->listMenu, TProfileLoader::kOk, 5);
  profileLoader->show(TProfileLoader::kList);
  EXPECT_EQ(Current(), u"bea");
  EXPECT_TRUE(Loaded());
  EXPECT_EQ(Remembered(), "bea");
}

TEST_F(ProfileScreen, ACloseRequestEndsTheProgram) {
  Profiles({u"ann"});
  headless::CloseRequestAt(In(3));
  EXPECT_THROW(profileLoader->show(TProfileLoader::kList), ProgramEnded);
}

}  // namespace
