// Pictures of the screens around the board: loading and title (gfx/title), the information
// popups' button (gfx/info), the story screen (gfx/story), the world map (gfx/mapa) and the
// picture puzzle (gfx/puzzle).
#include "gems.h"
#include "scene.h"

#include <cmath>

namespace artgen {

namespace {

CaptionStyle plainButtonStyle(bool lit) {
    CaptionStyle s;
    s.glowAlpha = lit ? 0.6 : 0;
    s.outlineWidth = 1.2;
    if (lit) {
        s.top = {1, 1, 0.95};
        s.bottom = rgb(255, 200, 110);
    }
    return s;
}

// A glowing rune circle, as on the loading screen and the map's compass.
void sigil(Canvas& c, double cx, double cy, double r, Col hue) {
    cairo_t* cr = c.cr();
    glow(c, [&](cairo_t* g) {
        cairo_arc(g, cx, cy, r, 0, 2 * M_PI);
        cairo_set_line_width(g, 6);
        cairo_stroke(g);
    }, hue, 0.9, 10, true);
    cairo_set_line_width(cr, 2);
    setCol(cr, mix(hue, {1, 1, 1}, 0.6), 0.85);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_arc(cr, cx, cy, r * 0.78, 0, 2 * M_PI);
    cairo_stroke(cr);
    useFont(cr, Face::Runic, r * 0.14);
    for (int i = 0; i < 20; ++i) {
        double a = i * 2 * M_PI / 20;
        cairo_save(cr);
        cairo_translate(cr, cx + r * 0.89 * std::cos(a), cy + r * 0.89 * std::sin(a));
        cairo_rotate(cr, a + M_PI / 2);
        std::string l = runicLetter(i);
        TextBox b = measure(cr, l);
        cairo_move_to(cr, -b.w / 2 - b.x, -b.h / 2 - b.y);
        cairo_show_text(cr, l.c_str());
        cairo_restore(cr);
    }
    star(cr, cx, cy, r * 0.7, r * 0.28, 8, 0);
    cairo_stroke(cr);
}

void titleLettering(Canvas& c, double x, double y, double w, double h) {
    CaptionStyle s;
    s.glowAlpha = 0.7;
    s.glowRadius = 6;
    s.outlineWidth = 3;
    caption(c, x, y, w, h, "Mirethorn", s);
}

void loadingBackground(Canvas& c) {
    paintSky(c, {rgb(8, 8, 30), rgb(30, 20, 70), rgb(80, 50, 120), 520});
    stars(c, 350, 500, 201);
    sigil(c, 400, 220, 150, rgb(150, 110, 255));
    ridge(c, 520, 50, 0.6, rgb(40, 26, 70), 202);
    ridge(c, 570, 20, 0.3, rgb(20, 14, 40), 203);
    vignette(c, 0.6);
}

void titleBackground(Canvas& c) {
    paintSky(c, {rgb(10, 10, 40), rgb(60, 34, 100), rgb(220, 130, 110), 460});
    stars(c, 300, 380, 211);
    moon(c, 660, 150, 40, rgb(255, 236, 210), 0.5);
    clouds(c, 180, 380, rgb(170, 100, 150), 0.55, 212);
    horizonGlow(c, 400, 460, 260, rgb(255, 170, 100), 0.5);
    ridge(c, 430, 100, 0.8, rgb(90, 60, 120), 213, rgb(255, 190, 150), 0.4);
    tower(c, 120, 470, 60, 220, rgb(34, 22, 54), rgb(255, 190, 90), 214);
    tower(c, 190, 480, 36, 120, rgb(34, 22, 54), rgb(255, 190, 90), 215, false);
    ridge(c, 480, 50, 0.4, rgb(40, 26, 64), 216);
    forest(c, 560, 70, rgb(18, 12, 34), 217, 1.2);
    fireflies(c, 30, 0, 480, 800, 590, rgb(255, 220, 130), 218);
    vignette(c, 0.5);
    titleLettering(c, 180, 6, 440, 100);
}

void dimScene(Canvas& c, int kind) {
    if (kind == 0) {
        paintSky(c, {rgb(12, 10, 36), rgb(40, 24, 70), rgb(90, 50, 100), 600});
        stars(c, 300, 600, 221);
        ruins(c, 40, 600, 1.5, rgb(24, 14, 40), 222);
        ruins(c, 560, 600, 1.2, rgb(24, 14, 40), 223);
    } else {
        paintSky(c, {rgb(6, 10, 30), rgb(20, 30, 70), rgb(50, 50, 100), 600});
        stars(c, 400, 600, 231, 1.2);
        aurora(c, 120, rgb(80, 200, 255), rgb(160, 80, 255), 232);
        ridge(c, 540, 60, 0.7, rgb(20, 24, 50), 233);
    }
    // Darken the middle, where text and tables go.
    cairo_t* cr = c.cr();
    cairo_pattern_t* g = cairo_pattern_create_radial(400, 320, 60, 400, 320, 420);
    stop(g, 0, rgb(4, 4, 16), 0.55);
    stop(g, 1, rgb(4, 4, 16), 0.1);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    vignette(c, 0.5);
}

void galleryFrame(Canvas& c) {
    // Dark panelled wall.
    fillPixels(c, [](int x, int y, double& r, double& g, double& b, double& a) {
        double n = fbm(x / 70.0, y / 70.0, 4, 241);
        double grain = std::sin(x / 3.5 + 9 * fbm(x / 40.0, y / 300.0, 3, 242));
        Col col = mix(rgb(30, 18, 40), rgb(52, 32, 66), 0.5 + 0.25 * grain + 0.3 * (n - 0.5));
        r = col.r;
        g = col.g;
        b = col.b;
        a = 1;
    });
    cairo_t* cr = c.cr();
    softLight(cr, 400, 40, 420, pal::candle, 0.15);
    // The gilded picture frame around the window (120, 80)..(680, 500).
    glow(c, [](cairo_t* g) { cairo_rectangle(g, 96, 60, 608, 464); cairo_fill(g); }, {0, 0, 0}, 0.8, 8);
    metalFrame(cr, 96, 56, 608, 468, 6, 24, true);
    cairo_rectangle(cr, 112, 72, 576, 436);
    cairo_set_line_width(cr, 3);
    setCol(cr, pal::bronzeDark);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        double x = (i % 2) ? 692 : 108, y = (i / 2) ? 512 : 68;
        drawGem(c, runeLook(i == 0 ? 5 : i == 1 ? 2 : i == 2 ? 1 : 4), x, y, 26);
    }
    // The window itself: fully transparent.
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, 120, 80, 560, 420);
    cairo_fill(cr);
    cairo_restore(cr);
}

