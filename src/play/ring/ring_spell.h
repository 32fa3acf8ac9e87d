// A spell icon set into the ring of the ring game: one per spell kind, dark until the player has
// won that kind in the current ring level, then glowing with five frames that cross-fade in a
// loop, turning and zooming together with the ring.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics.h"

class TRingSpell;
using RingSpellPtr = std::shared_ptr<TRingSpell>;

class TRingSpell {
 public:
  static constexpr int kFrames = 5;
  // Opacity moved from one frame to the next per Draw. In 32-bit floats `alpha` is still just
  // above 0 after 100 steps, so the frames move on at every 101st draw.
  static constexpr float kFadeStep = 0.01f;

  float radius = 0.0f;  // distance from the ring centre at zoom 1; negative: the far side
  float angle = 0.0f;   // direction from the ring centre, degrees, added to the ring's turn
  int32_t id = 0;       // spell kind 1..6
  int32_t frame = 0;      // 0..4, fading out
  int32_t nextFrame = 1;  // 0..4, fading in
  float alpha = 1.0f;     // of `frame`
  float nextAlpha = 0.0f; // of `nextFrame`
  int32_t count = 0;      // spells of this kind won in the current ring level; drawn while > 0
  std::array<ImagePtr, kFrames> frames{};

  virtual ~TRingSpell() = default;

  // A new icon; frame i from folder + "/" + names[i], each with its handle at its centre.
  static RingSpellPtr Create(float radius, float angle, int32_t id, const std::string& folder,
                             const std::array<std::string, kFrames>& names);
  // Draws the icon for a ring centred on (centreX, centreY), zoomed and turned like the ring,
  // every opacity times `fade`; nothing, and no animation, while count is 0. Leaves the zoom
  // and the opacity as it set them. Returns 0.
  virtual int32_t Draw(int32_t centreX, int32_t centreY, float zoom, float ringAngle, float fade);
  // A spark burst where the icon stands now (whatever its count). Returns 0.
  virtual int32_t MakeSparks(int32_t centreX, int32_t centreY, float zoom, float ringAngle);

 private:
  // The icon's offset from the ring centre, whole pixels cut toward zero.
  void Offset(float zoom, float ringAngle, int32_t& dx, int32_t& dy) const;
};
