// The level timer: frames at given times of play, the limit, pause, refill, saved times, and a
// level without a limit.
#include "levels_fixtures.h"
#include "platform/system.h"

namespace {

class TimerTest : public testing::Test {
 protected:
  void SetUp() override {
    levels::MakeSingletons();
    timeManager->LoadResources();
  }
  // Restarts the count without the refill and lets `ms` of play pass.
  static void PlayFor(int32_t limit, int32_t ms) {
    timeManager->Set(limit);
    timeManager->Reset(0);
    headless::AdvanceClock(ms);
    timeManager->Update();
  }
};

TEST_F(TimerTest, ResourcesAreTheTimerAndThirtyFrames) {
  EXPECT_NE(timeManager->timerImage, nullptr);
  for (const PixmapPtr& frame : timeManager->frameImages) EXPECT_NE(frame, nullptr);
  EXPECT_NE(timeManager->frameImage, nullptr);
}

TEST_F(TimerTest, TheFrameFollowsTheShareOfTheLimitUsed) {
  struct Case {
    int32_t playedMs;
    int32_t frame;
    int32_t elapsed;
    int32_t over;
  };
  for (const Case& c :
       {Case{0, 0, 0, 0}, Case{3103, 0, 3103, 0}, Case{3104, 1, 3104, 0}, Case{45000, 14, 45000, 0},
        Case{89999, 28, 89999, 0}, Case{90000, 29, 90000, 1}, Case{100000, 29, 90000, 1}}) {
    board->gameOver = 0;
    PlayFor(90000, c.playedMs);
    EXPECT_EQ(timeManager->frame, c.frame) << c.playedMs;
    EXPECT_EQ(timeManager->SaveToProfile(), c.elapsed) << c.playedMs;
    EXPECT_EQ(timeManager->TimeOver(), c.over) << c.playedMs;
    timeManager->CheckGameOver();
    EXPECT_EQ(board->gameOver, c.over) << c.playedMs;
  }
  // Past the old 32-bit range of elapsed x 29 the frame is still the share used.
  PlayFor(100000000, 50000000);
  EXPECT_EQ(timeManager->frame, 14);
}

TEST_F(TimerTest, TheLimitComesFromTheLevelFileInSeconds) {
  struct Case {
    const char* text;
    int32_t limit;
  };
  for (const Case& c : {Case{"Time = 90", 90000}, Case{"Time = 90.5", 90500},
                        Case{"Time = 0.5", 500}, Case{"Other = 1", 0},
                        // beyond the int range of milliseconds: held at its ends
                        Case{"Time = 5000000", INT32_MAX}, Case{"Time = -5000000", INT32_MIN}}) {
    levels::Output([&] {
      timeManager->Load(
          levels::Store(std::string("Settings {\n Level {\n  ") + c.text + "\n }\n}\n"));
    });
    EXPECT_EQ(timeManager->limit, c.limit) << c.text;
  }
}

TEST_F(TimerTest, APauseIsNotCounted) {
  PlayFor(90000, 10000);
  timeManager->PauseOn();
  headless::AdvanceClock(5000);
  timeManager->DrawAndUpdate();
  EXPECT_EQ(timeManager->elapsed, 10000);
  timeManager->PauseOff();
  EXPECT_EQ(timeManager->elapsed, 10000);
  headless::AdvanceClock(1000);
  timeManager->Update();
  EXPECT_EQ(timeManager->elapsed, 11000);
  timeManager->PauseOff();  // without a pause: nothing changes
  EXPECT_EQ(timeManager->elapsed, 11000);
  EXPECT_EQ(timeManager->paused, 0);
}

TEST_F(TimerTest, TheRefillRunsTheFramesBackThenCountsItsTime) {
  PlayFor(90000, 95000);
  board->gameOver = 1;
  timeManager->Reset(1);
  struct Step {
    int32_t afterMs;
    int32_t frame;
    int32_t refilling;
  };
  int32_t at = 0;
  for (const Step& s :
       {Step{0, 29, 1}, Step{20, 28, 1}, Step{399, 10, 1}, Step{599, 0, 1}, Step{600, 0, 0}}) {
    headless::AdvanceClock(s.afterMs - at);
    at = s.afterMs;
    timeManager->Update();
    EXPECT_EQ(timeManager->frame, s.frame) << s.afterMs;
    EXPECT_EQ(timeManager->refilling, s.refilling) << s.afterMs;
    if (s.refilling == 1) {
      EXPECT_EQ(timeManager->elapsed, 0) << s.afterMs;
    }
  }
  headless::AdvanceClock(10);
  timeManager->Update();
  EXPECT_EQ(timeManager->elapsed, 610);
  EXPECT_EQ(timeManager->TimeOver(), 0);
  EXPECT_EQ(board->gameOver, 1) << "the timer never clears the board's flag";
}

TEST_F(TimerTest, ASavedTimeRestartsTheCount) {
  timeManager->Set(90000);
  timeManager->Reset(1);
  timeManager->LoadFromProfile(45000);
  EXPECT_EQ(timeManager->elapsed, 45000);
  EXPECT_EQ(timeManager->frame, 14);
  EXPECT_EQ(timeManager->refilling, 0);
  timeManager->LoadFromProfile(-3000);  // a time before the start reads as 0 until it is reached
  EXPECT_EQ(timeManager->elapsed, 0);
  headless::AdvanceClock(4000);
  timeManager->Update();
  EXPECT_EQ(timeManager->elapsed, 1000);
}

TEST_F(TimerTest, WithoutALimitTheTimePlayedIsStillCounted) {
  for (int32_t refill : {0, 1}) {
    timeManager->Set(0);
    timeManager->Reset(refill);
    headless::AdvanceClock(700000);
    timeManager->DrawAndUpdate();
    EXPECT_EQ(timeManager->elapsed, 700000) << "refill " << refill;
    EXPECT_EQ(timeManager->refilling, 0) << "refill " << refill;
    EXPECT_EQ(timeManager->TimeOver(), 0);
    EXPECT_EQ(board->gameOver, 0);
  }
}

TEST_F(TimerTest, TheFramePictureIsDrawnOnlyUnderALimit) {
  ASSERT_TRUE(Graphics(800, 600, 0) != nullptr);
  PixmapPtr solid = test_support::SolidPixmap(8, 8, 0xFF00FF00u);
  timeManager->timerImage = nullptr;
  timeManager->frameImages.fill(solid);
  timeManager->frameImage = nullptr;
  for (int32_t limit : {0, 90000}) {
    SetClsColor(0, 0, 0);
    Cls();
    PlayFor(limit, 1000);
    timeManager->Draw(0);
    const uint32_t pixel = ReadPixel(headless::CaptureBackBuffer(), 42 + 17 + 2, 211 + 17 + 2);
    EXPECT_EQ(pixel & 0xFFFFFFu, limit > 0 ? 0x00FF00u : 0u) << "limit " << limit;
  }
}

}  // namespace
