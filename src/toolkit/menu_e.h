// Menus of the second button family: a plain menu and a radio group.
#pragma once
#include <memory>

#include "platform/list.h"
#include "toolkit/button_e.h"

class TMenuE {
 public:
  TMenuE() : items(CreateList<ButtonEPtr>()) {}
  virtual ~TMenuE() = default;

  TListPtr<ButtonEPtr> items;  // in the order they were added
  int active = 0;
  int enabled = 1;  // State polls only while 1
  int visible = 1;  // Draw draws and State polls only while 1

  virtual int AddItem(const ButtonEPtr& button);
  // The first button with that id, or null.
  virtual ButtonEPtr GetItem(int id);
  // Sets the alpha, draws every button, then alpha 1.
  virtual int Draw(float alpha);
  // The id of the first button that reports a press; the rest wait for the next frame.
  virtual int State();
};
using MenuEPtr = std::shared_ptr<TMenuE>;

// A radio group: a press keeps its button latched and clears the look of the others. State
// always answers 0; the choice is read with GetSelectedItem.
class TMenuA {
 public:
  TMenuA() : items(CreateList<ButtonEPtr>()) {}
  virtual ~TMenuA() = default;

  TListPtr<ButtonEPtr> items;
  int enabled = 1;
  int visible = 1;

  virtual int AddItem(const ButtonEPtr& button);
  virtual ButtonEPtr GetItem(int id);
  virtual int Draw(float alpha);
  virtual int State();
  // The first captioned image button showing its over look, or null.
  virtual TextImageButtonAPtr GetSelectedItem();
};
using MenuAPtr = std::shared_ptr<TMenuA>;
