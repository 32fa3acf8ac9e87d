#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "toolkit/dim_editor.h"
#include "toolkit_fixtures.h"

namespace {

class Editor : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Graphics(800, 600, 0) != nullptr); }

  // Holds the keys from the next frame on for `frames` frames, editing once per frame.
  static void Hold(const DimPtr& dim, std::initializer_list<int> keys, int frames) {
    const int f = headless::FrameNumber();
    for (int k : keys) {
      headless::KeyAt(f, k, true);
      headless::KeyAt(f + frames, k, false);
    }
    for (int i = 0; i < frames; ++i) {
      PollSystem();
      EditDim(dim);
      Flip();
    }
    PollSystem();  // the release
  }
};

// 0.1 added n times in single precision.
float Steps(float start, float step, int n) {
  for (int i = 0; i < n; ++i) start += step;
  return start;
}

TEST_F(Editor, HeldKeysActEveryFrameAndShiftMovesWholePixels) {
  struct Case {
    std::initializer_list<int> keys;
    int frames;
    float x, y, w, h;
  };
  const Case cases[] = {
      {{KEY_RIGHT}, 60, Steps(10, 0.1f, 60), 20, 30, 40},
      {{KEY_RIGHT, KEY_LSHIFT}, 60, 70, 20, 30, 40},
      {{KEY_UP}, 5, 10, Steps(20, -0.1f, 5), 30, 40},
      {{KEY_DOWN, KEY_LSHIFT}, 5, 10, 25, 30, 40},
      {{KEY_LEFT, KEY_RIGHT, KEY_LSHIFT}, 7, 10, 20, 30, 40},
      {{KEY_W}, 3, 10, 20, 33, 40},
      {{KEY_W, KEY_LSHIFT}, 3, 10, 20, 33, 40},
      {{KEY_S}, 3, 10, 20, 27, 40},
      {{KEY_Q}, 4, 10, 20, 30, 44},
      {{KEY_A, KEY_LSHIFT}, 45, 10, 20, 30, -5},
  };
  for (const Case& c : cases) {
    DimPtr dim = CreateDim(10, 20, 30, 40);
    Hold(dim, c.keys, c.frames);
    EXPECT_EQ(dim->x, c.x) << "case " << (&c - cases);
    EXPECT_EQ(dim->y, c.y) << "case " << (&c - cases);
    EXPECT_EQ(dim->width, c.w) << "case " << (&c - cases);
    EXPECT_EQ(dim->height, c.h) << "case " << (&c - cases);
  }
  // Sixty tenths come to six, give or take the float steps.
  EXPECT_NEAR(Steps(10, 0.1f, 60), 16.0f, 1e-4);
}

TEST_F(Editor, WithControlEachPressActsOnce) {
  DimPtr dim = CreateDim(10, 20, 30, 40);
  const int f = headless::FrameNumber();
  headless::KeyAt(f, KEY_LCONTROL, true);
  Hold(dim, {KEY_UP, KEY_W}, 20);
  EXPECT_EQ(dim->y, 20 - 0.1f);
  EXPECT_EQ(dim->width, 31.0f);
  Hold(dim, {KEY_UP, KEY_LSHIFT}, 5);
  EXPECT_EQ(dim->y, 20 - 0.1f - 1.0f);
}

TEST_F(Editor, PPrintsTheFourNumbersEvenWithoutAnEdit) {
  DimPtr dim = CreateDim(12.5f, -3, 100, 0.25f);
  testing::internal::CaptureStdout();
  Hold(dim, {KEY_P}, 1);
  Hold(dim, {KEY_P, KEY_LSHIFT, KEY_RIGHT}, 1);
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "X: 12.5\nY: -3\nW: 100\nH: 0.25\nX: 13.5\nY: -3\nW: 100\nH: 0.25\n");
  // Held on, P prints once per press.
  testing::internal::CaptureStdout();
  Hold(dim, {KEY_P}, 10);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "X: 13.5\nY: -3\nW: 100\nH: 0.25\n");
}

}  // namespace
