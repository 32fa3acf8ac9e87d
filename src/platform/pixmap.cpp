// Pixmaps: ARGB pictures in memory, their pixel layouts, and PNG / JPEG decoding and PNG writing.
#include "platform/pixmap.h"

#include <cstdio>
// libjpeg needs FILE and size_t declared first.
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/files.h"

namespace {

bool FormatHasAlpha(int format) {
  return format == PF_A8 || format == PF_BGRA8888 || format == PF_RGBA8888;
}

uint32_t Argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return (a << 24) | (r << 16) | (g << 8) | b;
}

// ---- PNG -------------------------------------------------------------------------------------

bool IsPng(const std::vector<uint8_t>& bytes) {
  static const uint8_t kSig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  return bytes.size() >= 8 && std::memcmp(bytes.data(), kSig, 8) == 0;
}

PixmapPtr DecodePng(const std::vector<uint8_t>& bytes) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return nullptr;
  // The file's own alpha: an alpha channel or a tRNS chunk.
  bool hadAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  if (image.width == 0 || image.height == 0 || image.width > 32768 || image.height > 32768) {
    png_image_free(&image);
    return nullptr;
  }
  // B, G, R, A in memory is the ARGB word on a little-endian machine.
  image.format = PNG_FORMAT_BGRA;
  auto pixmap = std::make_shared<TPixmap>(static_cast<int>(image.width), static_cast<int>(image.height));
  if (!png_image_finish_read(&image, nullptr, pixmap->pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return nullptr;
  }
  pixmap->hadAlpha = hadAlpha;
  return pixmap;
}

// ---- JPEG ------------------------------------------------------------------------------------

bool IsJpeg(const std::vector<uint8_t>& bytes) {
  return bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF;
}

struct JpegError {
  jpeg_error_mgr mgr;
  jmp_buf jump;
};

void JpegErrorExit(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<JpegError*>(cinfo->err);
  std::longjmp(err->jump, 1);
}

void JpegQuiet(j_common_ptr, int) {}

// Decodes into a malloc'd RGB buffer. Only plain C objects live in this frame, so the jump
// out of libjpeg's error handler skips no destructor.
bool DecodeJpegRgb(const uint8_t* data, size_t size, unsigned char** out, int* width, int* height) {
  jpeg_decompress_struct cinfo;
  JpegError err;
  unsigned char* volatile buffer = nullptr;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegErrorExit;
  err.mgr.emit_message = JpegQuiet;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::free(buffer);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_components != 3 || cinfo.output_width == 0 || cinfo.output_height == 0 ||
      cinfo.output_width > 32768 || cinfo.output_height > 32768) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  size_t stride = static_cast<size_t>(cinfo.output_width) * 3;
  buffer = static_cast<unsigned char*>(std::malloc(stride * cinfo.output_height));
  if (!buffer) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row = buffer + stride * cinfo.output_scanline;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  *width = static_cast<int>(cinfo.output_width);
  *height = static_cast<int>(cinfo.output_height);
  jpeg_destroy_decompress(&cinfo);
  *out = buffer;
  return true;
}

PixmapPtr DecodeJpeg(const std::vector<uint8_t>& bytes) {
  unsigned char* rgb = nullptr;
  int w = 0, h = 0;
  if (!DecodeJpegRgb(bytes.data(), bytes.size(), &rgb, &w, &h)) return nullptr;
  auto pixmap = std::make_shared<TPixmap>(w, h);
  const unsigned char* p = rgb;
  for (auto& px : pixmap->pixels) {
    px = Argb(255, p[0], p[1], p[2]);
    p += 3;
  }
  std::free(rgb);
  pixmap->hadAlpha = false;
  return pixmap;
}

PixmapPtr DecodePicture(const std::vector<uint8_t>& bytes) {
  if (IsPng(bytes)) return DecodePng(bytes);
  if (IsJpeg(bytes)) return DecodeJpeg(bytes);
  return nullptr;
}

