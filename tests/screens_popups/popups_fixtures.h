// Fixtures of the popup tests: the frozen level scene's singletons, popups made from text with
// pictures of one colour, sounds whose plays can be counted, and a scripted player that clicks
// OK on every popup once it is fully shown.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "support/sound_fixtures.h"
#include "program/main_loop.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/popups/popup.h"
#include "screens/popups/popup_manager.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"
#include "toolkit/dim.h"

namespace popups_test {

using test_support::Argb;
using test_support::Output;
using test_support::ScreenPixel;
using test_support::SolidImage;
using test_support::SolidPixmap;
using test_support::Store;

// Levels of the counted sounds: the mixed level is kShowLevel x opened + kCloseLevel x closed
// (+ kLoseLevel x lose sounds).
constexpr int kShowLevel = 1000;
constexpr int kCloseLevel = 100;
constexpr int kLoseLevel = 10;

// A picture of one colour written as a PNG under the test's home folder; returns its path.
inline std::string WritePicture(const std::string& name, int w, int h, uint32_t argb) {
  const std::string path = test_support::TempHome() + "/pictures/" + name;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  EXPECT_TRUE(SavePixmapPNG(SolidPixmap(w, h, argb), path));
  return path;
}

// The OK strip: two frames of 56 x 28 side by side.
inline AnimButtonPtr MakeOkButton() {
  return CreateAnimButton(SolidPixmap(112, 28, Argb(255, 40, 200, 40)),
                          CreateDim(0, 0, 0, 0, 0, 1, 1, 0), 1, 2, 1, 0, 1.0f, -1);
}

// The open screen and the singletons a frozen level scene draws, fresh: a board fully shown,
// counted interface sounds at full volume, the popup manager with an OK button.
inline void MakeScene() {
  test_support::OpenScreen();
  bundleDir = "";
  board = std::make_shared<TBoardManager>();
  board->alpha = 1.0f;
  level = std::make_shared<TLevelManager>();
  points = std::make_shared<TPointsManager>();
  timeManager = std::make_shared<TTimeManager>();
  sequencer = std::make_shared<TLevelSequencer>();
  deltaTime = TDeltaTime::Create(60.0f);
  mouse = std::make_shared<TMouse>();
  options = std::make_shared<TOptions>();
  options->soundVol = 1.0f;
  globalSnd = std::make_shared<TGlobalSnd>();
  globalSnd->sounds[2] = app_test::ConstantSound(kCloseLevel);
  globalSnd->sounds[3] = app_test::ConstantSound(kShowLevel);
  popupManager = std::make_shared<TPopupManager>();
  popupManager->okButton = MakeOkButton();
  levelReplays = 0;
  skipLevel = 0;
}

// One top-level popup group: `keys` are its key lines.
inline std::string Group(const std::string& name, const std::string& keys) {
  return name + " {\n" + keys + "}\n";
}

// The popup made from the first group of `text`.
inline PopupPtr PopupFrom(const std::string& text) {
  TSCFilePtr tsc = Store(text);
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, String());
  return TPopup::Create(tsc, groups->First());
}

// The keys of a complete popup over a 400 x 300 panel at (200, 100), automatic places.
inline std::string PanelKeys(const std::string& event, int condition, int level = 1) {
  const std::string panel = WritePicture("panel.png", 400, 300, Argb(255, 200, 180, 140));
  return "Level = " + std::to_string(level) + "\nImage = \"" + panel +
         "\"\nX = 200\nY = 100\nEvent = \"" + event + "\"\nLines = 1\nLine1 = \"Hello\"\n" +
         "Condition = " + std::to_string(condition) + "\nSpell = 0\nButtonY = -1\nTextY = -1\n";
}

// Clicks OK of each popup of the manager's list once it is fully shown: the pointer moves onto
// the button the next frame, the left button goes down a frame later and up after one more.
// `beforeClickMs` is added to the virtual clock as each popup is found fully shown. The order
// in which popups were found shown is kept in `shown`.
class OkClicker {
 public:
  explicit OkClicker(int32_t beforeClickMs = 0) : beforeClickMs_(beforeClickMs) {
    headless::SetFrameCallback([this](int frame) { Look(frame); });
  }
  ~OkClicker() { headless::SetFrameCallback(nullptr); }
  OkClicker(const OkClicker&) = delete;
  OkClicker& operator=(const OkClicker&) = delete;

  std::vector<PopupPtr> shown;

 private:
  void Look(int frame) {
    if (!popupManager) return;
    for (const PopupPtr& popup : *popupManager->popups) {
      if (popup->active != 1 || popup->alpha < 1.0f) continue;
      if (std::find(shown.begin(), shown.end(), popup) != shown.end()) continue;
      shown.push_back(popup);
      if (beforeClickMs_ > 0) headless::AdvanceClock(beforeClickMs_);
      headless::MouseMoveAt(frame + 1, popup->buttonX + 20, popup->buttonY + 10);
      headless::MouseButtonAt(frame + 2, 1, true);
      headless::MouseButtonAt(frame + 3, 1, false);
    }
  }

  int32_t beforeClickMs_;
};

}  // namespace popups_test
