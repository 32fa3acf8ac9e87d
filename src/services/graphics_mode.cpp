#include "services/graphics_mode.h"

#include "services/options.h"
#include "platform/errors.h"
#include "platform/system.h"

int32_t gfxDriverSet = 0;

namespace {
const char* const kGraphicsError = "Graphics initiation error! The game will close.";

// Full screen at the first depth (32, 24, 16, 8) the mode list holds width x height at; 0 when
// none qualifies.
int32_t FindFullScreenDepth(int32_t width, int32_t height) {
  for (int32_t depth = 32; depth >= 8; depth -= 8) {
    const int count = CountGraphicsModes();
    for (int i = 0; i < count; ++i) {
      int w = 0, h = 0, d = 0, hz = 0;
      GetGraphicsMode(i, w, h, d, hz);
      if (w == width && h == height && d == depth) return depth;
    }
  }
  return 0;
}
}  // namespace

int32_t centerWindow() { return 0; }

int32_t FindGfxMode(int32_t mode, const GraphicsDriverPtr& driver, int32_t width, int32_t height,
                    int32_t select) {
  if (select) {
    if (!driver) return 0;
    SetGraphicsDriver(driver, 2);
  }
  if (mode == 1) {
    const int32_t depth = FindFullScreenDepth(width, height);
    if (depth == 0) return 0;
    try {
      GraphicsPtr g = Graphics(width, height, depth, 60, 0);
      if (!g) g = Graphics(width, height, depth, 60, 0);
      return g ? 1 : 0;
    } catch (const TextError&) {
      // Full screen refused with a message: a window instead.
      mode = 0;
    }
  }
  try {
    if (!Graphics(width, height, 0, 60, 0)) throw TextError(FromUtf8(kGraphicsError));
    centerWindow();
    return 1;
  } catch (const TextError& error) {
    Notify(error.message(), false);
    End(kFailureStatus);
  }
}

int32_t SetGraphicsMode(int32_t mode, int32_t width, int32_t height, int32_t /*depth*/) {
  if (gfxDriverSet == 0) {
    gfxDriverSet = 1;
    if (mode == 1 && FindGfxMode(1, GLDriver2D(), width, height, 1) == 0) {
      mode = 2;
      if (options) options->screenMode = 2;
    }
    if (mode != 1) FindGfxMode(mode, GLDriver2D(), width, height, 1);
    return 0;
  }
  // A later switch. Remember the screen that is open, so that a full-screen request that
  // closes it and then fails can bring it back: the game never runs without a screen.
  const GraphicsPtr before = CurrentGraphics();
  const int32_t opened = FindGfxMode(mode, nullptr, width, height, 0);
  if (opened == 0 && before && !CurrentGraphics()) {
    GraphicsPtr again;
    try {
      again = Graphics(before->width, before->height, before->depth, 60, 0);
      if (!again) again = Graphics(before->width, before->height, before->depth, 60, 0);
    } catch (const TextError&) {
      again = nullptr;
    }
    // Not even that: a window, or the end of the program with its message.
    if (!again) FindGfxMode(0, nullptr, width, height, 0);
  }
  return 0;
}
