// The two options screens of the menu window: music and sound volume in tenths, shown as bars of
// segments, and the full-screen box; state 1 from the main menu (with hiscores and credits),
// state 7 inside a game. The window acts on these clicks itself, in memory only: the options file
// is written at the program's own save points.

#include "services/graphics_mode.h"
#include "services/options.h"
#include "services/sfx.h"
#include "game/pieces/blocks_manager.h"
#include "platform/text.h"
#include "screens/menu/menu_buttons.h"
#include "screens/menu/options_window.h"
#include "screens/menu/volume_bar.h"
#include "toolkit/button.h"
#include "toolkit/container.h"

namespace {

using menu_buttons::Add;
using menu_buttons::Centre;
using menu_buttons::Show;

constexpr int32_t kMusicDown = 40;
constexpr int32_t kMusicUp = 41;
constexpr int32_t kSoundDown = 42;
constexpr int32_t kSoundUp = 43;
constexpr int32_t kTickedBox = 44;  // shown while full screen: a click goes to a window
constexpr int32_t kEmptyBox = 45;   // shown while in a window: a click goes full screen
constexpr int32_t kBack = 46;
constexpr int32_t kOptionsHiscores = 12;
constexpr int32_t kOptionsCredits = 13;

constexpr int kOptionsCaptionMainMenu = 6;
constexpr int kCaptionBackToGame = 18;
constexpr int kCaptionMusicLabel = 19;
constexpr int kCaptionSoundLabel = 20;
constexpr int kCaptionFullScreenLabel = 21;
constexpr int kCaptionHiscores = 30;
constexpr int kCaptionCredits = 31;

constexpr int32_t kFullScreenMode = 1;  // options->screenMode of a full screen
constexpr int32_t kWindowMode = 0;      // what these screens store for a window

// Where the controls of a screen lie; the in-game screen has them 87 pixels higher and has no
// hiscores or credits.
struct Layout {
  float musicRowY;   // the music buttons
  float soundRowY;   // the sound buttons
  float boxY;        // the full-screen box
  float backY;       // the back button
  float musicBarY;   // segment centres of the music bar
  float soundBarY;
  float musicLabelY;
  float soundLabelY;
  float boxLabelY;
};
constexpr Layout kTitleLayout = {300, 360, 408, 520, 299, 359, 271, 336, 407};
constexpr Layout kInGameLayout = {213, 273, 321, 368, 212, 272, 184, 249, 320};

// Horizontal places, from the window's x.
constexpr float kMinusDx = 75.0f;
constexpr float kPlusDx = 268.0f;
constexpr float kBoxDx = 245.0f;
constexpr float kOptionsCentreX = 400.0f;
constexpr float kBoxLabelX = 390.0f;
constexpr float kHiscoresY = 450.0f;
constexpr float kCreditsY = 485.0f;

const Layout& LayoutOf(int32_t state) {
  return state == TOptionsWindow::kOptions ? kTitleLayout : kInGameLayout;
}

bool FullScreenOpen() {
  GraphicsPtr g = CurrentGraphics();
  return g && g->depth != 0;
}

}  // namespace

