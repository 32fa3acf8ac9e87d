#include "scene.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace artgen {

void paintSky(Canvas& c, const Sky& s) {
    fillPixels(c, [&](int, int y, double& r, double& g, double& b, double& a) {
        double t = std::clamp(y / s.horizonY, 0.0, 1.0);
        Col col = t < 0.5 ? mix(s.top, s.middle, t * 2) : mix(s.middle, s.horizon, (t - 0.5) * 2);
        r = col.r;
        g = col.g;
        b = col.b;
        a = 1;
    });
}

void stars(Canvas& c, int count, double maxY, int seed, double brightness) {
    cairo_t* cr = c.cr();
    for (int i = 0; i < count; ++i) {
        double x = hash2(i, 1, seed) * c.width(), y = std::pow(hash2(i, 2, seed), 1.4) * maxY;
        double m = hash2(i, 3, seed);
        double fade = 1 - y / maxY;
        double alpha = (0.3 + 0.7 * m) * fade * brightness;
        Col col = mix({1, 1, 1}, hash2(i, 4, seed) > 0.5 ? rgb(200, 210, 255) : rgb(255, 230, 200), 0.4);
        if (m > 0.97) twinkle(cr, x, y, 4 + 4 * m, col, alpha);
        else {
            cairo_arc(cr, x, y, 0.5 + m * 0.9, 0, 2 * M_PI);
            setCol(cr, col, alpha);
            cairo_fill(cr);
        }
    }
}

void moon(Canvas& c, double x, double y, double r, Col col, double crescent) {
    cairo_t* cr = c.cr();
    softLight(cr, x, y, r * 4, col, 0.25);
    softLight(cr, x, y, r * 1.8, col, 0.35);
    Canvas disc(c.width(), c.height());
    cairo_t* d = disc.cr();
    cairo_arc(d, x, y, r, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.3, r * 0.1, x, y, r);
    stop(g, 0, mix(col, {1, 1, 1}, 0.6));
    stop(g, 1, col);
    cairo_set_source(d, g);
    cairo_fill(d);
    cairo_pattern_destroy(g);
    // Maria.
    for (int i = 0; i < 6; ++i) {
        double mx = x + (hash2(i, 5, 3) - 0.5) * r * 1.2, my = y + (hash2(i, 6, 3) - 0.5) * r * 1.2;
        cairo_arc(d, mx, my, r * (0.1 + 0.2 * hash2(i, 7, 3)), 0, 2 * M_PI);
        setCol(d, scale(col, 0.85), 0.14);
        cairo_fill(d);
    }
    if (crescent > 0) {
        cairo_set_operator(d, CAIRO_OPERATOR_DEST_OUT);
        cairo_arc(d, x + r * crescent, y - r * crescent * 0.3, r * 0.95, 0, 2 * M_PI);
        cairo_set_source_rgba(d, 0, 0, 0, 1);
        cairo_fill(d);
    }
    cairo_set_source_surface(cr, disc.surface(), 0, 0);
    cairo_paint(cr);
}

void clouds(Canvas& c, double y0, double y1, Col col, double alpha, int seed) {
    Canvas layer(c.width(), c.height());
    fillPixels(layer, [&](int x, int y, double& r, double& g, double& b, double& a) {
        r = col.r;
        g = col.g;
        b = col.b;
        if (y < y0 || y > y1) {
            a = 0;
            return;
        }
        double band = std::sin((y - y0) / (y1 - y0) * M_PI);
        double n = fbm(x / 160.0, y / 40.0, 5, seed);
        a = std::clamp((n - 0.45) * 3.0, 0.0, 1.0) * band * alpha;
        // Lit from below: lighter lower edges.
        double lit = fbm(x / 160.0, (y - 6) / 40.0, 5, seed);
        double k = std::clamp((n - lit) * 6 + 0.5, 0.0, 1.0);
        r = col.r * (0.8 + 0.4 * k);
        g = col.g * (0.8 + 0.4 * k);
        b = col.b * (0.8 + 0.4 * k);
    });
    cairo_set_source_surface(c.cr(), layer.surface(), 0, 0);
    cairo_paint(c.cr());
}

