// The set-up of the current quest level (see the header).
#include "play/quest_level_setup.h"

#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "play/puzzle/puzzle_manager.h"
#include "play/ring/ring_game.h"
#include "screens/popups/popup_manager.h"

void SetUpQuestLevel(int32_t levelType, const String& fileName) {
  switch (levelType) {
    case TLevelSequencer::kBoardLevel:
      if (board) board->gameOver = 0;
      if (level) level->Set(fileName);
      if (board) board->clearBoard();
      if (level) {
        level->Load(0);
        level->loadGfx();
      }
      if (popupManager) popupManager->Prepare();
      break;
    case TLevelSequencer::kPuzzleLevel:
      if (puzzle) puzzle->Load(fileName);
      break;
    case TLevelSequencer::kRingLevel:
      if (ringGame) ringGame->Load(fileName);
      break;
    default:
      break;
  }
}
