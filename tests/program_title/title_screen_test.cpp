// The title screen over the built game folder: its music, fade-in, greeting, sparks, the first
// profile typed in on an empty profiles folder, the menu commands, and the ways it ends.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "services/mouse.h"
#include "services/options.h"
#include "program/main_loop.h"
#include "datafiles/tsc_file.h"
#include "game/levels/level_manager.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "screens/menu/options_window.h"
#include "screens/menu/board_selector.h"
#include "program/title_screen.h"
#include "screens/title_sparks.h"
#include "program_title/title_fixtures.h"
#include "support/game_fixtures.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace {

class TitleScreen : public testing::Test {
 protected:
  void SetUp() override {
    title_test::MakeSingletons();
    title_test::LoadTitleResources();
    headless::SetFrameCap(headless::FrameNumber() + 3000);
  }
  void TearDown() override {
    headless::SetFrameCallback(nullptr);
    TSpark::destroyAll();
  }
  static void Player(const char16_t* name) {
    ASSERT_EQ(profile->NewProfile(name), 1);
    profile->SelectProfile(name);
  }
  static int In(int frames) { return headless::FrameNumber() + frames; }
  // A click in the middle of a button of the menu on show, `frames` from now.
  static void ClickMenuButton(int id, int frames) {
    ButtonPtr b = data->GetButton(id);
    ASSERT_TRUE(b) << id;
    headless::MouseMoveAt(In(frames), static_cast<int>((b->dim->Left() + b->dim->Right()) / 2),
                          static_cast<int>((b->dim->Top() + b->dim->Bottom()) / 2));
    headless::MouseClickAt(In(frames + 1), 1);
  }
  // Runs show; true when it ended the program.
  static bool Show() {
    titleScreen->Prepare();
    try {
      titleScreen->show();
    } catch (const ProgramEnded&) {
      return true;
    }
    return false;
  }
};

TEST_F(TitleScreen, MusicStartsOnceAndFromTheBeginningAfterAStop) {
  titleScreen->stopMusic();  // nothing playing: only the flag
  EXPECT_EQ(titleScreen->musicPlaying, 0);
  titleScreen->playMusic();
  const AudioStreamPtr first = titleScreen->music;
  ASSERT_TRUE(first);
  titleScreen->playMusic();
  EXPECT_EQ(titleScreen->music, first);
  titleScreen->stopMusic();
  EXPECT_FALSE(titleScreen->music);
  EXPECT_EQ(titleScreen->musicPlaying, 0);
  titleScreen->playMusic();
  EXPECT_TRUE(titleScreen->music);
  EXPECT_NE(titleScreen->music, first);
}

TEST_F(TitleScreen, ACloseRequestDuringTheFadeInQuitsOnceTheFadeEnds) {
  Player(u"wren");
  headless::CloseRequestAt(In(10));
  int sparks = 0;
  headless::SetFrameCallback([&](int) { sparks += SparkList->Count(); });
  int frames = 0;
  bool ended = false;
  frames = title_test::FramesOf([&] { ended = Show(); });
  EXPECT_TRUE(ended) << "no return into a level with a stale game state";
  EXPECT_EQ(frames, 51);
  EXPECT_EQ(sparks, 0) << "the fade-in shows only the picture";
  EXPECT_EQ(titleScreen->musicPlaying, 0);
}

TEST_F(TitleScreen, TheMenuFadesInWithTheBareNameCentredAndFollowsAProfileChange) {
  Player(u"wren");
  ASSERT_EQ(profile->NewProfile(u"ilse"), 1);
  profile->SelectProfile(u"wren");
  std::vector<String> names;
  std::vector<float> menuAlpha;
  int frame = 0;
  headless::SetFrameCallback([&](int) {
    ++frame;
    if (frame <= 51) return;
    names.push_back(optionsWindow->greeting->text);
    menuAlpha.push_back(optionsWindow->alpha);
    EXPECT_FLOAT_EQ(optionsWindow->greeting->dim->x, 400.0f - optionsWindow->greeting->Width() / 2);
    if (frame == 60) profile->SelectProfile(u"ilse");
    if (frame == 70) headless::CloseRequestAt(In(1));
  });
  EXPECT_TRUE(Show());
  ASSERT_GE(names.size(), 15u);
  EXPECT_EQ(names[0], u"wren");
  EXPECT_EQ(names[8], u"wren");
  EXPECT_EQ(names[9], u"ilse");
  EXPECT_NEAR(menuAlpha[0], 0.02f, 1e-6f);
  EXPECT_EQ(optionsWindow->state, TOptionsWindow::kMainMenu);
  EXPECT_EQ(optionsWindow->x, 229);
  EXPECT_EQ(optionsWindow->y, 200);
}

