#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/levels/summary_screens.h"
#include "game/levels/level_timer.h"
#include "platform/graphics.h"
#include "platform/pixmap.h"
#include "summary_fixtures.h"
#include "support/game_fixtures.h"
#include "toolkit/container.h"

namespace {

using summary_test::SummaryTest;

using test_support::Argb;
using test_support::Blue;
using test_support::Green;
using test_support::Red;
using test_support::ScreenPixel;
using test_support::SolidImage;

constexpr uint32_t kBackdrop = Argb(255, 30, 30, 140);
constexpr uint32_t kParchment = Argb(255, 230, 210, 160);
constexpr uint32_t kRoller = Argb(255, 120, 70, 20);
constexpr uint32_t kLeftDoor = Argb(255, 200, 40, 40);
constexpr uint32_t kRightDoor = Argb(255, 40, 200, 40);
constexpr uint32_t kNewBest = Argb(255, 250, 250, 0);

bool Near(uint32_t a, uint32_t b, int tolerance = 4) {
  return std::abs(Red(a) - Red(b)) <= tolerance && std::abs(Green(a) - Green(b)) <= tolerance &&
         std::abs(Blue(a) - Blue(b)) <= tolerance;
}

// Pixels of black ink (text) inside the rectangle.
int InkIn(int x, int y, int w, int h) {
  PixmapPtr p = GrabPixmap(x, y, w, h);
  int ink = 0;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const uint32_t c = p->Get(i, j);
      if (Red(c) < 60 && Green(c) < 60 && Blue(c) < 60) ++ink;
    }
  return ink;
}

// The summary drawn on a screen made in code: plain coloured scroll pieces and door tiles, the
// default font for the texts.
class SummaryScreenTest : public SummaryTest {
 protected:
  void SetUp() override {
    SummaryTest::SetUp();
    ASSERT_TRUE(Graphics(800, 600, 0) != nullptr);
    data = std::make_shared<TContainer>();
    ImagePtr top = SolidImage(350, 70, kRoller);
    SetImageHandle(top, 175, 55);
    ImagePtr middle = SolidImage(330, 320, kParchment);
    MidHandleImage(middle);
    ImagePtr bottom = SolidImage(350, 60, kRoller);
    SetImageHandle(bottom, 175, 0);
    data->Add(top, kScrollTopRoller);
    data->Add(middle, kScrollParchment);
    data->Add(bottom, kScrollBottomRoller);
    for (int tile = 0; tile < 6; ++tile) {
      const int w = tile % 3 == 0 ? 256 : tile % 3 == 1 ? 128 : 16;
      const int h = tile < 3 ? 512 : 88;
      lv().doorsImages[0][tile] = SolidImage(w, h, kLeftDoor);
      lv().doorsImages[1][tile] = SolidImage(w, h, kRightDoor);
    }
    lv().newHiscoreImage = SolidImage(300, 50, kNewBest);
    MidHandleImage(lv().newHiscoreImage);
    timeManager = std::make_shared<TTimeManager>();
    lv().startSummary();
  }

  void Backdrop() {
    ResetDrawingState();
    SetClsColor(Red(kBackdrop), Green(kBackdrop), Blue(kBackdrop));
    Cls();
  }

  // The scroll fully open in the transfer, rollers shown.
  void OpenScroll() {
    lv().summaryPhase = 7;
    lv().scrollOpening = 155.0f;
    lv().scrollAlpha = 1.0f;
    lv().doorsOffset = 400.0f;
  }

  void ExpectRowsWritten(bool written) {
    for (int y : {175, 225, 258, 291, 324, 357, 390, 430}) {
      SCOPED_TRACE(y);
      if (written) {
        EXPECT_GT(InkIn(285, y, 150, 22), 20);
      } else {
        EXPECT_EQ(InkIn(285, y, 150, 22), 0);
      }
    }
  }
};

