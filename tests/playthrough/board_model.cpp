// The play-through's board model and placement choice (see the header).
#include "board_model.h"

#include <algorithm>

namespace playthrough {

namespace {

// The four 2 x 2 squares of a boss's ring, from the boss square's top-left cell.
constexpr int kRingSquares[4][2] = {{-2, 0}, {2, 0}, {0, -2}, {0, 2}};

// The spells the model casts: holy fire burns the spell's row and column to the first hole,
// vanish takes every fifth occupied cell, the bomb the 5 x 5 square round it, the drain every
// rune of the colour it lay on, the heal turns every stone back into its rune; the teleport
// gives every fourth rune another colour at random (the model only counts it).
constexpr int kHolyFire = 1;
constexpr int kVanish = 2;
constexpr int kBomb = 3;
constexpr int kDrain = 4;
constexpr int kHeal = 5;
constexpr int kTeleport = 6;
constexpr int kVanishGap = 4;
constexpr int kBombReach = 2;

template <class Visit>
void ForEachRingCell(const BossSquare& boss, Visit visit) {
  for (const auto& square : kRingSquares)
    for (int dx = 0; dx < 2; ++dx)
      for (int dy = 0; dy < 2; ++dy) visit(boss.x + square[0] + dx, boss.y + square[1] + dy);
}

bool OnBoard(int x, int y) { return x >= 0 && y >= 0 && x < kCells && y < kCells; }

bool UnderBoss(const BoardView& view, int x, int y) {
  for (const BossSquare& boss : view.bosses)
    if (x >= boss.x && x <= boss.x + 1 && y >= boss.y && y <= boss.y + 1) return true;
  return false;
}

// Marks every run of three or more cells of one colour along rows and columns, as the board
// finds them.
void MarkRuns(const BoardView& view, std::array<std::array<bool, kCells>, kCells>& marks) {
  for (int horizontal = 0; horizontal < 2; ++horizontal) {
    for (int fixed = 0; fixed < kCells; ++fixed) {
      auto colourAt = [&](int k) { return horizontal ? view.colour[k][fixed] : view.colour[fixed][k]; };
      auto mark = [&](int from, int to) {
        for (int k = from; k <= to; ++k) (horizontal ? marks[k][fixed] : marks[fixed][k]) = true;
      };
      int current = 0, count = 0, start = 0;
      for (int k = 0; k < kCells; ++k) {
        const int c = colourAt(k);
        if (c != current) {
          if (count >= 3) mark(start, k - 1);
          current = c;
          count = 0;
          start = k;
        }
        if (c != 0) ++count;
      }
      if (count >= 3) mark(start, kCells - 1);
    }
  }
}

// Weights of the judgement. A cleared cell is worth most where the goal wants it; the runes
// left behind cost, the more so when the board is to be emptied; three cells in a line holding
// two runes of one colour and an open cell are a run in the making, one rune and two open cells
// room for one; a rune that no such line can ever clear stays for good; a single open cell
// walled in can only take a one-rune block; a boss ring's cells count by the colour they hold.
constexpr double kClearedCell = 12.0;
constexpr double kClearedNeeded = 10.0;
constexpr double kRestoredStone = 6.0;
constexpr double kRuneLeft = 2.0;
constexpr double kRuneLeftEmptyGoal = 10.0;
constexpr double kRuneLeftBossGoal = 10.0;
constexpr double kCrowdedFrom = 0.2;
constexpr double kCrowding = 8000.0;
constexpr double kAlmostRun = 4.0;
constexpr double kRoomForRun = 0.4;
constexpr double kDeadRune = 6.0;
// On a board to be emptied a rune one short of a run needs one more; a lone rune two, and each
// block that brings them brings others.
constexpr double kLoneRune = 8.0;
constexpr double kWalledCell = 7.0;
constexpr double kBossDown = 2000.0;
constexpr double kWin = 100000.0;
constexpr double kRingRight = 15.0;
constexpr double kRingWrong = 40.0;
constexpr double kRingGrowth = 3.0;
constexpr double kQuarterTurn = 0.3;
// A teleport on a boss level scatters the colours of the rings in the making.
constexpr double kTeleportOnRings = 150.0;
// An open ring cell with no open cell beside it can only take a one-rune block.
constexpr double kRingWalled = 25.0;
// The level's deals that fit nowhere, as a share of them: the next but one ends the level.
constexpr double kNoRoom = 1500.0;
// A spell still lying on the board: a later run through its cell sets it off.
constexpr double kSpellLying = 8.0;
// The next block counts at this share; with no place for it at all the board is nearly lost.
constexpr double kNextShare = 0.6;
constexpr double kNextNowhere = -600.0;
// Placements looked at one block further.
constexpr size_t kLookahead = 6;
constexpr int kFewRunes = 8;

// What a window of three cells in a row or a column can still become: -1 never a run (a hole,
// a boss square or two colours in it), else the colour in it (0 none) and how many of its
// cells hold that colour.
struct Window {
  int colour = 0;
  int filled = 0;
  bool alive = true;
};

Window Look(const BoardView& v, int x, int y, int dx, int dy) {
  Window w;
  for (int k = 0; k < 3; ++k) {
    const int cx = x + dx * k, cy = y + dy * k;
    if (!OnBoard(cx, cy) || !v.usable[cx][cy] || UnderBoss(v, cx, cy)) {
      w.alive = false;
      return w;
    }
    if (!v.occupied[cx][cy]) continue;
    const int c = v.colour[cx][cy];
    if (c == 0 || (w.colour != 0 && c != w.colour)) {
      w.alive = false;
      return w;
    }
    w.colour = c;
    ++w.filled;
  }
  return w;
}

// The runs in the making: windows one rune short of a run, windows with room to become one,
// and runes that no window can ever clear.
double Prospects(const BoardView& v) {
  double score = 0.0;
  std::array<std::array<bool, kCells>, kCells> hope{};
  std::array<std::array<bool, kCells>, kCells> paired{};
  for (int x = 0; x < kCells; ++x) {
    for (int y = 0; y < kCells; ++y) {
      for (int horizontal = 0; horizontal < 2; ++horizontal) {
        const int dx = horizontal, dy = 1 - horizontal;
        const Window w = Look(v, x, y, dx, dy);
        if (!w.alive) continue;
        if (w.filled == 2) {
          score += kAlmostRun;
          for (int k = 0; k < 3; ++k) paired[x + dx * k][y + dy * k] = true;
        }
        if (w.filled == 1) score += kRoomForRun;
        for (int k = 0; k < 3; ++k) hope[x + dx * k][y + dy * k] = true;
      }
      if (v.Open(x, y) && !v.Open(x - 1, y) && !v.Open(x + 1, y) && !v.Open(x, y - 1) && !v.Open(x, y + 1))
        score -= kWalledCell;
    }
  }
  for (int x = 0; x < kCells; ++x) {
    for (int y = 0; y < kCells; ++y) {
      if (v.occupied[x][y] && !hope[x][y]) score -= kDeadRune;
      if (v.goal == 2 && v.occupied[x][y] && !paired[x][y]) score -= kLoneRune;
    }
  }
  return score;
}

// The share of the level's deals that would fit nowhere on the board, each shape tried in its
// four turns over the rows' open cells as bit masks.
double ShareWithoutRoom(const BoardView& v) {
  if (!v.dealt || v.dealt->empty()) return 0.0;
  std::array<uint32_t, kCells> open{};
  for (int y = 0; y < kCells; ++y)
    for (int x = 0; x < kCells; ++x)
      if (v.Open(x, y)) open[static_cast<size_t>(y)] |= 1u << x;
  // Bit x of the answer: the cell (x + dx, y) is open.
  auto shifted = [&](int y, int dx) -> uint32_t {
    if (y < 0 || y >= kCells) return 0;
    const uint32_t row = open[static_cast<size_t>(y)];
    return dx >= 0 ? row >> dx : (row << -dx) & ((1u << kCells) - 1);
  };
  auto fitsSomewhere = [&](const BlockTurns& block) {
    for (const BlockShape& shape : block.turns) {
      for (int y = 0; y < kCells; ++y) {
        uint32_t anchors = (1u << kCells) - 1;
        for (const BlockCell& cell : shape) anchors &= shifted(y + cell.dy, cell.dx);
        if (anchors != 0) return true;
      }
    }
    return false;
  };
  int without = 0;
  for (const BlockTurns& block : *v.dealt)
    if (!block.empty() && !fitsSomewhere(block)) ++without;
  return static_cast<double>(without) / static_cast<double>(v.dealt->size());
}

double Rings(const BoardView& v) {
  double score = 0.0;
  for (const BossSquare& boss : v.bosses) {
    int right = 0;
    ForEachRingCell(boss, [&](int x, int y) {
      if (!OnBoard(x, y) || !v.occupied[x][y]) return;
      if (v.colour[x][y] == boss.colour) {
        ++right;
      } else {
        score -= kRingWrong;
      }
    });
    // The closer the ring is to closing, the more each cell of it is worth.
    score += right * kRingRight + right * right * kRingGrowth;
    // A ring cell still open wants a way in: an open cell beside it.
    ForEachRingCell(boss, [&](int x, int y) {
      if (v.Open(x, y) && !v.Open(x - 1, y) && !v.Open(x + 1, y) && !v.Open(x, y - 1) && !v.Open(x, y + 1))
        score -= kRingWalled;
    });
  }
  return score;
}

}  // namespace

bool BoardView::Open(int x, int y) const {
  return OnBoard(x, y) && usable[x][y] && !occupied[x][y] && !UnderBoss(*this, x, y);
}

bool BoardView::Fits(const BlockShape& shape, int x, int y) const {
  for (const BlockCell& cell : shape)
    if (!Open(x + cell.dx, y + cell.dy)) return false;
  return !shape.empty();
}

Outcome Place(const BoardView& view, const BlockShape& shape, int x, int y) {
  Outcome out;
  BoardView& v = out.after;
  v = view;
  for (const BlockCell& cell : shape) {
    v.occupied[x + cell.dx][y + cell.dy] = true;
    v.colour[x + cell.dx][y + cell.dy] = cell.colour;
  }
  std::array<std::array<bool, kCells>, kCells> marks{};
  MarkRuns(v, marks);
  std::vector<BossSquare> standing;
  for (const BossSquare& boss : v.bosses) {
    bool closed = true;
    ForEachRingCell(boss, [&](int cx, int cy) {
      closed = closed && OnBoard(cx, cy) && v.occupied[cx][cy] && v.colour[cx][cy] == boss.colour;
    });
    if (closed) {
      ForEachRingCell(boss, [&](int cx, int cy) { marks[cx][cy] = true; });
      ++out.bossesDown;
    } else {
      standing.push_back(boss);
    }
  }
  v.bosses = standing;
  std::vector<std::array<int, 4>> setOff;  // x, y, kind, the colour under it
  auto take = [&](int cx, int cy) {
    int& want = v.needed[static_cast<size_t>(std::clamp(v.colour[cx][cy], 0, kColours - 1))];
    if (want > 0) {
      --want;
      ++out.clearedNeeded;
    }
    if (v.spell[cx][cy] != 0) {
      setOff.push_back({cx, cy, v.spell[cx][cy], v.colour[cx][cy]});
      v.spell[cx][cy] = 0;
    }
    v.occupied[cx][cy] = false;
    v.stone[cx][cy] = false;
    v.colour[cx][cy] = 0;
    ++out.cleared;
  };
  for (int cx = 0; cx < kCells; ++cx) {
    for (int cy = 0; cy < kCells; ++cy) {
      if (!marks[cx][cy] || !v.occupied[cx][cy]) continue;
      if (v.stone[cx][cy]) {
        v.stone[cx][cy] = false;
        ++out.restored;
        continue;
      }
      take(cx, cy);
    }
  }
  // The spells set off, as they will be cast (the drain's colour is drawn then: left out).
  for (size_t k = 0; k < setOff.size(); ++k) {
    const auto [sx, sy, kind, under] = setOff[k];
    ++out.spellsCast;
    auto hit = [&](int cx, int cy) {
      if (OnBoard(cx, cy) && v.usable[cx][cy] && v.occupied[cx][cy]) take(cx, cy);
    };
    switch (kind) {
      case kHolyFire:
        for (const auto& step : {std::array<int, 2>{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
          for (int cx = sx, cy = sy; OnBoard(cx, cy) && v.usable[cx][cy]; cx += step[0], cy += step[1])
            hit(cx, cy);
        break;
      case kVanish: {
        int counter = 0;
        for (int cx = 0; cx < kCells; ++cx) {
          for (int cy = 0; cy < kCells; ++cy) {
            if (!v.occupied[cx][cy]) continue;
            if (counter > 0) {
              counter = (counter + 1) % (kVanishGap + 1);
              continue;
            }
            if (v.spell[cx][cy] != 0) continue;
            hit(cx, cy);
            counter = 1;
          }
        }
        break;
      }
      case kBomb:
        for (int cx = sx - kBombReach; cx <= sx + kBombReach; ++cx)
          for (int cy = sy - kBombReach; cy <= sy + kBombReach; ++cy) hit(cx, cy);
        break;
      case kDrain:
        for (int cx = 0; cx < kCells; ++cx)
          for (int cy = 0; cy < kCells; ++cy)
            if (v.occupied[cx][cy] && v.colour[cx][cy] == under) hit(cx, cy);
        break;
      case kHeal:
        for (auto& column : v.stone) column.fill(false);
        break;
      case kTeleport:
        ++out.teleports;
        break;
      default:
        break;
    }
  }
  return out;
}

double Gain(const Outcome& outcome) {
  double gain = outcome.cleared * kClearedCell + outcome.restored * kRestoredStone +
                outcome.bossesDown * kBossDown;
  if (outcome.after.goal == 1) gain += outcome.clearedNeeded * kClearedNeeded;
  if (outcome.after.goal == 3) gain -= outcome.teleports * kTeleportOnRings;
  return gain;
}

double Standing(const BoardView& v) {
  // Runes of a boss's colour on its ring are its closing, not clutter.
  std::array<std::array<bool, kCells>, kCells> ringRight{};
  for (const BossSquare& boss : v.bosses)
    ForEachRingCell(boss, [&](int x, int y) {
      if (OnBoard(x, y) && v.occupied[x][y] && v.colour[x][y] == boss.colour) ringRight[x][y] = true;
    });
  int runes = 0, spells = 0, open = 0, usable = 0;
  for (int x = 0; x < kCells; ++x) {
    for (int y = 0; y < kCells; ++y) {
      if (v.occupied[x][y] && !ringRight[x][y]) runes += 1 + (v.stone[x][y] ? 1 : 0);
      if (v.occupied[x][y] && v.spell[x][y] >= kHolyFire && v.spell[x][y] <= kDrain) ++spells;
      if (v.usable[x][y] && !UnderBoss(v, x, y)) {
        ++usable;
        if (!v.occupied[x][y]) ++open;
      }
    }
  }
  const double runeCost = v.goal == 2 ? kRuneLeftEmptyGoal : v.goal == 3 ? kRuneLeftBossGoal : kRuneLeft;
  // A crowded board is a game over in the making.
  const double filled = usable > 0 ? 1.0 - static_cast<double>(open) / usable : 0.0;
  const double crowding = std::max(0.0, filled - kCrowdedFrom);
  return Prospects(v) + Rings(v) + spells * kSpellLying - runes * runeCost -
         kCrowding * crowding * crowding - ShareWithoutRoom(v) * kNoRoom;
}

bool Won(const BoardView& v) {
  switch (v.goal) {
    case 1:
      return std::all_of(v.needed.begin(), v.needed.end(), [](int n) { return n <= 0; });
    case 2:
      for (const auto& column : v.occupied)
        for (bool taken : column)
          if (taken) return false;
      return true;
    case 3:
      return v.bosses.empty();
    default:
      return false;
  }
}

double Judge(const Outcome& outcome) {
  return Gain(outcome) + Standing(outcome.after) + (Won(outcome.after) ? kWin : 0.0);
}

namespace {

struct Candidate {
  Move move;
  Outcome outcome;
};

// Every placement of every turn of `block` on `view`, judged on its own.
std::vector<Candidate> Candidates(const BoardView& view, const BlockTurns& block, int currentTurn) {
  std::vector<Candidate> found;
  for (int r = 0; r < 4; ++r) {
    const BlockShape& shape = block.turns[static_cast<size_t>(r)];
    const int turnsNeeded = (r - currentTurn + 4) % 4;
    for (int x = 0; x < kCells; ++x) {
      for (int y = 0; y < kCells; ++y) {
        if (!view.Fits(shape, x, y)) continue;
        Candidate c;
        c.outcome = Place(view, shape, x, y);
        c.move = Move{r, x, y, Judge(c.outcome) - turnsNeeded * kQuarterTurn, true};
        found.push_back(std::move(c));
      }
    }
  }
  return found;
}

double BestFollowUp(const BoardView& view, const BlockTurns& next) {
  double best = kNextNowhere;
  for (int r = 0; r < 4; ++r) {
    const BlockShape& shape = next.turns[static_cast<size_t>(r)];
    for (int x = 0; x < kCells; ++x)
      for (int y = 0; y < kCells; ++y)
        if (view.Fits(shape, x, y)) best = std::max(best, Judge(Place(view, shape, x, y)));
  }
  return best;
}

}  // namespace

Move BestMove(const BoardView& view, const BlockTurns& held, int currentTurn,
              const BlockTurns& next) {
  std::vector<Candidate> found = Candidates(view, held, currentTurn);
  if (found.empty()) return Move{};
  std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
    return a.move.score > b.move.score;
  });
  // A placement that wins the level needs no look further.
  if (next.empty() || Won(found.front().outcome.after)) return found.front().move;
  // With few runes left on a board to be emptied every placement is looked at one block
  // further: the win is often two blocks away.
  int runes = 0;
  for (const auto& column : view.occupied)
    for (bool taken : column) runes += taken ? 1 : 0;
  const size_t lookahead = view.goal == 2 && runes <= kFewRunes ? found.size() : kLookahead;
  Move best;
  for (size_t k = 0; k < found.size() && k < lookahead; ++k) {
    const Candidate& c = found[k];
    if (Won(c.outcome.after)) return c.move;
    // What this placement gains now, then the board one block on (or as it stands, in part).
    const double followUp = BestFollowUp(c.outcome.after, next);
    const double turnCost = Judge(c.outcome) - c.move.score;
    const double total = Gain(c.outcome) - turnCost + kNextShare * followUp +
                         (1.0 - kNextShare) * Standing(c.outcome.after);
    if (!best.valid || total > best.score) {
      best = c.move;
      best.score = total;
    }
  }
  return best;
}

}  // namespace playthrough
