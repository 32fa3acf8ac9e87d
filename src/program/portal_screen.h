// The portal screens: splash pictures shown one after another between the loading screen and
// the title, each faded in from nothing, held a little over two seconds and faded out. The list
// is data: the groups of "portalScreens.tsc" in the settings archive, each with `Image`, `X`,
// `Y` and `Fullscreen`. A full-screen picture stands on black at the top-left corner; any other
// over the loading background at (X, Y). The first screen chooses how the loading screen hands
// over (TLoading::PortalScreens).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "datafiles/tsc_file.h"
#include "platform/graphics.h"
#include "platform/list.h"

class TPortalScreen;
using PortalScreenPtr = std::shared_ptr<TPortalScreen>;

class TPortalScreen {
 public:
  // Values of `fadeDirection`.
  static constexpr int32_t kFadingIn = 1;
  static constexpr int32_t kHolding = 0;
  static constexpr int32_t kFadingOut = -1;

  static constexpr float kFadeStep = 0.05f;  // per frame: 20 frames in, 19 shown going out
  static constexpr int32_t kHoldMs = 2000;   // from the screen's start, the fade-in included

  int32_t x = 0;           // left edge; not used full screen
  int32_t y = 0;           // top edge
  float alpha = 0.0f;
  int32_t fullscreen = 0;  // never set without a picture path
  ImagePtr image;          // null: no picture (none named, or it did not load)
  // A new object has every field 0 and no picture; Create makes it fade in and active.
  int32_t fadeDirection = kHolding;
  int32_t active = 0;      // 1 from Create until the fade-out reaches 0

  virtual ~TPortalScreen() = default;

  // A screen fading in from 0. An empty path gives a screen without a picture that is never
  // full screen; a picture that does not load is named on standard output and keeps the flag.
  static PortalScreenPtr Create(const std::string& imagePath, int32_t x, int32_t y,
                                int32_t fullscreen);
  // One fade step, then the picture at the fade's alpha in the drawing state the loading screen
  // left. Returns 0.
  virtual int32_t Draw();
};

// The screens of a portal list, in file order. Missing keys read as "" or 0 (with the store's
// message); numbers are cut toward zero, and one outside the int range or not finite reads 0.
TListPtr<PortalScreenPtr> ReadPortalScreens(const TSCFilePtr& tsc);

class TLoading;
// The hand-over from the loading screen chosen by the first screen, then every screen in turn.
// Without screens, the closing animation alone (3500 ms). Reads no input.
void ShowPortalScreens(TLoading& loadingScreen, const TListPtr<PortalScreenPtr>& screens);
