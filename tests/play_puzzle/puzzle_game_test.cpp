// Whole puzzle games headless: the first quest puzzle set up from its sequencer entry and solved
// by a scripted player through its popups, summary and banner; the puzzle file's settings and
// their repairs; resumes that cannot be played; closes during the closing screens.
#include "datafiles/bca_archive.h"
#include "platform/errors.h"
#include "platform/image_font.h"
#include "profiles/profile_manager.h"
#include "puzzle_fixtures.h"

namespace puzzle_test {
namespace {

// Plays like a person who knows the picture: closes popups with OK, then swaps the first piece
// away from home with the piece standing on its home; once solved, clicks through the summary
// and the banner.
class ScriptedSolver {
 public:
  ScriptedSolver() {
    headless::SetFrameCallback([this](int frame) { Look(frame); });
  }
  ~ScriptedSolver() { headless::SetFrameCallback(nullptr); }

  int popupsClosed = 0;
  // Called instead of the clicks once the board is solved, when set.
  std::function<void(int frame)> whenSolved;

 private:
  void Click(int frame, int x, int y) {
    headless::MouseMoveAt(frame + 1, x, y);
    headless::MouseButtonAt(frame + 2, 1, true);
    headless::MouseButtonAt(frame + 3, 1, false);
  }

  void Look(int frame) {
    if (frame < busyUntil_) return;
    if (!puzzle->popups->IsEmpty()) {
      PopupPtr popup = puzzle->popups->First();
      if (popup->alpha >= 1.0f && popup->active == 1) {
        Click(frame, popup->buttonX + 28, popup->buttonY + 14);
        ++popupsClosed;
        busyUntil_ = frame + 6;
      }
      return;
    }
    TPuzzleGrid& g = *puzzle->grid;
    if (g.cells->IsEmpty()) return;
    // Before the shuffle every piece is home too: solved means solved after play began.
    if (g.IsSet() == 0) seenUnsolved_ = true;
    if (g.IsSet() == 1 && seenUnsolved_) {  // the summary and the banner wait for clicks
      if (whenSolved) {
        whenSolved(frame);
        return;
      }
      Click(frame, 400, 120);
      busyUntil_ = frame + 20;
      return;
    }
    for (const ButtonPtr& b : *g.cells)
      if (std::static_pointer_cast<TPuzzleButton>(b)->IsFlying()) return;
    for (const ButtonPtr& b : *g.cells) {
      auto a = std::static_pointer_cast<TPuzzleButton>(b);
      if (a->IsInPlace()) continue;
      PuzzleButtonPtr holder;
      for (const ButtonPtr& c : *g.cells)
        if (std::static_pointer_cast<TPuzzleButton>(c)->cell == a->id)
          holder = std::static_pointer_cast<TPuzzleButton>(c);
      Click(frame, static_cast<int>(a->dim->x + 20), static_cast<int>(a->dim->y + 20));
      Click(frame + 4, static_cast<int>(holder->dim->x + 20), static_cast<int>(holder->dim->y + 20));
      busyUntil_ = frame + 10;
      return;
    }
  }

