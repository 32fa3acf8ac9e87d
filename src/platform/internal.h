// Shared between the platform's own sources only; game code never includes this.
#pragma once
#include <SDL.h>
#include <cstdint>
#include <vector>

#include "platform/text.h"

namespace platform_internal {

// graphics.cpp
SDL_Window* Window();
SDL_Renderer* Renderer();
// Window pixels -> 800 x 600 screen coordinates (letterboxing undone).
void WindowToScreen(int wx, int wy, int& sx, int& sy);
void EnsureVideo();  // SDL video initialised (dummy driver in headless runs)

// input.cpp / system.cpp
void HandleEvent(const SDL_Event& event);
void ClearInput();
// Called by Flip after presenting: advances the virtual clock, counts the frame, runs the
// frame callback, enforces the frame cap.
void AfterFlip();
// Real-time pacing target for Flip (ms of MilliSecs); headless runs do not wait.
bool Headless();

// sound.cpp: an Ogg Vorbis file decoded whole into the mixer's format, as a short sound is at
// loading (the samples a long one's channels decode as it plays); false when it is not one or
// holds no sound.
bool DecodeWholeVorbis(const std::vector<uint8_t>& bytes, bool loop, std::vector<int16_t>& out);
// Headless runs pull no samples from a device: their channels move on by the virtual clock's
// steps instead (`ms` of sound each), so that sounds end, and leave the mixer, as they would
// with a sound card.
void AdvanceChannels(int32_t ms);

}  // namespace platform_internal

// Between the headless runs (headless.cpp), polled input (input.cpp) and the clock (system.cpp).
namespace platform_core {

// input.cpp: the headless input script feeds events in screen terms.
void InputKey(int key, bool down);
void InputButton(int button, bool down);
void InputMove(int x, int y);
void InputWheel(int notches);
void InputChar(int unit);
void InputClose();
void InputFocus(bool focused);

// headless.cpp, for system.cpp
int32_t VirtualClock();
void AdvanceVirtualClock(int32_t ms);
void RunInputScript(int frame);
void RecordMessageBox(const String& text, bool serious);

}  // namespace platform_core
