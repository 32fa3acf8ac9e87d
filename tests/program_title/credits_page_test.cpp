// The credits lines and pages on the virtual clock: one character per step strictly after 20 ms
// with seven sparks, the fixed left edge, the page layout, and the credits' own texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless.h"
#include "platform/system.h"
#include "program/credits_page.h"
#include "program_title/title_fixtures.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"
#include "toolkit/text.h"

namespace {

class CreditsPage : public testing::Test {
 protected:
  void SetUp() override {
    title_test::MakeSingletons();
    title_test::LoadTitleResources();
  }
  void TearDown() override { TSpark::destroyAll(); }
  static float WidthOf(const String& text) {
    return CreateText(text, CreateDim(0, 0), TextFont(fonts[1]))->Width();
  }
};

TEST_F(CreditsPage, ALineWritesOneCharacterPerStepWithSevenSparksThenASilentStep) {
  struct Case {
    const char* name;
    String text;
    std::vector<int32_t> gaps;      // ms moved before each Update
    std::vector<int32_t> answers;   // Update's answers
    std::vector<int32_t> shown;     // shownChars after each call
    std::vector<int> sparks;        // sparks made by each call
  };
  const Case cases[] = {
      {"an empty line", u"", {21, 21, 0}, {0, 1, 1}, {1, 1, 1}, {0, 0, 0}},
      {"five characters at 21 ms", u"rune5", {21, 21, 21, 21, 21, 21, 21},
       {0, 0, 0, 0, 0, 0, 1}, {1, 2, 3, 4, 5, 6, 6}, {7, 7, 7, 7, 7, 0, 0}},
      {"20 ms is not enough", u"ab", {20, 1, 20, 21}, {0, 0, 0, 0}, {0, 1, 1, 2}, {0, 7, 0, 7}},
      {"a long pause writes one character", u"abc", {5000, 5000}, {0, 0}, {1, 2}, {7, 7}},
  };
  for (const Case& c : cases) {
    CreditsTextPtr line = TCreditsText::Create(c.text, TextFont(fonts[1]), 100);
    for (size_t i = 0; i < c.gaps.size(); ++i) {
      headless::AdvanceClock(c.gaps[i]);
      const int before = SparkList->Count();
      EXPECT_EQ(line->Update(), c.answers[i]) << c.name << " call " << i;
      EXPECT_EQ(line->shownChars, c.shown[i]) << c.name << " call " << i;
      EXPECT_EQ(SparkList->Count() - before, c.sparks[i]) << c.name << " call " << i;
      const int32_t n = std::min<int32_t>(line->shownChars, static_cast<int32_t>(c.text.size()));
      EXPECT_EQ(line->label->text, c.text.substr(0, static_cast<size_t>(n))) << c.name;
    }
  }
}

TEST_F(CreditsPage, ALineKeepsTheLeftEdgeOfItsCentredWholeAndReadsUpperCaseAsSpace) {
  CreditsTextPtr line = TCreditsText::Create(u"the mirethorn team", TextFont(fonts[1]), 50);
  const float left = 400.0f - WidthOf(u"the mirethorn team") / 2.0f;
  EXPECT_EQ(line->label->dim->x, left);
  EXPECT_EQ(line->label->text, u"");
  for (int i = 0; i < 6; ++i) {
    headless::AdvanceClock(21);
    line->Update();
    EXPECT_EQ(line->label->dim->x, left);
  }
  EXPECT_EQ(WidthOf(u"AB"), WidthOf(u"  "));
  // Sparks gather at the pen: just left of the right end of what is written.
  const SparkPtr spark = SparkList->First();
  const float pen = left + WidthOf(u"the mi") - 15.0f;
  EXPECT_LE(std::abs(spark->x - pen), 6.0f);
  EXPECT_LE(std::abs(spark->y - 50.0f), 10.0f);
}

TEST_F(CreditsPage, ThePageIsABlockCentredOnTheScreen) {
  const std::vector<std::vector<int>> fieldYs = {
      {}, {315}, {295, 335}, {275, 315, 355}, {255, 295, 335, 375}, {235, 275, 315, 355, 395}};
  const int titleYs[] = {265, 245, 225, 205, 185, 165};
  for (int n = 0; n <= 5; ++n) {
    TCreditsPage page;
    page.AddTitle(u"title");
    for (int i = 0; i < n; ++i) page.AddField(u"field");
    page.Prepare();
    EXPECT_EQ(page.fieldCount, n);
    EXPECT_EQ(page.title->label->dim->y, static_cast<float>(titleYs[n])) << n << " fields";
    int i = 0;
    for (const CreditsTextPtr& f : *page.fields)
      EXPECT_EQ(f->label->dim->y, static_cast<float>(fieldYs[n][i++])) << n << " fields";
  }
}

TEST_F(CreditsPage, APageDrawsEveryLineAtItsAlphaAndWritesOneLineAtATime) {
  TCreditsPage page;
  page.AddTitle(u"qa");
  page.AddField(u"x");
  page.Prepare();
  std::vector<int32_t> current;
  for (int i = 0; i < 8; ++i) {
    headless::AdvanceClock(21);
    EXPECT_EQ(page.Update(0.25f), 0);
    current.push_back(page.current);
    EXPECT_EQ(page.title->label->alpha, 0.25f);
    EXPECT_EQ(page.fields->First()->label->alpha, 0.25f);
  }
  // q, a, the silent step, done; x, the silent step, done; complete.
  EXPECT_EQ(current, (std::vector<int32_t>{0, 0, 0, 1, 1, 1, 2, 2}));
  EXPECT_EQ(page.fields->First()->label->text, u"x");
}

TEST_F(CreditsPage, APageShowsFullyFourSecondsThenFadesForHalfASecond) {
  struct Case {
    int32_t t;
    float alpha;
  };
  for (const Case& c : {Case{0, 1.0f}, Case{4000, 1.0f}, Case{4250, 0.5f}, Case{4500, 0.0f},
                        Case{4501, -1.0f}, Case{5000, -1.0f}})
    EXPECT_EQ(CreditsPageAlpha(c.t), c.alpha) << c.t;
}

TEST_F(CreditsPage, EveryCreditsLineUsesTheFontsGlyphsAndFitsTheScreen) {
  ASSERT_EQ(CreditsTable().size(), 16u);
  int fields = 0;
  for (const CreditsPageText& page : CreditsTable()) {
    std::vector<String> lines = {page.title};
    for (const char16_t* f : page.fields) lines.push_back(f);
    fields += static_cast<int>(page.fields.size());
    for (const String& line : lines) {
      EXPECT_FALSE(line.empty());
      for (char16_t ch : line)
        EXPECT_TRUE((ch >= u'a' && ch <= u'z') || (ch >= u'0' && ch <= u'9') || ch == u' ')
            << ToUtf8(line);
      EXPECT_LT(WidthOf(line), 760.0f) << ToUtf8(line);
    }
  }
  EXPECT_EQ(fields, 30);
  EXPECT_EQ(String(CreditsTable()[2].title), u"programing");
  EXPECT_EQ(String(CreditsTable()[15].fields.back()), u"and beta testers");
}

}  // namespace