TEST(SummaryRows, RowsComeInAsTheScrollOpens) {
  const std::map<int, int> firstOpening = {{258, 0},  {291, 0},  {324, 15},  {225, 26},
                                           {357, 48}, {175, 76}, {390, 81}, {430, 121}};
  for (auto [y, opening] : firstOpening) {
    SCOPED_TRACE(y);
    int first = -1;
    for (int v = 0; v <= 155 && first < 0; ++v)
      if (summaryRowShown(y, static_cast<float>(v))) first = v;
    EXPECT_EQ(first, opening);
    for (int v = first; v <= 155; ++v) EXPECT_TRUE(summaryRowShown(y, static_cast<float>(v)));
  }
  // The band test at a closed scroll: strictly between 250 and 310.
  struct Case {
    int y;
    bool shown;
  };
  for (Case c : std::vector<Case>{{250, false}, {251, true}, {309, true}, {310, false}})
    EXPECT_EQ(summaryRowShown(c.y, 0.0f), c.shown) << c.y;
  // Fully open: 95 < y < 465.
  for (Case c : std::vector<Case>{{95, false}, {96, true}, {464, true}, {465, false}})
    EXPECT_EQ(summaryRowShown(c.y, 155.0f), c.shown) << c.y;
}

TEST(SummaryRows, TheQuestAndTheEndlessScrollsListTheirFigures) {
  TLevelManager lv;
  lv.matches = 14;
  lv.combos = 3;
  lv.spellsCast = 2;
  lv.receivedSpells = 5;
  lv.bonusPoints = 175;
  lv.totalShown = 12850;
  struct Expected {
    int y;
    const char* label;
    const char* value;
  };
  const std::vector<Expected> quest = {
      {175, "Well done!", ""},         {225, "Matches:", "14"},
      {258, "Combos:", "3"},           {291, "Spells cast:", "2"},
      {324, "Time:", "2:05"},          {357, "Bonus points:", "175"},
      {390, "Total points:", "12850"}, {430, "Click to continue", ""},
  };
  const std::vector<Expected> endless = {
      {175, "Well done!", ""},         {225, "Received spells:", "5"},
      {258, "Used blocks", "61"},      {291, "Time:", "1:02:05"},
      {324, "Bonus points:", "175"},   {357, "Total points:", "12850"},
      {390, "Best result:", "9000"},   {430, "Click to continue", ""},
  };
  const auto q = questSummaryRows(lv, 125);
  const auto e = endlessSummaryRows(lv, 3725, 61, 9000);
  for (size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(q[i].y, quest[i].y);
    EXPECT_EQ(q[i].label, S(quest[i].label));
    EXPECT_EQ(q[i].value, S(quest[i].value));
    EXPECT_EQ(e[i].y, endless[i].y);
    EXPECT_EQ(e[i].label, S(endless[i].label));
    EXPECT_EQ(e[i].value, S(endless[i].value));
    const bool edge = i == 0 || i == 7;
    EXPECT_EQ(q[i].centred, edge);
    EXPECT_EQ(e[i].centred, edge);
    const int font = i == 0 ? kSummaryHeadingFont : i == 7 ? kSummaryFooterFont : kSummaryRowFont;
    EXPECT_EQ(q[i].fontId, font);
    EXPECT_EQ(e[i].fontId, q[i].fontId);
  }
}

