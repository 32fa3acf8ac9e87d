#include "gems.h"

#include <cmath>

namespace artgen {

namespace {

// Runic letters (UTF-8 of U+16A0 ...), picked to look different from one another.
const char* const kRunic[] = {
    "\u16A0", "\u16A2", "\u16A6", "\u16B1", "\u16B2", "\u16B7", "\u16BA", "\u16BE", "\u16C3", "\u16C7",
    "\u16C9", "\u16CF", "\u16D2", "\u16D6", "\u16D7", "\u16DA", "\u16DC", "\u16DE", "\u16DF", "\u16C8",
    "\u16B9", "\u16CA", "\u16A8", "\u16C1",
};
constexpr int kRunicCount = sizeof(kRunic) / sizeof(kRunic[0]);

}  // namespace

std::string runicLetter(int index) { return kRunic[((index % kRunicCount) + kRunicCount) % kRunicCount]; }

const RuneLook& runeLook(int colour) {
    static const RuneLook looks[16] = {
        {{0.5, 0.5, 0.5}, Cut::Round, "\u16A0"},
        {rgb(230, 40, 40), Cut::Round, "\u16A0"},       // 1 red
        {rgb(40, 100, 240), Cut::Cushion, "\u16A2"},    // 2 blue
        {rgb(50, 200, 60), Cut::Hexagon, "\u16A6"},     // 3 green
        {rgb(250, 215, 40), Cut::Diamond, "\u16B1"},    // 4 yellow
        {rgb(160, 70, 230), Cut::Octagon, "\u16B2"},    // 5 violet
        {rgb(250, 130, 30), Cut::Shield, "\u16B7"},     // 6 orange
        {rgb(120, 240, 255), Cut::Round, "\u16BA"},     // 7 bright cyan
        {rgb(250, 90, 190), Cut::Hexagon, "\u16BE"},    // 8 pink
        {rgb(150, 100, 55), Cut::Cushion, "\u16C7"},    // 9 brown
        {rgb(240, 240, 250), Cut::Diamond, "\u16C9"},   // 10 white
        {rgb(170, 240, 50), Cut::Shield, "\u16CF"},     // 11 lime
        {rgb(20, 150, 140), Cut::Octagon, "\u16D2"},    // 12 teal
        {rgb(90, 70, 210), Cut::Round, "\u16D7"},       // 13 indigo (sphere only)
        {rgb(235, 175, 45), Cut::Hexagon, "\u16DE"},    // 14 amber (sphere only)
        {rgb(150, 15, 45), Cut::Diamond, "\u16DF"},     // 15 crimson (sphere only)
    };
    return looks[(colour >= 1 && colour <= 15) ? colour : 0];
}

void cutPath(cairo_t* cr, Cut cut, double cx, double cy, double r) {
    switch (cut) {
        case Cut::Round:
            cairo_new_sub_path(cr);
            cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
            break;
        case Cut::Cushion: roundRect(cr, cx - r * 0.9, cy - r * 0.9, r * 1.8, r * 1.8, r * 0.45); break;
        case Cut::Hexagon: regularPolygon(cr, cx, cy, r * 1.02, 6, 0); break;
        case Cut::Diamond: regularPolygon(cr, cx, cy, r * 1.08, 4, 0); break;
        case Cut::Octagon: regularPolygon(cr, cx, cy, r * 0.98, 8, 22.5); break;
        case Cut::Shield:
            cairo_new_sub_path(cr);
            cairo_move_to(cr, cx - r * 0.88, cy - r * 0.85);
            cairo_line_to(cr, cx + r * 0.88, cy - r * 0.85);
            cairo_curve_to(cr, cx + r * 0.92, cy + r * 0.1, cx + r * 0.5, cy + r * 0.7, cx, cy + r);
            cairo_curve_to(cr, cx - r * 0.5, cy + r * 0.7, cx - r * 0.92, cy + r * 0.1, cx - r * 0.88, cy - r * 0.85);
            cairo_close_path(cr);
            break;
    }
}

namespace {

void letterPath(cairo_t* cr, const std::string& letter, double cx, double cy, double size) {
    useFont(cr, Face::Runic, size);
    TextBox b = measure(cr, letter);
    // Scale tall letters down so that every rune's letter has about the same height.
    double k = b.h > 0 ? size * 0.95 / b.h : 1;
    k = std::min(k, b.w > 0 ? size * 0.8 / b.w : k);
    useFont(cr, Face::Runic, size * k);
    b = measure(cr, letter);
    cairo_move_to(cr, cx - b.w / 2 - b.x, cy - b.h / 2 - b.y);
    cairo_text_path(cr, letter.c_str());
}

}  // namespace

void drawGem(Canvas& c, const RuneLook& look, double cx, double cy, double size) {
    cairo_t* cr = c.cr();
    double r = size * 0.46;
    Col hue = look.hue;
    double lum = 0.3 * hue.r + 0.59 * hue.g + 0.11 * hue.b;
    // Outer glow in the hue.
    glow(c, [&](cairo_t* g) { cutPath(g, look.cut, cx, cy, r * 0.95); cairo_fill(g); }, hue, 0.55,
         std::max(2, static_cast<int>(size / 14)));
    // Dark bezel.
    cutPath(cr, look.cut, cx, cy, r);
    setCol(cr, scale(hue, 0.35));
    cairo_fill(cr);
    // The stone's body.
    double ri = r * 0.84;
    cutPath(cr, look.cut, cx, cy, ri);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - ri * 0.35, cy - ri * 0.4, ri * 0.05, cx, cy, ri * 1.25);
    stop(g, 0, mix(hue, {1, 1, 1}, 0.65));
    stop(g, 0.35, mix(hue, {1, 1, 1}, 0.1));
    stop(g, 0.75, scale(hue, 0.75));
    stop(g, 1, scale(hue, 0.4));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Facet lines: light from the upper left.
    cairo_save(cr);
    cutPath(cr, look.cut, cx, cy, ri);
    cairo_clip(cr);
    cairo_set_line_width(cr, std::max(0.8, size / 40));
    cutPath(cr, look.cut, cx, cy, ri * 0.62);
    setCol(cr, {1, 1, 1}, 0.22);
    cairo_stroke(cr);
    // Glassy highlight.
    cairo_save(cr);
    cairo_translate(cr, cx - ri * 0.28, cy - ri * 0.48);
    cairo_scale(cr, ri * 0.55, ri * 0.28);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    setCol(cr, {1, 1, 1}, 0.4);
    cairo_fill(cr);
    cairo_restore(cr);
    // Rim light.
    cutPath(cr, look.cut, cx, cy, r - 0.5);
    cairo_set_line_width(cr, 1);
    setCol(cr, mix(hue, {1, 1, 1}, 0.5), 0.7);
    cairo_stroke(cr);
    // The letter: carved, glowing pale; on light stones dark so it reads.
    double ls = size * 0.5;
    Col letterCol = lum > 0.72 ? scale(hue, 0.25) : mix(hue, {1, 1, 0.92}, 0.85);
    Col letterGlow = lum > 0.72 ? scale(hue, 0.5) : mix(hue, {1, 1, 1}, 0.5);
    glow(c, [&](cairo_t* gc) { letterPath(gc, look.letter, cx, cy + size * 0.02, ls); cairo_fill(gc); }, letterGlow,
         0.9, std::max(2, static_cast<int>(size / 16)));
    cairo_save(cr);
    cairo_translate(cr, size / 50.0, size / 40.0);
    letterPath(cr, look.letter, cx, cy + size * 0.02, ls);
    setCol(cr, scale(hue, 0.2), 0.6);
    cairo_fill(cr);
    cairo_restore(cr);
    letterPath(cr, look.letter, cx, cy + size * 0.02, ls);
    setCol(cr, letterCol);
    cairo_fill(cr);
}

