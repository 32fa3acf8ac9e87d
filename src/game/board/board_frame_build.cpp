// Lays the frame out from the board's shape: every empty cell beside the usable cells is tagged
// by the sides on which it touches them, corners are added at the bends, and the tagged runs
// are split greedily into pieces of three, two and one cells.
#include "game/board/board_manager.h"
#include "platform/system.h"

namespace {

constexpr int32_t kGrid = kBoardCells + 2;  // the board with a ring of empty cells around it
using Grid = std::array<std::array<int32_t, kGrid>, kGrid>;

bool InGrid(int32_t g) { return g >= 0 && g < kGrid; }

struct Tags {
  Grid m{};
  int32_t at(int32_t gx, int32_t gy) const {
    return m[static_cast<size_t>(gx)][static_cast<size_t>(gy)];
  }
  // Whether the neighbour (gx + dx, gy + dy) lies in the grid and carries `tag`.
  bool is(int32_t gx, int32_t gy, int32_t dx, int32_t dy, int32_t tag) const {
    return InGrid(gx + dx) && InGrid(gy + dy) && at(gx + dx, gy + dy) == tag;
  }
};

struct CornerRule {
  int32_t dx1, dy1, tag1;  // first neighbour and its tag
  int32_t dx2, dy2, tag2;  // second neighbour and its tag
  int32_t result;
};

// Visits the grid column by column and writes, into every cell still untagged, the result of
// the first rule that holds.
void ApplyCornerRules(Tags& tags, const CornerRule* rules, size_t count) {
  for (int32_t gx = 0; gx < kGrid; ++gx) {
    for (int32_t gy = 0; gy < kGrid; ++gy) {
      if (tags.at(gx, gy) != 0) continue;
      for (size_t r = 0; r < count; ++r) {
        const CornerRule& rule = rules[r];
        if (tags.is(gx, gy, rule.dx1, rule.dy1, rule.tag1) &&
            tags.is(gx, gy, rule.dx2, rule.dy2, rule.tag2)) {
          tags.m[static_cast<size_t>(gx)][static_cast<size_t>(gy)] = rule.result;
          break;
        }
      }
    }
  }
}

}  // namespace

