// The gallery: the pictures the player has revealed in the quest (the backgrounds of the levels
// played, as the profile lists them), one at a time with a cross-fade, stepped with two arrows,
// and the puzzle of the picture shown replayed at one of three sizes. The title menu opens it;
// the title music plays on except while a puzzle runs. One object lives for the whole run.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/graphics.h"
#include "platform/list.h"
#include "platform/pixmap.h"
#include "platform/text.h"
#include "toolkit/menu.h"

class TGallery {
 public:
  // The button ids.
  static constexpr int32_t kPrevious = 1;
  static constexpr int32_t kNext = 2;
  static constexpr int32_t kFullscreen = 3;  // no button of the menu bears it
  static constexpr int32_t kWallpaper = 4;   // always hidden
  static constexpr int32_t kPlayPuzzle = 5;
  static constexpr int32_t kBack = 6;
  static constexpr float kFadeStep = 0.02f;  // per frame: 51 frames from 0 to 1
  static constexpr float kSlideScale = 0.7f;
  static constexpr float kSlideX = 120.0f;
  static constexpr float kSlideY = 80.0f;

  ImagePtr background;     // made from backgroundPixmap by Start, drawn over the picture
  ImagePtr titleImage;     // the caption
  float slideAlpha = 0.0f;  // opacity of the picture while no cross-fade runs
  int32_t index = 0;        // 1-based position of the shown picture in `pictures`; 0 none
  ImagePtr currentSlide;
  ImagePtr incomingSlide;   // the picture fading in; empty whenever fade is 0
  float fade = 0.0f;        // cross-fade: 1 when a picture is chosen, down to 0 (idle)
  // The revealed pictures; after Start the very list slides holds.
  TListPtr<String> pictures = CreateList<String>();
  MenuPtr menu;
  PixmapPtr backgroundPixmap;  // read once at start-up

  virtual ~TGallery() = default;

  // Reads the background once, during start-up loading. Returns 0.
  virtual int32_t loadGfx();
  // Loads entry index - 1 of `pictures` into incomingSlide, as the path it is. Returns 0.
  virtual int32_t loadSlide();
  // Prepares a visit: 1 on entering, 0 back from a replayed puzzle (same picture). Returns 0.
  virtual int32_t Start(int32_t first);
  // One frame of the fades. Returns 0.
  virtual int32_t Update();
  // One frame of the gallery, without clearing or flipping. Returns 0.
  virtual int32_t Draw();
  // Runs the gallery until its back button; a close request ends the program. Returns 0.
  virtual int32_t show();
  // The shown picture over the whole screen until a left click; 1 when a close request ended it.
  virtual int32_t showFullscreen();
  // Asks for a size and replays the shown picture's puzzle. Returns 0.
  virtual int32_t playPuzzles();
  // Choose the next or previous picture (wrapping); nothing during a cross-fade. Return 0.
  virtual int32_t nextImage();
  virtual int32_t prevImage();
  // Drops what a visit built; the caption, the list and the pixmap stay. Returns 0.
  virtual int32_t finish();
  // The wallpaper button's action: nothing. Returns 0.
  virtual int32_t SetWallpaper();

 private:
  void buildMenu();
  // The title music's per-frame call.
  static void updateTitleMusic();
  // The picture path of entry index - 1.
  String entry() const;
};
using GalleryPtr = std::shared_ptr<TGallery>;

// Created by start-up among the singletons.
extern GalleryPtr gallery;
