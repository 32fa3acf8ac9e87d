#include "toolkit/font.h"

#include "services/data_folders.h"
#include "platform/pixmap.h"

std::vector<FontPtr> fonts(2);

void TLetter::Draw() {
  SetAlpha(alpha);
  if (dim) SetScale(dim->scaleX, dim->scaleY);
  if (dim && HasPicture(image)) DrawImage(image, dim->Left(), dim->Top(), 0);
  SetAlpha(1.0f);
  SetScale(1.0f, 1.0f);
}

LetterPtr TFont::GetLetter(const String& character) {
  for (const LetterPtr& letter : *letters)
    if (letter && letter->char_ == character) return letter;
  LetterPtr space;
  for (const LetterPtr& letter : *letters)
    if (letter && letter->char_ == u" ") space = letter;  // the last one wins
  return space;
}

uint8_t TFont::alpha(int32_t pixel) {
  return static_cast<uint8_t>((static_cast<uint32_t>(pixel) >> 24) & 0xFFu);
}

LetterPtr CreateLetter(const ImagePtr& image, const String& character, const DimPtr& dim) {
  auto letter = std::make_shared<TLetter>();
  letter->image = image;
  letter->char_ = character;
  letter->dim = dim;
  return letter;
}

namespace {

// Makes the letter of the glyph in columns start .. end - 1 of row j, unless the letter order
// has run out of characters (a strip with more glyphs than characters: the rest are ignored).
void CutGlyph(const FontPtr& font, const PixmapPtr& strip, int row, int start, int end,
              int glyphIndex, int32_t spacing) {
  if (glyphIndex >= static_cast<int>(font->letterOrder.size())) return;
  const float lineHeight = font->lineHeight;
  const int bandHeight = static_cast<int>(lineHeight);
  PixmapPtr glyph = CreatePixmap(end - start, bandHeight, PF_RGBA8888);
  const int lastLine = static_cast<int>(lineHeight - 1.0f);
  for (int x = start; x < end; ++x)
    for (int g = 0; g <= lastLine; ++g)
      WritePixel(glyph, x - start, g,
                 ReadPixel(strip, x, static_cast<int>(static_cast<float>(g) +
                                                      static_cast<float>(row) * lineHeight)));
  DimPtr dim = CreateDim(0.0f, 0.0f, static_cast<float>(end - start - spacing), lineHeight, 0.0f,
                         1.0f, 1.0f, 0);
  ImagePtr image = LoadImage(glyph, DEFAULT_IMAGE_FLAGS);
  String character(1, font->letterOrder[static_cast<size_t>(glyphIndex)]);
  font->letters->AddLast(CreateLetter(image, character, dim));
}

}  // namespace

FontPtr CreateFont(const ImageSource& path, const String& letterOrder, float lineHeight,
                   int32_t spacing) {
  auto font = std::make_shared<TFont>();
  font->letterOrder = letterOrder;
  font->lineHeight = lineHeight;

  PixmapPtr strip = FLoadPixmap(path);
  const int stripWidth = strip ? PixmapWidth(strip) : 0;
  const int stripHeight = strip ? PixmapHeight(strip) : 0;
  // A strip that did not load, or is less than one line high, gives only the space letter.
  if (strip && lineHeight >= 1.0f && static_cast<float>(stripHeight) >= lineHeight) {
    const int lastRow = static_cast<int>(static_cast<float>(stripHeight) / lineHeight - 1.0f);
    const int lastLine = static_cast<int>(lineHeight - 1.0f);
    int glyphs = 0;
    for (int j = 0; j <= lastRow; ++j) {
      int previous = 0;
      int start = 0;
      for (int k = 0; k < stripWidth; ++k) {
        int count = 0;
        for (int l = 0; l <= lastLine; ++l) {
          const int line = static_cast<int>(static_cast<float>(l) +
                                            static_cast<float>(j) * lineHeight);
          if (font->alpha(static_cast<int32_t>(ReadPixel(strip, k, line))) > 0) ++count;
        }
        if (previous == 0 && count > 0) start = k;
        if (previous > 0 && count == 0) CutGlyph(font, strip, j, start, k, glyphs++, spacing);
        previous = count;
      }
      // A glyph that still touches the right edge ends with its row.
      if (previous > 0) CutGlyph(font, strip, j, start, stripWidth, glyphs++, spacing);
    }
  }

  // The space letter: half the line height wide, exactly, and not reduced by the spacing.
  const int spaceWidth = static_cast<int>(lineHeight / 2.0f);
  const int spaceHeight = static_cast<int>(lineHeight);
  ImagePtr spaceImage;
  if (spaceWidth > 0 && spaceHeight > 0) {
    PixmapPtr blank = CreatePixmap(spaceWidth, spaceHeight, PF_RGBA8888);
    ClearPixels(blank, 0);
    spaceImage = LoadImage(blank, DEFAULT_IMAGE_FLAGS);
  }
  DimPtr spaceDim = CreateDim(0.0f, 0.0f, lineHeight / 2.0f, lineHeight, 0.0f, 1.0f, 1.0f, 0);
  font->letters->AddLast(CreateLetter(spaceImage, u" ", spaceDim));
  return font;
}

void LoadProgramFonts() {
  fonts[0] = CreateFont(FromPath(bundleDir + "gfx/fonts/alfabet-maly.png"),
                        u"abcdefghijklmnopqrstuvwxyz,.?-!#$*&@%()<>{}'1234567890", 30, 0);
  fonts[1] = CreateFont(FromPath(bundleDir + "gfx/fonts/small-letters3.png"),
                        u"abcdefghijklmnopqrstuvwxyz0123456789", 32, 3);
}
