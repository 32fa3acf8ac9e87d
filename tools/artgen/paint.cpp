#include "paint.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <vector>

namespace artgen {

Col rgb(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

Col mix(Col a, Col b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

Col scale(Col c, double k) {
    auto cl = [](double v) { return std::clamp(v, 0.0, 1.0); };
    return {cl(c.r * k), cl(c.g * k), cl(c.b * k)};
}

Col hsv(double h, double s, double v) {
    h = std::fmod(std::fmod(h, 360.0) + 360.0, 360.0) / 60.0;
    int i = static_cast<int>(h);
    double f = h - i, p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    switch (i) {
        case 0: return {v, t, p};
        case 1: return {q, v, p};
        case 2: return {p, v, t};
        case 3: return {p, q, v};
        case 4: return {t, p, v};
        default: return {v, p, q};
    }
}

void setCol(cairo_t* cr, Col c, double alpha) { cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha); }

void stop(cairo_pattern_t* p, double offset, Col c, double alpha) {
    cairo_pattern_add_color_stop_rgba(p, offset, c.r, c.g, c.b, alpha);
}

double hash2(int x, int y, int seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 static_cast<uint32_t>(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0xFFFFFF);
}

double valueNoise(double x, double y, int seed) {
    int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
    double fx = x - xi, fy = y - yi;
    double u = fx * fx * (3 - 2 * fx), v = fy * fy * (3 - 2 * fy);
    double a = hash2(xi, yi, seed), b = hash2(xi + 1, yi, seed);
    double c = hash2(xi, yi + 1, seed), d = hash2(xi + 1, yi + 1, seed);
    return (a + (b - a) * u) + ((c + (d - c) * u) - (a + (b - a) * u)) * v;
}

double fbm(double x, double y, int octaves, int seed) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * valueNoise(x, y, seed + o * 131);
        norm += amp;
        x *= 2.03;
        y *= 2.03;
        amp *= 0.5;
    }
    return sum / norm;
}

namespace {

void boxPass(std::vector<double>& buf, int w, int h, int r, bool horizontal) {
    std::vector<double> out(buf.size());
    int len = horizontal ? w : h, lines = horizontal ? h : w;
    for (int l = 0; l < lines; ++l) {
        for (int ch = 0; ch < 4; ++ch) {
            auto at = [&](int i) -> double& {
                i = std::clamp(i, 0, len - 1);
                size_t idx = horizontal ? (static_cast<size_t>(l) * w + i) : (static_cast<size_t>(i) * w + l);
                return buf[idx * 4 + ch];
            };
            // Edges count as transparent, so glows fade out instead of smearing.
            auto val = [&](int i) -> double { return (i < 0 || i >= len) ? 0.0 : at(i); };
            double acc = 0;
            for (int i = -r; i <= r; ++i) acc += val(i);
            for (int i = 0; i < len; ++i) {
                size_t idx = horizontal ? (static_cast<size_t>(l) * w + i) : (static_cast<size_t>(i) * w + l);
                out[idx * 4 + ch] = acc / (2 * r + 1);
                acc += val(i + r + 1) - val(i - r);
            }
        }
    }
    buf.swap(out);
}

}  // namespace

void blur(Canvas& c, int radius) {
    if (radius <= 0) return;
    c.flush();
    int w = c.width(), h = c.height();
    std::vector<double> buf(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y) {
        const uint32_t* p = c.row(y);
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < 4; ++k) buf[(static_cast<size_t>(y) * w + x) * 4 + k] = (p[x] >> (k * 8)) & 255;
    }
    int r = std::max(1, radius / 2);
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(buf, w, h, r, true);
        boxPass(buf, w, h, r, false);
    }
    for (int y = 0; y < h; ++y) {
        uint32_t* p = c.row(y);
        for (int x = 0; x < w; ++x) {
            uint32_t v = 0;
            const double* s = &buf[(static_cast<size_t>(y) * w + x) * 4];
            int a = std::clamp(static_cast<int>(std::lround(s[3])), 0, 255);
            for (int k = 0; k < 3; ++k)
                v |= uint32_t(std::clamp(static_cast<int>(std::lround(s[k])), 0, a)) << (k * 8);
            p[x] = v | (uint32_t(a) << 24);
        }
    }
    c.markDirty();
}

