// What each spell does to the board when it is cast. Holy fire, vanish, bomb, drain and heal
// choose their target cells at once and start one particle emitter per target; the emitters
// change the board when their particles arrive. The four removing effects answer the number of
// runes the player is paid for. The teleport works in place over 101 calls, one a frame: it
// chooses cells, fades their new runes in over the old ones and then changes the runes.
// Cells are visited column by column (columns 0..14, rows 0..14 within each).
#pragma once
#include <cstdint>

#include "platform/list.h"

// Holy fire: a line of fire up, down, left and right of the spell's cell, each to the first hole
// or past the board's edge. Answers the occupied cells on both lines, the own cell once.
int32_t BonusRemoveCross(int32_t column, int32_t row);
// The two halves of the holy fire; each answers the occupied cells between its ends.
int32_t BonusRemoveVerticalLine(int32_t column, int32_t row);
int32_t BonusRemoveHorizontalLine(int32_t column, int32_t row);
// Vanish: a stream to the spell's own cell, then to every fifth occupied cell (skipping cells
// with a spell). Answers the cells targeted besides the own cell.
int32_t BonusRemoveRandomColors(int32_t column, int32_t row);
// Bomb: fire on every usable cell of the 5 x 5 square round the spell. Answers the occupied ones.
int32_t BonusRemoveBlock(int32_t column, int32_t row);
// Drain: a stream to every cell of the colour, in one colour drawn for the cast. Answers them.
int32_t BonusRemoveColor(int32_t colour, int32_t column, int32_t row);
// Heal: fire over every stone. Answers 0.
int32_t BonusHeal();

// A cell the teleport changes, and the rune it gets.
struct TTeleportCell {
  int32_t x = 0;
  int32_t y = 0;
  int32_t runeId = 0;
};

// One call of the teleport. A progress of exactly 0 chooses the cells anew; every call adds 0.01
// (single precision, not scaled by delta) and draws the new runes at that alpha over the old;
// the call that brings the progress to 1 or more writes them. Leaves alpha blending. Answers 0.
int32_t BonusReplacer(float& progress, TList<TTeleportCell>& records);
