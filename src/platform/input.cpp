// Polled input: the system's events become key and button states, hit counters, the wheel
// position and a queue of typed characters.
#include "platform/input.h"

#include <SDL.h>

#include <deque>

#include "platform/internal.h"
#include "platform/text.h"

namespace {

struct InputState {
  bool keyDown[KEY_COUNT] = {};
  int keyHits[KEY_COUNT] = {};
  bool buttonDown[4] = {};
  int buttonHits[4] = {};
  int mouseX = 0;
  int mouseY = 0;
  int mouseZ = 0;
  std::deque<int> chars;
  bool terminate = false;
  bool suspended = false;
};

InputState& Inputs() {
  static InputState state;
  return state;
}

bool ValidKey(int key) { return key > 0 && key < KEY_COUNT; }
bool ValidButton(int button) { return button >= 1 && button <= 3; }

void ClearKeys() {
  InputState& s = Inputs();
  for (int i = 0; i < KEY_COUNT; ++i) {
    s.keyDown[i] = false;
    s.keyHits[i] = 0;
  }
}

void ClearButtons() {
  InputState& s = Inputs();
  for (int i = 0; i < 4; ++i) {
    s.buttonDown[i] = false;
    s.buttonHits[i] = 0;
  }
}

// The game's key code of an SDL key; 0 for keys the game has no code for.
int KeyCodeOf(const SDL_Keysym& sym) {
  const SDL_Keycode k = sym.sym;
  if (k >= SDLK_a && k <= SDLK_z) return KEY_A + (k - SDLK_a);
  if (k >= SDLK_0 && k <= SDLK_9) return KEY_0 + (k - SDLK_0);
  if (k >= SDLK_F1 && k <= SDLK_F12) return KEY_F1 + (k - SDLK_F1);
  switch (k) {
    case SDLK_BACKSPACE: return KEY_BACKSPACE;
    case SDLK_TAB: return KEY_TAB;
    case SDLK_RETURN:
    case SDLK_RETURN2:
    case SDLK_KP_ENTER: return KEY_ENTER;
    case SDLK_ESCAPE: return KEY_ESCAPE;
    case SDLK_SPACE: return KEY_SPACE;
    case SDLK_PAGEUP: return KEY_PAGEUP;
    case SDLK_PAGEDOWN: return KEY_PAGEDOWN;
    case SDLK_END: return KEY_END;
    case SDLK_HOME: return KEY_HOME;
    case SDLK_LEFT: return KEY_LEFT;
    case SDLK_UP: return KEY_UP;
    case SDLK_RIGHT: return KEY_RIGHT;
    case SDLK_DOWN: return KEY_DOWN;
    case SDLK_INSERT: return KEY_INSERT;
    case SDLK_DELETE: return KEY_DELETE;
    case SDLK_LSHIFT: return KEY_LSHIFT;
    case SDLK_RSHIFT: return KEY_RSHIFT;
    case SDLK_LCTRL: return KEY_LCONTROL;
    case SDLK_RCTRL: return KEY_RCONTROL;
    case SDLK_LALT: return KEY_LALT;
    case SDLK_RALT: return KEY_RALT;
    default: return 0;
  }
}

// Keys that also arrive as typed characters (text input leaves them out).
int CharOfKey(int key) {
  switch (key) {
    case KEY_ENTER:
    case KEY_BACKSPACE:
    case KEY_ESCAPE:
    case KEY_TAB: return key;
    default: return 0;
  }
}

int ButtonOf(Uint8 sdlButton) {
  switch (sdlButton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
  }
}

void MoveFromWindow(int wx, int wy) {
  int sx = 0, sy = 0;
  platform_internal::WindowToScreen(wx, wy, sx, sy);
  platform_core::InputMove(sx, sy);
}

}  // namespace

