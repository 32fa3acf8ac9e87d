// The rest of gfx/gui: menu window panels and their small controls, profile buttons,
// highlight glows, and the two tutorial pages with their hint pictures.
#include "gems.h"

#include <cmath>

namespace artgen {

namespace {

void arrow(Canvas& c, bool left) {
    cairo_t* cr = c.cr();
    const double w = c.width(), h = c.height();
    auto path = [&](cairo_t* g) {
        double tip = left ? 4 : w - 4, back = left ? w - 6 : 6, mid = h / 2;
        cairo_move_to(g, tip, mid);
        cairo_line_to(g, left ? tip + 20 : tip - 20, 4);
        cairo_line_to(g, left ? tip + 20 : tip - 20, mid - 7);
        cairo_line_to(g, back, mid - 7);
        cairo_line_to(g, back, mid + 7);
        cairo_line_to(g, left ? tip + 20 : tip - 20, mid + 7);
        cairo_line_to(g, left ? tip + 20 : tip - 20, h - 4);
        cairo_close_path(g);
    };
    glow(c, [&](cairo_t* g) { path(g); cairo_fill(g); }, pal::candle, 0.5, 3);
    path(cr);
    cairo_pattern_t* m = metalGradient(0, 4, 0, h - 4, true);
    cairo_set_source(cr, m);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(m);
    cairo_set_line_width(cr, 1.2);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    setCol(cr, pal::bronzeDark);
    cairo_stroke(cr);
    cairo_arc(cr, left ? w - 14 : 14, h / 2, 3, 0, 2 * M_PI);
    setCol(cr, rgb(150, 70, 230));
    cairo_fill(cr);
}

void roundButton(Canvas& c, bool plus) {
    cairo_t* cr = c.cr();
    const double m = c.width() / 2.0, r = m - 2;
    cairo_arc(cr, m, m, r, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(m - 4, m - 5, 1, m, m, r);
    stop(g, 0, rgb(130, 80, 190));
    stop(g, 1, rgb(34, 16, 64));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_arc(cr, m, m, r - 1, 0, 2 * M_PI);
    cairo_set_line_width(cr, 2.5);
    cairo_pattern_t* mg = metalGradient(0, 0, c.width(), c.width(), true);
    cairo_set_source(cr, mg);
    cairo_stroke(cr);
    cairo_pattern_destroy(mg);
    cairo_rectangle(cr, m - 7, m - 1.8, 14, 3.6);
    if (plus) cairo_rectangle(cr, m - 1.8, m - 7, 3.6, 14);
    setCol(cr, rgb(255, 236, 170));
    cairo_fill(cr);
}

void checkBox(Canvas& c, bool ticked, double size) {
    cairo_t* cr = c.cr();
    double m = 3;
    roundRect(cr, m, m, size - 2 * m, size - 2 * m, 5);
    setCol(cr, rgb(20, 12, 40), 0.9);
    cairo_fill(cr);
    metalFrame(cr, m, m, size - 2 * m, size - 2 * m, 5, 2.5, true);
    if (ticked) {
        auto tick = [&](cairo_t* g) {
            cairo_move_to(g, size * 0.25, size * 0.5);
            cairo_line_to(g, size * 0.45, size * 0.72);
            cairo_line_to(g, size * 0.82, size * 0.2);
        };
        glow(c, [&](cairo_t* g) { tick(g); cairo_set_line_width(g, 4); cairo_stroke(g); }, rgb(120, 255, 140), 0.8, 2);
        tick(cr);
        cairo_set_line_width(cr, size / 9);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        setCol(cr, rgb(190, 255, 170));
        cairo_stroke(cr);
    }
}

void textPlate(Canvas& c, double x, double y, double w, double h, const char* text, bool lit) {
    buttonPlate(c, x, y, w, h, lit);
    if (!text) return;
    CaptionStyle s;
    s.glowAlpha = lit ? 0.5 : 0;
    s.outlineWidth = 1.2;
    caption(c, x + 5, y + 1, w - 10, h - 2, text, s);
}

// Menu panel: the buttons sit in the middle column; a crest at the top. The options screen's
// "Main Menu" stands at y 320 of the picture, so the frame goes as low as the picture allows.
void menuPanel(Canvas& c) {
    ornatePanel(c, 6, 18, 330, 329, 24);
    drawGem(c, runeLook(5), 171, 22, 34);
    cairo_t* cr = c.cr();
    for (double side : {-1.0, 1.0}) {
        cairo_move_to(cr, 171 + side * 24, 22);
        cairo_curve_to(cr, 171 + side * 60, 10, 171 + side * 90, 34, 171 + side * 130, 22);
        cairo_set_line_width(cr, 2);
        setCol(cr, pal::gold, 0.9);
        cairo_stroke(cr);
    }
}

// The selector panel's top edge stands 22 px down its picture: the player's name under "hello"
// reaches down to about y 210 of the screen, the picture starts at y 200.
void selectorPanel(Canvas& c) {
    ornatePanel(c, 4, 22, 504, 334, 22);
    cairo_t* cr = c.cr();
    // The board preview's window at x 249..443, y 73..267.
    roundRect(cr, 243, 67, 206, 206, 6);
    setCol(cr, rgb(8, 6, 20), 0.95);
    cairo_fill(cr);
    metalFrame(cr, 241, 65, 210, 210, 8, 4, true);
    // A divider under the caption area.
    cairo_move_to(cr, 40, 232);
    cairo_line_to(cr, 220, 232);
    cairo_set_line_width(cr, 1.2);
    setCol(cr, pal::gold, 0.6);
    cairo_stroke(cr);
}

void highlight(Canvas& c) {
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_translate(cr, 128, 32);
    cairo_scale(cr, 124, 30);
    softLight(cr, 0, 0, 1, {1, 0.92, 0.75}, 0.9);
    cairo_restore(cr);
}

void inkBlot(Canvas& c) {
    fillPixels(c, [](int x, int y, double& r, double& g, double& b, double& a) {
        double dx = (x + 0.5 - 64) / 62, dy = (y + 0.5 - 32) / 30;
        double d = std::sqrt(dx * dx + dy * dy) + 0.25 * (fbm(x / 12.0, y / 12.0, 3, 71) - 0.5);
        Col col = mix(rgb(40, 20, 76), rgb(14, 8, 32), std::clamp(d, 0.0, 1.0));
        r = col.r;
        g = col.g;
        b = col.b;
        a = std::clamp((1 - d) * 2.5, 0.0, 0.85);
    });
}

void mouse(Canvas& c, bool wheel) {
    cairo_t* cr = c.cr();
    auto body = [](cairo_t* g) { roundRect(g, 17, 6, 36, 58, 17); };
    glow(c, [&](cairo_t* g) { body(g); cairo_fill(g); }, pal::candle, 0.5, 4);
    body(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(17, 0, 53, 0);
    stop(g, 0, rgb(230, 220, 240));
    stop(g, 1, rgb(150, 140, 170));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.5);
    setCol(cr, rgb(40, 30, 60));
    body(cr);
    cairo_stroke(cr);
    cairo_move_to(cr, 17, 28);
    cairo_line_to(cr, 53, 28);
    cairo_move_to(cr, 35, 6);
    cairo_line_to(cr, 35, 28);
    cairo_stroke(cr);
    if (!wheel) {
        // Left button lit.
        cairo_move_to(cr, 35, 7);
        cairo_line_to(cr, 35, 27);
        cairo_line_to(cr, 18, 27);
        cairo_line_to(cr, 18, 22);
        cairo_curve_to(cr, 18, 12, 25, 7, 35, 7);
        setCol(cr, rgb(255, 190, 70), 0.9);
        cairo_fill(cr);
    } else {
        roundRect(cr, 31.5, 10, 7, 14, 3.5);
        setCol(cr, rgb(255, 190, 70));
        cairo_fill(cr);
        for (double y : {3.0, 31.0}) {
            cairo_move_to(cr, 35, y + (y < 10 ? 0 : 4));
            cairo_line_to(cr, 31, y + (y < 10 ? 4 : 0));
            cairo_line_to(cr, 39, y + (y < 10 ? 4 : 0));
            cairo_close_path(cr);
            setCol(cr, rgb(255, 230, 160));
            cairo_fill(cr);
        }
    }
}

void key(Canvas& c, double x, double y, double w, double h, const char* label) {
    cairo_t* cr = c.cr();
    roundRect(cr, x, y + 3, w, h, 5);
    setCol(cr, rgb(30, 20, 50));
    cairo_fill(cr);
    roundRect(cr, x, y, w, h, 5);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    stop(g, 0, rgb(240, 232, 250));
    stop(g, 1, rgb(170, 160, 190));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    useFont(cr, Face::SansBold, 11);
    TextBox b = measure(cr, label);
    cairo_move_to(cr, x + (w - b.w) / 2 - b.x, y + (h - b.h) / 2 - b.y);
    setCol(cr, rgb(40, 26, 60));
    cairo_show_text(cr, label);
}

void keyboard(Canvas& c) {
    glow(c, [](cairo_t* g) { roundRect(g, 6, 8, 108, 46, 8); cairo_fill(g); }, pal::candle, 0.45, 4);
    key(c, 8, 8, 48, 20, "Ctrl");
    key(c, 62, 8, 50, 20, "Alt");
    key(c, 8, 32, 104, 20, "Space");
}

// An ink label on a tutorial page.
void label(Canvas& c, double x, double y, double w, const char* text, double size = 15) {
    paragraph(c.cr(), Face::Caption, size, pal::ink, 0.9, x, y, w, text);
}

void tutorialPage(Canvas& c, bool boss) {
    parchment(c, 0, 0, 800, 600, 0, boss ? 83 : 82);
    cairo_t* cr = c.cr();
    // A gold rule around the page.
    roundRect(cr, 8, 8, 784, 584, 10);
    cairo_set_line_width(cr, 3);
    setCol(cr, rgb(150, 96, 36), 0.8);
    cairo_stroke(cr);
    CaptionStyle title;
    title.glowAlpha = 0;
    title.shadowAlpha = 0.3;
    title.top = rgb(120, 40, 20);
    title.bottom = rgb(70, 20, 10);
    title.outline = rgb(250, 230, 190);
    title.outlineWidth = 1.2;
    if (!boss) {
        caption(c, 250, 12, 300, 48, "How to Play", title);
        // Room for the demos; short lines beside each of them. The turning block sweeps
        // x 63..217, y 3..157, so its line sits under the control hints instead.
        label(c, 24, 250, 276, "Turn the block with the wheel, the right button or the space bar");
        label(c, 560, 180, 200, "Three runes of one colour in a row or a column vanish");
        label(c, 40, 478, 215, "Put the block down with a left click wherever it fits");
        label(c, 540, 478, 240, "One block can finish two rows at once");
        // The sphere (x 312..482, y 74..244) has its next-block window at (404, 169); its line
        // stands in the gap right of it, before the row demonstration, with an ink stroke to it.
        label(c, 490, 62, 110, "The window in the sphere shows the block that comes next", 14);
        cairo_move_to(cr, 494, 132);
        cairo_curve_to(cr, 488, 124, 484, 116, 478, 112);
        cairo_set_line_width(cr, 1.6);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        setCol(cr, pal::ink, 0.75);
        cairo_stroke(cr);
        // The head points down the line to the window.
        cairo_move_to(cr, 471, 107);
        cairo_line_to(cr, 481, 109);
        cairo_line_to(cr, 476, 116);
        cairo_close_path(cr);
        cairo_fill(cr);
        label(c, 480, 280, 170, "Each colour you clear fills a vial of the magic sphere. Fill them all!");
        label(c, 300, 430, 200, "Keep an eye on the hourglass when time is short");
    } else {
        caption(c, 220, 12, 360, 48, "The Rune Guardian", title);
        // Frame for the boss demo (x 280..520, y 135..375).
        roundRect(cr, 268, 123, 264, 264, 14);
        setCol(cr, rgb(40, 24, 60), 0.12);
        cairo_fill_preserve(cr);
        setCol(cr, rgb(150, 96, 36), 0.8);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
        label(c, 40, 200, 200, "A guardian rune covers two by two cells of the board.", 17);
        label(c, 560, 160, 200, "Dark soot marks the sixteen cells around it.", 17);
        label(c, 560, 260, 200, "Fill them with runes of the guardian's colour and it shatters.", 17);
    }
    for (int i = 0; i < 4; ++i)
        drawGem(c, runeLook(i == 0 ? 1 : i == 1 ? 2 : i == 2 ? 3 : 5), (i % 2) ? 770 : 30, (i / 2) ? 570 : 30, 26);
    // The unlit "Play" button (lit pictures cover x 369..433, y 570..594).
    buttonPlate(c, 369, 570, 64, 24, false);
    CaptionStyle s;
    s.glowAlpha = 0;
    s.outlineWidth = 1.2;
    caption(c, 374, 571, 54, 22, "Play", s);
}

void playLit(Canvas& c) {
    buttonPlate(c, 0.5, 0.5, 63, 23, true);
    CaptionStyle s;
    s.glowAlpha = 0.6;
    s.top = {1, 1, 0.95};
    s.bottom = rgb(255, 200, 110);
    s.outlineWidth = 1.2;
    caption(c, 5, 1, 54, 22, "Play", s);
}

}  // namespace

ARTGEN_FAMILY(menuFamily) {
    addImage("gfx/gui/galeria_05.png", 45, 40, [](Canvas& c) { arrow(c, true); });
    addImage("gfx/gui/galeria_03.png", 45, 40, [](Canvas& c) { arrow(c, false); });
    addImage("gfx/gui/hello-plama2.png", 128, 64, inkBlot);
    addImage("gfx/gui/plus.png", 30, 30, [](Canvas& c) { roundButton(c, true); });
    addImage("gfx/gui/minus.png", 30, 30, [](Canvas& c) { roundButton(c, false); });
    addImage("gfx/gui/suwak.png", 11, 20, [](Canvas& c) {
        roundRect(c.cr(), 1, 1, 9, 18, 3);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 1, 0, 19);
        stop(g, 0, rgb(255, 240, 170));
        stop(g, 1, rgb(220, 130, 40));
        cairo_set_source(c.cr(), g);
        cairo_fill_preserve(c.cr());
        cairo_pattern_destroy(g);
        cairo_set_line_width(c.cr(), 1);
        setCol(c.cr(), pal::bronzeDark);
        cairo_stroke(c.cr());
    });
    addImage("gfx/gui/ptaszek.png", 30, 30, [](Canvas& c) { checkBox(c, true, 30); });
    addImage("gfx/gui/ptaszek-brak.png", 30, 30, [](Canvas& c) { checkBox(c, false, 30); });
    addImage("gfx/gui/ptaszek_01.png", 24, 24, [](Canvas& c) {
        auto tick = [](cairo_t* g) {
            cairo_move_to(g, 5, 12);
            cairo_line_to(g, 10, 18);
            cairo_line_to(g, 20, 5);
        };
        glow(c, [&](cairo_t* g) { tick(g); cairo_set_line_width(g, 5); cairo_stroke(g); }, pal::candle, 0.8, 2);
        tick(c.cr());
        cairo_set_line_width(c.cr(), 3);
        cairo_set_line_cap(c.cr(), CAIRO_LINE_CAP_ROUND);
        cairo_set_line_join(c.cr(), CAIRO_LINE_JOIN_ROUND);
        setCol(c.cr(), rgb(255, 230, 150));
        cairo_stroke(c.cr());
    });
    addImage("gfx/gui/pod-menu.png", 342, 350, menuPanel);
    addImage("gfx/gui/pod-selector.png", 512, 360, selectorPanel);
    addImage("gfx/gui/podswietlacz2.png", 256, 64, highlight);
    struct Plate {
        const char* path;
        int w, h;
        const char* text;
    };
    static const Plate plates[] = {
        {"gfx/gui/profile-change.png", 150, 50, "Change profile"}, {"gfx/gui/profile-ok.png", 42, 26, "OK"},
        {"gfx/gui/profile-cancel.png", 80, 26, "Cancel"},          {"gfx/gui/profile-new.png", 57, 26, "New"},
        {"gfx/gui/profile-rename.png", 86, 26, "Rename"},          {"gfx/gui/profile-delete.png", 75, 26, "Delete"},
    };
    for (const Plate& p : plates)
        addImage(p.path, p.w, p.h, [p](Canvas& c) {
            double h = p.h > 30 ? 34 : p.h - 1;
            textPlate(c, 0.5, (p.h - h) / 2, p.w - 1, h, p.text, false);
        });
    addStrip("gfx/gui/textButton.png", 120, 40, 2, [](Canvas& c, int f) { textPlate(c, 1, 2, 118, 36, nullptr, f == 1); });
    addImage("gfx/gui/tut-play.png", 64, 24, playLit);
    addImage("gfx/gui/tut-play2.png", 64, 24, playLit);
    addImage("gfx/gui/tutorial.jpg", 800, 600, [](Canvas& c) { tutorialPage(c, false); });
    addImage("gfx/gui/tutorial2boss.jpg", 800, 600, [](Canvas& c) { tutorialPage(c, true); });
    addImage("gfx/gui/tutorial_keyb.png", 120, 60, keyboard);
    addImage("gfx/gui/tutorial_mouse.png", 70, 70, [](Canvas& c) { mouse(c, false); });
    addImage("gfx/gui/tutorial_mouse_1.png", 70, 70, [](Canvas& c) { mouse(c, true); });
}

}  // namespace artgen
