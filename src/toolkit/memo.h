// A block of text drawn from the top-left of its rectangle, optionally broken at its right edge.
#pragma once
#include <memory>
#include "platform/text.h"
#include "toolkit/dim.h"
#include "toolkit/text_font.h"

class TMemo {
 public:
  virtual ~TMemo() = default;

  String text;
  DimPtr dim;  // left and top start the first line; the right edge is the wrapping limit
  int wrap = 0;  // 1: a character that would pass the right edge starts a new line
  TextFont font;
  float alpha = 0.0f;
  int visible = 1;

  virtual void Draw();
  virtual int State() { return 0; }
};
using MemoPtr = std::shared_ptr<TMemo>;

MemoPtr CreateMemo(const TextFont& font, const String& text, const DimPtr& dim, int wrap,
                   float alpha);
