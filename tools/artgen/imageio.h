// Writing the pictures (PNG as RGBA, JPEG through libjpeg) and reading them back for the
// contact sheets.
#pragma once

#include "artgen.h"

#include <string>

namespace artgen {

// Writes an RGBA PNG (always with its alpha channel). Fully opaque pixels of exactly black or magenta are nudged by one step,
// so that no colour key can ever cut holes into an opaque picture.
void writePng(Canvas& canvas, const std::string& file);
// Writes a JPEG at quality 90. The picture is made opaque over a dark-blue ground, its darkest
// tones are lifted a little above black and kept away from magenta, and the file is decoded
// again to make sure no pixel became (0, 0, 0) or (255, 0, 255) through compression.
void writeJpeg(Canvas& canvas, const std::string& file);
// Decodes a JPEG into an opaque canvas-sized ARGB buffer; returns false when it cannot.
bool readJpeg(const std::string& file, std::vector<uint32_t>& pixels, int& width, int& height);
// An opaque cairo surface holding the pixels readJpeg gives.
cairo_surface_t* opaqueSurface(const std::vector<uint32_t>& pixels, int width, int height);
// One PNG per folder of pictures under gameDir, every picture on a neutral grey ground with
// its name under it.
void writeContactSheets(const std::string& gameDir, const std::string& sheetDir);

// The application icon, as DIR/NxN/apps/mirethorn.png in the sizes desktops look for.
void writeIcons(const std::string& dir);

// A mock-up of a board level made of the written pictures, for judging the look.
void writeBoardPreview(const std::string& gameDir, const std::string& file);

}  // namespace artgen
