// Fixtures of the ring game tests: the singletons a ring level uses, counted sounds, a level
// read from text, the pointer on a tile, and the intro run to the play phase.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "support/sound_fixtures.h"
#include "game/saved/saved_game.h"
#include "program/main_loop.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/points_manager.h"
#include "game/levels/slides_manager.h"
#include "game/spells/ring_emiter.h"
#include "play/ring/ring_game.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "screens/popups/popup.h"
#include "screens/popups/popup_manager.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace ring_test {

using test_support::Argb;
using test_support::Output;
using test_support::Store;

// Levels of the counted sounds: each ring sound its own decimal digit of the mixed level.
constexpr int16_t kWrongLevel = 1;
constexpr int16_t kRightLevel = 10;
constexpr int16_t kSpellLevel = 100;
constexpr int16_t kTimeOutLevel = 1000;
constexpr int16_t kOverLevel = 10000;

// The singletons a ring level uses, fresh, with counted sounds at full volume and icons of
// the six kinds without pictures.
inline void MakeRing() {
  test_support::OpenScreen();
  bundleDir = "";
  myDocsFolder = test_support::TempHome() + "/docs";
  ringGame = std::make_shared<TRingGame>();
  points = std::make_shared<TPointsManager>();
  sequencer = std::make_shared<TLevelSequencer>();
  level = std::make_shared<TLevelManager>();  // the quest record reads the difficulty
  slides = std::make_shared<TSlidesManager>();  // and the revealed pictures
  deltaTime = TDeltaTime::Create(60.0f);
  delta = 1.0;
  mouse = std::make_shared<TMouse>();
  options = std::make_shared<TOptions>();
  options->soundVol = 1.0f;
  globalSnd = std::make_shared<TGlobalSnd>();
  popupManager = std::make_shared<TPopupManager>();
  data = std::make_shared<TContainer>();
  ringEmiterList->Clear();
  TSpark::destroyAll();
  readFromProfile = 0;
  gameState = 1;
  TRingGame& g = *ringGame;
  g.sounds[TRingGame::kWrongTileSound] = app_test::ConstantSound(kWrongLevel);
  g.sounds[TRingGame::kRightTileSound] = app_test::ConstantSound(kRightLevel);
  g.sounds[TRingGame::kSpellWonSound] = app_test::ConstantSound(kSpellLevel);
  g.sounds[TRingGame::kRuneTimeOutSound] = app_test::ConstantSound(kTimeOutLevel);
  g.sounds[TRingGame::kTileOverSound] = app_test::ConstantSound(kOverLevel);
  for (int32_t k = 0; k < TRingGame::kSpellKinds; ++k) {
    auto icon = std::make_shared<TRingSpell>();
    icon->id = k + 1;
    g.spells[static_cast<size_t>(k)] = icon;
  }
}

// A current profile "Ann" in the test's home folder.
inline void MakeProfile() {
  const std::string folder = test_support::TempHome() + "/profiles";
  std::filesystem::create_directories(folder);
  profile = TProfileManager::Create(folder, "dat");
  ASSERT_EQ(profile->NewProfile(S("Ann")), 1);
}

// The ring level whose Settings group holds `keys`, read as "test.tsc"; what it printed.
inline std::string LoadLevel(const std::string& keys) {
  return Output([&] { ringGame->LoadFrom(Store("Settings {\n" + keys + "}\n"), S("test.tsc")); });
}

// The centre of tile t's hit box.
inline void TileCentre(int32_t t, int32_t& x, int32_t& y) {
  static constexpr int32_t lefts[4] = {185, 85, 565, 665};
  x = lefts[t / 5] + 25;
  y = 65 + 100 * (t % 5) + 30;
}

// The pointer over tile t (or over nothing for -1) and a left click in this frame's state, as
// fetchState would leave them.
inline void ClickTile(int32_t t) {
  int32_t x = 400, y = 300;
  if (t >= 0) TileCentre(t, x, y);
  mouse->x = x;
  mouse->y = y;
  ringGame->hoverTile = ringGame->checkRows();
  mouse->hit1 = 1;
  ringGame->updateSequence();
  mouse->hit1 = 0;
}

// The sum of the ring sounds started so far, as the mixer hears them.
inline int Sounds() { return app_test::MixedLevel(); }

// Runs Update from a reset until the play phase, as Play's first frames do.
inline int RunIntro() {
  ringGame->resetParams();
  int frames = 0;
  while (ringGame->phase < TRingGame::kPlay && frames < 1000) {
    ringGame->Update();
    ++frames;
  }
  return frames;
}

// Plays like a person: clicks the rune shown while play runs, and clicks through the summary.
// With `answerPopups` it first clicks OK on each information popup once it is fully shown;
// `sequencesWanted` (when not negative) stops the rune clicks once that many sequences are won.
class ScriptedPlayer {
 public:
  ScriptedPlayer() {
    headless::SetFrameCallback([this](int frame) { Look(frame); });
  }
  ~ScriptedPlayer() { headless::SetFrameCallback(nullptr); }

  // Called every frame first; returning true skips the player's own clicks in that frame.
  std::function<bool(int frame)> before;
  bool clickRunes = true;
  bool answerPopups = false;
  int32_t sequencesWanted = -1;
  bool inSummary = false;  // set by the test when the summary starts outside the time-out
  int summaryFrames = 0;
  int popupsAnswered = 0;

 private:
  static void Click(int frame, int x, int y) {
    headless::MouseMoveAt(frame, x, y);
    headless::MouseButtonAt(frame + 1, 1, true);
    headless::MouseButtonAt(frame + 2, 1, false);
  }
  void Look(int frame) {
    if (before && before(frame)) return;
    const TRingGame& g = *ringGame;
    if (g.phase >= TRingGame::kTimeOver) inSummary = true;
    if (inSummary) ++summaryFrames;
    if (frame < busyUntil_) return;
    if (inSummary) {
      Click(frame, 400, 100);
      busyUntil_ = frame + 10;
      return;
    }
    if (answerPopups && !g.popups->IsEmpty()) {
      const PopupPtr popup = g.popups->First();
      if (popup->alpha < 1.0f) return;
      Click(frame, popup->buttonX + 20, popup->buttonY + 10);
      ++popupsAnswered;
      busyUntil_ = frame + 8;
      return;
    }
    if (sequencesWanted >= 0 && g.recivedSpells >= sequencesWanted) return;
    if (!clickRunes || g.phase != TRingGame::kPlay || !g.popups->IsEmpty() || g.seqDoneTime >= 0)
      return;
    int32_t x = 0, y = 0;
    TileCentre(g.sequence[static_cast<size_t>(g.seqPos)], x, y);
    Click(frame, x, y);
    busyUntil_ = frame + 4;
  }
  int busyUntil_ = 0;
};

class RingGame : public testing::Test {
 protected:
  void SetUp() override { MakeRing(); }
  void TearDown() override {
    headless::SetFrameCallback(nullptr);
    StopAllChannels();
  }
};

}  // namespace ring_test
