// gfx/fonts: the glyph strips of the two bitmap fonts, the digit strips and the lettering of
// menu buttons and captions.
//
// The game cuts a glyph strip by itself: rows of the row height from the top, and in a row
// every maximal run of columns holding any pixel with alpha above 0 is one glyph, glyphs taken
// left to right, row after row. So each glyph is placed with at least one fully transparent
// column on both sides, never has an empty column inside, and every row's last column stays
// empty. Where a font needs more letter spacing than its glyphs' soft edges give, nearly
// invisible (alpha 1) side columns widen the run, because the advance is the run's width minus
// the font's spacing.
#include "paint.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <vector>

namespace artgen {

namespace {

struct StripFont {
    const char* path;
    const char* order;
    int rowHeight;
    int spacing;
    int stripWidth;
    double size;      // font size
    double baseline;  // y of the baseline inside a row
    int sideBearing;  // alpha-1 columns on each side of the ink
    // Texts the game writes with the font at fixed places, each with the width those places give
    // it; when present, the letters are widened so that these texts come out that wide.
    std::vector<std::pair<const char*, int>> placedTexts = {};
};

// The menu font. The profile screen writes its prompts at fixed left edges chosen to centre them
// on x 400 ("enter your" at 306 is 188 px wide, ...), and the title's "hello" at 353 stands
// centred over the name centred on 400; the letters are widened to those widths. The baseline
// sits high in the row: the profile list's selection bar is centred 11 px below a name's top.
const StripFont kAlfabet = {"gfx/fonts/alfabet-maly.png", "abcdefghijklmnopqrstuvwxyz,.?-!#$*&@%()<>{}'1234567890",
                            30, 0, 512, 24, 18, 0,
                            {{"enter your", 188}, {"name", 78}, {"do you really", 248}, {"want delete", 190},
                             {"you can not", 210}, {"delete last", 196}, {"profile", 122}, {"create more", 212},
                             {"profiles", 134}, {"name exist", 162}, {"hello", 94}}};
const StripFont kSmall = {"gfx/fonts/small-letters3.png", "abcdefghijklmnopqrstuvwxyz0123456789", 32, 3, 512, 24, 24, 1};

std::vector<std::string> utf8Chars(const std::string& s) {
    std::vector<std::string> out;
    for (size_t i = 0; i < s.size();) {
        size_t n = 1;
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (c >= 0xF0) n = 4;
        else if (c >= 0xE0) n = 3;
        else if (c >= 0xC0) n = 2;
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

uint32_t alphaAt(Canvas& c, int x, int y) { return c.row(y)[x] >> 24; }

// Renders one glyph (light fill inside a dark outline) into a row-high canvas and returns its
// ink columns [first, last], or first > last when it has none.
void renderGlyph(Canvas& g, const StripFont& f, double widthScale, const std::string& ch, int& first, int& last) {
    cairo_t* cr = g.cr();
    g.clear();
    useFont(cr, Face::Caption, f.size);
    cairo_save(cr);
    cairo_translate(cr, 10, f.baseline);
    cairo_scale(cr, widthScale, 1);
    cairo_move_to(cr, 0, 0);
    cairo_text_path(cr, ch.c_str());
    cairo_restore(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2.6);
    setCol(cr, rgb(40, 22, 12), 0.9);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(0, f.baseline - f.size * 0.7, 0, f.baseline);
    stop(p, 0, {1, 1, 1});
    stop(p, 1, rgb(236, 226, 206));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    g.flush();
    first = g.width();
    last = -1;
    for (int x = 0; x < g.width(); ++x)
        for (int y = 0; y < g.height(); ++y)
            if (alphaAt(g, x, y) > 0) {
                first = std::min(first, x);
                last = std::max(last, x);
                break;
            }
}

// The game's own cutting rule, to check a strip before it is written.
std::vector<int> cutWidths(Canvas& c, int rowHeight) {
    c.flush();
    std::vector<int> widths;
    for (int row = 0; (row + 1) * rowHeight <= c.height(); ++row) {
        int run = 0;
        for (int x = 0; x < c.width(); ++x) {
            bool ink = false;
            for (int y = row * rowHeight; y < (row + 1) * rowHeight && !ink; ++y) ink = alphaAt(c, x, y) > 0;
            if (ink) ++run;
            else if (run > 0) {
                widths.push_back(run);
                run = 0;
            }
        }
        if (run > 0) throw std::runtime_error("a glyph touches the right edge of its row");
    }
    return widths;
}

// A glyph's advance: its run of columns less the font's spacing.
int glyphAdvance(const StripFont& f, double widthScale, const std::string& ch) {
    Canvas g(120, f.rowHeight);
    int first = 0, last = -1;
    renderGlyph(g, f, widthScale, ch, first, last);
    return last - first + 1 + 2 * f.sideBearing - f.spacing;
}

// The width the game gives a text in the font: the glyphs' advances, half the row height a space.
double textWidth(const StripFont& f, double widthScale, const std::string& text) {
    double w = 0;
    for (const std::string& ch : utf8Chars(text)) w += ch == " " ? f.rowHeight / 2 : glyphAdvance(f, widthScale, ch);
    return w;
}

// The horizontal scale of each letter, so that the placed texts come out as wide as their places
// give them: first one scale for all letters (least squares; a text's width grows nearly in
// proportion to it), then small changes of single letters' widths, kept within 15 % of that
// scale, that take up what one scale leaves over (least squares again, with a pull towards no
// change). Letters the placed texts do not hold keep the common scale.
std::map<std::string, double> letterScales(const StripFont& f) {
    std::map<std::string, double> scales;
    for (const std::string& ch : utf8Chars(f.order)) scales[ch] = 1;
    if (f.placedTexts.empty()) return scales;
    double num = 0, den = 0;
    for (const auto& [text, want] : f.placedTexts) {
        const double w1 = textWidth(f, 1, text), slope = textWidth(f, 2, text) - w1;
        num += (want - w1) * slope;
        den += slope * slope;
    }
    const double common = 1 + num / den;
    for (auto& [ch, scale] : scales) scale = common;
    // The letters of the placed texts, and how often each text holds each.
    std::vector<std::string> letters;
    for (const auto& [text, want] : f.placedTexts)
        for (const std::string& ch : utf8Chars(text))
            if (ch != " " && std::find(letters.begin(), letters.end(), ch) == letters.end()) letters.push_back(ch);
    const size_t n = letters.size();
    // Normal equations (A'A + k I) u = A'r for u, each letter's change in pixels.
    std::vector<std::vector<double>> m(n, std::vector<double>(n + 1, 0));
    for (const auto& [text, want] : f.placedTexts) {
        std::vector<double> a(n, 0);
        for (const std::string& ch : utf8Chars(text))
            if (ch != " ") a[static_cast<size_t>(std::find(letters.begin(), letters.end(), ch) - letters.begin())] += 1;
        const double r = want - textWidth(f, common, text);
        for (size_t i = 0; i < n; ++i) {
            for (size_t j = 0; j < n; ++j) m[i][j] += a[i] * a[j];
            m[i][n] += a[i] * r;
        }
    }
    for (size_t i = 0; i < n; ++i) m[i][i] += 0.5;
    for (size_t i = 0; i < n; ++i) {  // Gauss-Jordan; the matrix is positive definite
        for (size_t j = 0; j < n; ++j) {
            if (j == i) continue;
            const double k = m[j][i] / m[i][i];
            for (size_t c = i; c <= n; ++c) m[j][c] -= k * m[i][c];
        }
    }
    for (size_t i = 0; i < n; ++i) {
        const double u = m[i][n] / m[i][i];
        const double ink = glyphAdvance(f, 2, letters[i]) - glyphAdvance(f, 1, letters[i]);
        if (ink > 0) scales[letters[i]] = std::clamp(common + u / ink, common * 0.85, common * 1.15);
    }
    return scales;
}

void glyphStrip(Canvas& strip, const StripFont& f) {
    std::vector<std::string> chars = utf8Chars(f.order);
    const std::map<std::string, double> scales = letterScales(f);
    Canvas g(120, f.rowHeight);
    std::vector<int> expected;
    int x = 1, row = 0;
    for (const std::string& ch : chars) {
        int first = 0, last = -1;
        renderGlyph(g, f, scales.at(ch), ch, first, last);
        if (last < first) throw std::runtime_error("no ink for glyph '" + ch + "'");
        // Fill empty columns inside the glyph with one nearly invisible pixel, so it stays one run.
        for (int cx = first; cx <= last; ++cx) {
            bool any = false;
            for (int y = 0; y < f.rowHeight && !any; ++y) any = alphaAt(g, cx, y) > 0;
            if (!any) g.row(static_cast<int>(f.baseline))[cx] = 0x01000000u;
        }
        int inkW = last - first + 1;
        int runW = inkW + 2 * f.sideBearing;
        if (x + runW + 1 >= strip.width()) {  // keep the row's last column empty
            x = 1;
            ++row;
        }
        if ((row + 1) * f.rowHeight > strip.height()) throw std::runtime_error("glyph strip too small");
        int top = row * f.rowHeight;
        strip.flush();
        for (int y = 0; y < f.rowHeight; ++y) {
            uint32_t* dst = strip.row(top + y);
            for (int cx = 0; cx < inkW; ++cx) dst[x + f.sideBearing + cx] = g.row(y)[first + cx];
            // Side bearings: one alpha-1 pixel on the baseline.
            for (int s = 0; s < f.sideBearing; ++s) {
                if (y == static_cast<int>(f.baseline)) {
                    dst[x + s] = 0x01000000u;
                    dst[x + f.sideBearing + inkW + s] = 0x01000000u;
                }
            }
        }
        strip.markDirty();
        expected.push_back(runW);
        x += runW + 2;
    }
    std::vector<int> got = cutWidths(strip, f.rowHeight);
    if (got != expected)
        throw std::runtime_error(std::string(f.path) + ": the strip cuts into " + std::to_string(got.size()) +
                                 " glyphs, not the " + std::to_string(expected.size()) + " drawn");
}

// Height in rows needed for a strip (laid out the same way as glyphStrip does).
int stripRows(const StripFont& f) {
    Canvas g(120, f.rowHeight);
    const std::map<std::string, double> scales = letterScales(f);
    int x = 1, rows = 1;
    for (const std::string& ch : utf8Chars(f.order)) {
        int first = 0, last = -1;
        renderGlyph(g, f, scales.at(ch), ch, first, last);
        int runW = last - first + 1 + 2 * f.sideBearing;
        if (x + runW + 1 >= f.stripWidth) {
            x = 1;
            ++rows;
        }
        x += runW + 2;
    }
    return rows;
}

enum class DigitLook { White, Gold };

// Draws the digit d left-aligned at (x0, 0) in a cell of h px, its ink kept within maxW.
void digit(Canvas& c, int d, double x0, double h, double maxW, DigitLook look) {
    cairo_t* cr = c.cr();
    std::string s(1, static_cast<char>('0' + d));
    double outline = look == DigitLook::Gold ? 1.6 : 1.2;
    Face face = look == DigitLook::Gold ? Face::SerifBold : Face::SansBold;
    double size = h * 0.92;
    useFont(cr, face, size);
    TextBox b = measure(cr, s);
    double sy = (h - 2 * outline - 1) / b.h;
    double sx = std::min(sy, (maxW - 2 * outline) / b.w);
    cairo_save(cr);
    cairo_translate(cr, x0 + outline - b.x * sx, (h - b.h * sy) / 2 - b.y * sy);
    cairo_scale(cr, sx, sy);
    cairo_move_to(cr, 0, 0);
    cairo_text_path(cr, s.c_str());
    cairo_restore(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, outline * 2);
    setCol(cr, look == DigitLook::Gold ? rgb(70, 30, 6) : rgb(30, 20, 40), 0.9);
    cairo_stroke_preserve(cr);
    if (look == DigitLook::Gold) {
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
        stop(p, 0, rgb(255, 250, 210));
        stop(p, 0.5, rgb(255, 205, 90));
        stop(p, 1, rgb(200, 110, 30));
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    } else {
        cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, h);
        stop(p, 0, {1, 1, 1});
        stop(p, 1, rgb(225, 220, 235));
        cairo_set_source(cr, p);
        cairo_fill(cr);
        cairo_pattern_destroy(p);
    }
}

void digitStrip(const std::string& path, int cellW, int cellH, const int* adv, DigitLook look) {
    addStrip(path, cellW, cellH, 10, [=](Canvas& c, int d) {
        // Ink within the advance plus one pixel of overhang.
        digit(c, d, 0, cellH, std::min<double>(cellW, adv[d] + 1), look);
    });
}

CaptionStyle buttonStyle() {
    CaptionStyle s;
    s.glowAlpha = 0.35;
    return s;
}

CaptionStyle hoverStyle() {
    CaptionStyle s;
    s.top = {1, 1, 0.9};
    s.bottom = rgb(255, 190, 80);
    s.glow = {1, 0.9, 0.6};
    s.glowAlpha = 0.8;
    s.glowRadius = 4;
    return s;
}

// A two-frame button strip: frame 0 normal, frame 1 lit.
void buttonStrip(const std::string& path, int w, int h, const std::string& text) {
    addStrip(path, w, h, 2, [=](Canvas& c, int f) {
        buttonPlate(c, 1, 1, w - 2, h - 2, f == 1);
        CaptionStyle s = f ? hoverStyle() : buttonStyle();
        s.glowAlpha = f ? 0.5 : 0;
        s.outlineWidth = 1.2;
        caption(c, 6, 1, w - 12, h - 2, text, s);
    });
}

}  // namespace

ARTGEN_FAMILY(glyphStripFamily) {
    for (const StripFont* f : {&kAlfabet, &kSmall}) {
        int h = stripRows(*f) * f->rowHeight;
        addImage(f->path, f->stripWidth, h, [f](Canvas& c) { glyphStrip(c, *f); });
    }
}

ARTGEN_FAMILY(digitFamily) {
    static const int cyfry1[10] = {12, 12, 12, 12, 12, 12, 12, 12, 12, 12};
    static const int level[10] = {12, 7, 12, 12, 12, 12, 12, 12, 12, 12};
    static const int cyfry2[10] = {22, 10, 19, 19, 19, 19, 18, 16, 19, 19};
    digitStrip("gfx/fonts/cyfry1.png", 16, 24, cyfry1, DigitLook::White);
    digitStrip("gfx/fonts/level.png", 16, 21, level, DigitLook::White);
    digitStrip("gfx/fonts/CYFRY2.png", 32, 32, cyfry2, DigitLook::Gold);
    digitStrip("gfx/fonts/cyfry2.png", 32, 32, cyfry2, DigitLook::Gold);
}

ARTGEN_FAMILY(captionFamily) {
    // Captions shown together on one screen form a family: one type size, one baseline.
    enum Family { Alone, MainMenu, SmallMenu, PuzzleSize, YesNo, SelectorList, Spells, Risers };
    struct Cap {
        const char* path;
        int w, h;
        const char* text;
        Family family = Alone;
        // Where the words go inside the picture; a zero width means the whole picture.
        int tx = 0, ty = 0, tw = 0, th = 0;
    };
    static const Cap caps[] = {
        {"gfx/fonts/playQ_03.png", 260, 36, "Play Quest", MainMenu},
        {"gfx/fonts/playQ_07.png", 260, 36, "Game Modes", MainMenu},
        {"gfx/fonts/menu-gallery.png", 260, 36, "Gallery", MainMenu},
        {"gfx/fonts/menu-options-big.png", 260, 36, "Options", MainMenu},
        {"gfx/fonts/menu-exit.png", 260, 36, "Exit", MainMenu},
        {"gfx/fonts/menu-resume.png", 260, 36, "Continue", MainMenu},
        {"gfx/fonts/menu-new-game.png", 260, 36, "New Game", MainMenu},
        {"gfx/fonts/menu-timeattack.png", 260, 36, "Time Attack", MainMenu},
        {"gfx/fonts/menu-endless.png", 260, 36, "Endless", MainMenu},
        // "Main Menu" closes the pause menus, the options and the title's sub-menus alike: it
        // keeps the size of the pause menus' buttons, the smallest rows it stands among, and so
        // do the options screens' buttons and labels around it.
        {"gfx/fonts/menu-main.png", 220, 30, "Main Menu", SmallMenu},
        {"gfx/fonts/menu-easy.png", 220, 36, "Easy", PuzzleSize},
        {"gfx/fonts/menu-normal.png", 220, 36, "Normal", PuzzleSize},
        {"gfx/fonts/menu-hard.png", 220, 36, "Hard", PuzzleSize},
        {"gfx/fonts/menu-back.png", 220, 36, "Back", PuzzleSize},
        {"gfx/fonts/menu-yes.png", 70, 36, "Yes", YesNo},
        {"gfx/fonts/menu-no.png", 70, 36, "No", YesNo},
        {"gfx/fonts/menu-are-you-sure.png", 300, 40, "Are you sure?"},
        {"gfx/fonts/menu-hiscores.png", 220, 30, "Hiscores", SmallMenu},
        {"gfx/fonts/menu-credits.png", 220, 30, "Credits", SmallMenu},
        {"gfx/fonts/menu-music-vol.png", 220, 28, "Music volume", SmallMenu},
        {"gfx/fonts/menu-sound-vol.png", 220, 28, "Sound volume", SmallMenu},
        {"gfx/fonts/menu-fullscreen.png", 200, 28, "Full screen", SmallMenu},
        {"gfx/fonts/menu-back2game.png", 220, 30, "Back to Game", SmallMenu},
        // The pause menus' title keeps to the upper part of its picture, clear of "Resume"
        // 50 px below its centre.
        {"gfx/fonts/game-paused.png", 260, 40, "Game Paused", Alone, 0, 0, 260, 34},
        {"gfx/fonts/menu-resume-small.png", 200, 26, "Resume", SmallMenu},
        {"gfx/fonts/menu-restart.png", 200, 26, "Restart", SmallMenu},
        {"gfx/fonts/menu-options.png", 200, 26, "Options", SmallMenu},
        {"gfx/fonts/help.png", 200, 26, "Help", SmallMenu},
        {"gfx/fonts/menu-quit-game.png", 200, 26, "Quit Game", SmallMenu},
        {"gfx/fonts/menu-play.png", 160, 30, "Play"},
        // The level selector's list captions end short of the tick at x 350; its caption keeps
        // to its top left so that the Main Menu button under it and the preview beside it stand
        // clear.
        {"gfx/fonts/menu-quest-lvl.png", 160, 26, "Quest levels", SelectorList, 24, 0, 112, 26},
        {"gfx/fonts/menu-timed-lvl.png", 160, 26, "Time attack levels", SelectorList, 24, 0, 112, 26},
        {"gfx/fonts/menu-endless-lvl.png", 160, 26, "Endless levels", SelectorList, 24, 0, 112, 26},
        {"gfx/fonts/download4.png", 220, 60, "Choose a level", Alone, 0, 0, 180, 34},
        {"gfx/fonts/galeria_11.png", 106, 40, "Gallery"},
        {"gfx/fonts/match.png", 90, 32, "runes", Risers},
        {"gfx/fonts/points.png", 90, 32, "points", Risers},
        {"gfx/fonts/newhiscore.png", 300, 50, "New best score!"},
        {"gfx/fonts/spell-holyfire.png", 200, 40, "Holy Fire", Spells},
        {"gfx/fonts/spell-vanish.png", 200, 40, "Vanish", Spells},
        {"gfx/fonts/spell-bomb.png", 200, 40, "Bomb", Spells},
        {"gfx/fonts/spell-drain.png", 200, 40, "Drain", Spells},
        {"gfx/fonts/spell-heal.png", 200, 40, "Heal", Spells},
        {"gfx/fonts/spell-teleport.png", 200, 40, "Teleport", Spells},
        {"gfx/fonts/bonus-multibonus.png", 200, 40, "Multi Bonus", Spells},
    };
    auto styleOf = [](Family f) {
        CaptionStyle s;
        if (f == Spells) {
            s.top = {1, 1, 1};
            s.bottom = rgb(150, 200, 255);
            s.outline = rgb(20, 16, 60);
            s.glow = rgb(120, 160, 255);
            s.glowAlpha = 0.8;
            s.glowRadius = 4;
        }
        if (f == Risers) s.outlineWidth = 1.5;
        return s;
    };
    auto textBox = [](const Cap& cap) {
        return cap.tw > 0 ? CaptionBox{cap.text, double(cap.tw), double(cap.th)}
                          : CaptionBox{cap.text, double(cap.w), double(cap.h)};
    };
    for (const Cap& cap : caps) {
        CaptionStyle s = styleOf(cap.family);
        if (cap.family != Alone) {
            std::vector<CaptionBox> members;
            for (const Cap& other : caps)
                if (other.family == cap.family) members.push_back(textBox(other));
            fitCaptionFamily(s, members);
        }
        addImage(cap.path, cap.w, cap.h, [cap, s](Canvas& c) {
            if (cap.tw > 0)
                caption(c, cap.tx, cap.ty, cap.tw, cap.th, cap.text, s);
            else
                caption(c, 0, 0, cap.w, cap.h, cap.text, s);
        });
    }
    addStrip("gfx/fonts/combo.png", 256, 42, 3, [](Canvas& c, int cell) {
        static const char* text[3] = {"Combo!", "Super Combo!", "Mega Combo!"};
        static const Col tops[3] = {{1, 1, 0.85}, {1, 0.95, 0.8}, {1, 0.9, 1}};
        static const Col bottoms[3] = {{1, 0.6, 0.15}, {1, 0.35, 0.1}, {0.75, 0.3, 1}};
        CaptionStyle s;
        s.top = tops[cell];
        s.bottom = bottoms[cell];
        s.glow = bottoms[cell];
        s.glowAlpha = 0.7;
        s.glowRadius = 4;
        caption(c, 0, 0, 256, 42, text[cell], s);
    });
    buttonStrip("gfx/fonts/galeria_03.png", 120, 30, "Wallpaper");
    buttonStrip("gfx/fonts/galeria_05.png", 140, 30, "Play Puzzle");
    buttonStrip("gfx/fonts/galeria_07.png", 130, 26, "Back");
    for (auto [path, text] : {std::pair{"gfx/fonts/menu_mapa.png", "Menu"}, std::pair{"gfx/fonts/play_mapa.png", "Play"}})
        addImage(path, 84, 28, [text](Canvas& c) {
            buttonPlate(c, 1, 1, 82, 26, false);
            CaptionStyle s;
            s.glowAlpha = 0;
            s.outlineWidth = 1.2;
            caption(c, 8, 2, 68, 24, text, s);
        });
}

}  // namespace artgen
