// The title's credits screen.
#include "screens/title/title_screen.h"

int32_t TTitleScreen::showCredits() { return 0; }
