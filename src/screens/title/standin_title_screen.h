// STAND-IN until the title screen exists: only the title music that a game started from the
// title's menu stops, and the title picture that the profile screen draws behind itself.
// Replace with the real TTitleScreen and remove this file.
#pragma once
#include <cstdint>
#include <memory>

#include "app/song_manager.h"
#include "platform/graphics.h"

class TTitleScreen {
 public:
  AudioStreamPtr music;      // the title music stream, or null
  int32_t musicPlaying = 0;  // 1 while it plays
  ImagePtr titleImage;       // "gfx/title/glyphor-title.jpg"; null until the title loads it

  virtual ~TTitleScreen() = default;
  // Stops, frees and releases the title music stream and clears the playing flag.
  virtual void stopMusic();
};
using TitleScreenPtr = std::shared_ptr<TTitleScreen>;

extern TitleScreenPtr titleScreen;
