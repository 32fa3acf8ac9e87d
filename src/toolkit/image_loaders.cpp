#include "toolkit/image_loaders.h"

#include "platform/files.h"
#include "platform/system.h"

namespace {
const char16_t* const kCannotLoad = u"Nie mozna zaladowac obrazka: ";
}  // namespace

ImagePtr FLoadImage(const ImageSource& source) {
  auto fallback = std::make_shared<TImage>();
  if (source.kind() == ImageSource::PATH && !source.path().empty()) {
    ImagePtr image = LoadImage(source.path(), DEFAULT_IMAGE_FLAGS);
    if (!image) {
      Notify(kCannotLoad + source.path());
      return nullptr;
    }
    return image;
  }
  if (source.kind() == ImageSource::IMAGE && source.image()) return source.image();
  Notify(u"Probojesz zaladowac niewlasciwy typ obiektu jako TImage");
  return fallback;
}

PixmapPtr FLoadPixmap(const ImageSource& source) {
  auto fallback = std::make_shared<TPixmap>(0, 0);
  if (source.kind() == ImageSource::PATH && !source.path().empty()) {
    PixmapPtr pixmap = LoadPixmap(ToPath(source.path()));
    if (!pixmap) {
      Notify(kCannotLoad + source.path());
      return nullptr;
    }
    return pixmap;
  }
  if (source.kind() == ImageSource::PIXMAP && source.pixmap()) return source.pixmap();
  Notify(u"Probojesz zaladowac niewlasciwy typ obiektu jako TPixmap");
  return fallback;
}

PixmapPtr LoadJPEG2000(const std::string& path) { return LoadPixmap(StripExt(path) + ".png"); }
PixmapPtr LoadJPEG2000(const String& path) { return LoadJPEG2000(ToPath(path)); }

bool HasPicture(const ImagePtr& image) {
  return image && image->width > 0 && image->height > 0 && ImageFrames(image) > 0;
}
