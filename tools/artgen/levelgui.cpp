// The board level's left column and summaries: rope, score panel, plaque and menu button,
// hourglass timer, parchment scroll, the closing doors, banners and the game-over panel.
#include "gems.h"

#include <algorithm>
#include <cstdint>
#include <cmath>
#include <cstdio>
#include <memory>
#include <mutex>

namespace artgen {

namespace {

void rope(Canvas& c) {
    const int w = c.width();
    fillPixels(c, [&](int x, int y, double& r, double& g, double& b, double& a) {
        double u = (x + 0.5) / w * 2 - 1;  // -1..1 across
        double round = std::sqrt(std::max(0.0, 1 - u * u));
        double twist = std::fmod(y + 0.5 + u * 3.0 + 48, 6.0) / 6.0;  // diagonal strands
        double strand = 0.55 + 0.45 * std::sin(twist * 2 * M_PI);
        Col col = mix(rgb(70, 44, 22), rgb(196, 150, 92), strand * round);
        r = col.r;
        g = col.g;
        b = col.b;
        a = std::clamp(round * 3, 0.0, 1.0);
    });
}

// A plaque of dark wood in a bronze frame.
void plaque(Canvas& c, double x, double y, double w, double h, double r) {
    cairo_t* cr = c.cr();
    glow(c, [&](cairo_t* g) { roundRect(g, x, y + 2, w, h, r); cairo_fill(g); }, {0, 0, 0}, 0.6, 3);
    Canvas wood(c.width(), c.height());
    fillPixels(wood, [&](int px, int py, double& R, double& G, double& B, double& A) {
        double grain = std::sin(py / 3.5 + 8 * fbm(px / 90.0, py / 30.0, 3, 77));
        Col col = mix(rgb(40, 22, 36), rgb(70, 40, 58), 0.5 + 0.5 * grain);
        R = col.r;
        G = col.g;
        B = col.b;
        A = 1;
    });
    cairo_save(cr);
    roundRect(cr, x, y, w, h, r);
    cairo_clip(cr);
    cairo_set_source_surface(cr, wood.surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    metalFrame(cr, x, y, w, h, r, 4, true);
}

void ropeRing(cairo_t* cr, double x, double y) {
    cairo_arc(cr, x, y, 4.5, 0, 2 * M_PI);
    cairo_set_line_width(cr, 2.2);
    cairo_pattern_t* m = metalGradient(x - 4, y - 4, x + 4, y + 4, true);
    cairo_set_source(cr, m);
    cairo_stroke(cr);
    cairo_pattern_destroy(m);
}

void scorePanel(Canvas& c) {
    cairo_t* cr = c.cr();
    plaque(c, 2, 8, 130, 84, 12);
    ropeRing(cr, 39, 8);
    ropeRing(cr, 95, 8);
    // Title.
    CaptionStyle s;
    s.glowAlpha = 0.2;
    s.outlineWidth = 1.2;
    caption(c, 30, 13, 74, 24, "Score", s);
    // The digits' window: seven 12 px digits from +28, 24 px tall from +42.
    roundRect(cr, 23, 39, 94, 30, 6);
    setCol(cr, rgb(8, 6, 22), 0.95);
    cairo_fill(cr);
    roundRect(cr, 23, 39, 94, 30, 6);
    cairo_set_line_width(cr, 1.5);
    setCol(cr, pal::gold, 0.8);
    cairo_stroke(cr);
    for (double x : {14.0, 120.0}) {
        cairo_arc(cr, x, 54, 3.5, 0, 2 * M_PI);
        setCol(cr, pal::gold);
        cairo_fill(cr);
    }
    // Rings for the ropes down to the plaque.
    ropeRing(cr, 39, 86);
    ropeRing(cr, 95, 86);
}

void menuButton(Canvas& c, bool lit) {
    buttonPlate(c, 0.5, 0.5, 62, 20, lit);
    CaptionStyle s = CaptionStyle();
    s.glowAlpha = lit ? 0.6 : 0;
    s.outlineWidth = 1;
    if (lit) {
        s.top = {1, 1, 0.95};
        s.bottom = rgb(255, 200, 110);
    }
    caption(c, 6, 1, 51, 19, "Menu", s);
}

void decoration(Canvas& c) {
    cairo_t* cr = c.cr();
    // Hangs from the panel's ropes (+36/+92 of the panel, which is 4 px left of this one).
    plaque(c, 4, 6, 118, 86, 14);
    ropeRing(cr, 35, 6);
    ropeRing(cr, 91, 6);
    // Three rune studs across the top, the menu button's recess at (36, 67).
    const int colours[3] = {1, 5, 2};
    for (int i = 0; i < 3; ++i) {
        double cx = 35 + i * 28, cy = 36;
        cairo_arc(cr, cx, cy, 11, 0, 2 * M_PI);
        setCol(cr, rgb(10, 8, 20), 0.8);
        cairo_fill(cr);
        drawGem(c, runeLook(colours[i]), cx, cy, 20);
    }
    roundRect(cr, 33, 64, 69, 27, 8);
    setCol(cr, rgb(8, 6, 20), 0.9);
    cairo_fill(cr);
}

// The timer housing: a gold ring around the hourglass window (17 px in), ropes at +24 / +82.
// The housing's dark window, in housing coordinates.
void timerWindowFill(cairo_t* cr) {
    cairo_pattern_t* g = cairo_pattern_create_radial(56, 50, 5, 56, 54, 60);
    stop(g, 0, rgb(60, 44, 120));
    stop(g, 1, rgb(14, 10, 36));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// The hourglass pictures lie 17 px into the housing. Each carries a piece of the housing's window
// behind its glass (this rounded box, clear of the four gems at the corners), so that on a level
// with a time limit the hourglass covers the endless sign the housing shows in that box.
constexpr double kFrameInset = 17;
void timerPane(cairo_t* cr) { roundRect(cr, kFrameInset + 6, kFrameInset + 2, 66, 70, 18); }

// The sign of a level without a time limit: a gold lemniscate lying across the window.
void endlessSign(Canvas& c) {
    cairo_t* cr = c.cr();
    const double cx = kFrameInset + 39, cy = kFrameInset + 37, a = 24;
    auto path = [&](cairo_t* g) {
        for (int i = 0; i <= 96; ++i) {
            const double t = i * 2 * M_PI / 96, d = 1 + std::sin(t) * std::sin(t);
            const double x = cx + a * std::cos(t) / d, y = cy + a * std::sin(t) * std::cos(t) / d;
            if (i == 0) cairo_move_to(g, x, y);
            else cairo_line_to(g, x, y);
        }
        cairo_close_path(g);
    };
    glow(c, [&](cairo_t* g) { path(g); cairo_set_line_width(g, 8); cairo_stroke(g); }, pal::candle, 0.55, 4);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    path(cr);
    cairo_set_line_width(cr, 7);
    setCol(cr, rgb(70, 30, 6), 0.9);
    cairo_stroke(cr);
    path(cr);
    cairo_set_line_width(cr, 4.4);
    cairo_pattern_t* m = metalGradient(0, cy - 14, 0, cy + 14, true);
    cairo_set_source(cr, m);
    cairo_stroke(cr);
    cairo_pattern_destroy(m);
}

void timerHousing(Canvas& c) {
    cairo_t* cr = c.cr();
    glow(c, [&](cairo_t* g) { roundRect(g, 6, 4, 100, 100, 30); cairo_fill(g); }, rgb(120, 90, 255), 0.5, 5);
    roundRect(cr, 8, 6, 96, 96, 28);
    timerWindowFill(cr);
    metalFrame(cr, 8, 6, 96, 96, 28, 7, true);
    endlessSign(c);
    // Four gems at the diagonals.
    for (int i = 0; i < 4; ++i) {
        double gx = (i % 2) ? 92 : 20, gy = (i / 2) ? 90 : 18;
        drawGem(c, runeLook(i == 0 ? 4 : i == 1 ? 5 : i == 2 ? 2 : 1), gx, gy, 13);
    }
    ropeRing(cr, 27, 103);
    ropeRing(cr, 85, 103);
}

// Hourglass contents: frame n (1..30): n = 30 full top bulb, n = 1 all sand below.
void hourglass(Canvas& c, int n) {
    cairo_t* cr = c.cr();
    const double cx = 39, top = 8, mid = 37, bot = 66, halfW = 22;
    double left = (n - 1) / 29.0;  // share of sand still in the top bulb
    // The housing's window behind the glass, hiding its endless sign.
    cairo_save(cr);
    cairo_translate(cr, -kFrameInset, -kFrameInset);
    timerPane(cr);
    timerWindowFill(cr);
    cairo_restore(cr);
    auto bulbs = [&](cairo_t* g) {
        cairo_move_to(g, cx - halfW, top);
        cairo_line_to(g, cx + halfW, top);
        cairo_curve_to(g, cx + halfW, mid - 8, cx + 3, mid - 4, cx + 2.5, mid);
        cairo_curve_to(g, cx + 3, mid + 4, cx + halfW, bot - 8, cx + halfW, bot);
        cairo_line_to(g, cx - halfW, bot);
        cairo_curve_to(g, cx - halfW, bot - 8, cx - 3, mid + 4, cx - 2.5, mid);
        cairo_curve_to(g, cx - 3, mid - 4, cx - halfW, mid - 8, cx - halfW, top);
        cairo_close_path(g);
    };
    // Glass.
    bulbs(cr);
    setCol(cr, rgb(160, 180, 255), 0.18);
    cairo_fill(cr);
    cairo_save(cr);
    bulbs(cr);
    cairo_clip(cr);
    Col sand = rgb(250, 200, 110);
    cairo_pattern_t* sg = cairo_pattern_create_linear(cx - halfW, 0, cx + halfW, 0);
    stop(sg, 0, scale(sand, 0.7));
    stop(sg, 0.4, mix(sand, {1, 1, 1}, 0.3));
    stop(sg, 1, scale(sand, 0.6));
    // Sand in the top bulb: a level falling from top to the neck as the share drops.
    double topLevel = mid - 2 - (mid - 2 - top - 2) * left;
    if (left > 0) {
        cairo_rectangle(cr, 0, topLevel, 78, mid - topLevel);
        cairo_set_source(cr, sg);
        cairo_fill(cr);
    }
    // Sand in the bottom bulb: a heap growing from the bottom.
    double below = 1 - left;
    if (below > 0) {
        double hgt = (bot - mid - 4) * below;
        cairo_move_to(cr, 0, bot);
        cairo_line_to(cr, 0, bot - hgt * 0.7);
        cairo_curve_to(cr, cx - 10, bot - hgt * 0.8, cx - 4, bot - hgt - 3, cx, bot - hgt - 3);
        cairo_curve_to(cr, cx + 4, bot - hgt - 3, cx + 10, bot - hgt * 0.8, 78, bot - hgt * 0.7);
        cairo_line_to(cr, 78, bot);
        cairo_close_path(cr);
        cairo_set_source(cr, sg);
        cairo_fill(cr);
    }
    // The falling stream while both bulbs hold sand.
    if (n > 1 && n < 30) {
        cairo_rectangle(cr, cx - 1, mid - 2, 2, bot - mid - (bot - mid - 4) * below);
        setCol(cr, sand);
        cairo_fill(cr);
    }
    cairo_pattern_destroy(sg);
    // Glints.
    cairo_set_line_width(cr, 2);
    setCol(cr, {1, 1, 1}, 0.35);
    cairo_move_to(cr, cx - halfW + 5, top + 5);
    cairo_curve_to(cr, cx - halfW + 5, mid - 12, cx - 8, mid - 8, cx - 5, mid - 4);
    cairo_stroke(cr);
    cairo_restore(cr);
    bulbs(cr);
    cairo_set_line_width(cr, 1.5);
    setCol(cr, rgb(210, 225, 255), 0.8);
    cairo_stroke(cr);
    // Caps.
    for (double y : {top - 5.0, bot}) {
        roundRect(cr, cx - halfW - 5, y, 2 * halfW + 10, 5, 2);
        cairo_pattern_t* m = metalGradient(0, y, 0, y + 5, true);
        cairo_set_source(cr, m);
        cairo_fill(cr);
        cairo_pattern_destroy(m);
    }
    if (n == 1) twinkle(cr, cx, bot - 8, 6, {1, 0.9, 0.6}, 0.7);
}

// A rolled parchment roller across the width, its axis at y, radius r.
void roller(Canvas& c, double y, double r) {
    cairo_t* cr = c.cr();
    const double w = c.width();
    glow(c, [&](cairo_t* g) { roundRect(g, 14, y - r + 3, w - 28, 2 * r, r); cairo_fill(g); }, {0, 0, 0}, 0.6, 4);
    // Knobs at both ends.
    for (double x : {10.0, w - 10}) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, 9, r * 0.9);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_pattern_t* m = metalGradient(x - 9, y - r, x + 9, y + r, true);
        cairo_set_source(cr, m);
        cairo_fill(cr);
        cairo_pattern_destroy(m);
        cairo_arc(cr, x, y, 3, 0, 2 * M_PI);
        setCol(cr, rgb(150, 60, 200));
        cairo_fill(cr);
    }
    // The rolled sheet.
    roundRect(cr, 18, y - r, w - 36, 2 * r, 4);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y - r, 0, y + r);
    stop(g, 0, rgb(160, 120, 70));
    stop(g, 0.3, rgb(250, 232, 190));
    stop(g, 0.6, rgb(220, 190, 140));
    stop(g, 1, rgb(110, 76, 40));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Spiral edge lines.
    cairo_set_line_width(cr, 1);
    for (double x : {20.0, w - 20}) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, 3, r * 0.9);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_restore(cr);
        setCol(cr, rgb(90, 60, 30), 0.8);
        cairo_stroke(cr);
    }
    // Gold bands.
    for (double x : {40.0, w - 48}) {
        cairo_rectangle(cr, x, y - r, 8, 2 * r);
        cairo_pattern_t* m = metalGradient(0, y - r, 0, y + r, true);
        cairo_set_source(cr, m);
        cairo_fill(cr);
        cairo_pattern_destroy(m);
    }
}