void fillPixels(Canvas& c, const std::function<void(int, int, double&, double&, double&, double&)>& fn) {
    c.flush();
    for (int y = 0; y < c.height(); ++y) {
        uint32_t* p = c.row(y);
        for (int x = 0; x < c.width(); ++x) {
            double r = 0, g = 0, b = 0, a = 1;
            fn(x, y, r, g, b, a);
            a = std::clamp(a, 0.0, 1.0);
            auto q = [&](double v) { return uint32_t(std::lround(std::clamp(v, 0.0, 1.0) * a * 255)); };
            p[x] = (uint32_t(std::lround(a * 255)) << 24) | (q(r) << 16) | (q(g) << 8) | q(b);
        }
    }
    c.markDirty();
}

void maskAlpha(Canvas& c, const std::function<double(int, int)>& mask) {
    c.flush();
    for (int y = 0; y < c.height(); ++y) {
        uint32_t* p = c.row(y);
        for (int x = 0; x < c.width(); ++x) {
            double m = std::clamp(mask(x, y), 0.0, 1.0);
            uint32_t v = p[x], out = 0;
            for (int k = 0; k < 4; ++k) out |= uint32_t(std::lround(((v >> (k * 8)) & 255) * m)) << (k * 8);
            p[x] = out;
        }
    }
    c.markDirty();
}

namespace {

const char* faceFile(Face f) {
    switch (f) {
        case Face::Caption: return "/usr/share/fonts/opentype/junicode/JunicodeTwoBeta-Bold.otf";
        case Face::CaptionRegular: return "/usr/share/fonts/opentype/junicode/JunicodeTwoBeta-Regular.otf";
        case Face::Serif: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
        case Face::SerifBold: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
        case Face::Sans: return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        case Face::SansBold: return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
        case Face::Runic: return "/usr/share/fonts/opentype/junicode/JunicodeTwoBeta-Bold.otf";
    }
    return "";
}

struct ThreadFonts {
    FT_Library lib = nullptr;
    std::map<Face, cairo_font_face_t*> faces;
};

}  // namespace

cairo_font_face_t* face(Face f) {
    // Faces are kept for the life of the process: Cairo may cache fonts made from them.
    thread_local ThreadFonts fonts;
    if (!fonts.lib && FT_Init_FreeType(&fonts.lib) != 0) throw std::runtime_error("FreeType does not start");
    auto it = fonts.faces.find(f);
    if (it != fonts.faces.end()) return it->second;
    FT_Face ft = nullptr;
    if (FT_New_Face(fonts.lib, faceFile(f), 0, &ft) != 0)
        throw std::runtime_error(std::string("cannot open the font ") + faceFile(f) +
                                 " (install fonts-junicode and fonts-dejavu-core)");
    cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(ft, 0);
    fonts.faces[f] = cf;
    return cf;
}

void useFont(cairo_t* cr, Face f, double size) {
    cairo_set_font_face(cr, face(f));
    cairo_set_font_size(cr, size);
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
}

TextBox measure(cairo_t* cr, const std::string& utf8) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, utf8.c_str(), &e);
    return {e.x_bearing, e.y_bearing, e.width, e.height, e.x_advance};
}

double fitSize(cairo_t* cr, Face f, const std::string& utf8, double w, double h, double maxSize) {
    useFont(cr, f, 100);
    TextBox b = measure(cr, utf8);
    double s = maxSize;
    if (b.w > 0) s = std::min(s, 100 * w / b.w);
    if (b.h > 0) s = std::min(s, 100 * h / b.h);
    return s;
}

namespace {
double captionPad(const CaptionStyle& st) { return st.margin + st.outlineWidth + st.glowRadius * 0.4; }
}  // namespace

