// Clock, end hooks, dates, random numbers, message boxes and maths in degrees.
#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>
#include <ctime>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/internal.h"
#include "platform/system.h"

namespace {

TEST(SystemTest, VirtualClockStepsOneFrameAtATime) {
  const int32_t start = MilliSecs();
  EXPECT_GT(ElapsedMs(start, 0), 1000000);  // far from 0
  const int frame = headless::FrameNumber();
  std::vector<int32_t> steps;
  int32_t last = start;
  for (int i = 0; i < 6; ++i) {
    Flip();
    steps.push_back(ElapsedMs(MilliSecs(), last));
    last = MilliSecs();
  }
  // Frames 1, 2, 3 of every three take 16, 17 and 17 ms.
  std::vector<int32_t> expected;
  for (int i = 0; i < 6; ++i) expected.push_back((frame + i) % 3 == 0 ? 16 : 17);
  EXPECT_EQ(steps, expected);
  if (frame == 0) {
    EXPECT_EQ(steps, (std::vector<int32_t>{16, 17, 17, 16, 17, 17}));
  }
  EXPECT_EQ(headless::FrameNumber(), frame + 6);
  headless::AdvanceClock(1000);
  Delay(250);
  EXPECT_EQ(ElapsedMs(MilliSecs(), last), 1250);
  EXPECT_EQ(ElapsedMs(5, -5), 10);
  EXPECT_EQ(ElapsedMs(INT32_MIN, INT32_MAX), 1);  // across the wrap
  EXPECT_EQ(ElapsedMs(0, 10), -10);
}

TEST(SystemTest, FrameCallbackSeesEveryFrameAndTheCapStopsARunawayLoop) {
  std::vector<int> seen;
  headless::SetFrameCallback([&seen](int frame) { seen.push_back(frame); });
  const int frame = headless::FrameNumber();
  headless::SetFrameCap(frame + 2);
  Flip();
  Flip();
  EXPECT_EQ(seen, (std::vector<int>{frame + 1, frame + 2}));
  try {
    Flip();
    FAIL() << "no error past the frame cap";
  } catch (const FrameworkError& e) {
    EXPECT_STREQ(e.what(), "frame cap reached");
  }
  headless::SetFrameCallback(nullptr);
  headless::SetFrameCap(0);
}

TEST(SystemTest, EndRunsEveryHookOnceAndThrowsProgramEnded) {
  std::vector<std::string> ran;
  OnEnd([&ran] { ran.push_back("first"); });
  OnEnd([&ran] {
    ran.push_back("failing");
    throw std::runtime_error("hook failed");
  });
  OnEnd([&ran] {
    ran.push_back("ending again");
    End();  // a hook that ends the program does not run the hooks twice
  });
  OnEnd([&ran] { ran.push_back("last"); });
  try {
    End();
    FAIL() << "End returned";
  } catch (const ProgramEnded& e) {
    EXPECT_EQ(e.status(), 0);
  }
  EXPECT_EQ(ran, (std::vector<std::string>{"first", "failing", "ending again", "last"}));
  RunEndHooks();
  EXPECT_THROW(End(), ProgramEnded);
  EXPECT_EQ(ran.size(), 4u);
}

TEST(SystemTest, CurrentDateIsDayEnglishMonthYear) {
  std::setlocale(LC_ALL, "fr_FR.UTF-8");  // month names must stay English
  const std::string date = ToUtf8(CurrentDate());
  ASSERT_EQ(date.size(), 11u) << date;
  time_t now = time(nullptr);
  struct tm local;
  localtime_r(&now, &local);
  static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char expected[32];
  std::snprintf(expected, sizeof expected, "%02d %s %d", local.tm_mday, months[local.tm_mon],
                local.tm_year + 1900);
  EXPECT_EQ(date, expected);
  std::setlocale(LC_ALL, "C");
}

TEST(SystemTest, RandCoversBothBoundsInEitherOrderEvenly) {
  struct Case {
    int32_t a, b;
  };
  const Case cases[] = {{1, 6}, {6, 1}, {-3, 3}, {5, 5}, {0, 1}};
  for (const Case& c : cases) {
    const int32_t lo = std::min(c.a, c.b), hi = std::max(c.a, c.b);
    std::map<int32_t, int> counts;
    const int draws = 7000 * (hi - lo + 1);
    for (int i = 0; i < draws; ++i) {
      int32_t v = Rand(c.a, c.b);
      ASSERT_GE(v, lo);
      ASSERT_LE(v, hi);
      ++counts[v];
    }
    EXPECT_EQ(static_cast<int>(counts.size()), hi - lo + 1) << c.a << ".." << c.b;
    for (const auto& [value, n] : counts) EXPECT_NEAR(n, 7000, 400) << value;
  }
  for (int i = 0; i < 1000; ++i) {
    int32_t v = Rand(3);  // one bound: from 1 to 3
    ASSERT_TRUE(v >= 1 && v <= 3);
  }
  int32_t extreme = Rand(INT32_MIN, INT32_MAX);
  (void)extreme;
}

TEST(SystemTest, RndStaysBelowItsUpperBoundAndSeedsRepeat) {
  for (int i = 0; i < 10000; ++i) {
    double r = Rnd(2.0, 3.0);
    ASSERT_GE(r, 2.0);
    ASSERT_LT(r, 3.0);
    float f = RndFloat();
    ASSERT_GE(f, 0.0f);
    ASSERT_LT(f, 1.0f);
  }
  SeedRnd(77);
  EXPECT_EQ(RndSeed(), 77);
  std::vector<int32_t> first;
  for (int i = 0; i < 5; ++i) first.push_back(Rand(0, 1000000));
  SeedRnd(77);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Rand(0, 1000000), first[i]);
}

