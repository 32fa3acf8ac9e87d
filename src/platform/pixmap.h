// Pixmaps: pictures in memory. Pixels are kept as 32-bit ARGB words (in memory on a
// little-endian machine: B, G, R, A, the PF_BGRA8888 layout).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TStream;

enum PixelFormat : int {
  PF_I8 = 1,
  PF_A8 = 2,
  PF_BGR888 = 3,
  PF_RGB888 = 4,
  PF_BGRA8888 = 5,
  PF_RGBA8888 = 6,
};
int BytesPerPixel(int format);

class TPixmap {
 public:
  TPixmap(int width, int height);
  int width = 0;
  int height = 0;
  int format = PF_BGRA8888;  // the layout of `pixels`
  bool hadAlpha = true;      // whether the source file had an alpha channel
  std::vector<uint32_t> pixels;  // width * height ARGB words, row by row

  uint32_t Get(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  void Set(int x, int y, uint32_t argb) { pixels[static_cast<size_t>(y) * width + x] = argb; }
  int Pitch() const { return width * 4; }
};
using PixmapPtr = std::shared_ptr<TPixmap>;

// PNG or JPEG, chosen by the file's first bytes; null when the file is missing or unreadable.
PixmapPtr LoadPixmap(const std::string& path);
PixmapPtr LoadPixmap(const std::shared_ptr<TStream>& stream);
// A new pixmap of the given size, all pixels 0 (transparent black). The format is recorded.
PixmapPtr CreatePixmap(int width, int height, int format = PF_BGRA8888);
PixmapPtr CopyPixmap(const PixmapPtr& pixmap);
// A copy of the rectangle (clipped to the pixmap; the outside reads as 0).
PixmapPtr PixmapWindow(const PixmapPtr& pixmap, int x, int y, int width, int height);
// A resampled copy (bilinear).
PixmapPtr ResizePixmap(const PixmapPtr& pixmap, int width, int height);
int PixmapWidth(const PixmapPtr& pixmap);
int PixmapHeight(const PixmapPtr& pixmap);
int PixmapFormat(const PixmapPtr& pixmap);
// ARGB; reads outside the pixmap give 0, writes outside are ignored.
uint32_t ReadPixel(const PixmapPtr& pixmap, int x, int y);
void WritePixel(const PixmapPtr& pixmap, int x, int y, uint32_t argb);
// Fills every pixel with one ARGB value.
void ClearPixels(const PixmapPtr& pixmap, uint32_t argb);
// The bytes of pixel (x, y) in the pixmap's own layout (B, G, R, A).
uint8_t* PixelPtr(const PixmapPtr& pixmap, int x, int y);
// Converts `count` pixels from one layout to another (BytesPerPixel of each).
void ConvertPixels(const uint8_t* src, int srcFormat, uint8_t* dst, int dstFormat, int count);
// Writes a PNG (used by frame capture and by tools).
bool SavePixmapPNG(const PixmapPtr& pixmap, const std::string& path);
