// The level selector through the title's own loop, driven by scripted clicks on the real
// buttons: opening per mode, stepping, switching lists, going back, and play, which starts the
// endless or time-attack game on the chosen board; in that game the pause menu resumes,
// restarts, leaves for the title and quits. Play on an empty list hands the mode an empty name.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "services/mouse.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/saved/new_profile.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "platform/errors.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/list.h"
#include "profiles/profile_manager.h"
#include "screens/menu/board_selector.h"
#include "screens/menu/options_window.h"
#include "program/title_screen.h"
#include "program_title/title_fixtures.h"
#include "support/board_game.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace {

// One step of a script: it waits until `ready` holds (and a few frames since the last step),
// then `act` gives the input.
struct Step {
  std::function<bool()> ready;
  std::function<void(int frame)> act;
};

class SelectorThroughTheTitle : public testing::Test {
 public:
  void SetUp() override {
    title_test::MakeSingletons();
    title_test::LoadTitleResources();
    runes->loadRunesGfx();
    blocks->loadBlocksDef();
    board->loadBoardGfx();
    points->loadGfx();
    timeManager->LoadResources();
    // A new player as the profile screen makes one: the first quest level revealed.
    ASSERT_EQ(CreateNewProfile(u"wren"), 0);
    headless::SetFrameCap(headless::FrameNumber() + 6000);
  }
  void TearDown() override {
    headless::SetFrameCallback(nullptr);
    TSpark::destroyAll();
  }

  // Runs the title with the script; true when the program ended. Every step must have run.
  bool Run(std::vector<Step> steps) {
    size_t next = 0;
    int lastAct = 0;
    headless::SetFrameCallback([&](int frame) {
      if (next >= steps.size() || frame - lastAct < kStepGap || !steps[next].ready()) return;
      steps[next].act(frame);
      lastAct = frame;
      ++next;
    });
    titleScreen->Prepare();
    bool ended = false;
    try {
      titleScreen->show();
    } catch (const ProgramEnded&) {
      ended = true;
    }
    headless::SetFrameCallback(nullptr);
    EXPECT_EQ(next, steps.size()) << "steps run";
    return ended;
  }

  // The menu window shows `state` and has faded in enough to be read.
  static std::function<bool()> Shows(int state) {
    return [state] { return optionsWindow->state == state && optionsWindow->alpha > 0.5f; };
  }
  static std::function<bool()> InGame() {
    return [] { return points->levelActive != 0 && timeManager->paused == 0; };
  }
  static std::function<bool()> Paused() {
    return [] { return timeManager->paused != 0 && data->GetButton(20) != nullptr; };
  }
  // A click on the button of `key` of the screen on show: onto it now, the click a frame later.
  static std::function<void(int)> Click(int key, std::function<void()> before = nullptr) {
    return [key, before](int frame) {
      if (before) before();
      ButtonPtr b = data->GetButton(key);
      ASSERT_TRUE(b) << key;
      headless::MouseMoveAt(frame, static_cast<int>(b->dim->x), static_cast<int>(b->dim->y));
      headless::MouseClickAt(frame + 1, 1);
    };
  }
  static std::function<void(int)> Key(int key, std::function<void()> before = nullptr) {
    return [key, before](int frame) {
      if (before) before();
      headless::KeyPressAt(frame, key);
    };
  }
  static std::function<void(int)> Close(std::function<void()> before = nullptr) {
    return [before](int frame) {
      if (before) before();
      headless::CloseRequestAt(frame);
    };
  }
  static bool ButtonShown(int key) {
    ButtonPtr b = data->GetButton(key);
    return b && b->visible == 1 && b->enabled == 1;
  }

  static constexpr int kStepGap = 4;
};

using W = TOptionsWindow;
using Sel = TBoardSelector;

TEST_F(SelectorThroughTheTitle, ItOpensPerModeStepsSwitchesListsAndGoesBack) {
  std::vector<std::string> seen;
  auto note = [&](const std::string& what) { seen.push_back(what); };
  const std::vector<Step> steps = {
      {Shows(W::kMainMenu), Click(10)},
      {Shows(W::kModes), Click(62)},
      {Shows(W::kLevelSelector),
       Click(72,
             [&] {
               EXPECT_EQ(boardSelector->mode, Sel::kTimedLevels);
               EXPECT_TRUE(ButtonShown(75));
               EXPECT_FALSE(ButtonShown(76));
               EXPECT_EQ(ToUtf8(boardSelector->SelectedLevelName()), "level_timed_01.tsc");
               EXPECT_TRUE(boardSelector->previewShown());
               note("time attack");
             })},
      {[] { return boardSelector->selectedIndex == 1; }, Click(75)},  // the list on show
      {Shows(W::kLevelSelector), Click(73,
                                       [&] {
                                         EXPECT_EQ(boardSelector->mode, Sel::kTimedLevels);
                                         EXPECT_EQ(boardSelector->selectedIndex, 1);
                                         note("75 did nothing");
                                       })},
      {[] { return boardSelector->selectedIndex == 0; }, Click(74)},
      {[] { return boardSelector->mode == Sel::kQuestLevels; },
       Click(54,
             [&] {
               EXPECT_EQ(ToUtf8(boardSelector->SelectedLevelName()), "level_01.tsc");
               note("quest levels");
             })},
      {Shows(W::kMainMenu), Click(10)},
      {Shows(W::kModes), Click(63)},
      {Shows(W::kLevelSelector),
       Close([&] {
         EXPECT_EQ(boardSelector->mode, Sel::kEndlessLevels);
         EXPECT_EQ(boardSelector->selectedIndex, 0);
         EXPECT_FALSE(ButtonShown(75));
         EXPECT_TRUE(ButtonShown(76));
         note("endless");
       })},
  };
  EXPECT_TRUE(Run(steps));
  EXPECT_EQ(seen, (std::vector<std::string>{"time attack", "75 did nothing", "quest levels",
                                            "endless"}));
}

