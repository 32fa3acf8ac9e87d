// Captions: the short-lived numbers, banners and pictures that float over the board where
// something was scored. Each one waits out its delay, fades in, fades out and removes itself
// from `captions`; numbers rise, the banner and pictures grow.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/graphics.h"
#include "platform/list.h"

class TCaptions;
using CaptionsPtr = std::shared_ptr<TCaptions>;

class TCaptions {
 public:
  // Kinds of caption.
  static constexpr int32_t kPoints = 1;  // a number with the "points" label; rises
  static constexpr int32_t kCombo = 2;   // the combo banner of `value` colours; grows
  static constexpr int32_t kMatch = 3;   // a number with the "match" label; rises
  static constexpr int32_t kImage = 4;   // a picture; grows

  float x = 0.0f;       // left edge of a number, centre of the banner, handle of a picture
  float y = 0.0f;       // top of a number, centre of the banner, handle of a picture
  float alpha = 0.0f;   // opacity of the next drawing: the sine of the last stored phase
  float phase = 0.0f;   // degrees: 0..90 fading in, 90..180 fading out, 180 gone
  float scale = 0.0f;
  int32_t value = 0;    // the number shown; the colours of a combo banner
  int32_t delay = 0;    // ms after startTime before the caption first shows; 0 once passed
  int32_t startTime = 0;
  ImagePtr image;       // the picture of a kind 4 caption; may be null
  int32_t kind = 0;

  // Pictures shared by every caption, loaded once by loadGfx.
  static ImagePtr match;   // "gfx/fonts/match.png"
  static ImagePtr combo;   // "gfx/fonts/combo.png", 3 cells of 256 x 42, handle at the centre
  static ImagePtr points;  // "gfx/fonts/points.png"
  static ImagePtr cyfry;   // "gfx/fonts/CYFRY2.png", 10 cells of 32 x 32

  virtual ~TCaptions() = default;

  static void loadGfx();
  // Removes this caption from `captions`.
  virtual void Destroy();
  // Removes every caption; the list ends empty.
  static void destroyAll();
  // Draws the digits of `value` at (x, y + yOffset) with the current state; answers the pen
  // advance plus the unscaled 12-pixel gap before the label.
  virtual int32_t drawNumber(int32_t yOffset);
  // One frame of every caption: delay, motion, fade, drawing and removal, oldest first.
  static void updateAll();
  // Unscaled width: the digits, the gap and the label of the kind.
  virtual int32_t GetWidth();
  // Makes a caption and appends it to `captions`; `center` moves it left by half its width.
  static CaptionsPtr addCaption(int32_t kind, int32_t value, int32_t x, int32_t y, float scale,
                                int32_t center, int32_t delay, const ImagePtr& image);
};

// Every live caption, oldest first.
extern TListPtr<CaptionsPtr> captions;
