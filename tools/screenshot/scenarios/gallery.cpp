// The gallery over the title music: the first revealed picture faded in, a cross-fade to the
// next one half done, the difficulty window of a replay, and a visit with nothing revealed.
#include <memory>
#include <string>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "game/levels/slides_manager.h"
#include "play/puzzle/puzzle_manager.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "profiles/profile_manager.h"
#include "scenario.h"
#include "program/gallery.h"
#include "screens/menu/options_window.h"
#include "program/title_screen.h"
#include "toolkit/container.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace {

// What start-up and the title screen have set up when the title menu opens the gallery; the
// profile has revealed the given level backgrounds.
void OpenFromTitle(const std::vector<const char16_t*>& revealed) {
  screenshot::LoadScrollResources();
  options = std::make_shared<TOptions>();
  mouse = std::make_shared<TMouse>();
  mouse->loadCursor("gfx/gui/kursor.png", 14, 6);
  deltaTime = TDeltaTime::Create(60.0f);
  delta = 1.0;
  globalSnd = std::make_shared<TGlobalSnd>();
  LoadProgramFonts();
  optionsWindow = std::make_shared<TOptionsWindow>();
  optionsWindow->loadGfx();
  slides = std::make_shared<TSlidesManager>();
  puzzle = std::make_shared<TPuzzleManager>();
  profile = std::make_shared<TProfileManager>();
  profile->current = std::make_shared<TProfile>();
  profile->current->tscFile = CreateTSCFile();
  TListPtr<String> list = CreateList<String>();
  for (const char16_t* path : revealed) list->AddLast(path);
  profile->current->SetList(u"revealedImages", list);
  titleScreen = std::make_shared<TTitleScreen>();
  titleScreen->playMusic();
  gallery = std::make_shared<TGallery>();
  gallery->loadGfx();
}

}  // namespace

SCENARIO("gallery", "the first picture, a cross-fade, the difficulty window, an empty gallery") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  OpenFromTitle({u"gfx/slides/3a.jpg", u"gfx/slides/1a.jpg", u"gfx/slides/7a.jpg"});
  int start = headless::FrameNumber();
  headless::MouseMoveAt(start, 470, 430);
  ctx.capture(start + 60, "gallery-first.png");
  headless::MouseMoveAt(start + 62, 442, 522);  // next
  headless::MouseClickAt(start + 64, 1);
  ctx.capture(start + 90, "gallery-cross-fade.png");
  headless::MouseMoveAt(start + 130, 670, 512);  // play puzzle
  headless::MouseClickAt(start + 132, 1);
  headless::MouseMoveAt(start + 150, 400, 243);
  ctx.capture(start + 170, "gallery-difficulty.png");
  headless::MouseMoveAt(start + 172, 400, 358);  // back to the gallery
  headless::MouseClickAt(start + 174, 1);
  headless::MouseMoveAt(start + 180, 400, 584);  // leave
  headless::MouseClickAt(start + 182, 1);
  gallery->show();
  TSpark::destroyAll();

  OpenFromTitle({});
  start = headless::FrameNumber();
  headless::MouseMoveAt(start, 640, 300);
  ctx.capture(start + 40, "gallery-empty.png");
  headless::MouseMoveAt(start + 42, 400, 584);
  headless::MouseClickAt(start + 44, 1);
  gallery->show();
  titleScreen->stopMusic();
}
