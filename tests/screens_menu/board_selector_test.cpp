// The level selector's lists and preview: the quest levels of the profile, the list files with
// the custom-levels folder (any kind of entry, nothing that hangs), AddLevel, the stepping with
// wrap-around, and the preview built into the board: where it lands, its fade in single
// precision, one rebuild for many steps, and nothing drawn when no preview could be built.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "../../tools/bcapack/bca_encoder.h"
#include "services/data_folders.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/saved/new_profile.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "profiles/profile_manager.h"
#include "screens/menu/board_selector.h"
#include "support/board_game.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"

namespace {

using test_support::ScreenPixel;

constexpr float kFadeStep = 0.1f;

// A level file of `columns` x `rows` usable cells from the top-left corner, with rune 1 in the
// corner cell when `runesRead` is "1".
std::string LevelText(int columns, int rows, const std::string& runesRead = "0") {
  std::string board = "Board {\n";
  std::string runeRows = "Runes {\n  Read = \"" + runesRead + "\"\n";
  for (int y = 0; y < 15; ++y) {
    std::string line, runeLine;
    for (int x = 0; x < 15; ++x) {
      line += std::string(x ? " " : "") + (x < columns && y < rows ? "1" : "0");
      runeLine += std::string(x ? " " : "") + (x == 0 && y == 0 ? "1" : "0");
    }
    board += "  Line" + std::to_string(y + 1) + " = \"" + line + "\"\n";
    runeRows += "  Line" + std::to_string(y + 1) + " = \"" + runeLine + "\"\n";
  }
  return "Settings {\n  Level {\n    Number = 40\n  }\n}\n" + board + "}\n" + runeRows + "}\n";
}

std::string WriteFile(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  SaveText(FromUtf8(text), path);
  return path;
}

class BoardSelector : public testing::Test {
 protected:
  void SetUp() override {
    test_support::OpenScreen();
    test_support::MakeBoardGame();
    // A new player as the profile screen makes one: the first quest level revealed.
    ASSERT_EQ(CreateNewProfile(u"Ilse"), 0);
    selector_ = std::make_shared<TBoardSelector>();
    boardSelector = selector_;
  }

  // The list as plain strings.
  static std::vector<std::string> Entries(const TBoardSelector& s) {
    std::vector<std::string> out;
    for (const String& e : *s.levels) out.push_back(ToUtf8(e));
    return out;
  }
  // A list of plain level files (full paths).
  void UseLevels(const std::vector<std::string>& paths) {
    selector_->levels->Clear();
    for (const std::string& p : paths) selector_->levels->AddLast(FromUtf8(p));
    selector_->selectedIndex = 0;
  }
  // The usable cells of the board, as the preview left them.
  static int UsableCells() {
    int n = 0;
    for (const auto& column : board->usable)
      for (int cell : column) n += cell != 0 ? 1 : 0;
    return n;
  }
  // Draws one preview frame on a black screen; answers whether anything showed at the middle.
  static bool DrawnAtTheMiddle() {
    SetClsColor(0, 0, 0);
    Cls();
    boardSelector->DrawMiniBoard();
    return (ScreenPixel(450, 330) & 0xFFFFFF) != 0;
  }