void orb(Canvas& c, bool lit) {
    cairo_t* cr = c.cr();
    const double m = 24;
    if (lit) glow(c, [&](cairo_t* g) { cairo_arc(g, m, m, 16, 0, 2 * M_PI); cairo_fill(g); }, pal::candle, 1, 5);
    cairo_arc(cr, m, m, 15, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(m - 5, m - 5, 1, m, m, 15);
    if (lit) {
        stop(g, 0, rgb(255, 250, 220));
        stop(g, 0.5, rgb(255, 190, 80));
        stop(g, 1, rgb(180, 90, 20));
    } else {
        stop(g, 0, rgb(110, 100, 150));
        stop(g, 1, rgb(24, 18, 50));
    }
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_arc(cr, m, m, 15, 0, 2 * M_PI);
    cairo_set_line_width(cr, 2);
    cairo_pattern_t* mg = metalGradient(m - 15, m - 15, m + 15, m + 15, true);
    cairo_set_source(cr, mg);
    cairo_stroke(cr);
    cairo_pattern_destroy(mg);
}

void logo(Canvas& c) {
    drawGem(c, runeLook(5), 52, 52, 84);
    CaptionStyle s;
    s.glowAlpha = 0.6;
    s.glowRadius = 5;
    s.outlineWidth = 2.5;
    caption(c, 96, 6, 256, 70, "Mirethorn", s);
    CaptionStyle t;
    t.glowAlpha = 0;
    t.top = rgb(220, 210, 255);
    t.bottom = rgb(160, 140, 220);
    t.outlineWidth = 1;
    caption(c, 110, 72, 230, 28, "a game of runes", t);
}

// The world map: a parchment land with coasts, mountains, forests and rivers.
double mapLand(double x, double y) {
    return fbm(x / 170.0, y / 170.0, 5, 251) + 0.33 - 0.62 * std::pow(std::hypot(x - 400.0, (y - 280.0) * 1.3) / 420, 2);
}

void worldMap(Canvas& c) {
    const int seed = 251;
    const double sea = 0.42;
    fillPixels(c, [&](int x, int y, double& r, double& g, double& b, double& a) {
        double land = mapLand(x, y);
        double n = fbm(x / 20.0, y / 20.0, 3, seed + 1);
        Col col;
        if (land < sea) {
            double depth = std::clamp((sea - land) * 5, 0.0, 1.0);
            col = mix(rgb(126, 156, 160), rgb(56, 78, 104), depth);
            // Ripple lines along the coast.
            double ring = std::fmod((sea - land) * 90, 1.0);
            if (depth < 0.5 && ring < 0.08) col = scale(col, 0.88);
        } else {
            double h = land - sea;
            col = mix(rgb(222, 200, 150), rgb(186, 156, 106), std::clamp(h * 3.5, 0.0, 1.0));
            if (h < 0.012) col = mix(col, rgb(96, 70, 40), 0.7);  // the coast line
        }
        col = scale(col, 0.9 + 0.15 * n);
        double e = std::min({x, 799 - x, y, 599 - y}) / 60.0;
        col = scale(col, 0.6 + 0.4 * std::clamp(e, 0.0, 1.0));
        r = col.r;
        g = col.g;
        b = col.b;
        a = 1;
    });
    cairo_t* cr = c.cr();
    // Mountains on the high ground, forests on the low; drawn back to front.
    for (int i = 0; i < 1400; ++i) {
        double x = 30 + hash2(i, 1, seed) * 740, y = 30 + hash2(i, 2, seed) * 510;
        double h = mapLand(x, y) - sea;
        if (h < 0.03) continue;
        double forest = fbm(x / 70.0, y / 70.0, 3, seed + 2);
        if (h > 0.3 && i % 4 == 0) {
            double s = 9 + 7 * hash2(i, 3, seed);
            cairo_move_to(cr, x - s, y);
            cairo_line_to(cr, x, y - s * 1.3);
            cairo_line_to(cr, x + s, y);
            cairo_close_path(cr);
            setCol(cr, rgb(170, 140, 100));
            cairo_fill_preserve(cr);
            setCol(cr, rgb(96, 66, 40), 0.9);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
            cairo_move_to(cr, x, y - s * 1.3);
            cairo_line_to(cr, x + s * 0.3, y);
            cairo_line_to(cr, x + s, y);
            cairo_close_path(cr);
            setCol(cr, rgb(110, 80, 50), 0.45);
            cairo_fill(cr);
        } else if (h < 0.3 && forest > 0.5) {
            double s = 4 + 2 * hash2(i, 4, seed);
            cairo_arc(cr, x, y - s, s, 0, 2 * M_PI);
            setCol(cr, rgb(92, 112, 62));
            cairo_fill_preserve(cr);
            setCol(cr, rgb(50, 64, 34), 0.8);
            cairo_set_line_width(cr, 0.8);
            cairo_stroke(cr);
            cairo_rectangle(cr, x - 0.7, y - 1, 1.4, 3);
            setCol(cr, rgb(80, 56, 30));
            cairo_fill(cr);
        }
    }
    // Rivers winding from the hills down to the sea.
    for (int rv = 0; rv < 4; ++rv) {
        double x = 330 + 140 * hash2(rv, 5, seed), y = 220 + 120 * hash2(rv, 6, seed);
        if (mapLand(x, y) < sea + 0.1) continue;
        cairo_move_to(cr, x, y);
        // Away from the middle of the land, wandering, until the sea.
        double heading = std::atan2(y - 280, x - 400);
        for (int step = 0; step < 200 && mapLand(x, y) >= sea; ++step) {
            heading += (fbm(x / 50.0, y / 50.0, 2, seed + rv) - 0.5) * 0.5;
            heading += 0.15 * std::sin(std::atan2(y - 280, x - 400) - heading);
            x += 4 * std::cos(heading);
            y += 4 * std::sin(heading);
            cairo_line_to(cr, x, y);
        }
        cairo_set_line_width(cr, 2.2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        setCol(cr, rgb(76, 110, 130), 0.85);
        cairo_stroke(cr);
    }
    // A compass rose.
    sigil(c, 700, 90, 50, rgb(120, 80, 40));
    // The bottom strip for the header and buttons.
    cairo_rectangle(cr, 0, 558, 800, 42);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 558, 0, 600);
    stop(g, 0, rgb(50, 30, 80));
    stop(g, 1, rgb(20, 12, 40));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_rectangle(cr, 0, 556, 800, 4);
    cairo_pattern_t* m = metalGradient(0, 556, 0, 560, true);
    cairo_set_source(cr, m);
    cairo_fill(cr);
    cairo_pattern_destroy(m);
    metalFrame(cr, 0, 0, 800, 560, 0, 8, false);
}

void marker(Canvas& c, Col hue, bool played, bool big) {
    cairo_t* cr = c.cr();
    const double m = c.width() / 2.0, r = c.width() * (big ? 0.4 : 0.36);
    glow(c, [&](cairo_t* g) { cairo_arc(g, m, m, r, 0, 2 * M_PI); cairo_fill(g); }, {0, 0, 0}, 0.6, 3);
    if (big) {
        star(cr, m, m, r * 1.15, r * 0.8, 10, 0);
        cairo_pattern_t* sm = metalGradient(0, 0, c.width(), c.width(), true);
        cairo_set_source(cr, sm);
        cairo_fill(cr);
        cairo_pattern_destroy(sm);
    }
    cairo_arc(cr, m, m, r, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(m - r * 0.3, m - r * 0.3, 1, m, m, r);
    Col base = played ? hue : mix(hue, rgb(80, 74, 100), 0.6);
    stop(g, 0, mix(base, {1, 1, 1}, 0.6));
    stop(g, 1, scale(base, 0.45));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_arc(cr, m, m, r, 0, 2 * M_PI);
    cairo_set_line_width(cr, 2.5);
    cairo_pattern_t* mg = metalGradient(0, 0, c.width(), c.width(), true);
    cairo_set_source(cr, mg);
    cairo_stroke(cr);
    cairo_pattern_destroy(mg);
    if (played) {
        cairo_move_to(cr, m - r * 0.45, m);
        cairo_line_to(cr, m - r * 0.1, m + r * 0.38);
        cairo_line_to(cr, m + r * 0.5, m - r * 0.4);
        cairo_set_line_width(cr, r * 0.22);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        setCol(cr, {1, 1, 0.9});
        cairo_stroke(cr);
    } else {
        useFont(cr, Face::Runic, r);
        std::string l = runicLetter(big ? 10 : 3);
        TextBox b = measure(cr, l);
        cairo_move_to(cr, m - b.w / 2 - b.x, m - b.h / 2 - b.y);
        setCol(cr, rgb(240, 230, 255), 0.9);
        cairo_show_text(cr, l.c_str());
    }
}

void markerGlow(Canvas& c, Col col) {
    const double m = c.width() / 2.0;
    softLight(c.cr(), m, m, m, col, 0.85);
    cairo_arc(c.cr(), m, m, m * 0.62, 0, 2 * M_PI);
    cairo_set_line_width(c.cr(), 2);
    setCol(c.cr(), mix(col, {1, 1, 1}, 0.6), 0.7);
    cairo_stroke(c.cr());
}

void puzzleBackground(Canvas& c) {
    paintSky(c, {rgb(20, 14, 44), rgb(36, 24, 64), rgb(50, 30, 80), 600});
    stars(c, 150, 600, 261, 0.5);
    cairo_t* cr = c.cr();
    // The frame round the board area (65, 53)..(735, 547).
    glow(c, [](cairo_t* g) { cairo_rectangle(g, 50, 38, 700, 524); cairo_fill(g); }, {0, 0, 0}, 0.8, 8);
    metalFrame(cr, 47, 35, 706, 530, 8, 18, true);
    cairo_rectangle(cr, 65, 53, 670, 494);
    setCol(cr, rgb(10, 8, 24));
    cairo_fill(cr);
    for (int i = 0; i < 4; ++i)
        drawGem(c, runeLook(1 + i), (i % 2) ? 744 : 56, (i / 2) ? 556 : 44, 24);
    // The buttons' normal look at the bottom.
    buttonPlate(c, 288, 572, 72, 20, false);
    caption(c, 292, 572, 64, 20, "Menu", plainButtonStyle(false));
    buttonPlate(c, 418, 572, 112, 20, false);
    caption(c, 424, 572, 100, 20, "Hint", plainButtonStyle(false));
}

void puzzleEdge(Canvas& c, int side) {
    // 0 left, 1 right, 2 top, 3 bottom: a gold line on the outer side, shading inwards.
    const double w = c.width(), h = c.height();
    bool vertical = side < 2;
    double len = vertical ? w : h;
    cairo_pattern_t* g = vertical ? cairo_pattern_create_linear(side == 0 ? 0 : w, 0, side == 0 ? w : 0, 0)
                                  : cairo_pattern_create_linear(0, side == 2 ? 0 : h, 0, side == 2 ? h : 0);
    stop(g, 0, rgb(255, 220, 120), 0.95);
    stop(g, 2.0 / len, rgb(200, 140, 50), 0.9);
    stop(g, 1, rgb(0, 0, 0), 0);
    cairo_set_source(c.cr(), g);
    cairo_paint(c.cr());
    cairo_pattern_destroy(g);
}

void puzzleCorner(Canvas& c, bool left, bool top) {
    const double cx = left ? 0 : 7, cy = top ? 0 : 7;
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, 7);
    stop(g, 0, rgb(255, 220, 120), 0.95);
    stop(g, 0.3, rgb(200, 140, 50), 0.9);
    stop(g, 1, rgb(0, 0, 0), 0);
    cairo_set_source(c.cr(), g);
    cairo_paint(c.cr());
    cairo_pattern_destroy(g);
}

}  // namespace