void fitCaptionFamily(CaptionStyle& st, const std::vector<CaptionBox>& family) {
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cr = cairo_create(s);
    useFont(cr, st.face, 100);
    // The ink band of the whole family: its highest top and lowest bottom at size 100.
    double top = 0, bottom = 0;
    for (const CaptionBox& b : family) {
        TextBox t = measure(cr, b.text);
        top = std::min(top, t.y);
        bottom = std::max(bottom, t.y + t.h);
    }
    // Across, the usual margin; up and down only the outline and the shadow's offset, since the
    // band already holds the tallest and the deepest letters of the family (the glow may fade
    // out at the picture's edge there).
    const double pad = captionPad(st), padY = st.outlineWidth + 1;
    double size = st.maxSize;
    for (const CaptionBox& b : family) {
        TextBox t = measure(cr, b.text);
        if (t.w > 0) size = std::min(size, 100 * (b.w - 2 * pad) / t.w);
        if (bottom > top) size = std::min(size, 100 * (b.h - 2 * padY) / (bottom - top));
    }
    cairo_destroy(cr);
    cairo_surface_destroy(s);
    st.size = size;
    // The band centred in the box: the baseline below the box's top, for a box of the first
    // member's height (members of other heights are centred the same way by caption()).
    st.baseline = -top * size / 100;
    st.bandHeight = (bottom - top) * size / 100;
}

void caption(Canvas& c, double x, double y, double w, double h, const std::string& utf8, const CaptionStyle& st) {
    cairo_t* cr = c.cr();
    double pad = captionPad(st);
    double size = st.size > 0 ? st.size : fitSize(cr, st.face, utf8, w - 2 * pad, h - 2 * pad, st.maxSize);
    useFont(cr, st.face, size);
    TextBox b = measure(cr, utf8);
    double px = x + (w - b.w) / 2 - b.x, py = y + (h - b.h) / 2 - b.y;
    if (st.size > 0) py = y + (h - st.bandHeight) / 2 + st.baseline;
    auto path = [&](cairo_t* g) {
        useFont(g, st.face, size);
        cairo_move_to(g, px, py);
        cairo_text_path(g, utf8.c_str());
    };
    if (st.glowAlpha > 0)
        glow(c, [&](cairo_t* g) {
            path(g);
            cairo_set_line_width(g, st.outlineWidth * 2 + 1);
            cairo_stroke_preserve(g);
            cairo_fill(g);
        }, st.glow, st.glowAlpha, st.glowRadius);
    cairo_save(cr);
    if (st.shadowAlpha > 0) {
        cairo_save(cr);
        cairo_translate(cr, std::max(1.0, size / 24), std::max(1.0, size / 24));
        path(cr);
        setCol(cr, {0.02, 0.01, 0.04}, st.shadowAlpha);
        cairo_set_line_width(cr, st.outlineWidth * 2);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    path(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setCol(cr, st.outline);
    cairo_set_line_width(cr, st.outlineWidth * 2);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, py + b.y, 0, py + b.y + b.h);
    stop(g, 0, st.top);
    stop(g, 0.55, mix(st.top, st.bottom, 0.6));
    stop(g, 1, st.bottom);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

double paragraph(cairo_t* cr, Face f, double size, Col col, double alpha, double x, double y, double w,
                 const std::string& utf8, bool centred, double lineGap) {
    useFont(cr, f, size);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    std::vector<std::string> words;
    size_t start = 0;
    while (start < utf8.size()) {
        size_t sp = utf8.find(' ', start);
        if (sp == std::string::npos) sp = utf8.size();
        if (sp > start) words.push_back(utf8.substr(start, sp - start));
        start = sp + 1;
    }
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& word : words) {
        std::string tryLine = line.empty() ? word : line + " " + word;
        if (!line.empty() && measure(cr, tryLine).advance > w) {
            lines.push_back(line);
            line = word;
        } else {
            line = tryLine;
        }
    }
    if (!line.empty()) lines.push_back(line);
    setCol(cr, col, alpha);
    double pen = y + fe.ascent;
    for (const std::string& l : lines) {
        double lx = centred ? x + (w - measure(cr, l).advance) / 2 : x;
        cairo_move_to(cr, lx, pen);
        cairo_show_text(cr, l.c_str());
        pen += size * lineGap;
    }
    return pen - fe.ascent;
}

void roundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void regularPolygon(cairo_t* cr, double cx, double cy, double r, int sides, double rot) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < sides; ++i) {
        double a = (rot - 90 + 360.0 * i / sides) * M_PI / 180;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void star(cairo_t* cr, double cx, double cy, double ro, double ri, int points, double rot) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        double a = (rot - 90 + 180.0 * i / points) * M_PI / 180;
        double r = (i % 2) ? ri : ro;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

cairo_pattern_t* metalGradient(double x0, double y0, double x1, double y1, bool gold) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, y0, x1, y1);
    if (gold) {
        stop(g, 0.0, rgb(255, 244, 190));
        stop(g, 0.25, rgb(232, 180, 80));
        stop(g, 0.5, rgb(150, 92, 30));
        stop(g, 0.72, rgb(226, 170, 70));
        stop(g, 1.0, rgb(110, 64, 20));
    } else {
        stop(g, 0.0, rgb(230, 170, 110));
        stop(g, 0.3, rgb(160, 96, 48));
        stop(g, 0.55, rgb(84, 46, 20));
        stop(g, 0.8, rgb(150, 90, 45));
        stop(g, 1.0, rgb(60, 32, 14));
    }
    return g;
}

