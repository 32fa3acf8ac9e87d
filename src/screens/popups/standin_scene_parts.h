// STAND-IN until the spells, the magic sphere and the boss runes are drawn over the popups:
// the parts of the frozen level scene that those types will draw themselves, and the spell
// icons that the spell manager will hold. Their own issues replace each function with the real
// call (TMagicSphere::Update(1), TBossManager::Draw, TBunusManagerA::Draw,
// TBunusManagerA.icons) and remove this file.
#pragma once
#include <cstdint>

#include "platform/graphics.h"

// The magic sphere and its vials: nothing yet.
void StandInDrawSphere();
// The live boss runes: nothing yet.
void StandInDrawBosses();
// The spells lying on the board: nothing yet.
void StandInDrawSpells();
// The icon of spell kind 1..6 ("gfx/bonusy/mag_0N.png" by the spell table, handle at its
// centre), loaded on first use; null for any other kind or a picture that does not load.
ImagePtr StandInSpellIcon(int32_t kind);
