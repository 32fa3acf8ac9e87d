// MINIMAL until the boss runes are built: the ring test of a boss rune and its help overlay,
// as the board's clearing, placement preview and drawing ask them of the boss manager. Once
// TBossManager offers CheckForMatch and DrawHelp itself, these hand over to it.
#pragma once
#include <cstdint>

#include "platform/graphics.h"

// For each live boss rune whose four neighbouring 2 x 2 squares hold runes of its colour: with
// `commit` 1 adds their eight two-cell lines to the board and removes the boss rune; with 0
// writes its colour into the board's highlights over the squares and the rune's own square.
void BossCheckForMatch(int32_t commit);
// Draws `bossHelpImage` at alpha 0.3 on the cells of each live boss rune's neighbouring
// squares that lie on the board. Leaves the alpha at 0.3 (nothing is drawn without a picture).
void BossDrawHelp();

// The help overlay's picture (none until the boss runes' pictures exist).
extern ImagePtr bossHelpImage;