void TOptionsWindow::buildOptionsScreen() {
  const Layout& at = LayoutOf(state);
  const float fx = static_cast<float>(x);
  Add(kMusicDown, minusImage, fx + kMinusDx, at.musicRowY, kMusicDown);
  Add(kMusicUp, plusImage, fx + kPlusDx, at.musicRowY, kMusicUp);
  Add(kSoundDown, minusImage, fx + kMinusDx, at.soundRowY, kSoundDown);
  Add(kSoundUp, plusImage, fx + kPlusDx, at.soundRowY, kSoundUp);
  Add(kTickedBox, tickedBox, fx + kBoxDx, at.boxY, kTickedBox);
  Add(kEmptyBox, emptyBox, fx + kBoxDx, at.boxY, kEmptyBox);
  if (state == kOptions) {
    Add(kOptionsHiscores, captionImages[kCaptionHiscores], kOptionsCentreX, kHiscoresY,
        kOptionsHiscores);
    Add(kOptionsCredits, captionImages[kCaptionCredits], kOptionsCentreX, kCreditsY,
        kOptionsCredits);
    Add(kBack, captionImages[kOptionsCaptionMainMenu], kOptionsCentreX, at.backY, kBack);
  } else {
    Add(kBack, captionImages[kCaptionBackToGame], kOptionsCentreX, at.backY, kBack);
  }
  Centre({kMusicDown, kMusicUp, kSoundDown, kSoundUp, kTickedBox, kEmptyBox}, nullptr);
  if (state == kOptions) Centre({kOptionsHiscores, kOptionsCredits}, nullptr);
  Centre({kBack}, buttonGlow);
  const bool full = options && options->screenMode == kFullScreenMode;
  Show(full ? kEmptyBox : kTickedBox, false);
}

void TOptionsWindow::actOnOptionsClick() {
  switch (result) {
    case kMusicDown:
    case kMusicUp:
      if (!options) return;
      options->musicVol = result == kMusicUp ? volume_bar::StepUp(options->musicVol)
                                             : volume_bar::StepDown(options->musicVol);
      if (levelMusic) setStreamVolume(levelMusic, options->musicVol);
      break;
    case kSoundDown:
    case kSoundUp:
      if (!options) return;
      options->soundVol = result == kSoundUp ? volume_bar::StepUp(options->soundVol)
                                             : volume_bar::StepDown(options->soundVol);
      // A sample at the new volume; its channel is not kept.
      playSound2(blocks ? blocks->rotateSound : nullptr, nullptr, 0);
      break;
    case kTickedBox:
      switchToWindow();
      break;
    case kEmptyBox:
      switchToFullScreen();
      break;
    case kBack:
      SetState(state == kOptions ? kMainMenu : context, 0, kOriginX, kOriginY);
      break;
    default:
      break;
  }
}

void TOptionsWindow::switchToWindow() {
  if (options) options->screenMode = kWindowMode;
  SetGraphicsMode(2, 800, 600, 32);
  Show(kEmptyBox, true);
  Show(kTickedBox, false);
}

void TOptionsWindow::switchToFullScreen() {
  // Judged by the screen that is open afterwards: when full screen could not be had the game
  // goes on in its window and the box and the stored mode say so.
  const int32_t before = options ? options->screenMode : kWindowMode;
  if (options) options->screenMode = kFullScreenMode;
  SetGraphicsMode(kFullScreenMode, 800, 600, 32);
  if (!FullScreenOpen()) {
    if (options) options->screenMode = before;
    Print("Full screen could not be opened; the game stays in its window.");
    return;
  }
  Show(kEmptyBox, false);
  Show(kTickedBox, true);
}

void TOptionsWindow::drawOptionsExtras() {
  const Layout& at = LayoutOf(state);
  if (data)
    for (int32_t key : PollKeys(state)) data->Draw(key);
  // The last visible button has put the opacity back to full for the bars.
  const float barX = static_cast<float>(x);
  if (options) {
    volume_bar::Draw(volumeSegment, options->musicVol, barX, at.musicBarY);
    volume_bar::Draw(volumeSegment, options->soundVol, barX, at.soundBarY);
  }
  SetAlpha(1.0f);
  SetColor(255, 255, 255);
  SetRotation(0.0f);
  SetScale(1.0f, 1.0f);
  DrawImage(captionImages[kCaptionMusicLabel], kOptionsCentreX, at.musicLabelY, 0);
  DrawImage(captionImages[kCaptionSoundLabel], kOptionsCentreX, at.soundLabelY, 0);
  DrawImage(captionImages[kCaptionFullScreenLabel], kBoxLabelX, at.boxLabelY, 0);
}
