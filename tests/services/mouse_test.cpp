#include <gtest/gtest.h>

#include <string>

#include "services/mouse.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/pixmap.h"
#include "platform/system.h"
#include "support/test_support.h"

namespace {
struct Polled {
  int x, y, hit1, hit2, down1, down2;
};

Polled Poll(TMouse& m) {
  PollSystem();
  m.fetchState();
  return {m.x, m.y, m.hit1, m.hit2, m.down1, m.down2};
}

void ExpectPolled(const Polled& got, const Polled& want, const std::string& what) {
  EXPECT_EQ(got.x, want.x) << what;
  EXPECT_EQ(got.y, want.y) << what;
  EXPECT_EQ(got.hit1, want.hit1) << what;
  EXPECT_EQ(got.hit2, want.hit2) << what;
  EXPECT_EQ(got.down1, want.down1) << what;
  EXPECT_EQ(got.down2, want.down2) << what;
}
}  // namespace

TEST(Mouse, StartsEmpty) {
  TMouse m;
  ExpectPolled({m.x, m.y, m.hit1, m.hit2, m.down1, m.down2}, {0, 0, 0, 0, 0, 0}, "new");
  EXPECT_FALSE(m.cursor);
}

TEST(Mouse, FetchStateReadsPointerButtonsAndStandInKeys) {
  struct Case {
    const char* name;
    int key;            // held (or, for Space, pressed) before the poll; 0: none
    bool leftClick;     // left button pressed and held
    bool rightClick;    // right button pressed and held
    Polled want;
  };
  const Case cases[] = {
      {"plain left click", 0, true, false, {120, 80, 1, 0, 1, 0}},
      {"plain right click", 0, false, true, {120, 80, 0, 1, 0, 1}},
      {"left Ctrl with a left click", KEY_LCONTROL, true, false, {120, 80, 0, 0, 0, 1}},
      {"left Shift with a left click", KEY_LSHIFT, true, false, {120, 80, 0, 0, 0, 1}},
      {"left Alt with a left click", KEY_LALT, true, false, {120, 80, 0, 0, 0, 1}},
      {"left Ctrl with both buttons", KEY_LCONTROL, true, true, {120, 80, 0, 1, 0, 1}},
      {"right Ctrl with a left click", KEY_RCONTROL, true, false, {120, 80, 1, 0, 1, 0}},
      {"right Shift with a left click", KEY_RSHIFT, true, false, {120, 80, 1, 0, 1, 0}},
      {"right Alt with a left click", KEY_RALT, true, false, {120, 80, 1, 0, 1, 0}},
      {"left Ctrl alone", KEY_LCONTROL, false, false, {120, 80, 0, 0, 0, 0}},
      {"Space alone", KEY_SPACE, false, false, {120, 80, 0, 0, 0, 1}},
      {"Space with a left click", KEY_SPACE, true, false, {120, 80, 0, 0, 0, 1}},
  };
  for (const Case& c : cases) {
    TMouse m;
    headless::ClearScript();
    FlushKeys();
    FlushMouse();
    const int f = headless::FrameNumber();
    headless::MouseMoveAt(f, 120, 80);
    if (c.key) headless::KeyAt(f, c.key, true);
    if (c.leftClick) headless::MouseButtonAt(f, 1, true);
    if (c.rightClick) headless::MouseButtonAt(f, 2, true);
    ExpectPolled(Poll(m), c.want, c.name);
    // Release everything for the next case.
    if (c.key) headless::KeyAt(f, c.key, false);
    if (c.leftClick) headless::MouseButtonAt(f, 1, false);
    if (c.rightClick) headless::MouseButtonAt(f, 2, false);
    Poll(m);
  }
}

TEST(Mouse, TwoLeftPressesInOneFrameCountTwice) {
  TMouse m;
  headless::MouseButtonAt(0, 1, true);
  headless::MouseButtonAt(0, 1, false);
  headless::MouseButtonAt(0, 1, true);
  headless::MouseButtonAt(0, 1, false);
  Polled p = Poll(m);
  EXPECT_EQ(p.hit1, 2);
  EXPECT_EQ(p.down1, 0);
  // Each press is seen by one poll only.
  EXPECT_EQ(Poll(m).hit1, 0);
}

