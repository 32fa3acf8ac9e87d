// MINIMAL (see the header).
#include "game/spells/magic_sphere.h"

#include "toolkit/string_utils.h"

MagicSpherePtr magicSphere;

void TMagicSphere::ResetSettings() {
  colours.fill(0);
  capacities.fill(0.0f);
  fills.fill(0.0f);
}

void TMagicSphere::Load(const TSCFilePtr& tsc) {
  ResetSettings();
  TListPtr<String> colourList =
      splitString(GetTSCStringKey(tsc, S("Settings::Level"), S("SpheresColors"), 0), S(" "));
  TListPtr<String> capacityList =
      splitString(GetTSCStringKey(tsc, S("Settings::Level"), S("SpheresCapacities"), 0), S(" "));
  // Values are read by position; a list shorter than five leaves the rest of the vials unused,
  // values past the fifth are ignored.
  int32_t slot = 0;
  for (const String& value : *colourList) {
    if (slot >= kVials) break;
    colours[static_cast<size_t>(slot++)] = ToInt(value);
  }
  slot = 0;
  for (const String& value : *capacityList) {
    if (slot >= kVials) break;
    capacities[static_cast<size_t>(slot++)] = static_cast<float>(ToInt(value));
  }
}

void TMagicSphere::Fill(int32_t colour) {
  if (colour == 0) return;
  for (size_t slot = 0; slot < kVials; ++slot)
    if (colours[slot] == colour && fills[slot] < capacities[slot]) fills[slot] += 1.0f;
}

int32_t TMagicSphere::IsFull() {
  for (size_t slot = 0; slot < kVials; ++slot)
    if (colours[slot] != 0 && fills[slot] < capacities[slot]) return 0;
  return 1;
}

int32_t TMagicSphere::GetColorXY(int32_t colour, int32_t& targetX, int32_t& targetY) {
  if (colour != 0) {
    for (size_t slot = 0; slot < kVials; ++slot) {
      if (colours[slot] != colour) continue;
      targetX = x + slotOffsets[slot][0] + vialWidth / 2;
      targetY = y + slotOffsets[slot][1] + vialHeight / 2;
      return 1;
    }
  }
  targetX = x + 85;
  targetY = y + 85;
  return 0;
}
