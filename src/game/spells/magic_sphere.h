// MINIMAL until the magic sphere is built: the five vials' colours, capacities and fills, read
// from the level file, the test of a full sphere that the level goal asks, and where a colour's
// vial lies. The sphere's own work completes this type (drawing, easing, sounds, sparks).
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "datafiles/tsc_file.h"

class TMagicSphere {
 public:
  static constexpr int32_t kVials = 5;
  int32_t x = 15;  // top-left corner of the sphere on the screen
  int32_t y = 17;
  int32_t vialWidth = 62;
  int32_t vialHeight = 62;
  // Each vial's corner relative to the sphere's.
  std::array<std::array<int32_t, 2>, kVials> slotOffsets{
      {{60, 2}, {120, 44}, {97, 115}, {23, 114}, {0, 44}}};
  std::array<int32_t, kVials> colours{};   // 0: vial not in use
  std::array<float, kVials> capacities{};  // balls needed to fill the vial
  std::array<float, kVials> fills{};       // balls received

  virtual ~TMagicSphere() = default;
  // Empties every vial.
  virtual void ResetSettings();
  // Resets the vials, then reads Settings::Level SpheresColors and SpheresCapacities.
  virtual void Load(const TSCFilePtr& tsc);
  // Every vial of that colour below its capacity gains one ball; colour 0 does nothing.
  virtual void Fill(int32_t colour);
  // 1 when every vial in use holds its capacity (a sphere with no vial in use is full).
  virtual int32_t IsFull();
  // The screen centre of the first vial of that colour and 1; for colour 0 or a colour no vial
  // holds, the sphere's centre and 0.
  virtual int32_t GetColorXY(int32_t colour, int32_t& targetX, int32_t& targetY);
};
using MagicSpherePtr = std::shared_ptr<TMagicSphere>;

// Created by start-up among the singletons.
extern MagicSpherePtr magicSphere;
