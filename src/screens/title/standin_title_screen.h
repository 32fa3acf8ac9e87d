// STAND-IN until the title screen exists: the title picture that the profile screen draws behind
// itself, and the title music that a game started from the title's menu stops. Replace with the
// real TTitleScreen and remove this file.
#pragma once
#include <cstdint>
#include <memory>

#include "app/song_manager.h"
#include "platform/graphics.h"

class TTitleScreen {
 public:
  ImagePtr titleImage;       // "gfx/title/glyphor-title.jpg"; null until the title loads it
  AudioStreamPtr music;      // the title music stream, or null
  int32_t musicPlaying = 0;  // 1 while it plays

  virtual ~TTitleScreen() = default;
  // Stops, frees and releases the title music stream and clears the playing flag.
  virtual void stopMusic();
};
using TitleScreenPtr = std::shared_ptr<TTitleScreen>;

extern TitleScreenPtr titleScreen;