void aurora(Canvas& c, double y, Col ca, Col cb, int seed) {
    Canvas layer(c.width(), c.height());
    fillPixels(layer, [&](int x, int py, double& r, double& g, double& b, double& a) {
        double centre = y + 40 * std::sin(x / 130.0 + seed) + 30 * fbm(x / 90.0, 0, 3, seed);
        double d = (py - centre) / 70.0;
        double curtain = 0.5 + 0.5 * std::sin(x / 9.0 + 5 * fbm(x / 50.0, py / 200.0, 3, seed + 1));
        double v = d < 0 ? std::exp(-d * d * 4) : std::exp(-d * d * 30);
        Col col = mix(ca, cb, std::clamp(-d, 0.0, 1.0));
        r = col.r;
        g = col.g;
        b = col.b;
        a = std::clamp(v * (0.3 + 0.5 * curtain) * 0.6, 0.0, 1.0);
    });
    cairo_save(c.cr());
    cairo_set_operator(c.cr(), CAIRO_OPERATOR_ADD);
    cairo_set_source_surface(c.cr(), layer.surface(), 0, 0);
    cairo_paint(c.cr());
    cairo_restore(c.cr());
}

void ridge(Canvas& c, double baseY, double amp, double jagged, Col col, int seed, Col rim, double rimAlpha) {
    cairo_t* cr = c.cr();
    const int w = c.width();
    std::vector<double> ys(w + 1);
    for (int x = 0; x <= w; ++x) {
        double smooth = fbm(x / 260.0, 0.5, 3, seed);
        double sharp = 1 - std::fabs(2 * fbm(x / 110.0, 3.5, 4, seed + 11) - 1);
        ys[x] = baseY - amp * ((1 - jagged) * smooth + jagged * sharp * 1.2) + amp * 0.4;
    }
    cairo_move_to(cr, 0, c.height());
    for (int x = 0; x <= w; ++x) cairo_line_to(cr, x, ys[x]);
    cairo_line_to(cr, w, c.height());
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, baseY - amp, 0, baseY + amp * 1.5);
    stop(g, 0, mix(col, {1, 1, 1}, 0.06));
    stop(g, 1, scale(col, 0.75));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    if (rimAlpha > 0) {
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, 0, ys[0]);
        for (int x = 0; x <= w; ++x) cairo_line_to(cr, x, ys[x]);
        setCol(cr, rim, rimAlpha);
        cairo_stroke(cr);
    }
}

void pine(cairo_t* cr, double x, double baseY, double h) {
    double w = h * 0.36;
    cairo_rectangle(cr, x - h * 0.025, baseY - h * 0.15, h * 0.05, h * 0.16);
    for (int t = 0; t < 4; ++t) {
        double top = baseY - h + t * h * 0.2, bottom = baseY - h * 0.1 - (3 - t) * h * 0.12;
        double tw = w * (0.45 + t * 0.2);
        cairo_move_to(cr, x, top);
        cairo_line_to(cr, x + tw, bottom);
        cairo_line_to(cr, x - tw, bottom);
        cairo_close_path(cr);
    }
}

void roundTree(cairo_t* cr, double x, double baseY, double h, int seed) {
    cairo_rectangle(cr, x - h * 0.04, baseY - h * 0.45, h * 0.08, h * 0.46);
    for (int i = 0; i < 7; ++i) {
        double bx = x + (hash2(i, 1, seed) - 0.5) * h * 0.5, by = baseY - h * 0.55 - hash2(i, 2, seed) * h * 0.35;
        cairo_new_sub_path(cr);
        cairo_arc(cr, bx, by, h * (0.16 + 0.1 * hash2(i, 3, seed)), 0, 2 * M_PI);
    }
}

void forest(Canvas& c, double baseY, double height, Col col, int seed, double density) {
    cairo_t* cr = c.cr();
    setCol(cr, col);
    double x = -10;
    int i = 0;
    while (x < c.width() + 10) {
        double h = height * (0.6 + 0.6 * hash2(i, 1, seed));
        double y = baseY + (fbm(x / 200.0, 1, 3, seed) - 0.5) * height * 0.6;
        pine(cr, x, y + 2, h);
        x += (6 + 14 * hash2(i, 2, seed)) * height / 60.0 / density;
        ++i;
    }
    cairo_rectangle(cr, 0, baseY, c.width(), c.height() - baseY);
    cairo_fill(cr);
}

