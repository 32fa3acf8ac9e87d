// Particles and glows (gfx/gwiazdki), the spell icons and their glow frames (gfx/bonusy) and
// the boss rune's pictures (gfx/boss).
#include "gems.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace artgen {

namespace {

// The particle pictures are drawn with light blend, tinted, often dozens over one another (the
// loading screen's logo sparks, scaled up to six times, the comets' trails): so they stay faint,
// with a long soft falloff, and lean a little to warm colours away from the core, so that a crowd
// of them adds up to a coloured glow that still shows what lies under it, not a white blob.
Col sparkTint(double d) { return mix({1, 1, 1}, {1, 0.86, 0.7}, std::clamp(d, 0.0, 1.0)); }

void gradball(Canvas& c) {
    const double r = c.width() / 2.0;
    fillPixels(c, [r](int x, int y, double& cr, double& cg, double& cb, double& a) {
        const double d = std::hypot(x + 0.5 - r, y + 0.5 - r) / r;
        const Col col = sparkTint(d);
        cr = col.r;
        cg = col.g;
        cb = col.b;
        // A Gaussian bell, brought down to nothing at the rim.
        a = d >= 1 ? 0 : 0.18 * (std::exp(-3.2 * d * d) - std::exp(-3.2)) / (1 - std::exp(-3.2));
    });
}

void sparkle(Canvas& c, int kind) {
    cairo_t* cr = c.cr();
    const double m = c.width() / 2.0;
    softLight(cr, m, m, m * 0.8, sparkTint(0.6), 0.22);
    setCol(cr, {1, 1, 1}, 0.55);
    if (kind == 1) {
        star(cr, m, m, m * 0.95, m * 0.1, 4, 0);
        cairo_fill(cr);
        star(cr, m, m, m * 0.5, m * 0.07, 4, 45);
        cairo_fill(cr);
    } else if (kind == 2) {
        star(cr, m, m, m * 0.9, m * 0.18, 6, 0);
        cairo_fill(cr);
    } else {
        for (int i = 0; i < 8; ++i) {
            double a = i * M_PI / 4;
            double len = (i % 2) ? m * 0.55 : m * 0.95;
            cairo_move_to(cr, m, m);
            cairo_line_to(cr, m + len * std::cos(a), m + len * std::sin(a));
        }
        cairo_set_line_width(cr, 1.4);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
        softLight(cr, m, m, m * 0.3, {1, 1, 1}, 0.6);
    }
}

void flare(Canvas& c, bool rays) {
    cairo_t* cr = c.cr();
    const double m = c.width() / 2.0;
    if (rays) {
        for (int i = 0; i < 16; ++i) {
            double a = i * M_PI / 8 + 0.1;
            double len = m * ((i % 2) ? 0.6 : 0.95);
            cairo_pattern_t* g = cairo_pattern_create_linear(m, m, m + len * std::cos(a), m + len * std::sin(a));
            stop(g, 0, {1, 1, 1}, 0.9);
            stop(g, 1, {1, 1, 1}, 0);
            cairo_set_source(cr, g);
            cairo_move_to(cr, m, m);
            cairo_line_to(cr, m + len * std::cos(a - 0.06), m + len * std::sin(a - 0.06));
            cairo_line_to(cr, m + len * std::cos(a + 0.06), m + len * std::sin(a + 0.06));
            cairo_close_path(cr);
            cairo_fill(cr);
            cairo_pattern_destroy(g);
        }
        softLight(cr, m, m, m * 0.45, {1, 1, 1}, 0.9);
    } else {
        cairo_pattern_t* g = cairo_pattern_create_radial(m, m, 0, m, m, m);
        stop(g, 0, {1, 1, 1}, 0.0);
        stop(g, 0.45, {1, 1, 1}, 0.15);
        stop(g, 0.62, {1, 1, 1}, 0.85);
        stop(g, 0.75, {1, 1, 1}, 0.2);
        stop(g, 1, {1, 1, 1}, 0);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
        softLight(cr, m, m, m * 0.4, {1, 1, 1}, 0.5);
    }
}

void chip(Canvas& c) {
    cairo_t* cr = c.cr();
    cairo_move_to(cr, 2, 3);
    cairo_line_to(cr, 6, 1);
    cairo_line_to(cr, 9, 4);
    cairo_line_to(cr, 8, 8);
    cairo_line_to(cr, 4, 9);
    cairo_line_to(cr, 1, 7);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(1, 1, 9, 9);
    stop(g, 0, rgb(200, 198, 194));
    stop(g, 1, rgb(70, 68, 72));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 0.8);
    setCol(cr, rgb(40, 38, 42));
    cairo_stroke(cr);
}

