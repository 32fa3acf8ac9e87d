// STAND-IN until the title screen exists (see the header).
#include "screens/title/standin_title_screen.h"

TitleScreenPtr titleScreen;

void TTitleScreen::stopMusic() {
  if (music) {
    music->stop();
    music->free();
  }
  music = nullptr;
  musicPlaying = 0;
}
