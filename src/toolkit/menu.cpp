#include "toolkit/menu.h"

#include "toolkit/menu_items.h"

int TMenu::AddItem(const ButtonPtr& button) {
  items->AddLast(button);
  return 0;
}

ButtonPtr TMenu::GetItem(int id) { return menu_items::FirstWithId(items, id); }

int TMenu::Draw(float alpha) {
  if (visible == 0) return 0;
  menu_items::DrawAll(items, alpha);
  return 0;
}

int TMenu::State() {
  if (visible == 0 || enabled == 0) return 0;
  return menu_items::FirstPress(items);
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
