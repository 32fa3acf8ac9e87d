// The title menu's commands: once a frame, after the flip, the title acts on the id of the menu
// window's button clicked in that frame. Every row below is a test of its own on the window's
// current result, in this order: the hiscores and credits screens run the window's Update while
// they fade back, so a click in their last frame leaves a new id that the later rows act on in
// the same frame.
#include "program/main_loop.h"
#include "game/levels/level_manager.h"
#include "game/quest_flow.h"
#include "play/game_modes.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"
#include "program/gallery.h"
#include "screens/menu/options_window.h"
#include "screens/menu/board_selector.h"
#include "screens/profiles/profile_loader.h"
#include "program/title_screen.h"
#include "toolkit/container.h"

namespace {

// Buttons of the menu window's screens that the title acts on.
enum TitleCommand : int32_t {
  kContinue = 1,           // continue or new game: continue
  kNewGame = 2,            // continue or new game: new game
  kBackFromContinue = 3,   // continue or new game: main menu
  kGameModes = 10,         // main menu
  kExit = 11,              // main menu
  kHiscores = 12,          // options
  kCredits = 13,           // options
  kGallery = 14,           // main menu
  kOptions = 15,           // main menu
  kBackFromModes = 54,     // game modes and level selector: main menu
  kPlayQuest = 61,         // main menu
  kTimeAttack = 62,        // game modes
  kEndless = 63,           // game modes
  kPlay = 71,              // level selector
  kNextLevel = 72,
  kPreviousLevel = 73,
  kQuestLevels = 74,
  kTimedLevels = 75,
  kEndlessLevels = 76,
  kChangeProfile = 81,     // main menu
  kExitYes = 90,
  kExitNo = 91,
  kNewGameYes = 92,
  kNewGameNo = 93,
};

// What continue, new game and play mean: the mode chosen last in this title visit.
constexpr int32_t kQuestMode = 0;
constexpr int32_t kTimeAttackMode = 1;
constexpr int32_t kEndlessMode = 2;

constexpr int32_t kNewQuestDifficulty = 2;

void Screen(int32_t state) {
  optionsWindow->SetState(state, 0, TOptionsWindow::kOriginX, TOptionsWindow::kOriginY);
}

void ShowListButton(int32_t id, bool shown) {
  ButtonPtr button = data->GetButton(id);
  if (button) button->setState(shown ? 1 : 0, shown ? 1 : 0);
}

// Loads the list of `kind` with its preview unless it is the list shown.
void SwitchList(int32_t kind) {
  if (boardSelector->mode == kind) return;
  boardSelector->LoadList(kind);
  boardSelector->LoadMiniBoard();
}

}  // namespace

void TTitleScreen::openLevelSelector(int32_t kind) {
  boardSelector->LoadList(kind);
  boardSelector->LoadMiniBoard();
  Screen(TOptionsWindow::kLevelSelector);
  ShowListButton(kTimedLevels, kind == kTimeAttackMode);
  ShowListButton(kEndlessLevels, kind == kEndlessMode);
}

void TTitleScreen::afterGame() {
  optionsWindow->SetState(TOptionsWindow::kMainMenu, 1, TOptionsWindow::kOriginX,
                          TOptionsWindow::kOriginY);
  playMusic();
  optionsWindow->levelMusic = music;
  restartIdleTimer();
}

void TTitleScreen::runCommands() {
  auto clicked = [](int32_t id) { return optionsWindow->result == id; };
  const auto profileNumber = [](const char16_t* key) {
    return profile ? profile->GetNumber(key) : 0;
  };

  if (clicked(kContinue)) {
    if (titleMode_ == kQuestMode) choice = kContinueQuest;
    if (titleMode_ == kTimeAttackMode) goTimeAtack(u"");
    if (titleMode_ == kEndlessMode) goEndless(u"");
    if (titleMode_ == kTimeAttackMode || titleMode_ == kEndlessMode) level->stopAndFreeMusic();
    afterGame();
  }
  if (clicked(kNewGame)) {
    if (titleMode_ == kQuestMode) {
      level->difficulty = kNewQuestDifficulty;
      Screen(TOptionsWindow::kNewGameConfirm);
    } else {
      openLevelSelector(titleMode_);
    }
  }
  if (clicked(kNewGameYes)) choice = kNewQuest;
  if (clicked(kNewGameNo)) Screen(TOptionsWindow::kContinueOrNew);
  if (clicked(kBackFromContinue)) Screen(TOptionsWindow::kMainMenu);
  if (clicked(kPlayQuest)) {
    titleMode_ = kQuestMode;
    gameState = profileNumber(u"gameState");
    if (gameState == kGameStateNone) {
      level->difficulty = kNewQuestDifficulty;
      choice = kNewQuest;
    } else {
      Screen(TOptionsWindow::kContinueOrNew);
    }
  }
  if (clicked(kTimeAttack)) {
    titleMode_ = kTimeAttackMode;
    gameState = profileNumber(u"timeResume");
    if (gameState == kGameStateNone) openLevelSelector(TBoardSelector::kTimedLevels);
    else Screen(TOptionsWindow::kContinueOrNew);
  }
  if (clicked(kEndless)) {
    titleMode_ = kEndlessMode;
    gameState = profileNumber(u"endlessResume");
    if (gameState == kGameStateNone) openLevelSelector(TBoardSelector::kEndlessLevels);
    else Screen(TOptionsWindow::kContinueOrNew);
  }
  if (clicked(kPlay)) {
    if (titleMode_ == kTimeAttackMode) goTimeAtack(boardSelector->SelectedLevelName());
    if (titleMode_ == kEndlessMode) goEndless(boardSelector->SelectedLevelName());
    level->stopAndFreeMusic();
    afterGame();
  }
  if (clicked(kNextLevel)) boardSelector->nextLevel();
  if (clicked(kPreviousLevel)) boardSelector->PrevLevel();
  if (clicked(kQuestLevels)) SwitchList(TBoardSelector::kQuestLevels);
  if (clicked(kTimedLevels)) SwitchList(TBoardSelector::kTimedLevels);
  if (clicked(kEndlessLevels)) SwitchList(TBoardSelector::kEndlessLevels);
  if (clicked(kBackFromModes)) Screen(TOptionsWindow::kMainMenu);
  if (clicked(kGameModes)) Screen(TOptionsWindow::kModes);
  if (clicked(kExit)) Screen(TOptionsWindow::kExitConfirm);
  // Comes back with the menu on the main menu, fading in, and the title music as its music.
  if (clicked(kGallery)) gallery->show();
  if (clicked(kOptions)) Screen(TOptionsWindow::kOptions);
  if (clicked(kHiscores)) {
    showHiscores(1);
    idleCounter_ = 0;
    restartIdleTimer();
  }
  if (clicked(kCredits)) {
    showCredits();
    idleCounter_ = 0;
    restartIdleTimer();
  }
  if (clicked(kChangeProfile)) {
    profileLoader->show(TProfileLoader::kList);
    restartIdleTimer();
    FlushMouse();
  }
  if (clicked(kExitYes)) choice = kQuit;
  if (clicked(kExitNo)) Screen(TOptionsWindow::kMainMenu);
}