void TBoardManager::buildFrame() {
  if (!frameList) frameList = CreateList<FrameElementPtr>();
  frameList->Clear();
  Grid u{};
  for (size_t x = 0; x < kBoardCells; ++x)
    for (size_t y = 0; y < kBoardCells; ++y) u[x + 1][y + 1] = usable[x][y];

  Tags tags;
  for (int32_t gx = 0; gx < kGrid; ++gx) {
    for (int32_t gy = 0; gy < kGrid; ++gy) {
      if (u[static_cast<size_t>(gx)][static_cast<size_t>(gy)] <= 0) continue;
      auto tag = [&](int32_t nx, int32_t ny, int32_t bit) {
        if (!InGrid(nx) || !InGrid(ny)) return;
        if (u[static_cast<size_t>(nx)][static_cast<size_t>(ny)] == 0)
          tags.m[static_cast<size_t>(nx)][static_cast<size_t>(ny)] += bit;
      };
      tag(gx - 1, gy, 4);
      tag(gx + 1, gy, 8);
      tag(gx, gy - 1, 1);
      tag(gx, gy + 1, 2);
    }
  }

  static const CornerRule kOuter[] = {
      {1, 0, 1, 0, 1, 4, 10},
      {1, 0, 2, 0, -1, 4, 9},
      {-1, 0, 1, 0, 1, 8, 6},
      {-1, 0, 2, 0, -1, 8, 5},
  };
  ApplyCornerRules(tags, kOuter, std::size(kOuter));
  static const CornerRule kStep[] = {
      {1, 0, 1, 0, 1, 5, 10},   {1, 0, 5, 0, 1, 5, 10},   {1, 0, 5, 0, 1, 4, 10},
      {-1, 0, 1, 0, 1, 9, 6},   {-1, 0, 9, 0, 1, 9, 6},   {-1, 0, 9, 0, 1, 8, 6},
      {1, 0, 2, 0, -1, 6, 9},   {1, 0, 6, 0, -1, 6, 9},   {1, 0, 6, 0, -1, 4, 9},
      {-1, 0, 2, 0, -1, 10, 5}, {-1, 0, 10, 0, -1, 10, 5}, {-1, 0, 10, 0, -1, 8, 5},
  };
  ApplyCornerRules(tags, kStep, std::size(kStep));

  for (int32_t gx = 0; gx < kGrid; ++gx) {
    int32_t open4 = -1;
    int32_t open8 = -1;
    for (int32_t gy = 0; gy < kGrid; ++gy) {
      const int32_t t = tags.at(gx, gy);
      if (t == 4) {
        if (open4 < 0) open4 = gy;
      } else if (open4 >= 0) {
        _buildSide(0, gx, gy, open4);
        open4 = -1;
      }
      if (t == 8) {
        if (open8 < 0) open8 = gy;
      } else if (open8 >= 0) {
        _buildSide(1, gx, gy, open8);
        open8 = -1;
      }
      if (t == 10) _buildCorner(4, 0, gx, gy);
      if (t == 6) _buildCorner(5, 1, gx, gy);
      if (t == 9) _buildCorner(6, 2, gx, gy);
      if (t == 5) _buildCorner(7, 3, gx, gy);
    }
  }
  for (int32_t gy = 0; gy < kGrid; ++gy) {
    int32_t open1 = -1;
    int32_t open2 = -1;
    for (int32_t gx = 0; gx < kGrid; ++gx) {
      const int32_t t = tags.at(gx, gy);
      if (t == 1) {
        if (open1 < 0) open1 = gx;
      } else if (open1 >= 0) {
        _buildSide2(2, gx, gy, open1);
        open1 = -1;
      }
      if (t == 2) {
        if (open2 < 0) open2 = gx;
      } else if (open2 >= 0) {
        _buildSide2(3, gx, gy, open2);
        open2 = -1;
      }
    }
  }
}

namespace {

// Splits a run of `end` - `start` cells greedily into pieces of 3, then 2, then 1, and hands
// each piece's first position and length to `add`.
template <class Add>
void SplitRun(int32_t start, int32_t end, Add add) {
  int32_t position = start;
  for (int32_t length = 3; length >= 1; --length) {
    while (end - position >= length) {
      add(position, length);
      position += length;
    }
  }
}

}  // namespace

void TBoardManager::_buildSide(int32_t kind, int32_t gx, int32_t end, int32_t start) {
  SplitRun(start, end, [&](int32_t position, int32_t length) {
    auto element = std::make_shared<TFrameElement>();
    element->kind = kind;
    element->size = length;
    element->id = Rand(0, length == 3 ? 2 : 1);
    element->x = gx - 1;
    element->y = position - 1;
    frameList->AddLast(element);
  });
}

void TBoardManager::_buildSide2(int32_t kind, int32_t end, int32_t gy, int32_t start) {
  SplitRun(start, end, [&](int32_t position, int32_t length) {
    auto element = std::make_shared<TFrameElement>();
    element->kind = kind;
    element->size = length;
    element->id = Rand(0, length == 3 ? 2 : 1);
    element->x = position - 1;
    element->y = gy - 1;
    frameList->AddLast(element);
  });
}

void TBoardManager::_buildCorner(int32_t kind, int32_t corner, int32_t gx, int32_t gy) {
  auto element = std::make_shared<TFrameElement>();
  element->kind = kind;
  element->size = corner;
  element->id = Rand(0, 2);
  element->x = gx - 1;
  element->y = gy - 1;
  if (!frameList) frameList = CreateList<FrameElementPtr>();
  frameList->AddLast(element);
}
