// The loading screen: what the player sees from the moment the screen opens until the title.
// A background fades in with a "loading" caption and five unlit balls; the balls light one by
// one while the start-up loading works through its stages; at the end the caption and balls fade
// out while the logo fades in under rising sparks and the title music begins. The portal screens
// follow (or fade the loading picture out themselves).
//
// One object, the global `loading`, for the whole run. Its loops run before the frame timer
// exists: every fade moves a fixed step per frame, summed in 32-bit floats (the frame counts of
// the fades depend on it), and frames are paced by Flip alone. The screen reads no input and
// draws no cursor. Nothing is drawn while a loading stage runs: the display keeps the last frame.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics.h"

class TLoading {
 public:
  // The screen's phases, the values of `magicPhase`.
  static constexpr int32_t kLoadingPhase = 0;  // background, caption and balls
  static constexpr int32_t kLogoFadingIn = 1;  // doMagic: the logo rises, caption and balls go
  static constexpr int32_t kLogoShown = 2;     // the logo is opaque
  static constexpr int32_t kFinished = 3;      // doMagic's time is up

  static constexpr int32_t kBallCount = 5;

  ImagePtr bgImage;       // "gfx/title/glyphor-bg.jpg", top-left handle
  float bgAlpha = 0.0f;   // the background's; in phase 0 also the caption's and the balls'
  ImagePtr logoImage;     // "gfx/title/morvell.png", top-left handle
  float logoAlpha = 0.0f;
  ImagePtr screenImage;   // the caption "gfx/title/loading.png", centre handle; the story draws it
  ImagePtr ballOffImage;  // "gfx/title/load2.png", centre handle
  ImagePtr ballOnImage;   // "gfx/title/load1.png", centre handle
  int32_t currentBall = 0;  // the ball being lit, 0 to 4; -1 none (after setup)
  float ballAlpha = 0.0f;   // the ball being lit; in phases 1 to 3 the caption's and all balls'
  int32_t magicPhase = kLoadingPhase;

  virtual ~TLoading() = default;

  // Loads the five pictures (a missing one is named on standard output and draws nothing) and
  // puts the fades at their start with no ball lit. Keeps the phase.
  virtual void setup();
  // One frame of fading: the background, the ball being lit (phase 0), the logo rising and the
  // caption and balls going (phase 1).
  virtual void Update();
  // Clears the back buffer and draws the screen from the fields alone; does not flip. Leaves
  // white, no rotation, scale 1, alpha blending and the alpha of the last element drawn: the
  // portal screens draw in that state.
  virtual void Draw();
  // Frames until the background is opaque: 20 from the 0 that setup leaves, ending at exactly 1.
  virtual void fadeInBg();
  // Lights ball n: 10 frames, ending at exactly 1. Works in phase 0 only.
  virtual void fadeInBall(int32_t n);
  // The closing animation for `time` ms: the title music starts, the logo fades in for 200
  // frames under 82 rising sparks (2 a frame). Ends with the first frame, still flipped, after
  // which more than `time` ms have passed. A close request is left pending for the title.
  virtual void doMagic(int32_t time);
  // The start-up loading of every resource that lives for the whole run, between the five ball
  // fades. Returns 0.
  virtual int32_t loadEverything();
  // The portal screens of the settings archive, after the matching hand-over from this screen.
  // Returns 0.
  virtual int32_t PortalScreens();

 private:
  // One frame of the fade loops: Update, Draw, Flip, PollSystem.
  void fadeFrame();
};
using LoadingPtr = std::shared_ptr<TLoading>;

// Created by start-up among the singletons.
extern LoadingPtr loading;

// A picture of the title's screens; a file that does not load is named on standard output and
// gives null, which draws nothing.
ImagePtr LoadTitlePicture(const std::string& path, int flags);
