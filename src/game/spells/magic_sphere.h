// MINIMAL until the magic sphere is built: the five vials' colours, capacities and fills, read
// from the level file, and the test of a full sphere that the level goal asks. The sphere's own
// work completes this type (drawing, easing, sounds, sparks, vial positions).
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "datafiles/tsc_file.h"

class TMagicSphere {
 public:
  static constexpr int32_t kVials = 5;
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
};
using MagicSpherePtr = std::shared_ptr<TMagicSphere>;

// Created by start-up among the singletons.
extern MagicSpherePtr magicSphere;
