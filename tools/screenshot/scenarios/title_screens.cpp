// The front door: the loading screen with its balls and logo, the portal screens, and the title
// screen fading in and showing its menu with a player's name.
#include <memory>
#include <string>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/song_manager.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "profiles/hiscores.h"
#include "profiles/profile_manager.h"
#include "scenario.h"
#include "scene_setups.h"
#include "screens/menu/options_window.h"
#include "screens/profiles/profile_loader.h"
#include "program/loading.h"
#include "program/portal_screen.h"
#include "program/title_screen.h"
#include "toolkit/container.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace {

using screenshot::OptionsOverTitle;
using screenshot::SetupLoading;
using screenshot::SetupTitle;

// Frames from now.
int FrameIn(int frames) { return headless::FrameNumber() + frames; }

}  // namespace

SCENARIO("loading-screen", "fading in, ball 2 lighting, the logo half in with sparks, then full") {
  if (!SetupLoading()) return;
  headless::SetFrameCap(FrameIn(600));
  ctx.capture(FrameIn(10), "loading-fade-in.png");
  loading->fadeInBg();
  loading->fadeInBall(0);
  loading->fadeInBall(1);
  ctx.capture(FrameIn(5), "loading-ball-2.png");
  loading->fadeInBall(2);
  ctx.capture(FrameIn(25), "loading-logo-half.png");
  ctx.capture(FrameIn(215), "loading-logo-full.png");
  loading->doMagic(5000);
  TSpark::destroyAll();
}

SCENARIO("portal-screens", "the team plaque over the loading background; a full-screen screen") {
  if (!SetupLoading()) return;
  headless::SetFrameCap(FrameIn(1500));
  loading->fadeInBg();
  for (int n = 0; n < TLoading::kBallCount; ++n) loading->fadeInBall(n);
  // The shipped list: the closing animation (about 300 frames), the logo going, the plaque.
  ctx.capture(FrameIn(300 + 19 + 60), "portal-plaque.png");
  loading->PortalScreens();
  TSpark::destroyAll();
  // A list made here: one full-screen picture on black.
  TListPtr<PortalScreenPtr> screens = CreateList<PortalScreenPtr>();
  screens->AddLast(TPortalScreen::Create("gfx/title/credits.jpg", 0, 0, 1));
  loading->bgAlpha = 1.0f;
  ctx.capture(FrameIn(31 + 19 + 10), "portal-full-screen-fading-in.png");
  ctx.capture(FrameIn(31 + 19 + 60), "portal-full-screen.png");
  ShowPortalScreens(*loading, screens);
}

SCENARIO("title-screen", "the title fading in, then the main menu greeting a player") {
  if (!SetupTitle()) return;
  headless::SetFrameCap(FrameIn(400));
  headless::MouseMoveAt(FrameIn(60), 520, 300);
  ctx.capture(FrameIn(25), "title-fading-in.png");
  ctx.capture(FrameIn(51 + 120), "title-menu.png");
  headless::CloseRequestAt(FrameIn(51 + 125));
  titleScreen->Prepare();
  titleScreen->show();  // ends the program: the runner takes it as the scenario's end
}

SCENARIO("title-hiscores", "the hiscores fading in, the quest table typed, the time-attack "
                           "table, the fade back and the menu returning") {
  if (!SetupTitle()) return;
  const char16_t* names[] = {u"ilse", u"morwen", u"tam", u"wren", u"bo", u"ansel", u"edda"};
  for (int i = 0; i < 7; ++i) {
    hiscore->add(names[i], 4200 + 1375 * i, 0, HISCORE_QUEST, u"1 Mar 2026", u"null");
    hiscore->add(names[i], 900 + 611 * i, 0, HISCORE_ENDLESS, u"2 Mar 2026", u"level_01.tsc");
    if (i < 4)
      hiscore->add(names[i], 300 + 97 * i, 0, HISCORE_TIME_ATTACK, u"3 Mar 2026", u"level_02.tsc");
  }
  OptionsOverTitle();
  headless::SetFrameCap(FrameIn(1300));
  // The quest table's clock starts at entry: the endless table comes after about 360 frames,
  // the time-attack table after 720, the fade back after 1080.
  ctx.capture(FrameIn(25), "hiscores-fade-in.png");
  ctx.capture(FrameIn(220), "hiscores-quest.png");
  ctx.capture(FrameIn(1000), "hiscores-time-attack.png");
  ctx.capture(FrameIn(1105), "hiscores-fade-out.png");
  ctx.capture(FrameIn(1133), "hiscores-menu-back.png");
  titleScreen->showHiscores(1);
  TSpark::destroyAll();
}

SCENARIO("title-credits", "page 1 being written, page 11 complete, a page at half alpha, page "
                          "16 and the fade back") {
  if (!SetupTitle()) return;
  OptionsOverTitle();
  headless::SetFrameCap(FrameIn(5100));
  // Each page lasts 301 frames from the end of the 51-frame fade-in.
  const int page = 301;
  ctx.capture(FrameIn(51 + 14), "credits-page-1-writing.png");
  ctx.capture(FrameIn(51 + 10 * page + 235), "credits-page-11.png");
  ctx.capture(FrameIn(51 + page + 255), "credits-page-2-half.png");
  ctx.capture(FrameIn(51 + 15 * page + 200), "credits-page-16.png");
  ctx.capture(FrameIn(51 + 16 * page + 25), "credits-fade-out.png");
  titleScreen->showCredits();
  TSpark::destroyAll();
}