// The closed doors, 800 x 600, drawn once and cut into the tiles the game loads.
std::shared_ptr<Canvas> doors() {
    static std::once_flag once;
    static std::shared_ptr<Canvas> canvas;
    std::call_once(once, [] {
        auto c = std::make_shared<Canvas>(800, 600);
        fillPixels(*c, [](int x, int y, double& r, double& g, double& b, double& a) {
            // Vertical planks of dark stained wood.
            int local = x < 400 ? x : x - 400;
            int plank = local / 50;
            double grain = std::sin(local / 3.5 + 10 * fbm(x / 40.0, y / 320.0, 3, 300 + plank) + plank);
            Col col = mix(rgb(34, 22, 40), rgb(62, 40, 64), 0.5 + 0.25 * grain);
            col = scale(col, 0.85 + 0.3 * fbm(x / 60.0, y / 60.0, 4, 17));
            if (local % 50 < 2) col = scale(col, 0.5);
            r = col.r;
            g = col.g;
            b = col.b;
            a = 1;
        });
        cairo_t* cr = c->cr();
        // Iron-gold bands across each door.
        for (double y : {70.0, 290.0, 510.0}) {
            for (int side = 0; side < 2; ++side) {
                double x0 = side ? 404 : 0, x1 = side ? 800 : 396;
                cairo_rectangle(cr, x0, y, x1 - x0, 26);
                cairo_pattern_t* m = metalGradient(0, y, 0, y + 26, false);
                cairo_set_source(cr, m);
                cairo_fill(cr);
                cairo_pattern_destroy(m);
                for (double x = x0 + 20; x < x1 - 10; x += 46) {
                    cairo_arc(cr, x, y + 13, 4, 0, 2 * M_PI);
                    setCol(cr, rgb(240, 200, 120));
                    cairo_fill(cr);
                }
            }
        }
        // Outer frame and the meeting edge.
        metalFrame(cr, 0, 0, 800, 600, 0, 14, true);
        for (double x : {388.0, 400.0}) {
            cairo_rectangle(cr, x, 0, 12, 600);
            cairo_pattern_t* m = metalGradient(x, 0, x + 12, 0, true);
            cairo_set_source(cr, m);
            cairo_fill(cr);
            cairo_pattern_destroy(m);
        }
        // The great rune seal across the two doors.
        const double sx = 400, sy = 300;
        glow(*c, [&](cairo_t* g) { cairo_arc(g, sx, sy, 92, 0, 2 * M_PI); cairo_fill(g); }, rgb(140, 100, 255), 0.7, 12);
        cairo_arc(cr, sx, sy, 88, 0, 2 * M_PI);
        cairo_pattern_t* sg = cairo_pattern_create_radial(sx - 25, sy - 30, 5, sx, sy, 90);
        stop(sg, 0, rgb(110, 80, 200));
        stop(sg, 1, rgb(26, 16, 60));
        cairo_set_source(cr, sg);
        cairo_fill(cr);
        cairo_pattern_destroy(sg);
        cairo_set_line_width(cr, 10);
        cairo_arc(cr, sx, sy, 88, 0, 2 * M_PI);
        cairo_pattern_t* m = metalGradient(sx - 90, sy - 90, sx + 90, sy + 90, true);
        cairo_set_source(cr, m);
        cairo_stroke(cr);
        cairo_pattern_destroy(m);
        useFont(cr, Face::Runic, 16);
        for (int i = 0; i < 16; ++i) {
            double a = i * 2 * M_PI / 16;
            cairo_save(cr);
            cairo_translate(cr, sx + 68 * std::cos(a), sy + 68 * std::sin(a));
            cairo_rotate(cr, a + M_PI / 2);
            std::string l = runicLetter(i + 3);
            TextBox b = measure(cr, l);
            cairo_move_to(cr, -b.w / 2 - b.x, -b.h / 2 - b.y);
            setCol(cr, rgb(230, 210, 255), 0.9);
            cairo_show_text(cr, l.c_str());
            cairo_restore(cr);
        }
        star(cr, sx, sy, 44, 18, 8, 0);
        setCol(cr, pal::gold, 0.9);
        cairo_fill(cr);
        // The meeting line runs through the seal.
        cairo_rectangle(cr, sx - 1, 0, 2, 600);
        setCol(cr, rgb(10, 6, 20), 0.9);
        cairo_fill(cr);
        // Candle light from the lower middle.
        softLight(cr, 400, 560, 300, pal::candle, 0.12);
        c->flush();
        canvas = c;
    });
    return canvas;
}

