// The profile screen (the list, and the first-run entry fading in) and the hiscores table being
// written out, over the title's pictures.
#include <memory>
#include <string>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/points_manager.h"
#include "game/levels/slides_manager.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/hiscores.h"
#include "profiles/profile_manager.h"
#include "scenario.h"
#include "screens/hiscores/hiscores_screen.h"
#include "screens/menu/options_window.h"
#include "screens/profiles/profile_loader.h"
#include "program/title_screen.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace {

bool Setup() {
  if (!Graphics(800, 600, 0, 60, 0)) return false;
  GetDataFolders();
  options = std::make_shared<TOptions>();
  mouse = std::make_shared<TMouse>();
  mouse->loadCursor(bundleDir + "gfx/gui/kursor.png", 14, 6);
  delta = 1.0;
  LoadProgramFonts();
  loadSparkImage(0, bundleDir + "gfx/gwiazdki/gradball.png");
  for (int k = 1; k <= 3; ++k)
    loadSparkImage(k, bundleDir + "gfx/gwiazdki/" + std::to_string(k) + ".png");
  return true;
}

// The profile screen over the title, with the game objects start-up makes before it: a profile
// chosen or made there is loaded into the sequencer, the points, the level and the slides.
void SetupProfileScreen() {
  sequencer = std::make_shared<TLevelSequencer>();
  points = std::make_shared<TPointsManager>();
  level = std::make_shared<TLevelManager>();
  slides = std::make_shared<TSlidesManager>();
  profile = TProfileManager::Create(myDocsFolder + "/profiles-levelpack", "dat");
  optionsWindow = std::make_shared<TOptionsWindow>();
  optionsWindow->loadGfx();
  optionsWindow->x = TOptionsWindow::kOriginX;
  optionsWindow->y = TOptionsWindow::kOriginY;
  titleScreen = std::make_shared<TTitleScreen>();
  titleScreen->titleImage = LoadImage(bundleDir + "gfx/title/glyphor-title.jpg", 0);
  profileLoader = std::make_shared<TProfileLoader>();
  profileLoader->Load();
}

// A click on a button of a menu of the profile screen at frame `frame`.
void ClickAt(const MenuPtr& menu, int id, int frame) {
  ButtonPtr b = menu->GetItem(id);
  if (!b) return;
  headless::MouseMoveAt(frame, static_cast<int>(b->dim->x + b->dim->width / 2),
                        static_cast<int>(b->dim->y + b->dim->height / 2));
  headless::MouseClickAt(frame + 1, 1);
}

}  // namespace

SCENARIO("profile-list", "four profiles, the second one selected with its bar, the buttons") {
  if (!Setup()) return;
  SetupProfileScreen();
  for (const char16_t* name : {u"ilse", u"morwen", u"tam", u"wren"}) profile->NewProfile(name);
  profile->SelectProfile(u"ilse");
  headless::MouseMoveAt(2, 400, 283);
  headless::MouseClickAt(3, 1);  // morwen
  headless::MouseMoveAt(10, 470, 600);
  ctx.capture(40, "profile-list.png");
  ClickAt(profileLoader->listMenu, TProfileLoader::kCancel, 45);
  headless::SetFrameCap(200);
  profileLoader->show(TProfileLoader::kList);
  TSpark::destroyAll();
}

SCENARIO("profile-first-run", "the first-run name entry half faded in, a name typed") {
  if (!Setup()) return;
  SetupProfileScreen();
  headless::MouseMoveAt(0, 600, 420);
  headless::TypeAt(5, u"Morwen");
  ctx.capture(25, "profile-first-run.png");
  headless::KeyPressAt(40, KEY_ENTER);
  headless::SetFrameCap(200);
  profileLoader->show(TProfileLoader::kFirstRun);
  TSpark::destroyAll();
}

SCENARIO("hiscores", "the quest tab with its rows being written, later the endless tab") {
  if (!Setup()) return;
  hiscore = THiscores::Create(myDocsFolder + "/data/hiscores.dat");
  const char16_t* names[] = {u"ilse", u"morwen", u"Tam", u"wren", u"bo", u"ansel"};
  for (int i = 0; i < 6; ++i) {
    hiscore->add(names[i], 4200 + 1375 * i, 0, HISCORE_QUEST, u"1 Mar 2026", u"null");
    hiscore->add(names[i], 900 + 611 * i, 0, HISCORE_ENDLESS, u"2 Mar 2026", u"level_01.tsc");
  }
  ImagePtr background = LoadImage(bundleDir + "gfx/title/hiscores.jpg", 0);
  THiscoresScreen screen;
  screen.Load(hiscore->GetScores(HISCORE_QUEST, THiscoresScreen::kRowsShown));
  ctx.capture(70, "hiscores-quest.png");
  ctx.capture(430, "hiscores-endless.png");
  for (int frame = 0; frame < 430; ++frame) {
    PollSystem();
    mouse->fetchState();
    SetBlend(SOLIDBLEND);
    SetColor(255, 255, 255);
    SetAlpha(1.0f);
    DrawImage(background, 0, 0, 0);
    SetBlend(ALPHABLEND);
    screen.Update();
    screen.Draw();
    TSpark::UpdateAll();
    mouse->Draw();
    Flip(-1);
  }
  TSpark::destroyAll();
}
