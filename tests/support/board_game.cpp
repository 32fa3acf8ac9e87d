// The board game's singletons for play tests (see the header).
#include "support/board_game.h"

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "program/main_loop.h"
#include "profiles/hiscores.h"
#include "profiles/profile_manager.h"
#include "game/board/board_manager.h"
#include "game/board/stone_entity.h"
#include "game/levels/captions.h"
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
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/image_font.h"
#include "screens/menu/board_selector.h"
#include "screens/menu/options_window.h"
#include "screens/popups/popup_manager.h"
#include "program/title_screen.h"
#include "screens/tutorial/tutorial.h"
#include "toolkit/comet.h"
#include "toolkit/container.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace test_support {

void LoadScrollFontsAndSparks() {
  data = std::make_shared<TContainer>();
  ImagePtr top = LoadImage(std::string("gfx/gui/scroll_01.png"));
  if (top) SetImageHandle(top, 175, 55);
  ImagePtr middle = LoadImage(std::string("gfx/gui/scroll_02.png"));
  if (middle) MidHandleImage(middle);
  ImagePtr bottom = LoadImage(std::string("gfx/gui/scroll_03.png"));
  if (bottom) SetImageHandle(bottom, 175, 0);
  data->Add(top, 2001);
  data->Add(middle, 2002);
  data->Add(bottom, 2003);
  data->Add(LoadImageFont("gfx/fonts/OldLondon.ttf", 40, SMOOTHFONT), 4001);
  data->Add(LoadImageFont("gfx/fonts/OldLondon.ttf", 24, SMOOTHFONT), 4002);
  data->Add(LoadImageFont("gfx/fonts/Lombardic.ttf", 16, SMOOTHFONT), 4005);
  loadSparkImage(0, "gfx/gwiazdki/gradball.png");
  for (int k = 1; k <= 3; ++k) loadSparkImage(k, "gfx/gwiazdki/" + std::to_string(k) + ".png");
}

void LoadSharedResources() {
  LoadScrollFontsAndSparks();
  data->Add(LoadImage(std::string("gfx/gui/lina.png")), 5000);
}

namespace {
// The home folder: a fresh one in every test process, the runner's own in the screenshot runner.
std::string Home() {
  const char* home = std::getenv("HOME");
  return home ? home : ".";
}
}  // namespace

void MakeBoardGame(const std::string& player) {
  bundleDir = "";
  myDocsFolder = Home() + "/docs";
  gameState = 0;
  quit = 0;
  skipLevel = 0;
  lastLevel = 0;
  levelReplays = 0;

  std::filesystem::create_directories(myDocsFolder + "/data");
  options = std::make_shared<TOptions>();
  LoadSharedResources();
  runes = std::make_shared<TRuneManager>();
  runes->loadRunesGfx();
  blocks = std::make_shared<TBlocksManager>();
  blocks->loadBlocksDef();
  blocks->loadSfx();
  board = std::make_shared<TBoardManager>();
  board->loadBoardGfx();
  board->loadSfx();
  level = std::make_shared<TLevelManager>();
  level->loadSfx();
  sequencer = std::make_shared<TLevelSequencer>();
  points = std::make_shared<TPointsManager>();
  points->loadGfx();
  TCaptions::loadGfx();
  slides = std::make_shared<TSlidesManager>();
  magicSphere = std::make_shared<TMagicSphere>();
  magicSphere->LoadResources();
  timeManager = std::make_shared<TTimeManager>();
  timeManager->LoadResources();
  bossManager = std::make_shared<TBossManager>();
  bossManager->LoadResources();
  bonusManagerAlt = std::make_shared<TBunusManagerA>();
  bonusManagerAlt->LoadResources();
  puzzle = std::make_shared<TPuzzleManager>();
  ringGame = std::make_shared<TRingGame>();
  popupManager = std::make_shared<TPopupManager>();
  popupManager->Load();
  boardSelector = std::make_shared<TBoardSelector>();
  // The pause menu of the games, with the help button's tutorials.
  LoadProgramFonts();
  optionsWindow = std::make_shared<TOptionsWindow>();
  optionsWindow->loadGfx();
  tutorial = std::make_shared<TTutorial>();
  titleScreen = std::make_shared<TTitleScreen>();
  mouse = std::make_shared<TMouse>();
  mouse->loadCursor("gfx/gui/kursor.png", 14, 6);
  globalSnd = std::make_shared<TGlobalSnd>();
  globalSnd->load();
  deltaTime = TDeltaTime::Create(60.0f);
  delta = 1.0;

  TCaptions::destroyAll();
  TSpark::destroyAll();
  soundQueue = CreateList<SoundQPtr>();
  stonesList = CreateList<StoneEntityPtr>();
  cometList = CreateList<CometPtr>();
  comet = std::make_shared<TCometEmiter>();

  // An empty hiscore table saved to the user folder (not the default file's first entry), and a
  // fresh profile folder holding the one player.
  hiscore = std::make_shared<THiscores>();
  hiscore->path = myDocsFolder + "/data/hiscores.dat";
  std::filesystem::remove_all(myDocsFolder + "/profiles-levelpack");
  std::filesystem::create_directories(myDocsFolder + "/profiles-levelpack");
  profile = TProfileManager::Create(myDocsFolder + "/profiles-levelpack", "dat");
  profile->NewProfile(FromUtf8(player));
}

std::string WriteLevelFile(const std::string& name, const std::string& levelKeys,
                           const std::vector<std::string>& rows) {
  std::string text = "Settings {\n  Level {\n" + levelKeys +
                     "  }\n  Graphics {\n    BackgroundImage = \"gfx/slides/2a.jpg\"\n  }\n"
                     "  Music {\n    Song = \"sfx/game-song-2.ogg\"\n  }\n}\nBoard {\n";
  for (size_t k = 0; k < 15; ++k) {
    std::string row = k < rows.size() ? rows[k] : "";
    std::string line;
    for (size_t c = 0; c < 15; ++c) line += std::string(c ? " " : "") + (c < row.size() ? row[c] : '0');
    text += "  Line" + std::to_string(k + 1) + " = \"" + line + "\"\n";
  }
  text += "}\n";
  const std::string path = Home() + "/levels/" + name;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  SaveText(FromUtf8(text), path);
  return path;
}

void InGameMenuButton(int choice, int& x, int& y) {
  x = 400;
  y = choice == 2 ? 270 : choice == 3 ? 360 : 240;
}

void ChooseInGameMenu(int frame, int choice) {
  if (choice == 4) {
    headless::CloseRequestAt(frame + 1);
    return;
  }
  int x = 0, y = 0;
  InGameMenuButton(choice, x, y);
  headless::MouseMoveAt(frame, x, y);
  headless::MouseClickAt(frame + 1, 1);
}

}  // namespace test_support
