#include <gtest/gtest.h>

#include "services/delta_time.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/system.h"

TEST(DeltaTime, CreateSetsTheRateAndRegistersTheTimer) {
  DeltaTimePtr t = TDeltaTime::Create(60.0f);
  EXPECT_EQ(t->targetFps, 60.0f);
  EXPECT_EQ(t->frameMs, 1000.0f / 60.0f);
  EXPECT_EQ(t->lastMs, 0);
  EXPECT_EQ(t->deltaMs, 0);
  EXPECT_EQ(t->fps, 0);
  EXPECT_EQ(t->frameCount, 0);
  EXPECT_EQ(t->nowMs, 0);
  EXPECT_EQ(t->nextSecondMs, 0);
  ASSERT_TRUE(TDeltaTime::DeltaTList);
  DeltaTimePtr other = TDeltaTime::Create(30.0f);
  EXPECT_EQ(TDeltaTime::DeltaTList->Count(), 2);
  EXPECT_EQ(TDeltaTime::DeltaTList->First(), t);
  t->Destroy();
  EXPECT_EQ(TDeltaTime::DeltaTList->Count(), 1);
  EXPECT_EQ(TDeltaTime::DeltaTList->First(), other);
  other->SetFPS(50.0f);
  EXPECT_EQ(other->targetFps, 50.0f);
  EXPECT_EQ(other->frameMs, 20.0f);
}

TEST(DeltaTime, FirstUpdateTakesTheWholeClockAndClosesAWindow) {
  DeltaTimePtr t = TDeltaTime::Create(60.0f);
  t->Update();
  const int32_t now = MilliSecs();
  EXPECT_EQ(t->nowMs, now);
  EXPECT_EQ(t->deltaMs, now);
  EXPECT_EQ(t->lastMs, now);
  EXPECT_EQ(t->nextSecondMs, now + 1000);
  EXPECT_EQ(t->FPS(), 0);
  EXPECT_EQ(t->frameCount, 0);
}

TEST(DeltaTime, DeltaFollowsTheMillisecondsBetweenUpdates) {
  struct Case {
    int32_t ms;
    float delta;
  };
  const Case cases[] = {{16, 0.96f}, {17, 1.02f}, {33, 1.98f}, {50, 3.0f}, {2000, 120.0f}, {0, 0.0f}};
  DeltaTimePtr t = TDeltaTime::Create(60.0f);
  t->Update();
  for (const Case& c : cases) {
    headless::AdvanceClock(c.ms);
    t->Update();
    EXPECT_EQ(t->deltaMs, c.ms);
    EXPECT_NEAR(t->CurrDelta(), c.delta, 1e-5f) << c.ms << " ms";
    EXPECT_EQ(t->CurrDelta(), static_cast<float>(c.ms) / (1000.0f / 60.0f));
  }
}

TEST(DeltaTime, FramesOfTheVirtualClockGiveSixtyPerSecond) {
  ASSERT_TRUE(Graphics(800, 600, 0, 60, 0));
  DeltaTimePtr t = TDeltaTime::Create(60.0f);
  t->Update();  // opens the first window
  const int32_t opened = t->nowMs;
  std::vector<int32_t> deltas;
  while (ElapsedMs(MilliSecs(), opened) <= 1000) {
    Flip();
    t->Update();
    deltas.push_back(t->deltaMs);
  }
  // Frames of 16, 17, 17 ms: 60 updates fall within the second after the opening one, and the
  // update after it closes the window.
  ASSERT_GE(deltas.size(), 3u);
  EXPECT_EQ(deltas[0] + deltas[1] + deltas[2], 50);
  EXPECT_EQ(t->FPS(), 60);
  EXPECT_EQ(t->frameCount, 0);
  EXPECT_EQ(t->nextSecondMs, t->nowMs + 1000);
  EXPECT_EQ(deltas.size(), 61u);
}
