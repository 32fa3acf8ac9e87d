// The two tutorial pages as a new quest shows them: the main page with its row demonstration
// sparkling, the comets flying after the row clears, the column variant of the next cycle and
// the play button lit; the boss page with its runes appearing, sparkling and bursting.
#include <memory>
#include <string>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/magic_sphere.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "profiles/profile_manager.h"
#include "scenario.h"
#include "scene_setups.h"
#include "screens/tutorial/tutorial.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

using screenshot::LoadTutorialScene;

SCENARIO("tutorial", "the main tutorial page: row sparkling, comets, column variant, play lit") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  LoadTutorialScene();
  const int start = headless::FrameNumber();
  const int page = start + 15;  // after the fade-in
  headless::MouseMoveAt(start, 560, 520);
  ctx.capture(page + 140, "tutorial-row-sparkling.png");
  ctx.capture(page + 200, "tutorial-comets.png");
  ctx.capture(page + 290 + 140, "tutorial-column.png");
  headless::MouseMoveAt(page + 460, 400, 582);
  ctx.capture(page + 465, "tutorial-play-lit.png");
  headless::MouseClickAt(page + 470, 1);
  tutorial->show(0);
}

SCENARIO("boss-tutorial", "the boss tutorial: runes appearing, sparkling, the comet burst") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  LoadTutorialScene();
  const int start = headless::FrameNumber();
  const int page = start + 15;
  headless::MouseMoveAt(start, 640, 470);
  ctx.capture(page + 150, "boss-tutorial-appearing.png");
  ctx.capture(page + 335, "boss-tutorial-sparkle.png");
  ctx.capture(page + 392, "boss-tutorial-burst.png");
  headless::KeyPressAt(page + 400, 27);
  tutorial->show2(0);
}