// Endless or time attack: the second board of the mode's list played, paused, resumed,
// restarted, left for the title with the game saved, continued, and quit by a close request.
void PlayTheSecondBoard(SelectorThroughTheTitle& t, int mode) {
  const int modeKey = mode == Sel::kEndlessLevels ? 63 : 62;
  const std::string second =
      mode == Sel::kEndlessLevels ? "level_endless_02.tsc" : "level_timed_02.tsc";
  std::vector<std::string> seen;
  using T = SelectorThroughTheTitle;
  const std::vector<Step> steps = {
      {T::Shows(W::kMainMenu), T::Click(10)},
      {T::Shows(W::kModes), T::Click(modeKey)},
      {T::Shows(W::kLevelSelector), T::Click(72)},
      {[] { return boardSelector->selectedIndex == 1; }, T::Click(71)},
      {T::InGame(), T::Key(KEY_ESCAPE,
                           [&] {
                             // The chosen board at its full size: nothing of the preview stays.
                             EXPECT_EQ(ToUtf8(level->fileName), second);
                             EXPECT_EQ(board->cellSize, 32);
                             EXPECT_EQ(board->scale, 1.0f);
                             // Placed from (240, 60), centred on its used cells.
                             EXPECT_GE(board->originX, 240);
                             EXPECT_LT(board->originX, 240 + 8 * 32);
                             EXPECT_GE(board->originY, 60);
                             EXPECT_LT(board->originY, 60 + 8 * 32);
                             seen.push_back("played");
                           })},
      {T::Paused(), T::Click(20)},
      {T::InGame(), T::Key(KEY_ESCAPE, [&] { seen.push_back("resumed"); })},
      {T::Paused(), T::Click(21)},
      {T::InGame(), T::Key(KEY_ESCAPE,
                           [&] {
                             EXPECT_LT(timeManager->elapsed, 1000) << "the time starts afresh";
                             seen.push_back("restarted");
                           })},
      {T::Paused(), T::Click(23)},
      {T::Shows(W::kMainMenu), T::Click(10,
                                        [&] {
                                          points->levelActive = 0;  // to see the next game start
                                          seen.push_back("title");
                                        })},
      {T::Shows(W::kModes), T::Click(modeKey)},
      // The game was saved: continue or new game first.
      {T::Shows(W::kContinueOrNew), T::Click(1)},
      {T::InGame(), T::Key(KEY_ESCAPE,
                           [&] {
                             EXPECT_EQ(ToUtf8(level->fileName), second);
                             seen.push_back("continued");
                           })},
      {T::Paused(), T::Close()},
  };
  EXPECT_TRUE(t.Run(steps)) << "the close request in the pause menu ends the program";
  EXPECT_EQ(seen, (std::vector<std::string>{"played", "resumed", "restarted", "title",
                                            "continued"}));
}

TEST_F(SelectorThroughTheTitle, AnEndlessGameStartsOnTheChosenBoardPausesResumesRestartsAndLeaves) {
  PlayTheSecondBoard(*this, Sel::kEndlessLevels);
}

TEST_F(SelectorThroughTheTitle, ATimeAttackGameStartsOnTheChosenBoardPausesResumesRestartsAndLeaves) {
  PlayTheSecondBoard(*this, Sel::kTimedLevels);
}

TEST_F(SelectorThroughTheTitle, PlayOnAnEmptyListReturnsAtOnceWithoutASavedGame) {
  profile->SetList(u"revealedLevels", CreateList<String>(), 0);
  const std::vector<Step> steps = {
      {Shows(W::kMainMenu), Click(10)},
      {Shows(W::kModes), Click(62)},
      {Shows(W::kLevelSelector), Click(74)},
      {[] { return boardSelector->mode == Sel::kQuestLevels; },
       Click(71, [] { EXPECT_EQ(boardSelector->SelectedLevelName(), u""); })},
      {[] { return optionsWindow->state == W::kMainMenu; },
       Close([] {
         EXPECT_EQ(level->fileName, u"") << "no game was loaded";
         EXPECT_LT(optionsWindow->alpha, 0.5f) << "the main menu fades in afresh";
       })},
  };
  EXPECT_TRUE(Run(steps));
}

TEST_F(SelectorThroughTheTitle, PlayOnAnEmptyListResumesTheSavedGameOfTheMode) {
  profile->SetList(u"revealedLevels", CreateList<String>(), 0);
  const std::string saved = "level_endless_03.tsc";
  profile->SetNumber(u"endlessResume", 1, 0);
  profile->SetString(u"endlessLevel", FromUtf8(saved), 0);
  bool resumed = false;
  const std::vector<Step> steps = {
      {Shows(W::kMainMenu), Click(10)},
      {Shows(W::kModes), Click(63)},
      {Shows(W::kContinueOrNew), Click(2)},  // a new game: the selector
      {Shows(W::kLevelSelector), Click(74)},
      {[] { return boardSelector->mode == Sel::kQuestLevels; }, Click(71)},
      {InGame(), Key(KEY_ESCAPE, [&] { resumed = ToUtf8(level->fileName) == saved; })},
      {Paused(), Close()},
  };
  EXPECT_TRUE(Run(steps));
  EXPECT_TRUE(resumed);
}

}  // namespace