namespace platform_core {

void InputKey(int key, bool down) {
  if (!ValidKey(key)) return;
  InputState& s = Inputs();
  if (down && !s.keyDown[key]) ++s.keyHits[key];
  s.keyDown[key] = down;
}

void InputButton(int button, bool down) {
  if (!ValidButton(button)) return;
  InputState& s = Inputs();
  if (down && !s.buttonDown[button]) ++s.buttonHits[button];
  s.buttonDown[button] = down;
}

void InputMove(int x, int y) {
  Inputs().mouseX = x;
  Inputs().mouseY = y;
}

void InputWheel(int notches) { Inputs().mouseZ += notches; }

void InputChar(int unit) {
  if (unit > 0) Inputs().chars.push_back(unit);
}

void InputClose() { Inputs().terminate = true; }

void InputFocus(bool focused) {
  Inputs().suspended = !focused;
  // Both ways: keys and buttons released while another window has the focus never reach us,
  // and the click that gives the focus back belongs to the system, not to the game.
  ClearKeys();
  ClearButtons();
}

}  // namespace platform_core

namespace platform_internal {

void HandleEvent(const SDL_Event& event) {
  using platform_core::InputButton;
  using platform_core::InputChar;
  using platform_core::InputClose;
  using platform_core::InputFocus;
  using platform_core::InputKey;
  using platform_core::InputWheel;
  switch (event.type) {
    case SDL_KEYDOWN: {
      int key = KeyCodeOf(event.key.keysym);
      if (!event.key.repeat) InputKey(key, true);
      InputChar(CharOfKey(key));
      break;
    }
    case SDL_KEYUP:
      InputKey(KeyCodeOf(event.key.keysym), false);
      break;
    case SDL_TEXTINPUT:
      for (char16_t unit : FromUtf8(event.text.text)) InputChar(unit);
      break;
    case SDL_MOUSEMOTION:
      MoveFromWindow(event.motion.x, event.motion.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      MoveFromWindow(event.button.x, event.button.y);
      InputButton(ButtonOf(event.button.button), event.type == SDL_MOUSEBUTTONDOWN);
      break;
    case SDL_MOUSEWHEEL: {
      int y = event.wheel.y;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) y = -y;
      InputWheel(y);
      break;
    }
    case SDL_QUIT:
      InputClose();
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE: InputClose(); break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN: InputFocus(false); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: InputFocus(true); break;
        default: break;
      }
      break;
    default:
      break;
  }
}

void ClearInput() {
  // Keys, buttons and typed characters go; a close request still waits to be read.
  ClearKeys();
  ClearButtons();
  Inputs().chars.clear();
}

}  // namespace platform_internal

int MouseX() { return Inputs().mouseX; }
int MouseY() { return Inputs().mouseY; }
int MouseZ() { return Inputs().mouseZ; }

int MouseHit(int button) {
  if (!ValidButton(button)) return 0;
  int hits = Inputs().buttonHits[button];
  Inputs().buttonHits[button] = 0;
  return hits;
}

int MouseDown(int button) { return ValidButton(button) && Inputs().buttonDown[button] ? 1 : 0; }

void MoveMouse(int x, int y) {
  platform_core::InputMove(x, y);
  SDL_Window* window = SDL_WasInit(SDL_INIT_VIDEO) ? platform_internal::Window() : nullptr;
  if (!window) return;
  // The screen -> window mapping is a scale and an offset: find them from two points.
  int x0, y0, x1, y1;
  platform_internal::WindowToScreen(0, 0, x0, y0);
  platform_internal::WindowToScreen(1000, 1000, x1, y1);
  if (x1 == x0 || y1 == y0) return;
  int wx = static_cast<int>((x - x0) * 1000.0 / (x1 - x0));
  int wy = static_cast<int>((y - y0) * 1000.0 / (y1 - y0));
  SDL_WarpMouseInWindow(window, wx, wy);
}

int KeyHit(int key) {
  if (!ValidKey(key)) return 0;
  int hits = Inputs().keyHits[key];
  Inputs().keyHits[key] = 0;
  return hits;
}

int KeyDown(int key) { return ValidKey(key) && Inputs().keyDown[key] ? 1 : 0; }

int GetChar() {
  InputState& s = Inputs();
  if (s.chars.empty()) return 0;
  int c = s.chars.front();
  s.chars.pop_front();
  return c;
}

void FlushKeys() {
  ClearKeys();
  Inputs().chars.clear();
}

void FlushMouse() { ClearButtons(); }

int AppTerminate() {
  InputState& s = Inputs();
  int requested = s.terminate ? 1 : 0;
  s.terminate = false;
  return requested;
}

int AppSuspended() { return Inputs().suspended ? 1 : 0; }