// Spell kinds: 1 holy fire, 2 vanish, 3 bomb, 4 drain, 5 heal, 6 teleport.
Col spellHue(int kind) {
    static const Col hues[7] = {{1, 1, 1},         rgb(255, 150, 40), rgb(180, 90, 255), rgb(255, 80, 40),
                                rgb(60, 150, 255), rgb(70, 220, 90),  rgb(80, 230, 230)};
    return hues[kind];
}

void spellSymbol(cairo_t* cr, int kind, double cx, double cy, double s) {
    switch (kind) {
        case 1:  // a flame
            cairo_move_to(cr, cx, cy - s);
            cairo_curve_to(cr, cx + s * 0.2, cy - s * 0.4, cx + s * 0.8, cy - s * 0.2, cx + s * 0.6, cy + s * 0.4);
            cairo_curve_to(cr, cx + s * 0.45, cy + s * 0.85, cx - s * 0.45, cy + s * 0.85, cx - s * 0.6, cy + s * 0.4);
            cairo_curve_to(cr, cx - s * 0.75, cy - s * 0.1, cx - s * 0.3, cy - s * 0.3, cx, cy - s);
            break;
        case 2:  // a crescent (vanishing)
            cairo_arc(cr, cx, cy, s * 0.8, 0, 2 * M_PI);
            cairo_new_sub_path(cr);
            cairo_arc_negative(cr, cx + s * 0.35, cy - s * 0.2, s * 0.62, 2 * M_PI, 0);
            break;
        case 3:  // a bomb with a fuse spark
            cairo_arc(cr, cx - s * 0.1, cy + s * 0.15, s * 0.62, 0, 2 * M_PI);
            cairo_new_sub_path(cr);
            roundRect(cr, cx + s * 0.15, cy - s * 0.6, s * 0.3, s * 0.3, s * 0.05);
            star(cr, cx + s * 0.55, cy - s * 0.75, s * 0.35, s * 0.12, 5, 0);
            break;
        case 4:  // a drop over a downward arrow
            cairo_move_to(cr, cx, cy - s);
            cairo_curve_to(cr, cx + s * 0.3, cy - s * 0.5, cx + s * 0.55, cy - s * 0.1, cx + s * 0.55, cy + s * 0.2);
            cairo_arc(cr, cx, cy + s * 0.2, s * 0.55, 0, M_PI);
            cairo_curve_to(cr, cx - s * 0.55, cy - s * 0.1, cx - s * 0.3, cy - s * 0.5, cx, cy - s);
            cairo_close_path(cr);
            break;
        case 5:  // a cross
            cairo_rectangle(cr, cx - s * 0.22, cy - s * 0.8, s * 0.44, s * 1.6);
            cairo_rectangle(cr, cx - s * 0.8, cy - s * 0.22, s * 1.6, s * 0.44);
            break;
        default:  // a swirl of arcs (teleport)
            for (int i = 0; i < 3; ++i) {
                double a = i * 2 * M_PI / 3;
                cairo_new_sub_path(cr);
                cairo_arc(cr, cx + s * 0.3 * std::cos(a), cy + s * 0.3 * std::sin(a), s * 0.5, a, a + 2.2);
                cairo_arc_negative(cr, cx + s * 0.3 * std::cos(a), cy + s * 0.3 * std::sin(a), s * 0.32, a + 2.2, a);
                cairo_close_path(cr);
            }
            break;
    }
}

}  // namespace

