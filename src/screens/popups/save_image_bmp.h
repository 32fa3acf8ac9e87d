// Writes the picture of an image as an uncompressed 24-bit Windows bitmap (BMP): the 54-byte
// headers, then the rows bottom-up, each blue-green-red and padded with zero bytes to a multiple
// of 4. Only frame 0 is written; alpha is dropped. One row buffer is used for the whole picture.
#pragma once
#include <cstdint>
#include <string>

#include "platform/files.h"
#include "platform/graphics.h"

// Size of the file header and the info header together: where the pixel rows begin.
inline constexpr int32_t kBmpHeaderBytes = 54;

// Writes the image to the file at `path` through SaveBytesSafely (a temporary file of its own in
// the same folder, flushed to disk and renamed over it once complete), so that no partial file
// is ever left and no other file is touched. 0 after a complete
// write; -1 when the image has no frame-0 pixmap, the file cannot be opened or a write fails
// (an earlier file of that name is then left as it was).
int32_t SaveImageBMP(const ImagePtr& image, const std::string& path);
// Writes the image into `stream` and closes it. 0 after a complete write; -1 when there is no
// stream, the image has no frame-0 pixmap or a write fails.
int32_t SaveImageBMP(const ImagePtr& image, const StreamPtr& stream);
