// How every screen of the menu window makes its buttons: an image button on a rectangle whose
// point is first its top-left corner, drawn at the alpha in force, filed in `data` under its key.
#pragma once
#include <cstdint>
#include <initializer_list>

#include "platform/graphics.h"
#include "toolkit/button.h"

namespace menu_buttons {

// Looks a button takes while the pointer is over it.
constexpr int32_t kEnlarged = 1;
constexpr int32_t kDarkened = 2;

// Makes the button from `image` at (px, py) and adds it to `data` under `key`. The button id is
// stored but never read by the window. A missing image is reported by the button factory.
// Answers the button made (null without `data`).
ButtonPtr Add(int32_t key, const ImagePtr& image, float px, float py, int32_t buttonId,
         int32_t hoverStyle = kEnlarged);
// setView on the first button of each key, in the order given: the point becomes the button's
// centre, the enlargement is animated, and `glow` (may be null) is drawn behind it.
void Centre(std::initializer_list<int32_t> keys, const ImagePtr& glow);
// Shows and enables, or hides and disables, the first button of the key.
void Show(int32_t key, bool shown);

}  // namespace menu_buttons
