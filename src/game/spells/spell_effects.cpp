// The six spell effects: target choice and the emitters they start; the teleport's frames.
#include "game/spells/spell_effects.h"

#include <vector>

#include "game/board/board_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/volcano_emiter.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {

// The vanish stream's colour.
constexpr int32_t kVanishRed = 225;
constexpr int32_t kVanishGreen = 210;
constexpr int32_t kVanishBlue = 225;
// Vanish takes one occupied cell, then lets this many more pass.
constexpr int32_t kVanishGap = 4;
// The bomb's reach round its cell.
constexpr int32_t kBombReach = 2;
// The teleport takes every fourth occupied cell.
constexpr int32_t kTeleportTurn = 4;
constexpr float kTeleportStep = 0.01f;
// Up to these progresses the teleport's cells sparkle in the old colour, then the new.
constexpr float kTeleportOldColourUntil = 0.4f;
constexpr float kTeleportNewColourUntil = 0.8f;

bool Inside(int32_t column, int32_t row) {
  return column >= 0 && column < kBoardCells && row >= 0 && row < kBoardCells;
}

int32_t RuneAt(int32_t column, int32_t row) {
  return board->runeIds[static_cast<size_t>(column)][static_cast<size_t>(row)];
}

bool Hole(int32_t column, int32_t row) {
  return board->usable[static_cast<size_t>(column)][static_cast<size_t>(row)] == 0;
}

// The colour number of a rune id; 0 for an empty cell.
int32_t ColourOf(int32_t runeId) {
  if (runeId == 0 || !runes) return 0;
  return runes->getRuneColor(FromInt(runeId));
}

// A rune that may be dealt as an ordinary rune: anything the catalogue does not call a stone.
bool NotAStone(int32_t runeId) {
  RunePtr rune = runes ? runes->_findRuneByID(FromInt(runeId)) : nullptr;
  return !rune || rune->blocked == 0;
}

// Walks from the spell's own cell in steps of (dx, dy) up to the first hole, which is the walk's
// end, or past the edge (end -1 or 15). Adds the occupied cells passed, the own cell included,
// to `occupied`; answers the end's coordinate along the walk.
int32_t WalkToEnd(int32_t column, int32_t row, int32_t dx, int32_t dy, int32_t& occupied) {
  int32_t c = column;
  int32_t r = row;
  while (Inside(c, r)) {
    if (Hole(c, r)) break;
    if (RuneAt(c, r) != 0) ++occupied;
    c += dx;
    r += dy;
  }
  return dx != 0 ? c : r;
}

// One half of the holy fire: both walks, then a line emitter towards each end.
int32_t RemoveLine(int32_t column, int32_t row, int32_t orientation) {
  if (!board) return 0;
  const int32_t dx = orientation == 1 ? 1 : 0;
  const int32_t dy = orientation == 1 ? 0 : 1;
  int32_t occupied = 0;
  const int32_t first = WalkToEnd(column, row, -dx, -dy, occupied);
  const int32_t second = WalkToEnd(column, row, dx, dy, occupied);
  const auto fromX = static_cast<float>(CellCentreX(column));
  const auto fromY = static_cast<float>(CellCentreY(row));
  for (int32_t end : {first, second}) {
    const int32_t toX = orientation == 1 ? CellCentreX(end) : CellCentreX(column);
    const int32_t toY = orientation == 1 ? CellCentreY(row) : CellCentreY(end);
    TRemoveLineEmiter::add(fromX, fromY, static_cast<float>(toX), static_cast<float>(toY),
                           orientation);
  }
  // Both walks passed the own cell.
  if (Inside(column, row) && RuneAt(column, row) != 0) --occupied;
  return occupied;
}

}  // namespace

int32_t BonusRemoveVerticalLine(int32_t column, int32_t row) { return RemoveLine(column, row, 0); }

int32_t BonusRemoveHorizontalLine(int32_t column, int32_t row) {
  return RemoveLine(column, row, 1);
}

int32_t BonusRemoveCross(int32_t column, int32_t row) {
  if (!board) return 0;
  // Read before the lines start: their emitters do not touch the board yet, but the own cell
  // is counted by both halves and must come off once.
  const bool ownOccupied = Inside(column, row) && RuneAt(column, row) != 0;
  const int32_t vertical = BonusRemoveVerticalLine(column, row);
  const int32_t horizontal = BonusRemoveHorizontalLine(column, row);
  return vertical + horizontal - (ownOccupied ? 1 : 0);
}

int32_t BonusRemoveRandomColors(int32_t column, int32_t row) {
  if (!board) return 0;
  const auto fromX = static_cast<float>(CellCentreX(column));
  const auto fromY = static_cast<float>(CellCentreY(row));
  const int32_t own = Inside(column, row) ? RuneAt(column, row) : 0;
  TRemoveRandomColorsEmiter::add(fromX, fromY, fromX, fromY, kVanishRed, kVanishGreen,
                                 kVanishBlue, column, row, ColourOf(own));
  int32_t counter = 0;
  int32_t count = 0;
  for (int32_t x = 0; x < kBoardCells; ++x) {
    for (int32_t y = 0; y < kBoardCells; ++y) {
      const int32_t id = RuneAt(x, y);
      if (id == 0) continue;
      if (counter > 0) {
        counter = (counter + 1) % (kVanishGap + 1);
        continue;
      }
      // A cell with a spell passes its turn on to the next occupied cell.
      if (bonusManagerAlt && bonusManagerAlt->GetBonus(x, y)) continue;
      TRemoveRandomColorsEmiter::add(fromX, fromY, static_cast<float>(CellCentreX(x)),
                                     static_cast<float>(CellCentreY(y)), kVanishRed,
                                     kVanishGreen, kVanishBlue, x, y, ColourOf(id));
      ++count;
      counter = 1;
    }
  }
  return count;
}

