// The portal screens and the loading screen's hand-over to them.
#include "program/portal_screen.h"

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "datafiles/bca_archive.h"
#include "platform/system.h"
#include "program/loading.h"
#include "program/title_screen.h"

namespace {

constexpr int32_t kDoMagicAloneMs = 3500;   // the closing animation when there is no screen
constexpr int32_t kDoMagicBeforeMs = 5000;  // before a first screen over the loading background
constexpr int32_t kBlackHandOverWaitMs = 500;  // the loading picture stands before going black
constexpr float kHandOverStep = 0.05f;

void ShowPortalFrame() {
  PollSystem();
  Flip(-1);
  if (titleScreen) titleScreen->updateMusic();
}

// The loading picture stands 500 ms, then fades to black (19 frames shown).
void HandOverToBlack(TLoading& screen) {
  delta = 1.0;
  if (titleScreen) titleScreen->playMusic();
  const int32_t start = MilliSecs();
  for (;;) {
    if (ElapsedMs(MilliSecs(), start) > kBlackHandOverWaitMs) {
      screen.bgAlpha -= kHandOverStep;
      screen.logoAlpha -= kHandOverStep;
      screen.ballAlpha -= kHandOverStep;
    }
    if (screen.bgAlpha < 0.0f) return;
    screen.Draw();
    ShowPortalFrame();
  }
}

// The closing animation, then the logo fades out over the background (19 frames shown).
void HandOverOverBackground(TLoading& screen) {
  screen.doMagic(kDoMagicBeforeMs);
  for (;;) {
    screen.logoAlpha -= kHandOverStep;
    if (screen.logoAlpha < 0.0f) return;
    screen.Draw();
    ShowPortalFrame();
  }
}

void ShowScreen(const TLoading& loadingScreen, TPortalScreen& portal) {
  const int32_t start = MilliSecs();
  for (;;) {
    Cls();
    if (portal.fullscreen == 0) {
      SetAlpha(1.0f);
      DrawImage(loadingScreen.bgImage, 0, 0);
    }
    portal.Draw();
    if (ElapsedMs(MilliSecs(), start) > TPortalScreen::kHoldMs)
      portal.fadeDirection = TPortalScreen::kFadingOut;
    if (portal.active == 0) return;  // this frame is not shown
    ShowPortalFrame();
  }
}

}  // namespace

PortalScreenPtr TPortalScreen::Create(const std::string& imagePath, int32_t x, int32_t y,
                                      int32_t fullscreen) {
  PortalScreenPtr screen = std::make_shared<TPortalScreen>();
  screen->x = x;
  screen->y = y;
  if (!imagePath.empty()) {
    screen->image = LoadTitlePicture(imagePath, DEFAULT_IMAGE_FLAGS);
    screen->fullscreen = fullscreen;
  }
  screen->fadeDirection = kFadingIn;
  screen->active = 1;
  screen->alpha = 0.0f;
  return screen;
}

int32_t TPortalScreen::Draw() {
  if (fadeDirection == kFadingIn) {
    alpha += kFadeStep;
    if (alpha > 1.0f) {
      alpha = 1.0f;
      fadeDirection = kHolding;
    }
  } else if (fadeDirection == kFadingOut) {
    alpha -= kFadeStep;
    if (alpha < 0.0f) {
      alpha = 0.0f;
      active = 0;
    }
  }
  SetAlpha(alpha);
  if (fullscreen != 0) DrawImage(image, 0, 0);
  else DrawImage(image, static_cast<float>(x), static_cast<float>(y));
  return 0;
}

TListPtr<PortalScreenPtr> ReadPortalScreens(const TSCFilePtr& tsc) {
  TListPtr<PortalScreenPtr> screens = CreateList<PortalScreenPtr>();
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, u"");
  for (const TSCGroupPtr& group : *groups) {
    const String image = GetTSCStringKey(tsc, group->name, u"Image");
    const int32_t x = GetTSCWholeNumberKey(tsc, group->name, u"X");
    const int32_t y = GetTSCWholeNumberKey(tsc, group->name, u"Y");
    const int32_t fullscreen = GetTSCWholeNumberKey(tsc, group->name, u"Fullscreen");
    screens->AddLast(TPortalScreen::Create(ToPath(image), x, y, fullscreen));
  }
  return screens;
}

int32_t TLoading::PortalScreens() {
  TSCFilePtr tsc = CreateTSCFile();
  LoadTSCFileBB(tsc, bundleDir + "data/settings_lp.bca", u"portalScreens.tsc");
  // Every picture is loaded before anything is shown.
  TListPtr<PortalScreenPtr> screens = ReadPortalScreens(tsc);
  ShowPortalScreens(*this, screens);
  screens->Clear();
  return 0;
}

void ShowPortalScreens(TLoading& loadingScreen, const TListPtr<PortalScreenPtr>& screens) {
  if (screens->Count() == 0) {
    loadingScreen.doMagic(kDoMagicAloneMs);
    return;
  }
  if (screens->First()->fullscreen != 0) HandOverToBlack(loadingScreen);
  else HandOverOverBackground(loadingScreen);
  for (const PortalScreenPtr& portal : *screens) ShowScreen(loadingScreen, *portal);
}
