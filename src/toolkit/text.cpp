#include "toolkit/text.h"

#include "platform/graphics.h"
#include "platform/image_font.h"

float TText::Height() {
  if (font.IsImage()) return static_cast<float>(TextHeight(text));
  if (font.IsBitmap()) return font.bitmap->lineHeight;
  return 0.0f;
}

float TText::Width() {
  if (font.IsImage()) return static_cast<float>(TextWidth(text));
  if (!font.IsBitmap()) return 0.0f;
  float width = 0.0f;
  for (char16_t c : text) {
    LetterPtr letter = font.bitmap->GetLetter(String(1, c));
    if (letter && letter->dim) width += letter->dim->width;
  }
  return width;
}

void TText::Draw() {
  if (visible == 0 || !dim) return;
  if (font.IsImage()) {
    SetAlpha(alpha);
    SetImageFont(font.image);
    SetColor(color ? color->red : 255, color ? color->green : 255, color ? color->blue : 255);
    SetScale(dim->scaleX, dim->scaleY);
    DrawText(text, dim->Left(), dim->Top());
    SetAlpha(1.0f);
    SetColor(255, 255, 255);
    SetScale(1.0f, 1.0f);
    return;
  }
  if (!font.IsBitmap()) return;
  int pen = 0;
  for (char16_t c : text) {
    LetterPtr letter = font.bitmap->GetLetter(String(1, c));
    if (!letter || !letter->dim) continue;
    letter->alpha = alpha;
    letter->dim->scaleX = dim->scaleX;
    letter->dim->scaleY = dim->scaleY;
    letter->dim->x = dim->Left() + static_cast<float>(pen);
    letter->dim->y = dim->Top();
    letter->Draw();
    pen = static_cast<int>(static_cast<float>(pen) + letter->dim->width);
  }
}

TextPtr CreateText(const String& text, const DimPtr& dim, const TextFont& font, float alpha,
                   int handleMode, float offsetX, float offsetY) {
  auto t = std::make_shared<TText>();
  t->text = text;
  t->dim = dim;
  t->font = font;
  t->alpha = alpha;
  if (dim) {
    dim->offsetX = offsetX;
    dim->offsetY = offsetY;
    dim->handleMode = handleMode;
  }
  return t;
}