TEST_F(TitleScreen, OnAnEmptyProfilesFolderTheFirstNameIsTypedWrittenAndRemembered) {
  ASSERT_EQ(profile->GetProfilesList()->Count(), 0);
  headless::TypeAt(In(60), u"Morwen");
  headless::KeyPressAt(In(70), KEY_ENTER);
  float menuAlphaAfter = -1.0f;
  headless::SetFrameCallback([&](int) {
    if (menuAlphaAfter < 0.0f && profile->GetProfilesList()->Count() == 1 &&
        titleScreen->alpha == 1.0f) {
      menuAlphaAfter = optionsWindow->alpha;
      headless::CloseRequestAt(In(3));
    }
  });
  EXPECT_TRUE(Show());
  ASSERT_TRUE(profile->current);
  EXPECT_EQ(profile->current->name, u"morwen");
  EXPECT_EQ(FileType(myDocsFolder + "/profiles-levelpack/morwen.dat"), 1);
  TSCFilePtr tsc = CreateTSCFile();
  LoadTSCFile(tsc, OptionsFilePath());
  EXPECT_EQ(GetTSCStringKey(tsc, u"Settings", u"lastProfile"), u"morwen");
  EXPECT_GE(menuAlphaAfter, 1.0f) << "the menu shows at once after the first profile";
  EXPECT_EQ(optionsWindow->greeting->text, u"morwen");
}

TEST_F(TitleScreen, AClickOnPlayQuestWithoutAQuestStartsANewOneAndCleansUp) {
  Player(u"wren");
  level->difficulty = 3;
  bool clicked = false;
  headless::SetFrameCallback([&](int) {
    if (!clicked && optionsWindow->alpha >= 1.0f) {
      clicked = true;
      ClickMenuButton(61, 1);
    }
  });
  EXPECT_FALSE(Show());
  EXPECT_EQ(titleScreen->choice, TTitleScreen::kNewQuest);
  EXPECT_EQ(level->difficulty, 2);
  EXPECT_EQ(SparkList->Count(), 0);
  EXPECT_FALSE(optionsWindow->levelMusic);
  EXPECT_EQ(titleScreen->musicPlaying, 0);
}

TEST_F(TitleScreen, ACloseRequestInTheMenuQuitsOverAChoiceOfTheSameFrame) {
  Player(u"wren");
  bool clicked = false;
  headless::SetFrameCallback([&](int) {
    if (!clicked && optionsWindow->alpha >= 1.0f) {
      clicked = true;
      ClickMenuButton(61, 1);
      headless::CloseRequestAt(In(2));  // the frame of the click
    }
  });
  EXPECT_TRUE(Show());
  EXPECT_EQ(titleScreen->choice, TTitleScreen::kQuit);
}

// The commands, set as the menu window's result of a frame, one sequence per case.
TEST_F(TitleScreen, MenuCommandsMoveBetweenScreensAndSetTheChoice) {
  struct Case {
    const char* name;
    int gameStateNumber, timeResume, endlessResume;
    std::vector<int> ids;
    int32_t state;   // the menu window's screen afterwards
    int32_t choice;
    int32_t gameState;
  };
  using W = TOptionsWindow;
  constexpr int32_t kUntouched = -1;
  const Case cases[] = {
      {"play quest, none in progress", 0, 0, 0, {61}, W::kMainMenu, 3, 0},
      {"play quest, one in progress", 4, 0, 0, {61}, W::kContinueOrNew, 0, 4},
      {"continue the quest", 4, 0, 0, {61, 1}, W::kMainMenu, 1, 4},
      {"new game asks first", 4, 0, 0, {61, 2}, W::kNewGameConfirm, 0, 4},
      {"no goes back to continue or new", 4, 0, 0, {61, 2, 93}, W::kContinueOrNew, 0, 4},
      {"yes starts a new quest", 4, 0, 0, {61, 2, 92}, W::kNewGameConfirm, 3, 4},
      {"main menu from continue or new", 4, 0, 0, {61, 3}, W::kMainMenu, 0, 4},
      {"time attack without a saved game", 0, 0, 0, {10, 62}, W::kLevelSelector, 0, 0},
      {"time attack with a saved game", 0, 7, 0, {10, 62}, W::kContinueOrNew, 0, 7},
      {"endless, new game opens the selector", 0, 0, 9, {10, 63, 2}, W::kLevelSelector, 0, 9},
      {"resumed game returns to the main menu", 0, 0, 9, {10, 63, 1}, W::kMainMenu, 0, 9},
      {"selector back to main menu", 0, 0, 0, {10, 62, 54}, W::kMainMenu, 0, 0},
      {"options", 0, 0, 0, {15}, W::kOptions, 0, kUntouched},
      {"exit asks", 0, 0, 0, {11}, W::kExitConfirm, 0, kUntouched},
      {"exit no", 0, 0, 0, {11, 91}, W::kMainMenu, 0, kUntouched},
      {"exit yes", 0, 0, 0, {11, 90}, W::kExitConfirm, 2, kUntouched},
      {"an id of no command", 0, 0, 0, {46}, W::kMainMenu, 0, kUntouched},
  };
  Player(u"wren");
  title_test::LeaveGamesAtOnce();
  for (const Case& c : cases) {
    profile->SetNumber(u"gameState", c.gameStateNumber, 0);
    profile->SetNumber(u"timeResume", c.timeResume, 0);
    profile->SetNumber(u"endlessResume", c.endlessResume, 0);
    titleScreen->Prepare();
    level->difficulty = 1;
    gameState = kUntouched;
    optionsWindow->SetState(W::kMainMenu, 1, 229, 200);
    for (int id : c.ids) {
      optionsWindow->result = id;
      titleScreen->runCommands();
    }
    EXPECT_EQ(optionsWindow->state, c.state) << c.name;
    EXPECT_EQ(titleScreen->choice, c.choice) << c.name;
    EXPECT_EQ(gameState, c.gameState) << c.name;
    if (c.choice == TTitleScreen::kNewQuest) {
      EXPECT_EQ(level->difficulty, 2) << c.name;
    }
  }
}

