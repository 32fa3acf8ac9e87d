// The ring game's in-game menu: the menu window's short in-game screen over the frozen ring
// screen. Neither the level clock nor the current rune's clock runs while it is open; the music
// plays on and the spark bursts keep turning.
#include "services/delta_time.h"
#include "services/mouse.h"
#include "game/spells/ring_emiter.h"
#include "play/ring/ring_game.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/menu/options_window.h"
#include "toolkit/spark.h"

namespace {

// Keys of the short in-game menu's buttons.
constexpr int32_t kRingResumeKey = 20;
constexpr int32_t kRingOptionsKey = 22;
constexpr int32_t kRingMainMenuKey = 23;
constexpr int32_t kRingQuitKey = 24;

}  // namespace

int32_t TRingGame::ShowInGameMenuRG() {
  int32_t result = kMenuResume;
  const int32_t elapsedLevel = ElapsedMs(MilliSecs(), startTime);
  const int32_t elapsedRune = ElapsedMs(MilliSecs(), runeStart);
  if (optionsWindow) {
    optionsWindow->SetState(TOptionsWindow::kShortInGameMenu, 1, TOptionsWindow::kOriginX,
                            TOptionsWindow::kOriginY);
    optionsWindow->levelMusic = musicStream;
    optionsWindow->context = TOptionsWindow::kShortInGameMenu;
  }
  for (;;) {
    if (deltaTime) {
      deltaTime->Update();
      delta = deltaTime->CurrDelta();
    }
    Draw(1);
    if (optionsWindow) {
      optionsWindow->Update();
      optionsWindow->Draw();
    }
    if (mouse) mouse->Draw();
    if (musicStream) musicStream->update();
    if (mouse) mouse->fetchState();
    TRingEmiter::UpdateAll();
    TSpark::UpdateAll();
    PollSystem();
    Flip(-1);
    // Escape resumes from either screen of the window.
    if (KeyHit(KEY_ESCAPE) != 0) break;
    if (AppTerminate() != 0) result = kMenuQuit;
    const int32_t clicked = optionsWindow ? optionsWindow->result : 0;
    if (clicked == kRingResumeKey) break;
    if (clicked == kRingOptionsKey)
      optionsWindow->SetState(TOptionsWindow::kInGameOptions, 0, TOptionsWindow::kOriginX,
                              TOptionsWindow::kOriginY);
    if (clicked == kRingMainMenuKey) result = kMenuMainMenu;
    if (clicked == kRingQuitKey) result = kMenuQuit;
    if (result != kMenuResume) break;
  }
  // Both clocks resume where they stood.
  runeStart = ClockBefore(MilliSecs(), elapsedRune);
  startTime = ClockBefore(MilliSecs(), elapsedLevel);
  // The key or click that closed the menu does not reach the game.
  FlushKeys();
  FlushMouse();
  return result;
}
