// gfx/story: the painted pictures of the story pages. 800 wide, opaque, painted like the level
// scenes. Each is drawn at its page's PosY and must cover the band from y 80 (the top ornament's
// lower edge) to y 381 (the panel's upper edge), since the story screen never clears: most are
// 400 high (PosY -19 .. 80); the valley is 560 high, for a page that pans down it.
#include "gems.h"
#include "scene.h"

#include <cmath>

namespace artgen {

namespace {

// A ring of glowing rune stones on the ground, small with distance.
void glowingStones(Canvas& c, double cx, double baseY, double spread, double size, int first) {
    for (int i = 0; i < 7; ++i) {
        const double x = cx + spread * (i - 3) / 3.0;
        const double y = baseY - size * 0.4 * (1.0 - std::abs(i - 3) / 3.0);
        drawGem(c, runeLook(1 + (first + i) % 9), x, y, size);
    }
}

// The valley of Velmar at dusk, seen from above: sky and peaks at the top, the lit villages and
// the rune stones on the valley floor far below.
void velmarVale(Canvas& c) {
    paintSky(c, {rgb(14, 14, 48), rgb(64, 44, 112), rgb(236, 150, 110), 250});
    stars(c, 220, 180, 301);
    moon(c, 620, 90, 28, rgb(255, 236, 200), 0.5);
    clouds(c, 120, 220, rgb(170, 100, 150), 0.5, 302);
    horizonGlow(c, 400, 250, 260, rgb(255, 170, 100), 0.45);
    ridge(c, 230, 90, 0.8, rgb(96, 72, 124), 303, rgb(255, 190, 150), 0.4);
    ridge(c, 280, 70, 0.6, rgb(64, 46, 92), 304);
    forest(c, 350, 50, rgb(40, 34, 70), 305, 1.1);
    fog(c, 360, 40, rgb(190, 160, 210), 0.4, 306);
    ridge(c, 400, 30, 0.2, rgb(34, 28, 60), 307);
    water(c, 430, rgb(40, 36, 90), 0.35, 308);
    cairo_t* cr = c.cr();
    setCol(cr, rgb(26, 22, 46));
    cairo_rectangle(cr, 0, 470, 800, 90);
    cairo_fill(cr);
    tower(c, 150, 475, 30, 90, rgb(26, 22, 46), rgb(255, 200, 110), 309, false);
    tower(c, 660, 478, 26, 70, rgb(26, 22, 46), rgb(255, 200, 110), 310, false);
    glowingStones(c, 400, 520, 220, 34, 0);
    fireflies(c, 30, 0, 440, 800, 555, rgb(255, 220, 130), 311);
    vignette(c, 0.5);
}

// The keepers' hall: a lone tower with one lit window under the night sky.
void keeperHall(Canvas& c) {
    paintSky(c, {rgb(8, 10, 36), rgb(30, 30, 80), rgb(90, 70, 130), 330});
    stars(c, 300, 300, 321);
    moon(c, 180, 120, 36, rgb(240, 236, 255), 0.7);
    clouds(c, 160, 300, rgb(90, 80, 150), 0.4, 322);
    ridge(c, 300, 60, 0.5, rgb(50, 44, 96), 323);
    ridge(c, 340, 40, 0.3, rgb(32, 28, 66), 324);
    tower(c, 470, 360, 70, 260, rgb(22, 18, 44), rgb(255, 190, 90), 325);
    horizonGlow(c, 470, 200, 90, rgb(255, 190, 100), 0.25);
    forest(c, 400, 60, rgb(14, 12, 30), 326, 1.2);
    fireflies(c, 20, 0, 320, 800, 395, rgb(255, 210, 120), 327);
    vignette(c, 0.55);
}

// The keepers' sphere: a glass globe of colours hanging over a circle of stones.
void runeSphere(Canvas& c) {
    paintSky(c, {rgb(10, 8, 34), rgb(44, 24, 84), rgb(120, 70, 150), 360});
    stars(c, 260, 360, 331);
    aurora(c, 110, rgb(80, 200, 255), rgb(200, 90, 255), 332);
    ridge(c, 330, 40, 0.3, rgb(50, 30, 80), 333);
    standingStones(c, 400, 385, 1.0, rgb(26, 16, 40), 334);
    horizonGlow(c, 400, 190, 150, rgb(200, 170, 255), 0.45);
    cairo_t* cr = c.cr();
    cairo_pattern_t* glass = cairo_pattern_create_radial(380, 170, 10, 400, 190, 95);
    cairo_pattern_add_color_stop_rgba(glass, 0, 1, 1, 1, 0.55);
    cairo_pattern_add_color_stop_rgba(glass, 0.6, 0.55, 0.5, 0.9, 0.25);
    cairo_pattern_add_color_stop_rgba(glass, 1, 0.8, 0.7, 1, 0.6);
    cairo_arc(cr, 400, 190, 95, 0, 6.2832);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    for (int i = 0; i < 6; ++i) drawGem(c, runeLook(1 + i), 340 + i * 24, 190 + 14 * ((i % 2) ? 1 : -1), 26);
    fireflies(c, 30, 260, 80, 540, 300, rgb(220, 200, 255), 335);
    vignette(c, 0.5);
}

// The sunken road: a causeway between black pools, dead trees and fog.
void mireRoad(Canvas& c) {
    paintSky(c, {rgb(20, 26, 44), rgb(60, 70, 90), rgb(170, 150, 120), 250});
    stars(c, 60, 120, 341, 0.5);
    clouds(c, 90, 230, rgb(110, 110, 130), 0.6, 342);
    ridge(c, 240, 40, 0.4, rgb(70, 76, 96), 343);
    forest(c, 270, 50, rgb(46, 52, 66), 344, 0.6);
    water(c, 280, rgb(20, 28, 30), 0.55, 345);
    cairo_t* cr = c.cr();
    setCol(cr, rgb(46, 40, 40));
    cairo_move_to(cr, 360, 280);
    cairo_line_to(cr, 440, 280);
    cairo_line_to(cr, 620, 400);
    cairo_line_to(cr, 180, 400);
    cairo_close_path(cr);
    cairo_fill(cr);
    // Thorn stems over the pools.
    setCol(cr, rgb(18, 20, 24));
    cairo_set_line_width(cr, 3);
    for (int i = 0; i < 14; ++i) {
        const double x = (i < 7 ? 20 + i * 24 : 600 + (i - 7) * 28) + 8 * hash2(i, 1, 346);
        cairo_move_to(cr, x, 400);
        cairo_curve_to(cr, x + 20 * hash2(i, 2, 346), 350, x - 15, 320, x + 10 * hash2(i, 3, 346),
                       290 - 40 * hash2(i, 4, 346));
        cairo_stroke(cr);
    }
    fog(c, 300, 50, rgb(170, 180, 190), 0.55, 347);
    drawStone(c, runeLook(3), 250, 370, 26);
    drawGem(c, runeLook(5), 530, 365, 24);
    vignette(c, 0.6);
}

// Mirethorn: a black tower in a thicket of thorns under a red sky.
void thornTower(Canvas& c) {
    paintSky(c, {rgb(24, 8, 24), rgb(90, 24, 46), rgb(230, 90, 60), 300});
    stars(c, 90, 160, 351, 0.6);
    clouds(c, 100, 260, rgb(150, 40, 60), 0.7, 352);
    horizonGlow(c, 420, 300, 240, rgb(255, 120, 60), 0.5);
    ridge(c, 290, 70, 1.0, rgb(70, 20, 40), 353);
    tower(c, 420, 330, 64, 250, rgb(16, 6, 16), rgb(255, 80, 60), 354);
    tower(c, 350, 330, 30, 140, rgb(16, 6, 16), rgb(255, 80, 60), 355, false);
    tower(c, 500, 330, 34, 170, rgb(16, 6, 16), rgb(255, 80, 60), 356, false);
    ridge(c, 340, 50, 1.0, rgb(30, 8, 22), 357);
    ridge(c, 380, 30, 1.0, rgb(14, 4, 12), 358);
    fog(c, 350, 40, rgb(200, 90, 90), 0.35, 359);
    vignette(c, 0.6);
}

// Dawn over Velmar: the light returned, the stones bright, the thorn gone.
void velmarDawn(Canvas& c) {
    paintSky(c, {rgb(60, 90, 160), rgb(160, 140, 190), rgb(255, 200, 140), 300});
    stars(c, 30, 100, 361, 0.3);
    clouds(c, 110, 260, rgb(255, 190, 170), 0.6, 362);
    horizonGlow(c, 400, 300, 300, rgb(255, 220, 150), 0.7);
    ridge(c, 280, 80, 0.7, rgb(130, 110, 160), 363, rgb(255, 220, 180), 0.5);
    ridge(c, 320, 50, 0.4, rgb(90, 90, 130), 364);
    forest(c, 360, 50, rgb(50, 70, 90), 365, 0.9);
    cairo_t* cr = c.cr();
    setCol(cr, rgb(40, 56, 70));
    cairo_rectangle(cr, 0, 360, 800, 40);
    cairo_fill(cr);
    glowingStones(c, 400, 385, 300, 30, 3);
    vignette(c, 0.35);
}

}  // namespace

ARTGEN_FAMILY(storyPictureFamily) {
    addImage("gfx/story/velmar-vale.jpg", 800, 560, velmarVale);
    addImage("gfx/story/keeper-hall.jpg", 800, 400, keeperHall);
    addImage("gfx/story/rune-sphere.jpg", 800, 400, runeSphere);
    addImage("gfx/story/mire-road.jpg", 800, 400, mireRoad);
    addImage("gfx/story/thorn-tower.jpg", 800, 400, thornTower);
    addImage("gfx/story/velmar-dawn.jpg", 800, 400, velmarDawn);
}

}  // namespace artgen
