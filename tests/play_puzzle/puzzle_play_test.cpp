// The puzzle's play loop around the board: the gallery's replay call, the hit areas of the menu
// and hint buttons and their hover look, the keys, the in-game menu's results, and the entry
// fade and closing banner on the virtual clock.
#include "platform/errors.h"
#include "platform/files.h"
#include "profiles/profile_manager.h"
#include "puzzle_fixtures.h"
#include "screens/menu/options_window.h"
#include "toolkit/button.h"

namespace puzzle_test {
namespace {

constexpr uint32_t kPictureColour = Argb(255, 30, 60, 200);
constexpr uint32_t kMenuLit = Argb(255, 250, 0, 250);
constexpr uint32_t kHintLit = Argb(255, 0, 250, 250);
// The short in-game menu's buttons as the pause menu builds them: key and top-left corner.
constexpr int32_t kResume = 20, kMainMenu = 23, kQuit = 24;
constexpr int kMenuButtonX = 340;
int MenuButtonY(int32_t key) { return 200 + 40 * (key - kResume); }

// Frames after the call's start by which the play frames are surely running (entry fade,
// shuffle and opening hint done).
constexpr int kPlaying = 60;

class PuzzlePlay : public testing::Test {
 protected:
  void SetUp() override {
    MakeGame();
    picture_ = FromPath(WritePicture("slides/blue.png", 670, 494, kPictureColour));
    puzzle->width = 3;
    puzzle->height = 2;
    puzzle->musicPath = u"sfx/glyphor-puzzle.ogg";
    puzzle->imagePath = picture_;
    puzzle->menuButtonImage = test_support::SolidImage(72, 20, kMenuLit);
    puzzle->hintButtonImage = test_support::SolidImage(112, 20, kHintLit);
    profile = std::make_shared<TProfileManager>();
    profile->current = std::make_shared<TProfile>();
    profile->current->tscFile = Store("Profile {\n  PortalName = \"Mirethorn\"\n}\n");
    optionsWindow = std::make_shared<TOptionsWindow>();
    for (int32_t key : {kResume, kMainMenu, kQuit}) {
      data->Add(CreateImageButton(test_support::SolidImage(120, 30, Argb(255, 90, 90, 90)),
                                  CreateDim(kMenuButtonX, MenuButtonY(key), 0, 0, 0, 1, 1, 0),
                                  key, 1.0f, 0),
                key);
    }
    start_ = headless::FrameNumber();
    headless::SetFrameCap(start_ + 3000);
  }
  void TearDown() override { headless::SetFrameCallback(nullptr); }

  int At(int frame) const { return start_ + frame; }
  void ClickAt(int frame, int x, int y) {
    headless::MouseMoveAt(At(frame), x, y);
    headless::MouseClickAt(At(frame + 1), 1);
  }
  void ClickMenuButton(int frame, int32_t key) { ClickAt(frame, kMenuButtonX + 60, MenuButtonY(key) + 15); }
  // Whether the puzzle was saved into the profile since it was last made fresh.
  static bool Saved() {
    const TListPtr<String> cells = profile->current->GetList(S("puzzles"));
    return cells && !cells->IsEmpty();
  }

