#include "toolkit/memo.h"

#include "platform/graphics.h"
#include "platform/image_font.h"

void TMemo::Draw() {
  if (visible == 0 || !dim) return;
  if (font.IsImage()) {
    SetAlpha(alpha);
    SetImageFont(font.image);
    SetScale(dim->scaleX, dim->scaleY);
    int x = static_cast<int>(dim->Left());
    int y = static_cast<int>(dim->Top());
    for (char16_t c : text) {
      const String one(1, c);
      const int w = TextWidth(one);
      if (wrap == 1 && static_cast<float>(x + w) > dim->Right()) {
        x = static_cast<int>(dim->Left());
        y += TextHeight(text);
      }
      DrawText(one, static_cast<float>(x), static_cast<float>(y));
      x += w;
    }
    SetAlpha(1.0f);
    SetScale(1.0f, 1.0f);
    return;
  }
  if (!font.IsBitmap()) return;
  int x = static_cast<int>(dim->Left());
  int y = static_cast<int>(dim->Top());
  for (char16_t c : text) {
    LetterPtr letter = font.bitmap->GetLetter(String(1, c));
    if (!letter || !letter->dim) continue;
    if (wrap == 1 && static_cast<float>(x) + letter->dim->width > dim->Right()) {
      x = static_cast<int>(dim->Left());
      y = static_cast<int>(static_cast<float>(y) + letter->dim->height);
    }
    letter->alpha = alpha;
    letter->dim->scaleX = dim->scaleX;
    letter->dim->scaleY = dim->scaleY;
    letter->dim->x = static_cast<float>(x);
    letter->dim->y = static_cast<float>(y);
    letter->Draw();
    x = static_cast<int>(static_cast<float>(x) + letter->dim->width);
  }
}

MemoPtr CreateMemo(const TextFont& font, const String& text, const DimPtr& dim, int wrap,
                   float alpha) {
  auto m = std::make_shared<TMemo>();
  m->font = font;
  m->text = text;
  m->dim = dim;
  m->wrap = wrap;
  m->alpha = alpha;
  return m;
}
