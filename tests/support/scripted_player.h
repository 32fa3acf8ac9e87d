// A scripted player for the board game's loops, run headless: after every frame shown it looks,
// without touching the board, for the first cell where the held block fits in the turn it is
// heading for, and gives the next frames the input that points there and clicks. When the block
// fits nowhere in that turn but in another, it turns the wheel instead. Tests give it extra
// input per frame (a key, a close request, a click on a menu) through `onFrame`, which may also
// keep the player's hands off for that frame. While an information popup is open the player
// leaves the board alone and clicks the popup's OK once it is fully shown.
#pragma once
#include <functional>

class TPopup;

namespace test_support {

class ScriptedPlayer {
 public:
  // Installs itself as the platform's frame callback (the destructor removes it); with
  // `install` false the owner calls Step after every frame shown instead.
  explicit ScriptedPlayer(bool install = true);
  ~ScriptedPlayer();
  ScriptedPlayer(const ScriptedPlayer&) = delete;
  ScriptedPlayer& operator=(const ScriptedPlayer&) = delete;

  // Runs after every frame shown, before the player's own move, with the frame number just
  // shown; returning false keeps the player still for that frame.
  std::function<bool(int frame)> onFrame;
  // False keeps the player still until it is set again.
  bool playing = true;

  // The player's part of a frame shown: onFrame, then an open popup's OK or its own move.
  void Step(int frame);

  // Board clicks and turns so far (OK clicks not counted).
  int clicks() const { return clicks_; }
  int turns() const { return turns_; }

  // The first board cell (column-major: x, then y) where the held block fits at quarter turn
  // `rotation`; false when there is none or no block is held. Reads the board only.
  static bool FirstFit(int rotation, int& x, int& y);
  // The screen point over the middle of board cell (x, y).
  static void CellCentre(int x, int y, int& px, int& py);

 private:
  void Move(int frame);
  // True while an information popup is open; clicks its OK once, when it is fully shown.
  bool AnswerPopup(int frame);

  bool installed_ = false;
  int clicks_ = 0;
  int turns_ = 0;
  int waitUntil_ = 0;  // the frame after which the last input has been read
  const TPopup* okClicked_ = nullptr;  // the popup whose OK was clicked last
};

}  // namespace test_support
