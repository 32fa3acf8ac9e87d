// Loading pictures for the toolkit's creators: from a path, or passed through when the caller
// already holds the image (pixmap).
#pragma once
#include <cstddef>
#include <string>
#include "platform/graphics.h"
#include "platform/pixmap.h"
#include "platform/text.h"

// What a creator accepts as its picture: a path, an image, a pixmap, or nothing.
class ImageSource {
 public:
  enum Kind { NONE, PATH, IMAGE, PIXMAP };

  ImageSource() = default;
  ImageSource(std::nullptr_t) {}
  ImageSource(const String& path) : kind_(PATH), path_(path) {}
  ImageSource(const char16_t* path) : kind_(PATH), path_(path) {}
  ImageSource(const std::string& path) : kind_(PATH), path_(FromPath(path)) {}
  ImageSource(const char* path) : kind_(PATH), path_(FromPath(path)) {}
  ImageSource(ImagePtr image) : kind_(IMAGE), image_(std::move(image)) {}
  ImageSource(PixmapPtr pixmap) : kind_(PIXMAP), pixmap_(std::move(pixmap)) {}

  Kind kind() const { return kind_; }
  const String& path() const { return path_; }
  const ImagePtr& image() const { return image_; }
  const PixmapPtr& pixmap() const { return pixmap_; }

 private:
  Kind kind_ = NONE;
  String path_;
  ImagePtr image_;
  PixmapPtr pixmap_;
};

// A path that does not load: a message box naming it, and null. An image: answered unchanged.
// Anything else (the empty path included): a message box and an empty image.
ImagePtr FLoadImage(const ImageSource& source);
// The same for pixmaps.
PixmapPtr FLoadPixmap(const ImageSource& source);
// The large background pictures: reads the PNG of the same base name; null without a message.
PixmapPtr LoadJPEG2000(const std::string& path);
PixmapPtr LoadJPEG2000(const String& path);

// True when the image has something to draw (not null, at least one frame).
bool HasPicture(const ImagePtr& image);
