// STAND-IN until the spells, sphere drawing, boss drawing and emitters exist (see the header).
#include "game/spells/standin_spell_effects.h"

#include "game/pieces/blocks_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/magic_sphere.h"

namespace standin {

namespace {
// Where the sphere shows the next block, from its top-left corner.
constexpr float kPreviewX = 92.0f;
constexpr float kPreviewY = 95.0f;
}  // namespace

void ClearEfects() {
  if (blocks) blocks->Freze(-1);
}

void ClearSpells() {
  if (!bonusManagerAlt) return;
  bonusManagerAlt->bonuses->Clear();
  bonusManagerAlt->active->Clear();
}

void DrawSpells() {}

void UpdateSphere(int32_t /*withSparks*/) {
  if (!magicSphere || !blocks) return;
  blocks->DrawNextBlock(static_cast<float>(magicSphere->x) + kPreviewX,
                        static_cast<float>(magicSphere->y) + kPreviewY);
}

void DrawBosses() {}
void UpdateSpellEmitters() {}
void UpdateRingBursts() {}

}  // namespace standin
