// STAND-IN until the ring game loads its pictures and sounds: the start-up loading's call of
// TRingGame::loadGfx, loading nothing. Remove this file when the ring game defines it.
#include "minigames/ring/ring_game.h"

void TRingGame::loadGfx() {}
