// The magic sphere: the panel at the top left of the board screen with up to five vials, each
// of one rune colour and a capacity the level names. Every rune cleared adds a ball to each vial
// of its colour; a level of goal 1 is won once every vial in use holds its capacity. The drawn
// levels ease upward behind the ball counts; a vial first drawn full bursts, sounds, speaks a
// line, glows for two seconds and is wiped away. The sphere also shows the next block, keeps
// sparks circling it, and is where comets and spell streams fly.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "datafiles/tsc_file.h"
#include "platform/graphics.h"
#include "platform/sound.h"

// Sparks circling a point, one now and then.
class TMagicSphereEmiter {
 public:
  int32_t centreX = 105;
  int32_t centreY = 482;
  int32_t chance = 20;     // a spark comes when Rand(0, 100) is at most this
  int32_t maxRadius = 38;  // pixels

  virtual ~TMagicSphereEmiter() = default;
  // May start one spark circling the centre.
  virtual void Update();
};

class TMagicSphere {
 public:
  static constexpr int32_t kVials = 5;
  static constexpr int32_t kColours = 15;  // rune colours 1..15 have vial pictures
  int32_t x = 15;  // top-left corner of the sphere on the screen
  int32_t y = 17;
  ImagePtr sphereImage;
  ImagePtr vialFrameImage;  // the empty vial, under the liquid
  std::array<ImagePtr, kColours> vialImages{};    // the liquid of colour c at c - 1
  std::array<ImagePtr, kColours> symbolImages{};  // the symbol of colour c at c - 1
  std::array<ImagePtr, 2> extraImages{};  // the glow of a vial just full, centre handles
  // Each vial's corner relative to the sphere's.
  std::array<std::array<int32_t, 2>, kVials> slotOffsets{
      {{60, 2}, {120, 44}, {97, 115}, {23, 114}, {0, 44}}};
  float vialWidth = 62.0f;
  float vialHeight = 62.0f;
  TMagicSphereEmiter emitter;
  std::array<int32_t, kVials> colours{};   // 0: vial not in use
  std::array<float, kVials> capacities{};  // balls the vial holds
  std::array<float, kVials> fills{};       // balls received, never above the capacity
  std::array<float, kVials> shownFill{};   // the drawn level, 0..1
  std::array<int32_t, kVials> filledAt{};  // MilliSecs when first drawn full; -1 until then
  // Colour number -> the two-digit index of its vial pictures.
  std::array<int32_t, kColours + 1> colourImageIndex{0, 14, 5, 11, 6, 4, 3, 7, 9,
                                                     15, 1, 13, 10, 12, 2, 8};
  SoundPtr colourGetSound;
  // Voice lines by the vials still open when one is drawn full (0: none or an odd count).
  std::array<SoundPtr, 5> voiceSounds{};

  TMagicSphere();
  virtual ~TMagicSphere() = default;

  // The sphere's own pictures and sounds; once, while the game loads.
  virtual void LoadResources();
  // The vials of a level file: Settings::Level SpheresColors and SpheresCapacities. Loads the
  // pictures of the colours in use and lets the others go.
  virtual void Load(const TSCFilePtr& levelFile);
  // Vials in use not yet drawn full.
  virtual int32_t OpenBallsCount();
  // One frame: eases, bursts and draws every vial, the next block, and with `withSparks` the
  // circling sparks.
  virtual void Update(int32_t withSparks);
  // Every vial of the colour below its capacity gains one ball; colour 0 does nothing.
  virtual void Fill(int32_t colour);
  // 1 when every vial in use holds its capacity (a sphere with no vial in use is full).
  virtual int32_t IsFull();
  // Every vial out of use, empty and not full.
  virtual void ResetSettings();
  // The screen centre of the first vial of that colour and 1; for colour 0 or a colour no vial
  // holds, the sphere's centre and 0.
  virtual int32_t GetColorXY(int32_t colour, int32_t& targetX, int32_t& targetY);

 private:
  // The level a vial's drawing eases toward, 0..1.
  float target(size_t slot) const;
  void easeVial(size_t slot);
  void burstVial(size_t slot, int32_t cx, int32_t cy, int32_t now);
  void drawFilling(size_t slot, int32_t cx, int32_t cy);
  void drawFull(size_t slot, int32_t cx, int32_t cy, int32_t elapsed);
  void drawGlow(size_t slot, int32_t cx, int32_t cy, int32_t elapsed);
};
using MagicSpherePtr = std::shared_ptr<TMagicSphere>;

// Created by start-up among the singletons.
extern MagicSpherePtr magicSphere;
