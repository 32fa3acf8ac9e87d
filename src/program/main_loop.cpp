#include "program/main_loop.h"

#include <cstdio>
#include <string>

#include "services/options.h"
#include "program/start_up.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "play/game_modes.h"
#include "game/saved/new_profile.h"
#include "game/saved/saved_game.h"
#include "play/puzzle/puzzle_manager.h"
#include "play/ring/ring_game.h"
#include "platform/errors.h"
#include "platform/system.h"
#include "screens/map/map_core.h"
#include "program/title_screen.h"
#include "screens/tutorial/tutorial.h"

std::function<int32_t(int32_t)> questLevelLoop = goGlyphor;

namespace {

// The boss tutorial shows before this quest level on every attempt, whatever the profile says.
constexpr int32_t kBossTutorialLevel = 7;
// What the first tutorial answers when a close request ended it.
constexpr int32_t kTutorialClosed = 1;
// Arguments of the screens: shown outside a level; the level's own picture; not from the gallery.
constexpr int32_t kOutsideLevel = 0;
constexpr int32_t kNotFromGallery = 0;
// SaveProfile and ClearProfile arguments.
constexpr int32_t kWriteNow = 1;
constexpr int32_t kRestartQuest = 1;

// The title's choice 3. The first tutorial comes before the profile is touched: a close request
// during it ends the program with the old quest in the profile as it was (clearing first would
// leave the new quest's state beside the old quest's saved board and statistics).
void StartNewQuest() {
  if (tutorial->show(kOutsideLevel) == kTutorialClosed) End();
  ClearProfile(kRestartQuest);
  LoadProfile();
  readFromProfile = 0;
  saveToProfile = 1;
}

void ContinueQuest() {
  LoadProfile();
  readFromProfile = 1;
  saveToProfile = 1;
}

// The boss tutorial comes before level 7 is set up or restored: a close request in it ends the
// program while the singletons still hold the previous level (or nothing of the saved one), so
// the end routine must save the options only. The profile keeps what the last save wrote: the
// previous level finished, or the saved level-7 game as it was.
void ShowBossTutorial() {
  const int32_t saving = saveToProfile;
  saveToProfile = 0;
  tutorial->show2(kOutsideLevel);
  saveToProfile = saving;
}

// Plays the current level by its type; true when it was finished, false when the player went
// back to the menu (or lost a board level).
bool PlayCurrentLevel() {
  if (sequencer->currentLevel == kBossTutorialLevel) ShowBossTutorial();
  switch (sequencer->levelType) {
    case TLevelSequencer::kPuzzleLevel:
      menuQuit = puzzle->show(readFromProfile, String(), kNotFromGallery);
      break;
    case TLevelSequencer::kRingLevel:
      menuQuit = ringGame->Play(readFromProfile);
      break;
    default:
      menuQuit = questLevelLoop(readFromProfile);
      level->stopAndFreeMusic();
      // Only a board level can end in a game over; a flag left by an endless or time-attack
      // game must not turn a solved puzzle or ring game into a return to the menu.
      if (board->gameOver != 0) menuQuit = 1;
      break;
  }
  if (menuQuit != 0) return false;
  gameState = kGameStateMap;
  SaveProfile(kWriteNow);
  return true;
}

// The map after a finished level; true to play on, false back to the title (the quest is
// complete, or the player chose the menu).
bool ShowMapAfterLevel() {
  if (sequencer->currentLevel >= sequencer->lastLevel) return false;
  menuQuit = map->Show(sequencer->currentLevel);
  if (menuQuit != 0) {
    // While saveToProfile is still set this also stores the game in progress, at gameState 2.
    saveOptions();
    return false;
  }
  gameState = kGameStatePlay;
  return true;
}

// The program's end after an uncaught error: its text on standard error, the end hooks.
int EndAfterError(const std::string& text) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n", text.c_str());
  RunEndHooks();
  return kFailureStatus;
}

}  // namespace

void PlayQuest() {
  while (quit == 0 && gameState != kGameStateNone && sequencer->levelExists() != 0) {
    sequencer->setupLevel();
    if (gameState == kGameStatePlay || gameState == kGameStateNewQuest) {
      if (!PlayCurrentLevel()) break;
    }
    if (gameState == kGameStateMap && !ShowMapAfterLevel()) break;
    sequencer->nextLevel();
    readFromProfile = 0;
  }
  // Whatever ended the quest (also a damaged gameState that ran past the last level), the end
  // routine must not store another mode's game as the quest's from now on.
  saveToProfile = 0;
}

void PlayTitleAndQuest() {
  titleScreen->Prepare();
  titleScreen->show();
  switch (titleScreen->choice) {
    case TTitleScreen::kNewQuest:
      StartNewQuest();
      break;
    case TTitleScreen::kContinueQuest:
      ContinueQuest();
      break;
    default:
      // The title returns only with a quest choice; anything else would go on with the flags
      // of an earlier round, so it ends the program as a quit would.
      End();
  }
  if (sequencer->currentLevel > sequencer->lastLevel) saveToProfile = 0;
  PlayQuest();
}

void RunGame() {
  for (;;) PlayTitleAndQuest();
}

int RunProgram() {
  try {
    StartUp();
    RunGame();
  } catch (const ProgramEnded& ended) {
    return ended.status();
  } catch (const FrameworkError& e) {
    return EndAfterError(e.what());
  } catch (const TextError& e) {
    // A data file's error that no loader caught: reported like the framework's own.
    return EndAfterError(e.what());
  }
}
