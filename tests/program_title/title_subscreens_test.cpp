// The title's hiscores and credits screens: their cross-fades, how input ends their display, the
// close requests, whole runs without input, and the title showing them when left alone.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "services/mouse.h"
#include "platform/errors.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/hiscores.h"
#include "profiles/profile_manager.h"
#include "screens/menu/options_window.h"
#include "program/title_screen.h"
#include "program_title/title_fixtures.h"
#include "support/game_fixtures.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace {

using test_support::Argb;

constexpr int kFade = 51;  // frames of a cross-fade

// One of the two screens, as the title calls it.
struct SubScreen {
  const char* name;
  std::function<int32_t()> run;
};
const SubScreen kScreens[] = {
    {"hiscores", [] { return titleScreen->showHiscores(1); }},
    {"credits", [] { return titleScreen->showCredits(); }},
};

class TitleSubScreens : public testing::Test {
 protected:
  void SetUp() override {
    title_test::MakeSingletons();
    title_test::LoadTitleResources();
    optionsWindow->SetState(TOptionsWindow::kOptions, 1, 229, 200);
    titleScreen->playMusic();
  }
  void TearDown() override {
    headless::SetFrameCallback(nullptr);
    TSpark::destroyAll();
  }
  struct Run {
    bool ended = false;      // the program ended inside
    int32_t answer = -1;
    int displayFrames = 0;   // frames between the two fades
    int frames = 0;
  };
  // Runs a screen from a freshly prepared title; inputs are scripted relative to its start.
  static Run RunScreen(const SubScreen& screen, const std::function<void(int start)>& script,
                       int cap = 800) {
    titleScreen->Prepare();
    const int start = headless::FrameNumber();
    headless::SetFrameCap(start + cap);
    script(start);
    Run r;
    int opaque = 0;
    headless::SetFrameCallback([&](int) {
      if (titleScreen->alpha >= 1.0f) ++opaque;
    });
    try {
      r.answer = screen.run();
    } catch (const ProgramEnded&) {
      r.ended = true;
    }
    headless::SetFrameCallback(nullptr);
    headless::ClearScript();
    r.frames = headless::FrameNumber() - start;
    // The last frame of each fade also leaves the alpha at 1 or above.
    r.displayFrames = opaque - (r.ended ? 1 : 2);
    return r;
  }
};

// Each screen runs the cases of the two tables below.
class TitleSubScreenInput : public TitleSubScreens, public testing::WithParamInterface<int> {};

TEST_P(TitleSubScreenInput, ALeftClickEnterOrSpaceEndTheDisplayAndNothingElseDoes) {
  // Frames are those of the display (1 is the first after the fade-in); a click is seen in the
  // frame after it is polled, a key in the frame it is polled.
  struct Case {
    const char* name;
    std::function<void(int display)> input;
    int displayFrames;
  };
  const Case cases[] = {
      {"left click", [](int d) { headless::MouseClickAt(d + 10, 1); }, 11},
      {"enter", [](int d) { headless::KeyPressAt(d + 10, KEY_ENTER); }, 10},
      {"space", [](int d) { headless::KeyPressAt(d + 10, KEY_SPACE); }, 10},
      {"right click, then a left click",
       [](int d) {
         headless::MouseClickAt(d + 10, 2);
         headless::MouseClickAt(d + 40, 1);
       },
       41},
      {"ctrl-click, then enter",
       [](int d) {
         headless::KeyAt(d + 9, KEY_LCONTROL, true);
         headless::MouseClickAt(d + 10, 1);
         headless::KeyAt(d + 20, KEY_LCONTROL, false);
         headless::KeyPressAt(d + 40, KEY_ENTER);
       },
       40},
      {"a click in the fade-in, then space",
       [](int d) {
         headless::MouseClickAt(d - 20, 1);
         headless::KeyPressAt(d + 30, KEY_SPACE);
       },
       30},
      {"enter pressed before the screen", [](int d) { headless::KeyPressAt(d - kFade - 1, KEY_ENTER); }, 1},
  };
  const SubScreen& screen = kScreens[GetParam()];
  {
    for (const Case& c : cases) {
      const Run r = RunScreen(screen, [&](int start) { c.input(start + kFade); });
      EXPECT_FALSE(r.ended) << screen.name << ": " << c.name;
      EXPECT_EQ(r.answer, 0);
      EXPECT_EQ(r.displayFrames, c.displayFrames) << screen.name << ": " << c.name;
      EXPECT_EQ(r.frames, kFade + c.displayFrames + kFade) << screen.name << ": " << c.name;
      EXPECT_EQ(titleScreen->choice, 0);
      EXPECT_EQ(titleScreen->terminateRequested, 0);
      TSpark::destroyAll();
    }
  }
}

