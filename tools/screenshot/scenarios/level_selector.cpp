// The level selector of the endless and time-attack games over the title picture, opened by the
// title's own command on the modes screen: the time-attack list with the preview shown, the
// quest levels reached, and the preview fading out after a step to the next board.
#include <memory>
#include <string>

#include "services/mouse.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/list.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "scenario.h"
#include "screens/menu/board_selector.h"
#include "screens/menu/options_window.h"
#include "program/title_screen.h"
#include "support/board_game.h"

namespace {

// The board game with the title's pictures, the player's reached quest levels given.
bool Prepare(std::initializer_list<const char16_t*> revealed) {
  if (!Graphics(800, 600, 0, 60, 0)) return false;
  test_support::MakeBoardGame("Morwen");
  titleScreen->loadGfx();
  TListPtr<String> list = CreateList<String>();
  for (const char16_t* name : revealed) list->AddLast(name);
  profile->SetList(u"revealedLevels", list, 0);
  return true;
}

// Opens the selector as the title does when time attack is chosen on the modes screen, the
// window already faded in.
void OpenForTimeAttack() {
  optionsWindow->SetState(TOptionsWindow::kModes, 1, TOptionsWindow::kOriginX,
                          TOptionsWindow::kOriginY);
  optionsWindow->alpha = 1.0f;
  optionsWindow->result = 62;
  titleScreen->runCommands();
}

// The title's frames over the selector: its picture, the greeting, the window, the cursor.
void Host(int frames) {
  for (int i = 0; i < frames; ++i) {
    PollSystem();
    mouse->fetchState();
    screenshot::DrawWholeScreen(titleScreen->titleImage);
    optionsWindow->greeting->text = u"morwen";
    optionsWindow->greeting->dim->x = 400.0f - optionsWindow->greeting->Width() / 2.0f;
    optionsWindow->Update();
    optionsWindow->Draw();
    mouse->Draw();
    Flip(-1);
    // The title acts on the clicks of the selector (next, previous, the list buttons).
    titleScreen->runCommands();
  }
}

int In(int frames) { return headless::FrameNumber() + frames; }

}  // namespace

SCENARIO("level-selector", "the time-attack list's first board previewed, the pointer on play") {
  if (!Prepare({u"level_01.tsc"})) return;
  OpenForTimeAttack();
  headless::MouseMoveAt(In(2), 280, 310);
  ctx.capture(In(40), "level-selector.png");
  Host(40);
}

SCENARIO("level-selector-quest", "the quest levels reached, switched to from the time-attack "
                                 "list, the tick beside them") {
  if (!Prepare({u"level_03.tsc", u"level_01.tsc"})) return;
  OpenForTimeAttack();
  headless::MouseMoveAt(In(2), 280, 380);
  headless::MouseClickAt(In(4), 1);
  headless::MouseMoveAt(In(10), 600, 560);
  ctx.capture(In(40), "level-selector-quest.png");
  Host(40);
}

SCENARIO("level-selector-fade", "the preview fading out half-way after next, then the next "
                                "board fading in") {
  if (!Prepare({u"level_01.tsc"})) return;
  OpenForTimeAttack();
  headless::MouseMoveAt(In(20), 515, 510);
  headless::MouseClickAt(In(22), 1);
  ctx.capture(In(30), "level-selector-fade-out.png");
  ctx.capture(In(40), "level-selector-fade-in.png");
  Host(45);
}