namespace {

// The portal screen's plaque: a parchment slip in a gold trim naming the makers, shown over the
// loading background where the logo stood.
void teamPlaque(Canvas& c) {
    const int w = c.width(), h = c.height();
    cairo_t* cr = c.cr();
    glow(c, [&](cairo_t* g) { roundRect(g, 6, 8, w - 12, h - 12, 14); cairo_fill(g); }, {0, 0, 0}, 0.6, 4);
    parchment(c, 8, 8, w - 16, h - 16, 12, 71);
    metalFrame(cr, 5, 5, w - 10, h - 10, 15, 5, true);
    CaptionStyle s;
    s.glowAlpha = 0.3;
    caption(c, 30, 22, w - 60, 56, "the Mirethorn team", s);
    paragraph(cr, Face::Serif, 22, {0.25, 0.14, 0.05}, 0.95, 20, 86, w - 40, "made with free software");
}

}  // namespace

ARTGEN_FAMILY(portalFamily) {
    addImage("gfx/portal/team.png", 420, 140, teamPlaque);
}

ARTGEN_FAMILY(titleFamily) {
    addImage("gfx/title/glyphor-bg.jpg", 800, 600, loadingBackground);
    addImage("gfx/title/glyphor-title.jpg", 800, 600, titleBackground);
    addImage("gfx/title/hiscores.jpg", 800, 600, [](Canvas& c) { dimScene(c, 0); });
    addImage("gfx/title/credits.jpg", 800, 600, [](Canvas& c) { dimScene(c, 1); });
    addImage("gfx/title/galeria.png", 800, 600, galleryFrame);
    addImage("gfx/title/loading.png", 300, 60, [](Canvas& c) {
        CaptionStyle s;
        s.glowAlpha = 0.6;
        caption(c, 0, 0, 300, 60, "Loading...", s);
    });
    addImage("gfx/title/load1.png", 48, 48, [](Canvas& c) { orb(c, true); });
    addImage("gfx/title/load2.png", 48, 48, [](Canvas& c) { orb(c, false); });
    addImage("gfx/title/morvell.png", 355, 105, logo);
}

