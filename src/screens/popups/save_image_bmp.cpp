#include "screens/popups/save_image_bmp.h"

#include <vector>

#include "platform/errors.h"
#include "platform/pixmap.h"

namespace {

constexpr int32_t kInfoHeaderBytes = 40;
constexpr int kPlanes = 1;
constexpr int kBitsPerPixel = 24;
constexpr int32_t kNoCompression = 0;
constexpr int32_t kPixelsPerMetre = 2834;  // 72 dots per inch
constexpr int32_t kBytesPerPixel = 3;

PixmapPtr FrameZeroPixmap(const ImagePtr& image) {
  if (!image || image->frames.empty()) return nullptr;
  return image->frames[0];
}

// Width x 3 rounded up to the next multiple of 4.
int32_t RowLength(int32_t width) { return (width * kBytesPerPixel + 3) / 4 * 4; }

void WriteHeaders(const StreamPtr& out, int32_t width, int32_t height) {
  const int32_t dataBytes = RowLength(width) * height;
  WriteByte(out, 'B');
  WriteByte(out, 'M');
  WriteInt(out, dataBytes + kBmpHeaderBytes);
  WriteInt(out, 0);  // two reserved 16-bit fields
  WriteInt(out, kBmpHeaderBytes);
  WriteInt(out, kInfoHeaderBytes);
  WriteInt(out, width);
  WriteInt(out, height);  // positive: the rows are stored bottom-up
  WriteShort(out, kPlanes);
  WriteShort(out, kBitsPerPixel);
  WriteInt(out, kNoCompression);
  WriteInt(out, dataBytes);
  WriteInt(out, kPixelsPerMetre);
  WriteInt(out, kPixelsPerMetre);
  WriteInt(out, 0);  // no palette
  WriteInt(out, 0);  // every colour important
}

// The headers and the rows; a failed write raises the stream's error.
void WriteBitmap(const StreamPtr& stream, const PixmapPtr& pixmap) {
  const StreamPtr out = LittleEndianStream(stream);
  const int32_t width = PixmapWidth(pixmap);
  const int32_t height = PixmapHeight(pixmap);
  WriteHeaders(out, width, height);
  // The bytes behind width x 3 are never written to, so every row ends in the same zeros.
  std::vector<uint8_t> row(static_cast<size_t>(RowLength(width)), 0);
  for (int32_t y = height - 1; y >= 0; --y) {
    // Pixmaps hold their pixels as B, G, R, A words whatever format they were made with.
    ConvertPixels(PixelPtr(pixmap, 0, y), PF_BGRA8888, row.data(), PF_BGR888, width);
    WriteBytes(out, row.data(), static_cast<int64_t>(row.size()));
  }
}

}  // namespace

int32_t SaveImageBMP(const ImagePtr& image, const StreamPtr& stream) {
  if (!stream) return -1;
  const PixmapPtr pixmap = FrameZeroPixmap(image);
  int32_t result = -1;
  if (pixmap) {
    try {
      WriteBitmap(stream, pixmap);
      FlushStream(stream);
      result = 0;
    } catch (const FrameworkError&) {
      result = -1;
    }
  }
  CloseStream(stream);
  return result;
}

int32_t SaveImageBMP(const ImagePtr& image, const std::string& path) {
  if (!FrameZeroPixmap(image) || path.empty()) return -1;
  // The whole file is made in memory and then saved the platform's one safe way: a temporary
  // of its own choosing, flushed to disk, renamed over the file.
  const StreamPtr stream = CreateRamStream(std::vector<uint8_t>{}, true, true);
  if (SaveImageBMP(image, stream) != 0) return -1;
  return SaveBytesSafely(path, RamStreamBytes(stream)) ? 0 : -1;
}
