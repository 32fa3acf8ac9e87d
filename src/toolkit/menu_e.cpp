#include "toolkit/menu_e.h"

#include "toolkit/menu_items.h"

using menu_items::DrawAll;
using menu_items::FirstPress;
using menu_items::FirstWithId;

int TMenuE::AddItem(const ButtonEPtr& button) {
  items->AddLast(button);
  return 0;
}

ButtonEPtr TMenuE::GetItem(int id) { return FirstWithId(items, id); }

int TMenuE::Draw(float alpha) {
  if (visible == 0) return 0;
  DrawAll(items, alpha);
  return 0;
}

int TMenuE::State() {
  if (visible == 0 || enabled == 0) return 0;
  return FirstPress(items);
}

int TMenuA::AddItem(const ButtonEPtr& button) {
  items->AddLast(button);
  return 0;
}

ButtonEPtr TMenuA::GetItem(int id) { return FirstWithId(items, id); }

int TMenuA::Draw(float alpha) {
  if (visible == 0) return 0;
  DrawAll(items, alpha);
  return 0;
}

int TMenuA::State() {
  if (visible == 0 || enabled == 0) return 0;
  const int pressed = FirstPress(items);
  if (pressed != 0) {
    for (const ButtonEPtr& b : *items)
      if (b && b->id != pressed) b->over = 0;
  }
  return 0;
}

TextImageButtonAPtr TMenuA::GetSelectedItem() {
  for (const ButtonEPtr& b : *items) {
    auto captioned = std::dynamic_pointer_cast<TTextImageButtonA>(b);
    if (captioned && captioned->over != 0) return captioned;
  }
  return nullptr;
}
