// The world map between quest levels, over the shipped map file and pictures: just after the
// first level (mid fade-in, then fully shown), about half-way through the quest with the
// pointer over Play, and the map editor at work after level 3.
#include <memory>
#include <string>

#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "game/levels/level_sequencer.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "scenario.h"
#include "scene_setups.h"
#include "screens/map/map_core.h"
#include "toolkit/font.h"

namespace {

using screenshot::LoadMap;

// Shows the map after `finishedLevel` with the pointer at (x, y); writes `prefix`-fading.png
// in the middle of the fade-in and `prefix`.png once it is fully shown, then clicks Play.
void ShowMap(screenshot::Context& ctx, int32_t finishedLevel, int x, int y, const std::string& prefix) {
  const int first = headless::FrameNumber();
  headless::MouseMoveAt(first, x, y);
  ctx.capture(first + 8, prefix + "-fading.png");
  ctx.capture(first + 40, prefix + ".png");
  headless::MouseMoveAt(first + 41, 560, 580);
  headless::MouseClickAt(first + 42, 1);
  map->Show(finishedLevel);
}

}  // namespace

SCENARIO("world-map-start", "the world map after the first level: level 2 glowing, stage 1 lit") {
  LoadMap();
  ShowMap(ctx, 1, 660, 420, "world-map-start");
}

SCENARIO("world-map-midway", "the world map half-way through the quest, the pointer over Play") {
  LoadMap();
  ShowMap(ctx, (sequencer->lastLevel + 1) / 2, 560, 580, "world-map-midway");
}

SCENARIO("map-editor", "the map editor after level 3: marker 4 moved and made a mini-game, its "
                       "stage picture moved, level 5 selected") {
  LoadMap();
  map->editMode = 1;
  const int first = headless::FrameNumber();
  headless::MouseMoveAt(first, 700, 200);
  ctx.capture(first + 30, "map-editor-before.png");
  // Left Shift and Right for 20 frames: marker 4 moves 20 pixels to the right.
  headless::KeyAt(first + 31, KEY_LSHIFT, true);
  headless::KeyAt(first + 31, KEY_RIGHT, true);
  headless::KeyAt(first + 51, KEY_RIGHT, false);
  headless::KeyAt(first + 51, KEY_LSHIFT, false);
  // K twice: kind 3 to 5 (the shipped map makes marker 4 a kind-3 stage).
  headless::KeyPressAt(first + 53, KEY_K);
  headless::KeyPressAt(first + 55, KEY_K);
  // Left Control, left Shift and Up for 10 frames: the stage picture moves 10 pixels up.
  for (int key : {KEY_LCONTROL, KEY_LSHIFT, KEY_UP}) {
    headless::KeyAt(first + 57, key, true);
    headless::KeyAt(first + 67, key, false);
  }
  // 2: the next level's marker is selected and glows.
  headless::KeyPressAt(first + 69, KEY_2);
  ctx.capture(first + 75, "map-editor-after.png");
  headless::MouseClickAt(first + 80, 1);
  map->Show(3);
}
