// The base of a grid of button cells laid over a rectangle; the picture puzzle's board
// derives from it.
#pragma once
#include <memory>
#include "platform/list.h"
#include "toolkit/button.h"
#include "toolkit/dim.h"

class TGrid {
 public:
  TGrid() : cells(CreateList<ButtonPtr>()) {}
  virtual ~TGrid() = default;

  TListPtr<ButtonPtr> cells;  // row by row
  DimPtr dim;
  float cellWidth = 0.0f;   // dim width / cols
  float cellHeight = 0.0f;  // dim height / rows
  int cols = 0;
  int rows = 0;
  int enabled = 1;

  virtual int State() { return 0; }
  virtual int Draw() { return 0; }
};
using GridPtr = std::shared_ptr<TGrid>;
