// TrueType image fonts: FreeType renders glyphs, drawn like images.
#pragma once
#include <memory>
#include <string>
#include "platform/text.h"

struct FontFace;
class TImageFont {
 public:
  std::shared_ptr<FontFace> face;
  int size = 0;
  int style = 0;
};
using ImageFontPtr = std::shared_ptr<TImageFont>;

enum FontStyle : int { BOLDFONT = 1, ITALICFONT = 2, SMOOTHFONT = 4 };

// Null when the file cannot be loaded.
ImageFontPtr LoadImageFont(const std::string& path, int size, int style = SMOOTHFONT);
// Selects a font; null selects the default font.
void SetImageFont(const ImageFontPtr& font);
ImageFontPtr GetImageFont();
// Measured in the selected font, unscaled.
int TextWidth(const String& text);
int TextHeight(const String& text);
// Draws with the top-left corner at (x, y), in the current colour, alpha, blend and scale.
void DrawText(const String& text, float x, float y);
