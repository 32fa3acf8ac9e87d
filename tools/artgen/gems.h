// Rune gems: the look of every rune colour (hue, gem cut, Runic letter), shared by the board
// runes, the magic sphere's vials, the boss runes and the tutorials.
#pragma once

#include "paint.h"

#include <string>

namespace artgen {

enum class Cut { Round, Cushion, Hexagon, Diamond, Octagon, Shield };

struct RuneLook {
    Col hue;
    Cut cut;
    std::string letter;  // one Runic letter, UTF-8
};

// Colour numbers 1..15 (the board uses 1..12; the sphere's vials know all fifteen).
const RuneLook& runeLook(int colour);
// A Runic letter by index (wraps), for the ring game's tablets and decorations.
std::string runicLetter(int index);

// The outline of a cut centred on (cx, cy) with "radius" r.
void cutPath(cairo_t* cr, Cut cut, double cx, double cy, double r);
// A glowing gem of the look on a transparent canvas, centred, `size` across.
void drawGem(Canvas& c, const RuneLook& look, double cx, double cy, double size);
// The same shape and letter in grey stone.
void drawStone(Canvas& c, const RuneLook& look, double cx, double cy, double size);
// The Runic letter alone, light, with a glow in the hue.
void drawGlyph(Canvas& c, const std::string& letter, Col hue, double cx, double cy, double size);

// A spell's round icon (kinds 1 holy fire, 2 vanish, 3 bomb, 4 drain, 5 heal, 6 teleport);
// phase in 0..1 moves a twinkle around it (0: none) and swells the glow, for animations.
// `radius` is the disc's radius as a share of the picture's width.
void spellIcon(Canvas& c, int kind, double phase, double radius = 0.45);

}  // namespace artgen
