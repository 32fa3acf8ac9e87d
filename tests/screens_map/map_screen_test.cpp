// The map screen on the virtual clock with scripted input: the header layout, the entry, the
// fades, the choices and their one click sound, the fade-out's music volume, the return and a
// close request in each state; and one frame's drawing order and alphas.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "map_fixtures.h"
#include "platform/errors.h"
#include "platform/graphics.h"
#include "platform/system.h"

namespace {

using map_test::MapTest;
using test_support::Argb;
using test_support::Blue;
using test_support::Green;
using test_support::Red;
using test_support::ScreenPixel;

// A point of the map away from the buttons and the header.
constexpr int kAnywhereX = 400, kAnywhereY = 300;
// Inside the menu and the play buttons.
constexpr int kMenuX = 230, kPlayX = 560, kButtonY = 580;

// The pass's state as the frame callback sees it: the fields the previous pass left.
struct PassState {
  int32_t fadeState;
  float fadeAlpha;
  int32_t finished;
};

class MapScreen : public MapTest {
 protected:
  void SetUp() override {
    MapTest::SetUp();
    FillLikeLoad();
  }
  // Runs Show(0) and records every pass's state; returns the result.
  int32_t Run(std::vector<PassState>& passes, const std::function<void(int)>& extra = nullptr) {
    passes.clear();
    return ShowWith(0, [&](int pass) {
      passes.push_back({map->fadeState, map->fadeAlpha, map->finished});
      if (extra) extra(pass);
    });
  }
  // The pass that took the choice: the next one is drawn fading out.
  static int ChoicePass(const std::vector<PassState>& passes) {
    for (size_t i = 0; i < passes.size(); ++i)
      if (passes[i].fadeState == kMapFadingOut) return static_cast<int>(i);
    return -1;
  }
};

TEST_F(MapScreen, HeaderIsCentredOn392WithGapsOfSevenCutTowardZero) {
  struct Case {
    const char* name;
    int wordLevel, wordOf;
    const char* current;  // 14 pixels a digit
    const char* last;
    int32_t headerX0, textX0, headerX1, textX1;
  };
  const Case cases[] = {
      // W = 97 + 14 + 7 + 30 + 7 + 28 = 183: 392 - 91.5 = 300.5.
      {"worked example", 90, 30, "1", "10", 300, 397, 418, 455},
      // W = 707 + 14 + 7 + 30 + 7 + 28 = 793: 392 - 396.5 = -4.5, cut to -4.
      {"wider than the centre", 700, 30, "1", "10", -4, 703, 724, 761},
      {"no pictures, no digits", 0, 0, "", "", 381, 388, 395, 402},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NextCase();
    map->headerImages = {c.wordLevel ? test_support::SolidImage(c.wordLevel, 24, Argb(255, 1, 1, 1)) : nullptr,
                         c.wordOf ? test_support::SolidImage(c.wordOf, 24, Argb(255, 1, 1, 1)) : nullptr};
    map->headerTexts[0]->text = FromUtf8(c.current);
    map->headerTexts[1]->text = FromUtf8(c.last);
    map->layoutHeader();
    EXPECT_EQ(map->headerX[0], c.headerX0);
    EXPECT_EQ(map->headerTexts[0]->dim->x, static_cast<float>(c.textX0));
    EXPECT_EQ(map->headerX[1], c.headerX1);
    EXPECT_EQ(map->headerTexts[1]->dim->x, static_cast<float>(c.textX1));
    EXPECT_EQ(map->headerTexts[0]->dim->y, 564.0f);
  }
}

TEST_F(MapScreen, EntrySetsTheLevelItsStageTheHeaderAndStartsTheMusic) {
  struct Case {
    int32_t finished;
    int32_t stageBefore;
    int32_t stage;
    const char* header;
  };
  const Case cases[] = {
      {4, 0, 2, "5"},    // the first of two markers numbered 5
      {5, 0, 4, "6"},
      {6, 9, 9, "7"},    // no marker 7: the stage is kept
      {0, 7, 7, "1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.header);
    NextCase();
    map->AddLevel(5, 2, 1, 100, 100);
    map->AddLevel(5, 3, 1, 200, 100);
    map->AddLevel(6, 4, 1, 300, 100);
    map->currentStage = c.stageBefore;
    ClickInPass(16, kAnywhereX, kAnywhereY);
    bool musicPlayed = false;
    ShowWith(c.finished, [&](int pass) {
      if (pass != 1) return;
      EXPECT_EQ(map->currentLevel, c.finished + 1);
      EXPECT_EQ(map->currentStage, c.stage);
      EXPECT_EQ(map->headerTexts[0]->text, FromUtf8(c.header));
      EXPECT_EQ(map->headerTexts[1]->text, S("10"));
      EXPECT_EQ(map->fadeAlpha, 0.0f);  // the first frame is drawn invisible
      EXPECT_EQ(GetBlend(), ALPHABLEND);
      musicPlayed = Mixed() == map_test::kMusicLevel / 2;  // music volume 0.5, factor 1.0
    });
    EXPECT_TRUE(musicPlayed);
    EXPECT_EQ(Mixed(), map_test::kClickLevel);  // the music stopped; the click still sounds
  }
}

TEST_F(MapScreen, ANegativeLevelReturnsAtOnceWithNothingShown) {
  map->currentLevel = 12;
  const int frame = headless::FrameNumber();
  EXPECT_EQ(map->Show(-1), kMapPlayOn);
  EXPECT_EQ(headless::FrameNumber(), frame);
  EXPECT_EQ(map->currentLevel, 12);
  EXPECT_FALSE(map->music);
  EXPECT_EQ(Mixed(), 0);
}

TEST_F(MapScreen, ClicksDuringTheFadeInAreIgnoredAndTheFirstPassPast250MsTakesOne) {
  // 15 frames are exactly 250 ms (16 + 17 + 17 five times): still fading in at alpha 1.0.
  struct Case {
    int earlyClick;
    int expectedChoice;
  };
  const Case cases[] = {{1, 30}, {8, 30}, {15, 30}, {16, 16}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.earlyClick);
    NextCase();
    ClickInPass(c.earlyClick, kAnywhereX, kAnywhereY);
    ClickInPass(30, kAnywhereX, kAnywhereY);
    std::vector<PassState> passes;
    EXPECT_EQ(Run(passes), kMapPlayOn);
    ASSERT_GT(passes.size(), 17u);
    EXPECT_EQ(passes[15].fadeState, kMapFadingIn);  // drawn in pass 16, after pass 15
    EXPECT_EQ(passes[15].fadeAlpha, 1.0f);
    EXPECT_EQ(ChoicePass(passes), c.expectedChoice);
  }
}

TEST_F(MapScreen, ChoicesReturnAfterTheFadeOutWithOneClickSound) {
  struct Case {
    const char* name;
    int x, y;
    int32_t result;
  };
  const Case cases[] = {
      {"menu button", kMenuX, kButtonY, kMapBackToMenu},
      {"play button", kPlayX, kButtonY, kMapPlayOn},
      {"anywhere", kAnywhereX, kAnywhereY, kMapPlayOn},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NextCase();
    map->result = 7;  // not reset on entry: only a choice writes it
    ClickInPass(20, c.x, c.y);
    // A second click during the fade-out, on the other button, changes nothing.
    ClickInPass(25, c.result == kMapBackToMenu ? kPlayX : kMenuX, kButtonY);
    std::vector<PassState> passes;
    EXPECT_EQ(Run(passes), c.result);
    EXPECT_EQ(ChoicePass(passes), 20);
    // Fifteen frames after the choice are exactly 250 ms: alpha 0.0 does not finish; the
    // sixteenth is past it and returns without drawing again.
    ASSERT_EQ(passes.size(), 20u + 16u);
    EXPECT_EQ(passes.back().fadeAlpha, 0.0f);
    EXPECT_EQ(passes.back().fadeState, kMapFadingOut);
    EXPECT_EQ(map->finished, 1);
    EXPECT_LT(map->fadeAlpha, 0.0f);
    EXPECT_EQ(Mixed(), map_test::kClickLevel);  // one click; the music stopped
  }
}

TEST_F(MapScreen, MusicFollowsTheFadeOutAndIsLeftAloneBefore) {
  options->soundVol = 0.0f;  // no click in the mix
  ClickInPass(20, kAnywhereX, kAnywhereY);
  std::vector<int> levels;
  std::vector<float> alphas;
  ShowWith(0, [&](int pass) {
    levels.push_back(Mixed());
    alphas.push_back(map->fadeAlpha);
    (void)pass;
  });
  // Fading in and shown: the options' music volume, 0.5.
  for (size_t i = 0; i <= 20; ++i) EXPECT_EQ(levels[i], map_test::kMusicLevel / 2) << i;
  // Fading out: the pass before set fadeAlpha x 0.5; at alpha 0.0 it is not set again.
  for (size_t i = 21; i + 1 < levels.size(); ++i) {
    SCOPED_TRACE(i);
    const float volume = alphas[i] * 0.5f;
    EXPECT_NEAR(levels[i], map_test::kMusicLevel * volume, 2);
  }
  EXPECT_EQ(alphas.back(), 0.0f);
  EXPECT_EQ(levels.back(), levels[levels.size() - 2]);
  EXPECT_EQ(Mixed(), 0);  // stopped on return
}

TEST_F(MapScreen, ACloseRequestStopsTheMusicAndEndsTheProgramInEveryState) {
  struct Case {
    const char* name;
    int pass;  // the close request is seen at the start of this pass
  };
  const Case cases[] = {{"fading in", 5}, {"shown", 18}, {"fading out", 25}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    NextCase();
    ClickInPass(20, kAnywhereX, kAnywhereY);
    // The close request is latched by the PollSystem of the pass before.
    headless::CloseRequestAt(FrameReadInPass(c.pass));
    int lastPass = 0;
    EXPECT_THROW(ShowWith(0, [&](int pass) { lastPass = pass; }), ProgramEnded);
    EXPECT_EQ(lastPass, c.pass - 1);
    EXPECT_FALSE(map->music);
    EXPECT_EQ(Mixed(), c.pass > 20 ? map_test::kClickLevel : 0);
  }
}

class MapFrame : public MapScreen {
 protected:
  void SetUp() override {
    MapScreen::SetUp();
    // A marker under a stage picture, and the cursor over both.
    map->AddLevel(3, 1, 1, 100, 100);
    auto stage = std::make_shared<TMapStage>();
    stage->number = 1;
    stage->x = 96;
    stage->y = 96;
    stage->image = test_support::SolidImage(4, 4, kStageColour);
    map->stages->AddLast(stage);
    map->currentLevel = 3;
    map->currentStage = 2;  // the picture is of a stage passed: drawn plainly
    map->headerTexts[0]->text = S("3");
    map->headerTexts[1]->text = S("10");
    map->layoutHeader();
    mouse->x = 700;
    mouse->y = 100;
  }
  static constexpr uint32_t kStageColour = Argb(255, 10, 200, 10);
};

TEST_F(MapFrame, EverythingButTheCursorAndTheLabelFadesWithTheMap) {
  for (float alpha : {0.0f, 0.3f, 1.0f}) {
    SCOPED_TRACE(alpha);
    map->fadeAlpha = alpha;
    map->editMode = 0;
    map->Draw();
    auto faded = [alpha](uint32_t c) {
      return Argb(255, static_cast<int>(std::lround(Red(c) * alpha)),
                  static_cast<int>(std::lround(Green(c) * alpha)),
                  static_cast<int>(std::lround(Blue(c) * alpha)));
    };
    EXPECT_TRUE(map_test::Near(ScreenPixel(400, 300), faded(map_test::kBackgroundColour)));
    // The stage picture lies over the marker.
    if (alpha == 1.0f) {
      EXPECT_TRUE(map_test::Near(ScreenPixel(98, 98), kStageColour));
    }
    EXPECT_TRUE(map_test::Near(ScreenPixel(701, 101), map_test::kCursorColour));
    // The texts and buttons keep this frame's alpha; the drawing alpha is back at 1.
    EXPECT_EQ(map->headerTexts[0]->alpha, alpha);
    EXPECT_EQ(map->headerTexts[1]->alpha, alpha);
    EXPECT_EQ(map->buttons->GetItem(kMapMenuButton)->extraValue, alpha);
    EXPECT_EQ(map->buttons->GetItem(kMapPlayButton)->extraValue, alpha);
    EXPECT_EQ(GetAlpha(), 1.0f);
    EXPECT_EQ(GetBlend(), ALPHABLEND);
  }
}

TEST_F(MapFrame, TheEditorLabelIsDrawnOpaqueOnlyInEditMode) {
  auto inkInLabel = [] {
    int ink = 0;
    PixmapPtr p = GrabPixmap(500, 50, 150, 20);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 150; ++x) ink += Red(p->Get(x, y)) > 128 ? 1 : 0;
    return ink;
  };
  map->fadeAlpha = 0.0f;
  map->Draw();
  EXPECT_EQ(inkInLabel(), 0);
  map->editMode = 1;
  map->currentStage = 0;
  map->Draw();
  EXPECT_GT(inkInLabel(), 20);
}

}  // namespace
