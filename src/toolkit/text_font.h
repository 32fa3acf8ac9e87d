// The font a text or memo draws with: a bitmap font, an image font, or none.
#pragma once
#include <cstddef>
#include "platform/image_font.h"
#include "toolkit/font.h"

struct TextFont {
  TextFont() = default;
  TextFont(std::nullptr_t) {}
  TextFont(FontPtr font) : bitmap(std::move(font)) {}
  TextFont(ImageFontPtr font) : image(std::move(font)) {}

  FontPtr bitmap;
  ImageFontPtr image;

  bool IsBitmap() const { return bitmap != nullptr; }
  bool IsImage() const { return image != nullptr; }
};
