// The front door: the loading screen with its balls and logo, the portal screens, and the title
// screen fading in and showing its menu with a player's name.
#include <memory>
#include <string>

#include "app/data_folders.h"
#include "app/delta_time.h"
#include "app/mouse.h"
#include "app/options.h"
#include "app/song_manager.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "scenario.h"
#include "screens/menu/options_window.h"
#include "screens/profiles/profile_loader.h"
#include "screens/title/loading.h"
#include "screens/title/portal_screen.h"
#include "screens/title/title_screen.h"
#include "toolkit/container.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace {

// The screen and the few singletons the loading and portal screens reach.
bool SetupLoading() {
  if (!Graphics(800, 600, 0, 60, 0)) return false;
  GetDataFolders();
  songManager = std::make_shared<TSongManager>();
  options = std::make_shared<TOptions>();
  mouse = std::make_shared<TMouse>();
  titleScreen = std::make_shared<TTitleScreen>();
  loading = std::make_shared<TLoading>();
  loadSparkImage(0, bundleDir + "gfx/gwiazdki/gradball.png");
  loading->setup();
  return true;
}

// Frames from now.
int In(int frames) { return headless::FrameNumber() + frames; }

}  // namespace

SCENARIO("loading-screen", "fading in, ball 2 lighting, the logo half in with sparks, then full") {
  if (!SetupLoading()) return;
  headless::SetFrameCap(In(600));
  ctx.capture(In(10), "loading-fade-in.png");
  loading->fadeInBg();
  loading->fadeInBall(0);
  loading->fadeInBall(1);
  ctx.capture(In(5), "loading-ball-2.png");
  loading->fadeInBall(2);
  ctx.capture(In(25), "loading-logo-half.png");
  ctx.capture(In(215), "loading-logo-full.png");
  loading->doMagic(5000);
  TSpark::destroyAll();
}

SCENARIO("portal-screens", "the team plaque over the loading background; a full-screen screen") {
  if (!SetupLoading()) return;
  headless::SetFrameCap(In(1500));
  loading->fadeInBg();
  for (int n = 0; n < TLoading::kBallCount; ++n) loading->fadeInBall(n);
  // The shipped list: the closing animation (about 300 frames), the logo going, the plaque.
  ctx.capture(In(300 + 19 + 60), "portal-plaque.png");
  loading->PortalScreens();
  TSpark::destroyAll();
  // A list made here: one full-screen picture on black.
  TListPtr<PortalScreenPtr> screens = CreateList<PortalScreenPtr>();
  screens->AddLast(TPortalScreen::Create("gfx/title/credits.jpg", 0, 0, 1));
  loading->bgAlpha = 1.0f;
  ctx.capture(In(31 + 19 + 10), "portal-full-screen-fading-in.png");
  ctx.capture(In(31 + 19 + 60), "portal-full-screen.png");
  ShowPortalScreens(*loading, screens);
}

SCENARIO("title-screen", "the title fading in, then the main menu greeting a player") {
  if (!SetupLoading()) return;
  data = std::make_shared<TContainer>();
  profile = TProfileManager::Create(myDocsFolder + "/profiles-levelpack", "dat");
  profile->NewProfile(u"morwen");
  profile->SelectProfile(u"morwen");
  optionsWindow = std::make_shared<TOptionsWindow>();
  profileLoader = std::make_shared<TProfileLoader>();
  LoadProgramFonts();
  for (int k = 1; k <= 3; ++k)
    loadSparkImage(k, bundleDir + "gfx/gwiazdki/" + std::to_string(k) + ".png");
  optionsWindow->loadGfx();
  titleScreen->loadGfx();
  profileLoader->Load();
  mouse->loadCursor(bundleDir + "gfx/gui/kursor.png", 14, 6);
  delta = 1.0;
  headless::SetFrameCap(In(400));
  headless::MouseMoveAt(In(60), 520, 300);
  ctx.capture(In(25), "title-fading-in.png");
  ctx.capture(In(51 + 120), "title-menu.png");
  headless::CloseRequestAt(In(51 + 125));
  titleScreen->Prepare();
  titleScreen->show();  // ends the program: the runner takes it as the scenario's end
}
