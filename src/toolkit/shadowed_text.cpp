#include "toolkit/shadowed_text.h"

#include "platform/graphics.h"

void DrawShadowedText(const String& text, int x, int y, const ImageFontPtr& font, int align,
                      int red, int green, int blue) {
  if (font) SetImageFont(font);
  int shift = 0;
  if (align == 1) shift = TextWidth(text) / 2;
  else if (align == 2) shift = TextWidth(text);
  SetColor(0, 0, 0);
  DrawText(text, static_cast<float>(x - shift + 1), static_cast<float>(y + 1));
  SetColor(100, 100, 100);
  DrawText(text, static_cast<float>(x - shift - 1), static_cast<float>(y - 1));
  SetColor(red, green, blue);
  DrawText(text, static_cast<float>(x - shift), static_cast<float>(y));
  SetColor(255, 255, 255);
}

void DrawImageText(const String& text, const TextPtr& target, const TextFont& font, int x, int y,
                   int centre) {
  if (!target) return;
  target->font = font;
  target->text = text;
  if (!target->dim) target->dim = CreateDim(0.0f, 0.0f);
  if (centre != 0)
    target->dim->x = static_cast<float>(x - static_cast<int>(target->Width()) / 2);
  else
    target->dim->x = static_cast<float>(x);
  target->dim->y = static_cast<float>(y);
  target->Draw();
}
