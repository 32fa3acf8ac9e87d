// STAND-IN until the main loop exists (see the header).
#include "app/standin_game_state.h"

int32_t gameState = 0;
int32_t levelReplays = 0;
int32_t skipLevel = 0;
int32_t readFromProfile = 0;
