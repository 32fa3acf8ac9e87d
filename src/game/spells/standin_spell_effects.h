// STAND-IN until the spells, the magic sphere's drawing, the boss runes' drawing and the spell
// and ring emitters exist: the least the game modes call of them, as free functions in
// namespace standin, each named after the operation it stands in for. Replace every call with
// the real operation and remove this file.
#pragma once
#include <cstdint>

namespace standin {

// TBunusManagerA::ClearEfects: no emitters yet, so only any freeze of the blocks ends.
void ClearEfects();
// TBunusManagerA::ClearSpells: no spell on the board and none being cast.
void ClearSpells();
// TBunusManagerA::Draw: the spells lying on the board have no pictures yet; nothing is drawn.
void DrawSpells();
// TMagicSphere::Update: the sphere has no pictures yet; draws the next-block preview where the
// sphere shows it.
void UpdateSphere(int32_t withSparks);
// TBossManager::Draw: the boss runes have no pictures yet; nothing is drawn.
void DrawBosses();
// TVolcanoEmiter::updateAll and TRingEmiter::UpdateAll: no such emitters exist yet.
void UpdateSpellEmitters();
void UpdateRingBursts();

}  // namespace standin