void tower(Canvas& c, double x, double baseY, double w, double h, Col col, Col light, int seed, bool banner) {
    cairo_t* cr = c.cr();
    setCol(cr, col);
    // Body, slightly tapering.
    cairo_move_to(cr, x - w / 2, baseY);
    cairo_line_to(cr, x - w * 0.42, baseY - h);
    cairo_line_to(cr, x + w * 0.42, baseY - h);
    cairo_line_to(cr, x + w / 2, baseY);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Crenellated gallery and a pointed roof.
    double gy = baseY - h;
    cairo_rectangle(cr, x - w * 0.55, gy - w * 0.12, w * 1.1, w * 0.14);
    cairo_fill(cr);
    cairo_move_to(cr, x - w * 0.5, gy - w * 0.1);
    cairo_line_to(cr, x, gy - w * 1.3);
    cairo_line_to(cr, x + w * 0.5, gy - w * 0.1);
    cairo_close_path(cr);
    cairo_fill(cr);
    if (banner) {
        cairo_set_line_width(cr, 1.5);
        cairo_move_to(cr, x, gy - w * 1.3);
        cairo_line_to(cr, x, gy - w * 1.7);
        cairo_stroke(cr);
        cairo_move_to(cr, x, gy - w * 1.7);
        cairo_line_to(cr, x + w * 0.35, gy - w * 1.6);
        cairo_line_to(cr, x, gy - w * 1.5);
        cairo_fill(cr);
    }
    // Windows with candle light.
    int rows = std::max(2, static_cast<int>(h / (w * 0.9)));
    for (int r = 0; r < rows; ++r) {
        if (hash2(r, 1, seed) < 0.3) continue;
        double wy = baseY - h + (r + 0.6) * h / (rows + 0.5);
        double ww = w * 0.13, wh = w * 0.26;
        double wx = x + (hash2(r, 2, seed) - 0.5) * w * 0.4;
        softLight(cr, wx, wy, wh * 2.2, light, 0.35);
        cairo_move_to(cr, wx - ww / 2, wy + wh / 2);
        cairo_line_to(cr, wx - ww / 2, wy - wh / 4);
        cairo_arc(cr, wx, wy - wh / 4, ww / 2, M_PI, 2 * M_PI);
        cairo_line_to(cr, wx + ww / 2, wy + wh / 2);
        cairo_close_path(cr);
        setCol(cr, mix(light, {1, 1, 0.9}, 0.3));
        cairo_fill(cr);
    }
}

void ruins(Canvas& c, double x, double baseY, double s, Col col, int seed) {
    cairo_t* cr = c.cr();
    setCol(cr, col);
    // An arch between two pillars.
    double pw = 16 * s, ah = 120 * s, span = 70 * s;
    cairo_rectangle(cr, x, baseY - ah, pw, ah);
    cairo_rectangle(cr, x + span + pw, baseY - ah * 0.78, pw, ah * 0.78);
    cairo_fill(cr);
    cairo_set_line_width(cr, pw * 0.9);
    cairo_arc(cr, x + pw + span / 2, baseY - ah, span / 2 + pw / 2, M_PI, M_PI * 1.62);
    cairo_stroke(cr);
    // Broken columns with capitals.
    for (int i = 0; i < 4; ++i) {
        double cx = x + span * 2 + i * 38 * s, h = (60 + 90 * hash2(i, 1, seed)) * s;
        cairo_rectangle(cr, cx, baseY - h, 12 * s, h);
        cairo_fill(cr);
        if (hash2(i, 2, seed) > 0.4) {
            cairo_rectangle(cr, cx - 3 * s, baseY - h - 5 * s, 18 * s, 6 * s);
            cairo_fill(cr);
        } else {
            cairo_move_to(cr, cx, baseY - h);
            cairo_line_to(cr, cx + 6 * s, baseY - h - 9 * s);
            cairo_line_to(cr, cx + 12 * s, baseY - h - 2 * s);
            cairo_fill(cr);
        }
    }
    // Rubble.
    for (int i = 0; i < 10; ++i) {
        double rx = x - 20 * s + hash2(i, 3, seed) * 260 * s, rs = (4 + 8 * hash2(i, 4, seed)) * s;
        roundRect(cr, rx, baseY - rs, rs * 1.6, rs + 2, rs * 0.3);
        cairo_fill(cr);
    }
}

