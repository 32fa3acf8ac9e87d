// A mock-up of a board level put together from the written pictures, at the places where
// the game draws them, to judge how the pieces look together (artgen --preview FILE).
#include "imageio.h"
#include "paint.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace artgen {

namespace {

cairo_surface_t* load(const std::string& gameDir, const std::string& rel) {
    std::string path = gameDir + "/" + rel;
    if (rel.size() > 4 && rel.compare(rel.size() - 4, 4, ".jpg") == 0) {
        std::vector<uint32_t> px;
        int w = 0, h = 0;
        if (!readJpeg(path, px, w, h)) throw std::runtime_error("cannot read " + path);
        return opaqueSurface(px, w, h);
    }
    cairo_surface_t* s = cairo_image_surface_create_from_png(path.c_str());
    if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot read " + path);
    return s;
}

}  // namespace

void writeBoardPreview(const std::string& gameDir, const std::string& file) {
    Canvas screen(800, 600);
    cairo_t* cr = screen.cr();
    auto draw = [&](const std::string& rel, double x, double y, double alpha = 1.0, double sx = 1, double sy = 1) {
        cairo_surface_t* s = load(gameDir, rel);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, sx, sy);
        cairo_set_source_surface(cr, s, 0, 0);
        cairo_paint_with_alpha(cr, alpha);
        cairo_restore(cr);
        cairo_surface_destroy(s);
    };
    draw("gfx/slides/1a.jpg", 0, 0);
    // A 10 x 10 board of 40-px cells centred on (492, 300).
    const int cell = 40, n = 10, d = 6;
    const double ox = 492 - n * cell / 2.0, oy = 300 - n * cell / 2.0;
    {
        cairo_surface_t* s = load(gameDir, "gfx/bg/deski/deska-3.jpg");
        cairo_save(cr);
        cairo_rectangle(cr, ox, oy, n * cell, n * cell);
        cairo_clip(cr);
        cairo_set_source_surface(cr, s, ox, oy);
        cairo_paint(cr);
        cairo_restore(cr);
        cairo_surface_destroy(s);
    }
    const std::string fr = "gfx/ramka-40x40/";
    const char* vert[] = {"1a", "2a", "3b", "1b", "3c", "2b"};
    const int len[] = {1, 2, 3, 1, 3, 2};
    int pos = 0;
    for (int i = 0; pos < n; i = (i + 1) % 6) {
        int l = std::min(len[i], n - pos);
        std::string v = l == len[i] ? vert[i] : (l == 1 ? "1a" : "2a");
        draw(fr + v + ".png", ox - cell - d, oy + pos * cell);
        draw(fr + v + ".png", ox + n * cell - d, oy + pos * cell);
        draw(fr + v + "-p.png", ox + pos * cell, oy - cell - d);
        draw(fr + v + "-p.png", ox + pos * cell, oy + n * cell - d);
        pos += l;
    }
    draw(fr + "1b-lg.png", ox - cell - d, oy - cell - d);
    draw(fr + "1b-rg_v2.png", ox + n * cell, oy - cell - d);
    draw(fr + "1b-ld_v3.png", ox - cell - d, oy + n * cell);
    draw(fr + "1b-rd.png", ox + n * cell, oy + n * cell);
    // Some runes, a few of them stone, one obstacle.
    for (int y = 4; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            if (hash2(x, y, 5) < 0.3) continue;
            int colour = 1 + static_cast<int>(hash2(x, y, 6) * 6);
            char name[32];
            bool stone = hash2(x, y, 7) < 0.1;
            std::snprintf(name, sizeof name, "%s%02d.png", stone ? "s" : "r", colour);
            std::string rune = hash2(x, y, 8) < 0.04 ? "obstacle.png" : name;
            draw("gfx/runy-40x40/ghost.png", ox + x * cell + 5, oy + y * cell + 4);
            draw("gfx/runy-40x40/" + rune, ox + x * cell, oy + y * cell);
        }
    draw("gfx/bonusy/posw2a-duza.png", ox + 3 * cell - 14, oy + 6 * cell - 14);
    draw("gfx/bonusy/mag_06.png", ox + 3 * cell + 4, oy + 6 * cell + 4, 1, 1.0, 1.0);
    // The left column: ropes first, then sphere, timer, panel, plaque and button.
    for (double x : {15 + 53.0, 15 + 111.0}) draw("gfx/gui/lina.png", x, 17 + 165);
    for (double x : {42 + 24.0, 42 + 82.0}) draw("gfx/gui/lina.png", x, 211 + 100);
    for (double x : {31 + 36.0, 31 + 92.0}) draw("gfx/gui/lina.png", x, 352 + 85);
    draw("gfx/ring/kulki.png", 15, 17);
    const double slots[5][2] = {{60, 2}, {120, 44}, {97, 115}, {23, 114}, {0, 44}};
    const char* vials[5] = {"k-14.png", "k-05.png", "k-11.png", "k-black.png", "k-04.png"};
    for (int i = 0; i < 5; ++i) {
        draw("gfx/ring/k-black.png", 15 + slots[i][0], 17 + slots[i][1]);
        draw(std::string("gfx/ring/") + vials[i], 15 + slots[i][0], 17 + slots[i][1]);
        if (i != 3) draw(std::string("gfx/ring/s-") + std::string(vials[i]).substr(2), 15 + slots[i][0] + 15, 17 + slots[i][1] + 15);
    }
    draw("gfx/timer/timer.png", 42, 211);
    draw("gfx/timer/frame18.png", 59, 228);
    draw("gfx/gui/punkty.png", 31, 352);
    {
        cairo_surface_t* digits = load(gameDir, "gfx/fonts/cyfry1.png");
        const char* score = "0012450";
        for (int i = 0; i < 7; ++i) {
            int dgt = score[i] - '0';
            cairo_save(cr);
            cairo_rectangle(cr, 59 + i * 12, 394, 16, 24);
            cairo_clip(cr);
            cairo_set_source_surface(cr, digits, 59 + i * 12 - dgt * 16, 394);
            cairo_paint_with_alpha(cr, 0.9);
            cairo_restore(cr);
        }
        cairo_surface_destroy(digits);
    }
    draw("gfx/gui/decha.png", 35, 478);
    draw("gfx/gui/menuS1.png", 71, 545);
    draw("gfx/fonts/combo.png", 0, 0, 0);  // loads it, nothing shown
    // Both bitmap fonts, cut the way the game cuts them, with their advances.
    auto write = [&](const std::string& strip, const std::string& order, int rowH, int spacing, double x, double y,
                     const std::string& text) {
        cairo_surface_t* s = load(gameDir, strip);
        int w = cairo_image_surface_get_width(s), h = cairo_image_surface_get_height(s);
        struct G {
            int x, y, w;
        };
        std::vector<G> glyphs;
        cairo_surface_flush(s);
        for (int row = 0; (row + 1) * rowH <= h; ++row) {
            int start = -1;
            for (int cx = 0; cx < w; ++cx) {
                bool ink = false;
                for (int cy = row * rowH; cy < (row + 1) * rowH && !ink; ++cy)
                    ink = (reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s) +
                                                       static_cast<size_t>(cy) * cairo_image_surface_get_stride(s))[cx] >> 24) > 0;
                if (ink && start < 0) start = cx;
                if (!ink && start >= 0) {
                    glyphs.push_back({start, row * rowH, cx - start});
                    start = -1;
                }
            }
        }
        double pen = x;
        for (char ch : text) {
            size_t k = order.find(ch);
            if (ch == ' ' || k == std::string::npos || k >= glyphs.size()) {
                pen += rowH / 2;
                continue;
            }
            const G& g = glyphs[k];
            cairo_save(cr);
            cairo_rectangle(cr, pen, y, g.w, rowH);
            cairo_clip(cr);
            cairo_set_source_surface(cr, s, pen - g.x, y - g.y);
            cairo_paint(cr);
            cairo_restore(cr);
            pen += g.w - spacing;
        }
        cairo_surface_destroy(s);
    };
    write("gfx/fonts/alfabet-maly.png", "abcdefghijklmnopqrstuvwxyz,.?-!#$*&@%()<>{}'1234567890", 30, 0, 300, 520,
          "hello, wanderer! (level 12)");
    write("gfx/fonts/small-letters3.png", "abcdefghijklmnopqrstuvwxyz0123456789", 32, 3, 300, 552, "best score 1234567");
    draw("gfx/gui/kursor.png", 600 - 14, 200 - 6);
    if (cairo_surface_write_to_png(screen.surface(), file.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + file);

    // The end-of-level summary: closed doors, the banner rider, the open scroll and its glow.
    screen.clear();
    const char* tiles[12][3] = {{"left-1", "0", "0"},     {"left-2", "256", "0"},    {"left-3", "384", "0"},
                                {"left2-1", "0", "512"},  {"left2-2", "256", "512"}, {"left2-3", "384", "512"},
                                {"right-1", "400", "0"},  {"right-2", "656", "0"},   {"right-3", "784", "0"},
                                {"right2-1", "400", "512"}, {"right2-2", "656", "512"}, {"right2-3", "784", "512"}};
    for (const auto& t : tiles)
        draw(std::string("gfx/gui/doors-") + t[0] + ".jpg", std::atoi(t[1]), std::atoi(t[2]));
    draw("gfx/gui/poswiata.png", 157, 383, 0.8);
    draw("gfx/gui/scroll_02.png", 400 - 165, 300 - 160);
    draw("gfx/gui/scroll_01.png", 400 - 175, 300 - 155 - 55);
    draw("gfx/gui/scroll_03.png", 400 - 175, 299 + 155);
    draw("gfx/gui/ilvessa01.png", 40, 138);
    paragraph(cr, Face::Caption, 40, pal::ink, 1, 235, 150, 330, "Well done!");
    paragraph(cr, Face::Serif, 18, pal::ink, 0.85, 285, 220, 235,
              "Matches: 42 Combos: 3 Spells cast: 2 Time: 1:05 Bonus points: 1200 Total points: 12450", false, 1.6);
    std::string summary = file;
    size_t dot = summary.rfind('.');
    summary.insert(dot == std::string::npos ? summary.size() : dot, "-summary");
    if (cairo_surface_write_to_png(screen.surface(), summary.c_str()) != CAIRO_STATUS_SUCCESS)
        throw std::runtime_error("cannot write " + summary);
}

}  // namespace artgen
