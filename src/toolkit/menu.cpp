#include "toolkit/menu.h"

int TMenu::AddItem(const ButtonPtr& button) {
  items->AddLast(button);
  return 0;
}

ButtonPtr TMenu::GetItem(int id) {
  for (const ButtonPtr& button : *items)
    if (button && button->id == id) return button;
  return nullptr;
}

int TMenu::Draw(float alpha) {
  if (visible == 0) return 0;
  SetAlpha(alpha);
  for (const ButtonPtr& button : *items)
    if (button) button->Draw();
  SetAlpha(1.0f);
  return 0;
}

int TMenu::State() {
  if (visible == 0 || enabled == 0) return 0;
  for (const ButtonPtr& button : *items) {
    if (!button) continue;
    const int id = button->State();
    if (id != 0) return id;
  }
  return 0;
}

int TAdvancedMenu::Draw(float alpha) {
  if (visible == 0) return 0;
  // A background that did not load is skipped.
  if (dim && HasPicture(background)) DrawImage(background, dim->Left(), dim->Top(), 0);
  return TMenu::Draw(alpha);
}

AdvancedMenuPtr CreateAdvancedMenu(const ImageSource& source, const DimPtr& dim) {
  auto m = std::make_shared<TAdvancedMenu>();
  m->background = FLoadImage(source);
  m->dim = dim;
  return m;
}