TEST_P(TitleSubScreenInput, CloseRequestsEndTheProgramOnlyInTheDisplayAndLoseToAClick) {
  struct Case {
    const char* name;
    std::function<void(int start)> input;
    bool ended;
    int32_t terminateRequested;
  };
  const Case cases[] = {
      {"in the fade-in: straight to the fade-out",
       [](int s) { headless::CloseRequestAt(s + 10); }, false, 1},
      {"in the display", [](int s) { headless::CloseRequestAt(s + kFade + 5); }, true, 0},
      {"with a click of the same frame",
       [](int s) {
         headless::MouseClickAt(s + kFade + 4, 1);
         headless::CloseRequestAt(s + kFade + 5);
       },
       false, 0},
      {"with enter", [](int s) {
         headless::KeyPressAt(s + kFade + 5, KEY_ENTER);
         headless::CloseRequestAt(s + kFade + 5);
       }, false, 0},
      {"in the fade-out",
       [](int s) {
         headless::KeyPressAt(s + kFade + 5, KEY_ENTER);
         headless::CloseRequestAt(s + kFade + 20);
       },
       false, 1},
  };
  const SubScreen& screen = kScreens[GetParam()];
  {
    for (const Case& c : cases) {
      const Run r = RunScreen(screen, c.input);
      EXPECT_EQ(r.ended, c.ended) << screen.name << ": " << c.name;
      if (!r.ended) {
        EXPECT_EQ(r.answer, 0);
        EXPECT_EQ(titleScreen->choice, 0) << screen.name << ": " << c.name;
        EXPECT_EQ(titleScreen->terminateRequested, c.terminateRequested)
            << screen.name << ": " << c.name;
      }
      if (c.terminateRequested == 1 && std::string(c.name).find("fade-in") == 0) {
        EXPECT_EQ(r.displayFrames, 0) << screen.name;
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(HiscoresAndCredits, TitleSubScreenInput, testing::Values(0, 1),
                         [](const testing::TestParamInfo<int>& info) {
                           return std::string(kScreens[info.param].name);
                         });

TEST_F(TitleSubScreens, TheFadesCrossBetweenThePicturesAndBringTheMenuBack) {
  titleScreen->titleImage = test_support::SolidImage(800, 600, Argb(255, 200, 0, 0));
  titleScreen->hiscoresImage = test_support::SolidImage(800, 600, Argb(255, 0, 0, 200));
  titleScreen->creditsImage = titleScreen->hiscoresImage;
  for (const SubScreen& screen : kScreens) {
    std::vector<uint32_t> corner;
    std::vector<float> menuAlpha;
    headless::KeyPressAt(headless::FrameNumber() + kFade + 3, KEY_ENTER);
    titleScreen->Prepare();
    headless::SetFrameCap(headless::FrameNumber() + 400);
    const int start = headless::FrameNumber();
    headless::SetFrameCallback([&](int frame) {
      corner.push_back(test_support::ScreenPixel(790, 10));
      if (frame - start > kFade) menuAlpha.push_back(optionsWindow->alpha);
    });
    EXPECT_EQ(screen.run(), 0);
    headless::SetFrameCallback(nullptr);
    // From the title at 0.98 and the screen's picture at 0.02 (the cleared or kept screen
    // under them is the title picture of the frame before).
    EXPECT_GT(test_support::Red(corner[0]), 180) << screen.name;
    EXPECT_LT(test_support::Blue(corner[0]), 20) << screen.name;
    EXPECT_EQ(test_support::Red(corner[kFade - 1]), 0) << screen.name;
    EXPECT_EQ(test_support::Blue(corner[kFade - 1]), 200) << screen.name;
    EXPECT_EQ(test_support::Red(corner.back()), 200) << screen.name;
    EXPECT_GT(titleScreen->alpha, 1.0f);
    EXPECT_LT(titleScreen->alpha, 1.03f);
    EXPECT_GT(optionsWindow->alpha, 1.0f);
    EXPECT_LT(optionsWindow->alpha, 1.03f);
    EXPECT_EQ(optionsWindow->state, TOptionsWindow::kOptions);
    ASSERT_FALSE(menuAlpha.empty());
    TSpark::destroyAll();
  }
}

TEST_F(TitleSubScreens, HiscoresRunTheirThreeTablesWhateverTheirSize) {
  // 12 quest entries, 3 endless, none in time attack: every table runs its six seconds.
  for (int i = 0; i < 12; ++i)
    hiscore->add(u"ilse", 1000 + i, 0, HISCORE_QUEST, u"1 Mar 2026", u"null");
  for (int i = 0; i < 3; ++i)
    hiscore->add(u"wren", 500 + i, 0, HISCORE_ENDLESS, u"1 Mar 2026", u"level_01.tsc");
  headless::SetSparseDrawing(10);  // the tables' clock is what counts, not their pixels
  const int32_t start = MilliSecs();
  const Run r = RunScreen(kScreens[0], [](int) {}, 2000);
  EXPECT_FALSE(r.ended);
  EXPECT_EQ(r.answer, 0);
  EXPECT_EQ(titleScreen->choice, 0);
  // Three tables of a little over 6 s from entry, the fade-in within the first.
  const int32_t elapsed = ElapsedMs(MilliSecs(), start);
  EXPECT_GT(elapsed, 18000 + 850);
  EXPECT_LT(elapsed, 18000 + 850 + 100);
}

TEST_F(TitleSubScreens, CreditsRunSixteenPagesAndTheirEndWinsOverACloseRequest) {
  int pagesEnded = 0;
  int32_t pageStart = 0;
  bool display = false;
  titleScreen->Prepare();
  headless::SetFrameCap(headless::FrameNumber() + 6000);
  headless::SetSparseDrawing(10);  // the page clock is what counts, not the pixels
  // Follows the page clock from outside; the close request comes in the frame in which the
  // last page ends.
  headless::SetFrameCallback([&](int frame) {
    if (!display && titleScreen->alpha >= 1.0f) {
      display = true;
      pageStart = MilliSecs();
      return;
    }
    if (!display || pagesEnded == 16) return;
    if (ElapsedMs(MilliSecs(), pageStart) > 5000) {
      ++pagesEnded;
      pageStart = MilliSecs();
      if (pagesEnded == 16) headless::CloseRequestAt(frame);
    }
  });
  EXPECT_EQ(titleScreen->showCredits(), 0);
  headless::SetFrameCallback(nullptr);
  EXPECT_EQ(pagesEnded, 16);
  EXPECT_EQ(titleScreen->choice, 0);
  EXPECT_EQ(titleScreen->terminateRequested, 0);
  EXPECT_GT(optionsWindow->alpha, 1.0f);
}

// The title on its main menu, left alone: credits after a little more than 5.5 s of stillness,
// hiscores 5.5 s after they return, then nothing, then the credits again.
TEST_F(TitleSubScreens, TheIdleTitleShowsCreditsThenHiscoresThenNothing) {
  ASSERT_EQ(profile->NewProfile(u"wren"), 1);
  profile->SelectProfile(u"wren");
  headless::SetFrameCap(headless::FrameNumber() + 12000);
  // Which picture the title shows, by the frame: the hiscores and credits backgrounds are told
  // apart by what the screens draw over the title's alpha.
  std::vector<std::pair<int32_t, char>> changes;  // (ms, 't' title 'h' hiscores 'c' credits)
  char showing = 't';
  int credits = 0;
  const int32_t start = MilliSecs();
  titleScreen->Prepare();
  // The screens are told apart by their backgrounds: marked pictures in place of the shipped.
  titleScreen->creditsImage = test_support::SolidImage(800, 600, Argb(255, 0, 200, 0));
  titleScreen->hiscoresImage = test_support::SolidImage(800, 600, Argb(255, 0, 0, 200));
  headless::SetFrameCallback([&](int frame) {
    const uint32_t p = test_support::ScreenPixel(5, 595);
    char now = showing;
    if (test_support::Green(p) == 200 && test_support::Red(p) == 0) now = 'c';
    else if (test_support::Blue(p) == 200 && test_support::Red(p) == 0) now = 'h';
    else if (optionsWindow->alpha >= 1.0f && titleScreen->alpha >= 1.0f) now = 't';
    if (now == showing) return;
    changes.push_back({ElapsedMs(MilliSecs(), start), now});
    showing = now;
    // Each screen is left soon after it shows; the second credits end the run.
    if (now == 'c' && ++credits == 2) headless::CloseRequestAt(frame + 1);
    else if (now != 't') headless::KeyPressAt(frame + 5, KEY_ENTER);
  });
  // The close request comes in the second credits' fade-in: the title quits once they return.
  EXPECT_THROW(titleScreen->show(), ProgramEnded);
  headless::SetFrameCallback(nullptr);
  EXPECT_EQ(titleScreen->terminateRequested, 1);
  ASSERT_GE(changes.size(), 5u);
  EXPECT_EQ(changes[0].second, 'c');
  EXPECT_EQ(changes[1].second, 't');
  EXPECT_EQ(changes[2].second, 'h');
  EXPECT_EQ(changes[3].second, 't');
  EXPECT_EQ(changes[4].second, 'c');
  // Stillness between the title's return and the next screen: 5.5 s, then 5.5 s of nothing
  // and 5.5 s more.
  const int32_t toHiscores = changes[2].first - changes[1].first;
  const int32_t toCredits = changes[4].first - changes[3].first;
  EXPECT_GT(toHiscores, 5500);
  EXPECT_LT(toHiscores, 5500 + 1000);
  EXPECT_GT(toCredits, 11000);
  EXPECT_LT(toCredits, 11000 + 1000);
}

}  // namespace

namespace {

// The title loop driven by clicks: options, hiscores, back, credits, back; each screen returns
// to the options screen it was opened from.
TEST_F(TitleSubScreens, FromTheOptionsBothScreensRunAndReturnToTheOptions) {
  ASSERT_EQ(profile->NewProfile(u"wren"), 1);
  profile->SelectProfile(u"wren");
  headless::SetFrameCap(headless::FrameNumber() + 3000);
  titleScreen->creditsImage = test_support::SolidImage(800, 600, Argb(255, 0, 200, 0));
  titleScreen->hiscoresImage = test_support::SolidImage(800, 600, Argb(255, 0, 0, 200));
  auto click = [](int id, int frame) {
    ButtonPtr b = data->GetButton(id);
    if (!b) return;
    headless::MouseMoveAt(frame + 1, static_cast<int>((b->dim->Left() + b->dim->Right()) / 2),
                          static_cast<int>((b->dim->Top() + b->dim->Bottom()) / 2));
    headless::MouseClickAt(frame + 2, 1);
  };
  int step = 0;
  int wait = 0;
  std::vector<int32_t> statesAfter;
  headless::SetFrameCallback([&](int frame) {
    const uint32_t p = test_support::ScreenPixel(5, 595);
    const bool hiscores = test_support::Blue(p) == 200 && test_support::Red(p) == 0;
    const bool credits = test_support::Green(p) == 200 && test_support::Red(p) == 0;
    const bool menuShown = optionsWindow->alpha >= 1.0f && titleScreen->alpha >= 1.0f;
    if (wait > 0) {
      --wait;
      return;
    }
    const auto next = [&] {
      ++step;
      wait = 5;
    };
    switch (step) {
      case 0: if (menuShown) { click(15, frame); next(); } break;
      case 1: if (menuShown && optionsWindow->state == TOptionsWindow::kOptions) { click(12, frame); next(); } break;
      case 2: if (hiscores) { headless::KeyPressAt(frame + 1, KEY_ENTER); next(); } break;
      case 3: if (menuShown) { statesAfter.push_back(optionsWindow->state); click(13, frame); next(); } break;
      case 4: if (credits) { headless::KeyPressAt(frame + 1, KEY_ENTER); next(); } break;
      case 5: if (menuShown) { statesAfter.push_back(optionsWindow->state); headless::CloseRequestAt(frame + 1); next(); } break;
      default: break;
    }
  });
  titleScreen->Prepare();
  EXPECT_THROW(titleScreen->show(), ProgramEnded);
  EXPECT_EQ(step, 6);
  EXPECT_EQ(statesAfter,
            (std::vector<int32_t>{TOptionsWindow::kOptions, TOptionsWindow::kOptions}));
}

}  // namespace
