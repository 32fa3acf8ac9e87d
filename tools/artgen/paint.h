// The shared painting kit of artgen: colours, noise, blur, fonts and text, metal trims,
// parchment, gems and glows. Every family of pictures draws with these so that the whole game
// keeps one look: dusky blue and violet, gold and bronze, parchment and candle light.
#pragma once

#include "artgen.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace artgen {

struct Col {
    double r = 0, g = 0, b = 0;
};

Col rgb(int r, int g, int b);
Col mix(Col a, Col b, double t);
Col scale(Col c, double k);          // darker (< 1) or brighter (> 1), clamped
Col hsv(double hueDegrees, double s, double v);
void setCol(cairo_t* cr, Col c, double alpha = 1.0);
void stop(cairo_pattern_t* p, double offset, Col c, double alpha = 1.0);

// The house palette.
namespace pal {
inline const Col night = {0.05, 0.06, 0.16};
inline const Col dusk = {0.16, 0.11, 0.32};
inline const Col violet = {0.33, 0.19, 0.50};
inline const Col gold = {0.95, 0.78, 0.36};
inline const Col goldLight = {1.0, 0.94, 0.66};
inline const Col bronze = {0.55, 0.34, 0.16};
inline const Col bronzeDark = {0.25, 0.14, 0.06};
inline const Col parchment = {0.93, 0.85, 0.66};
inline const Col ink = {0.16, 0.09, 0.04};
inline const Col candle = {1.0, 0.72, 0.35};
}  // namespace pal

// Deterministic noise in 0..1.
double hash2(int x, int y, int seed);
double valueNoise(double x, double y, int seed);
double fbm(double x, double y, int octaves, int seed);

// Blurs all four channels (three box passes, close to a Gaussian of the given radius).
void blur(Canvas& c, int radius);
// Sets every pixel from a function giving straight (not premultiplied) r, g, b, a in 0..1.
void fillPixels(Canvas& c, const std::function<void(int x, int y, double& r, double& g, double& b, double& a)>& fn);
// Multiplies the alpha of every pixel by mask(x, y) in 0..1.
void maskAlpha(Canvas& c, const std::function<double(int x, int y)>& mask);

// Fonts (FreeType faces wrapped for Cairo, one set per thread).
enum class Face { Caption, CaptionRegular, Serif, SerifBold, Sans, SansBold, Runic };
cairo_font_face_t* face(Face f);
void useFont(cairo_t* cr, Face f, double size);

struct TextBox {
    double x = 0, y = 0, w = 0, h = 0;  // ink box relative to the pen position
    double advance = 0;
};
TextBox measure(cairo_t* cr, const std::string& utf8);
// Returns the largest size (up to maxSize) at which the text's ink fits w x h.
double fitSize(cairo_t* cr, Face f, const std::string& utf8, double w, double h, double maxSize);

struct CaptionStyle {
    Face face = Face::Caption;
    Col top = pal::goldLight;
    Col bottom = {0.80, 0.50, 0.16};
    Col outline = {0.18, 0.08, 0.02};
    double outlineWidth = 2.0;   // in pixels at the final size
    Col glow = {1.0, 0.80, 0.40};
    double glowAlpha = 0.45;
    int glowRadius = 3;
    double shadowAlpha = 0.6;
    double maxSize = 200;
    double margin = 1;           // kept free on each side of the box
    // A type size and a baseline (from the box's top) shared by a family of captions; 0 for a
    // caption on its own, drawn as large as fits and centred on its ink.
    double size = 0;
    double baseline = 0;    // below the top of the family's ink band
    double bandHeight = 0;  // the family's ink band, from its highest top to its lowest bottom
};
// Draws a line of gold lettering centred in the box (x, y, w, h) with outline, drop shadow and
// glow, as large as fits (or at the style's family size and baseline).
void caption(Canvas& c, double x, double y, double w, double h, const std::string& utf8,
             const CaptionStyle& style = CaptionStyle());

// One caption of a family: its words and the size of the box they go in.
struct CaptionBox {
    std::string text;
    double w = 0, h = 0;
};
// Sets the style's size and baseline so that every caption of the family fits its box at one
// type size, all on one baseline: the words of a menu read as one set of lettering, whatever
// their letters (measured by the ink alone, a descender or a capital would shrink a word).
void fitCaptionFamily(CaptionStyle& style, const std::vector<CaptionBox>& family);

// Word-wrapped lines of plain text in one colour, each line centred (or left-aligned) in the
// width w from (x, y) = the first line's top; returns the y below the last line.
double paragraph(cairo_t* cr, Face f, double size, Col col, double alpha, double x, double y, double w,
                 const std::string& utf8, bool centred = true, double lineGap = 1.25);

// Paths.
void roundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void regularPolygon(cairo_t* cr, double cx, double cy, double r, int sides, double rotDegrees);
void star(cairo_t* cr, double cx, double cy, double rOuter, double rInner, int points, double rotDegrees);

// A vertical metal gradient (gold or bronze) over y0..y1, ready to use as a source.
cairo_pattern_t* metalGradient(double x0, double y0, double x1, double y1, bool gold);
// A bevelled metal rim along the current rounded rectangle (outer and inner edge).
void metalFrame(cairo_t* cr, double x, double y, double w, double h, double r, double thickness, bool gold);
// Parchment inside a rounded rectangle with darkened, slightly burnt edges.
void parchment(Canvas& c, double x, double y, double w, double h, double r, int seed);
// Paints a blurred copy of what `shape` draws in the colour, under or over what is there.
void glow(Canvas& c, const std::function<void(cairo_t*)>& shape, Col col, double alpha, int radius,
          bool additive = false);
// A soft round light: colour at the centre, fading to transparent at radius.
void softLight(cairo_t* cr, double cx, double cy, double radius, Col col, double alpha);
// A small four-pointed twinkle.
void twinkle(cairo_t* cr, double cx, double cy, double size, Col col, double alpha);

// A dark violet panel in a gold frame with gems at the corners and a soft drop shadow.
void ornatePanel(Canvas& c, double x, double y, double w, double h, double r = 18);

// A push button plate of dark violet enamel in a gold rim, `lit` brighter.
void buttonPlate(Canvas& c, double x, double y, double w, double h, bool lit);

}  // namespace artgen
