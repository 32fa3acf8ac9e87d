// The bench: scenes (each screen at its busiest, driven headless on the virtual clock) and the
// frame clock that times them. A scene sets its screen up and runs the screen's own loop (or
// its frames, for ever); the harness counts the frames shown, times the measured ones, records
// their drawing for the floor, and ends the loop from the frame callback when it has enough.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace bench {

using SceneFunction = void (*)();

struct Scene {
  std::string name;
  std::string description;
  SceneFunction run = nullptr;
};

// Every scene, in the order of the table.
std::vector<Scene>& Scenes();

struct SceneRegistrar {
  SceneRegistrar(SceneFunction run, const char* name, const char* description);
};

// ---- For scenes ------------------------------------------------------------------------------

// A script run after every frame shown, outside the timing, with the scene's frame count
// (1 for the first frame shown since the scene began). It may set input for the next frames,
// or change the game's state as a player's actions would.
void OnFrame(std::function<void(int shown)> script);
// Frames the harness lets go by before it measures.
int WarmupFrames();
// Runs `frame` (one frame of the screen, Flip included) until the harness has enough.
[[noreturn]] void Forever(const std::function<void()>& frame);

}  // namespace bench

#define BENCH_CAT2(a, b) a##b
#define BENCH_CAT(a, b) BENCH_CAT2(a, b)
#define BENCH_SCENE_IMPL(id, name, description)                                              \
  static void BENCH_CAT(bench_scene_, id)();                                                 \
  static const ::bench::SceneRegistrar BENCH_CAT(bench_registrar_, id)(                      \
      &BENCH_CAT(bench_scene_, id), name, description);                                      \
  static void BENCH_CAT(bench_scene_, id)()
// BENCH_SCENE("name", "what it shows") { ...set up, then run the screen's loop... }
#define BENCH_SCENE(name, description) BENCH_SCENE_IMPL(__COUNTER__, name, description)