namespace {

// The information popups' panel: a parchment sheet in a gold trim with a gem at each corner,
// over a soft shadow. The text is written on it in dark ink by the game.
void infoPanel(Canvas& c, int w, int h, int seed) {
    cairo_t* cr = c.cr();
    glow(c, [&](cairo_t* g) { roundRect(g, 6, 8, w - 12, h - 12, 16); cairo_fill(g); }, {0, 0, 0}, 0.6, 4);
    parchment(c, 8, 8, w - 16, h - 16, 14, seed);
    metalFrame(cr, 5, 5, w - 10, h - 10, 17, 5, true);
    // A thin inked rule inside the trim.
    roundRect(cr, 17, 17, w - 34, h - 34, 8);
    cairo_set_line_width(cr, 1);
    setCol(cr, pal::bronze, 0.55);
    cairo_stroke(cr);
    const int colours[4] = {4, 2, 7, 9};
    for (int i = 0; i < 4; ++i) {
        double cx = (i % 2) ? w - 12 : 12, cy = (i / 2) ? h - 12 : 12;
        drawGem(c, runeLook(colours[i]), cx, cy, 18);
    }
    // Small scrolls of gold in the middle of the top and bottom trims.
    for (double cy : {7.5, h - 7.5}) {
        cairo_arc(cr, w / 2.0, cy, 6, 0, 2 * M_PI);
        cairo_pattern_t* m = metalGradient(w / 2.0 - 6, cy - 6, w / 2.0 + 6, cy + 6, true);
        cairo_set_source(cr, m);
        cairo_fill(cr);
        cairo_pattern_destroy(m);
        drawGlyph(c, runicLetter(static_cast<int>(cy)), pal::gold, w / 2.0, cy, 9);
    }
}

// Three runes on the board, the middle one turned to stone.
void stoneIcon(Canvas& c) {
    drawGem(c, runeLook(3), 11, 30, 20);
    drawStone(c, runeLook(3), 24, 22, 26);
    drawGem(c, runeLook(3), 37, 30, 20);
}

// The magic sphere in small: a gold ring holding five vials of rune colours.
void sphereIcon(Canvas& c) {
    cairo_t* cr = c.cr();
    softLight(cr, 24, 24, 24, rgb(150, 120, 255), 0.5);
    cairo_arc(cr, 24, 24, 17, 0, 2 * M_PI);
    cairo_pattern_t* inner = cairo_pattern_create_radial(20, 20, 2, 24, 24, 17);
    stop(inner, 0, rgb(80, 60, 160));
    stop(inner, 1, rgb(14, 10, 40));
    cairo_set_source(cr, inner);
    cairo_fill(cr);
    cairo_pattern_destroy(inner);
    cairo_set_line_width(cr, 3);
    cairo_arc(cr, 24, 24, 18, 0, 2 * M_PI);
    cairo_pattern_t* rim = metalGradient(6, 6, 42, 42, true);
    cairo_set_source(cr, rim);
    cairo_stroke(cr);
    cairo_pattern_destroy(rim);
    for (int i = 0; i < 5; ++i) {
        double a = -M_PI / 2 + i * 2 * M_PI / 5;
        drawGem(c, runeLook(1 + i * 2), 24 + 11 * std::cos(a), 24 + 11 * std::sin(a), 11);
    }
}

}  // namespace

