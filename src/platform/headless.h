// Headless runs: tests and the screenshot runner drive the platform without a display.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include "platform/graphics.h"
#include "platform/text.h"

namespace headless {

// Switches the platform to headless mode: dummy video and audio drivers, the virtual clock,
// the input script, recorded message boxes, End throwing ProgramEnded, a fixed random seed.
void Enable();
bool Enabled();

// Keeps the display: the run opens a real window on the display the environment names (DISPLAY)
// with the renderer a player's game would take there, accelerated when the display offers one,
// instead of the dummy video driver and the software renderer. Everything else stays headless.
// Call before Enable; for the bench's timing on a desktop's renderer.
void KeepDisplay();
// True while headless drawing goes to the dummy video driver (headless, the display not kept).
bool DummyVideo();

// The virtual clock: each Flip advances it by one frame (16, 17, 17 ms in turn).
void AdvanceClock(int32_t ms);
// Makes every MilliSecs reading move the virtual clock on by `ms` afterwards (0, the default:
// readings within a frame agree), for code that must read the clock once per step.
void SetClockStepPerRead(int32_t ms);
// Frames shown so far (Flip calls since Enable).
int FrameNumber();

// The input script: each event happens when PollSystem runs at the given frame number or later.
void MouseMoveAt(int frame, int x, int y);
void MouseButtonAt(int frame, int button, bool down);
void MouseClickAt(int frame, int button);  // down at `frame`, up at `frame` + 1
void MouseWheelAt(int frame, int notches);
void KeyAt(int frame, int key, bool down);
void KeyPressAt(int frame, int key);  // down at `frame`, up at `frame` + 1
void TypeAt(int frame, const String& text);
void CloseRequestAt(int frame);
void FocusAt(int frame, bool focused);
void ClearScript();

// Called after every Flip with the frame number just shown.
void SetFrameCallback(std::function<void(int frame)> callback);
// Flip past this many frames fails the test (throws FrameworkError "frame cap reached").
void SetFrameCap(int frames);

// Sparse drawing, for long runs: drawing calls keep the drawing state and check their arguments
// but leave the pixels alone, except in every `every`-th frame and in frames asked for with
// DrawNextFrame. 0 (the default) draws every frame.
void SetSparseDrawing(int every);
// Draws the frame after the one just shown in full, so that a capture after it shows it whole.
void DrawNextFrame();
// True while the frame being drawn leaves its pixels alone.
bool SkippingPixels();

// Back-buffer capture.
PixmapPtr CaptureBackBuffer();
bool CaptureBackBufferPNG(const std::string& path);

// Message boxes shown with Notify.
struct MessageBox {
  String text;
  bool serious = false;
};
const std::vector<MessageBox>& MessageBoxes();

// Files that a read was asked of but that could not be opened, as the game named them, in
// order (headless runs only).
const std::vector<std::string>& FailedOpens();

// Display modes and failures of Graphics, for tests of the mode search.
void SetModeList(const std::vector<GraphicsMode>& modes);
void ResetModeList();
// The next `count` calls of Graphics answer null.
void FailGraphics(int count);
int GraphicsCalls();  // how many times Graphics was called
int DriverSelections();  // how many times SetGraphicsDriver was called

}  // namespace headless