// One pixel of a layout <-> an ARGB word.
uint32_t ReadFormat(const uint8_t* p, int format) {
  switch (format) {
    case PF_I8: return Argb(255, p[0], p[0], p[0]);
    case PF_A8: return Argb(p[0], 255, 255, 255);
    case PF_BGR888: return Argb(255, p[2], p[1], p[0]);
    case PF_RGB888: return Argb(255, p[0], p[1], p[2]);
    case PF_BGRA8888: return Argb(p[3], p[2], p[1], p[0]);
    case PF_RGBA8888: return Argb(p[3], p[0], p[1], p[2]);
    default: return 0;
  }
}

void WriteFormat(uint8_t* p, int format, uint32_t argb) {
  uint8_t a = argb >> 24, r = (argb >> 16) & 255, g = (argb >> 8) & 255, b = argb & 255;
  switch (format) {
    case PF_I8: p[0] = static_cast<uint8_t>((r + g + b) / 3); break;
    case PF_A8: p[0] = a; break;
    case PF_BGR888: p[0] = b; p[1] = g; p[2] = r; break;
    case PF_RGB888: p[0] = r; p[1] = g; p[2] = b; break;
    case PF_BGRA8888: p[0] = b; p[1] = g; p[2] = r; p[3] = a; break;
    case PF_RGBA8888: p[0] = r; p[1] = g; p[2] = b; p[3] = a; break;
    default: break;
  }
}

}  // namespace

TPixmap::TPixmap(int w, int h)
    : width(std::max(w, 0)),
      height(std::max(h, 0)),
      pixels(static_cast<size_t>(std::max(w, 0)) * static_cast<size_t>(std::max(h, 0)), 0u) {}

int BytesPerPixel(int format) {
  switch (format) {
    case PF_I8:
    case PF_A8: return 1;
    case PF_BGR888:
    case PF_RGB888: return 3;
    case PF_BGRA8888:
    case PF_RGBA8888: return 4;
    default: return 0;
  }
}

PixmapPtr LoadPixmap(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!LoadBytes(ResolvePath(path), bytes)) return nullptr;
  return DecodePicture(bytes);
}

PixmapPtr LoadPixmap(const std::shared_ptr<TStream>& stream) {
  if (!stream) return nullptr;
  return DecodePicture(LoadBytes(stream));
}

PixmapPtr CreatePixmap(int width, int height, int format) {
  auto pixmap = std::make_shared<TPixmap>(width, height);
  pixmap->format = format;
  pixmap->hadAlpha = FormatHasAlpha(format);
  return pixmap;
}

PixmapPtr CopyPixmap(const PixmapPtr& pixmap) {
  if (!pixmap) return nullptr;
  return std::make_shared<TPixmap>(*pixmap);
}

PixmapPtr PixmapWindow(const PixmapPtr& pixmap, int x, int y, int width, int height) {
  if (!pixmap) return nullptr;
  auto out = std::make_shared<TPixmap>(width, height);
  out->format = pixmap->format;
  out->hadAlpha = pixmap->hadAlpha;
  for (int row = 0; row < out->height; ++row) {
    int sy = y + row;
    if (sy < 0 || sy >= pixmap->height) continue;
    for (int col = 0; col < out->width; ++col) {
      int sx = x + col;
      if (sx < 0 || sx >= pixmap->width) continue;
      out->Set(col, row, pixmap->Get(sx, sy));
    }
  }
  return out;
}

