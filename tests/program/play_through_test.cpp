// Two runs of the whole game over one home folder, each the real start-up and main loop in a
// child process, in a scratch game folder that holds "cheats.txt" (G wins a level). The first
// run makes the first profile, starts a new quest, wins level 1, passes the map, leaves level 2
// for the menu and closes the window at the title; the second continues level 2 from the board
// the first one saved.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/process_fixtures.h"
#include "screens/menu/in_game_menu.h"
#include "program/main_loop.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/points_manager.h"
#include "game/levels/level_timer.h"
#include "play/mode_road.h"
#include "game/pieces/blocks_manager.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "profiles/profile_manager.h"
#include "screens/map/map_core.h"
#include "screens/menu/options_window.h"
#include "screens/profiles/profile_loader.h"
#include "program/title_screen.h"
#include "screens/tutorial/tutorial.h"
#include "support/board_game.h"
#include "support/scripted_player.h"
#include "toolkit/container.h"
#include "toolkit/menu.h"
#include "screens/popups/popup_manager.h"
#include "platform/files.h"

namespace {

namespace fs = std::filesystem;

// Frames one run may take at most.
constexpr int kRunFrames = 8000;
// The summary's phase that waits for a click.
constexpr int32_t kSummaryWaitsForClick = 8;
// Menu window buttons: the main menu's quest entry, the continue entry of continue-or-new.
constexpr int kPlayQuestButton = 61;
constexpr int kContinueButton = 1;
// Frames between two scripted inputs, so that each is read before the next.
constexpr int kInputGap = 10;
// Frames before an input that had no effect is given again.
constexpr int kRetryFrames = 60;

// The runes on the board, one digit group per cell, row by row.
std::string BoardRunes() {
  std::string text;
  for (int y = 0; y < kBoardCells; ++y)
    for (int x = 0; x < kBoardCells; ++x) text += std::to_string(board->runeIds[x][y]) + ",";
  return text;
}

bool HoldsBlock() { return blocks && blocks->currentBlock != nullptr; }

// What the player does in one run; every decision is taken from the screen's state after a
// frame has been shown, and every input goes to a later frame.
class Player {
 public:
  explicit Player(bool secondRun) : secondRun_(secondRun) {
    hands_.onFrame = [this](int frame) { return Look(frame); };
  }
  std::string report;  // lines for the parent process

 private:
  void Click(int frame, int x, int y) {
    headless::MouseMoveAt(frame + 1, x, y);
    headless::MouseClickAt(frame + 2, 1);
    next_ = frame + kInputGap;
  }
  // The button of the in-game menu that answers `choice`.
  void ClickInGameMenu(int frame, int choice) {
    int x = 0, y = 0;
    test_support::InGameMenuButton(choice, x, y);
    Click(frame, x, y);
  }
  void ClickButton(int frame, const ButtonPtr& b) {
    if (!b) return;
    Click(frame, static_cast<int>((b->dim->Left() + b->dim->Right()) / 2),
          static_cast<int>((b->dim->Top() + b->dim->Bottom()) / 2));
  }
  void Press(int frame, int key) {
    headless::KeyPressAt(frame + 1, key);
    next_ = frame + kInputGap;
  }
  // The title's music plays exactly while the title is on (a level left for the menu keeps its
  // own state, levelActive included, as it stood).
  bool AtTheTitle() const { return titleScreen->musicPlaying == 1; }

  // False keeps the board player's hands still this frame.
  bool Look(int frame) {
    if (frame < next_) return false;
    if (profileLoader->mode == TProfileLoader::kFirstRun && profileLoader->fadeAlpha >= 1.0f) {
      if (!named_) {
        named_ = true;
        headless::TypeAt(frame + 1, u"Wren");
        Press(frame + 3, KEY_ENTER);
      }
      return false;
    }
    if (tutorial->background) {
      // One Escape leaves the tutorial; more would reach the level and open its menu.
      if (frame >= tutorialEscape_) {
        Press(frame, KEY_ESCAPE);
        tutorialEscape_ = frame + kRetryFrames;
      }
      return false;
    }
    if (AtTheTitle()) {
      if (optionsWindow->alpha >= 1.0f) AtTitle(frame);
      return false;
    }
    if (points->levelActive != 0) return InLevel(frame);
    if (level->summaryPhase == kSummaryWaitsForClick) {
      Click(frame, 400, 300);
      return false;
    }
    if (map->music && map->finished == 0 && map->fadeAlpha >= 1.0f && !mapPassed_) {
      mapPassed_ = true;
      report += "map after " + std::to_string(sequencer->currentLevel) + "\n";
      ClickButton(frame, map->buttons->GetItem(kMapPlayButton));
      return false;
    }
    return false;
  }