TEST_F(SummaryScreenTest, TheOpenScrollShowsItsTextsForTheQuestAndTheEndlessModes) {
  lv().matches = 14;
  lv().totalShown = 12850;
  timeManager->elapsed = 125400;
  for (int mode = 0; mode < 2; ++mode) {
    SCOPED_TRACE(mode == 0 ? "quest" : "endless");
    Backdrop();
    OpenScroll();
    if (mode == 0) {
      lv().summaryDisplay();
    } else {
      lv().summaryDisplayET(125, 61, 9000);
    }
    EXPECT_TRUE(Near(ScreenPixel(250, 200), kParchment));
    EXPECT_TRUE(Near(ScreenPixel(250, 420), kParchment));
    EXPECT_TRUE(Near(ScreenPixel(400, 140), kRoller));  // the top roller over the band's upper edge
    EXPECT_TRUE(Near(ScreenPixel(400, 460), kRoller));
    EXPECT_TRUE(Near(ScreenPixel(100, 300), kLeftDoor));
    EXPECT_TRUE(Near(ScreenPixel(700, 300), kRightDoor));
    ExpectRowsWritten(true);
    for (int y : {225, 258, 291, 324, 357, 390}) EXPECT_GT(InkIn(445, y, 100, 22), 5) << y;
    EXPECT_EQ(InkIn(445, 175, 120, 22), 0);  // the heading and footer have no value
    // The heading is centred on x 400.
    const int left = InkIn(300, 175, 100, 40);
    const int right = InkIn(400, 175, 100, 40);
    EXPECT_GT(left, 0);
    EXPECT_NEAR(left, right, (left + right) / 3);
  }
}

TEST_F(SummaryScreenTest, TheTextsFollowTheBandAndVanishOnceTheScrollHasClosed) {
  // Phase 4 at a closed scroll: only the rows at 258 and 291 pass the band test.
  Backdrop();
  lv().summaryPhase = 4;
  lv().summaryDisplay();
  EXPECT_GT(InkIn(285, 258, 150, 22), 20);
  EXPECT_GT(InkIn(285, 291, 150, 22), 20);
  for (int y : {175, 225, 324, 357, 390, 430}) EXPECT_EQ(InkIn(285, y, 150, 22), 0) << y;
  EXPECT_TRUE(Near(ScreenPixel(250, 300), kBackdrop));  // no band of parchment yet
  // From phase 10 the texts are drawn with alpha 0.
  Backdrop();
  OpenScroll();
  lv().summaryPhase = 10;
  lv().summaryDisplayET(0, 0, 0);
  ExpectRowsWritten(false);
  EXPECT_TRUE(Near(ScreenPixel(250, 300), kParchment));
}