PixmapPtr ResizePixmap(const PixmapPtr& pixmap, int width, int height) {
  if (!pixmap) return nullptr;
  auto out = std::make_shared<TPixmap>(width, height);
  out->format = pixmap->format;
  out->hadAlpha = pixmap->hadAlpha;
  if (pixmap->width == 0 || pixmap->height == 0) return out;
  // Bilinear, sampling at pixel centres; the edges repeat.
  double fx = static_cast<double>(pixmap->width) / std::max(out->width, 1);
  double fy = static_cast<double>(pixmap->height) / std::max(out->height, 1);
  for (int y = 0; y < out->height; ++y) {
    double sy = (y + 0.5) * fy - 0.5;
    sy = std::clamp(sy, 0.0, static_cast<double>(pixmap->height - 1));
    int y0 = static_cast<int>(sy);
    int y1 = std::min(y0 + 1, pixmap->height - 1);
    double ty = sy - y0;
    for (int x = 0; x < out->width; ++x) {
      double sx = (x + 0.5) * fx - 0.5;
      sx = std::clamp(sx, 0.0, static_cast<double>(pixmap->width - 1));
      int x0 = static_cast<int>(sx);
      int x1 = std::min(x0 + 1, pixmap->width - 1);
      double tx = sx - x0;
      uint32_t c00 = pixmap->Get(x0, y0), c10 = pixmap->Get(x1, y0);
      uint32_t c01 = pixmap->Get(x0, y1), c11 = pixmap->Get(x1, y1);
      uint32_t result = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        double top = ((c00 >> shift) & 255) * (1 - tx) + ((c10 >> shift) & 255) * tx;
        double bottom = ((c01 >> shift) & 255) * (1 - tx) + ((c11 >> shift) & 255) * tx;
        uint32_t v = static_cast<uint32_t>(std::lround(top * (1 - ty) + bottom * ty));
        result |= std::min<uint32_t>(v, 255) << shift;
      }
      out->Set(x, y, result);
    }
  }
  return out;
}

int PixmapWidth(const PixmapPtr& pixmap) { return pixmap ? pixmap->width : 0; }
int PixmapHeight(const PixmapPtr& pixmap) { return pixmap ? pixmap->height : 0; }
int PixmapFormat(const PixmapPtr& pixmap) { return pixmap ? pixmap->format : 0; }

uint32_t ReadPixel(const PixmapPtr& pixmap, int x, int y) {
  if (!pixmap || x < 0 || y < 0 || x >= pixmap->width || y >= pixmap->height) return 0;
  return pixmap->Get(x, y);
}

void WritePixel(const PixmapPtr& pixmap, int x, int y, uint32_t argb) {
  if (!pixmap || x < 0 || y < 0 || x >= pixmap->width || y >= pixmap->height) return;
  pixmap->Set(x, y, argb);
}

void ClearPixels(const PixmapPtr& pixmap, uint32_t argb) {
  if (!pixmap) return;
  std::fill(pixmap->pixels.begin(), pixmap->pixels.end(), argb);
}

uint8_t* PixelPtr(const PixmapPtr& pixmap, int x, int y) {
  if (!pixmap || x < 0 || y < 0 || x >= pixmap->width || y >= pixmap->height) return nullptr;
  return reinterpret_cast<uint8_t*>(pixmap->pixels.data() + static_cast<size_t>(y) * pixmap->width + x);
}

void ConvertPixels(const uint8_t* src, int srcFormat, uint8_t* dst, int dstFormat, int count) {
  int sb = BytesPerPixel(srcFormat), db = BytesPerPixel(dstFormat);
  if (!src || !dst || sb == 0 || db == 0) return;
  for (int i = 0; i < count; ++i) {
    WriteFormat(dst + static_cast<size_t>(i) * db, dstFormat,
                ReadFormat(src + static_cast<size_t>(i) * sb, srcFormat));
  }
}

bool SavePixmapPNG(const PixmapPtr& pixmap, const std::string& path) {
  if (!pixmap || pixmap->width == 0 || pixmap->height == 0) return false;
  // Non-premultiplied RGBA, 8 bits per channel.
  std::vector<uint8_t> rgba(pixmap->pixels.size() * 4);
  ConvertPixels(reinterpret_cast<const uint8_t*>(pixmap->pixels.data()), PF_BGRA8888, rgba.data(),
                PF_RGBA8888, static_cast<int>(pixmap->pixels.size()));
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(pixmap->width);
  image.height = static_cast<png_uint_32>(pixmap->height);
  image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(image, size, 0, rgba.data(), 0, nullptr)) return false;
  std::vector<uint8_t> out(size);
  if (!png_image_write_to_memory(&image, out.data(), &size, 0, rgba.data(), 0, nullptr)) return false;
  out.resize(size);
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}