ARTGEN_FAMILY(popupFamily) {
    addStrip("gfx/info/ok.png", 56, 28, 2, [](Canvas& c, int f) {
        buttonPlate(c, 1, 2, 54, 24, f == 1);
        caption(c, 8, 2, 40, 24, "OK", plainButtonStyle(f == 1));
    });
    addImage("gfx/info/panel-large.png", 400, 300, [](Canvas& c) { infoPanel(c, 400, 300, 611); });
    addImage("gfx/info/panel-small.png", 360, 200, [](Canvas& c) { infoPanel(c, 360, 200, 612); });
    addImage("gfx/info/icon-stone.png", 48, 48, stoneIcon);
    addImage("gfx/info/icon-sphere.png", 48, 48, sphereIcon);
}

ARTGEN_FAMILY(storyFamily) {
    addImage("gfx/story/top.png", 800, 80, [](Canvas& c) {
        cairo_t* cr = c.cr();
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 80);
        stop(g, 0, rgb(40, 24, 70));
        stop(g, 1, rgb(20, 12, 40));
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
        cairo_rectangle(cr, 0, 70, 800, 10);
        cairo_pattern_t* m = metalGradient(0, 70, 0, 80, true);
        cairo_set_source(cr, m);
        cairo_fill(cr);
        cairo_pattern_destroy(m);
        for (int i = 0; i < 9; ++i) drawGem(c, runeLook(1 + i), 80 + i * 80, 36, 30);
    });
    addImage("gfx/story/bottom.png", 800, 219, [](Canvas& c) {
        cairo_t* cr = c.cr();
        setCol(cr, rgb(30, 18, 50));
        cairo_paint(cr);
        parchment(c, 40, 12, 720, 168, 10, 271);
        cairo_rectangle(cr, 0, 0, 800, 8);
        cairo_pattern_t* m = metalGradient(0, 0, 0, 8, true);
        cairo_set_source(cr, m);
        cairo_fill(cr);
        cairo_pattern_destroy(m);
        buttonPlate(c, 319, 191, 64, 20, false);
        caption(c, 324, 191, 54, 20, "Skip", plainButtonStyle(false));
        buttonPlate(c, 413, 191, 58, 20, false);
        caption(c, 418, 191, 48, 20, "Next", plainButtonStyle(false));
    });
    for (auto [path, text, w] : {std::tuple{"gfx/story/skip-g.png", "Skip", 64}, std::tuple{"gfx/story/next-g.png", "Next", 58}})
        addImage(path, w, 20, [text, w](Canvas& c) {
            buttonPlate(c, 0.5, 0.5, w - 1, 19, true);
            caption(c, 5, 0, w - 10, 20, text, plainButtonStyle(true));
        });
}

