#include "screens/title/standin_title_screen.h"

TitleScreenPtr titleScreen;
