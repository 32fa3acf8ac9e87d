// The quest-flow state's globals.
#include "game/quest_flow.h"

int32_t gameState = 0;
int32_t quit = 0;
int32_t skipLevel = 0;
int32_t lastLevel = 0;
int32_t levelReplays = 0;
int32_t menuQuit = 0;
int32_t readFromProfile = 0;
