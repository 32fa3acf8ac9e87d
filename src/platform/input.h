// Polled input, read once per frame after PollSystem. Mouse positions are screen coordinates
// of the 800 x 600 picture whatever the window's size.
#pragma once
#include <cstdint>

// Key codes.
enum KeyCode : int {
  KEY_BACKSPACE = 8, KEY_TAB = 9, KEY_ENTER = 13, KEY_ESCAPE = 27, KEY_SPACE = 32,
  KEY_PAGEUP = 33, KEY_PAGEDOWN = 34, KEY_END = 35, KEY_HOME = 36,
  KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40, KEY_INSERT = 45, KEY_DELETE = 46,
  KEY_0 = 48, KEY_1, KEY_2, KEY_3, KEY_4, KEY_5, KEY_6, KEY_7, KEY_8, KEY_9,
  KEY_A = 65, KEY_B, KEY_C, KEY_D, KEY_E, KEY_F, KEY_G, KEY_H, KEY_I, KEY_J, KEY_K, KEY_L, KEY_M,
  KEY_N, KEY_O, KEY_P, KEY_Q, KEY_R, KEY_S, KEY_T, KEY_U, KEY_V, KEY_W, KEY_X, KEY_Y, KEY_Z,
  KEY_F1 = 112, KEY_F2, KEY_F3, KEY_F4, KEY_F5, KEY_F6, KEY_F7, KEY_F8, KEY_F9, KEY_F10, KEY_F11,
  KEY_F12,
  KEY_LSHIFT = 160, KEY_RSHIFT = 161, KEY_LCONTROL = 162, KEY_RCONTROL = 163, KEY_LALT = 164,
  KEY_RALT = 165,
  KEY_COUNT = 256,
};

// Mouse buttons: 1 left, 2 right, 3 middle.
int MouseX();
int MouseY();
int MouseZ();  // wheel position: up +1 per notch
int MouseHit(int button);   // presses since the last MouseHit of that button; clears the count
int MouseDown(int button);  // 1 while held
void MoveMouse(int x, int y);
int KeyHit(int key);   // presses since the last KeyHit of that key; clears the count
int KeyDown(int key);  // 1 while held
int GetChar();         // the next typed character (a code unit), 0 when none
void FlushKeys();      // clears key states, hit counts and the typed characters
void FlushMouse();     // clears button states and hit counts
int AppTerminate();    // 1 once per close request of the window; reading clears it
int AppSuspended();    // 1 while the window has no focus
