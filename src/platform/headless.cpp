// Headless runs: the virtual clock, the input script, the frame callback and cap, and the
// record of message boxes. (Display modes and capture belong to graphics.cpp.)
#include "platform/headless.h"

#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/internal.h"
#include "platform/system.h"

namespace {

constexpr uint32_t kVirtualClockStart = 0x40000000u;
constexpr int32_t kFixedSeed = 0x1f2e3d4c;
constexpr int32_t kFrameSteps[3] = {16, 17, 17};

enum class Kind { Move, Button, Wheel, Key, Char, Close, Focus };

struct ScheduledEvent {
  int frame;
  Kind kind;
  int a = 0;
  int b = 0;
  bool applied = false;
};

struct HeadlessState {
  bool enabled = false;
  bool keepDisplay = false;
  uint32_t clock = kVirtualClockStart;
  int32_t stepPerRead = 0;  // ms the clock moves on after each reading; 0: only Flip moves it
  int frame = 0;
  std::vector<ScheduledEvent> script;
  std::function<void(int)> callback;
  int frameCap = 0;
  std::vector<headless::MessageBox> boxes;
  std::vector<std::string> failedOpens;
  int sparseEvery = 0;     // 0: every frame is drawn
  int drawRequested = -1;  // a frame number drawn in full whatever sparseEvery says
};

HeadlessState& H() {
  static HeadlessState state;
  return state;
}

void Add(int frame, Kind kind, int a = 0, int b = 0) {
  H().script.push_back(ScheduledEvent{frame, kind, a, b, false});
}

void Apply(const ScheduledEvent& e) {
  namespace core = platform_core;
  switch (e.kind) {
    case Kind::Move: core::InputMove(e.a, e.b); break;
    case Kind::Button: core::InputButton(e.a, e.b != 0); break;
    case Kind::Wheel: core::InputWheel(e.a); break;
    case Kind::Key: core::InputKey(e.a, e.b != 0); break;
    case Kind::Char: core::InputChar(e.a); break;
    case Kind::Close: core::InputClose(); break;
    case Kind::Focus: core::InputFocus(e.a != 0); break;
  }
}

}  // namespace

namespace platform_core {

int32_t VirtualClock() {
  HeadlessState& h = H();
  const auto reading = static_cast<int32_t>(h.clock);
  h.clock += static_cast<uint32_t>(h.stepPerRead);
  return reading;
}

void AdvanceVirtualClock(int32_t ms) { H().clock += static_cast<uint32_t>(ms); }

void RunInputScript(int frame) {
  // Events apply in the order they were given; events added while applying wait for the next poll.
  std::vector<ScheduledEvent>& script = H().script;
  const size_t count = script.size();
  for (size_t i = 0; i < count; ++i) {
    if (script[i].applied || script[i].frame > frame) continue;
    script[i].applied = true;
    Apply(script[i]);
  }
  // Applied events go, so that a long run's script stays as short as its pending part.
  script.erase(std::remove_if(script.begin(), script.end(),
                              [](const ScheduledEvent& e) { return e.applied; }),
               script.end());
}

void RecordMessageBox(const String& text, bool serious) {
  H().boxes.push_back(headless::MessageBox{text, serious});
}

}  // namespace platform_core

namespace platform_internal {

bool Headless() { return H().enabled; }

void AfterFlip() {
  HeadlessState& h = H();
  const int shown = h.frame++;
  if (h.enabled) {
    const int32_t step = kFrameSteps[shown % 3];
    h.clock += static_cast<uint32_t>(step);
    AdvanceChannels(step);
  }
  if (h.frameCap > 0 && h.frame > h.frameCap) throw FrameworkError("frame cap reached");
  if (h.callback) {
    std::function<void(int)> callback = h.callback;  // the callback may replace itself
    callback(h.frame);
  }
}

}  // namespace platform_internal

namespace headless {

void KeepDisplay() { H().keepDisplay = true; }

bool DummyVideo() { return H().enabled && !H().keepDisplay; }

void Enable() {
  if (!H().keepDisplay) setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // Ctrl+C ends a headless run at once instead of becoming a close request nobody reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  HeadlessState& h = H();
  h.enabled = true;
  SetFailedOpenObserver([](const std::string& path) { H().failedOpens.push_back(path); });
  h.clock = kVirtualClockStart;
  h.frame = 0;
  SeedRnd(kFixedSeed);
}

bool Enabled() { return H().enabled; }

void AdvanceClock(int32_t ms) {
  platform_core::AdvanceVirtualClock(ms);
  platform_internal::AdvanceChannels(ms);
}

void SetClockStepPerRead(int32_t ms) { H().stepPerRead = ms; }

int FrameNumber() { return H().frame; }

void MouseMoveAt(int frame, int x, int y) { Add(frame, Kind::Move, x, y); }
void MouseButtonAt(int frame, int button, bool down) { Add(frame, Kind::Button, button, down); }
void MouseClickAt(int frame, int button) {
  Add(frame, Kind::Button, button, 1);
  Add(frame + 1, Kind::Button, button, 0);
}
void MouseWheelAt(int frame, int notches) { Add(frame, Kind::Wheel, notches); }
void KeyAt(int frame, int key, bool down) { Add(frame, Kind::Key, key, down); }
void KeyPressAt(int frame, int key) {
  Add(frame, Kind::Key, key, 1);
  Add(frame + 1, Kind::Key, key, 0);
}
void TypeAt(int frame, const String& text) {
  for (char16_t unit : text) Add(frame, Kind::Char, unit);
}
void CloseRequestAt(int frame) { Add(frame, Kind::Close); }
void FocusAt(int frame, bool focused) { Add(frame, Kind::Focus, focused); }
void ClearScript() { H().script.clear(); }

void SetFrameCallback(std::function<void(int frame)> callback) { H().callback = std::move(callback); }
void SetFrameCap(int frames) { H().frameCap = frames; }

const std::vector<MessageBox>& MessageBoxes() { return H().boxes; }

const std::vector<std::string>& FailedOpens() { return H().failedOpens; }

void SetSparseDrawing(int every) { H().sparseEvery = std::max(every, 0); }

void DrawNextFrame() { H().drawRequested = H().frame + 1; }

bool SkippingPixels() {
  const HeadlessState& h = H();
  if (!h.enabled || h.sparseEvery <= 0) return false;
  // The frame being drawn is the one the next Flip shows.
  const int drawing = h.frame + 1;
  return drawing != h.drawRequested && drawing % h.sparseEvery != 0;
}

}  // namespace headless
