// The title's hiscores screen: the title picture dissolves into the hiscores background with the
// table view over it, the view shows the quest, endless and time-attack tables a little over six
// seconds each, and the background dissolves back into the title while the menu fades in. A
// left click, Enter or Space cuts the tables short.
#include "services/mouse.h"
#include "platform/system.h"
#include "profiles/hiscores.h"
#include "screens/hiscores/hiscores_screen.h"
#include "program/title_screen.h"

int32_t TTitleScreen::showHiscores(int32_t crossFadeFromTitle) {
  // The quest table's clock starts here: the fade-in counts towards its time.
  THiscoresScreen view;
  view.Load(hiscore->GetScores(THiscoresScreen::kFirstStage, THiscoresScreen::kRowsShown));
  alpha = 0.0f;
  const auto viewAt = [&view](float frameAlpha) {
    view.frame->alpha = frameAlpha;
    view.Draw();
  };
  crossFade(crossFadeFromTitle != 0 ? titleImage : nullptr, nullptr, hiscoresImage, viewAt,
            true, false);
  view.frame->alpha = 1.0f;
  while (terminateRequested == 0 && choice == kNoChoice) {
    beginDisplayFrame(hiscoresImage);
    // Non-zero once the time-attack table has run out and the quest table is back.
    if (view.Update() != 0) choice = kLeaveScreen;
    view.Draw();
    showDisplayFrame();
    updateMusic();
  }
  leaveDisplay();
  crossFade(hiscoresImage, viewAt, titleImage, nullptr, false, true);
  mouse->fetchState();
  return 0;
}
