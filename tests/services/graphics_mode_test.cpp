#include <gtest/gtest.h>

#include <vector>

#include "services/graphics_mode.h"
#include "services/options.h"
#include "platform/errors.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/system.h"

namespace {
class ScreenMode : public testing::Test {
 protected:
  void SetUp() override {
    options = std::make_shared<TOptions>();
    gfxDriverSet = 0;
  }
  static int OpenDepth() {
    GraphicsPtr g = CurrentGraphics();
    return g ? g->depth : -1;
  }
};
}  // namespace

TEST_F(ScreenMode, OpensTheScreenHeadless) {
  options->screenMode = 1;
  EXPECT_EQ(SetGraphicsMode(options->screenMode, 800, 600, 32), 0);
  ASSERT_TRUE(CurrentGraphics());
  EXPECT_EQ(GraphicsWidth(), 800);
  EXPECT_EQ(GraphicsHeight(), 600);
  // The desktop's own mode, with the picture scaled, is always listed as 800 x 600 x 32.
  EXPECT_EQ(OpenDepth(), 32);
  EXPECT_EQ(CurrentGraphics()->hertz, 60);
  EXPECT_EQ(options->screenMode, 1);
  EXPECT_EQ(gfxDriverSet, 1);
  EXPECT_EQ(GetGraphicsDriver(), GLDriver2D());
  EXPECT_EQ(headless::DriverSelections(), 1);
  EXPECT_EQ(headless::GraphicsCalls(), 1);
}

TEST_F(ScreenMode, FirstCallSearchesTheModeListForFullScreen) {
  struct Case {
    const char* name;
    std::vector<GraphicsMode> modes;
    int depth;            // of the screen that opens; 0: a window
    int screenModeAfter;  // the options' screen mode afterwards
    int driverSelections;
  };
  const Case cases[] = {
      {"800x600 at 32 bits, several refresh rates",
       {{640, 480, 32, 60}, {800, 600, 32, 75}, {800, 600, 32, 60}, {800, 600, 32, 85}}, 32, 1, 1},
      {"800x600 only at 16 bits", {{800, 600, 16, 60}, {1024, 768, 32, 60}}, 16, 1, 1},
      {"800x600 at 24 and 8 bits", {{800, 600, 8, 60}, {800, 600, 24, 60}}, 24, 1, 1},
      {"800x600 only at 15 bits", {{800, 600, 15, 60}}, 0, 2, 2},
      {"no 800x600 mode", {{1024, 768, 32, 60}, {600, 800, 32, 60}}, 0, 2, 2},
      {"no modes at all", {}, 0, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    gfxDriverSet = 0;
    options->screenMode = 1;
    headless::SetModeList(c.modes);
    const int calls = headless::GraphicsCalls();
    const int selections = headless::DriverSelections();
    SetGraphicsMode(1, 800, 600, 32);
    EXPECT_EQ(OpenDepth(), c.depth);
    EXPECT_EQ(options->screenMode, c.screenModeAfter);
    EXPECT_EQ(headless::GraphicsCalls() - calls, 1);
    EXPECT_EQ(headless::DriverSelections() - selections, c.driverSelections);
  }
}

TEST_F(ScreenMode, AnyModeButOneOpensAWindow) {
  for (int mode : {0, 2, 5, -1}) {
    gfxDriverSet = 0;
    options->screenMode = mode;
    const int calls = headless::GraphicsCalls();
    SetGraphicsMode(mode, 800, 600, 32);
    EXPECT_EQ(OpenDepth(), 0) << mode;
    EXPECT_EQ(headless::GraphicsCalls() - calls, 1) << mode;
    EXPECT_EQ(options->screenMode, mode);
  }
}

TEST_F(ScreenMode, FullScreenIsTriedTwiceBeforeGivingUp) {
  options->screenMode = 1;
  headless::FailGraphics(1);
  SetGraphicsMode(1, 800, 600, 32);
  EXPECT_EQ(OpenDepth(), 32);
  EXPECT_EQ(headless::GraphicsCalls(), 2);
  EXPECT_EQ(options->screenMode, 1);

  // Both attempts failing at start-up: a window, and the options ask for one from now on.
  gfxDriverSet = 0;
  headless::FailGraphics(2);
  SetGraphicsMode(1, 800, 600, 32);
  EXPECT_EQ(OpenDepth(), 0);
  EXPECT_EQ(options->screenMode, 2);
}

TEST_F(ScreenMode, FindGfxModeWithoutADriverToSelectOpensNothing) {
  EXPECT_EQ(FindGfxMode(1, nullptr, 800, 600, 1), 0);
  EXPECT_EQ(FindGfxMode(0, nullptr, 800, 600, 1), 0);
  EXPECT_EQ(headless::GraphicsCalls(), 0);
  EXPECT_EQ(FindGfxMode(0, GLDriver2D(), 800, 600, 1), 1);
  EXPECT_EQ(OpenDepth(), 0);
}

TEST_F(ScreenMode, LaterSwitchesKeepTheDriverAndTheOptions) {
  SetGraphicsMode(0, 800, 600, 32);
  ASSERT_EQ(OpenDepth(), 0);
  const int selections = headless::DriverSelections();

  // To full screen and back again.
  options->screenMode = 1;
  SetGraphicsMode(1, 800, 600, 32);
  EXPECT_EQ(OpenDepth(), 32);
  options->screenMode = 0;
  SetGraphicsMode(2, 800, 600, 32);
  EXPECT_EQ(OpenDepth(), 0);

  // A desktop without the mode: the window stays and the options keep what the caller set.
  headless::SetModeList({{1024, 768, 32, 60}});
  options->screenMode = 1;
  const int calls = headless::GraphicsCalls();
  SetGraphicsMode(1, 800, 600, 32);
  EXPECT_EQ(OpenDepth(), 0);
  EXPECT_EQ(headless::GraphicsCalls(), calls);
  EXPECT_EQ(options->screenMode, 1);
  EXPECT_EQ(headless::DriverSelections(), selections);
}

TEST_F(ScreenMode, FailedSwitchToFullScreenReopensThePreviousScreen) {
  SetGraphicsMode(0, 800, 600, 32);
  ASSERT_EQ(OpenDepth(), 0);
  options->screenMode = 1;
  headless::FailGraphics(2);
  SetGraphicsMode(1, 800, 600, 32);
  ASSERT_TRUE(CurrentGraphics());
  EXPECT_EQ(OpenDepth(), 0);
  EXPECT_EQ(GraphicsWidth(), 800);
  EXPECT_EQ(options->screenMode, 1);
  EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(ScreenMode, NoWindowAtAllShowsAMessageAndEndsTheProgram) {
  bool hookRan = false;
  OnEnd([&hookRan] { hookRan = true; });
  options->screenMode = 0;
  headless::FailGraphics(1);
  try {
    SetGraphicsMode(0, 800, 600, 32);
    FAIL() << "the program should have ended";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.status(), 255);
  }
  EXPECT_TRUE(hookRan);
  ASSERT_EQ(headless::MessageBoxes().size(), 1u);
  EXPECT_EQ(headless::MessageBoxes()[0].text, u"Graphics initiation error! The game will close.");
  EXPECT_FALSE(headless::MessageBoxes()[0].serious);
}
