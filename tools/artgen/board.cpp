// The board: frame rails and corners (32 and 40 px sets), the dialog frame of the hiscores
// table and the nine board surfaces.
#include "paint.h"

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

// The cross-section of the rail at distance u from its centre line, for cells of `cell` px.
// Symmetric in u, so left and right (top and bottom) pieces can share one picture.
void railProfile(double u, double along, int cell, double& r, double& g, double& b, double& a) {
    const double half = cell * 0.40;   // the metal band
    const double reach = cell * 0.5 + (cell == 32 ? 7 : 6);
    if (u < half) {
        double bead = 3.2 * cell / 32.0;
        if (u > half - bead) {
            // Gold bead along both edges, lit in its middle.
            double t = (u - (half - bead)) / bead;  // 0..1 across the bead
            double lit = std::sin(t * M_PI);
            Col c = mix(rgb(120, 70, 22), rgb(255, 228, 150), lit);
            r = c.r;
            g = c.g;
            b = c.b;
        } else {
            // Dark enamel channel with a faint sheen and grain.
            double t = u / (half - bead);
            double n = fbm(along / 9.0, u / 3.0, 2, cell);
            Col c = mix(rgb(60, 34, 96), rgb(24, 12, 44), t * t);
            c = scale(c, 0.9 + 0.25 * n);
            if (u < 1.2) c = mix(c, rgb(200, 150, 80), 0.5 * (1.2 - u));
            r = c.r;
            g = c.g;
            b = c.b;
        }
        a = 1;
        // Soft edge of the band.
        if (u > half - 1) a = std::clamp(half - u + 0.0, 0.0, 1.0) * 0.6 + 0.4;
    } else {
        // The frame's own cell is a hole in the board picture: up to the cell's edge the shadow
        // is all but opaque, so that the level's picture does not glint through beside the
        // band; over the board's cells beyond it fades out.
        const double edge = cell * 0.5;
        r = g = b = 0.02;
        if (u <= edge) {
            a = 0.95;
        } else {
            double t = std::clamp((u - edge) / (reach - edge), 0.0, 1.0);
            a = 0.55 * (1 - t) * (1 - t);
        }
    }
}

double segDist(double px, double py, double ax, double ay, double bx, double by, double& along) {
    double vx = bx - ax, vy = by - ay;
    double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? std::clamp(((px - ax) * vx + (py - ay) * vy) / len2, 0.0, 1.0) : 0;
    along = t * std::sqrt(len2);
    return std::hypot(px - (ax + t * vx), py - (ay + t * vy));
}