void drawStone(Canvas& c, const RuneLook& look, double cx, double cy, double size) {
    cairo_t* cr = c.cr();
    double r = size * 0.46;
    cutPath(cr, look.cut, cx, cy, r);
    setCol(cr, rgb(58, 56, 60));
    cairo_fill(cr);
    double ri = r * 0.86;
    // Grainy grey stone.
    Canvas tex(c.width(), c.height());
    int seed = static_cast<int>(look.letter.back()) * 17;
    fillPixels(tex, [&](int x, int y, double& R, double& G, double& B, double& A) {
        double n = fbm(x / 4.0, y / 4.0, 3, seed);
        double d = std::hypot(x - (cx - ri * 0.3), y - (cy - ri * 0.35)) / (ri * 1.6);
        double v = 0.72 - 0.35 * std::clamp(d, 0.0, 1.0) + 0.16 * (n - 0.5);
        R = v;
        G = v * 0.99;
        B = v * 0.97;
        A = 1;
    });
    cairo_save(cr);
    cutPath(cr, look.cut, cx, cy, ri);
    cairo_clip(cr);
    cairo_set_source_surface(cr, tex.surface(), 0, 0);
    cairo_paint(cr);
    // Cracks.
    cairo_set_line_width(cr, std::max(0.7, size / 50));
    setCol(cr, rgb(40, 38, 42), 0.55);
    cairo_move_to(cr, cx + ri * 0.5, cy - ri);
    cairo_line_to(cr, cx + ri * 0.3, cy - ri * 0.45);
    cairo_line_to(cr, cx + ri * 0.55, cy - ri * 0.1);
    cairo_stroke(cr);
    cairo_restore(cr);
    cutPath(cr, look.cut, cx, cy, r - 0.5);
    cairo_set_line_width(cr, 1);
    setCol(cr, rgb(170, 168, 165), 0.6);
    cairo_stroke(cr);
    // The letter cut into the stone: a dark groove with a light lower edge.
    double ls = size * 0.5;
    cairo_save(cr);
    cairo_translate(cr, size / 60.0, size / 45.0);
    letterPath(cr, look.letter, cx, cy + size * 0.02, ls);
    setCol(cr, rgb(205, 202, 196), 0.7);
    cairo_fill(cr);
    cairo_restore(cr);
    letterPath(cr, look.letter, cx, cy + size * 0.02, ls);
    setCol(cr, rgb(42, 40, 44));
    cairo_fill(cr);
}

void drawGlyph(Canvas& c, const std::string& letter, Col hue, double cx, double cy, double size) {
    cairo_t* cr = c.cr();
    glow(c, [&](cairo_t* g) {
        letterPath(g, letter, cx, cy, size);
        cairo_set_line_width(g, size / 8);
        cairo_stroke_preserve(g);
        cairo_fill(g);
    }, hue, 1.0, std::max(2, static_cast<int>(size / 8)));
    letterPath(cr, letter, cx, cy, size);
    cairo_set_line_width(cr, std::max(1.0, size / 16));
    setCol(cr, scale(hue, 0.3), 0.8);
    cairo_stroke_preserve(cr);
    setCol(cr, mix(hue, {1, 1, 1}, 0.75));
    cairo_fill(cr);
}

}  // namespace artgen
