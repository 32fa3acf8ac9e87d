// The title screen's pictures, music, sparks and its loop; the menu commands are in
// title_commands.cpp, the hiscores and credits screens in their own files.
#include "program/title_screen.h"

#include "services/data_folders.h"
#include "services/mouse.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "screens/menu/options_window.h"
#include "screens/profiles/profile_loader.h"
#include "program/loading.h"
#include "toolkit/image_loaders.h"
#include "screens/title_sparks.h"
#include "toolkit/spark.h"

TitleScreenPtr titleScreen;

namespace {

constexpr const char* kTitleSong = "sfx/glyphor-song.ogg";
constexpr int32_t kTitleLoopSong = 1;

// The main menu's place; every switch the title makes puts the window there.
constexpr int32_t kMenuX = TOptionsWindow::kOriginX;
constexpr int32_t kMenuY = TOptionsWindow::kOriginY;

constexpr int32_t kIdleMs = 5500;  // stillness on the main menu before the next idle screen
constexpr int32_t kIdleCredits = 1;
constexpr int32_t kIdleHiscores = 2;
constexpr int32_t kIdleLast = 2;

constexpr float kGreetingCentreX = 400.0f;

// A cleared screen with `image` over it, opaque, in a fresh drawing state.
void ClearAndDraw(const ImagePtr& image) {
  Cls();
  SetBlend(ALPHABLEND);
  SetTransform(0, 1, 1);
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  DrawImage(image, 0, 0);
}

}  // namespace

void TTitleScreen::loadGfx() {
  levelSelectorPlate = LoadImage(LoadJPEG2000(bundleDir + "gfx/gui/pod-selector.jp2"));
  if (!levelSelectorPlate) Print("Cannot load the picture " + bundleDir + "gfx/gui/pod-selector.png");
  titleImage = LoadTitlePicture(bundleDir + "gfx/title/glyphor-title.jpg", 0);
  hiscoresImage = LoadTitlePicture(bundleDir + "gfx/title/hiscores.jpg", 0);
  creditsImage = LoadTitlePicture(bundleDir + "gfx/title/credits.jpg", 0);
  selectorCaption = LoadTitlePicture(bundleDir + "gfx/fonts/download4.png", DEFAULT_IMAGE_FLAGS);
  if (optionsWindow) optionsWindow->selectorBackground = levelSelectorPlate;
}

void TTitleScreen::Prepare() {
  alpha = 0.0f;
  terminateRequested = 0;
  choice = kNoChoice;
}

void TTitleScreen::playMusic() {
  if (musicPlaying == 0) music = playMusicStream(bundleDir + kTitleSong, kTitleLoopSong, 1.0f);
  musicPlaying = 1;
}

void TTitleScreen::stopMusic() {
  musicPlaying = 0;
  if (music) {
    music->stop();
    music->free();
    music = nullptr;
  }
}

void TTitleScreen::updateMusic() {
  if (music) music->update();
}

void TTitleScreen::show() {
  SetBlend(ALPHABLEND);
  SetColor(255, 255, 255);
  SetTransform(0, 1, 1);
  playMusic();
  fadeInTitle();
  optionsWindow->SetState(TOptionsWindow::kMainMenu, 1, kMenuX, kMenuY);
  optionsWindow->levelMusic = music;
  alpha = 0.0f;
  idleStart_ = MilliSecs();
  idleCounter_ = 0;
  lastMouseX_ = 0;
  lastMouseY_ = 0;
  titleMode_ = 0;
  while (terminateRequested == 0 && choice == kNoChoice) menuFrame();
  // A close request that came during a fade (of the title, the hiscores or the credits) quits
  // as one in the menu does: returning without a choice would send the main loop into a level.
  if (terminateRequested != 0) choice = kQuit;
  stopMusic();
  if (choice == kQuit) End();
  TSpark::destroyAll();
  optionsWindow->levelMusic = nullptr;
}

void TTitleScreen::fadeInTitle() {
  // Neither clears the screen nor draws the cursor; 51 frames from 0.
  while (alpha < 1.0f) {
    mouse->fetchState();
    alpha += kFadeStep;
    SetAlpha(alpha);
    DrawImage(titleImage, 0, 0);
    Flip(-1);
    PollSystem();
    if (AppTerminate()) terminateRequested = 1;
    updateMusic();
  }
}

