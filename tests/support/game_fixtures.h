// Small fixtures shared by the game's test folders: key/group stores from text, captured output,
// colours, one-colour pictures and the 800 x 600 screen.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "datafiles/tsc_file.h"
#include "platform/graphics.h"
#include "platform/pixmap.h"

namespace test_support {

// A key/group store holding `text`.
TSCFilePtr Store(const std::string& text);

// Everything printed to standard output while `run` runs.
std::string Output(const std::function<void()>& run);

constexpr uint32_t Argb(int a, int r, int g, int b) {
  return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) |
         (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}
inline int Red(uint32_t argb) { return static_cast<int>((argb >> 16) & 0xFF); }
inline int Green(uint32_t argb) { return static_cast<int>((argb >> 8) & 0xFF); }
inline int Blue(uint32_t argb) { return static_cast<int>(argb & 0xFF); }

// A pixmap of one colour, and the image made of it with the default image flags.
PixmapPtr SolidPixmap(int w, int h, uint32_t argb);
ImagePtr SolidImage(int w, int h, uint32_t argb);

// The screen pixel (x, y) as it is now; 0 when it cannot be read.
uint32_t ScreenPixel(int x, int y);

// Opens the 800 x 600 screen with a fresh drawing state and a black back buffer.
void OpenScreen();

}  // namespace test_support
