// The game's application icon for desktops' menus: a dusky rounded tile in a gold rim with
// three rune gems in a row (the run that clears them), written as PNGs in the sizes desktops
// look for. Not a picture of the game folder: `artgen --icons DIR` writes
// DIR/NxN/apps/mirethorn.png, for the install to copy under share/icons/hicolor/.
#include "gems.h"
#include "imageio.h"

#include <algorithm>
#include <filesystem>
#include <string>

namespace artgen {

namespace {

// Small sizes get one gem: three would melt into a smear of a few pixels.
constexpr int kOneGemBelow = 32;

void paintIcon(Canvas& c) {
    cairo_t* cr = c.cr();
    const double s = c.width();
    const double margin = s * 0.06;
    const double side = s - 2 * margin;
    const double radius = side * 0.2;

    // The tile: night blue into violet, lit from the top left.
    cairo_pattern_t* ground = cairo_pattern_create_linear(margin, margin, margin + side, margin + side);
    stop(ground, 0.0, pal::violet);
    stop(ground, 0.55, pal::dusk);
    stop(ground, 1.0, pal::night);
    roundRect(cr, margin, margin, side, side, radius);
    cairo_set_source(cr, ground);
    cairo_fill(cr);
    cairo_pattern_destroy(ground);
    softLight(cr, s * 0.35, s * 0.3, s * 0.45, pal::candle, 0.25);

    // The gold rim, a little thicker at small sizes so that it stays visible.
    const double rim = std::max(1.0, s * 0.035);
    metalFrame(cr, margin, margin, side, side, radius, rim, true);

    if (s < kOneGemBelow) {
        drawGem(c, runeLook(1), s / 2, s / 2, side * 0.62);
        return;
    }
    const double gem = side * 0.3;
    const double y = s / 2;
    for (int i = -1; i <= 1; ++i) drawGem(c, runeLook(1), s / 2 + i * gem * 1.02, y, gem);
    // The spark of the run about to vanish.
    twinkle(cr, s / 2 + gem * 1.05, y - gem * 0.45, gem * 0.5, pal::goldLight, 0.9);
}

}  // namespace

void writeIcons(const std::string& dir) {
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        Canvas canvas(size, size);
        paintIcon(canvas);
        const std::filesystem::path folder =
            std::filesystem::path(dir) / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
        std::filesystem::create_directories(folder);
        writePng(canvas, (folder / "mirethorn.png").string());
    }
}

}  // namespace artgen
