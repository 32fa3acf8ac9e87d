// TrueType image fonts. FreeType renders each glyph once into a small white image whose alpha is
// the glyph's coverage; DrawText draws those images with DrawImage, so the current colour, alpha,
// blend, scale and rotation apply to text as they do to pictures.
#include "platform/image_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <unordered_map>
#include <vector>

#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/pixmap.h"

namespace {

// The default font: from fonts-dejavu-core, which the set-up installs.
constexpr const char* kDefaultFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr int kDefaultFontSize = 12;

struct FreeTypeLibrary {
  FT_Library library = nullptr;
  ~FreeTypeLibrary() {
    if (library) FT_Done_FreeType(library);
  }
};

std::shared_ptr<FreeTypeLibrary> Library() {
  static auto* lib = new std::shared_ptr<FreeTypeLibrary>;
  if (!*lib) {
    auto made = std::make_shared<FreeTypeLibrary>();
    if (FT_Init_FreeType(&made->library) != 0) return nullptr;
    *lib = made;
  }
  return *lib;
}

struct Glyph {
  int advance = 0;  // pixels
  int left = 0;     // bitmap's left edge from the pen
  int top = 0;      // bitmap's top edge above the baseline
  bool rendered = false;
  ImagePtr image;  // null for blank glyphs (spaces)
};

struct FontState {
  ImageFontPtr current;  // null: the default font
  ImageFontPtr defaultFont;
  bool defaultTried = false;
};

FontState& State() {
  static FontState* state = new FontState;  // glyph images outlive static teardown safely
  return *state;
}

}  // namespace

struct FontFace {
  std::shared_ptr<FreeTypeLibrary> library;  // kept alive while the face lives
  std::vector<uint8_t> bytes;                // FreeType reads the file from here
  FT_Face face = nullptr;
  int style = 0;
  int ascender = 0;  // pixels above the baseline
  int height = 0;    // ascender + descender, pixels
  std::unordered_map<char32_t, Glyph> glyphs;

  ~FontFace() {
    glyphs.clear();
    if (face) FT_Done_Face(face);
  }

  // Loads a glyph into the face's slot, with the synthetic bold and slant of the style.
  bool LoadSlot(char32_t code) {
    if (FT_Load_Char(face, code, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return false;
    if (style & BOLDFONT) FT_GlyphSlot_Embolden(face->glyph);
    if (style & ITALICFONT) FT_GlyphSlot_Oblique(face->glyph);
    return true;
  }

  Glyph& Get(char32_t code, bool render) {
    Glyph& glyph = glyphs[code];
    if (glyph.rendered || (!render && glyph.advance != 0)) return glyph;
    if (!LoadSlot(code)) {
      glyph.rendered = true;
      return glyph;
    }
    FT_GlyphSlot slot = face->glyph;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (!render) return glyph;
    glyph.rendered = true;
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) return glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.width == 0 || bitmap.rows == 0 || bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
      return glyph;
    }
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    const int w = static_cast<int>(bitmap.width);
    const int h = static_cast<int>(bitmap.rows);
    PixmapPtr pixmap = CreatePixmap(w, h, PF_BGRA8888);
    if (!pixmap) return glyph;
    const int levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
    for (int y = 0; y < h; ++y) {
      const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
      for (int x = 0; x < w; ++x) {
        const uint32_t a = static_cast<uint32_t>(row[x]) * 255u / static_cast<uint32_t>(levels);
        pixmap->Set(x, y, (a << 24) | 0x00FFFFFFu);
      }
    }
    glyph.image = LoadImage(pixmap, (style & SMOOTHFONT) ? FILTEREDIMAGE : 0);
    return glyph;
  }
};

namespace {

// The next code point of a text of 16-bit units; an unpaired surrogate stands for itself.
char32_t NextCodePoint(const String& text, size_t& i) {
  const char32_t unit = text[i++];
  if (unit >= 0xD800 && unit <= 0xDBFF && i < text.size()) {
    const char32_t low = text[i];
    if (low >= 0xDC00 && low <= 0xDFFF) {
      ++i;
      return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
    }
  }
  return unit;
}

ImageFontPtr Current() {
  FontState& state = State();
  if (state.current) return state.current;
  if (!state.defaultTried) {
    state.defaultTried = true;
    state.defaultFont = LoadImageFont(kDefaultFontPath, kDefaultFontSize, SMOOTHFONT);
  }
  return state.defaultFont;
}

}  // namespace

ImageFontPtr LoadImageFont(const std::string& path, int size, int style) {
  if (size <= 0) return nullptr;
  auto library = Library();
  if (!library) return nullptr;
  auto face = std::make_shared<FontFace>();
  face->library = library;
  if (!LoadBytes(ResolvePath(path), face->bytes) || face->bytes.empty()) return nullptr;
  if (FT_New_Memory_Face(library->library, face->bytes.data(),
                         static_cast<FT_Long>(face->bytes.size()), 0, &face->face) != 0) {
    face->face = nullptr;
    return nullptr;
  }
  if (!FT_IS_SCALABLE(face->face) || FT_Set_Pixel_Sizes(face->face, 0, size) != 0) return nullptr;
  face->style = style;
  const FT_Size_Metrics& metrics = face->face->size->metrics;
  face->ascender = static_cast<int>(metrics.ascender >> 6);
  face->height = static_cast<int>((metrics.ascender - metrics.descender) >> 6);
  auto font = std::make_shared<TImageFont>();
  font->face = std::move(face);
  font->size = size;
  font->style = style;
  return font;
}

void SetImageFont(const ImageFontPtr& font) {
  State().current = font && font->face ? font : nullptr;
}

ImageFontPtr GetImageFont() { return Current(); }

int TextWidth(const String& text) {
  ImageFontPtr font = Current();
  if (!font) return 0;
  int width = 0;
  for (size_t i = 0; i < text.size();)
    width += font->face->Get(NextCodePoint(text, i), false).advance;
  return width;
}

int TextHeight(const String&) {
  ImageFontPtr font = Current();
  return font ? font->face->height : 0;
}

void DrawText(const String& text, float x, float y) {
  ImageFontPtr font = Current();
  if (!font) return;
  FontFace& face = *font->face;
  // Every glyph is drawn about the text's own origin, so scale and rotation turn the whole line.
  float handleX = 0.0f, handleY = 0.0f;
  GetHandle(handleX, handleY);
  int pen = 0;
  for (size_t i = 0; i < text.size();) {
    const Glyph& glyph = face.Get(NextCodePoint(text, i), true);
    if (glyph.image) {
      SetImageHandle(glyph.image, handleX - static_cast<float>(pen + glyph.left),
                     handleY - static_cast<float>(face.ascender - glyph.top));
      DrawImage(glyph.image, x, y);
    }
    pen += glyph.advance;
  }
}
