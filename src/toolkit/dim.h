// The rectangle that places every widget on the screen.
#pragma once
#include <cstdint>
#include <memory>

class TDim;
using DimPtr = std::shared_ptr<TDim>;

// Shared by reference: whoever holds the same rectangle moves or resizes the widget by writing
// its fields. Nothing is cached; every query recomputes from the fields.
class TDim {
 public:
  virtual ~TDim() = default;

  float x = 0.0f;       // left edge (handle mode 0) or horizontal centre (handle mode 1)
  float y = 0.0f;       // top edge (handle mode 0) or vertical centre (handle mode 1)
  float width = 0.0f;   // unscaled
  float height = 0.0f;  // unscaled
  float border = 0.0f;  // thickness of a colour frame's bars
  int32_t handleMode = 0;  // 0 top-left, 1 centre, anything else: Left and Top answer 0
  float scaleX = 0.0f;  // grows or shrinks about the centre
  float scaleY = 0.0f;
  float offsetX = 0.0f;  // added to the left edge after handle and scale
  float offsetY = 0.0f;

  virtual float Left();
  virtual float Top();
  virtual float Bottom();
  virtual float Right();
  // 1 when the point lies strictly inside the drawn edges.
  virtual int InXY(float px, float py);
  virtual int InX(float px);
  virtual int InY(float py);
  // 1 when the stored point (x, y) of the other rectangle lies strictly inside this one.
  virtual int In(const DimPtr& other);
};

DimPtr CreateDim(float x, float y, float width = 0.0f, float height = 0.0f, float border = 0.0f,
                 float scaleX = 1.0f, float scaleY = 1.0f, int32_t handleMode = 0);