void spellIcon(Canvas& c, int kind, double phase, double radius) {
    cairo_t* cr = c.cr();
    const double m = c.width() / 2.0, r = c.width() * radius;
    Col hue = spellHue(kind);
    glow(c, [&](cairo_t* g) { cairo_arc(g, m, m, r, 0, 2 * M_PI); cairo_fill(g); }, hue,
         0.55 + 0.35 * std::sin(phase * 2 * M_PI), std::max(2, c.width() / 16));
    cairo_arc(cr, m, m, r, 0, 2 * M_PI);
    cairo_pattern_t* m1 = metalGradient(0, 0, c.width(), c.width(), true);
    cairo_set_source(cr, m1);
    cairo_fill(cr);
    cairo_pattern_destroy(m1);
    cairo_arc(cr, m, m, r * 0.8, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(m - r * 0.3, m - r * 0.3, 0, m, m, r);
    stop(g, 0, mix(hue, {0.1, 0.05, 0.2}, 0.3));
    stop(g, 1, rgb(16, 8, 36));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    if (kind == 2) cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    spellSymbol(cr, kind, m, m, r * 0.55);
    cairo_pattern_t* sg = cairo_pattern_create_linear(0, m - r * 0.6, 0, m + r * 0.6);
    stop(sg, 0, mix(hue, {1, 1, 1}, 0.7));
    stop(sg, 1, hue);
    cairo_set_source(cr, sg);
    cairo_fill(cr);
    cairo_pattern_destroy(sg);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    if (phase > 0) twinkle(cr, m + r * 0.6 * std::cos(phase * 2 * M_PI), m + r * 0.6 * std::sin(phase * 2 * M_PI),
                           c.width() / 6.0, {1, 1, 0.9}, 0.9);
}

namespace {

// The glow frame around a spell's cell; `cell` px cell, `inset` px from the picture's edge.
void spellFrame(Canvas& c, double inset, bool second) {
    cairo_t* cr = c.cr();
    const double w = c.width(), cell = w - 2 * inset;
    glow(c, [&](cairo_t* g) {
        roundRect(g, inset - 2, inset - 2, cell + 4, cell + 4, 6);
        cairo_set_line_width(g, 5);
        cairo_stroke(g);
    }, second ? rgb(255, 240, 170) : rgb(255, 190, 80), 1.0, static_cast<int>(inset / 2));
    roundRect(cr, inset - 1, inset - 1, cell + 2, cell + 2, 5);
    cairo_set_line_width(cr, 1.5);
    setCol(cr, {1, 0.95, 0.7}, 0.8);
    cairo_stroke(cr);
    // Sparkles at alternate corners in the two frames.
    for (int i = 0; i < 4; ++i) {
        double x = (i % 2) ? w - inset : inset, y = (i / 2) ? w - inset : inset;
        if (second) x = (i % 2) ? w / 2 : (i / 2 ? w - inset : inset), y = (i % 2) ? (i / 2 ? w - inset : inset) : w / 2;
        twinkle(cr, x, y, inset * 0.8, {1, 1, 0.85}, 0.9);
    }
}

void bossShadow(Canvas& c) {
    const double w = c.width();
    roundRect(c.cr(), w * 0.1, w * 0.1, w * 0.8, w * 0.8, w * 0.2);
    setCol(c.cr(), {0.02, 0, 0.04}, 0.6);
    cairo_fill(c.cr());
    blur(c, static_cast<int>(w / 10));
}

// Boss aura frame i of 16: two counter-rotating rings of sparks; frame 15 flows into frame 0.
void bossAura(Canvas& c, int i) {
    cairo_t* cr = c.cr();
    const double w = c.width(), m = w / 2, phase = i / 16.0;
    for (int ring = 0; ring < 2; ++ring) {
        int n = ring ? 6 : 8;
        double rr = w * (ring ? 0.3 : 0.44);
        double turn = (ring ? -1 : 1) * phase * 2 * M_PI / n;
        for (int k = 0; k < n; ++k) {
            double a = turn + k * 2 * M_PI / n;
            double pulse = 0.55 + 0.45 * std::sin(2 * M_PI * (phase * 2 + k / double(n)));
            twinkle(cr, m + rr * std::cos(a), m + rr * std::sin(a), w * 0.07 * (0.7 + 0.5 * pulse),
                    ring ? rgb(255, 120, 200) : rgb(255, 190, 90), 0.5 + 0.5 * pulse);
        }
    }
    cairo_arc(cr, m, m, w * 0.44, 0, 2 * M_PI);
    cairo_set_line_width(cr, 1.5);
    setCol(cr, rgb(255, 140, 80), 0.25 + 0.15 * std::sin(2 * M_PI * phase));
    cairo_stroke(cr);
}

// The hint tile of a ring cell, drawn at alpha 0.3 under the runes: a scorched stain with a
// rim of embers, so that the open cells of a ring still read on the board at that alpha.
void soot(Canvas& c) {
    const double w = c.width();
    fillPixels(c, [&](int x, int y, double& r, double& g, double& b, double& a) {
        double d = std::hypot(x + 0.5 - w / 2, y + 0.5 - w / 2) / (w / 2);
        double n = fbm(x / 5.0, y / 5.0, 3, static_cast<int>(w));
        r = 0.06;
        g = 0.03;
        b = 0.07;
        a = std::clamp((1.2 - d) * 2.0, 0.0, 1.0) * (0.7 + 0.3 * n);
    });
    cairo_t* cr = c.cr();
    const double inset = w * 0.14;
    glow(c, [&](cairo_t* g) {
        roundRect(g, inset, inset, w - 2 * inset, w - 2 * inset, w * 0.18);
        cairo_set_line_width(g, w / 12);
        cairo_stroke(g);
    }, pal::candle, 0.9, std::max(1, static_cast<int>(w / 16)));
    roundRect(cr, inset, inset, w - 2 * inset, w - 2 * inset, w * 0.18);
    cairo_set_line_width(cr, std::max(1.0, w / 20));
    setCol(cr, rgb(255, 200, 120), 0.95);
    cairo_stroke(cr);
}

// One kind of boss: the colour number of the runes that beat it and its sigil.
struct BossKind {
    int file;          // b-NN.png
    int colour;        // rune colour number (its hue and gem cut)
    const char* sigil; // one Runic letter, UTF-8
    int spikes;        // points of the iron crown
};
// Kind 4 is the boss of the boss tutorial, drawn among violet runes.
const BossKind kBossKinds[] = {
    {1, 1, "\u16E3", 10},  // red
    {2, 2, "\u16E5", 12},  // blue
    {3, 3, "\u16E4", 9},   // green
    {4, 5, "\u16C9", 12},  // violet
    {5, 4, "\u16DF", 14},  // yellow
    {6, 6, "\u16D7", 11},  // orange
};

// A boss: a dark sigil stone in its rune's hue, held in a spiked crown of blackened iron. The
// spikes reach the picture's edge and the stone stays within the aura's inner ring of sparks, so
// the sigil reads clearly while the aura turns around it.
void bossPicture(Canvas& c, const BossKind& kind) {
    cairo_t* cr = c.cr();
    const double w = c.width(), m = w / 2;
    const RuneLook& rune = runeLook(kind.colour);
    // A glow of the hue behind the crown.
    softLight(cr, m, m, w * 0.5, rune.hue, 0.45);
    star(cr, m, m, w * 0.49, w * 0.33, kind.spikes, 180.0 / kind.spikes);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, w, w);
    stop(g, 0, rgb(110, 104, 112));
    stop(g, 0.5, rgb(52, 46, 56));
    stop(g, 1, rgb(22, 18, 26));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, std::max(1.0, w / 50));
    setCol(cr, mix(pal::bronze, rune.hue, 0.35), 0.95);
    cairo_stroke(cr);
    // The stone: the rune's cut in a darkened hue, so that it looks like a threat, not a prize.
    RuneLook look{scale(rune.hue, 0.7), rune.cut, kind.sigil};
    drawGem(c, look, m, m, w * 0.7);
}