void TTitleScreen::menuFrame() {
  ClearAndDraw(titleImage);
  alpha += kFadeStep;
  if (alpha > 1.0f) alpha = 1.0f;
  SetAlpha(alpha);
  checkProfiles();
  greet();
  optionsWindow->Update();
  optionsWindow->Draw();
  EmitTitleBurstSpark();
  // At the position polled in the previous frame.
  EmitCursorSpark();
  TSpark::UpdateAll();
  mouse->fetchState();
  mouse->Draw();
  Flip(-1);
  PollSystem();
  runCommands();
  // The loop runs only while no choice is made, so a choice now is this frame's command's.
  idleStep(choice != kNoChoice);
  if (AppTerminate()) choice = kQuit;
  updateMusic();
}

void TTitleScreen::checkProfiles() {
  if (!profile || profile->GetProfilesList()->Count() != 0) return;
  profileLoader->show(TProfileLoader::kFirstRun);
  alpha = 1.0f;
  optionsWindow->alpha = 1.0f;
  idleStart_ = MilliSecs();
  SetColor(255, 255, 255);
}

void TTitleScreen::greet() {
  const TextPtr& greeting = optionsWindow->greeting;
  if (!greeting) return;
  greeting->text = profile && profile->current ? profile->current->name : String();
  greeting->dim->x = kGreetingCentreX - greeting->Width() / 2.0f;
}

void TTitleScreen::restartIdleTimer() { idleStart_ = MilliSecs(); }

void TTitleScreen::idleStep(bool choiceMade) {
  if (optionsWindow->state != TOptionsWindow::kMainMenu) restartIdleTimer();
  if (mouse->x != lastMouseX_ || mouse->y != lastMouseY_) restartIdleTimer();
  lastMouseX_ = mouse->x;
  lastMouseY_ = mouse->y;
  if (choiceMade || ElapsedMs(MilliSecs(), idleStart_) <= kIdleMs) return;
  ++idleCounter_;
  if (idleCounter_ > kIdleLast) idleCounter_ = 0;
  if (idleCounter_ == kIdleCredits) showCredits();
  if (idleCounter_ == kIdleHiscores) showHiscores(1);
  restartIdleTimer();
}

void TTitleScreen::crossFade(const ImagePtr& from, const std::function<void(float)>& overFrom,
                             const ImagePtr& to, const std::function<void(float)>& overTo,
                             bool clear, bool withMenu) {
  while (alpha < 1.0f) {
    if (clear) Cls();
    SetBlend(ALPHABLEND);
    SetTransform(0, 1, 1);
    SetColor(255, 255, 255);
    mouse->fetchState();
    alpha += kFadeStep;
    const float fromAlpha = 1.0f - alpha;
    SetAlpha(fromAlpha);
    DrawImage(from, 0, 0);
    if (overFrom) overFrom(fromAlpha);
    SetAlpha(alpha);
    DrawImage(to, 0, 0);
    if (overTo) overTo(alpha);
    if (withMenu) {
      optionsWindow->Update();
      optionsWindow->Draw();
    }
    EmitCursorSpark();
    TSpark::UpdateAll();
    mouse->Draw();
    Flip(-1);
    PollSystem();
    if (AppTerminate()) terminateRequested = 1;
    updateMusic();
  }
}

void TTitleScreen::beginDisplayFrame(const ImagePtr& background) {
  mouse->fetchState();
  ClearAndDraw(background);
}

void TTitleScreen::showDisplayFrame() {
  EmitCursorSpark();
  TSpark::UpdateAll();
  mouse->Draw();
  Flip(-1);
  PollSystem();
  readExitInput();
}

void TTitleScreen::readExitInput() {
  if (AppTerminate()) choice = kQuit;
  if (mouse->hit1 != 0) choice = kLeaveScreen;
  // Space is read only when Enter was not hit.
  if (KeyHit(KEY_ENTER) != 0 || KeyHit(KEY_SPACE) != 0) choice = kLeaveScreen;
}

void TTitleScreen::leaveDisplay() {
  if (choice == kQuit) End();
  choice = kNoChoice;
  alpha = 0.0f;
  optionsWindow->alpha = 0.0f;
}
