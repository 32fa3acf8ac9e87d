// The title screen: the hub the player comes back to between games. The title picture fades in
// over the title music, the menu window shows its main menu with the player's name, sparks drift
// over the picture and follow the cursor, and the menu's commands continue or start the quest,
// play endless and time-attack games, and open the gallery, options, profiles, hiscores and
// credits. Left alone on the main menu the title shows the credits, then the hiscores, then
// nothing, 5.5 seconds of stillness apart.
//
// One object, the global `titleScreen`, for the whole run. It also serves the title's hiscores
// and credits screens, which share its fade alpha, its exit fields and its music, and it owns the
// title music that the loading screen starts and the games and the gallery stop and restart.
// Its fades step a fixed 0.02 a frame in 32-bit floats (51 frames from 0, ending near 1.02)
// without clearing the back buffer; nothing here updates the frame timer.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "services/song_manager.h"
#include "platform/graphics.h"

class TTitleScreen {
 public:
  // Values of `choice`, the title's answer to the main loop.
  static constexpr int32_t kNoChoice = 0;
  static constexpr int32_t kContinueQuest = 1;
  static constexpr int32_t kLeaveScreen = 1;  // the hiscores and credits screens' own exit
  static constexpr int32_t kQuit = 2;
  static constexpr int32_t kNewQuest = 3;

  static constexpr float kFadeStep = 0.02f;  // per frame, never scaled by delta

  ImagePtr titleImage;          // "gfx/title/glyphor-title.jpg"; the profile screen draws it too
  ImagePtr creditsImage;        // "gfx/title/credits.jpg"
  ImagePtr hiscoresImage;       // "gfx/title/hiscores.jpg"
  ImagePtr levelSelectorPlate;  // "gfx/gui/pod-selector.jp2", shared with the menu window
  float alpha = 0.0f;           // the fade of the title, hiscores and credits screens
  AudioStreamPtr music;         // the title music while it plays, else null
  int32_t musicPlaying = 0;     // 1 exactly while `music` holds a stream
  ImagePtr selectorCaption;     // "gfx/fonts/download4.png", drawn by the level selector
  int32_t terminateRequested = 0;  // a close request came during a fade
  int32_t choice = kNoChoice;

  virtual ~TTitleScreen() = default;

  // The pictures, once at start-up; hands the level selector's plate to the menu window.
  virtual void loadGfx();
  // Before every show: fade, close flag and choice back to 0.
  virtual void Prepare();
  // Stops and releases the title music; the next playMusic starts the song from its beginning.
  virtual void stopMusic();
  // Starts "sfx/glyphor-song.ogg" looping unless it already plays.
  virtual void playMusic();
  // The title loop. Returns with `choice` 1 (continue the quest) or 3 (a new quest, at
  // difficulty 2). A quit, chosen or by a close request (also one during a fade of the title,
  // hiscores or credits screens), stops the music and ends the program here.
  virtual void show();
  // The hiscores screen: the three tables in turn, cross-faded from and back to the title.
  // Returns 0.
  virtual int32_t showHiscores(int32_t crossFade);
  // The credits screen: sixteen pages written with sparks, cross-faded likewise. Returns 0.
  virtual int32_t showCredits();

  // The once-a-frame call on the title music stream of every screen that runs while it plays.
  void updateMusic();
  // Step 11 of a title frame: acts on the menu window's result of this frame. Every row tests
  // the current result anew, so a screen run by one row can leave an id for a later row.
  void runCommands();

 private:
  // Frames of a cross-fade of the hiscores or credits screen until `alpha` reaches 1, from 0:
  // `from` fades out under `to`, each followed by its overlay drawn at the picture's alpha.
  // `clear` clears each frame first; `withMenu` runs the menu window after the pictures. A close
  // request only sets terminateRequested.
  void crossFade(const ImagePtr& from, const std::function<void(float)>& overFrom,
                 const ImagePtr& to, const std::function<void(float)>& overTo, bool clear,
                 bool withMenu);
  // The start of a display frame of the hiscores or credits screen: the mouse polled, then the
  // background alone on a cleared screen.
  void beginDisplayFrame(const ImagePtr& background);
  // Its end up to the exit tests: cursor spark, sparks, cursor, Flip, PollSystem, then the exit
  // tests.
  void showDisplayFrame();
  // The exit tests of a display frame, after the flip: a close request 2, then a left click or
  // Enter, else Space, 1; each one that holds overwrites the choice.
  void readExitInput();
  // After a display phase: the program ends on 2; otherwise the menu window fades in again
  // with the fade back to the title.
  void leaveDisplay();
  // The steps after a game started from the title returns.
  void afterGame();
  // Opens the level selector on the list of `kind` with the other mode's list button hidden.
  void openLevelSelector(int32_t kind);
  void idleStep(bool choiceMade);
  void restartIdleTimer();
  void fadeInTitle();
  void menuFrame();
  void greet();
  void checkProfiles();

  int32_t titleMode_ = 0;     // 0 quest, 1 time attack, 2 endless: what continue, new and play mean
  int32_t idleStart_ = 0;     // MilliSecs when the player last did something on the main menu
  int32_t idleCounter_ = 0;   // 1 credits, 2 hiscores, 0 nothing
  int32_t lastMouseX_ = 0;
  int32_t lastMouseY_ = 0;
};
using TitleScreenPtr = std::shared_ptr<TTitleScreen>;

// Created by start-up among the singletons.
extern TitleScreenPtr titleScreen;
