// STAND-IN calls of the game modes (see the header): each now forwards to the real operation.
#include "game/spells/standin_spell_effects.h"

#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/volcano_emiter.h"
#include "minigames/ring/ring_emiter.h"

namespace standin {

void ClearEfects() {
  if (bonusManagerAlt) bonusManagerAlt->ClearEfects();
}

void ClearSpells() {
  if (bonusManagerAlt) bonusManagerAlt->ClearSpells();
}

void DrawSpells() {
  if (bonusManagerAlt) bonusManagerAlt->Draw();
}

void UpdateSphere(int32_t withSparks) {
  if (magicSphere) magicSphere->Update(withSparks);
}

void DrawBosses() {
  if (bossManager) bossManager->Draw();
}

void UpdateSpellEmitters() { TVolcanoEmiter::updateAll(); }
void UpdateRingBursts() { TRingEmiter::UpdateAll(); }

}  // namespace standin