void doorTile(Canvas& c, int x0, int y0) {
    // Plain pixel copies: the shared picture is only ever read once it is made.
    std::shared_ptr<Canvas> d = doors();
    c.flush();
    for (int y = 0; y < c.height(); ++y) {
        const uint32_t* src = d->row(y0 + y) + x0;
        std::copy(src, src + c.width(), c.row(y));
    }
    c.markDirty();
}

void banner(Canvas& c, const std::string& text, Col accent) {
    cairo_t* cr = c.cr();
    const double w = c.width(), h = c.height();
    // A violet ribbon with forked ends behind gold lettering.
    auto ribbon = [&](cairo_t* g) {
        cairo_move_to(g, 4, h * 0.22);
        cairo_line_to(g, w - 4, h * 0.22);
        cairo_line_to(g, w - 26, h * 0.5);
        cairo_line_to(g, w - 4, h * 0.78);
        cairo_line_to(g, 4, h * 0.78);
        cairo_line_to(g, 26, h * 0.5);
        cairo_close_path(g);
    };
    glow(c, [&](cairo_t* g) { ribbon(g); cairo_fill(g); }, accent, 0.6, 6);
    ribbon(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, h * 0.22, 0, h * 0.78);
    stop(g, 0, rgb(110, 60, 170));
    stop(g, 0.5, rgb(60, 28, 110));
    stop(g, 1, rgb(30, 12, 60));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 3);
    cairo_pattern_t* m = metalGradient(0, h * 0.2, 0, h * 0.8, true);
    cairo_set_source(cr, m);
    cairo_stroke(cr);
    cairo_pattern_destroy(m);
    CaptionStyle s;
    s.glowAlpha = 0.6;
    s.glowRadius = 4;
    caption(c, 34, 0, w - 68, h, text, s);
}