int32_t BonusRemoveBlock(int32_t column, int32_t row) {
  if (!board) return 0;
  int32_t count = 0;
  for (int32_t x = column - kBombReach; x <= column + kBombReach; ++x) {
    for (int32_t y = row - kBombReach; y <= row + kBombReach; ++y) {
      if (!Inside(x, y) || Hole(x, y)) continue;
      TRemoveBlockEmiter::add(static_cast<float>(CellCentreX(x)),
                              static_cast<float>(CellCentreY(y)), static_cast<float>(x), y);
      if (RuneAt(x, y) != 0) ++count;
    }
  }
  return count;
}

int32_t BonusRemoveColor(int32_t colour, int32_t column, int32_t row) {
  if (!board) return 0;
  const int32_t red = JitteredRuneRGB(colour, 1);
  const int32_t green = JitteredRuneRGB(colour, 2);
  const int32_t blue = JitteredRuneRGB(colour, 3);
  // Colour 0 is no rune's: it marks the empty cells, which a drain must not pay for (a damaged
  // saved spell can carry it).
  if (colour == 0) return 0;
  const auto fromX = static_cast<float>(CellCentreX(column));
  const auto fromY = static_cast<float>(CellCentreY(row));
  int32_t count = 0;
  for (int32_t x = 0; x < kBoardCells; ++x) {
    for (int32_t y = 0; y < kBoardCells; ++y) {
      if (board->colours[static_cast<size_t>(x)][static_cast<size_t>(y)] != colour) continue;
      TRemoveColorEmiter::add(fromX, fromY, static_cast<float>(CellCentreX(x)),
                              static_cast<float>(CellCentreY(y)), red, green, blue, x, y,
                              colour);
      ++count;
    }
  }
  return count;
}

int32_t BonusHeal() {
  if (!board || !runes) return 0;
  for (int32_t x = 0; x < kBoardCells; ++x)
    for (int32_t y = 0; y < kBoardCells; ++y)
      if (runes->isBlocked(RuneAt(x, y)) != 0)
        THealEmiter::add(static_cast<float>(CellCentreX(x)), static_cast<float>(CellCentreY(y)),
                         static_cast<float>(x), y);
  return 0;
}

namespace {

// The teleport's choice: every fourth occupied cell gets a random other, ordinary rune of the
// level; a cell without such a rune keeps its own.
void ChooseTeleportCells(TList<TTeleportCell>& records) {
  records.Clear();
  if (!board) return;
  int32_t occupied = 0;
  for (int32_t x = 0; x < kBoardCells; ++x)
    for (int32_t y = 0; y < kBoardCells; ++y) occupied += RuneAt(x, y) != 0 ? 1 : 0;
  int32_t counter = occupied < 2 ? 0 : Rand(0, 2);
  for (int32_t x = 0; x < kBoardCells; ++x) {
    for (int32_t y = 0; y < kBoardCells; ++y) {
      const int32_t id = RuneAt(x, y);
      if (id == 0) continue;
      if (counter == 0 && blocks && blocks->availableRunes) {
        std::vector<int32_t> candidates;
        for (const String& entry : *blocks->availableRunes) {
          const int32_t candidate = ToInt(entry);
          if (candidate != id && NotAStone(candidate)) candidates.push_back(candidate);
        }
        if (!candidates.empty()) {
          const int32_t pick = Rand(0, static_cast<int32_t>(candidates.size()) - 1);
          records.AddLast({x, y, candidates[static_cast<size_t>(pick)]});
        }
      }
      counter = (counter + 1) % kTeleportTurn;
    }
  }
}

// The cell gets its new rune; a drain spell lying there takes the new colour; the board clears
// what now matches.
void WriteTeleportCell(const TTeleportCell& cell) {
  const auto c = static_cast<size_t>(cell.x);
  const auto r = static_cast<size_t>(cell.y);
  board->runeIds[c][r] = cell.runeId;
  board->colours[c][r] = ColourOf(cell.runeId);
  board->placedAt[c][r] = MilliSecs();
  if (bonusManagerAlt && bonusManagerAlt->FindBonus(cell.x, cell.y) != 0) {
    BonusAPtr spell = bonusManagerAlt->GetBonus(cell.x, cell.y);
    if (spell && spell->kind == TBunusManagerA::kDrain) spell->colour = board->colours[c][r];
  }
  board->clearMatchingRunes(0);
  board->checkGameOver();
}

}  // namespace

int32_t BonusReplacer(float& progress, TList<TTeleportCell>& records) {
  if (progress == 0.0f) ChooseTeleportCells(records);
  SetBlend(ALPHABLEND);
  progress += kTeleportStep;
  SetAlpha(progress);
  if (board) {
    for (const TTeleportCell& cell : records) {
      if (!Inside(cell.x, cell.y)) continue;
      if (runes)
        runes->Draw(cell.runeId,
                    static_cast<float>(board->originX + cell.x * board->cellSize),
                    board->originY + cell.y * board->cellSize);
      int32_t& highlight =
          board->highlights[static_cast<size_t>(cell.x)][static_cast<size_t>(cell.y)];
      if (progress <= kTeleportOldColourUntil)
        highlight = ColourOf(RuneAt(cell.x, cell.y));
      else if (progress <= kTeleportNewColourUntil)
        highlight = ColourOf(cell.runeId);
      else
        highlight = 0;
      if (progress >= 1.0f) WriteTeleportCell(cell);
    }
  }
  SetAlpha(1.0f);
  return 0;
}