  int busyUntil_ = 0;
  bool seenUnsolved_ = false;
};

void LoadSharedResources() {
  puzzle->loadGfx();
  popupManager->Load();
  data->Add(LoadImageFont("gfx/fonts/OldLondon.ttf", 28, SMOOTHFONT), 4000);
  data->Add(LoadImageFont("gfx/fonts/OldLondon.ttf", 40, SMOOTHFONT), 4001);
}

bool ContentBuilt() { return FileType("data/puzzle_levels_lp.bca") == FILETYPE_FILE; }

class PuzzleGame : public testing::Test {
 protected:
  void SetUp() override { MakeGame(); }
};

TEST_F(PuzzleGame, TheFirstQuestPuzzlePlaysFromItsSequencerEntryToItsSummary) {
  if (!ContentBuilt()) GTEST_SKIP() << "the game folder holds no generated content";
  LoadSharedResources();
  sequencer->Start(1);
  bool found = false;
  for (int32_t i = sequencer->firstLevel; i <= sequencer->lastLevel && !found; ++i) {
    sequencer->currentLevel = i;
    sequencer->Get();
    found = sequencer->levelType == 2 && sequencer->fileName == u"puzzle-01.tsc";
  }
  ASSERT_TRUE(found) << "no sequencer entry for puzzle-01.tsc";
  Output([] { sequencer->setupLevel(); });
  EXPECT_EQ(puzzle->width, 5);
  EXPECT_EQ(puzzle->height, 4);
  const int popups = puzzle->popups->Count();
  EXPECT_GE(popups, 2);
  points->totalPoints = 1000;
  headless::SetFrameCap(headless::FrameNumber() + 20000);
  ScriptedSolver solver;
  EXPECT_EQ(puzzle->show(0, String(), 0), 0);
  EXPECT_EQ(solver.popupsClosed, popups);
  EXPECT_EQ(points->totalPoints, 1000 + 20 * 50);  // no hint asked for
  EXPECT_TRUE(puzzle->grid->cells->IsEmpty());
  EXPECT_TRUE(puzzle->popups->IsEmpty());
  EXPECT_GT(puzzle->clicks, 0);
}

TEST_F(PuzzleGame, PuzzleFileSizesAreHeldToTheBoard) {
  struct Case {
    std::string keys;
    int width, height;
    bool named;
  } cases[] = {
      {"width = 5\nheight = 4\n", 5, 4, false}, {"width = 2.9\nheight = 3\n", 2, 3, false},
      {"height = 3\n", 1, 3, true},             {"width = 11\nheight = 12\n", 10, 10, true},
      {"width = 1\nheight = 1\n", 2, 1, true},  {"width = -4\nheight = 2\n", 1, 2, true},
  };
  for (const Case& c : cases) {
    const std::string out = Output(
        [&] { puzzle->LoadFrom(Store("Settings {\n" + c.keys + "}\n"), S("odd.tsc")); });
    EXPECT_EQ(puzzle->width, c.width) << c.keys;
    EXPECT_EQ(puzzle->height, c.height) << c.keys;
    EXPECT_EQ(out.find("Puzzle odd.tsc:") != std::string::npos, c.named) << out;
  }
}

TEST_F(PuzzleGame, OnlyTheExactFirstPuzzleNameReadsPopupsAndLoadDropsOldOnes) {
  if (!ContentBuilt()) GTEST_SKIP() << "the game folder holds no generated content";
  Output([] { puzzle->Load(S("puzzle-01.tsc")); });
  EXPECT_GE(puzzle->popups->Count(), 2);
  Output([] { puzzle->Load(S("Puzzle-01.tsc")); });
  EXPECT_EQ(puzzle->width, 5);  // the archive ignores case
  EXPECT_TRUE(puzzle->popups->IsEmpty());
}

TEST_F(PuzzleGame, APictureThatIsMissingOrUnreadableFallsBackToTheDefault) {
  bundleDir = test_support::TempHome() + "/game/";
  WritePicture("game/gfx/slides/1a.jpg", 670, 494, Argb(255, 10, 200, 10));
  WritePicture("docs/custom-art/mine.png", 670, 494, Argb(255, 200, 10, 10));
  const std::string broken = test_support::TempHome() + "/broken.png";
  ASSERT_TRUE(SaveText(S("not a picture"), broken));
  struct Case {
    std::string path;
    uint32_t colour;
  } cases[] = {
      {"", Argb(255, 10, 200, 10)},
      {"gfx/nowhere/mine.png", Argb(255, 200, 10, 10)},
      {"gfx/nowhere/other.png", Argb(255, 10, 200, 10)},
      {broken, Argb(255, 10, 200, 10)},
  };
  for (const Case& c : cases) {
    puzzle->grid->Clear();
    puzzle->Create(FromPath(c.path), 2, 2);
    const PixmapPtr frame = puzzle->grid->pieceImage->frames[0];
    EXPECT_EQ(frame->Get(5, 5) & 0xFFFFFF, c.colour & 0xFFFFFF) << c.path;
  }
}

// A profile whose saved puzzle is `cells`, and the game resuming it.
void ResumeWith(const std::vector<std::string>& cells) {
  if (!profile) {
    const std::string folder = test_support::TempHome() + "/profiles";
    std::filesystem::create_directories(folder);
    profile = TProfileManager::Create(folder, "dat");
    ASSERT_EQ(profile->NewProfile(S("Ann")), 1);
  }
  auto list = CreateList<String>();
  for (const std::string& c : cells) list->AddLast(FromUtf8(c));
  profile->SetList(S("puzzles"), list, 0);
  readFromProfile = 1;
}

TEST_F(PuzzleGame, ASavedPuzzleThatDoesNotFillTheBoardStartsANewOne) {
  puzzle->width = 2;
  puzzle->height = 2;
  puzzle->fileName = S("p.tsc");
  const std::vector<std::vector<std::string>> bad = {
      {}, {"1", "0"}, {"1", "1", "2", "3"}, {"1", "0", "3", "9"}, {"1", "0", "3", "-1"}};
  for (const auto& cells : bad) {
    ResumeWith(cells);
    headless::CloseRequestAt(headless::FrameNumber() + 40);
    EXPECT_THROW(puzzle->show(0, String(), 0), ProgramEnded);
    EXPECT_EQ(puzzle->grid->IsSet(), 0) << cells.size();
    EXPECT_EQ(puzzle->clicks, 0);
    puzzle->grid->Clear();
  }
  // A whole one resumes as saved.
  ResumeWith({"1", "0", "3", "2"});
  headless::CloseRequestAt(headless::FrameNumber() + 40);
  EXPECT_THROW(puzzle->show(0, String(), 0), ProgramEnded);
  EXPECT_EQ(Piece(0)->cell, 1);
  EXPECT_EQ(Piece(3)->cell, 2);
}

TEST_F(PuzzleGame, AnOpeningHintOffTheBoardUsesTheFirstTwoPieces) {
  puzzle->width = 3;
  puzzle->height = 2;
  puzzle->hintA = 2;
  puzzle->hintB = 40;
  puzzle->fileName = S("p.tsc");
  headless::CloseRequestAt(headless::FrameNumber() + 40);
  std::string out;
  EXPECT_THROW(
      {
        testing::internal::CaptureStdout();
        try {
          puzzle->show(0, String(), 0);
        } catch (...) {
          out = testing::internal::GetCapturedStdout();
          throw;
        }
      },
      ProgramEnded);
  EXPECT_NE(out.find("Puzzle p.tsc: the opening hint names pieces 2 and 40"), std::string::npos)
      << out;
  // Pieces 0 and 1 stand on each other's home cells.
  EXPECT_EQ(Piece(0)->cell, 1);
  EXPECT_EQ(Piece(1)->cell, 0);
}

TEST_F(PuzzleGame, TheSummaryBanksTheScoreAtOnceExceptInAReplay) {
  for (int replay : {0, 1}) {
    puzzle->grid->Clear();
    puzzle->Create(String(), 4, 3);
    puzzle->hintsUsed = 2;
    points->totalPoints = 1000;
    int frames = 0;
    headless::SetFrameCallback([&](int frame) {
      if (++frames == 1) {
        EXPECT_EQ(points->totalPoints, replay ? 1000 : 1500);
      }
      if (frames % 30 == 0) headless::MouseClickAt(frame + 1, 1);
    });
    EXPECT_EQ(puzzle->summary(nullptr, nullptr, nullptr, replay), 0);
    headless::SetFrameCallback(nullptr);
    EXPECT_EQ(points->totalPoints, replay ? 1000 : 1500);
  }
}

TEST_F(PuzzleGame, ACloseDuringTheSummaryEndsTheProgramWithTheQuestPuzzleFinished) {
  puzzle->width = 2;
  puzzle->height = 1;
  const std::string folder = test_support::TempHome() + "/profiles";
  std::filesystem::create_directories(folder);
  profile = TProfileManager::Create(folder, "dat");
  ASSERT_EQ(profile->NewProfile(S("Ann")), 1);
  ScriptedSolver solver;
  bool asked = false;
  solver.whenSolved = [&asked](int frame) {
    if (!asked) headless::CloseRequestAt(frame + 1);
    asked = true;
  };
  EXPECT_THROW(puzzle->show(0, String(), 0), ProgramEnded);
  EXPECT_TRUE(asked);
  EXPECT_EQ(gameState, 2);
  // The finished quest puzzle was written to the profile file before the end.
  EXPECT_EQ(TProfile::Create(profile->current->path)->GetNumber(S("gameState")), 2);
}

}  // namespace
}  // namespace puzzle_test
