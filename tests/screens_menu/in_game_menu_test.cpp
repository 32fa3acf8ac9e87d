// The board games' pause menu run headless over a small level: each scripted way out and what it
// leaves behind, the level clock and the petrification clock across a long pause, the music
// under the menu, and the help button's tutorials.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/mouse.h"
#include "services/options.h"
#include "services/song_manager.h"
#include "support/sound_fixtures.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "screens/menu/in_game_menu.h"
#include "screens/menu/options_window.h"
#include "screens/menu/volume_bar.h"
#include "screens/tutorial/tutorial.h"
#include "support/board_game.h"
#include "support/game_fixtures.h"
#include "toolkit/container.h"

namespace {

// Where the scripted pointer goes: the centres of the menu's buttons and of two buttons of the
// in-game options.
struct Point {
  int x, y;
};
constexpr Point kResume{400, 240};
constexpr Point kRestart{400, 270};
constexpr Point kOptions{400, 300};
constexpr Point kHelp{400, 330};
constexpr Point kMainMenu{400, 360};
constexpr Point kOptionsBack{400, 368};
constexpr Point kMusicUp{497, 213};

constexpr int kBossGoal = 3;
constexpr int16_t kMusicLevel = 10000;

class PauseMenu : public testing::Test {
 public:
  void SetUp() override {
    test_support::OpenScreen();
    test_support::MakeBoardGame();
    headless::SetFrameCap(headless::FrameNumber() + 5000);
    const std::string path = test_support::WriteLevelFile(
        "pause.tsc",
        "    Number = 3\n    GoalType = 1\n    AvailableRunes = \"1\"\n"
        "    AvailableBlocks = \"1\"\n    AvailableSpells = \"\"\n    PetrifyTime = 20000\n"
        "    Time = 200\n",
        {"000111", "000111"});
    level->Set(FromUtf8(path));
    level->Load(0);
    level->loadGfx();
    board->createBoardImage(1);
    timeManager->Reset(0);
    options->soundVol = 0.0f;  // no click sound in the mix
    start_ = headless::FrameNumber();
  }
  void TearDown() override {
    headless::SetFrameCallback(nullptr);
    StopAllChannels();
  }

  // The frame number `n` frames after the menu opened: an event given for it is read by the
  // menu's n-th frame (from 0).
  int At(int n) const { return start_ + n; }
  // The pointer onto `p` at frame n, the click on the frame after.
  void Click(int n, Point p) const {
    headless::MouseMoveAt(At(n), p.x, p.y);
    headless::MouseClickAt(At(n + 1), 1);
  }
  // Runs `watch` after every frame shown, with the frame count since the menu opened.
  void Watch(std::function<void(int)> watch) const {
    const int start = start_;
    headless::SetFrameCallback([start, watch](int frame) { watch(frame - start); });
  }

  // A music stream playing a constant level at the channel volume `volume`, lent to the level.
  static AudioStreamPtr LevelMusic(float volume) {
    auto song = std::make_shared<TMusicFile>();
    song->sound = app_test::ConstantSound(kMusicLevel, true);
    song->channel = PlaySound(song->sound);
    SetChannelVolume(song->channel, volume);
    auto stream = std::make_shared<TAudioStream>();
    stream->song = song;
    level->music = stream;
    return stream;
  }

  // What the menu must leave behind, whatever closed it: none of its buttons or those of the
  // in-game options, no music lent, and nothing for the game's next frame to act on.
  static void ExpectLeftClean() {
    for (int key = 20; key <= 25; ++key) EXPECT_FALSE(data->GetButton(key)) << key;
    for (int key = 40; key <= 46; ++key) EXPECT_FALSE(data->GetButton(key)) << key;
    EXPECT_EQ(optionsWindow->levelMusic, nullptr);
    EXPECT_EQ(mouse->hit1, 0);
    // The game's next frame.
    PollSystem();
    mouse->fetchState();
    EXPECT_EQ(mouse->hit1, 0);
    EXPECT_EQ(KeyHit(KEY_ESCAPE), 0);
    EXPECT_EQ(KeyHit(KEY_P), 0);
    EXPECT_EQ(AppTerminate(), 0);
  }

