// Strings drawn in one call: with a two-tone shadow, or through a reusable text.
#pragma once
#include "platform/image_font.h"
#include "platform/text.h"
#include "toolkit/text.h"

// align 1 centres on x, 2 right-aligns at x, anything else left-aligns. A null font draws in the
// selected image font; a given font stays selected.
void DrawShadowedText(const String& text, int x, int y, const ImageFontPtr& font, int align,
                      int red, int green, int blue);
// The target takes the font, the text and the position (centred on x when centre is not 0)
// and draws; it keeps them afterwards.
void DrawImageText(const String& text, const TextPtr& target, const TextFont& font, int x, int y,
                   int centre);