ARTGEN_FAMILY(mapFamily) {
    addImage("gfx/mapa/mapa.jpg", 800, 600, worldMap);
    addImage("gfx/mapa/level.png", 90, 24, [](Canvas& c) {
        CaptionStyle s;
        s.glowAlpha = 0;
        s.outlineWidth = 1.2;
        caption(c, 0, 0, 90, 24, "Level", s);
    });
    addImage("gfx/mapa/of.png", 30, 24, [](Canvas& c) {
        CaptionStyle s;
        s.glowAlpha = 0;
        s.outlineWidth = 1.2;
        caption(c, 0, 0, 30, 24, "of", s);
    });
    addImage("gfx/mapa/k1b.png", 40, 40, [](Canvas& c) { marker(c, rgb(60, 130, 240), false, false); });
    addImage("gfx/mapa/k1.png", 40, 40, [](Canvas& c) { marker(c, rgb(60, 130, 240), true, false); });
    addImage("gfx/mapa/k2b.png", 40, 40, [](Canvas& c) { marker(c, rgb(60, 190, 90), false, false); });
    addImage("gfx/mapa/k2.png", 40, 40, [](Canvas& c) { marker(c, rgb(60, 190, 90), true, false); });
    addImage("gfx/mapa/k3b.png", 48, 48, [](Canvas& c) { marker(c, rgb(220, 40, 60), false, true); });
    addImage("gfx/mapa/k3.png", 48, 48, [](Canvas& c) { marker(c, rgb(220, 40, 60), true, true); });
    addImage("gfx/mapa/k1c.png", 64, 64, [](Canvas& c) { markerGlow(c, rgb(120, 180, 255)); });
    addImage("gfx/mapa/k2c.png", 64, 64, [](Canvas& c) { markerGlow(c, pal::candle); });
    addImage("gfx/mapa/k3c.png", 72, 72, [](Canvas& c) { markerGlow(c, rgb(255, 120, 100)); });
}

