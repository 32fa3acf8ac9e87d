// The screens' set-ups shared by the screenshot scenarios and the bench.
#include "scene_setups.h"

#include <memory>
#include <string>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "datafiles/tsc_file.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/ring_emiter.h"
#include "play/ring/ring_game.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/image_font.h"
#include "profiles/hiscores.h"
#include "profiles/profile_manager.h"
#include "scenario.h"
#include "screens/map/map_core.h"
#include "screens/menu/options_window.h"
#include "screens/profiles/profile_loader.h"
#include "program/loading.h"
#include "program/title_screen.h"
#include "screens/tutorial/tutorial.h"
#include "toolkit/container.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace screenshot {

bool SetupLoading() {
  if (!Graphics(800, 600, 0, 60, 0)) return false;
  GetDataFolders();
  songManager = std::make_shared<TSongManager>();
  options = std::make_shared<TOptions>();
  mouse = std::make_shared<TMouse>();
  titleScreen = std::make_shared<TTitleScreen>();
  loading = std::make_shared<TLoading>();
  loadSparkImage(0, bundleDir + "gfx/gwiazdki/gradball.png");
  loading->setup();
  return true;
}

bool SetupTitle() {
  if (!SetupLoading()) return false;
  data = std::make_shared<TContainer>();
  profile = TProfileManager::Create(myDocsFolder + "/profiles-levelpack", "dat");
  profile->NewProfile(u"morwen");
  profile->SelectProfile(u"morwen");
  hiscore = THiscores::Create(myDocsFolder + "/data/hiscores.dat");
  optionsWindow = std::make_shared<TOptionsWindow>();
  profileLoader = std::make_shared<TProfileLoader>();
  LoadProgramFonts();
  for (int k = 1; k <= 3; ++k)
    loadSparkImage(k, bundleDir + "gfx/gwiazdki/" + std::to_string(k) + ".png");
  optionsWindow->loadGfx();
  titleScreen->loadGfx();
  profileLoader->Load();
  mouse->loadCursor(bundleDir + "gfx/gui/kursor.png", 14, 6);
  delta = 1.0;
  return true;
}

void OptionsOverTitle() {
  optionsWindow->SetState(TOptionsWindow::kOptions, 1, TOptionsWindow::kOriginX,
                          TOptionsWindow::kOriginY);
  titleScreen->playMusic();
  titleScreen->Prepare();
  SetBlend(ALPHABLEND);
  SetAlpha(1.0f);
  DrawImage(titleScreen->titleImage, 0, 0);
  headless::MouseMoveAt(headless::FrameNumber() + 1, 610, 250);
}

void LoadMap() {
  Graphics(800, 600, 0);
  fonts[1] = CreateFont(std::string("gfx/fonts/small-letters3.png"),
                        S("abcdefghijklmnopqrstuvwxyz0123456789"), 32.0f, 3);
  mouse = std::make_shared<TMouse>();
  mouse->loadCursor("gfx/gui/kursor.png", 14, 6);
  options = std::make_shared<TOptions>();
  globalSnd = std::make_shared<TGlobalSnd>();
  globalSnd->load();
  sequencer = std::make_shared<TLevelSequencer>();
  sequencer->Start(1);
  map = std::make_shared<TMapCore>();
  map->Load();
}

void StartMinigame() {
  options = std::make_shared<TOptions>();
  LoadScrollResources();
  mouse = std::make_shared<TMouse>();
  mouse->loadCursor("gfx/gui/kursor.png", 14, 6);
  deltaTime = TDeltaTime::Create(60.0f);
  delta = 1.0;
  globalSnd = std::make_shared<TGlobalSnd>();
  points = std::make_shared<TPointsManager>();
  points->totalPoints = 7400;
  sequencer = std::make_shared<TLevelSequencer>();
}

void StartRing() {
  StartMinigame();
  points->loadGfx();
  ringGame = std::make_shared<TRingGame>();
  ringGame->loadGfx();
  ringGame->totalTime = 90000.0f;
  ringGame->levelSeqLast = 3;
  ringGame->resetParams();
  ringGame->createSequence(ringGame->levelSeqLast);
  ringGame->resetRune();
}

void RingFrame() {
  ringGame->Update();
  ringGame->Draw(0);
  TRingEmiter::UpdateAll();
  TSpark::UpdateAll();
  Flip(-1);
}

void LoadTutorialScene() {
  LoadScrollResources();
  data->Add(LoadImage(std::string("gfx/gui/lina.png")), 5000);
  options = std::make_shared<TOptions>();
  mouse = std::make_shared<TMouse>();
  mouse->loadCursor("gfx/gui/kursor.png", 14, 6);
  deltaTime = TDeltaTime::Create(60.0f);
  deltaTime->Update();
  delta = 1.0;
  globalSnd = std::make_shared<TGlobalSnd>();
  runes = std::make_shared<TRuneManager>();
  runes->loadRunesGfx();
  magicSphere = std::make_shared<TMagicSphere>();
  magicSphere->LoadResources();
  timeManager = std::make_shared<TTimeManager>();
  timeManager->LoadResources();
  board = std::make_shared<TBoardManager>();
  level = std::make_shared<TLevelManager>();
  profile = std::make_shared<TProfileManager>();
  profile->current = std::make_shared<TProfile>();
  profile->current->tscFile = CreateTSCFile();
  profile->current->SetNumber(u"showTutorial", 1);
  tutorial = std::make_shared<TTutorial>();
}

void StartStory() {
  options = std::make_shared<TOptions>();
  songManager = std::make_shared<TSongManager>();
  globalSnd = std::make_shared<TGlobalSnd>();
  globalSnd->load();
  deltaTime = TDeltaTime::Create(60.0f);
  mouse = std::make_shared<TMouse>();
  mouse->loadCursor("gfx/gui/kursor.png", 14, 6);
  loading = std::make_shared<TLoading>();
  loading->setup();
}

}  // namespace screenshot
