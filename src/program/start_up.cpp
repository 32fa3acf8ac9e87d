#include "program/start_up.h"

#include "program/layer_links.h"

#include <memory>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/graphics_mode.h"
#include "program/main_loop.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/random_seed.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "datafiles/lp_check.h"
#include "game/board/board_manager.h"
#include "game/board/stone_entity.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/levels/slides_manager.h"
#include "game/saved/saved_game.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/volcano_emiter.h"
#include "play/puzzle/puzzle_manager.h"
#include "game/spells/ring_emiter.h"
#include "play/ring/ring_game.h"
#include "platform/errors.h"
#include "platform/system.h"
#include "profiles/hiscores.h"
#include "profiles/profile_manager.h"
#include "program/gallery.h"
#include "screens/map/map_core.h"
#include "screens/menu/options_window.h"
#include "screens/menu/board_selector.h"
#include "screens/popups/popup_manager.h"
#include "screens/profiles/profile_loader.h"
#include "program/loading.h"
#include "program/title_screen.h"
#include "screens/tutorial/tutorial.h"
#include "toolkit/comet.h"
#include "toolkit/container.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

OSVersionInfo VersionInfo;

namespace {

// The game's screen: 800 x 600 at 32 bits, full screen or in a window by the options.
constexpr int32_t kScreenWidth = 800;
constexpr int32_t kScreenHeight = 600;
constexpr int32_t kScreenDepth = 32;
// The program's own cursor and its hot spot, right of and below the picture's top-left corner.
constexpr char kCursorPath[] = "gfx/gui/kursor.png";
constexpr int32_t kCursorHotSpotX = 14;
constexpr int32_t kCursorHotSpotY = 6;
// The frame timer's rate.
constexpr float kFramesPerSecond = 60.0f;

// The level packs: without them the game cannot run. Nothing is on disk yet to lose. The notice
// names every damaged pack, and the program ends with a failure status for whoever started it.
void CheckLevelPacks() {
  const std::vector<std::string> damaged = DamagedLevelPacks();
  if (damaged.empty()) return;
  String text = u"Files corrupted";
  for (const std::string& pack : damaged) text += u"\n" + FromPath(pack);
  Notify(text, false);
  End(kFailureStatus);
}

// The user data folder, the profiles and hiscores in it, the end hook, the options and the
// screen they choose.
void OpenUserDataAndScreen() {
  GetDataFolders();
  profile = TProfileManager::Create(myDocsFolder + "/profiles-levelpack", "dat");
  hiscore = THiscores::Create(myDocsFolder + "/data/hiscores.dat");
  OnEnd(saveOnEnd);
  profile->UpdateList();
  options->Load();
  SetGraphicsMode(options->screenMode, kScreenWidth, kScreenHeight, kScreenDepth);
  InitMaxModStream();
  PollSystem();
  HideMouse();
}

// The loading screen while every resource loads, the cursor, the portal screens.
void LoadEverything() {
  loading->setup();
  loading->fadeInBg();
  loading->loadEverything();
  mouse->loadCursor(kCursorPath, kCursorHotSpotX, kCursorHotSpotY);
  loading->PortalScreens();
}

}  // namespace

void CreateGlobalObjects() {
  VersionInfo = OSVersionInfo();
  bundleDir = GetBundleResourceURL(String(), String());
  stonesList = CreateList<StoneEntityPtr>();
  // The three digit-width tables are constants with their values from program load.
  SparkList = CreateList<SparkPtr>();
  sparkImages = {};
  cometList = CreateList<CometPtr>();
  runes = std::make_shared<TRuneManager>();
  blocks = std::make_shared<TBlocksManager>();
  board = std::make_shared<TBoardManager>();
  level = std::make_shared<TLevelManager>();
  sequencer = std::make_shared<TLevelSequencer>();
  points = std::make_shared<TPointsManager>();
  slides = std::make_shared<TSlidesManager>();
  mouse = std::make_shared<TMouse>();
  comet = std::make_shared<TCometEmiter>();
  options = std::make_shared<TOptions>();
  loading = std::make_shared<TLoading>();
  titleScreen = std::make_shared<TTitleScreen>();
  gallery = std::make_shared<TGallery>();
  puzzle = std::make_shared<TPuzzleManager>();
  boardSelector = std::make_shared<TBoardSelector>();
  optionsWindow = std::make_shared<TOptionsWindow>();
  data = std::make_shared<TContainer>();
  bonusManagerAlt = std::make_shared<TBunusManagerA>();
  profileLoader = std::make_shared<TProfileLoader>();
  map = std::make_shared<TMapCore>();
  ringGame = std::make_shared<TRingGame>();
  tutorial = std::make_shared<TTutorial>();
  popupManager = std::make_shared<TPopupManager>();
  magicSphere = std::make_shared<TMagicSphere>();
  timeManager = std::make_shared<TTimeManager>();
  bossManager = std::make_shared<TBossManager>();
  globalSnd = std::make_shared<TGlobalSnd>();
  fonts = std::vector<FontPtr>(2);
}

void StartUp() {
  LinkLayers();
  songManager = std::make_shared<TSongManager>();
  SeedRndFromClock();
  AppTitle = u"Mirethorn";
  CreateGlobalObjects();
  blocks->loadBlocksDef();
  captions = CreateList<CaptionsPtr>();
  soundQueue = CreateList<SoundQPtr>();
  gameState = kGameStateNone;
  volcanoList = CreateList<VolcanoEmiterPtr>();
  ringEmiterList = CreateList<RingEmiterPtr>();
  CheckLevelPacks();
  OpenUserDataAndScreen();
  LoadEverything();
  deltaTime = TDeltaTime::Create(kFramesPerSecond);
  if (profile->profiles->Count() != 0) LoadProfile();
}
