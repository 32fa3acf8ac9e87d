// STAND-IN (see the header).
#include "screens/popups/standin_scene_parts.h"

#include <array>
#include <string>

#include "app/data_folders.h"

void StandInDrawSphere() {}
void StandInDrawBosses() {}
void StandInDrawSpells() {}

ImagePtr StandInSpellIcon(int32_t kind) {
  // Spell kinds 1..6 in the order of the spell table.
  static const std::array<const char*, 6> kIconFiles = {
      "gfx/bonusy/mag_06.png", "gfx/bonusy/mag_03.png", "gfx/bonusy/mag_04.png",
      "gfx/bonusy/mag_01.png", "gfx/bonusy/mag_05.png", "gfx/bonusy/mag_02.png"};
  static std::array<ImagePtr, 6> icons{};
  if (kind < 1 || kind > 6) return nullptr;
  ImagePtr& icon = icons[static_cast<size_t>(kind - 1)];
  if (!icon) {
    icon = LoadImage(bundleDir + kIconFiles[static_cast<size_t>(kind - 1)]);
    if (icon) MidHandleImage(icon);
  }
  return icon;
}