// A button as drawn on the game-over panel and as its hovered picture.
// The game-over panel's three button captions share one type size and baseline: "Skip level"
// has the thinner bar (its lettering may fill the bar's whole height), so it sets the size.
CaptionStyle panelCaptionStyle(bool lit) {
    CaptionStyle s;
    s.glowAlpha = lit ? 0.6 : 0;
    s.outlineWidth = 1.4;
    if (lit) {
        s.top = {1, 1, 0.95};
        s.bottom = rgb(255, 200, 110);
    }
    fitCaptionFamily(s, {{"Retry", 144, 36}, {"Back to menu", 144, 36}, {"Skip level", 144, 28}});
    return s;
}

void panelButton(Canvas& c, double x, double y, double w, double h, const std::string& text, bool lit,
                 double inset = 2) {
    buttonPlate(c, x, y, w, h, lit);
    caption(c, x + 10, y + inset, w - 20, h - 2 * inset, text, panelCaptionStyle(lit));
}

// The panel is centred on (400, 300); the game draws the skip bar at y 395..425 under it from the
// second loss of a level, so the frame reaches down past the bar (picture y 245..275 holds it).
constexpr double kLoseTop = 18, kLoseBottom = 288;

void losePanel(Canvas& c) {
    cairo_t* cr = c.cr();
    const double w = 284, h = kLoseBottom - kLoseTop;
    glow(c, [&](cairo_t* g) { roundRect(g, 8, kLoseTop, w, h, 24); cairo_fill(g); }, {0, 0, 0}, 0.8, 6);
    roundRect(cr, 8, kLoseTop, w, h, 24);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, kLoseTop, 0, kLoseBottom);
    stop(g, 0, rgb(50, 30, 90));
    stop(g, 1, rgb(16, 10, 40));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    metalFrame(cr, 8, kLoseTop, w, h, 24, 6, true);
    CaptionStyle s;
    s.top = rgb(255, 200, 200);
    s.bottom = rgb(220, 60, 60);
    s.glow = rgb(255, 60, 60);
    caption(c, 30, 28, 240, 40, "Game Over", s);
    // The cause caption goes at y 85 (screen 235); the two buttons in their normal look.
    panelButton(c, 68, 152, 164, 40, "Retry", false);
    panelButton(c, 68, 198, 164, 40, "Back to menu", false);
}

}  // namespace

