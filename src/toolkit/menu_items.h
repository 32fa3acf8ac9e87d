// What every menu does with its ordered buttons, whichever button family it holds.
#pragma once
#include "platform/graphics.h"
#include "platform/list.h"

namespace menu_items {

// The first button with that id, or null.
template <class ButtonPtrT>
ButtonPtrT FirstWithId(const TListPtr<ButtonPtrT>& items, int id) {
  for (const ButtonPtrT& b : *items)
    if (b && b->id == id) return b;
  return nullptr;
}

// Sets the alpha, draws every button, then alpha 1.
template <class ButtonPtrT>
void DrawAll(const TListPtr<ButtonPtrT>& items, float alpha) {
  SetAlpha(alpha);
  for (const ButtonPtrT& b : *items)
    if (b) b->Draw();
  SetAlpha(1.0f);
}

// Polls the buttons in order: the first non-zero answer wins and the rest are not polled.
template <class ButtonPtrT>
int FirstPress(const TListPtr<ButtonPtrT>& items) {
  for (const ButtonPtrT& b : *items) {
    if (!b) continue;
    const int r = b->State();
    if (r != 0) return r;
  }
  return 0;
}

}  // namespace menu_items
