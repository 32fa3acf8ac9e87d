#include "toolkit/menu_e.h"

namespace {

ButtonEPtr FirstWithId(const TListPtr<ButtonEPtr>& items, int id) {
  for (const ButtonEPtr& b : *items)
    if (b && b->id == id) return b;
  return nullptr;
}

void DrawAll(const TListPtr<ButtonEPtr>& items, float alpha) {
  SetAlpha(alpha);
  for (const ButtonEPtr& b : *items)
    if (b) b->Draw();
  SetAlpha(1.0f);
}

int FirstPress(const TListPtr<ButtonEPtr>& items) {
  for (const ButtonEPtr& b : *items) {
    if (!b) continue;
    const int r = b->State();
    if (r != 0) return r;
  }
  return 0;
}

}  // namespace

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
