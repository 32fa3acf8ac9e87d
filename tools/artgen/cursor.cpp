// The mouse cursor: a gold-tipped wand pointer whose hot spot is pixel (14, 6).
#include "paint.h"

#include <cmath>

namespace artgen {

ARTGEN_FAMILY(cursorFamily) {
    addImage("gfx/gui/kursor.png", 32, 32, [](Canvas& c) {
        cairo_t* cr = c.cr();
        // An arrow head pointing up-left whose tip is the hot spot.
        auto arrow = [](cairo_t* g) {
            cairo_move_to(g, 14, 6);
            cairo_line_to(g, 27, 17);
            cairo_line_to(g, 21, 18);
            cairo_line_to(g, 25, 27);
            cairo_line_to(g, 21.5, 28.5);
            cairo_line_to(g, 17.5, 19.5);
            cairo_line_to(g, 13.5, 23.5);
            cairo_close_path(g);
        };
        glow(c, [&](cairo_t* g) { arrow(g); cairo_fill(g); }, pal::candle, 0.7, 4);
        arrow(cr);
        cairo_pattern_t* m = metalGradient(14, 6, 24, 28, true);
        cairo_set_source(cr, m);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(m);
        setCol(cr, pal::bronzeDark);
        cairo_set_line_width(cr, 1.2);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke(cr);
        // A sparkle at the tip.
        twinkle(cr, 14, 6, 5, {1, 1, 0.9}, 0.9);
    });
}

}  // namespace artgen
