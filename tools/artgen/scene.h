// Building blocks of the painted scenes (level backgrounds, title and menu backdrops): skies,
// stars and moons, layered silhouettes of mountains, forests, ruins and towers, water, fog and
// lights. All work on a whole canvas, back to front.
#pragma once

#include "paint.h"

namespace artgen {

struct Sky {
    Col top;
    Col middle;
    Col horizon;
    double horizonY;  // where the horizon colour is reached
};

void paintSky(Canvas& c, const Sky& sky);
void stars(Canvas& c, int count, double maxY, int seed, double brightness = 1.0);
void moon(Canvas& c, double x, double y, double r, Col col, double crescent /* 0 = full */);
void clouds(Canvas& c, double y0, double y1, Col col, double alpha, int seed);
void aurora(Canvas& c, double y, Col a, Col b, int seed);
// A mountain range: a ridge line around baseY with the given amplitude and jaggedness
// (0 smooth hills .. 1 sharp peaks), filled down to the bottom with a faint top light.
void ridge(Canvas& c, double baseY, double amplitude, double jagged, Col col, int seed, Col rim = {0, 0, 0},
           double rimAlpha = 0);
// A band of pines standing on y = baseY (± a little), trees `height` px tall.
void forest(Canvas& c, double baseY, double height, Col col, int seed, double density = 1.0);
void pine(cairo_t* cr, double x, double baseY, double h);
void roundTree(cairo_t* cr, double x, double baseY, double h, int seed);
// A round tower with a pointed roof and lit windows; returns nothing, draws in col.
void tower(Canvas& c, double x, double baseY, double w, double h, Col col, Col windowLight, int seed,
           bool banner = true);
// Broken columns and an arch.
void ruins(Canvas& c, double x, double baseY, double s, Col col, int seed);
void standingStones(Canvas& c, double cx, double baseY, double s, Col col, int seed);
// Mirrors everything above waterY into the water below, with ripples and a tint.
void water(Canvas& c, double waterY, Col tint, double tintAmount, int seed);
void fog(Canvas& c, double y, double thickness, Col col, double alpha, int seed);
void fireflies(Canvas& c, int count, double x0, double y0, double x1, double y1, Col col, int seed);
// A light from a low sun or moon at the horizon.
void horizonGlow(Canvas& c, double x, double y, double radius, Col col, double alpha);
// Darkens the edges a little, like an old painting.
void vignette(Canvas& c, double strength);

}  // namespace artgen
