// The tutorial screens: one animated help page that a new quest opens and the in-game help
// reopens, and the boss page shown before the first boss level. Both are modal loops over one
// long-lived object, `tutorial`, whose fields are the pages' pictures and animation state.
//
// The main page has no steps: its demonstrations (a row or column completed and cleared into
// comets, a sliding pair, a dropping block, a turning block, two vials filling and bursting, the
// hourglass, pulsing control hints) loop until the player leaves with the play button or Esc.
// Update advances the fields once per frame and Draw paints only what they say, so the two can be
// tested apart. The boss page (show2, update2, draw2) shows the boss in a cross of sixteen runes
// that appear one by one, sparkle together and vanish in a burst of comets.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "services/song_manager.h"
#include "platform/graphics.h"

class TMagicSphereEmiter;

class TTutorial {
 public:
  // The play button of both pages, inclusive screen pixels.
  static constexpr int32_t kPlayLeft = 370;
  static constexpr int32_t kPlayRight = 433;
  static constexpr int32_t kPlayTop = 571;
  static constexpr int32_t kPlayBottom = 593;
  static constexpr int32_t kFadeMs = 250;  // fade from and to black outside a level
  static constexpr int32_t kTutorialCellSize = 40;  // the runes' 40-pixel pictures
  static constexpr int32_t kBossRunes = 16;
  // The match demonstrations count ticks while resting at 90 degrees.
  static constexpr int32_t kBurstTick = 100;   // the line clears into comets
  static constexpr int32_t kFadedTick = 120;   // the cleared line is gone
  static constexpr int32_t kLastTick = 200;    // the next tick starts the demonstration over
  // demoPhase on the main page.
  static constexpr int32_t kRowVariant = 1;
  static constexpr int32_t kColumnVariant = 2;

  ImagePtr background;   // the full-screen page, drawn first every frame (no clear)
  ImagePtr playImage;    // the lit play button, drawn while overPlay is 1
  ImagePtr extraImage;   // the boss picture of the boss page
  ImagePtr mouseImage;   // a pulsing mouse hint
  int32_t overPlay = 0;  // 1 while the mouse is over the play button this frame
  float demoAngle = 0.0f;   // row/column slide angle, degrees 0..90, grows by delta
  int32_t demoTicks = 0;    // frames rested at 90 degrees, 0..200
  float pulse = 0.0f;       // phase 0..2 of the pulsing hints
  float demoAngle2 = 0.0f;  // slide and drop angle, degrees 0..90, one per frame
  int32_t demoTicks2 = 0;   // frames rested at 90 degrees, 0..200
  int32_t spinAngle = 0;    // turning block, degrees
  int32_t spinHold = 0;     // frames rested at a quarter turn
  // Main page: kRowVariant or kColumnVariant. Boss page: 1 while this cycle's burst is to come.
  int32_t demoPhase = 0;
  // Fade levels of the boss page's runes; element 15 also times the whole boss cycle.
  std::array<float, kBossRunes> bossValues{};
  int32_t timerFrame = 0;    // hourglass frame 0..29
  int32_t timerStepMs = 0;   // MilliSecs of the last hourglass step
  ImagePtr timerImage;       // the hourglass frame shown
  int32_t timerFilling = 0;  // 1: frames count up slowly; 0: they count down quickly
  std::array<ImagePtr, 2> ringKImages{};  // the two vials' contents
  std::array<ImagePtr, 2> ringSImages{};  // the two vials' symbols
  std::array<float, 2> hintTimers{};      // the two vials' fill values, 0..7
  std::array<int32_t, 2> hintFlags{};     // 1 while a vial's next burst is armed
  std::array<ImagePtr, 2> inputImages{};  // pulsing keyboard hint, second mouse hint

  virtual ~TTutorial() = default;

  // The main page's pictures. Returns 0.
  virtual int32_t loadGfx();
  // Releases the pictures a showing loaded, except the two input hints. Returns 0.
  virtual int32_t free();
  // The boss page's pictures, replacing what the fields held. Returns 0.
  virtual int32_t loadGfx2();
  // Runs the boss page to its end; returns 0, or ends the program on a close request.
  virtual int32_t show2(int32_t fromLevel);
  // One frame of the boss page: the page, the play button, the boss and its runes.
  virtual int32_t draw2();
  // One frame of the boss page's logic: hover, fade levels, sparkle, burst, reset.
  virtual int32_t update2();
  // Runs the main page: 0 from a new quest, 1 over a running level. Returns 1 when a close
  // request ended it (nothing released then), else 0; 0 at once while "showTutorial" is 0.
  virtual int32_t show(int32_t fromLevel);
  // One frame of the main page from the fields; starts sparks and vial bursts.
  virtual int32_t Draw();
  // One frame of the main page's logic.
  virtual int32_t Update();

 private:
  // The opening of every main-page frame: music, mouse, delta, logic, page, particles.
  void pageFrame(const AudioStreamPtr& music, TMagicSphereEmiter& sparkles);
  // The opening of every boss-page frame.
  void bossFrame(const AudioStreamPtr& music);
  // Sets overPlay from the mouse.
  void updateHover();
  void stepHourglass();
  void stepRowColumn();
  void stepSlideAndDrop();
  void stepSpin();
  void stepVials();
  void launchBossBurst();
  void drawVialDemo(int32_t vial);
  void drawRowColumn();
  void drawSlide();
  void drawRotation();
  void drawDrop();
};
using TutorialPtr = std::shared_ptr<TTutorial>;

// Created by start-up among the singletons.
extern TutorialPtr tutorial;
