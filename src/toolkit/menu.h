// Ordered groups of buttons polled and drawn as one.
#pragma once
#include <memory>
#include "platform/graphics.h"
#include "platform/list.h"
#include "toolkit/button.h"
#include "toolkit/dim.h"
#include "toolkit/image_loaders.h"

class TMenu {
 public:
  TMenu() : items(CreateList<ButtonPtr>()) {}
  virtual ~TMenu() = default;

  TListPtr<ButtonPtr> items;  // in the order they were added
  int active = 0;
  int enabled = 1;  // State polls only while 1
  int visible = 1;  // Draw draws and State polls only while 1

  virtual int AddItem(const ButtonPtr& button);
  // The first button with that id, or null.
  virtual ButtonPtr GetItem(int id);
  // Sets the alpha, draws every button, then alpha 1.
  virtual int Draw(float alpha);
  // Polls the buttons in order; the first non-zero id wins and the rest wait for the next frame.
  virtual int State();
};
using MenuPtr = std::shared_ptr<TMenu>;

class TAdvancedMenu : public TMenu {
 public:
  ImagePtr background;  // drawn at the alpha in force, before the buttons
  DimPtr dim;

  int Draw(float alpha) override;
};
using AdvancedMenuPtr = std::shared_ptr<TAdvancedMenu>;

// Keeps the caller's rectangle (its size is left alone).
AdvancedMenuPtr CreateAdvancedMenu(const ImageSource& source, const DimPtr& dim);