  std::shared_ptr<TBoardSelector> selector_;
};

TEST_F(BoardSelector, TheQuestListIsTheProfilesRevealedLevelsAndAddLevelKeepsItSaved) {
  selector_->LoadList(TBoardSelector::kQuestLevels);
  EXPECT_EQ(Entries(*selector_), std::vector<std::string>{"level_01.tsc"});
  EXPECT_EQ(selector_->selectedIndex, 0);
  const std::string file = profile->current->path;
  const auto written = [&] {
    ProfilePtr read = TProfile::Create(file);
    std::vector<std::string> out;
    TListPtr<String> list = read ? read->GetList(u"revealedLevels") : nullptr;
    if (list)
      for (const String& e : *list) out.push_back(ToUtf8(e));
    return out;
  };
  struct Case {
    const char* name;
    int32_t result;
    std::vector<std::string> after;
  };
  const Case cases[] = {
      {"level_01.tsc", 0, {"level_01.tsc"}},
      {"level_05.tsc", 1, {"level_01.tsc", "level_05.tsc"}},
      {"Level_01.tsc", 1, {"level_01.tsc", "level_05.tsc", "Level_01.tsc"}},
      {"level_05.tsc", 0, {"level_01.tsc", "level_05.tsc", "Level_01.tsc"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(selector_->AddLevel(FromUtf8(c.name)), c.result);
    EXPECT_EQ(written(), c.after) << "saved at once";
  }
  // AddLevel changes the profile, not the list on show; the next LoadList reads it afresh.
  EXPECT_EQ(selector_->levels->Count(), 1);
  selector_->LoadList(TBoardSelector::kQuestLevels);
  EXPECT_EQ(Entries(*selector_), cases[3].after);

  // No current profile: an empty quest list, and nothing added.
  profile->current = nullptr;
  selector_->LoadList(TBoardSelector::kQuestLevels);
  EXPECT_TRUE(selector_->levels->IsEmpty());
  EXPECT_EQ(selector_->AddLevel(u"level_07.tsc"), 0);
  EXPECT_EQ(written(), cases[3].after);
}

TEST_F(BoardSelector, ListFilesGiveEachGroupsFileNameThenEveryEntryOfTheCustomLevelsFolder) {
  // A settings archive of our own: three groups, one without "FileName", and a group whose name
  // repeats the first one's (letter case aside), so it gives the first one's value.
  const std::string timed =
      "First {\n  FileName = \"a.tsc\"\n}\nSecond {\n  Other = \"x\"\n}\n"
      "FIRST {\n  FileName = \"c.tsc\"\n}\n";
  const std::string bundle = test_support::TempHome() + "/bundle/";
  std::filesystem::create_directories(bundle + "data");
  const std::vector<uint8_t> bytes = bca::BuildArchive(
      {{"timedLevels.tsc.bbc", bca::EncodeEntry(std::vector<uint8_t>(timed.begin(), timed.end()))}});
  ASSERT_TRUE(SaveBytesSafely(bundle + "data/settings_lp.bca", bytes));
  bundleDir = bundle;

  selector_->selectedIndex = 3;
  selector_->reloadPending = 1;
  selector_->previewAlpha = 0.5f;
  const std::string output = test_support::Output([&] { selector_->LoadList(1); });
  EXPECT_EQ(Entries(*selector_), (std::vector<std::string>{"a.tsc", "", "a.tsc"}))
      << "no custom-levels folder: the list file alone";
  EXPECT_NE(output.find("does not exist"), std::string::npos);
  EXPECT_EQ(selector_->mode, 1);
  EXPECT_EQ(selector_->selectedIndex, 0);
  EXPECT_EQ(selector_->reloadPending, 1);
  EXPECT_EQ(selector_->previewAlpha, 0.5f);
  // The archive has no endless list: the custom levels alone (none yet).
  selector_->LoadList(2);
  EXPECT_TRUE(selector_->levels->IsEmpty());
  EXPECT_EQ(selector_->mode, 2);
  EXPECT_FALSE(std::filesystem::exists(myDocsFolder + "/custom-levels")) << "never created";

  // The folder: a file, a subfolder, a FIFO and a link to the file, in listing order.
  const std::string folder = myDocsFolder + "/custom-levels";
  WriteFile(folder + "/square.tsc", LevelText(3, 3));
  std::filesystem::create_directories(folder + "/sub");
  ASSERT_EQ(mkfifo((folder + "/pipe").c_str(), 0600), 0);
  std::filesystem::create_symlink(folder + "/square.tsc", folder + "/link.tsc");
  std::vector<std::string> listed;
  DirPtr dir = ReadDir(folder);
  for (std::string name = NextFile(dir); !name.empty(); name = NextFile(dir))
    if (name != "." && name != "..") listed.push_back(folder + "/" + name);
  CloseDir(dir);
  ASSERT_EQ(listed.size(), 4u);
  selector_->LoadList(1);
  std::vector<std::string> expected{"a.tsc", "", "a.tsc"};
  expected.insert(expected.end(), listed.begin(), listed.end());
  EXPECT_EQ(Entries(*selector_), expected);

  // Each custom entry previewed: the file and the link build, the subfolder and the FIFO give
  // nothing, and nothing hangs.
  bundleDir = "";
  for (int i = 3; i < 7; ++i) {
    const std::string name = ToUtf8(selector_->levels->ValueAtIndex(i));
    SCOPED_TRACE(name);
    selector_->selectedIndex = i;
    selector_->LoadMiniBoard();
    const bool readable = name.ends_with(".tsc");
    EXPECT_EQ(selector_->previewShown(), readable);
    if (readable) {
      EXPECT_EQ(UsableCells(), 9);
    }
  }
  EXPECT_TRUE(headless::MessageBoxes().empty());
  // A game started on the FIFO does not hang either: it plays the fallback level.
  const std::string fifo = folder + "/pipe";
  level->Set(FromUtf8(fifo));
  level->Load(1);
  EXPECT_GT(UsableCells(), 0);
  EXPECT_EQ(ToUtf8(level->fileName), fifo);
}

TEST_F(BoardSelector, StepsWrapAroundAndMarkAReloadOnlyWhenTheyAct) {
  struct Case {
    int entries;
    int from;
    void (TBoardSelector::*step)();
    int to;
    int pending;
  };
  using S = TBoardSelector;
  const Case cases[] = {
      {0, 0, &S::nextLevel, 0, 0},  {0, 0, &S::PrevLevel, 0, 0},  {0, 0, &S::NextLevel5, 0, 0},
      {0, 0, &S::PrevLevel5, 0, 0}, {1, 0, &S::nextLevel, 0, 1},  {1, 0, &S::PrevLevel, 0, 1},
      {1, 0, &S::NextLevel5, 0, 0}, {5, 4, &S::nextLevel, 0, 1},  {5, 0, &S::PrevLevel, 4, 1},
      {5, 2, &S::NextLevel5, 2, 0}, {5, 2, &S::PrevLevel5, 2, 0}, {7, 4, &S::NextLevel5, 2, 1},
      {7, 2, &S::PrevLevel5, 4, 1}, {7, 0, &S::PrevLevel5, 2, 1}, {7, 6, &S::nextLevel, 0, 1},
      {7, 0, &S::PrevLevel, 6, 1},  {7, 1, &S::NextLevel5, 6, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.entries << " entries from " << c.from);
    selector_->levels->Clear();
    for (int i = 0; i < c.entries; ++i) selector_->levels->AddLast(FromInt(i));
    selector_->selectedIndex = c.from;
    selector_->reloadPending = 0;
    (selector_.get()->*c.step)();
    EXPECT_EQ(selector_->selectedIndex, c.to);
    EXPECT_EQ(selector_->reloadPending, c.pending);
    EXPECT_EQ(ToUtf8(selector_->SelectedLevelName()), c.entries ? std::to_string(c.to) : "");
  }
}

TEST_F(BoardSelector, ThePreviewCentresTheUsedCellsOnItsPointAtThirteenPixels) {
  const std::string home = test_support::TempHome();
  struct Case {
    int side;
    int originX, originY;
  };
  for (const Case& c : {Case{15, 393, 273}, Case{10, 425, 305}}) {
    SCOPED_TRACE(c.side);
    UseLevels({WriteFile(home + "/lv" + std::to_string(c.side) + ".tsc", LevelText(c.side, c.side))});
    selector_->previewAlpha = 0.7f;
    board->alpha = 0.3f;
    selector_->LoadMiniBoard();
    EXPECT_EQ(board->originX, c.originX);
    EXPECT_EQ(board->originY, c.originY);
    EXPECT_EQ(board->cellSize, 13);
    EXPECT_EQ(board->scale, 0.40625f);
    EXPECT_EQ(board->alpha, 1.0f);
    EXPECT_EQ(selector_->previewAlpha, 0.0f);
  }
  // The board picture follows the level last played, not the level previewed.
  EXPECT_EQ(board->backgroundPath, "gfx/bg/deski/deska-1.jpg");
  level->levelNumber = 12;
  selector_->LoadMiniBoard();
  EXPECT_EQ(board->backgroundPath, "gfx/bg/deski/deska-4.jpg");
  // Runes only where the level says "Read" = "1".
  EXPECT_EQ(board->runeIds[0][0], 0);
  UseLevels({WriteFile(home + "/runes.tsc", LevelText(4, 4, "1"))});
  selector_->LoadMiniBoard();
  EXPECT_EQ(board->runeIds[0][0], 1);
  // An archive entry builds as well, with no message.
  UseLevels({"level_01.tsc"});
  selector_->LoadMiniBoard();
  EXPECT_TRUE(selector_->previewShown());
  EXPECT_GT(UsableCells(), 0);
  EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST_F(BoardSelector, TheFadeStepsInSinglePrecisionAndManyStepsCostOneRebuild) {
  const std::string home = test_support::TempHome();
  UseLevels({WriteFile(home + "/a.tsc", LevelText(2, 2)), WriteFile(home + "/b.tsc", LevelText(3, 3)),
             WriteFile(home + "/c.tsc", LevelText(4, 4)), WriteFile(home + "/d.tsc", LevelText(5, 5))});
  selector_->LoadMiniBoard();
  int builds = 0;
  ImagePtr lastImage = board->boardImage;
  // One drawn frame; answers the opacity the picture was drawn at.
  auto frame = [&] {
    const float drawnAt = selector_->previewAlpha;
    selector_->DrawMiniBoard();
    if (board->boardImage != lastImage) {
      ++builds;
    } else {
      EXPECT_EQ(board->alpha, drawnAt);
    }
    lastImage = board->boardImage;
    return drawnAt;
  };
  // In: 0, 0.1, ... then 1.0000001 for good.
  float expected = 0.0f;
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(frame(), expected) << i;
    expected = expected + kFadeStep;
  }
  EXPECT_EQ(expected, 1.0000001f);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(frame(), expected);

  // Three steps during one fade-out: 11 frames of the old picture, the last at 2^-26, one
  // build, for the entry three steps on; the 12th frame draws it at 0.
  selector_->nextLevel();
  for (int i = 0; i < 11; ++i) {
    if (i == 4) {
      selector_->nextLevel();
      selector_->nextLevel();
    }
    EXPECT_EQ(frame(), expected) << i;
    EXPECT_EQ(builds, i == 10 ? 1 : 0) << i;
    EXPECT_EQ(UsableCells(), i == 10 ? 25 : 4) << i;
    if (i == 10) {
      EXPECT_EQ(expected, std::ldexp(1.0f, -26));
    }
    expected = expected - kFadeStep;
  }
  EXPECT_EQ(selector_->reloadPending, 0);
  EXPECT_EQ(frame(), 0.0f);
  EXPECT_EQ(builds, 1);

  // A list loaded during a fade-out builds at once, and again in the next frame.
  selector_->previewAlpha = 1.0f;
  selector_->nextLevel();
  frame();
  frame();
  UseLevels({home + "/b.tsc"});
  selector_->LoadMiniBoard();
  EXPECT_EQ(UsableCells(), 9);
  builds = 0;
  lastImage = board->boardImage;
  EXPECT_EQ(frame(), 0.0f);
  EXPECT_EQ(builds, 1);
  EXPECT_EQ(selector_->reloadPending, 0);
}

TEST_F(BoardSelector, APreviewThatCannotBeBuiltDrawsNothingAndTheFadeGoesOn) {
  const std::string home = test_support::TempHome();
  const std::string good = WriteFile(home + "/good.tsc", LevelText(15, 15));
  const std::string broken = WriteFile(home + "/broken.tsc", "Board {\n  Line1 = \"1 1\n");
  std::filesystem::create_directories(home + "/folder");
  ASSERT_EQ(mkfifo((home + "/fifo").c_str(), 0600), 0);

  // Nothing built since start-up: nothing to show.
  UseLevels({});
  selector_->LoadMiniBoard();
  selector_->previewAlpha = 1.0f;
  EXPECT_FALSE(DrawnAtTheMiddle());

  struct Case {
    const char* name;
    std::vector<std::string> levels;
  };
  const Case cases[] = {
      {"an empty list", {}},
      {"a missing file", {home + "/missing.tsc"}},
      {"a folder", {home + "/folder"}},
      {"a FIFO", {home + "/fifo"}},
      {"a broken level text", {broken}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    UseLevels({good});
    selector_->LoadMiniBoard();
    selector_->previewAlpha = 1.0f;
    ASSERT_TRUE(DrawnAtTheMiddle()) << "the good level shows";
    UseLevels(c.levels);
    selector_->LoadMiniBoard();
    EXPECT_FALSE(selector_->previewShown());
    selector_->previewAlpha = 0.5f;
    EXPECT_FALSE(DrawnAtTheMiddle()) << "neither the last preview nor anything else";
    EXPECT_EQ(selector_->previewAlpha, 0.5f + kFadeStep) << "the fade goes on";
  }
  // A step onto an entry that cannot be built: the fade-out ends, the rebuild fails, and
  // nothing is drawn afterwards.
  UseLevels({good, home + "/folder"});
  selector_->LoadMiniBoard();
  selector_->previewAlpha = 1.0f;
  selector_->nextLevel();
  for (int i = 0; i < 11; ++i) selector_->DrawMiniBoard();
  EXPECT_EQ(selector_->reloadPending, 0);
  EXPECT_FALSE(selector_->previewShown());
  selector_->previewAlpha = 1.0f;
  EXPECT_FALSE(DrawnAtTheMiddle());
  EXPECT_TRUE(headless::MessageBoxes().empty());
}

}  // namespace
