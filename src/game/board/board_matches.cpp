// Runs of three or more cells of one colour along the rows and the columns: recorded as lines
// for a clearing, or copied into the highlight layer for the placement preview.
#include "game/board/board_manager.h"

void TBoardManager::_addLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  auto line = std::make_shared<TLine>();
  line->x1 = x1;
  line->y1 = y1;
  line->x2 = x2;
  line->y2 = y2;
  if (!lines) lines = CreateList<LinePtr>();
  lines->AddLast(line);
}

namespace {

// Walks one row (horizontal) or one column of the board and reports each run of three or more
// cells of one non-zero colour as (first, last) along the walk.
template <class Report>
void ScanLine(const BoardLayer& colours, bool horizontal, int32_t fixed, Report report) {
  int32_t current = 0;
  int32_t count = 0;
  int32_t start = 0;
  auto colourAt = [&](int32_t k) {
    return horizontal ? colours[static_cast<size_t>(k)][static_cast<size_t>(fixed)]
                      : colours[static_cast<size_t>(fixed)][static_cast<size_t>(k)];
  };
  for (int32_t k = 0; k < kBoardCells; ++k) {
    const int32_t c = colourAt(k);
    if (c != current) {
      if (count >= 3) report(start, k - 1);
      current = c;
      count = 0;
      start = k;
    }
    if (c != 0) ++count;
  }
  if (count >= 3) report(start, kBoardCells - 1);
}

}  // namespace

void TBoardManager::checkForHorizontalMatch(int32_t commit) {
  for (int32_t y = 0; y < kBoardCells; ++y) {
    ScanLine(colours, true, y, [&](int32_t s, int32_t e) {
      if (commit != 0) {
        _addLine(s, y, e, y);
      } else {
        for (int32_t x = s; x <= e; ++x) highlights[x][y] = colours[x][y];
      }
    });
  }
}

void TBoardManager::checkForVerticalMatch(int32_t commit) {
  for (int32_t x = 0; x < kBoardCells; ++x) {
    ScanLine(colours, false, x, [&](int32_t s, int32_t e) {
      if (commit != 0) {
        _addLine(x, s, x, e);
      } else {
        for (int32_t y = s; y <= e; ++y) highlights[x][y] = colours[x][y];
      }
    });
  }
}
