// Shared between the platform's own sources only; game code never includes this.
#pragma once
#include <SDL.h>
#include <cstdint>

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

}  // namespace platform_internal
