// Fixtures for the tests of the game-mode loops: the board game made fresh with a frame cap,
// small level files, the scripted player, and the input that drives the in-game menu
// and the game-over popup.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "services/options.h"
#include "program/main_loop.h"
#include "profiles/hiscores.h"
#include "profiles/profile_manager.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "play/game_modes.h"
#include "game/pieces/blocks_manager.h"
#include "platform/errors.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "screens/popups/popup_manager.h"
#include "support/board_game.h"
#include "support/game_fixtures.h"
#include "support/scripted_player.h"

namespace modes_test {

using test_support::ScriptedPlayer;

// A strip of three cells dealt single runes of colour 1, with one vial of colour 1 that three
// cleared runes fill: three placements win it. `goal` and extra keys can be changed.
inline std::string StripLevel(const std::string& extraKeys = "", int goal = 1) {
  return test_support::WriteLevelFile(
      "strip.tsc",
      "    Number = 3\n    GoalType = " + std::to_string(goal) +
          "\n    AvailableRunes = \"1\"\n    AvailableBlocks = \"1\"\n"
          "    AvailableSpells = \"\"\n    PetrifyTime = 600000\n"
          "    SpheresColors = \"1 0 0 0 0\"\n    SpheresCapacities = \"3 0 0 0 0\"\n" +
          extraKeys,
      {"000000", "000000", "000000", "000111"});
}

// One cell dealt blocks of two runes: the held block never fits.
inline std::string CrampedLevel(const std::string& extraKeys = "") {
  return test_support::WriteLevelFile(
      "cramped.tsc",
      "    Number = 4\n    GoalType = 1\n    AvailableRunes = \"1 2\"\n"
      "    AvailableBlocks = \"2\"\n    AvailableSpells = \"\"\n    PetrifyTime = 600000\n"
      "    SpheresColors = \"1 0 0 0 0\"\n    SpheresCapacities = \"30 0 0 0 0\"\n" +
          extraKeys,
      {"", "", "", "", "", "0000001"});
}

// A square of six by six with three colours and small blocks: many placements before it fills.
inline std::string OpenLevel(const std::string& extraKeys = "") {
  return test_support::WriteLevelFile(
      "open.tsc",
      "    Number = 5\n    GoalType = 1\n    AvailableRunes = \"1 2 3\"\n"
      "    AvailableBlocks = \"1 2 3 4 5\"\n    AvailableSpells = \"\"\n"
      "    PetrifyTime = 600000\n    SpheresColors = \"1 2 3 0 0\"\n"
      "    SpheresCapacities = \"500 500 500 0 0\"\n" +
          extraKeys,
      {"", "", "", "0001111110", "0001111110", "0001111110", "0001111110", "0001111110",
       "0001111110"});
}

// A left click at (x, y) at `frame`.
inline void ClickAt(int frame, int x, int y) {
  headless::MouseMoveAt(frame, x, y);
  headless::MouseClickAt(frame, 1);
}
// The summary phase that waits for a click to go on.
constexpr int32_t kSummaryWaitsForClick = 8;
// Once the level has ended, the player clicks through its summary; false then (hands off the
// board), true while the level is played.
inline bool ClickThroughSummary(int frame) {
  if (points->levelActive != 0) return true;
  if (level->summaryPhase == kSummaryWaitsForClick && frame % 4 == 0) ClickAt(frame, 400, 300);
  return false;
}

// Frames of the game-over popup's opening zoom, which reads no input; a click given at the
// popup's first frame plus this is its first choice.
constexpr int kPopupZoomFrames = 40;
// Clicks on the game-over popup's retry button and its skip area.
inline void ClickRetry(int frame) {
  ClickAt(frame, static_cast<int>(TPopupManager::kRetryX) + 20,
          static_cast<int>(TPopupManager::kRetryY) + 10);
}
inline void ClickSkip(int frame) {
  ClickAt(frame, (TPopupManager::kSkipLeft + TPopupManager::kSkipRight) / 2,
          (TPopupManager::kSkipTop + TPopupManager::kSkipBottom) / 2);
}
// The in-game menu's answer `choice`, given from `frame` on.
inline void ClickMenu(int frame, int choice) { test_support::ChooseInGameMenu(frame, choice); }

class ModesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test_support::OpenScreen();
    // These tests play whole levels and read no pixels: nine frames in ten are left undrawn,
    // which is most of their time under the sanitizers.
    headless::SetSparseDrawing(10);
    test_support::MakeBoardGame();
    headless::SetFrameCap(20000);
    sequencer->currentLevel = 0;
    sequencer->lastLevel = 9;
    firstFrame_ = headless::FrameNumber();
  }

  // Frames shown since SetUp (the platform's frame numbers run on across the cases of a test).
  int Since(int frame) const { return frame - firstFrame_; }

  // A quest level set up as the sequencer leaves it.
  void QuestLevel(const std::string& path) {
    level->Set(FromUtf8(path));
    gameState = 1;
    level->Load(0);
    level->loadGfx();
    board->gameOver = 0;
  }

  // Runs a loop; true when it ended the program instead of returning (result then -1).
  template <typename Run>
  bool Ends(Run run, int& result) {
    try {
      result = run();
      return false;
    } catch (const ProgramEnded&) {
      result = -1;
      return true;
    }
  }

  // The names of the keys the game wrote into the current profile (all but the portal name),
  // in file order; from the file on disk when `written`.
  static std::vector<std::string> ProfileKeys(bool written = false) {
    ProfilePtr read = written ? TProfile::Create(profile->current->path) : profile->current;
    std::vector<std::string> names;
    if (!read) return names;
    for (const TSCKeyPtr& key : *read->tscFile->keys)
      if (ToUtf8(key->name) != "PortalName") names.push_back(ToUtf8(key->name));
    return names;
  }
  // The hiscore entries in table order (mode, then best first).
  static std::vector<TScore> Scores() {
    std::vector<TScore> entries;
    for (const ScorePtr& score : *hiscore->scores) entries.push_back(*score);
    return entries;
  }
  // The entries of the test's player.
  static std::vector<TScore> PlayerScores() {
    std::vector<TScore> entries;
    for (const TScore& score : Scores())
      if (ToUtf8(score.name) == "Tess") entries.push_back(score);
    return entries;
  }
  static int Number(const char* key) { return profile->GetNumber(FromUtf8(key)); }

 private:
  int firstFrame_ = 0;
};

}  // namespace modes_test
