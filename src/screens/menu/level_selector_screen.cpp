// The level selector of the endless and time-attack games (state 6 of the menu window): play,
// next and previous, back, and one button per list with a tick beside the list on show, over the
// fading preview of the selected board. The window only reports the clicked key; the title
// screen changes the list, the selection and the preview.
#include "screens/menu/board_selector.h"
#include "screens/menu/menu_buttons.h"
#include "screens/menu/options_window.h"
#include "screens/title_pictures.h"

namespace {

using menu_buttons::Add;

// Caption entries (captionImages) of the selector's buttons.
constexpr int kSelectorCaptionMainMenu = 6;
constexpr int kCaptionQuestLevels = 32;
constexpr int kCaptionTimedLevels = 33;
constexpr int kCaptionEndlessLevels = 34;
constexpr int kCaptionPlay = 36;
// Entries of `arrows`.
constexpr int kPreviousArrow = 0;
constexpr int kNextArrow = 1;

// The tick stands beside the quest levels' button, or beside the mode's own list's button
// (time attack and endless share one place; the title hides the other).
constexpr float kTickX = 350.0f;
constexpr float kQuestTickY = 380.0f;
constexpr float kModeListTickY = 410.0f;
// The caption under the list buttons, placed by its top-left corner.
constexpr float kCaptionX = 199.0f;
constexpr float kCaptionY = 440.0f;

}  // namespace

void TOptionsWindow::buildLevelSelectorScreen() {
  const auto& c = captionImages;
  Add(71, c[kCaptionPlay], 280, 310, 71);
  Add(72, arrows[kNextArrow], 515, 510, 72);
  Add(73, arrows[kPreviousArrow], 460, 510, 73);
  Add(54, c[kSelectorCaptionMainMenu], 280, 500, 54);
  Add(74, c[kCaptionQuestLevels], 280, 380, 74);
  Add(75, c[kCaptionTimedLevels], 280, 410, 75);
  Add(76, c[kCaptionEndlessLevels], 280, 410, 76);
  menu_buttons::Centre({71, 72, 73, 54, 74, 75, 76}, buttonGlow);
}

// After the buttons, which leave the opacity at 1: the tick, the caption, and last the preview.
void TOptionsWindow::drawLevelSelectorExtras() {
  const bool questList = boardSelector && boardSelector->mode == TBoardSelector::kQuestLevels;
  DrawImage(checkMark, kTickX, questList ? kQuestTickY : kModeListTickY, 0);
  if (levelSelectorCaption) DrawImage(levelSelectorCaption(), kCaptionX, kCaptionY, 0);
  if (boardSelector) boardSelector->DrawMiniBoard();
}