ARTGEN_FAMILY(levelGuiFamily) {
    addImage("gfx/gui/lina.png", 6, 48, rope);
    addImage("gfx/gui/punkty.png", 134, 95, scorePanel);
    addImage("gfx/gui/decha.png", 126, 95, decoration);
    addImage("gfx/gui/menuS1.png", 63, 21, [](Canvas& c) { menuButton(c, false); });
    addImage("gfx/gui/menuS2.png", 63, 21, [](Canvas& c) { menuButton(c, true); });
    addImage("gfx/timer/timer.png", 112, 108, timerHousing);
    for (int n = 1; n <= 30; ++n)
        addImage("gfx/timer/frame" + std::to_string(n) + ".png", 78, 74, [n](Canvas& c) { hourglass(c, n); });

    addImage("gfx/gui/scroll_01.png", 350, 70, [](Canvas& c) { roller(c, 48, 17); });
    addImage("gfx/gui/scroll_02.png", 330, 320, [](Canvas& c) {
        parchment(c, 4, 0, 322, 320, 6, 41);
        // A faint ornament at the foot of the sheet.
        cairo_t* cr = c.cr();
        cairo_set_line_width(cr, 1.5);
        setCol(cr, rgb(120, 70, 30), 0.45);
        cairo_move_to(cr, 60, 300);
        cairo_curve_to(cr, 120, 290, 210, 290, 270, 300);
        cairo_stroke(cr);
    });
    addImage("gfx/gui/scroll_03.png", 350, 60, [](Canvas& c) { roller(c, 18, 17); });

    struct Tile {
        const char* name;
        int x, y, w, h;
    };
    const Tile tiles[] = {{"left-1", 0, 0, 256, 512},    {"left-2", 256, 0, 128, 512},  {"left-3", 384, 0, 16, 512},
                          {"left2-1", 0, 512, 256, 88},  {"left2-2", 256, 512, 128, 88}, {"left2-3", 384, 512, 16, 88},
                          {"right-1", 400, 0, 256, 512}, {"right-2", 656, 0, 128, 512}, {"right-3", 784, 0, 16, 512},
                          {"right2-1", 400, 512, 256, 88}, {"right2-2", 656, 512, 128, 88},
                          {"right2-3", 784, 512, 16, 88}};
    for (const Tile& t : tiles)
        addImage(std::string("gfx/gui/doors-") + t.name + ".jpg", t.w, t.h, [t](Canvas& c) { doorTile(c, t.x, t.y); });

    addImage("gfx/gui/LC.png", 400, 100, [](Canvas& c) { banner(c, "Level Complete!", pal::candle); });
    addImage("gfx/gui/stage3.png", 366, 146, [](Canvas& c) { banner(c, "Stage Complete!", pal::candle); });
    addImage("gfx/gui/poswiata.png", 96, 96, [](Canvas& c) {
        softLight(c.cr(), 48, 48, 48, pal::candle, 0.9);
        softLight(c.cr(), 48, 48, 20, {1, 0.95, 0.8}, 0.8);
    });
    addImage("gfx/gui/ilvessa01.png", 200, 400, [](Canvas& c) {
        // A hanging banner with the guild's rune crest.
        cairo_t* cr = c.cr();
        auto cloth = [](cairo_t* g) {
            cairo_move_to(g, 30, 30);
            cairo_line_to(g, 170, 30);
            cairo_line_to(g, 170, 340);
            cairo_line_to(g, 100, 390);
            cairo_line_to(g, 30, 340);
            cairo_close_path(g);
        };
        glow(c, [&](cairo_t* g) { cloth(g); cairo_fill(g); }, {0, 0, 0}, 0.8, 8);
        cloth(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(30, 0, 170, 0);
        stop(g, 0, rgb(40, 18, 70));
        stop(g, 0.5, rgb(100, 50, 160));
        stop(g, 1, rgb(40, 18, 70));
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        cairo_set_line_width(cr, 6);
        cairo_pattern_t* m = metalGradient(30, 30, 170, 390, true);
        cairo_set_source(cr, m);
        cairo_stroke(cr);
        cairo_pattern_destroy(m);
        roundRect(cr, 16, 18, 168, 16, 8);
        cairo_pattern_t* rod = metalGradient(0, 18, 0, 34, false);
        cairo_set_source(cr, rod);
        cairo_fill(cr);
        cairo_pattern_destroy(rod);
        drawGem(c, runeLook(5), 100, 150, 90);
        for (int i = 0; i < 3; ++i) drawGem(c, runeLook(i == 1 ? 4 : 2), 70 + i * 30, 250, 22);
        CaptionStyle s;
        s.glowAlpha = 0.3;
        caption(c, 40, 280, 120, 40, "Mirethorn", s);
    });
    addImage("gfx/gui/lose3.png", 300, 300, losePanel);
    addImage("gfx/gui/lose3_03.png", 164, 40, [](Canvas& c) { panelButton(c, 0, 0, 164, 40, "Retry", true); });
    addImage("gfx/gui/lose3_05.png", 164, 40, [](Canvas& c) { panelButton(c, 0, 0, 164, 40, "Back to menu", true); });
    addImage("gfx/gui/lose3_08.png", 168, 30, [](Canvas& c) { panelButton(c, 2, 1, 164, 28, "Skip level", true, 0); });
    addImage("gfx/gui/lose3_08a.png", 168, 30, [](Canvas& c) { panelButton(c, 2, 1, 164, 28, "Skip level", false, 0); });
    for (auto [path, text] : {std::pair{"gfx/gui/no-more-movies.png", "No more moves"},
                              std::pair{"gfx/gui/time_out.png", "Time out"}})
        addImage(path, 220, 50, [text](Canvas& c) {
            CaptionStyle s;
            s.top = rgb(255, 230, 200);
            s.bottom = rgb(230, 90, 60);
            s.glow = rgb(255, 80, 40);
            caption(c, 0, 0, 220, 50, text, s);
        });
}

}  // namespace artgen
