// The start-up loading over the built game folder: its stages between the ball fades, the
// shared items of `data` with their handles, the cached songs; and start-up's steps from the
// loading screen to the title, run headless without a single message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/data_folders.h"
#include "services/mouse.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "game/board/board_manager.h"
#include "game/levels/captions.h"
#include "platform/errors.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "program/gallery.h"
#include "screens/menu/options_window.h"
#include "program/loading.h"
#include "program/title_screen.h"
#include "program_title/title_fixtures.h"
#include "support/game_fixtures.h"
#include "toolkit/container.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace {

class StartUpLoading : public testing::Test {
 protected:
  void SetUp() override {
    title_test::MakeSingletons();
    headless::SetFrameCap(headless::FrameNumber() + 5000);
    loading->setup();
    loading->fadeInBg();
  }
  void TearDown() override { headless::SetFrameCallback(nullptr); }
};

// What is loaded when each ball's fade begins.
struct Loaded {
  bool captions, fonts, menuWindow, gallery, sparks, title, shared, songs, boardSounds, uiSounds;
};

Loaded Now() {
  return {TCaptions::match != nullptr,
          fonts[0] != nullptr && fonts[1] != nullptr,
          optionsWindow->background != nullptr,
          gallery->backgroundPixmap != nullptr,
          sparkImages[0] != nullptr && sparkImages[3] != nullptr,
          titleScreen->titleImage != nullptr,
          data->GetImage(5000) != nullptr,
          songManager->songs->Count() == 6,
          board->explosionSound != nullptr,
          globalSnd->sounds[6] != nullptr};
}

TEST_F(StartUpLoading, StagesLoadInOrderBetweenTheFiveBallFades) {
  const int base = headless::FrameNumber();
  std::vector<Loaded> atBall(5);
  headless::SetFrameCallback([&](int frame) {
    const int shown = frame - base;
    if (shown % 10 == 1 && shown <= 41) atBall[shown / 10] = Now();
  });
  EXPECT_EQ(title_test::FramesOf([] { EXPECT_EQ(loading->loadEverything(), 0); }), 50);
  EXPECT_EQ(loading->currentBall, 4);
  EXPECT_EQ(loading->ballAlpha, 1.0f);
  // Ball 0 before anything; each later ball after one more stage.
  EXPECT_FALSE(atBall[0].captions);
  EXPECT_TRUE(atBall[1].captions);
  EXPECT_FALSE(atBall[1].fonts);
  EXPECT_TRUE(atBall[2].fonts && atBall[2].menuWindow && atBall[2].gallery);
  EXPECT_FALSE(atBall[2].sparks || atBall[2].title || atBall[2].shared || atBall[2].songs);
  EXPECT_TRUE(atBall[3].sparks && atBall[3].title && atBall[3].shared && atBall[3].songs);
  EXPECT_FALSE(atBall[3].boardSounds || atBall[3].uiSounds);
  const Loaded end = Now();
  EXPECT_TRUE(end.boardSounds && end.uiSounds);
}

TEST_F(StartUpLoading, SharedItemsCarryTheirHandlesAndSongsAreCachedInOrder) {
  loading->loadEverything();
  struct Handle {
    int id;
    float x, y;
  };
  const ImagePtr parchment = data->GetImage(2002);
  ASSERT_TRUE(parchment);
  const Handle handles[] = {{2001, 175, 55},
                            {2002, parchment->width / 2.0f, parchment->height / 2.0f},
                            {2003, 175, 0},
                            {5000, 0, 0}};
  for (const Handle& h : handles) {
    const ImagePtr image = data->GetImage(h.id);
    ASSERT_TRUE(image) << h.id;
    EXPECT_EQ(image->handleX, h.x) << h.id;
    EXPECT_EQ(image->handleY, h.y) << h.id;
  }
  for (int id : {4000, 4001, 4002, 4005}) EXPECT_TRUE(data->GetTTFont(id)) << id;
  EXPECT_FALSE(data->GetImage(4001));
  EXPECT_FALSE(data->GetTTFont(2001));
  EXPECT_EQ(data->GetTTFont(4001)->size, 40);
  const std::vector<std::string> songs = {
      "sfx/glyphor-song.ogg", "sfx/runes-lost-in-velmar.ogg", "sfx/help2.ogg",
      "sfx/game-song-1.ogg",  "sfx/glyphor-help.ogg",         "sfx/glyphor-map.ogg"};
  std::vector<std::string> cached;
  for (const MusicFilePtr& song : *songManager->songs) {
    cached.push_back(song->name);
    EXPECT_EQ(song->loaded, 1);
    EXPECT_TRUE(song->sound) << song->name;
  }
  EXPECT_EQ(cached, songs);
  EXPECT_EQ(optionsWindow->selectorBackground, titleScreen->levelSelectorPlate);
  EXPECT_TRUE(titleScreen->selectorCaption && titleScreen->hiscoresImage &&
              titleScreen->creditsImage);
}

// Start-up from hiding the pointer to the portal screens, then the title until its menu shows:
// everything the game folder ships loads without a notice or a missing-picture line.
TEST(StartUp, RunsFromTheLoadingScreenIntoTheTitleWithoutAMessage) {
  title_test::MakeSingletons();
  ASSERT_EQ(profile->NewProfile(u"wren"), 1);
  headless::SetFrameCap(headless::FrameNumber() + 5000);
  const int messagesBefore = static_cast<int>(headless::MessageBoxes().size());
  const std::string out = test_support::Output([] {
    HideMouse();
    loading->setup();
    loading->fadeInBg();
    loading->loadEverything();
    mouse->loadCursor("gfx/gui/kursor.png", 14, 6);
    loading->PortalScreens();
  });
  EXPECT_EQ(out, "");
  EXPECT_EQ(static_cast<int>(headless::MessageBoxes().size()), messagesBefore);
  EXPECT_EQ(titleScreen->musicPlaying, 1);
  // The title until its menu has faded in, then a quit through the exit confirmation.
  bool menuShown = false;
  headless::SetFrameCallback([&](int) {
    if (optionsWindow->alpha >= 1.0f && !menuShown) {
      menuShown = true;
      headless::CloseRequestAt(headless::FrameNumber() + 1);
    }
  });
  titleScreen->Prepare();
  EXPECT_THROW(titleScreen->show(), ProgramEnded);
  headless::SetFrameCallback(nullptr);
  EXPECT_TRUE(menuShown);
  EXPECT_EQ(optionsWindow->greeting->text, u"wren");
  EXPECT_EQ(static_cast<int>(headless::MessageBoxes().size()), messagesBefore);
}

}  // namespace