void rivet(cairo_t* cr, double x, double y, double r) {
    cairo_arc(cr, x + r * 0.2, y + r * 0.3, r, 0, 2 * M_PI);
    setCol(cr, {0, 0, 0}, 0.5);
    cairo_fill(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.4, y - r * 0.4, r * 0.1, x, y, r);
    stop(g, 0, rgb(255, 245, 200));
    stop(g, 0.5, rgb(220, 160, 70));
    stop(g, 1, rgb(100, 56, 18));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void smallGem(Canvas& c, double x, double y, double r, Col hue) {
    cairo_t* cr = c.cr();
    regularPolygon(cr, x, y, r + 1.5, 4, 0);
    cairo_pattern_t* m = metalGradient(x - r, y - r, x + r, y + r, true);
    cairo_set_source(cr, m);
    cairo_fill(cr);
    cairo_pattern_destroy(m);
    regularPolygon(cr, x, y, r, 4, 0);
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.3, 0, x, y, r);
    stop(g, 0, mix(hue, {1, 1, 1}, 0.7));
    stop(g, 0.5, hue);
    stop(g, 1, scale(hue, 0.4));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// A straight rail piece, `cells` cells long, vertical or horizontal, with the decoration of
// the variant at each cell's middle (never near the ends, so every variant joins every other).
void railPiece(Canvas& c, int cell, int cells, bool horizontal, int variant) {
    const int d = cell == 32 ? 7 : 6;
    const double centre = cell / 2.0 + d;
    fillPixels(c, [&](int x, int y, double& r, double& g, double& b, double& a) {
        double u = std::fabs((horizontal ? y : x) + 0.5 - centre);
        double along = horizontal ? x : y;
        railProfile(u, along, cell, r, g, b, a);
    });
    cairo_t* cr = c.cr();
    for (int i = 0; i < cells; ++i) {
        double m = i * cell + cell / 2.0;
        double x = horizontal ? m : centre, y = horizontal ? centre : m;
        if (variant == 0) {
            rivet(cr, x, y, cell * 0.13);
        } else if (variant == 1) {
            smallGem(c, x, y, cell * 0.16, rgb(150, 70, 230));
        } else {
            rivet(cr, horizontal ? x - cell * 0.25 : x, horizontal ? y : y - cell * 0.25, cell * 0.08);
            rivet(cr, horizontal ? x + cell * 0.25 : x, horizontal ? y : y + cell * 0.25, cell * 0.08);
            smallGem(c, x, y, cell * 0.12, rgb(60, 130, 240));
        }
    }
}

// A corner: rails from the joint to the two edges it opens to, and a boss on the joint.
// (jx, jy) is the joint, (ex, ey) the directions (+1 / -1) the rails leave in.
void cornerPiece(Canvas& c, int cell, double jx, double jy, int ex, int ey, int variant) {
    const int size = c.width();
    double hx = ex > 0 ? size + 1 : -1, vy = ey > 0 ? size + 1 : -1;
    fillPixels(c, [&](int x, int y, double& r, double& g, double& b, double& a) {
        double px = x + 0.5, py = y + 0.5, al1 = 0, al2 = 0;
        double d1 = segDist(px, py, jx, jy, hx, jy, al1);
        double d2 = segDist(px, py, jx, jy, jx, vy, al2);
        // Beyond the joint, on the side away from both rails, lies the inside of the frame at
        // a step of the board's outline: there the two rails meet square, as straight rails
        // would, so that band and shadow fill the corner of the cell and no light shows in it.
        const double awayX = (jx - px) * ex, awayY = (jy - py) * ey;
        double u = std::min(d1, d2);
        if (awayX > 0 && awayY > 0) u = std::max(awayX, awayY);
        railProfile(u, d1 < d2 ? al1 : al2, cell, r, g, b, a);
    });
    cairo_t* cr = c.cr();
    double rb = cell * 0.36;
    cairo_arc(cr, jx + 1, jy + 1.5, rb, 0, 2 * M_PI);
    setCol(cr, {0, 0, 0}, 0.5);
    cairo_fill(cr);
    cairo_arc(cr, jx, jy, rb, 0, 2 * M_PI);
    cairo_pattern_t* m = metalGradient(jx - rb, jy - rb, jx + rb, jy + rb, true);
    cairo_set_source(cr, m);
    cairo_fill(cr);
    cairo_pattern_destroy(m);
    Col hues[3] = {rgb(150, 70, 230), rgb(230, 50, 60), rgb(60, 150, 240)};
    if (variant == 2) {
        star(cr, jx, jy, rb * 0.75, rb * 0.35, 8, 0);
        setCol(cr, rgb(110, 60, 20));
        cairo_fill(cr);
        rivet(cr, jx, jy, rb * 0.3);
    } else {
        cairo_arc(cr, jx, jy, rb * 0.62, 0, 2 * M_PI);
        cairo_pattern_t* g = cairo_pattern_create_radial(jx - rb * 0.2, jy - rb * 0.25, 0, jx, jy, rb * 0.62);
        stop(g, 0, mix(hues[variant], {1, 1, 1}, 0.7));
        stop(g, 0.5, hues[variant]);
        stop(g, 1, scale(hues[variant], 0.35));
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

// Board surfaces: the squares under the cells.
void surface(Canvas& c, int kind) {
    int seed = 100 + kind * 37;
    fillPixels(c, [&](int x, int y, double& r, double& g, double& b, double& a) {
        double n = fbm(x / 60.0, y / 60.0, 5, seed);
        double f = fbm(x / 6.0, y / 6.0, 3, seed + 5);
        Col col;
        switch (kind) {
            case 0: {  // dark slate
                col = mix(rgb(38, 42, 58), rgb(70, 76, 96), n);
                col = scale(col, 0.85 + 0.3 * f);
                break;
            }
            case 1: {  // walnut planks
                int plank = y / 60;
                double grain = std::sin(y / 3.5 + 9 * fbm(x / 260.0, y / 40.0, 3, seed + plank));
                double knot = fbm(x / 30.0, y / 30.0, 2, seed + 50 + plank);
                col = mix(rgb(58, 32, 18), rgb(104, 62, 32), 0.5 + 0.22 * grain + 0.25 * (n - 0.5));
                col = scale(col, 0.9 + 0.2 * knot);
                if (y % 60 < 2) col = scale(col, 0.45);
                break;
            }
            case 2: {  // violet marble
                double vein = std::fabs(std::sin((x + y) / 40.0 + 8 * fbm(x / 90.0, y / 90.0, 5, seed)));
                col = mix(rgb(46, 28, 78), rgb(92, 66, 140), n);
                col = mix(col, rgb(170, 150, 215), std::pow(1 - vein, 14) * 0.35);
                break;
            }
            case 3: {  // mossy flagstones
                double m = fbm(x / 25.0, y / 25.0, 4, seed + 9);
                col = mix(rgb(62, 66, 60), rgb(96, 98, 88), n);
                col = mix(col, rgb(44, 78, 40), std::clamp((m - 0.55) * 3, 0.0, 0.6));
                col = scale(col, 0.85 + 0.3 * f);
                break;
            }
            case 4: {  // old dark leather
                col = mix(rgb(70, 36, 24), rgb(120, 70, 40), n);
                col = scale(col, 0.8 + 0.35 * f);
                break;
            }
            case 5: {  // midnight blue velvet with silver dust
                col = mix(rgb(16, 22, 58), rgb(36, 48, 104), n);
                if (hash2(x, y, seed) > 0.996) col = rgb(200, 210, 255);
                break;
            }
            case 6: {  // obsidian with gold veins
                double vein = std::fabs(fbm(x / 70.0, y / 70.0, 5, seed) - 0.5);
                col = mix(rgb(20, 18, 28), rgb(46, 40, 58), n);
                col = mix(col, rgb(200, 150, 70), std::clamp(1 - vein * 40, 0.0, 1.0) * 0.45);
                break;
            }
            case 7: {  // sandstone
                double strata = std::sin(y / 9.0 + 4 * fbm(x / 80.0, y / 40.0, 3, seed));
                col = mix(rgb(120, 86, 54), rgb(160, 120, 80), 0.5 + 0.3 * strata + 0.2 * (n - 0.5));
                col = scale(col, 0.85 + 0.25 * f);
                break;
            }
            default: {  // teal-green malachite
                double band = std::sin(std::hypot(x - 100.0, y - 420.0) / 8.0 + 6 * fbm(x / 80.0, y / 80.0, 4, seed));
                col = mix(rgb(16, 70, 60), rgb(40, 120, 100), 0.5 + 0.5 * band);
                col = scale(col, 0.75 + 0.2 * n);
                break;
            }
        }
        r = col.r;
        g = col.g;
        b = col.b;
        a = 1;
    });
}

void dialogPiece(Canvas& c, int piece) {
    // piece: 0 lg, 1 gora, 2 pg, 3 lewo, 4 prawo, 5 ld, 6 dol, 7 pd, 8 srodek
    cairo_t* cr = c.cr();
    const double w = c.width(), h = c.height();
    if (piece == 8) {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
        stop(g, 0, rgb(24, 16, 52), 0.85);
        stop(g, 1, rgb(10, 8, 28), 0.85);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
        return;
    }
    // A gold band 14 px wide along the side that touches the table, 6 px from it. The top band
    // is the exception: the hiscores table writes its first row at y 100, 21 px above the
    // table's rectangle, so the top pieces carry their band at their top edge (y 90..102 on the
    // screen) and are dark inside below it, where that row stands.
    bool top = piece <= 2, bottom = piece >= 5, left = piece == 0 || piece == 3 || piece == 5,
         right = piece == 2 || piece == 4 || piece == 7;
    auto band = [&](double x0, double y0, double x1, double y1, bool horizontal) {
        cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
        cairo_pattern_t* m = horizontal ? metalGradient(0, y0, 0, y1, true) : metalGradient(x0, 0, x1, 0, true);
        cairo_set_source(cr, m);
        cairo_fill(cr);
        cairo_pattern_destroy(m);
    };
    double by0 = top ? 1 : 6, by1 = top ? 13 : 20;
    double bx0 = left ? w - 20 : 6, bx1 = left ? w - 6 : 20;
    // Dark backing between band and table, as the centre piece.
    setCol(cr, rgb(24, 16, 52), 0.85);
    if (top) cairo_rectangle(cr, left ? bx1 : 0, by1, left ? w - bx1 : (right ? bx0 : w), h - by1);
    if (bottom) cairo_rectangle(cr, left ? w - 6 : 0, 0, left ? 6 : (right ? 6 : w), 6);
    if (left && !top && !bottom) cairo_rectangle(cr, w - 6, 0, 6, h);
    if (right && !top && !bottom) cairo_rectangle(cr, 0, 0, 6, h);
    cairo_fill(cr);
    if (top || bottom) band(left ? bx0 : 0, by0, right ? bx1 : w, by1, true);
    if (left || right) band(bx0, top ? by0 : 0, bx1, bottom ? by1 : h, false);
    if ((top || bottom) && (left || right)) {
        double cx = (bx0 + bx1) / 2, cy = (by0 + by1) / 2;
        double r = top ? 6 : 9;
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        cairo_pattern_t* m = metalGradient(cx - r, cy - r, cx + r, cy + r, true);
        cairo_set_source(cr, m);
        cairo_fill(cr);
        cairo_pattern_destroy(m);
        smallGem(c, cx, cy, r * 0.55, rgb(150, 70, 230));
    }
}

}  // namespace

ARTGEN_FAMILY(boardFrameFamily) {
    for (int cell : {32, 40}) {
        const std::string dir = cell == 32 ? "gfx/ramka/" : "gfx/ramka-40x40/";
        const int d = cell == 32 ? 7 : 6, thick = cell + 2 * d, corner = cell + d;
        const char* letters[3] = {"a", "b", "c"};
        for (int len = 1; len <= 3; ++len) {
            int variants = len == 3 ? 3 : 2;
            for (int v = 0; v < variants; ++v) {
                std::string name = std::to_string(len) + letters[v];
                addImage(dir + name + ".png", thick, cell * len, [=](Canvas& c) { railPiece(c, cell, len, false, v); });
                addImage(dir + name + "-p.png", cell * len, thick, [=](Canvas& c) { railPiece(c, cell, len, true, v); });
            }
        }
        // Corner joints: where the rails' centre lines meet, inside each corner picture.
        const double nearJ = cell / 2.0 + d, farJ = cell / 2.0;
        struct CornerKind {
            const char* name;
            double jx, jy;
            int ex, ey;
        };
        const CornerKind kinds[4] = {{"lg", nearJ, nearJ, 1, 1},
                                     {"rg", farJ, nearJ, -1, 1},
                                     {"ld", nearJ, farJ, 1, -1},
                                     {"rd", farJ, farJ, -1, -1}};
        for (const CornerKind& k : kinds) {
            const char* suffix[3] = {"", "_v2", "_v3"};
            for (int v = 0; v < 3; ++v)
                addImage(dir + "1b-" + k.name + suffix[v] + ".png", corner, corner,
                         [=](Canvas& c) { cornerPiece(c, cell, k.jx, k.jy, k.ex, k.ey, v); });
        }
    }
    const char* dialog[9] = {"lg", "gora", "pg", "lewo", "prawo", "ld", "dol", "pd", "srodek"};
    for (int i = 0; i < 9; ++i) {
        int w = i == 8 ? 64 : 32, h = i == 8 ? 64 : 32;
        addImage(std::string("gfx/ramka/dialog-") + dialog[i] + ".png", w, h, [=](Canvas& c) { dialogPiece(c, i); });
    }
}

ARTGEN_FAMILY(boardSurfaceFamily) {
    for (int i = 1; i <= 9; ++i)
        addImage("gfx/bg/deski/deska-" + std::to_string(i) + ".jpg", 480, 480, [=](Canvas& c) { surface(c, i - 1); });
}

}  // namespace artgen
