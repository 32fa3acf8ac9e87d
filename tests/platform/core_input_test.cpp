// Polled input fed by the headless input script, one frame at a time.
#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/internal.h"
#include "platform/system.h"

namespace {

// Shows one frame and polls the events due at the next one, as a screen's loop does.
void NextFrame() {
  Flip();
  PollSystem();
}

// Polls at the current frame first, then steps to `frame`.
void RunTo(int frame) {
  PollSystem();
  while (headless::FrameNumber() < frame) NextFrame();
}

TEST(InputTest, HitCountsAreConsumedWhenReadAndDownLastsWhileHeld) {
  const int f = headless::FrameNumber();
  headless::MouseMoveAt(f + 1, 400, 300);
  headless::MouseButtonAt(f + 1, 1, true);
  headless::MouseButtonAt(f + 4, 1, false);
  headless::MouseClickAt(f + 5, 2);
  headless::MouseClickAt(f + 6, 2);
  RunTo(f + 1);
  EXPECT_EQ(MouseX(), 400);
  EXPECT_EQ(MouseY(), 300);
  EXPECT_EQ(MouseDown(1), 1);
  EXPECT_EQ(MouseHit(1), 1);
  EXPECT_EQ(MouseHit(1), 0);  // read once
  NextFrame();
  NextFrame();
  EXPECT_EQ(MouseDown(1), 1);  // still held, no new hit
  EXPECT_EQ(MouseHit(1), 0);
  NextFrame();
  EXPECT_EQ(MouseDown(1), 0);
  // Frames shown without polling: both clicks and both releases arrive at the next poll.
  while (headless::FrameNumber() < f + 7) Flip();
  PollSystem();
  EXPECT_EQ(MouseHit(2), 2);
  EXPECT_EQ(MouseDown(2), 0);
  EXPECT_EQ(MouseHit(0), 0);
  EXPECT_EQ(MouseDown(4), 0);
}

TEST(InputTest, KeysCountPressesUntilReadAndFlushClearsThem) {
  const int f = headless::FrameNumber();
  headless::KeyPressAt(f + 1, KEY_P);
  headless::KeyPressAt(f + 3, KEY_P);
  headless::KeyAt(f + 3, KEY_LSHIFT, true);
  RunTo(f + 3);
  EXPECT_EQ(KeyHit(KEY_P), 2);
  EXPECT_EQ(KeyHit(KEY_P), 0);
  EXPECT_EQ(KeyDown(KEY_P), 1);
  EXPECT_EQ(KeyDown(KEY_LSHIFT), 1);
  NextFrame();
  EXPECT_EQ(KeyDown(KEY_P), 0);
  EXPECT_EQ(KeyDown(KEY_LSHIFT), 1);

  headless::KeyPressAt(f + 5, KEY_ESCAPE);
  headless::TypeAt(f + 5, u"ab");
  headless::MouseClickAt(f + 5, 1);
  RunTo(f + 5);
  FlushKeys();
  EXPECT_EQ(KeyHit(KEY_ESCAPE), 0);
  EXPECT_EQ(KeyDown(KEY_LSHIFT), 0);
  EXPECT_EQ(GetChar(), 0);
  EXPECT_EQ(MouseDown(1), 1);  // the mouse is not the keyboard
  FlushMouse();
  EXPECT_EQ(MouseHit(1), 0);
  EXPECT_EQ(MouseDown(1), 0);
  EXPECT_EQ(KeyHit(-1) + KeyHit(KEY_COUNT), 0);
}

TEST(InputTest, TypedCharactersQueueInOrder) {
  const int f = headless::FrameNumber();
  headless::TypeAt(f + 1, u"Hi\u0142");
  headless::TypeAt(f + 2, u"\b!");
  RunTo(f + 2);
  const int expected[] = {'H', 'i', 0x0142, 8, '!', 0};
  for (int c : expected) EXPECT_EQ(GetChar(), c);
}

TEST(InputTest, CloseRequestIsLatchedUntilRead) {
  const int f = headless::FrameNumber();
  headless::CloseRequestAt(f + 1);
  RunTo(f + 3);  // nobody looked for two frames
  EXPECT_EQ(AppTerminate(), 1);
  EXPECT_EQ(AppTerminate(), 0);
}

TEST(InputTest, WheelAccumulatesAndFocusLossDropsHeldInput) {
  const int f = headless::FrameNumber();
  headless::MouseWheelAt(f + 1, 1);
  headless::MouseWheelAt(f + 2, 2);
  headless::MouseWheelAt(f + 3, -1);
  headless::KeyAt(f + 3, KEY_A, true);
  headless::MouseButtonAt(f + 3, 1, true);
  headless::FocusAt(f + 4, false);
  headless::FocusAt(f + 5, true);
  RunTo(f + 3);
  EXPECT_EQ(MouseZ(), 2);
  NextFrame();
  EXPECT_EQ(AppSuspended(), 1);
  EXPECT_EQ(KeyDown(KEY_A), 0);
  EXPECT_EQ(KeyHit(KEY_A), 0);
  EXPECT_EQ(MouseDown(1), 0);
  EXPECT_EQ(MouseHit(1), 0);
  NextFrame();
  EXPECT_EQ(AppSuspended(), 0);
}

TEST(InputTest, SystemEventsMapToTheGamesKeyCodesAndCharacters) {
  struct Case {
    SDL_Keycode sym;
    int key;
    int character;
  };
  const Case cases[] = {
      {SDLK_a, KEY_A, 0},           {SDLK_z, KEY_Z, 0},          {SDLK_0, KEY_0, 0},
      {SDLK_9, KEY_9, 0},           {SDLK_F1, KEY_F1, 0},        {SDLK_F12, KEY_F12, 0},
      {SDLK_LEFT, KEY_LEFT, 0},     {SDLK_DOWN, KEY_DOWN, 0},    {SDLK_SPACE, KEY_SPACE, 0},
      {SDLK_RETURN, KEY_ENTER, 13}, {SDLK_KP_ENTER, KEY_ENTER, 13},
      {SDLK_ESCAPE, KEY_ESCAPE, 27}, {SDLK_BACKSPACE, KEY_BACKSPACE, 8},
      {SDLK_TAB, KEY_TAB, 9},       {SDLK_DELETE, KEY_DELETE, 0}, {SDLK_HOME, KEY_HOME, 0},
      {SDLK_PAGEDOWN, KEY_PAGEDOWN, 0}, {SDLK_LSHIFT, KEY_LSHIFT, 0},
      {SDLK_RCTRL, KEY_RCONTROL, 0}, {SDLK_RALT, KEY_RALT, 0},
  };
  for (const Case& c : cases) {
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = c.sym;
    platform_internal::HandleEvent(e);
    EXPECT_EQ(KeyDown(c.key), 1) << c.key;
    EXPECT_EQ(KeyHit(c.key), 1) << c.key;
    EXPECT_EQ(GetChar(), c.character) << c.key;
    e.type = SDL_KEYUP;
    platform_internal::HandleEvent(e);
    EXPECT_EQ(KeyDown(c.key), 0) << c.key;
  }

  SDL_Event repeat{};
  repeat.type = SDL_KEYDOWN;
  repeat.key.keysym.sym = SDLK_BACKSPACE;
  repeat.key.repeat = 1;  // auto-repeat types again but is no new press
  platform_internal::HandleEvent(repeat);
  EXPECT_EQ(KeyHit(KEY_BACKSPACE), 0);
  EXPECT_EQ(GetChar(), 8);

  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  std::snprintf(text.text.text, sizeof text.text.text, "%s", "\xc3\xa9z");
  platform_internal::HandleEvent(text);
  EXPECT_EQ(GetChar(), 0xe9);
  EXPECT_EQ(GetChar(), 'z');

  SDL_Event quit{};
  quit.type = SDL_QUIT;
  platform_internal::HandleEvent(quit);
  EXPECT_EQ(AppTerminate(), 1);

  const Uint8 sdlButtons[] = {SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};
  for (int b = 1; b <= 3; ++b) {
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = sdlButtons[b - 1];
    press.button.x = 10 * b;
    press.button.y = 20 * b;
    platform_internal::HandleEvent(press);
    EXPECT_EQ(MouseDown(b), 1) << b;
    EXPECT_EQ(MouseHit(b), 1) << b;
    EXPECT_EQ(MouseX(), 10 * b);  // no window: window and screen are the same
    EXPECT_EQ(MouseY(), 20 * b);
    press.type = SDL_MOUSEBUTTONUP;
    platform_internal::HandleEvent(press);
    EXPECT_EQ(MouseDown(b), 0) << b;
  }

  const int z = MouseZ();
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = -2;
  platform_internal::HandleEvent(wheel);
  EXPECT_EQ(MouseZ(), z - 2);
}

}  // namespace
