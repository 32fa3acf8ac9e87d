// The singletons and resources of the title's screens for the tests.
#include "program_title/title_fixtures.h"

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/graphics_mode.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "screens/menu/in_game_menu.h"
#include "program/main_loop.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/levels/slides_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "play/puzzle/puzzle_manager.h"
#include "play/ring/ring_game.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "profiles/hiscores.h"
#include "profiles/profile_manager.h"
#include "program/gallery.h"
#include "screens/map/map_core.h"
#include "play/mode_road.h"
#include "platform/input.h"
#include "screens/menu/options_window.h"
#include "screens/menu/board_selector.h"
#include "screens/popups/popup_manager.h"
#include "screens/profiles/profile_loader.h"
#include "program/loading.h"
#include "program/start_up.h"
#include "program/title_screen.h"
#include "support/board_game.h"
#include "support/game_fixtures.h"
#include "toolkit/comet.h"
#include "toolkit/container.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace title_test {

void MakeSingletons() {
  songManager = std::make_shared<TSongManager>();
  CreateGlobalObjects();
  deltaTime = TDeltaTime::Create(60.0f);
  soundQueue = CreateList<SoundQPtr>();
  gameState = 0;
  GetDataFolders();
  profile = TProfileManager::Create(myDocsFolder + "/profiles-levelpack", "dat");
  hiscore = THiscores::Create(myDocsFolder + "/data/hiscores.dat");
  gfxDriverSet = 0;
  test_support::OpenScreen();
}

void LoadTitleResources() {
  LoadProgramFonts();
  loadSparkImage(0, "gfx/gwiazdki/gradball.png");
  for (int k = 1; k <= 3; ++k) loadSparkImage(k, "gfx/gwiazdki/" + std::to_string(k) + ".png");
  optionsWindow->loadGfx();
  titleScreen->loadGfx();
  profileLoader->Load();
  mouse->loadCursor("gfx/gui/kursor.png", 14, 6);
  delta = 1.0;
}

void LeaveGamesAtOnce() {
  // What the games deal and draw.
  runes->loadRunesGfx();
  blocks->loadBlocksDef();
  board->loadBoardGfx();
  points->loadGfx();
  timeManager->LoadResources();
  // An Escape that reaches the open menu resumes the game: the next one waits until the last
  // has been read.
  constexpr int kEscapeReadFrames = 10;
  auto lastEscape = std::make_shared<int>(-kEscapeReadFrames);
  headless::SetFrameCallback([lastEscape](int frame) {
    if (timeManager->paused != 0) {
      // Onto the main-menu button first; the click once the pointer is there.
      int x = 0, y = 0;
      test_support::InGameMenuButton(kMenuMainMenu, x, y);
      if (MouseX() == x && MouseY() == y) headless::MouseClickAt(frame, 1);
      else headless::MouseMoveAt(frame, x, y);
    } else if (frame - *lastEscape >= kEscapeReadFrames) {
      headless::KeyPressAt(frame, KEY_ESCAPE);
      *lastEscape = frame;
    }
  });
}

int FramesOf(const std::function<void()>& run) {
  const int before = headless::FrameNumber();
  run();
  return headless::FrameNumber() - before;
}

float DrawnAlpha(int x, int y, int pictureRed) {
  return static_cast<float>(test_support::Red(test_support::ScreenPixel(x, y))) /
         static_cast<float>(pictureRed);
}

}  // namespace title_test
