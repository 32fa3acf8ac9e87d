// The board's runes (gems, stone twins, the obstacle and the shadow) at 32 and 40 px, and the
// magic sphere with its vials.
#include "gems.h"

#include <cmath>
#include <cstdio>

namespace artgen {

namespace {

std::string two(int n) {
    char b[8];
    std::snprintf(b, sizeof b, "%02d", n);
    return b;
}

void obstacle(Canvas& c, double size) {
    cairo_t* cr = c.cr();
    double m = size * 0.06, w = size - 2 * m;
    // Dark iron block with bronze bands and rivets.
    roundRect(cr, m, m, w, w, size * 0.12);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, m, 0, m + w);
    stop(g, 0, rgb(92, 96, 116));
    stop(g, 0.5, rgb(54, 56, 72));
    stop(g, 1, rgb(28, 28, 40));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_save(cr);
    roundRect(cr, m, m, w, w, size * 0.12);
    cairo_clip(cr);
    cairo_set_line_width(cr, size * 0.14);
    cairo_pattern_t* b = metalGradient(0, 0, size, size, false);
    cairo_set_source(cr, b);
    cairo_move_to(cr, m, m);
    cairo_line_to(cr, size - m, size - m);
    cairo_move_to(cr, size - m, m);
    cairo_line_to(cr, m, size - m);
    cairo_stroke(cr);
    cairo_pattern_destroy(b);
    cairo_restore(cr);
    metalFrame(cr, m, m, w, w, size * 0.12, size * 0.07, false);
    for (int i = 0; i < 4; ++i) {
        double x = (i % 2) ? size - m * 2.6 : m * 2.6, y = (i / 2) ? size - m * 2.6 : m * 2.6;
        cairo_arc(cr, x, y, size * 0.045, 0, 2 * M_PI);
        setCol(cr, rgb(230, 190, 120));
        cairo_fill(cr);
    }
    // A padlock ring in the middle.
    cairo_arc(cr, size / 2, size / 2, size * 0.13, 0, 2 * M_PI);
    setCol(cr, rgb(30, 26, 30));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, size * 0.04);
    setCol(cr, rgb(220, 170, 90));
    cairo_stroke(cr);
}

void ghost(Canvas& c, double size) {
    cairo_t* cr = c.cr();
    cairo_arc(cr, size / 2, size / 2, size * 0.4, 0, 2 * M_PI);
    setCol(cr, {0.02, 0.01, 0.05}, 0.55);
    cairo_fill(cr);
    blur(c, std::max(2, static_cast<int>(size / 10)));
}

// Vial geometry in a 62 x 62 cell.
void vialPath(cairo_t* cr) {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, 26, 8);
    cairo_line_to(cr, 36, 8);
    cairo_line_to(cr, 36, 19);
    cairo_arc(cr, 31, 38, 20, -M_PI / 2 + 0.26, 3 * M_PI / 2 - 0.26);
    cairo_close_path(cr);
}

