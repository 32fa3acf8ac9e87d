#include "toolkit/clock.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/headless.h"
#include "platform/system.h"
#include "toolkit_fixtures.h"

namespace {

// Cell i of the digit strip: a distinct colour per digit, cell 10 the colon.
uint32_t CellColour(int i) {
  return 0xFF000000u | (static_cast<uint32_t>(20 + i * 20) << 16) |
         (static_cast<uint32_t>(240 - i * 20) << 8) | 0x40u;
}
tk::Rgb CellRgb(int i) { return {20 + i * 20, 240 - i * 20, 0x40}; }

// 11 cells of 12 x 12 and one spare column: the cells are width / 11 wide.
PixmapPtr DigitStrip() {
  PixmapPtr p = CreatePixmap(12 * 11 + 1, 12);
  for (int i = 0; i < 11; ++i)
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) WritePixel(p, i * 12 + x, y, CellColour(i));
  return p;
}

TEST(Clocks, CountdownTakesOneSecondPerCallOnceTheDueTimeHasPassed) {
  AnimClockPtr clock = CreateAnimClock(DigitStrip(), CreateDim(0, 0), 11);
  EXPECT_EQ(clock->Stopped(), 1);  // a new clock is stopped
  clock->Set(90);
  EXPECT_EQ(clock->Stopped(), 0);
  headless::AdvanceClock(1000);
  EXPECT_EQ(clock->State(), 0);
  EXPECT_EQ(clock->seconds, 90.0f);  // exactly at the due time: not yet
  headless::AdvanceClock(1);
  clock->State();
  EXPECT_EQ(clock->seconds, 89.0f);
  // The next second is timed from this tick; two seconds between calls still take one.
  headless::AdvanceClock(2000);
  clock->State();
  EXPECT_EQ(clock->seconds, 88.0f);
  clock->State();
  EXPECT_EQ(clock->seconds, 88.0f);
}

TEST(Clocks, PolledEveryFrameItRunsDownToZeroAndStays) {
  AnimClockPtr clock = CreateAnimClock(DigitStrip(), CreateDim(0, 0), 11);
  clock->Set(3);
  int frames = 0;
  while (!clock->Stopped() && frames < 1000) {
    headless::AdvanceClock(frames % 3 == 0 ? 16 : 17);
    clock->State();
    ++frames;
  }
  // Each second ends on the first frame past it: 61 frames of 16-17 ms per second.
  EXPECT_EQ(frames, 3 * 61);
  headless::AdvanceClock(5000);
  clock->State();
  EXPECT_EQ(clock->seconds, 0.0f);
}

TEST(Clocks, StopStartAndOddValues) {
  AnimClockPtr clock = CreateAnimClock(DigitStrip(), CreateDim(0, 0), 11);
  clock->Set(0);
  EXPECT_EQ(clock->Stopped(), 1);

  clock->Set(10);
  clock->Stop();
  clock->Start();
  headless::AdvanceClock(3000);
  clock->State();
  EXPECT_EQ(clock->Stopped(), 1);

  clock->Set(-4);
  EXPECT_EQ(clock->Stopped(), 0);
  clock->State();
  EXPECT_EQ(clock->seconds, 0.0f);
  EXPECT_EQ(clock->Stopped(), 1);

  // Start restarts the wait without touching the time left.
  clock->Set(5);
  headless::AdvanceClock(900);
  clock->Start();
  headless::AdvanceClock(900);
  clock->State();
  EXPECT_EQ(clock->seconds, 5.0f);
  headless::AdvanceClock(101);
  clock->State();
  EXPECT_EQ(clock->seconds, 4.0f);

  TClock base;
  base.Set(30);
  headless::AdvanceClock(5000);
  EXPECT_EQ(base.State(), 0);
  EXPECT_EQ(base.Stopped(), 0);
  EXPECT_EQ(base.seconds, 0.0f);
}

TEST(Clocks, DrawsMinutesColonAndTwoDigits) {
  tk::OpenScreen();
  SetBlend(SOLIDBLEND);
  const std::string path = tk::SavePng(DigitStrip(), "digits.png");
  AnimClockPtr clock = CreateAnimClock(path, CreateDim(100, 200), 11);
  ASSERT_NE(clock->digits, nullptr);
  EXPECT_EQ(ImageWidth(clock->digits), 12);
  EXPECT_EQ(ImageFrames(clock->digits), 11);
  struct Case {
    int seconds, minutes, tens, units;
  };
  for (const Case& c : {Case{125, 2, 0, 5}, Case{0, 0, 0, 0}, Case{599, 9, 5, 9}, Case{60, 1, 0, 0},
                        Case{47, 0, 4, 7}}) {
    SCOPED_TRACE(c.seconds);
    Cls();
    clock->Set(c.seconds);
    clock->Draw();
    PixmapPtr shot = headless::CaptureBackBuffer();
    auto at = [&](int x, int y) {
      uint32_t v = ReadPixel(shot, x, y);
      return tk::Rgb{static_cast<int>((v >> 16) & 255), static_cast<int>((v >> 8) & 255),
                     static_cast<int>(v & 255)};
    };
    EXPECT_TRUE(tk::Near(at(105, 206), CellRgb(c.minutes)));
    EXPECT_TRUE(tk::Near(at(123, 199), CellRgb(10)));  // the colon sits 2 pixels higher
    EXPECT_TRUE(tk::Near(at(123, 210), {0, 0, 0}));
    EXPECT_TRUE(tk::Near(at(140, 206), CellRgb(c.tens)));
    EXPECT_TRUE(tk::Near(at(158, 206), CellRgb(c.units)));
  }
}

}  // namespace