void metalFrame(cairo_t* cr, double x, double y, double w, double h, double r, double t, bool gold) {
    cairo_save(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    roundRect(cr, x, y, w, h, r);
    roundRect(cr, x + t, y + t, w - 2 * t, h - 2 * t, std::max(0.0, r - t));
    cairo_pattern_t* g = metalGradient(x, y, x + w * 0.3, y + h, gold);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Light on the outer upper edge, shade on the inner edge.
    cairo_set_line_width(cr, 1);
    roundRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
    setCol(cr, {1, 0.95, 0.75}, 0.55);
    cairo_stroke(cr);
    roundRect(cr, x + t - 0.5, y + t - 0.5, w - 2 * t + 1, h - 2 * t + 1, std::max(0.0, r - t));
    setCol(cr, {0.12, 0.06, 0.02}, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
}

void parchment(Canvas& c, double x, double y, double w, double h, double r, int seed) {
    Canvas sheet(c.width(), c.height());
    fillPixels(sheet, [&](int px, int py, double& R, double& G, double& B, double& A) {
        double n = fbm(px / 40.0, py / 40.0, 5, seed);
        double fine = fbm(px / 5.0, py / 5.0, 2, seed + 7);
        // Distance to the rounded rectangle's edge, for the darkened rim.
        double dx = std::max({x + r - px, px - (x + w - r), 0.0});
        double dy = std::max({y + r - py, py - (y + h - r), 0.0});
        double inside = r - std::sqrt(dx * dx + dy * dy);
        double edge = std::min({px - x, x + w - px, py - y, y + h - py});
        if (dx > 0 && dy > 0) edge = std::min(edge, inside);
        double rim = std::clamp(1.0 - edge / 22.0, 0.0, 1.0);
        rim = rim * rim * (0.6 + 0.8 * fbm(px / 14.0, py / 14.0, 3, seed + 3));
        Col base = mix(pal::parchment, rgb(214, 184, 130), n * 1.1);
        base = mix(base, rgb(120, 70, 30), std::clamp(rim, 0.0, 1.0) * 0.75);
        double k = 0.92 + 0.12 * fine;
        R = base.r * k;
        G = base.g * k;
        B = base.b * k;
        A = 1;
    });
    cairo_t* cr = c.cr();
    cairo_save(cr);
    roundRect(cr, x, y, w, h, r);
    cairo_clip(cr);
    cairo_set_source_surface(cr, sheet.surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

void glow(Canvas& c, const std::function<void(cairo_t*)>& shape, Col col, double alpha, int radius, bool additive) {
    Canvas layer(c.width(), c.height());
    cairo_t* g = layer.cr();
    cairo_matrix_t m;
    cairo_get_matrix(c.cr(), &m);
    cairo_set_matrix(g, &m);
    setCol(g, col);
    shape(g);
    cairo_identity_matrix(g);
    blur(layer, radius);
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_identity_matrix(cr);
    if (additive) cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
    cairo_set_source_surface(cr, layer.surface(), 0, 0);
    cairo_paint_with_alpha(cr, alpha);
    cairo_restore(cr);
}

void softLight(cairo_t* cr, double cx, double cy, double radius, Col col, double alpha) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    stop(g, 0, col, alpha);
    stop(g, 0.35, col, alpha * 0.55);
    stop(g, 0.7, col, alpha * 0.15);
    stop(g, 1, col, 0);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void twinkle(cairo_t* cr, double cx, double cy, double s, Col col, double alpha) {
    softLight(cr, cx, cy, s * 0.6, col, alpha * 0.8);
    setCol(cr, col, alpha);
    star(cr, cx, cy, s, s * 0.12, 4, 0);
    cairo_fill(cr);
}

void ornatePanel(Canvas& c, double x, double y, double w, double h, double r) {
    cairo_t* cr = c.cr();
    glow(c, [&](cairo_t* g) { roundRect(g, x, y + 3, w, h, r); cairo_fill(g); }, {0, 0, 0}, 0.7, 6);
    Canvas back(c.width(), c.height());
    fillPixels(back, [&](int px, int py, double& R, double& G, double& B, double& A) {
        double t = (py - y) / h;
        double n = fbm(px / 50.0, py / 50.0, 4, 501);
        Col col = mix(rgb(52, 30, 92), rgb(18, 10, 42), std::clamp(t, 0.0, 1.0));
        col = scale(col, 0.85 + 0.3 * n);
        R = col.r;
        G = col.g;
        B = col.b;
        A = 0.96;
    });
    cairo_save(cr);
    roundRect(cr, x, y, w, h, r);
    cairo_clip(cr);
    cairo_set_source_surface(cr, back.surface(), 0, 0);
    cairo_paint(cr);
    // Candle light from above.
    softLight(cr, x + w / 2, y, w * 0.6, pal::candle, 0.12);
    cairo_restore(cr);
    metalFrame(cr, x, y, w, h, r, 6, true);
    // A thin inner line.
    roundRect(cr, x + 11, y + 11, w - 22, h - 22, std::max(2.0, r - 10));
    cairo_set_line_width(cr, 1);
    setCol(cr, pal::gold, 0.45);
    cairo_stroke(cr);
    for (int i = 0; i < 4; ++i) {
        double cx = (i % 2) ? x + w - 3 : x + 3, cy = (i / 2) ? y + h - 3 : y + 3;
        cx += (i % 2) ? -r * 0.3 : r * 0.3;
        cy += (i / 2) ? -r * 0.3 : r * 0.3;
        cairo_arc(cr, cx, cy, 7, 0, 2 * M_PI);
        cairo_pattern_t* m = metalGradient(cx - 7, cy - 7, cx + 7, cy + 7, true);
        cairo_set_source(cr, m);
        cairo_fill(cr);
        cairo_pattern_destroy(m);
        cairo_arc(cr, cx, cy, 4, 0, 2 * M_PI);
        cairo_pattern_t* g = cairo_pattern_create_radial(cx - 1, cy - 1, 0, cx, cy, 4);
        stop(g, 0, rgb(240, 200, 255));
        stop(g, 1, rgb(110, 40, 170));
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

void buttonPlate(Canvas& c, double x, double y, double w, double h, bool lit) {
    cairo_t* cr = c.cr();
    double r = h / 2.2;
    cairo_save(cr);
    roundRect(cr, x, y, w, h, r);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    Col top = lit ? rgb(120, 70, 170) : rgb(70, 40, 110);
    Col bot = lit ? rgb(60, 25, 100) : rgb(30, 16, 56);
    stop(g, 0, top);
    stop(g, 1, bot);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Glassy highlight on the upper half.
    roundRect(cr, x + 3, y + 2, w - 6, h * 0.42, r * 0.8);
    setCol(cr, {1, 1, 1}, lit ? 0.22 : 0.12);
    cairo_fill(cr);
    cairo_restore(cr);
    metalFrame(cr, x, y, w, h, r, std::max(1.5, h / 10), true);
    if (lit) glow(c, [&](cairo_t* gc) { roundRect(gc, x + 2, y + 2, w - 4, h - 4, r); cairo_fill(gc); },
                  pal::candle, 0.25, 4, true);
}

}  // namespace artgen
