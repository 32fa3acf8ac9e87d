// The play-through's own picture of a board level, and how it chooses where the held block goes.
//
// The player copies what it can see of the game into a BoardView (the board's cells and
// colours, the boss squares, the vials still to fill, the goal) and plays every placement of
// the held block in that copy: the runs of three it would clear, the boss rings it would close,
// the runes it would leave and the room left for the next block. It never touches the game:
// the game's own fit test has the last word before the click (see the player).
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace playthrough {

constexpr int kCells = 15;
constexpr int kColours = 16;  // rune colour numbers 1..15

// One filled cell of a block at a quarter turn: where it lands from the anchor, its colour.
struct BlockCell {
  int dx = 0;
  int dy = 0;
  int colour = 0;
};
using BlockShape = std::vector<BlockCell>;

// A block's four quarter turns, as the board places them.
struct BlockTurns {
  std::array<BlockShape, 4> turns;
  bool empty() const { return turns[0].empty(); }
};

// A boss square (its top-left cell) and the colour its ring asks for.
struct BossSquare {
  int x = 0;
  int y = 0;
  int colour = 0;
};

struct BoardView {
  std::array<std::array<bool, kCells>, kCells> usable{};    // [x][y]
  std::array<std::array<bool, kCells>, kCells> occupied{};  // a rune or stone lies there
  std::array<std::array<int, kCells>, kCells> colour{};     // 0: none
  // A stone: a run through it turns it back into its rune, which stays.
  std::array<std::array<bool, kCells>, kCells> stone{};
  // The spell lying on a cell (its kind, 0 none): a run through the cell sets it off.
  std::array<std::array<int, kCells>, kCells> spell{};
  std::vector<BossSquare> bosses;
  int goal = 0;  // 1 fill the vials, 2 empty the board, 3 bring down the bosses
  // The shapes the level deals, one entry per entry of its list (so a shape listed twice
  // counts twice): a deal of one that fits nowhere ends the level.
  std::shared_ptr<const std::vector<BlockTurns>> dealt;
  std::array<int, kColours> needed{};  // balls the vials of each colour still want

  // True when the cell is on the board, usable, empty and under no boss.
  bool Open(int x, int y) const;
  bool Fits(const BlockShape& shape, int x, int y) const;
};

// A placement: the held block at quarter turn `rotation` anchored on cell (x, y).
struct Move {
  int rotation = 0;
  int x = 0;
  int y = 0;
  double score = 0.0;
  bool valid = false;
};

// What a placement does to the copy.
struct Outcome {
  BoardView after;
  int cleared = 0;        // cells emptied
  int restored = 0;       // stones turned back into runes
  int clearedNeeded = 0;  // of them, balls the vials still wanted
  int bossesDown = 0;
  int spellsCast = 0;     // spells set off
  int teleports = 0;      // of them, teleports (colours changed at random)
};

// The copy after the shape is stamped at (x, y) and its runs and closed rings are cleared.
Outcome Place(const BoardView& view, const BlockShape& shape, int x, int y);

// What a placement gains at once (cells cleared, bosses brought down), how good the board it
// leaves is to go on from, for the view's goal, and the two together (higher is better).
double Gain(const Outcome& outcome);
double Standing(const BoardView& view);
double Judge(const Outcome& outcome);
// True when the view meets its goal.
bool Won(const BoardView& view);

// The best placement of `held` (turns counted from `currentTurn`, which needs no wheel step),
// looking one block further with `next` when it is known. Invalid when the block fits nowhere.
Move BestMove(const BoardView& view, const BlockTurns& held, int currentTurn,
              const BlockTurns& next);

}  // namespace playthrough
