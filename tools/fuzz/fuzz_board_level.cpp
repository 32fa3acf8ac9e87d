// Any bytes as a quest board level: the level manager reads it from the level archive, then the
// quest loop plays 60 frames on it with the scripted player placing blocks and answering popups.
#include "fuzz_game.h"

#include "program/main_loop.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "play/game_modes.h"
#include "screens/popups/popup_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_game::Init();
  fuzz_game::PutEntry("runes_levels_lp.bca", "level_01.tsc", data, size);
  fuzz_game::Play(60, [] {
    level->Set(u"level_01.tsc");
    gameState = 1;
    board->clearBoard();
    level->Load(0);
    level->loadGfx();
    board->gameOver = 0;
    popupManager->Prepare();
    goGlyphor(0);
  });
  return 0;
}
