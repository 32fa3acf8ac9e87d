// A piece of the picture puzzle: a button that shows one rectangular fragment of the picture,
// knows its home cell (its id, also its frame), the cell it stands on and the cell it flies to.
// Two marked pieces swap by flying along cubic curves to each other's cells in exactly
// kFlightSteps frames; a piece that lands home locks and no longer reacts to the mouse.
//
// Cells are numbered row by row from 0: cell = row x gridWidth + col.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/graphics.h"
#include "toolkit/button.h"

class TPuzzleButton;
using PuzzleButtonPtr = std::shared_ptr<TPuzzleButton>;

class TPuzzleButton : public TButton {
 public:
  // A flight lands on this Move call since its Prepare, whatever the curve parameter says.
  static constexpr int32_t kFlightSteps = 25;
  static constexpr float kFlightStep = 0.04f;  // curve parameter per Move, single precision
  // Control points: a diagonal flight bends this far sideways, one along a row or a column
  // this far off the line.
  static constexpr float kDiagonalBend = 150.0f;
  static constexpr float kLineBend = 40.0f;
  // ramkaOn is laid out for a piece of this size and reaches kMarkOverhang beyond its corner.
  static constexpr float kMarkLayout = 116.0f;
  static constexpr float kMarkOverhang = 6.0f;

  float originX = 0.0f;  // board's left and top edges
  float originY = 0.0f;
  int32_t flightStep = 0;  // Move calls since the last Prepare
  int32_t marked = 0;
  int32_t col = 0;  // of `cell`
  int32_t row = 0;
  int32_t frame = 0;       // strip frame of the normal and hovered looks
  int32_t cell = 0;        // the cell stood on (the departure cell during a flight)
  int32_t targetCell = 0;  // equal to `cell` at rest
  float t = 0.0f;          // curve parameter of the flight
  float p0x = 0.0f, p0y = 0.0f, p1x = 0.0f, p1y = 0.0f;
  float p2x = 0.0f, p2y = 0.0f, p3x = 0.0f, p3y = 0.0f;

  // Shared by every piece: the columns of the current puzzle and the two frames.
  static int32_t gridWidth;
  static ImagePtr ramka;    // outline over a piece
  static ImagePtr ramkaOn;  // frame over a marked piece

  int Draw() override;
  // 1 on the frame the piece is clicked (and the mark toggled); a locked piece answers 0.
  int State() override;
  virtual void SetPosition();
  virtual int32_t IsInPlace();
  virtual int32_t IsFlying();
  // A flight from here to targetCell; bend +1 or -1 picks the side of the curve.
  virtual void Prepare(int32_t bend);
  virtual void Move();
  virtual void DrawMark();
  virtual void DrawOver();
  virtual int DrawOnOver();
  virtual int DrawOnOut();
  virtual void DrawOnPlace();
  virtual void DrawShaded();
};

PuzzleButtonPtr CreatePuzzleButton(const ImagePtr& image, int32_t id, float originX, float originY,
                                   int32_t col, int32_t row, int32_t frame, int32_t gridWidth);