  String picture_;
  int start_ = 0;
};

// The gallery's call: no entry fade, no popups, the menu button leaves at once, nothing saved.
TEST_F(PuzzlePlay, AGalleryReplayStartsUnfadedLeavesByTheMenuButtonAndSavesNothing) {
  auto popup = std::make_shared<TPopup>();
  puzzle->popups->AddLast(popup);
  std::vector<uint32_t> centre;
  headless::SetFrameCallback([&](int) { centre.push_back(test_support::ScreenPixel(400, 300)); });
  ClickAt(kPlaying, 300, 580);
  EXPECT_EQ(puzzle->show(0, picture_, 1), 1);
  ASSERT_FALSE(centre.empty());
  EXPECT_EQ(centre[0], kPictureColour) << "the first frame shows the whole picture, no fade";
  EXPECT_EQ(puzzle->width, 3);
  EXPECT_EQ(puzzle->hintA, 0);
  EXPECT_EQ(puzzle->hintB, 1);
  EXPECT_TRUE(puzzle->popups->IsEmpty());
  EXPECT_FALSE(Saved());
  EXPECT_TRUE(puzzle->grid->cells->IsEmpty());
  ASSERT_TRUE(puzzle->music);
  EXPECT_EQ(ChannelPlaying(puzzle->music->song->channel), 0) << "the music stopped";
}

// Inclusive hit areas: menu x 288..359, hint x 418..529, both y 573..591. A click off both is
// followed by a close request, which ends the program from the next play frame.
TEST_F(PuzzlePlay, MenuAndHintHitAreasAreInclusive) {
  struct Case {
    int x, y;
    bool leaves;
    int hints;
  };
  const Case cases[] = {{288, 573, true, 0},  {359, 591, true, 0},  {287, 580, false, 0},
                        {360, 580, false, 0}, {300, 572, false, 0}, {300, 592, false, 0},
                        {418, 573, false, 1}, {529, 591, false, 1}, {417, 580, false, 0},
                        {530, 580, false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    headless::ClearScript();
    start_ = headless::FrameNumber();
    ClickAt(kPlaying, c.x, c.y);
    headless::CloseRequestAt(At(kPlaying + 10));
    puzzle->hintsUsed = 0;
    // A case that ended the program left its pieces; the game would have ended with it.
    puzzle->grid->Clear();
    if (c.leaves) {
      EXPECT_EQ(puzzle->show(0, picture_, 1), 1);
    } else {
      EXPECT_THROW(puzzle->show(0, picture_, 1), ProgramEnded);
    }
    EXPECT_EQ(puzzle->hintsUsed, c.hints);
    PollSystem();
    AppTerminate();  // a request left over from a case that left early
  }
}

// The hover looks are drawn with the flags the previous frame took.
TEST_F(PuzzlePlay, AButtonLightsUpOneFrameAfterTheMouseIsOverIt) {
  struct Seen {
    int x;
    uint32_t hint;
  };
  std::vector<Seen> seen;
  headless::SetFrameCallback([&](int) {
    seen.push_back({mouse->x, test_support::ScreenPixel(470, 580)});
  });
  headless::MouseMoveAt(At(kPlaying), 470, 580);
  headless::CloseRequestAt(At(kPlaying + 6));
  EXPECT_THROW(puzzle->show(0, picture_, 1), ProgramEnded);
  size_t over = 0, lit = 0;
  for (size_t i = 0; i < seen.size(); ++i) {
    if (over == 0 && seen[i].x == 470) over = i;
    // The lit picture tinted by the colour (200, 200, 200).
    if (lit == 0 && test_support::Red(seen[i].hint) < 20 && test_support::Green(seen[i].hint) > 180)
      lit = i;
  }
  ASSERT_GT(over, 0u);
  EXPECT_EQ(lit, over + 1);
}

// In a quest game: Esc or P open the menu (P only without Esc); Esc in the menu resumes;
// its buttons resume, leave for the main menu (saved) or quit (not saved); a close request in
// the menu counts as the main menu.
TEST_F(PuzzlePlay, KeysAndTheInGameMenuResults) {
  struct Case {
    const char* name;
    int openKey;      // 27 Esc, 80 P, or both with 0
    int32_t button;   // 0: Esc in the menu, -1: a close request in the menu
    int result;       // 1 returned, -1 the program ended
    bool saved;
  };
  const Case cases[] = {
      {"Esc, then Esc resumes", 27, 0, -1, false},
      {"P, then resume", 80, kResume, -1, false},
      {"Esc and P together open one menu; main menu", 0, kMainMenu, 1, true},
      {"quit", 27, kQuit, -1, false},
      {"a close request in the menu", 80, -1, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    headless::ClearScript();
    puzzle->grid->Clear();
    profile->current->tscFile = Store("Profile {\n  PortalName = \"Mirethorn\"\n}\n");
    start_ = headless::FrameNumber();
    int menus = 0;
    bool inMenu = false;
    headless::SetFrameCallback([&](int) {
      const bool now = optionsWindow->state == TOptionsWindow::kShortInGameMenu &&
                       optionsWindow->alpha > 0.0f && optionsWindow->alpha < 0.9f;
      if (now && !inMenu) ++menus;
      inMenu = now;
    });
    optionsWindow->state = TOptionsWindow::kMainMenu;
    if (c.openKey == 0) {
      headless::KeyPressAt(At(kPlaying), 27);
      headless::KeyPressAt(At(kPlaying), 80);
    } else {
      headless::KeyPressAt(At(kPlaying), c.openKey);
    }
    if (c.button > 0) ClickMenuButton(kPlaying + 10, c.button);
    if (c.button == 0) headless::KeyPressAt(At(kPlaying + 10), 27);
    if (c.button == -1) headless::CloseRequestAt(At(kPlaying + 10));
    if (c.button != -1) headless::CloseRequestAt(At(kPlaying + 40));
    if (c.result == 1) {
      EXPECT_EQ(puzzle->show(0, String(), 0), 1);
    } else {
      EXPECT_THROW(puzzle->show(0, String(), 0), ProgramEnded);
    }
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(Saved(), c.saved);
    headless::SetFrameCallback(nullptr);
    PollSystem();
    AppTerminate();
  }
}

TEST_F(PuzzlePlay, GSkipsOnlyWhileCheatsTxtExists) {
  const std::string gameDir = CurrentDir();
  for (bool cheats : {false, true}) {
    SCOPED_TRACE(cheats);
    const std::string dir = test_support::TempHome() + (cheats ? "/with" : "/without");
    CreateDir(dir);
    if (cheats) CreateDir(dir + "/cheats.txt");
    ASSERT_TRUE(ChangeDir(dir));
    headless::ClearScript();
    puzzle->grid->Clear();
    start_ = headless::FrameNumber();
    headless::KeyPressAt(At(kPlaying), 71);
    headless::CloseRequestAt(At(kPlaying + 10));
    if (cheats) {
      // Skipped: no summary; the gallery replay shows no banner.
      EXPECT_EQ(puzzle->show(0, picture_, 1), 0);
    } else {
      EXPECT_THROW(puzzle->show(0, picture_, 1), ProgramEnded);
    }
    PollSystem();
    AppTerminate();
    ASSERT_TRUE(ChangeDir(gameDir));
  }
}

// 250 ms of fade drawn while the elapsed time is at most 250: sixteen frames, also where a
// float of the clock would move in 128 ms steps.
TEST_F(PuzzlePlay, BeginFadesInOverSixteenFramesFromBlack) {
  for (int32_t clockAt : {0, (1 << 30) + 60}) {
    SCOPED_TRACE(clockAt);
    if (clockAt != 0) headless::AdvanceClock(ElapsedMs(clockAt, MilliSecs()));
    puzzle->Create(picture_, 3, 2);
    puzzle->grid->Piece(2)->marked = 1;
    std::vector<uint32_t> centre;
    headless::SetFrameCallback([&](int) { centre.push_back(test_support::ScreenPixel(400, 300)); });
    puzzle->Begin(nullptr, 0);
    headless::SetFrameCallback(nullptr);
    ASSERT_EQ(centre.size(), 16u);
    EXPECT_LT(test_support::Blue(centre.front()), 20) << "black at first";
    EXPECT_EQ(centre.back(), kPictureColour) << "clear at 250 ms";
    EXPECT_EQ(puzzle->grid->Piece(2)->marked, 0);
  }
}

// The banner grows 0.05 a frame, full in the 20th; a click freezes it and the screen turns
// black over 250 ms; the frame that passes 250 ms is still drawn.
TEST_F(PuzzlePlay, FinishGrowsTheBannerUntilAClickThenFadesToBlack) {
  puzzle->stageImage = test_support::SolidImage(366, 146, Argb(255, 250, 200, 0));
  SetImageHandle(puzzle->stageImage, 183, 73);
  puzzle->Create(picture_, 3, 2);
  struct Case {
    int clickFrame;
    float scaleAtClick;
  };
  for (const Case c : {Case{25, 1.0f}, Case{5, 0.625f}}) {
    SCOPED_TRACE(c.clickFrame);
    headless::ClearScript();
    start_ = headless::FrameNumber();
    headless::MouseClickAt(At(c.clickFrame - 1), 1);
    std::vector<uint32_t> edge;  // a point the banner covers only at full size
    std::vector<uint32_t> centre;
    headless::SetFrameCallback([&](int) {
      edge.push_back(test_support::ScreenPixel(400 - 180, 300));
      centre.push_back(test_support::ScreenPixel(400, 300));
    });
    EXPECT_EQ(puzzle->Finish(nullptr), 0);
    headless::SetFrameCallback(nullptr);
    // The click is polled in frame clickFrame and seen in the next; sixteen frames of fade follow
    // it, the last at 250 ms, and the frame past 250 ms is drawn too.
    EXPECT_EQ(static_cast<int>(edge.size()), c.clickFrame + 17);
    EXPECT_EQ(centre.back(), Argb(255, 0, 0, 0));
    if (c.scaleAtClick == 1.0f) {
      EXPECT_NE(edge[18], Argb(255, 250, 200, 0)) << "not yet full in the 19th frame";
      EXPECT_EQ(edge[19], Argb(255, 250, 200, 0)) << "full and opaque in the 20th";
    } else {
      EXPECT_NE(edge[c.clickFrame + 3], Argb(255, 250, 200, 0)) << "frozen below full size";
    }
  }
  headless::ClearScript();
  headless::CloseRequestAt(headless::FrameNumber() + 3);
  EXPECT_EQ(puzzle->Finish(nullptr), 1);
}

}  // namespace
}  // namespace puzzle_test
