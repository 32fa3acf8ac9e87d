#include "game/levels/level_manager.h"

LevelManagerPtr level;
