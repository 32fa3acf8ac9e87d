#include "toolkit/dim_editor.h"

#include "platform/input.h"
#include "platform/text.h"

void EditDim(const DimPtr& dim) {
  if (!dim) return;
  const bool once = KeyDown(KEY_LCONTROL) != 0;
  const bool coarse = KeyDown(KEY_LSHIFT) != 0;
  auto acts = [once](int key) { return (once ? KeyHit(key) : KeyDown(key)) != 0; };
  const float step = coarse ? 1.0f : 0.1f;

  if (acts(KEY_UP)) dim->y -= step;
  if (acts(KEY_DOWN)) dim->y += step;
  if (acts(KEY_RIGHT)) dim->x += step;
  if (acts(KEY_LEFT)) dim->x -= step;
  if (acts(KEY_A)) dim->height -= 1.0f;
  if (acts(KEY_Q)) dim->height += 1.0f;
  if (acts(KEY_S)) dim->width -= 1.0f;
  if (acts(KEY_W)) dim->width += 1.0f;

  if (KeyHit(KEY_P)) {
    Print(u"X: " + FromFloat(dim->x));
    Print(u"Y: " + FromFloat(dim->y));
    Print(u"W: " + FromFloat(dim->width));
    Print(u"H: " + FromFloat(dim->height));
  }
}
