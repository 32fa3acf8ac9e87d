// gfx/ring-game: the ring mini-game's hall, the stone ring, the pendulum, the papyrus tiles
// with their twenty runes, and the spells' animated icons.
#include "gems.h"
#include "scene.h"

#include <cmath>
#include <cstdio>

namespace artgen {

namespace {

void hall(Canvas& c) {
    paintSky(c, {rgb(14, 10, 36), rgb(36, 22, 64), rgb(70, 40, 90), 600});
    stars(c, 200, 420, 301, 0.8);
    moon(c, 400, 150, 90, rgb(220, 200, 250), 0);
    ridge(c, 470, 60, 0.5, rgb(40, 24, 64), 302);
    ruins(c, 260, 560, 1.0, rgb(26, 16, 44), 303);
    cairo_t* cr = c.cr();
    // Two stone shelves holding the tile columns (x 85..235 and 565..715).
    for (double x : {70.0, 550.0}) {
        Canvas stone(800, 600);
        fillPixels(stone, [&](int px, int py, double& r, double& g, double& b, double& a) {
            double n = fbm(px / 30.0, py / 30.0, 4, 304);
            Col col = mix(rgb(60, 56, 76), rgb(96, 90, 110), n);
            if ((py - 40) % 100 < 2) col = scale(col, 0.6);
            r = col.r;
            g = col.g;
            b = col.b;
            a = 1;
        });
        cairo_save(cr);
        roundRect(cr, x, 40, 180, 536, 12);
        cairo_clip(cr);
        cairo_set_source_surface(cr, stone.surface(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        metalFrame(cr, x, 40, 180, 536, 12, 5, false);
    }
    // The score plaque at the top centre and the bar's groove.
    roundRect(cr, 330, 2, 140, 34, 10);
    setCol(cr, rgb(14, 8, 30), 0.9);
    cairo_fill(cr);
    metalFrame(cr, 330, 2, 140, 34, 10, 3, true);
    roundRect(cr, 331, 519, 138, 18, 6);
    setCol(cr, rgb(14, 8, 30), 0.9);
    cairo_fill(cr);
    metalFrame(cr, 331, 519, 138, 18, 6, 2.5, true);
    vignette(c, 0.45);
}

void stoneRing(Canvas& c) {
    cairo_t* cr = c.cr();
    const double m = 150;
    glow(c, [&](cairo_t* g) { cairo_arc(g, m, m, 146, 0, 2 * M_PI); cairo_fill(g); }, rgb(140, 100, 255), 0.6, 6);
    Canvas stone(300, 300);
    fillPixels(stone, [&](int x, int y, double& r, double& g, double& b, double& a) {
        double n = fbm(x / 18.0, y / 18.0, 4, 311);
        double d = std::hypot(x + 0.5 - m, y + 0.5 - m);
        double bevel = std::clamp(1 - std::fabs(d - 105) / 40, 0.0, 1.0);
        Col col = mix(rgb(70, 66, 84), rgb(140, 134, 150), 0.4 * n + 0.6 * bevel);
        r = col.r;
        g = col.g;
        b = col.b;
        a = 1;
    });
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_arc(cr, m, m, 142, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, m, m, 66, 0, 2 * M_PI);
    cairo_set_source_surface(cr, stone.surface(), 0, 0);
    cairo_fill(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    // Carved runes between the spell sockets.
    useFont(cr, Face::Runic, 20);
    for (int i = 0; i < 24; ++i) {
        double a = i * 2 * M_PI / 24;
        cairo_save(cr);
        cairo_translate(cr, m + 126 * std::cos(a), m + 126 * std::sin(a));
        cairo_rotate(cr, a + M_PI / 2);
        std::string l = runicLetter(i);
        useFont(cr, Face::Runic, 13);
        TextBox b = measure(cr, l);
        cairo_move_to(cr, -b.w / 2 - b.x, -b.h / 2 - b.y);
        setCol(cr, rgb(200, 180, 255), 0.85);
        cairo_show_text(cr, l.c_str());
        cairo_restore(cr);
    }
    // Six sockets for the spell icons, about 100 px from the centre, where the game sets them
    // at rest: to the right, then every 60 degrees (the first at 0 degrees, screen y down).
    for (int i = 0; i < 6; ++i) {
        double a = i * M_PI / 3;
        double x = m + 100 * std::cos(a), y = m + 100 * std::sin(a);
        cairo_arc(cr, x, y, 22, 0, 2 * M_PI);
        setCol(cr, rgb(24, 18, 40), 0.9);
        cairo_fill(cr);
        cairo_arc(cr, x, y, 22, 0, 2 * M_PI);
        cairo_set_line_width(cr, 2);
        setCol(cr, pal::gold, 0.8);
        cairo_stroke(cr);
    }
    for (double r : {142.0, 66.0}) {
        cairo_arc(cr, m, m, r, 0, 2 * M_PI);
        cairo_set_line_width(cr, 4);
        cairo_pattern_t* g = metalGradient(m - r, m - r, m + r, m + r, true);
        cairo_set_source(cr, g);
        cairo_stroke(cr);
        cairo_pattern_destroy(g);
    }
    // The centre, where the rune to click is shown.
    cairo_arc(cr, m, m, 64, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(m, m, 5, m, m, 64);
    stop(g, 0, rgb(60, 40, 120), 0.85);
    stop(g, 1, rgb(16, 10, 40), 0.95);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// The pivot lies 72 px above the picture (at the ring's centre); the bob hangs 220 px below it,
// under the ring's rim and above the progress bar, and stays clear of both on its 30 degree
// swing.
void pendulum(Canvas& c) {
    cairo_t* cr = c.cr();
    const double bobY = 220 - 72;
    cairo_rectangle(cr, 17, 0, 6, bobY - 14);
    cairo_pattern_t* rod = metalGradient(17, 0, 23, 0, true);
    cairo_set_source(cr, rod);
    cairo_fill(cr);
    cairo_pattern_destroy(rod);
    cairo_arc(cr, 20, bobY, 19, 0, 2 * M_PI);
    cairo_pattern_t* bob = cairo_pattern_create_radial(14, bobY - 6, 2, 20, bobY, 19);
    stop(bob, 0, rgb(255, 244, 190));
    stop(bob, 0.5, rgb(220, 160, 60));
    stop(bob, 1, rgb(110, 60, 20));
    cairo_set_source(cr, bob);
    cairo_fill(cr);
    cairo_pattern_destroy(bob);
    drawGem(c, runeLook(5), 20, bobY, 20);
}

void papyrus(Canvas& c) {
    parchment(c, 3, 3, 50, 64, 5, 321);
    cairo_t* cr = c.cr();
    roundRect(cr, 3, 3, 50, 64, 5);
    cairo_set_line_width(cr, 1.5);
    setCol(cr, rgb(110, 70, 30), 0.8);
    cairo_stroke(cr);
}

}  // namespace

ARTGEN_FAMILY(ringGameFamily) {
    addImage("gfx/ring-game/game-ring3.jpg", 800, 600, hall);
    addImage("gfx/ring-game/ring0000.png", 300, 300, stoneRing);
    addImage("gfx/ring-game/wahadlo-c.png", 40, 170, pendulum);
    addImage("gfx/ring-game/papirus1.png", 56, 70, papyrus);
    // Drawn over the tile under the pointer at 60 % opacity: a warm halo round the tile's edge
    // (the tile is 56 x 70 about the same centre) and a faint light across it.
    addImage("gfx/ring-game/switelko.png", 64, 80, [](Canvas& c) {
        glow(c, [](cairo_t* g) { roundRect(g, 5, 6, 54, 68, 6); cairo_set_line_width(g, 5); cairo_stroke(g); },
             pal::candle, 1.0, 4);
        cairo_t* cr = c.cr();
        roundRect(cr, 5, 6, 54, 68, 6);
        cairo_set_line_width(cr, 3);
        setCol(cr, rgb(255, 236, 170), 1.0);
        cairo_stroke(cr);
        cairo_save(cr);
        cairo_translate(cr, 32, 40);
        cairo_scale(cr, 1, 1.25);
        softLight(cr, 0, 0, 28, rgb(255, 246, 210), 0.5);
        cairo_restore(cr);
    });
    // The twenty tablet runes: dark ink on the papyrus, centred at (16, 18) of each cell.
    addStrip("gfx/ring-game/runy-papier.png", 32, 64, 20, [](Canvas& c, int i) {
        cairo_t* cr = c.cr();
        std::string l = runicLetter(i);
        useFont(cr, Face::Runic, 30);
        TextBox b = measure(cr, l);
        double k = std::min(26 / b.h, 24 / b.w);
        useFont(cr, Face::Runic, 30 * k);
        b = measure(cr, l);
        cairo_move_to(cr, 16 - b.w / 2 - b.x, 18 - b.h / 2 - b.y);
        setCol(cr, rgb(60, 30, 12), 0.92);
        cairo_show_text(cr, l.c_str());
    });
    addStrip("gfx/ring-game/runy-kula.png", 64, 64, 20, [](Canvas& c, int i) {
        drawGlyph(c, runicLetter(i), hsv(i * 18.0, 0.6, 1.0), 32, 32, 40);
    });
    addImage("gfx/ring-game/bar.png", 1, 10, [](Canvas& c) {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 10);
        stop(g, 0, rgb(255, 250, 200));
        stop(g, 0.5, rgb(255, 200, 80));
        stop(g, 1, rgb(200, 110, 30));
        cairo_set_source(c.cr(), g);
        cairo_paint(c.cr());
        cairo_pattern_destroy(g);
    });
    // Spell of each icon set s1..s6: drain, heal, teleport, holy fire, bomb, vanish.
    static const int kinds[6] = {4, 5, 6, 1, 3, 2};
    for (int s = 0; s < 6; ++s)
        for (int f = 0; f < 5; ++f) {
            char name[64];
            std::snprintf(name, sizeof name, "gfx/ring-game/s%d_%04d.png", s + 1, f);
            int kind = kinds[s];
            addImage(name, 48, 48, [kind, f](Canvas& c) { spellIcon(c, kind, (f + 0.5) / 5.0); });
        }
}

}  // namespace artgen
