// The title's hiscores screen.
#include "screens/title/title_screen.h"

int32_t TTitleScreen::showHiscores(int32_t /*crossFade*/) { return 0; }