std::string four(int n) {
    char b[8];
    std::snprintf(b, sizeof b, "%04d", n);
    return b;
}

}  // namespace

ARTGEN_FAMILY(sparkFamily) {
    addImage("gfx/gwiazdki/gradball.png", 32, 32, gradball);
    for (int k = 1; k <= 3; ++k)
        addImage("gfx/gwiazdki/" + std::to_string(k) + ".png", 32, 32, [k](Canvas& c) { sparkle(c, k); });
    addImage("gfx/gwiazdki/stone.png", 10, 10, chip);
    addImage("gfx/gwiazdki/volum04.png", 96, 96, [](Canvas& c) { flare(c, true); });
    addImage("gfx/gwiazdki/volum05.png", 96, 96, [](Canvas& c) { flare(c, false); });
}

ARTGEN_FAMILY(spellFamily) {
    // File number of each spell kind's icon.
    static const int fileOf[7] = {0, 6, 3, 4, 1, 5, 2};
    // A spell lies on a rune and is drawn over the whole cell: its disc is kept small, so that
    // the rune's colour, which decides the run that sets the spell off, shows all around it.
    for (int kind = 1; kind <= 6; ++kind)
        addImage("gfx/bonusy/mag_0" + std::to_string(fileOf[kind]) + ".png", 32, 32,
                 [kind](Canvas& c) { spellIcon(c, kind, 0, 0.3); });
    addImage("gfx/bonusy/posw2a.png", 50, 50, [](Canvas& c) { spellFrame(c, 9, false); });
    addImage("gfx/bonusy/posw2b.png", 50, 50, [](Canvas& c) { spellFrame(c, 9, true); });
    addImage("gfx/bonusy/posw2a-duza.png", 68, 68, [](Canvas& c) { spellFrame(c, 14, false); });
    addImage("gfx/bonusy/posw2b-duza.png", 68, 68, [](Canvas& c) { spellFrame(c, 14, true); });
}

ARTGEN_FAMILY(bossFamily) {
    addImage("gfx/boss/cien_boss.png", 80, 80, bossShadow);
    addImage("gfx/boss/cien_bossm.png", 64, 64, bossShadow);
    for (int i = 0; i < 16; ++i) {
        addImage("gfx/boss/boss-ef" + four(i) + ".png", 80, 80, [i](Canvas& c) { bossAura(c, i); });
        addImage("gfx/boss/boss-efm" + four(i) + ".png", 64, 64, [i](Canvas& c) { bossAura(c, i); });
    }
    addImage("gfx/boss/sadza40.png", 40, 40, soot);
    addImage("gfx/boss/sadza32.png", 32, 32, soot);
    for (const BossKind& kind : kBossKinds) {
        const std::string name = "gfx/boss/b-0" + std::to_string(kind.file);
        addImage(name + ".png", 80, 80, [&kind](Canvas& c) { bossPicture(c, kind); });
        addImage(name + "m.png", 64, 64, [&kind](Canvas& c) { bossPicture(c, kind); });
    }
}

}  // namespace artgen
