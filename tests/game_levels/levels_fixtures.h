// Small fixtures for the level tests: key/group stores and level files made from text, the
// game's singletons, solid pictures and captured output.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "program/main_loop.h"
#include "datafiles/tsc_file.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/levels/slides_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "play/puzzle/puzzle_manager.h"
#include "play/ring/ring_game.h"
#include "platform/headless.h"
#include "platform/pixmap.h"
#include "platform/text.h"
#include "screens/popups/popup_manager.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"

namespace levels {

using test_support::Output;
using test_support::Store;

// The singletons start-up creates, fresh. Data paths stay relative to the game folder unless
// a test points bundleDir elsewhere.
inline void MakeSingletons() {
  runes = std::make_shared<TRuneManager>();
  blocks = std::make_shared<TBlocksManager>();
  board = std::make_shared<TBoardManager>();
  level = std::make_shared<TLevelManager>();
  sequencer = std::make_shared<TLevelSequencer>();
  points = std::make_shared<TPointsManager>();
  slides = std::make_shared<TSlidesManager>();
  magicSphere = std::make_shared<TMagicSphere>();
  timeManager = std::make_shared<TTimeManager>();
  bossManager = std::make_shared<TBossManager>();
  puzzle = std::make_shared<TPuzzleManager>();
  ringGame = std::make_shared<TRingGame>();
  popupManager = std::make_shared<TPopupManager>();
  bundleDir = "";
  myDocsFolder = test_support::TempHome() + "/docs";
  gameState = 0;
}

// Writes a text file under the test's home folder and returns its path.
inline std::string WriteHomeFile(const std::string& relPath, const std::string& text) {
  const std::string path = test_support::TempHome() + "/" + relPath;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  EXPECT_TRUE(SaveText(FromUtf8(text), path));
  return path;
}

// Writes a small picture of one colour (a PNG, whatever the name's extension).
inline std::string WritePicture(const std::string& path, uint32_t argb) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  PixmapPtr pixmap = test_support::SolidPixmap(4, 4, argb);
  EXPECT_TRUE(SavePixmapPNG(pixmap, path));
  return path;
}

// The strings of a list, in order.
inline std::vector<std::string> Items(const TListPtr<String>& list) {
  std::vector<std::string> out;
  if (list)
    for (const String& item : *list) out.push_back(ToUtf8(item));
  return out;
}

// A complete level file: every key the loader reads, with the given extras.
inline std::string LevelText(const std::string& levelKeys, const std::string& extraGroups = "") {
  std::string rows;
  for (int k = 1; k <= 15; ++k)
    rows +=
        "  Line" + std::to_string(k) + " = \"" +
        std::string(k <= 4 ? "1 1 1 1 0 0 0 0 0 0 0 0 0 0 0" : "0 0 0 0 0 0 0 0 0 0 0 0 0 0 0") +
        "\"\n";
  return "Settings {\n  Level {\n" + levelKeys +
         "  }\n  Graphics {\n    BackgroundImage = \"gfx/slides/3a.jpg\"\n  }\n"
         "  Music {\n    Song = \"sfx/game-song-2.ogg\"\n  }\n}\n"
         "Board {\n" +
         rows + "}\n" + extraGroups;
}

}  // namespace levels
