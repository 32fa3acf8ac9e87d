// The story screen playing part 1: the opening fade over the screen before it, the loading
// frame, the first page fading in and settled, Next under the pointer, the pan of a shared
// picture with its text cross-fading, a change of picture mid cross-fade, the five-line page and
// the closing fade.
#include <memory>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "scenario.h"
#include "scene_setups.h"
#include "screens/story/story.h"
#include "program/loading.h"

namespace {

// Frames before the page loop with the opening fade: 21 of it, the loading frame, 31 to page 1.
constexpr int kBeforePages = 21 + 1 + 31;
int Loop(int k) { return kBeforePages + k; }

}  // namespace

SCENARIO("story", "the story screen: part 1 from the opening fade to the closing fade") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  screenshot::StartStory();

  screenshot::DrawDuskyBackdrop();
  Flip(-1);
  const int f = headless::FrameNumber();
  headless::MouseMoveAt(f + 1, 600, 250);
  ctx.capture(f + 10, "story-1-opening-fade.png");
  ctx.capture(f + 22, "story-2-loading.png");
  ctx.capture(f + 22 + 16, "story-3-first-page-fading-in.png");
  ctx.capture(f + Loop(20), "story-4-first-page.png");
  headless::MouseMoveAt(f + Loop(30), 440, 582);
  ctx.capture(f + Loop(33), "story-5-next-hovered.png");
  headless::MouseClickAt(f + Loop(40), 1);  // page 2: the same picture, panned
  ctx.capture(f + Loop(60), "story-6-pan-with-text-cross-fade.png");
  headless::MouseClickAt(f + Loop(100), 1);  // page 3: a new picture, five lines
  ctx.capture(f + Loop(125), "story-7-page-change-mid-cross-fade.png");
  ctx.capture(f + Loop(170), "story-8-five-lines.png");
  headless::MouseMoveAt(f + Loop(200), 350, 582);
  headless::MouseClickAt(f + Loop(200), 1);  // skip
  ctx.capture(f + Loop(201) + 11, "story-9-closing-fade.png");
  showStory(1, 1);
}
