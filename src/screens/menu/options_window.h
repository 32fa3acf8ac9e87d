// The menu window: one long-lived object that shows one menu screen at a time (main menu,
// options, pause menus, continue or new game, puzzle size, modes, level selector, confirmations).
//
// The window has no frame loop of its own. A host screen opens a screen with SetState, then once
// a frame draws its own scene, calls Update and Draw, and acts on `result`, the key of the button
// clicked in that frame. Every button of a screen is an image button kept in the program-wide
// container `data` under a key from 1 to 93; the key is what the window removes, polls, draws and
// reports. The window acts on clicks itself only in its two options screens (volumes, the
// full-screen box, and the back button that switches screens).
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "services/song_manager.h"
#include "platform/graphics.h"
#include "toolkit/text.h"

class TOptionsWindow {
 public:
  // The screens, the values of `state`.
  static constexpr int32_t kMainMenu = 0;
  static constexpr int32_t kOptions = 1;           // reached from the main menu
  static constexpr int32_t kInGameMenu = 2;        // pause menu of the board games
  static constexpr int32_t kContinueOrNew = 3;     // before a quest, time-attack or endless game
  static constexpr int32_t kPuzzleSize = 4;        // easy / normal / hard of the gallery's replay
  static constexpr int32_t kModes = 5;             // time attack or endless
  static constexpr int32_t kLevelSelector = 6;     // board of an endless or time-attack game
  static constexpr int32_t kInGameOptions = 7;     // reached from states 2 and 8
  static constexpr int32_t kShortInGameMenu = 8;   // pause menu of the puzzle and ring game
  static constexpr int32_t kExitConfirm = 9;
  static constexpr int32_t kNewGameConfirm = 10;
  static constexpr int32_t kStateCount = 11;

  static constexpr int32_t kCaptionCount = 38;
  // Every host places the window here.
  static constexpr int32_t kOriginX = 229;
  static constexpr int32_t kOriginY = 200;

  ImagePtr background;          // the window's panel, "gfx/gui/pod-menu.jp2", top-left handle
  ImagePtr selectorBackground;  // the level selector's panel; stored by the title screen
  float alpha = 0.0f;           // opacity of the window and its buttons; the fade-in raises it
  int32_t x = 0;                // window origin: places the panel and the options' controls
  int32_t y = 0;
  std::array<ImagePtr, kCaptionCount> captionImages{};  // button lettering; unlisted entries null
  ImagePtr buttonGlow;          // highlight behind a hovered button, centre handle
  ImagePtr plusImage;
  ImagePtr minusImage;
  ImagePtr volumeSegment;       // one tenth of a volume bar, centre handle
  ImagePtr tickedBox;           // the full-screen box while the game runs full screen
  ImagePtr emptyBox;
  ImagePtr profileChangeImage;
  int32_t state = kMainMenu;    // the screen on show; only SetState writes it
  AudioStreamPtr levelMusic;    // the host's music under the menu, or null; never started here
  ImagePtr greetingBlot;        // backdrop of the greeting, centre handle, never masked
  ImagePtr pausedCaption;       // caption of the pause menus, centre handle
  TextPtr greeting;             // the player's name; the title screen fills it every frame
  TextPtr helloText;            // "hello" above the name
  ImagePtr checkMark;           // tick of the level selector, centre handle
  ImagePtr confirmCaption;      // the confirmations' question, centre handle
  std::array<ImagePtr, 2> arrows{};  // 0 previous, 1 next; the gallery uses them too
  int32_t result = 0;           // key clicked in the last Update, 0 when none
  int32_t context = kInGameMenu;  // where the in-game options go back to: 2 or 8

  virtual ~TOptionsWindow() = default;

  // Loads every image of the window and makes its two texts (needs fonts[0]). Returns 0.
  virtual int32_t loadGfx();
  // Removes the buttons of the screen on show from `data`, every item of each of its keys.
  virtual void freeState();
  // Frees the old screen's buttons, then shows `newState` at the origin (newX, newY) with the
  // buttons it offers. A non-zero `reset` starts a fade-in from 0; otherwise alpha is kept.
  virtual void SetState(int32_t newState, int32_t reset, int32_t newX, int32_t newY);
  // Gives every button of `data` under the keys 0 to 100 the draw alpha `value`.
  virtual void buttonsSetAlpha(float value);
  // One frame: the fade-in step, the buttons polled by key (the later key wins), the options
  // screens' own actions, and the click sound for any result.
  virtual void Update();
  // Draws the screen on show: its backing, then its buttons and extras. Leaves the drawing
  // state as the last drawing left it.
  virtual void Draw();

  // The keys of a screen in the order Update polls them; empty outside 0 to 10.
  static const std::vector<int32_t>& PollKeys(int32_t forState);
  // The keys in the order Draw draws them (the main menu draws 61 last).
  static const std::vector<int32_t>& DrawKeys(int32_t forState);

 private:
  // The buttons of the screens of the title menus and the confirmations.
  void buildMenuScreen();
  // The pause menus (states 2 and 8).
  void buildInGameMenuScreen();
  // The level selector (state 6): its buttons, and what it draws over them.
  void buildLevelSelectorScreen();
  void drawLevelSelectorExtras();
  // The options screens (states 1 and 7): building, acting on a click, drawing the extras.
  void buildOptionsScreen();
  void actOnOptionsClick();
  void drawOptionsExtras();
  void switchToWindow();
  void switchToFullScreen();
  // The backing of the screen: panels, captions and the greeting.
  void drawBacking();
  void drawGreetingBackdrop(const ImagePtr& panel, float panelX);
};
using OptionsWindowPtr = std::shared_ptr<TOptionsWindow>;

// Created by start-up among the singletons.
extern OptionsWindowPtr optionsWindow;