void vialGlass(Canvas& c, bool empty) {
    cairo_t* cr = c.cr();
    if (empty) {
        vialPath(cr);
        cairo_pattern_t* g = cairo_pattern_create_radial(26, 32, 2, 31, 38, 24);
        stop(g, 0, rgb(70, 70, 110), 0.45);
        stop(g, 1, rgb(10, 10, 30), 0.75);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    // Glass rim and highlights.
    vialPath(cr);
    cairo_set_line_width(cr, 2);
    setCol(cr, rgb(200, 220, 255), 0.75);
    cairo_stroke(cr);
    cairo_save(cr);
    vialPath(cr);
    cairo_clip(cr);
    cairo_set_line_width(cr, 3);
    setCol(cr, {1, 1, 1}, 0.35);
    cairo_arc(cr, 31, 38, 15, M_PI * 1.05, M_PI * 1.45);
    cairo_stroke(cr);
    cairo_restore(cr);
    // Cork and lip.
    roundRect(c.cr(), 24, 3, 14, 6, 2);
    cairo_pattern_t* m = metalGradient(24, 3, 24, 9, true);
    cairo_set_source(cr, m);
    cairo_fill(cr);
    cairo_pattern_destroy(m);
}

void vialLiquid(Canvas& c, Col hue) {
    cairo_t* cr = c.cr();
    cairo_save(cr);
    vialPath(cr);
    cairo_clip(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(25, 30, 2, 31, 40, 26);
    stop(g, 0, mix(hue, {1, 1, 1}, 0.6));
    stop(g, 0.5, hue);
    stop(g, 1, scale(hue, 0.45));
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    // Bubbles.
    for (int i = 0; i < 6; ++i) {
        double x = 20 + hash2(i, 1, 9) * 22, y = 22 + hash2(i, 2, 9) * 30, r = 1 + hash2(i, 3, 9) * 2;
        cairo_arc(cr, x, y, r, 0, 2 * M_PI);
        setCol(cr, {1, 1, 1}, 0.35);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    vialGlass(c, false);
}

// The magic sphere: a round bronze device with five vial sockets and a window in the middle.
void sphere(Canvas& c) {
    cairo_t* cr = c.cr();
    const double cx = 85, cy = 88;
    // Back plate: a dark orb in a gold ring.
    glow(c, [&](cairo_t* g) { cairo_arc(g, cx, cy, 70, 0, 2 * M_PI); cairo_fill(g); }, rgb(120, 90, 255), 0.6, 6);
    cairo_arc(cr, cx, cy, 68, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - 20, cy - 25, 5, cx, cy, 70);
    stop(g, 0, rgb(90, 70, 170));
    stop(g, 0.6, rgb(36, 24, 80));
    stop(g, 1, rgb(14, 10, 34));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Swirling light inside.
    cairo_save(cr);
    cairo_arc(cr, cx, cy, 66, 0, 2 * M_PI);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1.2);
    for (int i = 0; i < 7; ++i) {
        double a = i * 0.9;
        cairo_arc(cr, cx + 10 * std::cos(a), cy + 10 * std::sin(a), 30 + i * 5, a, a + 1.8);
        setCol(cr, rgb(170, 150, 255), 0.18);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_arc(cr, cx, cy, 72, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, 64, 0, 2 * M_PI);
    cairo_pattern_t* m = metalGradient(cx - 72, cy - 72, cx + 40, cy + 72, true);
    cairo_set_source(cr, m);
    cairo_fill(cr);
    cairo_pattern_destroy(m);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // Runic ring engraved on the rim.
    useFont(cr, Face::Runic, 7);
    for (int i = 0; i < 24; ++i) {
        double a = i * 2 * M_PI / 24;
        cairo_save(cr);
        cairo_translate(cr, cx + 68 * std::cos(a), cy + 68 * std::sin(a));
        cairo_rotate(cr, a + M_PI / 2);
        std::string l = runicLetter(i);
        TextBox b = measure(cr, l);
        cairo_move_to(cr, -b.w / 2 - b.x, -b.h / 2 - b.y);
        setCol(cr, pal::bronzeDark, 0.9);
        cairo_show_text(cr, l.c_str());
        cairo_restore(cr);
    }
    // The five sockets (where the vials are drawn, each 62 x 62 from the given corner).
    const double slots[5][2] = {{60, 2}, {120, 44}, {97, 115}, {23, 114}, {0, 44}};
    for (const auto& s : slots) {
        double sx = s[0] + 31, sy = s[1] + 36;
        if (sx > 160) sx = 160;
        if (sy > 160) sy = 160;
        cairo_arc(cr, sx, sy, 9.5, 0, 2 * M_PI);
        cairo_pattern_t* mg = metalGradient(sx - 9, sy - 9, sx + 9, sy + 9, false);
        cairo_set_source(cr, mg);
        cairo_fill(cr);
        cairo_pattern_destroy(mg);
    }
    // The window for the next block.
    const double wx = 92, wy = 95;
    cairo_arc(cr, wx, wy, 30, 0, 2 * M_PI);
    cairo_pattern_t* wg = cairo_pattern_create_radial(wx, wy, 2, wx, wy, 30);
    stop(wg, 0, rgb(40, 30, 90));
    stop(wg, 1, rgb(8, 6, 24));
    cairo_set_source(cr, wg);
    cairo_fill(cr);
    cairo_pattern_destroy(wg);
    cairo_set_line_width(cr, 3);
    cairo_arc(cr, wx, wy, 31, 0, 2 * M_PI);
    cairo_pattern_t* rg = metalGradient(wx - 31, wy - 31, wx + 31, wy + 31, true);
    cairo_set_source(cr, rg);
    cairo_stroke(cr);
    cairo_pattern_destroy(rg);
    // Rope rings at the bottom (+53 and +111 from the left).
    for (double rx : {56.0, 114.0}) {
        cairo_arc(cr, rx, 164, 4, 0, 2 * M_PI);
        cairo_set_line_width(cr, 2);
        setCol(cr, pal::gold);
        cairo_stroke(cr);
    }
}

}  // namespace

ARTGEN_FAMILY(runeFamily) {
    for (int size : {32, 40}) {
        std::string dir = size == 32 ? "gfx/runy/" : "gfx/runy-40x40/";
        for (int colour = 1; colour <= 12; ++colour) {
            addImage(dir + "r" + two(colour) + ".png", size, size, [=](Canvas& c) {
                drawGem(c, runeLook(colour), size / 2.0, size / 2.0, size);
            });
            addImage(dir + "s" + two(colour) + ".png", size, size, [=](Canvas& c) {
                drawStone(c, runeLook(colour), size / 2.0, size / 2.0, size);
            });
        }
        addImage(dir + "obstacle.png", size, size, [=](Canvas& c) { obstacle(c, size); });
        addImage(dir + "ghost.png", size, size, [=](Canvas& c) { ghost(c, size); });
    }
}

ARTGEN_FAMILY(sphereFamily) {
    // Vial file number of each rune colour.
    static const int fileOf[16] = {0, 14, 5, 11, 6, 4, 3, 7, 9, 15, 1, 13, 10, 12, 2, 8};
    for (int colour = 1; colour <= 15; ++colour) {
        int n = fileOf[colour];
        addImage("gfx/ring/k-" + two(n) + ".png", 62, 62, [=](Canvas& c) { vialLiquid(c, runeLook(colour).hue); });
        addImage("gfx/ring/s-" + two(n) + ".png", 32, 32, [=](Canvas& c) {
            drawGlyph(c, runeLook(colour).letter, runeLook(colour).hue, 16, 16, 23);
        });
    }
    addImage("gfx/ring/k-black.png", 62, 62, [](Canvas& c) { vialGlass(c, true); });
    addImage("gfx/ring/kulki.png", 170, 170, [](Canvas& c) { sphere(c); });
}

}  // namespace artgen
