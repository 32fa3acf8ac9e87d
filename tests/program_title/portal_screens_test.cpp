// The portal screens: the list read from its key/group file, each screen's fade and hold on the
// virtual clock, and the two hand-overs from the loading screen.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "../../tools/bcapack/bca_encoder.h"
#include "services/data_folders.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "program/loading.h"
#include "program/portal_screen.h"
#include "program/title_screen.h"
#include "program_title/title_fixtures.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"
#include "toolkit/spark.h"

namespace {

constexpr const char* kPlaque = "gfx/portal/team.png";
constexpr const char* kFullPicture = "gfx/title/glyphor-title.jpg";

class PortalScreens : public testing::Test {
 protected:
  void SetUp() override {
    title_test::MakeSingletons();
    title_test::LoadTitleResources();
    headless::SetFrameCap(headless::FrameNumber() + 3000);
    loading->setup();
    loading->fadeInBg();
    for (int n = 0; n < 5; ++n) loading->fadeInBall(n);
  }
  void TearDown() override {
    headless::SetFrameCallback(nullptr);
    TSpark::destroyAll();
    bundleDir = "";
  }
  // A settings archive holding `entry` (or nothing) under a data folder of its own.
  static void SettingsArchive(const std::string& entry) {
    const std::string root = test_support::TempHome() + "/bundle/";
    CreateDir(root + "data", true);
    const auto encoded = [](const std::string& text) {
      return bca::EncodeEntry(std::vector<uint8_t>(text.begin(), text.end()));
    };
    std::vector<std::pair<std::string, std::vector<uint8_t>>> entries;
    if (!entry.empty()) entries.emplace_back("portalScreens.tsc.bbc", encoded(entry));
    entries.emplace_back("pack.txt.bbc", encoded("Pack { Name = \"x\" }"));
    const std::vector<uint8_t> bytes = bca::BuildArchive(entries);
    std::ofstream(root + "data/settings_lp.bca", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    bundleDir = root;
  }
  static TListPtr<PortalScreenPtr> List(std::initializer_list<PortalScreenPtr> screens) {
    TListPtr<PortalScreenPtr> list = CreateList<PortalScreenPtr>();
    for (const PortalScreenPtr& s : screens) list->AddLast(s);
    return list;
  }
};

// Only Create starts the fade: a screen made any other way shows nothing and holds still.
TEST_F(PortalScreens, ANewScreenHasEveryFieldZeroUntilCreateStartsItsFadeIn) {
  const TPortalScreen blank;
  EXPECT_EQ(blank.x, 0);
  EXPECT_EQ(blank.y, 0);
  EXPECT_EQ(blank.alpha, 0.0f);
  EXPECT_EQ(blank.fullscreen, 0);
  EXPECT_EQ(blank.image, nullptr);
  EXPECT_EQ(blank.fadeDirection, 0);
  EXPECT_EQ(blank.active, 0);
  const PortalScreenPtr created = TPortalScreen::Create("", 0, 0, 0);
  EXPECT_EQ(created->fadeDirection, TPortalScreen::kFadingIn);
  EXPECT_EQ(created->active, 1);
  EXPECT_EQ(created->alpha, 0.0f);
}

TEST_F(PortalScreens, ListsReadEachGroupsKeysCutTowardZero) {
  struct Case {
    const char* name;
    std::string text;
    std::vector<std::vector<int>> screens;  // x, y, fullscreen, has picture
  };
  const std::string plaque = std::string("Image = \"") + kPlaque + "\" ";
  const Case cases[] = {
      {"none", "", {}},
      {"full screen first, then windowed",
       std::string("A { Image = \"") + kFullPicture + "\" X = 30 Y = 40 Fullscreen = 1 }" +
           "B { " + plaque + "X = 210 Y = 414 Fullscreen = 0 }",
       {{30, 40, 1, 1}, {210, 414, 0, 1}}},
      {"fractions", "A { " + plaque + "X = 12.7 Y = -10.9 Fullscreen = 0.9 }", {{12, -10, 0, 1}}},
      {"out of range", "A { " + plaque + "X = 1000000000000 Y = -1000000000000 }",
       {{0, 0, 0, 1}}},
      {"no image", "A { X = 5 Fullscreen = 1 }", {{5, 0, 0, 0}}},
      {"a picture that does not load keeps its flag",
       "A { Image = \"gfx/portal/none.png\" Fullscreen = 1 }", {{0, 0, 1, 0}}},
      {"duplicate names read the first group holding each key",
       "A { X = 5 } a { X = 7 Y = 9 }", {{5, 9, 0, 0}, {5, 9, 0, 0}}},
  };
  for (const Case& c : cases) {
    TListPtr<PortalScreenPtr> screens;
    test_support::Output([&] { screens = ReadPortalScreens(test_support::Store(c.text)); });
    ASSERT_EQ(screens->Count(), static_cast<int>(c.screens.size())) << c.name;
    int i = 0;
    for (const PortalScreenPtr& s : *screens) {
      const std::vector<int>& want = c.screens[i++];
      EXPECT_EQ(s->x, want[0]) << c.name;
      EXPECT_EQ(s->y, want[1]) << c.name;
      EXPECT_EQ(s->fullscreen, want[2]) << c.name;
      EXPECT_EQ(s->image != nullptr, want[3] == 1) << c.name;
      EXPECT_EQ(s->fadeDirection, TPortalScreen::kFadingIn);
      EXPECT_EQ(s->active, 1);
    }
  }
}

TEST_F(PortalScreens, MissingKeysAndPicturesAreNamedOnStandardOutput) {
  const std::string out = test_support::Output(
      [] { ReadPortalScreens(test_support::Store("Solo { Image = \"gfx/portal/none.png\" }")); });
  EXPECT_NE(out.find("The key Solo::X does not exist"), std::string::npos) << out;
  EXPECT_NE(out.find("gfx/portal/none.png"), std::string::npos) << out;
}

TEST_F(PortalScreens, AScreenFadesInHoldsOverTwoSecondsAndFadesOutInNineteenFrames) {
  // The plaque comes second, so that its own frames are not mixed with a hand-over.
  PortalScreenPtr screen = TPortalScreen::Create(kPlaque, 210, 414, 0);
  std::vector<float> alphas;
  std::vector<int32_t> clock;
  headless::SetFrameCallback([&](int) {
    alphas.push_back(screen->alpha);
    clock.push_back(MilliSecs());
  });
  ShowPortalScreens(*loading, List({TPortalScreen::Create(kFullPicture, 0, 0, 1), screen}));
  headless::SetFrameCallback(nullptr);
  size_t first = 0;
  while (first < alphas.size() && alphas[first] == 0.0f) ++first;
  ASSERT_LT(first + 40, alphas.size());
  EXPECT_EQ(alphas[first], 0.05f);
  EXPECT_LT(alphas[first + 18], 1.0f);
  EXPECT_EQ(alphas[first + 19], 1.0f);
  int fadingOut = 0;
  for (size_t i = first + 20; i < alphas.size(); ++i)
    if (alphas[i] < 1.0f) ++fadingOut;
  EXPECT_EQ(fadingOut, 19);
  EXPECT_EQ(screen->active, 0);
  // The screen's clock starts after the previous screen's last shown frame; the fade-out
  // begins on the frame after the one that saw more than 2000 ms.
  const size_t lastHeld = alphas.size() - 20;
  const int32_t began = clock[first - 1];
  EXPECT_GT(ElapsedMs(clock[lastHeld - 1], began), TPortalScreen::kHoldMs);
  EXPECT_LE(ElapsedMs(clock[lastHeld - 2], began), TPortalScreen::kHoldMs);
}

TEST_F(PortalScreens, AFullScreenFirstScreenHandsOverToBlackWithoutTheLogo) {
  std::vector<float> bg;
  headless::SetFrameCallback([&](int) { bg.push_back(loading->bgAlpha); });
  PortalScreenPtr full = TPortalScreen::Create(kFullPicture, 40, 40, 1);
  ShowPortalScreens(*loading, List({full}));
  headless::SetFrameCallback(nullptr);
  EXPECT_EQ(loading->magicPhase, TLoading::kLoadingPhase) << "no closing animation";
  EXPECT_EQ(titleScreen->musicPlaying, 1);
  int standing = 0, fading = 0;
  for (float a : bg) {
    if (a == 1.0f) ++standing;
    else if (a > 0.0f) ++fading;
  }
  EXPECT_EQ(fading, 19);
  EXPECT_GE(standing, 30);  // a little over 500 ms
  EXPECT_LE(standing, 32);
}

TEST_F(PortalScreens, AWindowedFirstScreenFollowsTheLongAnimationAndTheLogoFadesOut) {
  int logoFrames = 0;
  headless::SetFrameCallback([&](int) {
    if (loading->magicPhase == TLoading::kFinished && loading->logoAlpha > 0.0f &&
        loading->logoAlpha < 1.0f)
      ++logoFrames;
  });
  const int32_t start = MilliSecs();
  PortalScreenPtr plaque = TPortalScreen::Create(kPlaque, 210, 414, 0);
  ShowPortalScreens(*loading, List({plaque}));
  headless::SetFrameCallback(nullptr);
  EXPECT_EQ(loading->magicPhase, TLoading::kFinished);
  EXPECT_LT(loading->logoAlpha, 0.0f);
  EXPECT_EQ(loading->bgAlpha, 1.0f);
  EXPECT_EQ(logoFrames, 19);
  EXPECT_GT(ElapsedMs(MilliSecs(), start), 5000 + 2000);
}

TEST_F(PortalScreens, LaterWindowedScreensStandOverTheLoadingBackgroundAgain) {
  PortalScreenPtr full = TPortalScreen::Create(kFullPicture, 0, 0, 1);
  PortalScreenPtr windowed = TPortalScreen::Create(kPlaque, 210, 414, 0);
  uint32_t corner = 0;
  headless::SetFrameCallback([&](int) {
    if (full->active == 0 && windowed->fadeDirection == TPortalScreen::kHolding && corner == 0)
      corner = test_support::ScreenPixel(5, 5);
  });
  ShowPortalScreens(*loading, List({full, windowed}));
  headless::SetFrameCallback(nullptr);
  const uint32_t background = loading->bgImage->frames[0]->Get(5, 5);
  EXPECT_NEAR(test_support::Red(corner), test_support::Red(background), 2);
  EXPECT_NEAR(test_support::Blue(corner), test_support::Blue(background), 2);
}

TEST_F(PortalScreens, TheArchivesListOrItsAbsenceChoosesTheRoad) {
  struct Case {
    const char* name;
    std::string entry;  // "" : the archive has no entry
    int32_t phase;      // the loading screen's phase at the end
    bool message;
  };
  const Case cases[] = {
      {"no entry", "", TLoading::kFinished, false},
      {"no groups", "// nothing here", TLoading::kFinished, false},
      {"damaged", "Team { Image = ", TLoading::kFinished, true},
      {"full screen first", std::string("A { Image = \"") + kFullPicture + "\" Fullscreen = 1 }",
       TLoading::kLoadingPhase, false},
  };
  for (const Case& c : cases) {
    loading->setup();
    loading->magicPhase = TLoading::kLoadingPhase;
    loading->bgAlpha = 1.0f;
    SettingsArchive(c.entry);
    const size_t before = headless::MessageBoxes().size();
    EXPECT_EQ(loading->PortalScreens(), 0);
    EXPECT_EQ(loading->magicPhase, c.phase) << c.name;
    EXPECT_EQ(headless::MessageBoxes().size() > before, c.message) << c.name;
    if (c.phase == TLoading::kFinished) {
      EXPECT_EQ(loading->logoAlpha, 1.0f) << c.name;
    }
  }
}

}  // namespace
