// STAND-IN until the gallery exists (see the header).
#include "screens/gallery/standin_gallery.h"

#include "app/data_folders.h"
#include "toolkit/image_loaders.h"

GalleryPtr gallery;

int32_t TGallery::loadGfx() {
  background = LoadImage(LoadJPEG2000(bundleDir + "gfx/title/galeria.jp2"));
  return 0;
}

int32_t TGallery::show() { return 0; }