ARTGEN_FAMILY(puzzleFamily) {
    addImage("gfx/puzzle/game-puzle.jpg", 800, 600, puzzleBackground);
    addImage("gfx/puzzle/b-menu.png", 73, 21, [](Canvas& c) {
        buttonPlate(c, 0.5, 0.5, 72, 20, true);
        caption(c, 5, 0, 63, 21, "Menu", plainButtonStyle(true));
    });
    addImage("gfx/puzzle/b-hint.png", 113, 21, [](Canvas& c) {
        buttonPlate(c, 0.5, 0.5, 112, 20, true);
        caption(c, 7, 0, 99, 21, "Hint", plainButtonStyle(true));
    });
    addImage("gfx/puzzle/ramka3.png", 116, 116, [](Canvas& c) {
        cairo_rectangle(c.cr(), 1, 1, 114, 114);
        cairo_set_line_width(c.cr(), 2);
        setCol(c.cr(), rgb(255, 230, 170), 0.7);
        cairo_stroke(c.cr());
    });
    addImage("gfx/puzzle/ramka-puzle.png", 128, 128, [](Canvas& c) {
        glow(c, [](cairo_t* g) {
            cairo_rectangle(g, 6, 6, 116, 116);
            cairo_set_line_width(g, 6);
            cairo_stroke(g);
        }, pal::candle, 1, 3);
        cairo_rectangle(c.cr(), 5, 5, 118, 118);
        cairo_set_line_width(c.cr(), 2.5);
        setCol(c.cr(), rgb(255, 240, 180));
        cairo_stroke(c.cr());
    });
    addImage("gfx/puzzle/cienie_l.png", 7, 82, [](Canvas& c) { puzzleEdge(c, 0); });
    addImage("gfx/puzzle/cienie_p.png", 7, 82, [](Canvas& c) { puzzleEdge(c, 1); });
    addImage("gfx/puzzle/cienie_g.png", 82, 7, [](Canvas& c) { puzzleEdge(c, 2); });
    addImage("gfx/puzzle/cienie_d.png", 82, 7, [](Canvas& c) { puzzleEdge(c, 3); });
    addImage("gfx/puzzle/cienie_lg.png", 7, 7, [](Canvas& c) { puzzleCorner(c, true, true); });
    addImage("gfx/puzzle/cienie_pg.png", 7, 7, [](Canvas& c) { puzzleCorner(c, false, true); });
    addImage("gfx/puzzle/cienie_ld.png", 7, 7, [](Canvas& c) { puzzleCorner(c, true, false); });
    addImage("gfx/puzzle/cienie_pd.png", 7, 7, [](Canvas& c) { puzzleCorner(c, false, false); });
}

}  // namespace artgen
