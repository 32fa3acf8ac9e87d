// Fixtures of the gallery tests: the menu window over the built game folder, a profile whose
// revealed pictures are one-colour PNGs of the test's home folder, the title music, counted
// click sounds, and a picture puzzle that records how the gallery called it.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "support/sound_fixtures.h"
#include "program/main_loop.h"
#include "game/levels/slides_manager.h"
#include "play/puzzle/puzzle_manager.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "program/gallery.h"
#include "screens/menu/options_window.h"
#include "program/title_screen.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"
#include "toolkit/container.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace gallery_test {

using test_support::Argb;
using test_support::ScreenPixel;
using test_support::SolidPixmap;
using test_support::Store;

constexpr int16_t kClickLevel = 1000;

// Where to click the gallery's buttons and the difficulty window's.
struct Spot {
  int x, y;
};
constexpr Spot kPrevious{387, 522};
constexpr Spot kNext{442, 522};
constexpr Spot kPlayPuzzle{670, 512};
constexpr Spot kBack{400, 584};
constexpr Spot kEasy{400, 198};
constexpr Spot kNormal{400, 243};
constexpr Spot kHard{400, 288};
constexpr Spot kSizesBack{400, 358};

// A picture puzzle that only records its calls and what the game looked like during them.
class RecordingPuzzle : public TPuzzleManager {
 public:
  struct Call {
    String picture;
    int32_t fromGallery, width, height, readFromProfile;
    String musicPath;
    bool titleMusicStopped;
  };
  std::vector<Call> calls;

  int32_t show(int32_t, const String& picture, int32_t fromGallery) override {
    calls.push_back({picture, fromGallery, width, height, readFromProfile, musicPath,
                     !titleScreen->music});
    return 0;
  }
};

inline std::shared_ptr<RecordingPuzzle> Puzzle() {
  return std::static_pointer_cast<RecordingPuzzle>(puzzle);
}

// A one-colour 800 x 600 PNG under the test's home folder; returns its path.
inline String WritePicture(const std::string& name, uint32_t argb) {
  const std::string path = test_support::TempHome() + "/slides/" + name;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  EXPECT_TRUE(SavePixmapPNG(SolidPixmap(800, 600, argb), path));
  return FromPath(path);
}

// The current profile's revealed pictures.
inline void Reveal(const std::vector<String>& paths) {
  TListPtr<String> list = CreateList<String>();
  for (const String& p : paths) list->AddLast(p);
  profile->SetList(u"revealedImages", list, 0);
}

inline bool TitleMusicPlays() {
  return titleScreen->music && titleScreen->music->song &&
         ChannelPlaying(titleScreen->music->song->channel) != 0;
}

// The title screen's state when it opens the gallery: the menu window on its main menu, the
// title music playing, a profile with nothing revealed, a recording puzzle.
class GalleryVisit : public testing::Test {
 protected:
  void SetUp() override {
    test_support::OpenScreen();
    bundleDir = "";
    options = std::make_shared<TOptions>();
    options->soundVol = 1.0f;
    options->musicVol = 1.0f;
    data = std::make_shared<TContainer>();
    mouse = std::make_shared<TMouse>();
    deltaTime = TDeltaTime::Create(60.0f);
    delta = 1.0;
    globalSnd = std::make_shared<TGlobalSnd>();
    globalSnd->sounds[6] = app_test::ConstantSound(kClickLevel, false, 5);  // outlasts a visit
    songManager = std::make_shared<TSongManager>();
    LoadProgramFonts();
    optionsWindow = std::make_shared<TOptionsWindow>();
    optionsWindow->loadGfx();
    optionsWindow->SetState(TOptionsWindow::kMainMenu, 1, 229, 200);
    slides = std::make_shared<TSlidesManager>();
    profile = std::make_shared<TProfileManager>();
    profile->current = std::make_shared<TProfile>();
    profile->current->tscFile = Store("Profile {\n  showTutorial = 1\n}\n");
    puzzle = std::make_shared<RecordingPuzzle>();
    titleScreen = std::make_shared<TTitleScreen>();
    titleScreen->playMusic();
    gallery = std::make_shared<TGallery>();
    readFromProfile = 0;
    start_ = headless::FrameNumber();
    headless::SetFrameCap(start_ + 3000);
  }
  void TearDown() override {
    headless::SetFrameCallback(nullptr);
    StopAllChannels();
  }

  int At(int frame) const { return start_ + frame; }
  // Points at a spot in frame `frame` and clicks it in the next; the gallery sees the click
  // in the frame after that.
  void ClickAt(int frame, Spot spot) {
    headless::MouseMoveAt(At(frame), spot.x, spot.y);
    headless::MouseClickAt(At(frame + 1), 1);
  }

  int start_ = 0;
};

}  // namespace gallery_test