TEST(Mouse, HeldSpaceActsOnlyInTheFrameThatSeesThePress) {
  TMouse m;
  headless::KeyAt(0, KEY_SPACE, true);
  EXPECT_EQ(Poll(m).down2, 1);
  EXPECT_EQ(Poll(m).down2, 0);  // still held: the right button is followed again
  headless::MouseButtonAt(0, 2, true);
  EXPECT_EQ(Poll(m).down2, 1);
}

TEST(Mouse, HeldModifierTurnsAHeldLeftButtonIntoTheRight) {
  TMouse m;
  headless::MouseButtonAt(0, 1, true);
  Poll(m);
  headless::KeyAt(0, KEY_LSHIFT, true);
  Polled p = Poll(m);  // no new press, but the left button is held
  EXPECT_EQ(p.down1, 0);
  EXPECT_EQ(p.down2, 1);
  EXPECT_EQ(p.hit1, 0);
}

TEST(Mouse, ClearKeepsTheHeldStates) {
  TMouse m;
  headless::MouseMoveAt(0, 300, 200);
  headless::MouseButtonAt(0, 1, true);
  headless::MouseButtonAt(0, 2, true);
  Poll(m);
  m.Clear();
  ExpectPolled({m.x, m.y, m.hit1, m.hit2, m.down1, m.down2}, {0, 0, 0, 0, 1, 1}, "cleared");
}

TEST(Mouse, LosingFocusForgetsHeldButtonsAndPresses) {
  TMouse m;
  headless::MouseButtonAt(0, 1, true);
  headless::FocusAt(0, false);
  Polled p = Poll(m);
  EXPECT_EQ(p.hit1, 0);
  EXPECT_EQ(p.down1, 0);
}

TEST(Mouse, RegainingFocusForgetsTheClickThatBroughtItBack) {
  TMouse m;
  headless::FocusAt(0, false);
  headless::MouseButtonAt(0, 1, true);
  headless::KeyAt(0, KEY_LALT, true);
  headless::FocusAt(0, true);
  Polled p = Poll(m);
  EXPECT_EQ(p.hit1, 0);
  EXPECT_EQ(p.down1, 0);
  EXPECT_EQ(p.down2, 0);  // no right-button stand-in from the Alt either
  EXPECT_EQ(KeyDown(KEY_LALT), 0);
  EXPECT_EQ(AppSuspended(), 0);
}

TEST(Mouse, CursorIsDrawnWithItsHotSpotAtThePointer) {
  ASSERT_TRUE(Graphics(800, 600, 0, 60, 0));
  // A 20 x 10 cursor, transparent but for one opaque red pixel at its hot spot (14, 6).
  PixmapPtr pix = CreatePixmap(20, 10);
  WritePixel(pix, 14, 6, 0xFFFF0000u);
  const std::string path = test_support::TempHome() + "/cursor.png";
  ASSERT_TRUE(SavePixmapPNG(pix, path));

  TMouse m;
  m.loadCursor(path, 14, 6);
  ASSERT_TRUE(m.cursor);
  EXPECT_EQ(m.cursor->handleX, 14.0f);
  EXPECT_EQ(m.cursor->handleY, 6.0f);

  SetClsColor(0, 0, 0);
  Cls();
  SetBlend(LIGHTBLEND);
  SetColor(10, 20, 30);
  SetAlpha(0.25f);
  SetScale(3.0f, 3.0f);
  SetRotation(45.0f);
  m.x = 400;
  m.y = 300;
  m.Draw();
  EXPECT_EQ(GetBlend(), ALPHABLEND);
  int r, g, b;
  GetColor(r, g, b);
  EXPECT_EQ(r + g + b, 3 * 255);
  EXPECT_EQ(GetAlpha(), 1.0f);
  float sx, sy;
  GetScale(sx, sy);
  EXPECT_EQ(sx, 1.0f);
  EXPECT_EQ(sy, 1.0f);
  EXPECT_EQ(GetRotation(), 0.0f);
  PixmapPtr shot = headless::CaptureBackBuffer();
  ASSERT_TRUE(shot);
  EXPECT_EQ(ReadPixel(shot, 400, 300) & 0x00FFFFFFu, 0x00FF0000u);
  EXPECT_EQ(ReadPixel(shot, 401, 300) & 0x00FFFFFFu, 0u);
}

TEST(Mouse, MissingCursorDrawsNothing) {
  TMouse m;
  m.loadCursor("gfx/gui/no-such-cursor.png", 14, 6);
  EXPECT_FALSE(m.cursor);
  m.Draw();  // sets the draw state, draws nothing
  EXPECT_EQ(GetBlend(), ALPHABLEND);
}
