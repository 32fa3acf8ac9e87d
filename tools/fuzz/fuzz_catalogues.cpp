// Any bytes as the rune, the block or the boss catalogue (the first byte picks which; the rest
// is the file): its manager is made afresh and reads it, then a shipped boss level is played
// 40 frames.
#include "fuzz_game.h"

#include "program/main_loop.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "play/game_modes.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/boss_manager.h"
#include "screens/popups/popup_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const char* const kEntries[] = {"runes.tsc", "blocks.tsc", "bossRunes.tsc"};
  const char* entry = kEntries[data[0] % 3];
  fuzz_game::Init();
  fuzz_game::PutEntry("settings_lp.bca", entry, data + 1, size - 1);
  fuzz_game::Play(40, [&] {
    // Each catalogue is read as start-up makes its manager.
    switch (data[0] % 3) {
      case 0:
        runes = std::make_shared<TRuneManager>();
        runes->loadRunesGfx();
        break;
      case 1:
        blocks = std::make_shared<TBlocksManager>();
        blocks->loadBlocksDef();
        blocks->loadSfx();
        break;
      default:
        bossManager = std::make_shared<TBossManager>();
        bossManager->LoadResources();
        break;
    }
    level->Set(u"level_04.tsc");
    gameState = 1;
    board->clearBoard();
    level->Load(0);
    level->loadGfx();
    board->gameOver = 0;
    goGlyphor(0);
  });
  fuzz_game::Restore("settings_lp.bca");
  return 0;
}