TEST(SystemTest, NotifyIsRecordedInHeadlessRuns) {
  const size_t before = headless::MessageBoxes().size();
  Notify(u"Files corrupted");
  Notify(u"Oops", true);
  ASSERT_EQ(headless::MessageBoxes().size(), before + 2);
  EXPECT_EQ(headless::MessageBoxes()[before].text, u"Files corrupted");
  EXPECT_FALSE(headless::MessageBoxes()[before].serious);
  EXPECT_TRUE(headless::MessageBoxes()[before + 1].serious);
  EXPECT_EQ(AppTitle, u"Mirethorn");
  EXPECT_THROW(RuntimeError("boom"), FrameworkError);
}

TEST(SystemTest, StartupEntersTheExecutablesFolder) {
  const std::string before = CurrentDir();
  PlatformStartup(0, nullptr);
  EXPECT_FALSE(AppFile.empty());
  EXPECT_EQ(AppFile[0], '/');
  EXPECT_EQ(FileType(AppFile), FILETYPE_FILE);
  EXPECT_EQ(CurrentDir(), ExtractDir(AppFile));
  ASSERT_TRUE(ChangeDir(before));
}

TEST(SystemTest, WholeNumbersAreCutTowardZeroAndOutOfRangeGivesZero) {
  struct Case {
    double value;
    int32_t whole;
  };
  const Case cases[] = {
      {1.9, 1},
      {-1.9, -1},
      {-0.5, 0},
      {2147483520.0, 2147483520},  // the largest float below 2^31
      {2147483647.9, INT32_MAX},
      {2147483648.0, 0},
      {3e9, 0},
      {-2147483648.0, INT32_MIN},
      {-2147483648.9, INT32_MIN},
      {-2147483649.0, 0},
      {-3e9, 0},
      {NAN, 0},
      {INFINITY, 0},
      {-INFINITY, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(WholeNumber(c.value), c.whole) << c.value;
  EXPECT_EQ(WholeNumber(3e9f), 0);  // float arguments too
}

TEST(SystemTest, TrigonometryTakesDegrees) {
  EXPECT_NEAR(Sin(90), 1.0, 1e-12);
  EXPECT_NEAR(Cos(180), -1.0, 1e-12);
  EXPECT_NEAR(Tan(45), 1.0, 1e-12);
  EXPECT_NEAR(ATan2(1, 0), 90.0, 1e-12);
  EXPECT_NEAR(ATan2(-1, -1), -135.0, 1e-12);
  EXPECT_DOUBLE_EQ(Sqr(16), 4.0);
}

}  // namespace
