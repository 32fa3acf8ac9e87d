// The hiscores screen on the virtual clock: rows written one character per step, tabs changing
// every 6000 ms with one report per cycle, the column offsets and the score's right edge.
#include <gtest/gtest.h>

#include <string>

#include "services/data_folders.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "profiles/hiscores.h"
#include "screens/hiscores/hiscores_screen.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace {

class HiscoresScreen : public testing::Test {
 protected:
  void SetUp() override {
    test_support::OpenScreen();
    LoadProgramFonts();
    for (int k = 1; k <= 3; ++k) loadSparkImage(k, "gfx/gwiazdki/" + std::to_string(k) + ".png");
    // The default store: one quest entry, morvell with 10000.
    hiscore = THiscores::Create(test_support::TempHome() + "/hiscores.dat");
  }
  void TearDown() override { TSpark::destroyAll(); }
};

std::string Shown(const TextPtr& t) { return ToUtf8(t->text); }

TEST_F(HiscoresScreen, ARowGrowsOneCharacterEveryStepStrictlyAfterTwentyMs) {
  THiscoresScreen screen;
  screen.Load(hiscore->GetScores(HISCORE_QUEST, 10));
  ASSERT_EQ(screen.rows->Count(), 1);
  HiscoresTextPtr row = screen.rows->First();
  struct Seen {
    int frame;
    const char* place;
    const char* name;
    const char* score;
  };
  // Frames take 16 or 17 ms, so a step needs two of them: one character every second frame.
  const Seen expected[] = {
      {1, "", "", ""},      {2, "1", "", ""},           {3, "1", "", ""},
      {4, "1", "m", ""},    {16, "1", "morvell", ""},   {18, "1", "morvell", "1"},
      {25, "1", "morvell", "1000"}, {26, "1", "morvell", "10000"},
  };
  std::vector<int> activeRow;
  for (int frame = 0; frame <= 30; ++frame) {
    EXPECT_EQ(screen.Update(), 0);
    activeRow.push_back(screen.activeRow);
    for (const Seen& s : expected)
      if (s.frame == frame) {
        SCOPED_TRACE(frame);
        EXPECT_EQ(Shown(row->placeLabel), s.place);
        EXPECT_EQ(Shown(row->nameLabel), s.name);
        EXPECT_EQ(Shown(row->scoreLabel), s.score);
      }
    Flip();
  }
  // The step past the last character comes at frame 28; the row reports itself done on the
  // call after it.
  EXPECT_EQ(activeRow[28], 0);
  EXPECT_EQ(activeRow[29], 1);
  EXPECT_EQ(activeRow[30], 2);
}

TEST_F(HiscoresScreen, SparksOfTheScoreRiseTheOthersSink) {
  HiscoresTextPtr row = THiscoresText::Create(1, u"ab", 5, fonts[1], fonts[1], 0);
  row->lastStep -= 100;
  struct Step {
    const char* column;
    bool rising;
  };
  for (const Step& s : {Step{"place", false}, Step{"name", false}, Step{"name", false},
                        Step{"score", true}}) {
    SCOPED_TRACE(s.column);
    TSpark::destroyAll();
    row->lastStep = MilliSecs() - 21;
    EXPECT_EQ(row->Update(), 0);
    ASSERT_EQ(SparkList->Count(), 7);
    for (const SparkPtr& spark : *SparkList) {
      if (s.rising) {
        EXPECT_LE(spark->vy, 0.0f);
      } else {
        EXPECT_GE(spark->vy, 0.0f);
      }
      EXPECT_GE(spark->vx, -0.1f);
      EXPECT_LE(spark->vx, 0.1f);
    }
  }
  // Exactly 20 ms is not enough.
  TSpark::destroyAll();
  row->lastStep = MilliSecs() - 20;
  EXPECT_EQ(row->Update(), 0);
  EXPECT_EQ(SparkList->Count(), 0);
  row->lastStep = MilliSecs() - 21;
  EXPECT_EQ(row->Update(), 0);  // the step past the end
  EXPECT_EQ(row->Update(), 1);
}

TEST_F(HiscoresScreen, TabsChangeStrictlyAfter6000MsAndTheCycleIsReportedOnce) {
  hiscore->add(u"ilse", 300, 0, HISCORE_TIME_ATTACK, u"1 Jan 2026", u"level_01.tsc");
  THiscoresScreen screen;
  screen.Load(hiscore->GetScores(HISCORE_QUEST, 10));
  struct Step {
    int32_t advanceMs;
    int32_t result;
    int32_t stage;
    int rows;
  };
  const Step steps[] = {
      {6000, 0, 1, 1},  // exactly 6000 ms: still the quest tab
      {1, 0, 2, 0},     // the endless tab, empty
      {6000, 0, 2, 0},  {1, 0, 3, 1},  // time attack
      {6001, 1, 1, 1},  // back to the quest tab: the cycle is over
      {10, 0, 1, 1},
  };
  int i = 0;
  for (const Step& s : steps) {
    SCOPED_TRACE(i++);
    headless::AdvanceClock(s.advanceMs);
    EXPECT_EQ(screen.Update(), s.result);
    EXPECT_EQ(screen.stage, s.stage);
    EXPECT_EQ(screen.rows->Count(), s.rows);
    if (s.result == 1 || s.advanceMs == 1) {
      EXPECT_EQ(screen.activeRow, 0);
    }
  }
}

TEST_F(HiscoresScreen, EveryConstructionSetsTheColumnsFromTheFrame) {
  for (int round = 0; round < 2; ++round) {
    offsetX1 = 1;
    offsetX2 = 2;
    offsetX3 = 3;
    THiscoresScreen screen;
    EXPECT_EQ(offsetX1, 102);
    EXPECT_EQ(offsetX2, 172);
    EXPECT_EQ(offsetX3, 672);
    EXPECT_EQ(screen.stage, 1);
    EXPECT_EQ(screen.font, fonts[1]);
    EXPECT_EQ(screen.titles[2]->text, u"time attack");
    EXPECT_EQ(screen.titles[2]->dim->x, 400.0f - screen.titles[2]->Width() / 2.0f);
  }
}

TEST_F(HiscoresScreen, TheCompleteScoreEndsAtTheColumnsRightEdge) {
  THiscoresScreen screen;
  HiscoresTextPtr row = THiscoresText::Create(3, u"bo", 4096, screen.font, screen.font, 2);
  for (int i = 0; i < 10; ++i) {
    row->lastStep = MilliSecs() - 21;
    row->Update();
  }
  ASSERT_EQ(Shown(row->scoreLabel), "4096");
  EXPECT_EQ(row->scoreLabel->dim->x + row->scoreLabel->Width(), 672.0f);
  EXPECT_EQ(row->placeLabel->dim->x, 102.0f);
  EXPECT_EQ(row->nameLabel->dim->x, 172.0f);
  EXPECT_EQ(row->scoreLabel->dim->y, 190.0f);
  // On the screen: the row's lit columns end at 672.
  ResetDrawingState();
  SetBlend(ALPHABLEND);
  Cls();
  row->Draw();
  int rightmost = -1;
  for (int x = 600; x < 700; ++x)
    for (int y = 190; y < 222; ++y)
      if (test_support::Red(test_support::ScreenPixel(x, y)) > 40) rightmost = x;
  EXPECT_GE(rightmost, 660);
  EXPECT_LE(rightmost, 672);
}

}  // namespace
