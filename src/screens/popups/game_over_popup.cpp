// The game-over popup: a lost quest level zooms in the game-over panel and its cause over the
// frozen scene, then offers retry and back to the menu, and from the second loss of the level
// also skip. It pauses nothing: the level timer runs on, so the cause shown can turn to time out.
#include "services/mouse.h"
#include "services/sfx.h"
#include "game/quest_flow.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "platform/input.h"
#include "platform/system.h"
#include "screens/popups/popup_manager.h"

ImagePtr TPopupManager::ReasonImage() const {
  const bool timeOut = timeManager && timeManager->TimeOver() != 0;
  return reasonImages[timeOut ? kTimeOut : kNoMoreMoves];
}

void TPopupManager::EndGameOverFrame() {
  if (mouse) mouse->Draw();
  PollSystem();
  Flip(-1);
  if (mouse) mouse->fetchState();
  if (level && level->music) level->music->update();
}

int32_t TPopupManager::GameOverPopup() {
  ++levelReplays;
  // The channel is not kept: the sound plays to its end whatever the popup does.
  playSound2(loseSound);

  // The opening zoom reads no input. In single precision forty steps stop just below 1.0, so
  // it runs 41 frames, the last at 1.025.
  float alpha = 0.0f;
  while (alpha < 1.0f) {
    Cls();
    DrawBase();
    alpha += kZoomStep;
    SetAlpha(alpha);
    SetScale(alpha, alpha);
    DrawImage(panelImage, kScreenCentreX, kScreenCentreY);
    const ImagePtr reason = ReasonImage();
    const float halfWidth = static_cast<float>(ImageWidth(reason) / 2);
    DrawImage(reason, kScreenCentreX - alpha * halfWidth, kScreenCentreY - kReasonRise * alpha);
    EndGameOverFrame();
  }

  for (;;) {
    const int32_t result = GameOverChoiceFrame();
    if (result != 0) return result;
  }
}

int32_t TPopupManager::GameOverChoiceFrame() {
  // The buttons are polled before the frame is drawn; retry first, so it wins where the two
  // overlap. The close request is read after them.
  if (retryButton && retryButton->State() != 0) return kRetry;
  if (menuButton && menuButton->State() != 0) return kToMenu;
  if (AppTerminate()) return kCloseAsked;

  Cls();
  DrawBase();
  SetAlpha(1.0f);
  SetScale(1.0f, 1.0f);
  DrawImage(panelImage, kScreenCentreX, kScreenCentreY);
  const ImagePtr reason = ReasonImage();
  DrawImage(reason, static_cast<float>(static_cast<int32_t>(kScreenCentreX) -
                                       ImageWidth(reason) / 2),
            static_cast<float>(kReasonY));
  // A button shows only while hovered; the panel carries its normal look.
  if (retryButton && retryButton->over) retryButton->DrawOnOut();
  if (menuButton && menuButton->over) menuButton->DrawOnOut();

  if (levelReplays > 1) {
    const bool overSkip = mouse && mouse->x > kSkipLeft && mouse->x < kSkipRight &&
                          mouse->y > kSkipTop && mouse->y < kSkipBottom;
    DrawImage(skipImages[overSkip ? kSkipHovered : kSkipNormal], kSkipImageX, kSkipImageY);
    if (overSkip && mouse->hit1 != 0) {
      skipLevel = 1;
      return kRetry;
    }
  }
  EndGameOverFrame();
  return 0;
}
