// Fixtures of the saved-game tests: the play singletons of the board tests, the record's other
// singletons, and a current profile "anna" in the test's own user data folder.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/data_folders.h"
#include "program/main_loop.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/slides_manager.h"
#include "game_board/board_play_fixtures.h"
#include "play/puzzle/puzzle_manager.h"
#include "profiles/profile_fixtures.h"

namespace modes {

using test_support::Output;

// Every singleton a saved game reaches, fresh, and the profile manager of a fresh folder scan.
inline void MakeGame() {
  play::MakePlay();
  sequencer = std::make_shared<TLevelSequencer>();
  slides = std::make_shared<TSlidesManager>();
  puzzle = std::make_shared<TPuzzleManager>();
  gameState = 0;
  bundleDir = "";  // the settings archive of the game folder names the portal
  GetDataFolders();
  profile = TProfileManager::Create(profile_test::Folder(), "dat");
}

// The game as a later start finds it: fresh singletons, the folder scanned again, anna current.
inline void Restart() {
  MakeGame();
  ASSERT_EQ(profile->SelectProfile(u"anna"), 1);
}

inline std::vector<std::string> Items(const TListPtr<String>& list) {
  std::vector<std::string> out;
  if (list)
    for (const String& item : *list) out.push_back(ToUtf8(item));
  return out;
}

}  // namespace modes
