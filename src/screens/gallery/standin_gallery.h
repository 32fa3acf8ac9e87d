// STAND-IN until the gallery exists: its background picture, loaded at start-up, and a show that
// returns at once. Replace with the real TGallery and remove this file.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/graphics.h"

class TGallery {
 public:
  ImagePtr background;  // "gfx/title/galeria.jp2", read from the PNG of the same name

  virtual ~TGallery() = default;
  // Loads the gallery background. Returns 0.
  virtual int32_t loadGfx();
  // Runs nothing yet. Returns 0.
  virtual int32_t show();
};
using GalleryPtr = std::shared_ptr<TGallery>;

// Created by start-up among the singletons.
extern GalleryPtr gallery;
