// The three game-mode loops playing a shipped level under the scripted player: the quest's first
// level, an endless level and a time-attack level, each after several placements (runes, a
// clearing's captions, the held block, the timer, the score panel), then a close request. The
// endless and time-attack games leave a saved game behind.
#include <string>

#include "services/options.h"
#include "program/main_loop.h"
#include "profiles/profile_manager.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/points_manager.h"
#include "play/game_modes.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "scenario.h"
#include "support/board_game.h"
#include "support/scripted_player.h"

namespace {

// Frames the player rests before the picture.
constexpr int kRestFrames = 40;

// Plays `run` from the current frame: the player places blocks (one every three frames) and
// clicks OK on popups; it rests for the last frames before the picture, so the captions of its
// last clearings fade, the picture is taken after `playFrames` frames and the window is asked to
// close on the next one.
template <typename Run>
void PlayAndClose(screenshot::Context& ctx, const std::string& picture, int playFrames, Run run) {
  const int first = headless::FrameNumber();
  test_support::ScriptedPlayer player(false);
  player.onFrame = [&](int frame) {
    if (frame == first + playFrames + 1) headless::CloseRequestAt(frame);
    return frame < first + playFrames - kRestFrames;
  };
  ctx.onFrame([&](int frame) { player.Step(frame); });
  ctx.capture(first + playFrames, picture);
  run();
}

bool PrepareModeGame() {
  if (!Graphics(800, 600, 0, 60, 0)) return false;
  test_support::MakeBoardGame("Morwen");
  return true;
}

}  // namespace

SCENARIO("quest-play", "quest level 1 after its popups and several placements, then a close") {
  if (!PrepareModeGame()) return;
  gameState = 1;
  sequencer->Start(1);
  sequencer->setupLevel();
  points->totalPoints = 2350;
  PlayAndClose(ctx, "quest-play.png", 150, [] { goGlyphor(0); });
}

SCENARIO("endless-play", "an endless level after several placements, then a close (saved)") {
  if (!PrepareModeGame()) return;
  PlayAndClose(ctx, "endless-play.png", 150, [] { goEndless(S("level_endless_02.tsc")); });
}

SCENARIO("time-attack-play", "a time-attack level after several placements, then a close") {
  if (!PrepareModeGame()) return;
  PlayAndClose(ctx, "time-attack-play.png", 220, [] { goTimeAtack(S("level_timed_03.tsc")); });
}
