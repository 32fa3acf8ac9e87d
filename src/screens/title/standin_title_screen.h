// STAND-IN until the title screen exists: only the title picture that the profile screen draws
// behind itself. Replace with the real TTitleScreen and remove this file.
#pragma once
#include <memory>

#include "platform/graphics.h"

class TTitleScreen {
 public:
  ImagePtr titleImage;  // "gfx/title/glyphor-title.jpg"; null until the title loads it

  virtual ~TTitleScreen() = default;
};
using TitleScreenPtr = std::shared_ptr<TTitleScreen>;

extern TitleScreenPtr titleScreen;
