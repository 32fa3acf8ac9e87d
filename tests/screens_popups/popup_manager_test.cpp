// The popup manager on the virtual clock: which popups a level gets, which queued events show
// them and in what order, what waits, and what a popup does to the level's clocks.
#include "screens/popups/popup_manager.h"

#include "platform/errors.h"
#include "popups_fixtures.h"

namespace popups_test {
namespace {

class PopupManager : public testing::Test {
 protected:
  void SetUp() override { MakeScene(); }

  // Gives the manager the popups of `text` for level 1.
  void Prepare(const std::string& text) { popupManager->PrepareFrom(Store(text), 1); }

  std::vector<std::string> Events() const {
    std::vector<std::string> out;
    for (const String& e : *popupManager->events) out.push_back(ToUtf8(e));
    return out;
  }
};

TEST_F(PopupManager, KeepsTheGroupsOfTheLevelInFileOrder) {
  Prepare(Group("A", PanelKeys("BEGIN_LEVEL", 0, 1)) + Group("B", PanelKeys("BEGIN_LEVEL", 0, 2)) +
          Group("C", PanelKeys("MAKE_MATCH", 3, 1)) + Group("D", "Level = 1.9\nEvent = \"X\"\n"));
  std::vector<std::string> events;
  for (const PopupPtr& p : *popupManager->popups) events.push_back(ToUtf8(p->event));
  EXPECT_EQ(events, (std::vector<std::string>{"BEGIN_LEVEL", "MAKE_MATCH", "X"}));
}

TEST_F(PopupManager, TwoBeginLevelPopupsShowOneAfterTheOtherInFileOrder) {
  Prepare(Group("First", PanelKeys("BEGIN_LEVEL", 0)) + Group("Second", PanelKeys("BEGIN_LEVEL", 0)));
  const PopupPtr first = popupManager->popups->First();
  const PopupPtr second = popupManager->popups->Last();
  popupManager->AddEvent(S("BEGIN_LEVEL"));
  OkClicker clicker;
  EXPECT_EQ(popupManager->check(), 0);
  EXPECT_EQ(clicker.shown, (std::vector<PopupPtr>{first, second}));
  EXPECT_TRUE(popupManager->popups->IsEmpty());
  EXPECT_TRUE(popupManager->events->IsEmpty());
  // Each with its own opening and closing sound.
  EXPECT_EQ(app_test::MixedLevel(), 2 * kShowLevel + 2 * kCloseLevel);
}

TEST_F(PopupManager, AMatchPopupWaitsForItsClearingAndEachEventQueuesOnce) {
  Prepare(Group("Third", PanelKeys("MAKE_MATCH", 3)));
  OkClicker clicker;
  for (int matches = 1; matches <= 2; ++matches) {
    level->matches = matches;
    popupManager->AddEvent(S("MAKE_MATCH"));
    popupManager->AddEvent(S("MAKE_MATCH"));
    EXPECT_EQ(Events(), (std::vector<std::string>{"MAKE_MATCH"}));
    const int frame = headless::FrameNumber();
    EXPECT_EQ(popupManager->check(), 0);
    EXPECT_EQ(headless::FrameNumber(), frame) << "nothing shown at " << matches;
    EXPECT_TRUE(popupManager->events->IsEmpty()) << "consumed at " << matches;
  }
  level->matches = 3;
  popupManager->AddEvent(S("MAKE_MATCH"));
  EXPECT_EQ(popupManager->check(), 0);
  EXPECT_EQ(clicker.shown.size(), 1u);
  EXPECT_TRUE(popupManager->popups->IsEmpty());
}

TEST_F(PopupManager, EventsWaitWhileNoPopupIsLeftOrTheBoardIsFadingIn) {
  popupManager->AddEvent(S("BEGIN_LEVEL"));
  popupManager->AddEvent(S("MAKE_MATCH"));
  EXPECT_EQ(popupManager->check(), 0);  // no popups
  EXPECT_EQ(Events(), (std::vector<std::string>{"BEGIN_LEVEL", "MAKE_MATCH"}));

  Prepare(Group("Hello", PanelKeys("BEGIN_LEVEL", 0)));
  board->alpha = 0.99f;
  const int frame = headless::FrameNumber();
  EXPECT_EQ(popupManager->check(), 0);
  EXPECT_EQ(headless::FrameNumber(), frame);
  EXPECT_EQ(Events(), (std::vector<std::string>{"BEGIN_LEVEL", "MAKE_MATCH"}));
  EXPECT_EQ(timeManager->paused, 0);

  board->alpha = 1.0f;
  OkClicker clicker;
  EXPECT_EQ(popupManager->check(), 0);
  EXPECT_EQ(clicker.shown.size(), 1u);
  EXPECT_TRUE(popupManager->events->IsEmpty());  // MAKE_MATCH answered by nobody: dropped
}

TEST_F(PopupManager, APopupStopsTheLevelTimeAndDelaysThePetrificationByItsLength) {
  Prepare(Group("Hello", PanelKeys("BEGIN_LEVEL", 0)));
  timeManager->limit = 300000;
  timeManager->Reset(0);
  headless::AdvanceClock(12000);
  timeManager->Update();
  const int32_t elapsed = timeManager->elapsed;
  board->lastPetrify = ElapsedMs(MilliSecs(), 4000);  // petrified 4 s ago
  const int32_t before = MilliSecs();
  popupManager->AddEvent(S("BEGIN_LEVEL"));
  {
    OkClicker clicker(5000);
    EXPECT_EQ(popupManager->check(), 0);
  }
  EXPECT_GE(ElapsedMs(MilliSecs(), before), 5000);
  EXPECT_EQ(timeManager->paused, 0);
  EXPECT_EQ(timeManager->elapsed, elapsed);
  EXPECT_EQ(ElapsedMs(MilliSecs(), board->lastPetrify), 4000);
}

TEST_F(PopupManager, ACloseRequestDuringAPopupEndsTheCheckAtOnce) {
  Prepare(Group("A", PanelKeys("BEGIN_LEVEL", 0)) + Group("B", PanelKeys("BEGIN_LEVEL", 0)));
  popupManager->AddEvent(S("BEGIN_LEVEL"));
  headless::CloseRequestAt(headless::FrameNumber() + 4);
  EXPECT_EQ(popupManager->check(), 1);
  // Nothing after the close: the timer stays paused, the queue and the popups stay.
  EXPECT_EQ(timeManager->paused, 1);
  EXPECT_EQ(Events(), (std::vector<std::string>{"BEGIN_LEVEL"}));
  EXPECT_EQ(popupManager->popups->Count(), 2);
}

TEST_F(PopupManager, AResumedLevelShowsNoPopups) {
  Prepare(Group("Hello", PanelKeys("BEGIN_LEVEL", 0)) + Group("M", PanelKeys("MAKE_MATCH", 1)));
  popupManager->Free();
  level->matches = 1;
  popupManager->AddEvent(S("MAKE_MATCH"));
  const int frame = headless::FrameNumber();
  EXPECT_EQ(popupManager->check(), 0);
  EXPECT_EQ(headless::FrameNumber(), frame);
}

TEST_F(PopupManager, PrepareReadsTheShippedPopupsOfTheCurrentLevel) {
  sequencer->currentLevel = 1;
  popupManager->Prepare();
  ASSERT_EQ(popupManager->popups->Count(), 4);
  std::vector<std::string> events;
  for (const PopupPtr& p : *popupManager->popups) events.push_back(ToUtf8(p->event));
  EXPECT_EQ(events,
            (std::vector<std::string>{"BEGIN_LEVEL", "BEGIN_LEVEL", "RIGHT_UNUSED", "MAKE_MATCH"}));
  // A second Prepare replaces them and drops the queue.
  popupManager->AddEvent(S("BEGIN_LEVEL"));
  sequencer->currentLevel = 99;
  popupManager->Prepare();
  EXPECT_TRUE(popupManager->popups->IsEmpty());
  EXPECT_TRUE(popupManager->events->IsEmpty());
}

TEST_F(PopupManager, AMissingPopupArchiveIsTheReadersError) {
  bundleDir = test_support::TempHome() + "/nowhere/";
  EXPECT_THROW(popupManager->Prepare(), FrameworkError);
}

}  // namespace
}  // namespace popups_test
