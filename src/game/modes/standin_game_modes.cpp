// STAND-IN until the game modes exist (see the header).
#include "game/modes/standin_game_modes.h"

#include "screens/title/title_screen.h"

int32_t goEndless(const String& /*levelName*/) {
  if (titleScreen) titleScreen->stopMusic();
  return 0;
}

int32_t goTimeAtack(const String& /*levelName*/) {
  if (titleScreen) titleScreen->stopMusic();
  return 0;
}
