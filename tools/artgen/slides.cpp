// gfx/slides: the painted scenes behind the board levels, which the gallery shows and the
// picture puzzle cuts up. 800 x 600, opaque, at dusk or night.
#include "gems.h"
#include "scene.h"

#include <cmath>

namespace artgen {

namespace {

// Twilight valley: a wizard's tower on a cliff over a lake, crescent moon.
void valleyTower(Canvas& c) {
    paintSky(c, {rgb(14, 16, 48), rgb(70, 44, 110), rgb(236, 140, 110), 400});
    stars(c, 260, 300, 11);
    moon(c, 610, 110, 34, rgb(255, 236, 200), 0.55);
    clouds(c, 150, 300, rgb(160, 90, 140), 0.55, 12);
    horizonGlow(c, 420, 400, 260, rgb(255, 160, 90), 0.45);
    ridge(c, 360, 90, 0.8, rgb(92, 70, 120), 13, rgb(255, 190, 150), 0.4);
    ridge(c, 390, 60, 0.5, rgb(58, 42, 86), 14);
    // The cliff with the tower on the left.
    cairo_t* cr = c.cr();
    setCol(cr, rgb(30, 22, 48));
    cairo_move_to(cr, 0, 600);
    cairo_line_to(cr, 0, 300);
    cairo_curve_to(cr, 80, 290, 160, 300, 200, 330);
    cairo_curve_to(cr, 230, 380, 220, 420, 260, 430);
    cairo_line_to(cr, 260, 600);
    cairo_close_path(cr);
    cairo_fill(cr);
    tower(c, 110, 305, 56, 170, rgb(30, 22, 48), rgb(255, 190, 90), 15);
    water(c, 430, rgb(30, 30, 80), 0.35, 16);
    setCol(cr, rgb(24, 18, 40));
    cairo_rectangle(cr, 0, 430, 260, 170);
    cairo_fill(cr);
    forest(c, 560, 60, rgb(16, 14, 32), 17, 1.3);
    fireflies(c, 25, 260, 440, 800, 560, rgb(255, 220, 120), 18);
    vignette(c, 0.5);
}

// Ruined temple under a huge violet moon.
void moonRuins(Canvas& c) {
    paintSky(c, {rgb(20, 10, 46), rgb(64, 30, 96), rgb(150, 90, 170), 430});
    stars(c, 300, 320, 21);
    moon(c, 420, 230, 120, rgb(230, 210, 250), 0);
    clouds(c, 260, 380, rgb(120, 70, 150), 0.6, 22);
    ridge(c, 430, 40, 0.3, rgb(70, 40, 100), 23);
    ruins(c, 200, 470, 1.6, rgb(36, 20, 58), 24);
    ridge(c, 500, 30, 0.2, rgb(30, 18, 48), 25);
    fog(c, 470, 40, rgb(170, 140, 210), 0.5, 26);
    ruins(c, 560, 560, 0.9, rgb(20, 12, 34), 27);
    cairo_rectangle(c.cr(), 0, 555, 800, 45);
    setCol(c.cr(), rgb(20, 12, 34));
    cairo_fill(c.cr());
    vignette(c, 0.55);
}

// Pine forest at dusk with fog and fireflies.
void duskForest(Canvas& c) {
    paintSky(c, {rgb(16, 30, 60), rgb(50, 70, 110), rgb(230, 170, 120), 360});
    stars(c, 120, 200, 31, 0.7);
    horizonGlow(c, 520, 360, 220, rgb(255, 180, 100), 0.5);
    ridge(c, 330, 110, 0.9, rgb(90, 100, 140), 32, rgb(255, 200, 160), 0.5);
    forest(c, 380, 70, rgb(50, 62, 90), 33, 1.2);
    fog(c, 390, 40, rgb(190, 190, 220), 0.45, 34);
    forest(c, 450, 110, rgb(30, 40, 62), 35, 1.0);
    fog(c, 470, 50, rgb(150, 150, 190), 0.35, 36);
    forest(c, 560, 190, rgb(14, 20, 34), 37, 0.8);
    fireflies(c, 40, 0, 380, 800, 580, rgb(200, 255, 140), 38);
    vignette(c, 0.5);
}

// A castle on a hill under an aurora.
void auroraCastle(Canvas& c) {
    paintSky(c, {rgb(6, 12, 34), rgb(16, 30, 70), rgb(40, 70, 110), 420});
    stars(c, 380, 380, 41);
    aurora(c, 170, rgb(60, 255, 170), rgb(140, 80, 255), 42);
    ridge(c, 420, 60, 0.7, rgb(40, 56, 90), 43);
    cairo_t* cr = c.cr();
    setCol(cr, rgb(22, 28, 52));
    cairo_move_to(cr, 150, 600);
    cairo_curve_to(cr, 300, 420, 520, 420, 700, 600);
    cairo_fill(cr);
    // Keep and towers.
    setCol(cr, rgb(22, 28, 52));
    cairo_rectangle(cr, 350, 340, 140, 140);
    cairo_fill(cr);
    for (int i = 0; i < 7; ++i) {
        cairo_rectangle(cr, 350 + i * 21, 330, 12, 12);
        cairo_fill(cr);
    }
    tower(c, 340, 480, 48, 200, rgb(22, 28, 52), rgb(255, 200, 110), 44);
    tower(c, 500, 480, 44, 170, rgb(22, 28, 52), rgb(255, 200, 110), 45);
    tower(c, 420, 350, 36, 110, rgb(22, 28, 52), rgb(255, 200, 110), 46);
    forest(c, 560, 70, rgb(10, 14, 28), 47, 1.0);
    vignette(c, 0.45);
}

// Standing stones on a moor at sunset.
void stoneCircle(Canvas& c) {
    paintSky(c, {rgb(40, 24, 80), rgb(170, 70, 110), rgb(255, 170, 80), 430});
    stars(c, 80, 150, 51, 0.6);
    clouds(c, 120, 330, rgb(230, 110, 110), 0.7, 52);
    horizonGlow(c, 400, 430, 240, rgb(255, 210, 120), 0.7);
    ridge(c, 420, 40, 0.4, rgb(110, 60, 100), 53);
    ridge(c, 470, 30, 0.15, rgb(60, 34, 66), 54);
    standingStones(c, 400, 490, 1.25, rgb(34, 20, 44), 55);
    ridge(c, 540, 20, 0.1, rgb(26, 16, 34), 56);
    vignette(c, 0.5);
}

// An island tower in a calm lake at the blue hour.
void lakeTower(Canvas& c) {
    paintSky(c, {rgb(10, 20, 60), rgb(40, 70, 140), rgb(150, 170, 220), 380});
    stars(c, 200, 260, 61);
    moon(c, 180, 120, 26, rgb(240, 240, 255), 0);
    clouds(c, 180, 320, rgb(120, 140, 200), 0.4, 62);
    ridge(c, 360, 70, 0.6, rgb(70, 90, 150), 63);
    ridge(c, 380, 40, 0.4, rgb(40, 56, 100), 64);
    cairo_t* cr = c.cr();
    setCol(cr, rgb(22, 30, 60));
    cairo_move_to(cr, 470, 385);
    cairo_curve_to(cr, 520, 360, 640, 360, 690, 385);
    cairo_fill(cr);
    tower(c, 580, 372, 40, 160, rgb(22, 30, 60), rgb(255, 210, 130), 65);
    tower(c, 640, 380, 26, 80, rgb(22, 30, 60), rgb(255, 210, 130), 66, false);
    water(c, 385, rgb(20, 40, 90), 0.3, 67);
    fireflies(c, 12, 100, 420, 700, 580, rgb(255, 230, 150), 68);
    vignette(c, 0.5);
}

// Canyon ruins with an arch and two moons.
void canyonArch(Canvas& c) {
    paintSky(c, {rgb(30, 16, 50), rgb(120, 60, 90), rgb(240, 150, 90), 400});
    stars(c, 150, 240, 71);
    moon(c, 200, 110, 30, rgb(255, 220, 190), 0.4);
    moon(c, 270, 160, 14, rgb(200, 220, 255), 0);
    horizonGlow(c, 560, 400, 200, rgb(255, 180, 90), 0.5);
    ridge(c, 380, 80, 0.3, rgb(140, 70, 80), 72);
    cairo_t* cr = c.cr();
    setCol(cr, rgb(70, 32, 48));
    // Mesa walls.
    cairo_move_to(cr, 0, 600);
    cairo_line_to(cr, 0, 260);
    cairo_line_to(cr, 120, 250);
    cairo_line_to(cr, 150, 330);
    cairo_line_to(cr, 170, 600);
    cairo_fill(cr);
    cairo_move_to(cr, 800, 600);
    cairo_line_to(cr, 800, 230);
    cairo_line_to(cr, 680, 240);
    cairo_line_to(cr, 650, 320);
    cairo_line_to(cr, 620, 600);
    cairo_fill(cr);
    ruins(c, 300, 500, 1.3, rgb(50, 22, 36), 73);
    ridge(c, 520, 25, 0.2, rgb(40, 18, 30), 74);
    vignette(c, 0.5);
}

// Snowy peaks and a monastery on a cold starry night.
void snowMonastery(Canvas& c) {
    paintSky(c, {rgb(4, 8, 30), rgb(14, 26, 66), rgb(60, 80, 130), 380});
    stars(c, 450, 380, 81, 1.2);
    moon(c, 660, 90, 22, rgb(230, 240, 255), 0.2);
    ridge(c, 300, 260, 1.0, rgb(150, 170, 210), 82, {1, 1, 1}, 0.6);
    ridge(c, 400, 140, 0.8, rgb(90, 110, 160), 83, rgb(220, 230, 255), 0.4);
    cairo_t* cr = c.cr();
    // The monastery on a spur.
    setCol(cr, rgb(30, 36, 64));
    cairo_move_to(cr, 0, 600);
    cairo_line_to(cr, 0, 420);
    cairo_curve_to(cr, 150, 400, 260, 410, 330, 470);
    cairo_line_to(cr, 360, 600);
    cairo_fill(cr);
    cairo_rectangle(cr, 90, 360, 130, 55);
    cairo_fill(cr);
    tower(c, 150, 365, 40, 90, rgb(30, 36, 64), rgb(255, 200, 120), 84);
    tower(c, 230, 420, 30, 60, rgb(30, 36, 64), rgb(255, 200, 120), 85, false);
    forest(c, 580, 80, rgb(14, 20, 40), 86, 0.9);
    fog(c, 470, 40, rgb(180, 200, 240), 0.3, 87);
    vignette(c, 0.45);
}

// A giant old tree with lit windows in an enchanted wood.
void greatTree(Canvas& c) {
    paintSky(c, {rgb(10, 24, 30), rgb(30, 60, 70), rgb(120, 160, 130), 380});
    stars(c, 120, 220, 91, 0.7);
    ridge(c, 380, 50, 0.5, rgb(50, 80, 80), 92);
    forest(c, 420, 90, rgb(30, 54, 58), 93, 1.1);
    fog(c, 430, 40, rgb(170, 220, 200), 0.4, 94);
    cairo_t* cr = c.cr();
    Col bark = rgb(18, 30, 34);
    setCol(cr, bark);
    // Trunk with roots, a wide crown.
    cairo_move_to(cr, 300, 600);
    cairo_curve_to(cr, 360, 540, 370, 420, 360, 300);
    cairo_line_to(cr, 460, 300);
    cairo_curve_to(cr, 450, 420, 460, 540, 540, 600);
    cairo_fill(cr);
    for (int i = 0; i < 14; ++i) {
        double a = M_PI + i * M_PI / 13, r = 170 + 40 * hash2(i, 1, 95);
        cairo_arc(cr, 410 + r * std::cos(a) * 1.2, 250 + r * std::sin(a) * 0.6, 60 + 30 * hash2(i, 2, 95), 0,
                  2 * M_PI);
        cairo_fill(cr);
    }
    cairo_arc(cr, 410, 220, 130, 0, 2 * M_PI);
    cairo_fill(cr);
    // A round door and windows.
    softLight(cr, 410, 520, 70, rgb(255, 200, 110), 0.5);
    cairo_arc(cr, 410, 520, 22, M_PI, 2 * M_PI);
    cairo_line_to(cr, 432, 560);
    cairo_line_to(cr, 388, 560);
    cairo_close_path(cr);
    setCol(cr, rgb(255, 200, 110));
    cairo_fill(cr);
    for (auto [x, y] : {std::pair{380.0, 420.0}, std::pair{440.0, 360.0}, std::pair{395.0, 320.0}}) {
        softLight(cr, x, y, 24, rgb(255, 200, 110), 0.5);
        cairo_arc(cr, x, y, 6, 0, 2 * M_PI);
        setCol(cr, rgb(255, 220, 140));
        cairo_fill(cr);
    }
    fireflies(c, 50, 0, 250, 800, 580, rgb(160, 255, 200), 96);
    forest(c, 590, 50, rgb(10, 18, 20), 97, 1.4);
    vignette(c, 0.5);
}

// A lighthouse on a sea cliff, its beam across the evening sea.
void seaLighthouse(Canvas& c) {
    paintSky(c, {rgb(16, 18, 56), rgb(80, 60, 130), rgb(240, 150, 130), 360});
    stars(c, 150, 220, 101);
    clouds(c, 140, 320, rgb(200, 110, 150), 0.6, 102);
    horizonGlow(c, 300, 360, 220, rgb(255, 170, 120), 0.5);
    cairo_t* cr = c.cr();
    // The beam.
    cairo_move_to(cr, 640, 190);
    cairo_line_to(cr, 0, 110);
    cairo_line_to(cr, 0, 230);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(640, 0, 0, 0);
    stop(g, 0, rgb(255, 240, 190), 0.45);
    stop(g, 1, rgb(255, 240, 190), 0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    water(c, 360, rgb(30, 30, 80), 0.4, 103);
    setCol(cr, rgb(26, 20, 44));
    cairo_move_to(cr, 800, 600);
    cairo_line_to(cr, 540, 600);
    cairo_curve_to(cr, 560, 420, 560, 330, 600, 300);
    cairo_line_to(cr, 800, 290);
    cairo_close_path(cr);
    cairo_fill(cr);
    tower(c, 640, 305, 34, 110, rgb(26, 20, 44), rgb(255, 220, 140), 104, false);
    softLight(cr, 640, 190, 40, rgb(255, 240, 190), 0.9);
    vignette(c, 0.5);
}

// Floating islands in a violet sky.
void floatingIslands(Canvas& c) {
    paintSky(c, {rgb(26, 14, 60), rgb(90, 60, 150), rgb(220, 160, 200), 600});
    stars(c, 200, 300, 111);
    clouds(c, 380, 600, rgb(230, 190, 230), 0.8, 112);
    cairo_t* cr = c.cr();
    struct Island {
        double x, y, s;
    };
    const Island islands[] = {{200, 260, 1.0}, {600, 180, 0.7}, {520, 420, 0.5}, {100, 470, 0.4}};
    for (const Island& is : islands) {
        Col col = mix(rgb(40, 24, 70), rgb(120, 90, 160), 0.5 - is.s * 0.4);
        setCol(cr, col);
        cairo_move_to(cr, is.x - 110 * is.s, is.y);
        cairo_curve_to(cr, is.x - 60 * is.s, is.y + 60 * is.s, is.x - 20 * is.s, is.y + 150 * is.s, is.x,
                       is.y + 170 * is.s);
        cairo_curve_to(cr, is.x + 30 * is.s, is.y + 120 * is.s, is.x + 70 * is.s, is.y + 60 * is.s, is.x + 110 * is.s,
                       is.y);
        cairo_close_path(cr);
        cairo_fill(cr);
        for (int t = 0; t < 6; ++t) pine(cr, is.x - 90 * is.s + t * 34 * is.s, is.y + 2, (30 + 20 * hash2(t, 1, 113)) * is.s);
        cairo_fill(cr);
        if (is.s >= 0.7) tower(c, is.x + 30 * is.s, is.y, 26 * is.s, 80 * is.s, col, rgb(255, 210, 130), 114);
        // A thin waterfall.
        cairo_rectangle(cr, is.x - 40 * is.s, is.y + 10 * is.s, 4 * is.s, 140 * is.s);
        cairo_pattern_t* g = cairo_pattern_create_linear(0, is.y, 0, is.y + 150 * is.s);
        stop(g, 0, rgb(210, 220, 255), 0.8);
        stop(g, 1, rgb(210, 220, 255), 0);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    vignette(c, 0.45);
}

// A bridge over a gorge to a city of spires at sunset.
void spireCity(Canvas& c) {
    paintSky(c, {rgb(30, 20, 70), rgb(150, 70, 110), rgb(255, 190, 110), 380});
    stars(c, 80, 160, 121, 0.6);
    clouds(c, 100, 300, rgb(255, 150, 120), 0.6, 122);
    horizonGlow(c, 560, 380, 240, rgb(255, 210, 140), 0.6);
    Col city = rgb(80, 44, 90);
    for (int i = 0; i < 9; ++i)
        tower(c, 440 + i * 40 + 10 * hash2(i, 1, 123), 380, 18 + 10 * hash2(i, 2, 123), 80 + 120 * hash2(i, 3, 123),
              city, rgb(255, 200, 120), 124 + i, i % 3 == 0);
    cairo_t* cr = c.cr();
    setCol(cr, city);
    cairo_rectangle(cr, 420, 370, 380, 40);
    cairo_fill(cr);
    ridge(c, 430, 30, 0.3, rgb(60, 30, 66), 125);
    // The gorge walls and the bridge.
    Col near = rgb(34, 18, 42);
    setCol(cr, near);
    cairo_move_to(cr, 0, 600);
    cairo_line_to(cr, 0, 380);
    cairo_line_to(cr, 250, 390);
    cairo_line_to(cr, 280, 600);
    cairo_fill(cr);
    cairo_move_to(cr, 800, 600);
    cairo_line_to(cr, 800, 420);
    cairo_line_to(cr, 560, 430);
    cairo_line_to(cr, 520, 600);
    cairo_fill(cr);
    cairo_set_line_width(cr, 10);
    cairo_move_to(cr, 250, 395);
    cairo_line_to(cr, 560, 432);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 5);
    for (int i = 0; i < 3; ++i) {
        double x0 = 250 + i * 103, x1 = x0 + 103, y0 = 395 + i * 12.3, y1 = y0 + 12.3;
        cairo_move_to(cr, x0, y0 + 4);
        cairo_curve_to(cr, x0 + 30, y0 + 60, x1 - 30, y1 + 60, x1, y1 + 4);
        cairo_stroke(cr);
    }
    fog(c, 560, 60, rgb(200, 130, 150), 0.5, 126);
    vignette(c, 0.5);
}

// A waterfall pouring from a cliff into a misty pool, a shrine on the ledge.
void waterfallShrine(Canvas& c) {
    paintSky(c, {rgb(12, 26, 52), rgb(40, 80, 110), rgb(170, 200, 190), 360});
    stars(c, 140, 220, 131, 0.8);
    moon(c, 640, 100, 28, rgb(235, 245, 255), 0.3);
    ridge(c, 340, 90, 0.7, rgb(70, 100, 120), 132, rgb(200, 230, 230), 0.4);
    cairo_t* cr = c.cr();
    const Col rock = rgb(26, 38, 48);
    setCol(cr, rock);
    cairo_move_to(cr, 240, 600);
    cairo_line_to(cr, 250, 220);
    cairo_curve_to(cr, 330, 200, 470, 200, 550, 230);
    cairo_line_to(cr, 560, 600);
    cairo_close_path(cr);
    cairo_fill(cr);
    // The falling water, bright at its lip and fading into the spray.
    cairo_rectangle(cr, 360, 226, 90, 300);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 226, 0, 526);
    stop(g, 0, rgb(220, 240, 255), 0.95);
    stop(g, 1, rgb(180, 220, 240), 0.35);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    for (int i = 0; i < 14; ++i) {
        const double x = 364 + i * 6;
        cairo_move_to(cr, x, 230);
        cairo_line_to(cr, x + 3 * hash2(i, 1, 133), 520);
        setCol(cr, rgb(255, 255, 255), 0.25);
        cairo_set_line_width(cr, 1.4);
        cairo_stroke(cr);
    }
    tower(c, 300, 230, 34, 70, rock, rgb(255, 200, 120), 134, false);
    water(c, 500, rgb(30, 60, 90), 0.35, 135);
    fog(c, 500, 60, rgb(220, 240, 250), 0.6, 136);
    forest(c, 600, 90, rgb(12, 22, 28), 137, 1.2);
    fireflies(c, 20, 80, 380, 720, 580, rgb(190, 255, 230), 138);
    vignette(c, 0.5);
}

// A desert of dunes under a great ringed planet, a caravan's lanterns far off.
void ringedDunes(Canvas& c) {
    paintSky(c, {rgb(20, 12, 44), rgb(90, 50, 100), rgb(240, 170, 120), 420});
    stars(c, 320, 360, 141);
    cairo_t* cr = c.cr();
    // The planet and its ring.
    moon(c, 520, 170, 80, rgb(250, 210, 170), 0);
    cairo_save(cr);
    cairo_translate(cr, 520, 170);
    cairo_scale(cr, 1.0, 0.28);
    cairo_arc(cr, 0, 0, 150, 0, 2 * M_PI);
    cairo_restore(cr);
    setCol(cr, rgb(255, 230, 200), 0.55);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    horizonGlow(c, 300, 430, 260, rgb(255, 180, 110), 0.5);
    ridge(c, 430, 40, 0.08, rgb(150, 90, 90), 142, rgb(255, 200, 150), 0.6);
    ridge(c, 480, 50, 0.06, rgb(110, 60, 70), 143, rgb(255, 180, 130), 0.4);
    ridge(c, 540, 40, 0.05, rgb(60, 30, 44), 144);
    for (int i = 0; i < 6; ++i) softLight(cr, 150 + i * 18, 452 - i * 2, 5, rgb(255, 210, 130), 0.9);
    vignette(c, 0.5);
}

// A sunken city glowing under the sea, kelp and rising bubbles.
void sunkenCity(Canvas& c) {
    paintSky(c, {rgb(4, 40, 60), rgb(8, 60, 90), rgb(10, 20, 40), 600});
    cairo_t* cr = c.cr();
    // Shafts of light from the surface.
    for (int i = 0; i < 5; ++i) {
        const double x = 120 + i * 150 + 40 * hash2(i, 1, 151);
        cairo_move_to(cr, x - 20, 0);
        cairo_line_to(cr, x + 20, 0);
        cairo_line_to(cr, x + 120, 600);
        cairo_line_to(cr, x + 40, 600);
        cairo_close_path(cr);
        setCol(cr, rgb(160, 230, 240), 0.08);
        cairo_fill(cr);
    }
    const Col city = rgb(14, 50, 66);
    for (int i = 0; i < 8; ++i)
        tower(c, 140 + i * 75 + 20 * hash2(i, 2, 152), 520, 26 + 14 * hash2(i, 3, 152), 90 + 130 * hash2(i, 4, 152),
              city, rgb(120, 255, 220), 153 + i, i % 2 == 0);
    ruins(c, 60, 560, 1.1, rgb(10, 34, 46), 161);
    cairo_rectangle(cr, 0, 540, 800, 60);
    setCol(cr, rgb(8, 26, 36));
    cairo_fill(cr);
    for (int i = 0; i < 12; ++i) {
        const double x = 30 + i * 68, h = 120 + 140 * hash2(i, 5, 162);
        cairo_move_to(cr, x, 600);
        cairo_curve_to(cr, x - 20, 600 - h * 0.4, x + 25, 600 - h * 0.7, x + 5 * std::sin(i), 600 - h);
        setCol(cr, rgb(20, 90, 60), 0.8);
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
    }
    fireflies(c, 60, 0, 40, 800, 560, rgb(200, 255, 255), 163);
    vignette(c, 0.55);
}

// A volcano's glowing rivers below a fortress of black stone.
void emberFortress(Canvas& c) {
    paintSky(c, {rgb(24, 8, 12), rgb(80, 20, 20), rgb(220, 90, 40), 400});
    stars(c, 60, 160, 171, 0.5);
    clouds(c, 80, 260, rgb(120, 40, 40), 0.6, 172);
    cairo_t* cr = c.cr();
    // The volcano with its plume.
    setCol(cr, rgb(40, 16, 18));
    cairo_move_to(cr, 420, 420);
    cairo_line_to(cr, 600, 180);
    cairo_line_to(cr, 660, 180);
    cairo_line_to(cr, 800, 380);
    cairo_line_to(cr, 800, 420);
    cairo_close_path(cr);
    cairo_fill(cr);
    softLight(cr, 630, 180, 90, rgb(255, 140, 40), 0.8);
    clouds(c, 40, 170, rgb(70, 40, 40), 0.5, 173);
    ridge(c, 430, 50, 0.5, rgb(50, 18, 20), 174, rgb(255, 120, 50), 0.5);
    // Lava rivers.
    for (int r = 0; r < 3; ++r) {
        cairo_move_to(cr, 600 + r * 20, 200);
        for (int k = 1; k <= 12; ++k)
            cairo_line_to(cr, 600 + r * 20 - k * (25 + 8 * r) + 12 * std::sin(k + r), 200 + k * 32);
        setCol(cr, rgb(255, 120, 30), 0.9);
        cairo_set_line_width(cr, 4 + r);
        cairo_stroke(cr);
    }
    const Col keep = rgb(20, 10, 14);
    tower(c, 180, 470, 60, 220, keep, rgb(255, 150, 60), 175);
    tower(c, 260, 480, 40, 150, keep, rgb(255, 150, 60), 176);
    tower(c, 110, 480, 36, 130, keep, rgb(255, 150, 60), 177, false);
    setCol(cr, keep);
    cairo_rectangle(cr, 0, 470, 800, 130);
    cairo_fill(cr);
    fireflies(c, 40, 0, 200, 800, 560, rgb(255, 160, 60), 178);
    vignette(c, 0.55);
}

// Crystal caves: great glowing shards in the dark.
void crystalCave(Canvas& c) {
    paintSky(c, {rgb(10, 6, 24), rgb(24, 14, 50), rgb(12, 8, 28), 600});
    cairo_t* cr = c.cr();
    auto shard = [&](double x, double baseY, double w, double h, double lean, Col col) {
        softLight(cr, x, baseY - h * 0.5, h * 0.6, col, 0.35);
        cairo_move_to(cr, x - w / 2, baseY);
        cairo_line_to(cr, x + lean - w * 0.1, baseY - h);
        cairo_line_to(cr, x + lean + w * 0.15, baseY - h * 0.96);
        cairo_line_to(cr, x + w / 2, baseY);
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(x - w / 2, 0, x + w / 2, 0);
        stop(g, 0, mix(col, {1, 1, 1}, 0.5), 0.9);
        stop(g, 0.5, col, 0.85);
        stop(g, 1, scale(col, 0.4), 0.9);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    };
    // The cave mouth's rim and hanging stones.
    for (int i = 0; i < 16; ++i) {
        const double x = i * 52 + 20 * hash2(i, 1, 181), h = 40 + 90 * hash2(i, 2, 181);
        cairo_move_to(cr, x - 22, 0);
        cairo_line_to(cr, x, h);
        cairo_line_to(cr, x + 22, 0);
        setCol(cr, rgb(30, 20, 50));
        cairo_fill(cr);
    }
    const Col hues[] = {rgb(120, 200, 255), rgb(200, 120, 255), rgb(120, 255, 200), rgb(255, 140, 200)};
    for (int i = 0; i < 14; ++i) {
        const double x = 30 + i * 56 + 20 * hash2(i, 3, 182);
        shard(x, 600, 40 + 40 * hash2(i, 4, 182), 120 + 260 * hash2(i, 5, 182), -30 + 60 * hash2(i, 6, 182),
              hues[i % 4]);
    }
    fireflies(c, 50, 0, 100, 800, 560, rgb(220, 200, 255), 183);
    vignette(c, 0.6);
}

// An autumn valley with a windmill and a hay field under the harvest moon.
void harvestMill(Canvas& c) {
    paintSky(c, {rgb(20, 20, 56), rgb(80, 60, 110), rgb(250, 170, 100), 380});
    stars(c, 160, 240, 191);
    moon(c, 160, 140, 56, rgb(255, 210, 140), 0);
    clouds(c, 150, 300, rgb(200, 120, 120), 0.5, 192);
    ridge(c, 380, 60, 0.5, rgb(110, 70, 90), 193, rgb(255, 190, 140), 0.4);
    cairo_t* cr = c.cr();
    setCol(cr, rgb(90, 60, 40));
    cairo_move_to(cr, 0, 600);
    cairo_line_to(cr, 0, 430);
    cairo_curve_to(cr, 250, 380, 550, 400, 800, 440);
    cairo_line_to(cr, 800, 600);
    cairo_fill(cr);
    // The mill: a tapering body and four sails.
    const Col mill = rgb(40, 26, 30);
    setCol(cr, mill);
    cairo_move_to(cr, 520, 420);
    cairo_line_to(cr, 540, 300);
    cairo_line_to(cr, 580, 300);
    cairo_line_to(cr, 600, 420);
    cairo_close_path(cr);
    cairo_fill(cr);
    for (int k = 0; k < 4; ++k) {
        const double a = 0.4 + k * M_PI / 2;
        cairo_save(cr);
        cairo_translate(cr, 560, 300);
        cairo_rotate(cr, a);
        cairo_rectangle(cr, 6, -10, 110, 20);
        setCol(cr, mill);
        cairo_fill(cr);
        cairo_restore(cr);
    }
    softLight(cr, 560, 380, 12, rgb(255, 200, 120), 0.9);
    // Sheaves in rows.
    for (int i = 0; i < 18; ++i) {
        const double x = 30 + i * 44, y = 470 + 80 * hash2(i, 1, 194);
        cairo_move_to(cr, x - 10, y);
        cairo_line_to(cr, x, y - 30);
        cairo_line_to(cr, x + 10, y);
        setCol(cr, rgb(150, 110, 50));
        cairo_fill(cr);
    }
    fireflies(c, 30, 0, 380, 800, 580, rgb(255, 230, 150), 195);
    vignette(c, 0.5);
}

// A frozen lake with a palace of ice under the northern lights.
void icePalace(Canvas& c) {
    paintSky(c, {rgb(4, 10, 30), rgb(10, 30, 70), rgb(60, 110, 150), 400});
    stars(c, 400, 360, 201, 1.1);
    aurora(c, 140, rgb(120, 255, 220), rgb(80, 140, 255), 202);
    ridge(c, 390, 110, 0.9, rgb(170, 200, 230), 203, {1, 1, 1}, 0.5);
    const Col ice = rgb(120, 170, 210);
    for (int i = 0; i < 5; ++i)
        tower(c, 300 + i * 50, 420, 28 + 10 * (i % 2), 120 + 70 * (i == 2) + 30 * (i % 2), ice,
              rgb(220, 250, 255), 204 + i);
    water(c, 420, rgb(160, 200, 240), 0.6, 209);
    fog(c, 430, 40, rgb(220, 240, 255), 0.4, 210);
    forest(c, 590, 70, rgb(14, 24, 44), 211, 1.0);
    vignette(c, 0.45);
}

// A starlit observatory on a mountain top, its dome open to the sky.
void starObservatory(Canvas& c) {
    paintSky(c, {rgb(2, 4, 20), rgb(10, 14, 46), rgb(40, 40, 90), 450});
    stars(c, 600, 440, 221, 1.3);
    cairo_t* cr = c.cr();
    // The band of the sky's river of stars.
    cairo_save(cr);
    cairo_translate(cr, 400, 200);
    cairo_rotate(cr, -0.5);
    cairo_scale(cr, 1.0, 0.18);
    softLight(cr, 0, 0, 480, rgb(200, 180, 255), 0.25);
    cairo_restore(cr);
    ridge(c, 450, 160, 0.9, rgb(34, 36, 70), 222, rgb(160, 160, 220), 0.4);
    const Col stone = rgb(20, 22, 44);
    setCol(cr, stone);
    cairo_move_to(cr, 300, 600);
    cairo_line_to(cr, 380, 380);
    cairo_line_to(cr, 470, 380);
    cairo_line_to(cr, 560, 600);
    cairo_fill(cr);
    cairo_rectangle(cr, 370, 320, 110, 70);
    cairo_fill(cr);
    cairo_arc(cr, 425, 320, 55, M_PI, 2 * M_PI);
    cairo_fill(cr);
    // The open slot and the telescope.
    cairo_rectangle(cr, 418, 266, 14, 54);
    setCol(cr, rgb(255, 210, 140));
    cairo_fill(cr);
    softLight(cr, 425, 300, 50, rgb(255, 200, 120), 0.6);
    cairo_move_to(cr, 425, 300);
    cairo_line_to(cr, 470, 240);
    setCol(cr, rgb(180, 150, 100));
    cairo_set_line_width(cr, 8);
    cairo_stroke(cr);
    forest(c, 600, 60, rgb(6, 8, 20), 223, 0.8);
    vignette(c, 0.45);
}

// A picture of the picture puzzle: a scene painted at the slides' size and scaled down to the
// puzzle board, with fine details strewn over every part of it (twinkles, fireflies, small
// runes) and a gold filigree edge, so that each piece of even a dark sky can be told apart.
void puzzleScene(Canvas& c, void (*scene)(Canvas&), int seed) {
    Canvas big(800, 600);
    scene(big);
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_scale(cr, c.width() / 800.0, c.height() / 600.0);
    cairo_set_source_surface(cr, big.surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    // One detail in every cell of a fine grid, jittered, so no region is bare.
    const int step = 38;
    for (int gy = 0; gy * step < c.height(); ++gy)
        for (int gx = 0; gx * step < c.width(); ++gx) {
            const double x = gx * step + 6 + (step - 12) * hash2(gx, gy, seed);
            const double y = gy * step + 6 + (step - 12) * hash2(gx, gy, seed + 1);
            const double kind = hash2(gx, gy, seed + 2);
            const Col hue = runeLook(1 + (gx * 7 + gy * 3) % 12).hue;
            if (kind < 0.45) {
                twinkle(cr, x, y, 3 + 4 * hash2(gx, gy, seed + 3), mix(hue, {1, 1, 1}, 0.6), 0.85);
            } else if (kind < 0.75) {
                softLight(cr, x, y, 5 + 4 * hash2(gx, gy, seed + 4), mix(hue, pal::candle, 0.5), 0.7);
            } else {
                drawGlyph(c, runicLetter(gx * 5 + gy * 11), hue, x, y, 10 + 6 * hash2(gx, gy, seed + 5));
            }
        }
    metalFrame(cr, 1, 1, c.width() - 2, c.height() - 2, 6, 4, true);
}

}  // namespace

ARTGEN_FAMILY(puzzleSceneFamily) {
    addImage("gfx/slides/puzzle-01.jpg", 670, 494, [](Canvas& c) { puzzleScene(c, lakeTower, 901); });
    addImage("gfx/slides/puzzle-02.jpg", 670, 494, [](Canvas& c) { puzzleScene(c, greatTree, 902); });
    addImage("gfx/slides/puzzle-03.jpg", 670, 494, [](Canvas& c) { puzzleScene(c, seaLighthouse, 903); });
    addImage("gfx/slides/puzzle-04.jpg", 670, 494, [](Canvas& c) { puzzleScene(c, spireCity, 904); });
    addImage("gfx/slides/puzzle-05.jpg", 670, 494, [](Canvas& c) { puzzleScene(c, auroraCastle, 905); });
}

ARTGEN_FAMILY(slideFamily) {
    using Scene = void (*)(Canvas&);
    static const Scene scenes[] = {valleyTower,     moonRuins,   duskForest,     auroraCastle,  stoneCircle,
                                   lakeTower,       canyonArch,  snowMonastery,  greatTree,     seaLighthouse,
                                   floatingIslands, spireCity,   waterfallShrine, ringedDunes,  sunkenCity,
                                   emberFortress,   crystalCave, harvestMill,     icePalace,    starObservatory};
    for (int i = 0; i < 20; ++i)
        addImage("gfx/slides/" + std::to_string(i + 1) + "a.jpg", 800, 600, scenes[i]);
}

}  // namespace artgen
