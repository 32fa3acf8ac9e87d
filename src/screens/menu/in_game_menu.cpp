// The pause menus of the menu window (state 2 for the board games, state 8 for the picture
// puzzle and the ring game, which run their own pause loops) and the board games' pause loop.
#include "screens/menu/in_game_menu.h"

#include <map>
#include <vector>

#include "services/mouse.h"
#include "game/scene_effects.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/menu/menu_buttons.h"
#include "screens/menu/options_window.h"
#include "screens/tutorial/tutorial.h"

namespace {

// Keys of the pause menus' buttons.
constexpr int32_t kMenuResumeKey = 20;
constexpr int32_t kRestartKey = 21;
constexpr int32_t kMenuOptionsKey = 22;
constexpr int32_t kMenuMainMenuKey = 23;
constexpr int32_t kMenuQuitKey = 24;  // present under its key, but never shown nor reported
constexpr int32_t kHelpKey = 25;

// Caption entries (captionImages) of the pause menus.
constexpr int kCaptionMainMenu = 6;
constexpr int kCaptionOptions = 7;
constexpr int kCaptionQuitGame = 8;
constexpr int kCaptionRestart = 9;
constexpr int kCaptionResume = 17;
constexpr int kCaptionHelp = 35;

// The level goal of the boss levels, whose help is the boss tutorial.
constexpr int32_t kBossGoal = 3;
// What the tutorials are told: they run over a level.
constexpr int32_t kFromLevel = 1;

struct MenuRow {
  int32_t key;
  int caption;
  float x, y;  // centre, screen coordinates
};

const std::vector<MenuRow> kInGameRows = {
    {kMenuResumeKey, kCaptionResume, 400, 240},     {kRestartKey, kCaptionRestart, 400, 270},
    {kMenuOptionsKey, kCaptionOptions, 400, 300},   {kHelpKey, kCaptionHelp, 400, 330},
    {kMenuMainMenuKey, kCaptionMainMenu, 400, 360}, {kMenuQuitKey, kCaptionQuitGame, 400, 380},
};
const std::vector<MenuRow> kShortRows = {
    {kMenuResumeKey, kCaptionResume, 400, 240},
    {kMenuOptionsKey, kCaptionOptions, 400, 270},
    {kMenuMainMenuKey, kCaptionMainMenu, 400, 330},
    {kMenuQuitKey, kCaptionQuitGame, 400, 375},
};

// The choice of the pause loop: still open, or how it closes.
enum Choice : int32_t { kOpen = 0, kResume = 1, kRestart = 2, kMainMenu = 3, kQuit = 4 };

// The game as it stood when the menu opened: drawn, not played. The board goes on fading in and
// a petrification under way completes, but no new one starts; the spells are drawn without
// their step; sparks, comets, captions and the sound queue run on.
void DrawFrozenScene() {
  if (level) level->Draw();
  if (magicSphere) magicSphere->Update(1);
  if (timeManager) timeManager->DrawAndUpdate();
  if (points) points->Draw();
  if (board) {
    board->Update(1);
    board->Draw(0);
  }
  if (bossManager) bossManager->Draw();
  if (bonusManagerAlt) bonusManagerAlt->Draw();
  UpdateSceneEffects();
}

// The help button: the boss tutorial on a boss level (which ends the program itself on a close
// request), else the main tutorial, whose close request closes the menu with quit.
Choice ShowHelp() {
  if (!tutorial) return kOpen;
  if (level && level->goalType == kBossGoal) {
    tutorial->show2(kFromLevel);
    return kOpen;
  }
  return tutorial->show(kFromLevel) != 0 ? kQuit : kOpen;
}

Choice ActOnResult(int32_t result) {
  switch (result) {
    case kMenuResumeKey:
      return kResume;
    case kRestartKey:
      return kRestart;
    case kMenuOptionsKey:
      // The in-game options, without a new fade-in; their back button comes back here.
      optionsWindow->SetState(TOptionsWindow::kInGameOptions, 0, TOptionsWindow::kOriginX,
                              TOptionsWindow::kOriginY);
      return kOpen;
    case kMenuMainMenuKey:
      return kMainMenu;
    case kHelpKey:
      return ShowHelp();
    default:
      return kOpen;
  }
}

}  // namespace

void TOptionsWindow::buildInGameMenuScreen() {
  const std::vector<MenuRow>& rows = state == kInGameMenu ? kInGameRows : kShortRows;
  // By key, so that the looks are given in ascending key order.
  std::map<int32_t, ButtonPtr> made;
  for (const MenuRow& row : rows)
    made[row.key] = menu_buttons::Add(row.key, captionImages[static_cast<size_t>(row.caption)],
                                      row.x, row.y, row.key);
  for (const auto& [key, button] : made)
    if (button) button->setView(1, 1, buttonGlow);
  if (made[kMenuQuitKey]) made[kMenuQuitKey]->setState(0, 0);
}

int32_t showInGameMenu(int32_t caller) {
  (void)caller;  // the quest and endless loops pass 1, time attack 3; the menu is the same
  if (timeManager) timeManager->PauseOn();
  const int32_t petrifyInterval = board ? ElapsedMs(MilliSecs(), board->lastPetrify) : 0;
  optionsWindow->SetState(TOptionsWindow::kInGameMenu, 1, TOptionsWindow::kOriginX,
                          TOptionsWindow::kOriginY);
  optionsWindow->levelMusic = level ? level->music : nullptr;
  optionsWindow->context = TOptionsWindow::kInGameMenu;

  Choice choice = kOpen;
  while (choice == kOpen) {
    if (mouse) mouse->fetchState();
    DrawFrozenScene();
    optionsWindow->Update();
    optionsWindow->Draw();
    if (mouse) mouse->Draw();
    Flip(-1);
    PollSystem();
    choice = ActOnResult(optionsWindow->result);
    if (AppTerminate() != 0) choice = kQuit;
    // Last, so that it wins over every other choice of the frame, in the options screen too.
    if (KeyHit(KEY_ESCAPE) != 0) choice = kResume;
    // A level without music has no stream to update.
    if (level && level->music) level->music->update();
  }

  if (timeManager) timeManager->PauseOff();
  // The pause (the tutorial's time included) does not count towards the next petrification.
  if (board) board->lastPetrify = ClockBefore(MilliSecs(), petrifyInterval);
  optionsWindow->freeState();
  optionsWindow->levelMusic = nullptr;
  // The key or click that closed the menu must not act in the game's next frame.
  FlushKeys();
  FlushMouse();
  if (mouse) mouse->fetchState();
  switch (choice) {
    case kRestart:
      return kMenuRestart;
    case kMainMenu:
      return kMenuMainMenu;
    case kQuit:
      return kMenuQuit;
    default:
      return kMenuResume;
  }
}
