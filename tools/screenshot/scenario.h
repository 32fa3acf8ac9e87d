// Scenarios of the screenshot runner. A scenario is a function that drives the game (or the
// platform) headless and names the frames to write as PNG files:
//
//   #include "scenario.h"
//   SCENARIO("title-screen", "the title screen after its fade-in") {
//     headless::MouseClickAt(40, 1);          // the input script, by frame number
//     ctx.capture(30, "title.png");           // written right after frame 30 is shown
//     ... run the screen's loop, or draw and Flip ...
//     ctx.capture("last.png");                // the back buffer as it is now
//   }
//
// Add a scenario as a new file in scenarios/; CMake picks it up.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/graphics.h"

namespace screenshot {

class Context {
 public:
  explicit Context(std::string outDir);
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  // Writes the back buffer now as OUTDIR/name. False (and a message) when it cannot.
  bool capture(const std::string& name);
  // Writes the back buffer right after Flip has shown frame `frame` (headless::FrameNumber()).
  void capture(int frame, const std::string& name);
  // Runs after every Flip (after the captures of that frame), with the frame number.
  void onFrame(std::function<void(int frame)> callback);

  const std::string& outDir() const { return outDir_; }
  const std::vector<std::string>& written() const { return written_; }
  // Captures asked for frames that were never shown, and captures that failed.
  std::vector<std::string> missing() const;

 private:
  void frameShown(int frame);

  std::string outDir_;
  std::multimap<int, std::string> pending_;
  std::vector<std::string> written_;
  std::vector<std::string> failed_;
  std::function<void(int)> onFrame_;
};

using ScenarioFunction = void (*)(Context& ctx);

struct Scenario {
  std::string description;
  ScenarioFunction run = nullptr;
};

// The dusky backdrop the game scenes are drawn over: whole screen, no transform, solid, opaque.
// Leaves the blend solid and the colour at the last stripe's.
void DrawDuskyBackdrop();

// A picture over the whole screen from the top-left corner: solid, opaque, white, unscaled.
void DrawWholeScreen(const ImagePtr& picture);

// The shared pictures and fonts of the scroll summaries, as the loading screen registers them
// in a fresh `data` container (images 2001-2003, fonts 4000-4002 and 4005), and spark pictures
// 0 to 3.
void LoadScrollResources();

// Every registered scenario by name.
std::map<std::string, Scenario>& Scenarios();

struct Registrar {
  Registrar(ScenarioFunction run, const char* name, const char* description = "");
};

}  // namespace screenshot

#define SCREENSHOT_CAT2(a, b) a##b
#define SCREENSHOT_CAT(a, b) SCREENSHOT_CAT2(a, b)
#define SCREENSHOT_SCENARIO_IMPL(id, ...)                                                    \
  static void SCREENSHOT_CAT(scenario_run_, id)(::screenshot::Context & ctx);                \
  static const ::screenshot::Registrar SCREENSHOT_CAT(scenario_registrar_, id)(              \
      &SCREENSHOT_CAT(scenario_run_, id), __VA_ARGS__);                                      \
  static void SCREENSHOT_CAT(scenario_run_, id)([[maybe_unused]] ::screenshot::Context & ctx)
// SCENARIO("name") or SCENARIO("name", "what it shows").
#define SCENARIO(...) SCREENSHOT_SCENARIO_IMPL(__COUNTER__, __VA_ARGS__)