  void AtTitle(int frame) {
    const int32_t state = optionsWindow->state;
    if (leftLevel_ || resumed_) {
      headless::CloseRequestAt(frame + 1);
      next_ = frame + kRunFrames;
    } else if (state == TOptionsWindow::kMainMenu) {
      ClickButton(frame, data->GetButton(kPlayQuestButton));
    } else if (state == TOptionsWindow::kContinueOrNew) {
      ClickButton(frame, data->GetButton(kContinueButton));
    }
  }

  // The board player's hands play on (and answer the information popups) but for the frames
  // when this run presses its keys.
  bool InLevel(int frame) {
    const int32_t index = sequencer->currentLevel;
    if (timeManager->paused != 0 && !leavingLevel_) {
      // A menu this run did not ask for: back to the level.
      ClickInGameMenu(frame, kMenuResume);
      return false;
    }
    if (!HoldsBlock()) return true;
    if (secondRun_) {
      if (!resumed_) {
        resumed_ = true;
        report += "resumed level " + std::to_string(index) + " " + BoardRunes() + "\n";
        headless::CloseRequestAt(frame + 1);
        next_ = frame + kRunFrames;
      }
      return false;
    }
    if (index == sequencer->firstLevel) {
      // G wins the level at the next goal test that reads it; a popup may hold the key first.
      if (!won_) report += "won level " + std::to_string(index) + "\n";
      won_ = true;
      Press(frame, KEY_G);
      return true;
    }
    // Level 2: a few blocks placed, then the in-game menu and its main-menu row.
    if (hands_.clicks() < 3) return true;
    leavingLevel_ = true;
    if (timeManager->paused != 0) {
      if (!leftLevel_) report += "left level " + std::to_string(index) + " " + BoardRunes() + "\n";
      leftLevel_ = true;
      ClickInGameMenu(frame, kMenuMainMenu);
    } else if (!leftLevel_) {
      Press(frame, KEY_ESCAPE);
    }
    return false;
  }

  test_support::ScriptedPlayer hands_;
  bool secondRun_;
  bool leavingLevel_ = false;  // the in-game menu is opened on purpose
  int tutorialEscape_ = 0;      // the frame from which Escape may be pressed again
  bool named_ = false, won_ = false, mapPassed_ = false, leftLevel_ = false, resumed_ = false;
  int next_ = 0;
};

// One run of the game in this process's child: the status and what the player saw.
app_test::ChildResult PlayRun(const std::string& game, const std::string& home, bool secondRun) {
  return app_test::RunForked([&] {
    setenv("HOME", home.c_str(), 1);
    if (chdir(game.c_str()) != 0) return 123;
    headless::SetFrameCap(headless::FrameNumber() + kRunFrames);
    headless::SetSparseDrawing(10);  // the player reads the game, not its pixels
    Player player(secondRun);
    const int status = RunProgram();
    std::printf("%sstatus %d\n", player.report.c_str(), status);
    return status;
  });
}

// The lines of `out` that begin with `prefix`, without it.
std::string Line(const std::string& out, const std::string& prefix) {
  const size_t at = out.find("\n" + prefix);
  const size_t begin = at == std::string::npos ? (out.rfind(prefix, 0) == 0 ? 0 : out.size())
                                               : at + 1;
  if (begin >= out.size()) return "";
  const size_t end = out.find('\n', begin);
  return out.substr(begin + prefix.size(), end - begin - prefix.size());
}

TEST(PlayThrough, ANewQuestWonOnceThenLeftIsContinuedInTheNextRunFromItsSavedBoard) {
  const std::string game = app_test::ScratchGame();
  std::ofstream(game + "/cheats.txt") << "";
  const std::string home = test_support::TempHome() + "/player";
  fs::create_directories(home);

  const app_test::ChildResult first = PlayRun(game, home, false);
  ASSERT_EQ(first.status, 0) << first.out << first.err;
  EXPECT_NE(first.out.find("won level 1\n"), std::string::npos) << first.out;
  EXPECT_NE(first.out.find("map after 1\n"), std::string::npos) << first.out;
  const std::string left = Line(first.out, "left level 2 ");
  ASSERT_NE(left, "") << first.out;

  const app_test::ChildResult second = PlayRun(game, home, true);
  ASSERT_EQ(second.status, 0) << second.out << second.err;
  EXPECT_EQ(Line(second.out, "resumed level 2 "), left) << second.out;
}

}  // namespace
