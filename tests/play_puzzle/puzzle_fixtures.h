// Fixtures of the picture puzzle tests: the singletons a game needs, a board built from a
// picture of one colour, and a scripted player that clicks pieces.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "program/main_loop.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/points_manager.h"
#include "game/levels/slides_manager.h"
#include "play/puzzle/puzzle_manager.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/popups/popup_manager.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"
#include "toolkit/container.h"

namespace puzzle_test {

using test_support::Argb;
using test_support::Output;
using test_support::Store;

// The screen and the singletons a puzzle game uses, fresh.
inline void MakeGame() {
  test_support::OpenScreen();
  bundleDir = "";
  myDocsFolder = test_support::TempHome() + "/docs";
  puzzle = std::make_shared<TPuzzleManager>();
  points = std::make_shared<TPointsManager>();
  sequencer = std::make_shared<TLevelSequencer>();
  level = std::make_shared<TLevelManager>();
  slides = std::make_shared<TSlidesManager>();
  deltaTime = TDeltaTime::Create(60.0f);
  mouse = std::make_shared<TMouse>();
  options = std::make_shared<TOptions>();
  globalSnd = std::make_shared<TGlobalSnd>();
  popupManager = std::make_shared<TPopupManager>();
  data = std::make_shared<TContainer>();
  readFromProfile = 0;
  gameState = 1;
}

// A PNG picture of one colour under the test's home folder; returns its path.
inline std::string WritePicture(const std::string& relPath, int w, int h, uint32_t argb) {
  const std::string path = test_support::TempHome() + "/" + relPath;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  EXPECT_TRUE(SavePixmapPNG(test_support::SolidPixmap(w, h, argb), path));
  return path;
}

inline PuzzleButtonPtr Piece(int32_t index) { return puzzle->grid->Piece(index); }

// Moves pieces so that piece i stands on cells[i] (at rest).
inline void Arrange(const std::vector<int32_t>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    PuzzleButtonPtr piece = Piece(static_cast<int32_t>(i));
    piece->cell = piece->targetCell = cells[i];
    piece->SetPosition();
    piece->enabled = piece->IsInPlace() ? 0 : 1;
  }
}

// The centre of a piece's rectangle.
inline void PointAtPiece(const PuzzleButtonPtr& piece, int frame) {
  headless::MouseMoveAt(frame, static_cast<int>(piece->dim->x + piece->dim->width / 2),
                        static_cast<int>(piece->dim->y + piece->dim->height / 2));
}

}  // namespace puzzle_test
