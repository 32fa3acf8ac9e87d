// The start-up loading: every resource that lives for the whole run, loaded once between the
// five ball fades of the loading screen. The order matters: the two bitmap fonts exist before
// the menu window, the profile screen and the map read them, and the six songs are cached
// before the closing animation starts the title music.
#include "services/data_folders.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "game/board/board_manager.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/levels/summary_screens.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "play/puzzle/puzzle_manager.h"
#include "play/ring/ring_game.h"
#include "platform/image_font.h"
#include "program/gallery.h"
#include "screens/map/map_core.h"
#include "screens/menu/options_window.h"
#include "screens/popups/popup_manager.h"
#include "screens/profiles/profile_loader.h"
#include "program/loading.h"
#include "program/title_screen.h"
#include "toolkit/container.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace {

// The summaries' image fonts under their ids of `data` (the puzzle summary's line font has no
// name elsewhere), and the rope drawn under the sphere, the timer and the score panel.
constexpr int kPuzzleSummaryFont = 4000;
constexpr int kRopeImage = 5000;
constexpr int kFontStyle = SMOOTHFONT;

// The songs cached at start-up, looping; the title music first.
const char* const kSongs[] = {
    "sfx/glyphor-song.ogg",  "sfx/runes-lost-in-velmar.ogg", "sfx/help2.ogg",
    "sfx/game-song-1.ogg",   "sfx/glyphor-help.ogg",         "sfx/glyphor-map.ogg",
};
constexpr int32_t kLoopSong = 1;

void LoadSparkImages() {
  loadSparkImage(0, bundleDir + "gfx/gwiazdki/gradball.png");
  for (int k = 1; k <= 3; ++k)
    loadSparkImage(k, bundleDir + "gfx/gwiazdki/" + std::to_string(k) + ".png");
}

void AddSharedItems() {
  data->Add(LoadImage(bundleDir + "gfx/gui/scroll_01.png"), kScrollTopRoller);
  data->Add(LoadImage(bundleDir + "gfx/gui/scroll_02.png"), kScrollParchment);
  data->Add(LoadImage(bundleDir + "gfx/gui/scroll_03.png"), kScrollBottomRoller);
  // The handles fit how the summaries draw the scroll round y 300.
  SetImageHandle(data->GetImage(kScrollTopRoller), 175, 55);
  MidHandleImage(data->GetImage(kScrollParchment));
  SetImageHandle(data->GetImage(kScrollBottomRoller), 175, 0);
  // Each font is a load of its own, though the file is the same.
  const std::string oldLondon = bundleDir + "gfx/fonts/OldLondon.ttf";
  data->Add(LoadImageFont(oldLondon, 28, kFontStyle), kPuzzleSummaryFont);
  data->Add(LoadImageFont(oldLondon, 40, kFontStyle), kSummaryHeadingFont);
  data->Add(LoadImageFont(oldLondon, 24, kFontStyle), kSummaryRowFont);
  data->Add(LoadImageFont(bundleDir + "gfx/fonts/Lombardic.ttf", 16, kFontStyle),
            kSummaryFooterFont);
  data->Add(LoadImage(bundleDir + "gfx/gui/lina.png"), kRopeImage);
}

}  // namespace

int32_t TLoading::loadEverything() {
  fadeInBall(0);

  TCaptions::loadGfx();
  blocks->loadSfx();
  puzzle->loadGfx();
  fadeInBall(1);

  LoadProgramFonts();
  runes->loadRunesGfx();
  board->loadBoardGfx();
  optionsWindow->loadGfx();
  gallery->loadGfx();
  fadeInBall(2);

  points->loadGfx();
  LoadSparkImages();
  titleScreen->loadGfx();
  profileLoader->Load();
  map->Load();
  bonusManagerAlt->LoadResources();
  ringGame->loadGfx();
  magicSphere->LoadResources();
  timeManager->LoadResources();
  bossManager->LoadResources();
  AddSharedItems();
  popupManager->Load();
  for (const char* song : kSongs) songManager->loadSong(bundleDir + song, kLoopSong);
  fadeInBall(3);

  board->loadSfx();
  level->loadSfx();
  globalSnd->load();
  fadeInBall(4);
  return 0;
}