TEST_F(TitleScreen, TheLevelSelectorOffersTheModesOwnListAndSwitchesOnlyToAnother) {
  Player(u"wren");
  auto run = [](std::initializer_list<int> ids) {
    for (int id : ids) {
      optionsWindow->result = id;
      titleScreen->runCommands();
    }
  };
  auto shown = [](int id) {
    ButtonPtr b = data->GetButton(id);
    return b && b->visible == 1 && b->enabled == 1;
  };
  optionsWindow->SetState(TOptionsWindow::kMainMenu, 1, 229, 200);
  run({10, 62});
  EXPECT_EQ(boardSelector->mode, TBoardSelector::kTimedLevels);
  EXPECT_TRUE(shown(75));
  EXPECT_FALSE(shown(76));
  const String first = boardSelector->SelectedLevelName();
  EXPECT_NE(first, u"");
  run({72});
  EXPECT_NE(boardSelector->SelectedLevelName(), first);
  run({75});  // the list shown: nothing changes
  EXPECT_NE(boardSelector->SelectedLevelName(), first);
  run({73});
  EXPECT_EQ(boardSelector->SelectedLevelName(), first);
  run({74});
  EXPECT_EQ(boardSelector->mode, TBoardSelector::kQuestLevels);
  run({54});  // leaving the selector takes its buttons away
  EXPECT_FALSE(data->GetButton(75));
  EXPECT_FALSE(data->GetButton(76));
  run({10, 63});
  EXPECT_EQ(boardSelector->mode, TBoardSelector::kEndlessLevels);
  EXPECT_FALSE(shown(75));
  EXPECT_TRUE(shown(76));
}

TEST_F(TitleScreen, AfterAGameTheTitleMusicIsBackAsTheMenusMusic) {
  Player(u"wren");
  title_test::LeaveGamesAtOnce();
  titleScreen->playMusic();
  const AudioStreamPtr before = titleScreen->music;
  optionsWindow->SetState(TOptionsWindow::kMainMenu, 1, 229, 200);
  for (int id : {10, 62, 71}) {
    optionsWindow->result = id;
    titleScreen->runCommands();
  }
  ASSERT_TRUE(titleScreen->music);
  EXPECT_NE(titleScreen->music, before) << "the game stopped it; the song starts again";
  EXPECT_EQ(optionsWindow->levelMusic, titleScreen->music);
  EXPECT_EQ(optionsWindow->state, TOptionsWindow::kMainMenu);
  EXPECT_EQ(optionsWindow->alpha, 0.0f);
}

TEST_F(TitleScreen, BurstSparksFallInTheirRegionsAndTheCursorSparkAtTheMouse) {
  int bursts = 0, left = 0;
  for (int i = 0; i < 2200; ++i) {
    const int before = SparkList->Count();
    EmitTitleBurstSpark();
    if (SparkList->Count() == before) continue;
    ++bursts;
    const SparkPtr s = SparkList->First();
    const bool isLeft = s->x >= 130 && s->x <= 225 && s->y >= 215 && s->y <= 475;
    const bool isRight = s->x >= 570 && s->x <= 800 && s->y >= 170 && s->y <= 400;
    EXPECT_TRUE(isLeft || isRight) << s->x << ", " << s->y;
    if (isLeft) ++left;
    EXPECT_EQ(s->alphaMode, 1);
    EXPECT_TRUE(s->image == sparkImages[1] || s->image == sparkImages[2] ||
                s->image == sparkImages[3]);
  }
  EXPECT_NEAR(bursts, 200, 50);
  EXPECT_NEAR(left, bursts / 3, 25);
  mouse->x = 300;
  mouse->y = 250;
  for (int i = 0; i < 50; ++i) {
    EmitCursorSpark();
    const SparkPtr s = SparkList->First();
    EXPECT_LE(std::abs(s->x - 300.0f), 2.0f);
    EXPECT_LE(std::abs(s->y - 250.0f), 2.0f);
    EXPECT_EQ(s->image, sparkImages[0]);
    EXPECT_EQ(s->alphaMode, 0);
  }
}

}  // namespace
