// Bitmap fonts cut at run time from a glyph strip, and their letters.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>
#include "platform/graphics.h"
#include "platform/list.h"
#include "platform/text.h"
#include "toolkit/dim.h"
#include "toolkit/image_loaders.h"

class TLetter {
 public:
  virtual ~TLetter() = default;

  String char_;      // the one character this letter draws
  DimPtr dim;        // x, y: drawing position; width: advance; height: the font's line height
  ImagePtr image;    // the glyph, full line height; null when the strip did not load
  float alpha = 1.0f;

  // Draws the image at the rectangle's Left and Top, at the letter's alpha and the rectangle's
  // scale, in the current colour; then alpha and scale are back at 1.
  virtual void Draw();
};
using LetterPtr = std::shared_ptr<TLetter>;

class TFont {
 public:
  TFont() : letters(CreateList<LetterPtr>()) {}
  virtual ~TFont() = default;

  TListPtr<LetterPtr> letters;  // the glyphs in strip order, then the space letter
  String letterOrder;
  float lineHeight = 0.0f;

  // The first letter of that character; else the last space letter; else null.
  virtual LetterPtr GetLetter(const String& character);
  // The alpha component of a 32-bit ARGB pixel.
  virtual uint8_t alpha(int32_t pixel);
};
using FontPtr = std::shared_ptr<TFont>;

// Cuts the strip into rows of lineHeight pixels and each row into glyphs (runs of columns with
// ink); glyph n takes character n of letterOrder; a blank space letter of half the line height
// comes last. `spacing` is taken off every glyph's advance.
FontPtr CreateFont(const ImageSource& path, const String& letterOrder, float lineHeight,
                   int32_t spacing);
LetterPtr CreateLetter(const ImagePtr& image, const String& character, const DimPtr& dim);

// The program's two bitmap fonts (element 0 the large letters, element 1 the small ones): two
// empty slots from the start, filled by the loading screen.
extern std::vector<FontPtr> fonts;
// Fills both slots from their glyph strips under the game folder (the start-up loading's font
// stage): 0 the menu font of the menu window and the profile screen, 1 the text font of the
// hiscores, the credits and the world map. A strip that does not load is reported by name.
void LoadProgramFonts();