void standingStones(Canvas& c, double cx, double baseY, double s, Col col, int seed) {
    cairo_t* cr = c.cr();
    setCol(cr, col);
    for (int i = -3; i <= 3; ++i) {
        double x = cx + i * 48 * s, h = (70 + 40 * hash2(i + 5, 1, seed)) * s * (1 - std::abs(i) * 0.08);
        double w = (18 + 8 * hash2(i + 5, 2, seed)) * s;
        cairo_move_to(cr, x - w / 2, baseY);
        cairo_line_to(cr, x - w * 0.45, baseY - h * 0.9);
        cairo_curve_to(cr, x - w * 0.3, baseY - h, x + w * 0.3, baseY - h, x + w * 0.45, baseY - h * 0.85);
        cairo_line_to(cr, x + w / 2, baseY);
        cairo_close_path(cr);
        cairo_fill(cr);
    }
    // A lintel over the middle pair.
    cairo_rectangle(cr, cx - 34 * s, baseY - 118 * s, 68 * s, 14 * s);
    cairo_fill(cr);
}

void water(Canvas& c, double waterY, Col tint, double amount, int seed) {
    c.flush();
    const int w = c.width(), h = c.height(), wy = static_cast<int>(waterY);
    std::vector<uint32_t> copy(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) std::copy(c.row(y), c.row(y) + w, copy.begin() + static_cast<long>(y) * w);
    for (int y = wy; y < h; ++y) {
        uint32_t* p = c.row(y);
        double depth = (y - wy) / double(h - wy);
        for (int x = 0; x < w; ++x) {
            double ripple = std::sin(y * 0.9 + 3 * fbm(x / 40.0, y / 6.0, 2, seed)) * (1 + depth * 4);
            int sx = std::clamp(static_cast<int>(x + ripple), 0, w - 1);
            int sy = std::clamp(2 * wy - y - static_cast<int>(ripple * 0.5), 0, wy);
            uint32_t v = copy[static_cast<size_t>(sy) * w + sx];
            double k = amount + (1 - amount) * depth * 0.5;
            double rgbv[3] = {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0};
            double tv[3] = {tint.r, tint.g, tint.b};
            uint32_t out = 0xFF000000u;
            for (int i = 0; i < 3; ++i) {
                double val = rgbv[i] * (1 - k) + tv[i] * k;
                out |= uint32_t(std::clamp(val, 0.0, 1.0) * 255) << (16 - 8 * i);
            }
            p[x] = out;
        }
    }
    c.markDirty();
    // Shore line shimmer.
    cairo_t* cr = c.cr();
    cairo_rectangle(cr, 0, waterY, w, 1.5);
    setCol(cr, mix(tint, {1, 1, 1}, 0.5), 0.25);
    cairo_fill(cr);
}

void fog(Canvas& c, double y, double thick, Col col, double alpha, int seed) {
    Canvas layer(c.width(), c.height());
    fillPixels(layer, [&](int x, int py, double& r, double& g, double& b, double& a) {
        r = col.r;
        g = col.g;
        b = col.b;
        double d = (py - y) / thick;
        double n = fbm(x / 120.0, py / 25.0, 4, seed);
        a = std::exp(-d * d * 2) * (0.4 + 0.8 * n) * alpha;
    });
    cairo_set_source_surface(c.cr(), layer.surface(), 0, 0);
    cairo_paint(c.cr());
}

void fireflies(Canvas& c, int count, double x0, double y0, double x1, double y1, Col col, int seed) {
    for (int i = 0; i < count; ++i) {
        double x = x0 + hash2(i, 1, seed) * (x1 - x0), y = y0 + hash2(i, 2, seed) * (y1 - y0);
        double s = 1 + 2.5 * hash2(i, 3, seed);
        softLight(c.cr(), x, y, s * 4, col, 0.5);
        softLight(c.cr(), x, y, s, mix(col, {1, 1, 1}, 0.6), 1);
    }
}

void horizonGlow(Canvas& c, double x, double y, double radius, Col col, double alpha) {
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 1.8, 0.7);
    softLight(cr, 0, 0, radius, col, alpha);
    cairo_restore(cr);
}

void vignette(Canvas& c, double strength) {
    const double w = c.width(), h = c.height();
    cairo_pattern_t* g = cairo_pattern_create_radial(w / 2, h / 2, h * 0.35, w / 2, h / 2, w * 0.72);
    stop(g, 0, {0, 0, 0}, 0);
    stop(g, 1, {0.01, 0.01, 0.04}, strength);
    cairo_set_source(c.cr(), g);
    cairo_paint(c.cr());
    cairo_pattern_destroy(g);
}

}  // namespace artgen