TEST_F(SummaryScreenTest, DoorsCloseOverTheScreenAndTheBlackoutCoversAll) {
  struct Case {
    float offset;
    std::vector<std::pair<int, int>> left, right, open;
  };
  const std::vector<Case> cases = {
      {400.0f,
       {{0, 0}, {255, 300}, {399, 511}, {399, 599}},
       {{400, 0}, {700, 520}, {799, 599}},
       {}},
      {100.0f, {{0, 0}, {99, 590}}, {{700, 0}, {799, 599}}, {{100, 300}, {699, 300}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.offset);
    Backdrop();
    lv().summaryPhase = 2;
    lv().doorsOffset = c.offset;
    lv().summaryDisplay();
    for (auto [x, y] : c.left) EXPECT_TRUE(Near(ScreenPixel(x, y), kLeftDoor)) << x << "," << y;
    for (auto [x, y] : c.right) EXPECT_TRUE(Near(ScreenPixel(x, y), kRightDoor)) << x << "," << y;
    for (auto [x, y] : c.open) EXPECT_TRUE(Near(ScreenPixel(x, y), kBackdrop)) << x << "," << y;
  }
  // Open doors in phase 2 are not drawn; the black fade goes over everything.
  Backdrop();
  lv().doorsOffset = 0.0f;
  lv().blackoutAlpha = 1.0f;
  lv().summaryDisplay();
  EXPECT_TRUE(Near(ScreenPixel(10, 10), 0xFF000000u));
  EXPECT_TRUE(Near(ScreenPixel(790, 590), 0xFF000000u));
}

TEST_F(SummaryScreenTest, TheQuestScrollSparksEveryFortiethFrame) {
  lv().summaryPhase = 3;
  for (int i = 0; i < 5; ++i) lv().summaryDisplay();
  EXPECT_EQ(SparkList->Count(), 0);
  EXPECT_EQ(lv().summarySparkCounter, 0);
  lv().summaryPhase = 4;
  for (int i = 0; i < 81; ++i) lv().summaryDisplay();
  EXPECT_EQ(SparkList->Count(), 3);  // frames 0, 40 and 80
  EXPECT_EQ(lv().summarySparkCounter, 81);
  for (const SparkPtr& s : *SparkList) {
    EXPECT_GE(s->x, 205.0f);
    EXPECT_LE(s->x, 208.0f);
    EXPECT_GE(s->y, 433.0f);
    EXPECT_LE(s->y, 436.0f);
    EXPECT_GT(s->vx, 0.0f);
    EXPECT_GT(s->vy, 0.0f);
  }
  // The endless and time-attack scroll makes none.
  TSpark::destroyAll();
  OpenScroll();
  for (int i = 0; i < 50; ++i) lv().summaryDisplayET(0, 0, 1000000);
  EXPECT_EQ(SparkList->Count(), 0);
  EXPECT_EQ(lv().summarySparkCounter, 81);
}

// The new-best caption needs a score strictly above the best; it counts in over 41 frames of
// the transfer and the click wait, two sparks a frame, and freezes once the scroll closes.
TEST_F(SummaryScreenTest, TheNewBestCaptionCountsInWhenTheBestIsBeaten) {
  struct Case {
    int32_t score, best;
    bool shown;
  };
  for (Case c : std::vector<Case>{{5000, 5000, false}, {5001, 5000, true}, {25, 0, true},
                                  {0, 0, false}}) {
    SCOPED_TRACE(c.score);
    TSpark::destroyAll();
    lv().startSummary();
    OpenScroll();
    points->levelPoints = c.score;
    for (int i = 0; i < 60; ++i) lv().summaryDisplayET(0, 0, c.best);
    EXPECT_EQ(lv().newBestCountdown, c.shown ? 0 : 82);
    EXPECT_EQ(SparkList->Count(), c.shown ? 82 : 0);
    EXPECT_EQ(Near(ScreenPixel(400, 540), kNewBest), c.shown);
  }

  lv().startSummary();
  points->levelPoints = 100;
  lv().summaryPhase = 6;  // not before the transfer
  lv().summaryDisplayET(0, 0, 50);
  EXPECT_EQ(lv().newBestCountdown, 82);
  lv().summaryPhase = 8;
  for (int frame = 1; frame <= 22; ++frame) {
    Backdrop();
    lv().summaryDisplayET(0, 0, 50);
    EXPECT_EQ(lv().newBestCountdown, 82 - 2 * frame);
    const bool visible = frame >= 22;  // alpha 1 - 38 / 40 = 0.05 on the 22nd frame
    EXPECT_EQ(!Near(ScreenPixel(400, 540), kBackdrop, 2), visible) << frame;
  }
  // The scroll closing stops the count where it is.
  lv().summaryPhase = 9;
  for (int i = 0; i < 10; ++i) lv().summaryDisplayET(0, 0, 50);
  EXPECT_EQ(lv().newBestCountdown, 38);
  EXPECT_EQ(SparkList->Count(), 44);
  for (const SparkPtr& s : *SparkList) {
    EXPECT_GE(s->x, 175.0f);
    EXPECT_LE(s->x, 500.0f);
    EXPECT_GE(s->y, 475.0f);
    EXPECT_LE(s->y, 525.0f);
    EXPECT_EQ(s->vx, 0.0f);
    EXPECT_GE(s->vy, -2.5f);
    EXPECT_LE(s->vy, -1.0f);
  }
  // The quest summary has no such caption.
  lv().startSummary();
  OpenScroll();
  for (int i = 0; i < 10; ++i) lv().summaryDisplay();
  EXPECT_EQ(lv().newBestCountdown, 82);
}

}  // namespace
