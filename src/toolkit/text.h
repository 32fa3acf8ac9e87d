// One line of text placed by a rectangle, drawn with a bitmap font or an image font.
#pragma once
#include <memory>
#include "platform/text.h"
#include "toolkit/color.h"
#include "toolkit/dim.h"
#include "toolkit/text_font.h"

class TText {
 public:
  TText() : color(CreateColor(0x00FFFFFF)) {}
  virtual ~TText() = default;

  String text;
  DimPtr dim;
  ColorPtr color;  // colours an image-font text only
  TextFont font;
  int visible = 1;
  float alpha = 0.0f;

  // The bitmap font's line height, or TextHeight in the selected image font.
  virtual float Height();
  // The sum of the letters' advances, or TextWidth in the selected image font.
  virtual float Width();
  virtual void Draw();
};
using TextPtr = std::shared_ptr<TText>;

// Writes offsetX, offsetY and handleMode into the given rectangle (the caller's rectangle
// changes).
TextPtr CreateText(const String& text, const DimPtr& dim, const TextFont& font, float alpha = 1.0f,
                   int handleMode = 0, float offsetX = 0.0f, float offsetY = 0.0f);