  int start_ = 0;
};

TEST_F(PauseMenu, EachWayOutAnswersItsChoiceAndLeavesNothingForTheGame) {
  struct Case {
    const char* name;
    std::function<void(const PauseMenu&)> script;
    int32_t result;
    bool throughOptions;  // the in-game options were shown on the way
  };
  const std::vector<Case> cases = {
      {"resume", [](const PauseMenu& t) { t.Click(1, kResume); }, 0, false},
      {"restart", [](const PauseMenu& t) { t.Click(1, kRestart); }, 2, false},
      {"main menu", [](const PauseMenu& t) { t.Click(1, kMainMenu); }, 3, false},
      {"options, back, resume",
       [](const PauseMenu& t) {
         t.Click(1, kOptions);
         t.Click(5, kOptionsBack);
         t.Click(9, kResume);
       },
       0, true},
      {"Escape in the menu", [](const PauseMenu& t) { headless::KeyPressAt(t.At(2), KEY_ESCAPE); },
       0, false},
      {"Escape in the options",
       [](const PauseMenu& t) {
         t.Click(1, kOptions);
         headless::KeyPressAt(t.At(5), KEY_ESCAPE);
       },
       0, true},
      {"a close request in the menu",
       [](const PauseMenu& t) { headless::CloseRequestAt(t.At(2)); }, 4, false},
      {"a close request in the options",
       [](const PauseMenu& t) {
         t.Click(1, kOptions);
         headless::CloseRequestAt(t.At(5));
       },
       4, true},
      {"a close request and Escape in one frame: Escape decides",
       [](const PauseMenu& t) {
         headless::CloseRequestAt(t.At(2));
         headless::KeyPressAt(t.At(2), KEY_ESCAPE);
       },
       0, false},
      {"Escape with a click on restart: Escape decides, the click goes",
       [](const PauseMenu& t) {
         headless::MouseMoveAt(t.At(1), kRestart.x, kRestart.y);
         headless::MouseClickAt(t.At(3), 1);
         headless::KeyPressAt(t.At(3), KEY_ESCAPE);
       },
       0, false},
      {"a click on resume with P: the key goes",
       [](const PauseMenu& t) {
         t.Click(1, kResume);
         headless::KeyPressAt(t.At(2), KEY_P);
       },
       0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::ClearScript();
    start_ = headless::FrameNumber();
    c.script(*this);
    bool sawOptions = false;
    float firstAlpha = -1.0f;
    Watch([&](int n) {
      if (n == 1) firstAlpha = optionsWindow->alpha;
      if (optionsWindow->state == TOptionsWindow::kInGameOptions) sawOptions = true;
    });
    LevelMusic(0.5f);
    EXPECT_EQ(showInGameMenu(1), c.result);
    EXPECT_EQ(sawOptions, c.throughOptions);
    EXPECT_EQ(firstAlpha, 0.02f) << "every opening fades in from transparent";
    ExpectLeftClean();
  }
}

TEST_F(PauseMenu, ThePauseKeepsTheLevelClockAndThePetrificationClock) {
  // 30 s into the level, 15 s since the last petrification of a 20 s interval, a rune to petrify.
  headless::AdvanceClock(30000);
  timeManager->Update();
  const int32_t elapsed = timeManager->elapsed;
  ASSERT_GT(elapsed, 29000);
  board->runeIds[3][0] = 1;
  board->placedAt[3][0] = MilliSecs();
  board->lastPetrify = ClockBefore(MilliSecs(), 15000);

  bool petrifiedInPause = false;
  Watch([&](int n) {
    if (n == 2) headless::AdvanceClock(5 * 60000);  // five minutes in the menu
    if (board->petrifyRunning != 0) petrifiedInPause = true;
  });
  headless::KeyPressAt(At(10), KEY_ESCAPE);
  EXPECT_EQ(showInGameMenu(3), 0);
  EXPECT_FALSE(petrifiedInPause);
  EXPECT_EQ(timeManager->paused, 0);
  EXPECT_EQ(timeManager->elapsed, elapsed) << "the same time is left";
  EXPECT_EQ(ElapsedMs(MilliSecs(), board->lastPetrify), 15000);
  // The next petrification comes 5 s later, as it would have without the pause.
  headless::AdvanceClock(4999);
  board->_checkForPetrify(0);
  EXPECT_EQ(board->petrifyRunning, 0);
  headless::AdvanceClock(2);
  board->_checkForPetrify(0);
  EXPECT_EQ(board->petrifyRunning, 1);
}

TEST_F(PauseMenu, TheMusicPlaysOnAndAVolumeChangeIsHeardAtOnceAndKept) {
  options->musicVol = 0.5f;
  const AudioStreamPtr music = LevelMusic(0.5f);
  int inMenu = -1, afterChange = -1;
  AudioStreamPtr lent;
  Watch([&](int n) {
    if (n == 2) {
      inMenu = app_test::MixedLevel();
      lent = optionsWindow->levelMusic;
    }
    if (n == 9) afterChange = app_test::MixedLevel();
  });
  Click(2, kOptions);
  Click(6, kMusicUp);
  headless::KeyPressAt(At(10), KEY_ESCAPE);
  EXPECT_EQ(showInGameMenu(1), 0);
  EXPECT_EQ(lent, music);
  EXPECT_NEAR(inMenu, kMusicLevel * 0.5, 1.0);
  EXPECT_EQ(options->musicVol, volume_bar::StepUp(0.5f));
  EXPECT_NEAR(afterChange, kMusicLevel * options->musicVol, 1.0);
  EXPECT_NEAR(app_test::MixedLevel(), kMusicLevel * options->musicVol, 1.0);
}

TEST_F(PauseMenu, ALevelWithoutMusicPausesAndResumes) {
  level->music = nullptr;
  headless::KeyPressAt(At(3), KEY_ESCAPE);
  EXPECT_EQ(showInGameMenu(1), 0);
  ExpectLeftClean();
}

TEST_F(PauseMenu, HelpShowsTheBossTutorialOnABossLevelElseTheMainOneAndTheMenuStaysOpen) {
  struct Case {
    const char* name;
    int goal;
    int showTutorial;  // the profile's switch of the main tutorial
    bool closeInTutorial;
    bool boss, main;  // which tutorial ran
    int32_t result;
  };
  const Case cases[] = {
      {"a boss level", kBossGoal, 1, false, true, false, 0},
      {"another level", 1, 1, false, false, true, 0},
      {"another level, the main tutorial switched off", 1, 0, false, false, false, 0},
      {"a close request in the main tutorial", 1, 1, true, false, true, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::ClearScript();
    start_ = headless::FrameNumber();
    tutorial = std::make_shared<TTutorial>();
    level->goalType = c.goal;
    profile->SetNumber(u"showTutorial", c.showTutorial, 0);
    bool boss = false, main = false, menuBack = false;
    Watch([&](int n) {
      if (tutorial->bossValues[0] > 0.0f) boss = true;
      if (tutorial->demoAngle > 0.0f) main = true;
      if (n == 40)
        menuBack = optionsWindow->state == TOptionsWindow::kInGameMenu && data->GetButton(20);
    });
    Click(1, kHelp);
    if (c.closeInTutorial) {
      headless::CloseRequestAt(At(20));
    } else {
      headless::KeyPressAt(At(20), KEY_ESCAPE);  // leaves the tutorial, or the menu without one
      headless::KeyPressAt(At(45), KEY_ESCAPE);
    }
    EXPECT_EQ(showInGameMenu(1), c.result);
    EXPECT_EQ(boss, c.boss);
    EXPECT_EQ(main, c.main);
    if (!c.closeInTutorial && (c.boss || c.main)) {
      EXPECT_TRUE(menuBack) << "the menu is open again after the tutorial";
    }
    ExpectLeftClean();
  }
}

}  // namespace
