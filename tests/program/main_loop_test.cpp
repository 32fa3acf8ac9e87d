// The main loop's states: the title's choices, the quest's levels of all three kinds, the map
// between them, and the save points, played against recording screens that answer from a script.
// Each title visit records the loop's flags and what the profile file holds at that moment.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "program/main_loop.h"
#include "services/options.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/saved/new_profile.h"
#include "game_saved/saved_fixtures.h"
#include "play/puzzle/puzzle_manager.h"
#include "play/ring/ring_game.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "screens/map/map_core.h"
#include "program/title_screen.h"
#include "screens/tutorial/tutorial.h"

namespace {

constexpr int32_t kLast = 9;  // the quest's last level index in these tests
constexpr int kBoard = 1, kPuzzle = 2, kRing = 3;

std::vector<std::string> g_log;
void Log(const std::string& line) { g_log.push_back(line); }

// What each recording screen answers, in order; an empty queue answers 0.
struct Answers {
  std::deque<int> titleChoices;  // exhausted: the title ends the program
  std::deque<int> levels;        // goGlyphor, puzzle and ring results
  std::deque<int> maps;
  int firstTutorial = 0;
  bool closeInBossTutorial = false;   // the real boss tutorial runs and gets a close request
  std::function<void()> atMap;        // runs inside every map shown
  std::function<void()> duringLevel;  // runs inside every level the loop plays
};
Answers g_answers;

int Next(std::deque<int>& queue) {
  if (queue.empty()) return 0;
  const int value = queue.front();
  queue.pop_front();
  return value;
}

int32_t DiskNumber(const char16_t* key) {
  ProfilePtr onDisk = TProfile::Create(profile->current->path);
  return onDisk ? onDisk->GetNumber(key) : -999;
}

// The loop's flags and the profile file's quest state, and whether the options were written
// since the last visit.
void LogTitleVisit() {
  const bool optionsWritten = FileType(OptionsFilePath()) == FILETYPE_FILE;
  DeleteFile(OptionsFilePath());
  Log("title save=" + std::to_string(saveToProfile) + " state=" + std::to_string(gameState) +
      " disk=" + std::to_string(DiskNumber(u"gameState")) + "@" +
      std::to_string(DiskNumber(u"level")) + (optionsWritten ? " options" : ""));
}

class RecordingTitle : public TTitleScreen {
 public:
  void show() override {
    LogTitleVisit();
    if (g_answers.titleChoices.empty()) End();
    choice = Next(g_answers.titleChoices);
  }
};

class RecordingTutorial : public TTutorial {
 public:
  int32_t show(int32_t fromLevel) override {
    Log("tutorial(" + std::to_string(fromLevel) + ")");
    return g_answers.firstTutorial;
  }
  int32_t show2(int32_t fromLevel) override {
    Log("bossTutorial(" + std::to_string(fromLevel) + ")");
    if (!g_answers.closeInBossTutorial) return 0;
    headless::CloseRequestAt(headless::FrameNumber() + 3);
    return TTutorial::show2(fromLevel);
  }
};

int32_t PlayLevel(const std::string& what) {
  Log(what);
  if (g_answers.duringLevel) g_answers.duringLevel();
  return Next(g_answers.levels);
}

class RecordingPuzzle : public TPuzzleManager {
 public:
  int32_t show(int32_t resume, const String& picture, int32_t fromGallery) override {
    return PlayLevel("puzzle(" + std::to_string(resume) + ",\"" + ToUtf8(picture) + "\"," +
                     std::to_string(fromGallery) + ")");
  }
};

class RecordingRing : public TRingGame {
 public:
  int32_t Play(int32_t resume) override { return PlayLevel("ring(" + std::to_string(resume) + ")"); }
};

class RecordingMap : public TMapCore {
 public:
  int32_t Show(int32_t finished) override {
    Log("map(" + std::to_string(finished) + ")");
    if (g_answers.atMap) g_answers.atMap();
    return Next(g_answers.maps);
  }
};

class RecordingLevel : public TLevelManager {
 public:
  void stopAndFreeMusic() override { Log("stopMusic"); }
};

// A sequence of kLast + 1 levels whose types the test gives (board levels by default).
class RecordingSequencer : public TLevelSequencer {
 public:
  std::map<int32_t, int32_t> types;
  void Start(int32_t at) override {
    currentLevel = at;
    firstLevel = 0;
    lastLevel = kLast;
  }
  int32_t setupLevel() override {
    Log("setup " + std::to_string(currentLevel));
    auto found = types.find(currentLevel);
    levelType = found == types.end() ? kBoard : found->second;
    return 1;
  }
};

class MainLoop : public testing::Test {
 protected:
  void SetUp() override {
    modes::MakeGame();
    CreateNewProfile(u"tamsin");
    ASSERT_TRUE(profile->current);
    g_log.clear();
    g_answers = Answers();
    titleScreen = std::make_shared<RecordingTitle>();
    tutorial = std::make_shared<RecordingTutorial>();
    puzzle = std::make_shared<RecordingPuzzle>();
    ringGame = std::make_shared<RecordingRing>();
    map = std::make_shared<RecordingMap>();
    level = std::make_shared<RecordingLevel>();
    seq = std::make_shared<RecordingSequencer>();
    sequencer = seq;
    options = std::make_shared<TOptions>();
    questLevelLoop = [](int32_t resume) { return PlayLevel("level(" + std::to_string(resume) + ")"); };
    quit = gameState = menuQuit = readFromProfile = saveToProfile = 0;
    board->gameOver = 0;
  }
  // The profile's quest as a continue finds it.
  static void SavedQuest(int32_t levelIndex, int32_t state) {
    profile->SetNumber(u"level", levelIndex, 0);
    profile->SetNumber(u"gameState", state, 1);
  }
  // Runs the main loop until the title has no choice left, and returns what happened.
  static std::vector<std::string> RunLoop() {
    DeleteFile(OptionsFilePath());
    EXPECT_THROW(RunGame(), ProgramEnded);
    return g_log;
  }
  std::shared_ptr<RecordingSequencer> seq;
};

using Lines = std::vector<std::string>;
constexpr int kContinue = TTitleScreen::kContinueQuest;
constexpr int kNew = TTitleScreen::kNewQuest;

TEST_F(MainLoop, NewQuestShowsTheTutorialThenPlaysFromTheFirstLevelAndSavesEachFinishedOne) {
  SavedQuest(5, 1);
  g_answers.titleChoices = {kNew};
  g_answers.levels = {0, 1};  // the first level is won, the second left for the menu
  g_answers.duringLevel = [] { Log("  state=" + std::to_string(gameState)); };
  EXPECT_EQ(RunLoop(), (Lines{"title save=0 state=0 disk=1@5", "tutorial(0)", "setup 0", "level(0)",
                          "  state=-3", "stopMusic", "map(0)", "setup 1", "level(0)", "  state=1",
                          "stopMusic", "title save=0 state=1 disk=2@0"}));
}

TEST_F(MainLoop, ContinueResumesOnlyTheFirstLevelAndPlaysEachKindByItsScreen) {
  SavedQuest(3, 1);
  seq->types = {{4, kPuzzle}, {5, kRing}, {6, 0}};
  g_answers.titleChoices = {kContinue};
  g_answers.levels = {0, 0, 0, 1};
  EXPECT_EQ(RunLoop(), (Lines{"title save=0 state=0 disk=1@3", "setup 3", "level(1)", "stopMusic",
                          "map(3)", "setup 4", "puzzle(0,\"\",0)", "map(4)", "setup 5", "ring(0)",
                          "map(5)", "setup 6", "level(0)", "stopMusic",
                          "title save=0 state=1 disk=2@5"}));
  EXPECT_EQ(readFromProfile, 0);
}

TEST_F(MainLoop, ContinueIntoAFinishedLevelShowsTheMapFirstAndLeavingItSavesTheGame) {
  SavedQuest(4, 2);
  g_answers.titleChoices = {kContinue, kContinue};
  g_answers.maps = {1, 0};
  g_answers.levels = {1};
  EXPECT_EQ(RunLoop(), (Lines{"title save=0 state=0 disk=2@4", "setup 4", "map(4)",
                          "title save=0 state=2 disk=2@4 options", "setup 4", "map(4)", "setup 5",
                          "level(0)", "stopMusic", "title save=0 state=1 disk=2@4"}));
}

TEST_F(MainLoop, TheBossTutorialComesBeforeLevelSevenOnEveryAttempt) {
  SavedQuest(7, 1);
  g_answers.titleChoices = {kContinue, kContinue};
  g_answers.levels = {1, 1};
  EXPECT_EQ(RunLoop(), (Lines{"title save=0 state=0 disk=1@7", "setup 7", "bossTutorial(0)",
                          "level(1)", "stopMusic", "title save=0 state=1 disk=1@7", "setup 7",
                          "bossTutorial(0)", "level(1)", "stopMusic",
                          "title save=0 state=1 disk=1@7"}));
}

TEST_F(MainLoop, TheLastLevelFinishedShowsNoMapAndAContinueComesStraightBack) {
  SavedQuest(kLast, 1);
  g_answers.titleChoices = {kContinue, kContinue};
  EXPECT_EQ(RunLoop(), (Lines{"title save=0 state=0 disk=1@9", "setup 9", "level(1)", "stopMusic",
                          "title save=0 state=2 disk=2@9", "setup 9",
                          "title save=0 state=2 disk=2@9"}));
}

// Quests the loop does not play: past the last level, none started, a damaged state.
TEST_F(MainLoop, QuestsThatCannotBePlayedHandBackWithSavingOff) {
  struct Case {
    int32_t level, state;
    Lines played;
  };
  const Case cases[] = {
      {kLast + 1, 1, {}},
      {3, 0, {}},
      {7, 5, {"setup 7", "setup 8", "setup 9"}},
  };
  for (const Case& c : cases) {
    g_log.clear();
    SavedQuest(c.level, c.state);
    g_answers.titleChoices = {kContinue};
    const std::string disk = std::to_string(c.state) + "@" + std::to_string(c.level);
    Lines expected = {"title save=0 state=" + std::to_string(gameState) + " disk=" + disk};
    expected.insert(expected.end(), c.played.begin(), c.played.end());
    expected.push_back("title save=0 state=" + std::to_string(c.state) + " disk=" + disk);
    EXPECT_EQ(RunLoop(), expected) << c.level << " " << c.state;
    EXPECT_EQ(saveToProfile, 0);
  }
}

TEST_F(MainLoop, AGameOverOnABoardLevelReturnsToTheTitle) {
  SavedQuest(2, 1);
  g_answers.titleChoices = {kContinue};
  g_answers.duringLevel = [] { board->gameOver = 1; };
  EXPECT_EQ(RunLoop(), (Lines{"title save=0 state=0 disk=1@2", "setup 2", "level(1)", "stopMusic",
                          "title save=0 state=1 disk=1@2"}));
}

// A game-over flag left behind by an endless or time-attack game does not spoil a mini-game.
TEST_F(MainLoop, AStaleGameOverFlagDoesNotEndAPuzzleOrRingLevel) {
  SavedQuest(4, 1);
  seq->types = {{4, kPuzzle}, {5, kRing}};
  board->gameOver = 1;
  g_answers.titleChoices = {kContinue};
  g_answers.levels = {0, 0, 1};
  EXPECT_EQ(RunLoop(), (Lines{"title save=0 state=0 disk=1@4", "setup 4", "puzzle(1,\"\",0)",
                          "map(4)", "setup 5", "ring(0)", "map(5)", "setup 6", "level(0)",
                          "stopMusic", "title save=0 state=1 disk=2@5"}));
}

TEST_F(MainLoop, WhileQuitIsSetTheQuestDoesNotRun) {
  SavedQuest(2, 1);
  g_answers.titleChoices = {kContinue, kContinue};
  g_answers.duringLevel = [] { quit = 1; };
  g_answers.levels = {1};
  EXPECT_EQ(RunLoop(), (Lines{"title save=0 state=0 disk=1@2", "setup 2", "level(1)", "stopMusic",
                          "title save=0 state=1 disk=1@2", "title save=0 state=1 disk=1@2"}));
}

// The flags are the quest's while a level runs, and the end routine saves the quest then.
TEST_F(MainLoop, SavingIsOnExactlyWhileTheQuestPlays) {
  SavedQuest(1, 1);
  g_answers.titleChoices = {kContinue};
  std::vector<int> duringLevels;
  g_answers.duringLevel = [&] { duringLevels.push_back(saveToProfile); };
  g_answers.levels = {0, 1};
  RunLoop();
  EXPECT_EQ(duringLevels, (std::vector<int>{1, 1}));
  EXPECT_EQ(saveToProfile, 0);
}

// A title that returns without a quest choice, or a close request during the first tutorial,
// ends the program; the profile's quest is then as it was.
TEST_F(MainLoop, AnEndBeforeTheQuestStartsLeavesTheProfileAlone) {
  struct Case {
    int choice, tutorial;
    Lines lines;
  };
  const Case cases[] = {
      {TTitleScreen::kNoChoice, 0, {"title save=0 state=0 disk=1@5"}},
      {kNew, 1, {"title save=0 state=0 disk=1@5", "tutorial(0)"}},
  };
  for (const Case& c : cases) {
    g_log.clear();
    SavedQuest(5, 1);
    profile->SetNumber(u"pointsActual", 1234, 1);
    g_answers.titleChoices = {c.choice, kContinue};
    g_answers.firstTutorial = c.tutorial;
    EXPECT_EQ(RunLoop(), c.lines) << c.choice;
    EXPECT_EQ(DiskNumber(u"gameState"), 1);
    EXPECT_EQ(DiskNumber(u"pointsActual"), 1234);
    EXPECT_EQ(saveToProfile, 0);
  }
}

// A close request during the boss tutorial ends the program before level 7 is set up or
// restored: the end routine saves the options only, and the profile keeps what the last save
// wrote. On a first approach that is level 6 finished (the map comes next on a continue); on a
// continue of a saved level-7 game, that game as it was.
TEST_F(MainLoop, ACloseDuringTheBossTutorialLeavesTheSavedQuestAsItWas) {
  struct Case {
    const char* what;
    int32_t savedLevel, savedState;
    Lines lines;
    int32_t diskLevel, diskState;
  };
  const Case cases[] = {
      {"first approach", 6, 1,
       {"title save=0 state=0 disk=1@6", "setup 6", "level(1)", "stopMusic", "map(6)", "setup 7",
        "bossTutorial(0)"},
       6, 2},
      {"continue of level 7", 7, 1,
       {"title save=0 state=0 disk=1@7", "setup 7", "bossTutorial(0)"}, 7, 1},
  };
  for (const Case& c : cases) {
    g_log.clear();
    g_answers = Answers();
    gameState = 0;
    SavedQuest(c.savedLevel, c.savedState);
    // What a level-7 game in progress leaves in the profile.
    profile->SetNumber(u"pointsActual", 4321, 0);
    profile->SetNumber(u"levelTime", 98765, 0);
    profile->SetNumber(u"levelMatches", 17, 1);
    std::vector<uint8_t> saved;
    ASSERT_TRUE(LoadBytes(profile->current->path, saved));
    // On a first approach the last save is the one of the finished level 6.
    g_answers.atMap = [&saved] { ASSERT_TRUE(LoadBytes(profile->current->path, saved)); };
    g_answers.closeInBossTutorial = true;
    g_answers.titleChoices = {kContinue};
    OnEnd(saveOnEnd);
    EXPECT_EQ(RunLoop(), c.lines) << c.what;
    std::vector<uint8_t> after;
    ASSERT_TRUE(LoadBytes(profile->current->path, after));
    EXPECT_TRUE(after == saved) << c.what << ": the profile file was written at the close";
    EXPECT_EQ(DiskNumber(u"level"), c.diskLevel) << c.what;
    EXPECT_EQ(DiskNumber(u"gameState"), c.diskState) << c.what;
    EXPECT_EQ(DiskNumber(u"levelTime"), 98765) << c.what;
    EXPECT_EQ(FileType(OptionsFilePath()), FILETYPE_FILE) << c.what << ": the options are saved";
  }
}

}  // namespace
