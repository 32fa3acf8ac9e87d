// The buttons of the title's menu screens (main menu, continue or new game, modes), of the
// gallery's puzzle-size choice and of the two confirmations. The window only reports their keys;
// the hosts act on them.
#include "game/quest_flow.h"
#include "screens/menu/menu_buttons.h"
#include "screens/menu/options_window.h"

namespace {

using menu_buttons::Add;
using menu_buttons::Centre;
using menu_buttons::kDarkened;

// Caption entries (captionImages) of these screens.
constexpr int kCaptionModes = 0;
constexpr int kCaptionExit = 1;
constexpr int kCaptionContinue = 4;
constexpr int kCaptionNewGame = 5;
constexpr int kMenusCaptionMainMenu = 6;
constexpr int kCaptionYes = 12;
constexpr int kCaptionNo = 13;
constexpr int kCaptionGallery = 15;
constexpr int kMenusCaptionOptions = 16;
constexpr int kCaptionEasy = 22;
constexpr int kCaptionNormal = 23;
constexpr int kCaptionHard = 24;
constexpr int kCaptionPlayQuest = 25;
constexpr int kCaptionTimeAttack = 26;
constexpr int kCaptionEndless = 27;
constexpr int kCaptionBack = 37;

// Without a saved game the continue-or-new screen drops its continue button and moves the other
// two up by this much.
constexpr float kNoSavedGameShift = -35.0f;

}  // namespace

void TOptionsWindow::buildMenuScreen() {
  const auto& c = captionImages;
  switch (state) {
    case kMainMenu:
      Add(61, c[kCaptionPlayQuest], 400, 290, 1);
      Add(10, c[kCaptionModes], 400, 335, 1);
      Add(14, c[kCaptionGallery], 400, 375, 2);
      Add(15, c[kMenusCaptionOptions], 400, 415, 3);
      Add(11, c[kCaptionExit], 400, 488, 4);
      // Placed by its top-left corner; no growth, no glow: it darkens under the pointer.
      Add(81, profileChangeImage, 22, 525, 81, kDarkened);
      Centre({61, 10, 11, 14, 15}, buttonGlow);
      break;
    case kContinueOrNew: {
      const bool saved = gameState != kGameStateNone;
      const float d = saved ? 0.0f : kNoSavedGameShift;
      Add(1, c[kCaptionContinue], 400, 290, 1);
      Add(2, c[kCaptionNewGame], 400, 335 + d, 2);
      Add(3, c[kMenusCaptionMainMenu], 400, 400 + d, 3);
      Centre({1, 2, 3}, buttonGlow);
      if (!saved) menu_buttons::Show(1, false);
      break;
    }
    case kPuzzleSize:
      Add(51, c[kCaptionEasy], 400, 198, 1);
      Add(52, c[kCaptionNormal], 400, 243, 2);
      Add(53, c[kCaptionHard], 400, 288, 3);
      Add(54, c[kCaptionBack], 400, 358, 3);
      Centre({51, 52, 53, 54}, buttonGlow);
      break;
    case kModes:
      Add(62, c[kCaptionTimeAttack], 400, 335, 2);
      Add(63, c[kCaptionEndless], 400, 380, 3);
      Add(54, c[kMenusCaptionMainMenu], 400, 470, 3);
      Centre({62, 63, 54}, buttonGlow);
      break;
    case kExitConfirm:
      Add(90, c[kCaptionYes], 360, 400, 90);
      Add(91, c[kCaptionNo], 440, 400, 91);
      Centre({90, 91}, buttonGlow);
      break;
    case kNewGameConfirm:
      Add(92, c[kCaptionYes], 360, 400, 92);
      Add(93, c[kCaptionNo], 440, 400, 93);
      Centre({92, 93}, buttonGlow);
      break;
    default:
      break;
  }
}
