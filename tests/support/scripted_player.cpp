// The scripted player (see the header).
#include "support/scripted_player.h"

#include "game/board/board_manager.h"
#include "game/pieces/blocks_manager.h"
#include "platform/headless.h"
#include "screens/popups/popup.h"
#include "screens/popups/popup_manager.h"

namespace test_support {

namespace {
// Input scheduled after frame N reaches the platform at the PollSystem of the next frame and the
// game's mouse at the fetch of the one after: wait that long before the next move.
constexpr int kInputLatencyFrames = 3;
// Where the player points on a popup's OK button, from its top-left corner.
constexpr int kOkButtonInset = 10;
}  // namespace

ScriptedPlayer::ScriptedPlayer(bool install) : installed_(install) {
  if (installed_) headless::SetFrameCallback([this](int frame) { Step(frame); });
}

ScriptedPlayer::~ScriptedPlayer() {
  if (installed_) headless::SetFrameCallback(nullptr);
}

void ScriptedPlayer::Step(int frame) {
  if (onFrame && !onFrame(frame)) return;
  if (AnswerPopup(frame)) return;
  if (playing) Move(frame);
}

bool ScriptedPlayer::AnswerPopup(int frame) {
  if (!popupManager) return false;
  for (const PopupPtr& popup : *popupManager->popups) {
    // Only the popup being shown has faded in at all.
    if (popup->alpha <= 0.0f) continue;
    if (popup->active == 1 && popup->alpha >= 1.0f && popup.get() != okClicked_) {
      // OK counts a press that starts after the popup opened: move, press, release.
      okClicked_ = popup.get();
      headless::MouseMoveAt(frame + 1, popup->buttonX + kOkButtonInset,
                            popup->buttonY + kOkButtonInset);
      headless::MouseButtonAt(frame + 2, 1, true);
      headless::MouseButtonAt(frame + 3, 1, false);
    }
    return true;
  }
  return false;
}

bool ScriptedPlayer::FirstFit(int rotation, int& x, int& y) {
  if (!board || !blocks || !blocks->currentBlock) return false;
  const BlockPtr& block = blocks->currentBlock;
  for (int cx = 0; cx < kBoardCells; ++cx) {
    for (int cy = 0; cy < kBoardCells; ++cy) {
      bool fits = true;
      for (int i = 0; i < 4 && fits; ++i) {
        for (int j = 0; j < 4 && fits; ++j) {
          int32_t dx = 0;
          int32_t dy = 0;
          RotateOffset(rotation, i, j, dx, dy);
          if (board->_checkMove(block, cx, cy, dx, dy, i, j) == 0) fits = false;
        }
      }
      if (fits) {
        x = cx;
        y = cy;
        return true;
      }
    }
  }
  return false;
}

void ScriptedPlayer::CellCentre(int x, int y, int& px, int& py) {
  px = board->originX + x * board->cellSize + board->cellSize / 2;
  py = board->originY + y * board->cellSize + board->cellSize / 2;
}

void ScriptedPlayer::Move(int frame) {
  if (frame < waitUntil_ || !blocks || !blocks->currentBlock) return;
  int x = 0;
  int y = 0;
  if (FirstFit(blocks->targetRotation, x, y)) {
    int px = 0;
    int py = 0;
    CellCentre(x, y, px, py);
    headless::MouseMoveAt(frame, px, py);
    headless::MouseClickAt(frame, 1);
    ++clicks_;
  } else {
    for (int r = 1; r < 4; ++r) {
      if (FirstFit((blocks->targetRotation + r) % 4, x, y)) {
        headless::MouseWheelAt(frame, 1);
        ++turns_;
        break;
      }
    }
  }
  waitUntil_ = frame + kInputLatencyFrames;
}

}  // namespace test_support
