// The real start-up from a fresh home, then the main loop: the loading screen mid-way, the first
// portal screen, the entry of the first profile's name, and the title's main menu.
#include <memory>

#include "program/main_loop.h"
#include "program/start_up.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "profiles/profile_manager.h"
#include "scenario.h"
#include "screens/menu/options_window.h"
#include "screens/profiles/profile_loader.h"
#include "program/loading.h"

namespace {

// Frames after the loading screen's closing animation until the plaque has faded in.
constexpr int kPlaqueShown = 19 + 60;
// Frames the title's menu is left to settle before its picture.
constexpr int kMenuSettled = 30;

}  // namespace

SCENARIO("startup", "the real start-up from a fresh home up to the title's main menu") {
  bool loadingTaken = false, portalTaken = false, entryTaken = false, menuTaken = false;
  ctx.onFrame([&](int frame) {
    if (!loadingTaken && loading && loading->currentBall == 2 && loading->ballAlpha >= 0.5f) {
      loadingTaken = true;
      ctx.capture("startup-1-loading.png");
    }
    if (!portalTaken && loading && loading->magicPhase == TLoading::kFinished) {
      portalTaken = true;
      ctx.capture(frame + kPlaqueShown, "startup-2-portal.png");
    }
    if (!entryTaken && profileLoader && profileLoader->mode == TProfileLoader::kFirstRun &&
        profileLoader->fadeAlpha >= 1.0f) {
      entryTaken = true;
      ctx.capture("startup-3-first-profile.png");
      headless::TypeAt(frame + 1, u"Morwen");
      headless::KeyPressAt(frame + 12, KEY_ENTER);  // after one character a frame
    }
    if (entryTaken && !menuTaken && profile && profile->profiles->Count() != 0 && optionsWindow &&
        optionsWindow->state == TOptionsWindow::kMainMenu && optionsWindow->alpha >= 1.0f) {
      menuTaken = true;
      ctx.capture(frame + kMenuSettled, "startup-4-title-menu.png");
      headless::CloseRequestAt(frame + kMenuSettled + 1);
    }
  });
  StartUp();
  RunGame();
}
