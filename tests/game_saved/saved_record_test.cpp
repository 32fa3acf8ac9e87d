// The rest of a saved game: the quest's progress, the puzzle, the spells on the board, the level
// statistics with the timer and the magic sphere, each read back from the file into fresh
// singletons; the options save that writes them all once; damaged lists and vials.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/options.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/saved/saved_board.h"
#include "game/saved/saved_game.h"
#include "play/puzzle/saved_puzzle.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/magic_sphere.h"
#include "game_saved/saved_fixtures.h"
#include "platform/headless.h"
#include "platform/system.h"

using namespace modes;

namespace {

class SavedRecord : public testing::Test {
 protected:
  void SetUp() override {
    MakeGame();
    ASSERT_EQ(profile->NewProfile(u"anna"), 1);
  }
  static void SetList(const String& key, std::vector<std::string> items) {
    auto list = CreateList<String>();
    for (const std::string& item : items) list->AddLast(FromUtf8(item));
    profile->SetList(key, list, 0);
  }
  // A puzzle of `count` pieces, 3 per row, each on its home cell.
  static std::vector<PuzzleButtonPtr> MakePuzzle(int count) {
    TPuzzleButton::gridWidth = 3;
    std::vector<PuzzleButtonPtr> pieces;
    for (int i = 0; i < count; ++i) {
      auto piece = std::make_shared<TPuzzleButton>();
      piece->id = i;
      piece->cell = piece->targetCell = i;
      piece->originX = 100.0f;
      piece->originY = 50.0f;
      piece->dim = CreateDim(0.0f, 0.0f, 40.0f, 30.0f);
      puzzle->grid->cells->AddLast(piece);
      pieces.push_back(piece);
    }
    return pieces;
  }
  static std::vector<std::string> SpellItems() {
    std::vector<std::string> out;
    for (const BonusAPtr& s : *bonusManagerAlt->boardSpells)
      out.push_back(std::to_string(s->kind) + ":" + std::to_string(s->cellX) + ":" +
                    std::to_string(s->cellY) + ":" + std::to_string(s->colour));
    return out;
  }
};

}  // namespace

TEST_F(SavedRecord, TheQuestRecordReadsBackIntoFreshSingletons) {
  sequencer->currentLevel = 3;
  points->levelPoints = 1234;
  points->totalPoints = 20000001;
  gameState = 2;
  level->difficulty = 3;
  slides->revealedImages->AddLast(u"gfx/slides/3a.jpg");
  level->receivedSpells = 4;
  level->spellsCast = 3;
  level->blocksUsed = 40;
  level->matches = 12;
  level->combos = 2;
  timeManager->LoadFromProfile(12345);
  bonusManagerAlt->AddBonusExt(4, 7, 3, 12);
  bonusManagerAlt->AddBonusExt(1, 0, 14, 0);
  magicSphere->fills = {4.0f, 2.5f, 0.0f, 0.0f, 0.0f};
  std::vector<PuzzleButtonPtr> pieces = MakePuzzle(6);
  pieces[0]->cell = 4;
  pieces[4]->cell = 0;
  pieces[2]->targetCell = 5;  // still flying: it comes back resting on the cell it left
  puzzle->startTime = ElapsedMs(MilliSecs(), 60000);
  puzzle->clicks = 17;

  // Each save alone changes the profile in memory only.
  const auto before = profile_test::FolderContent();
  SaveProfile(0);
  SavePuzzles(0);
  SaveSpells(u"runes", 0);
  SaveLevelStats(0);
  SaveMagicSphere(0);
  EXPECT_EQ(profile_test::FolderContent(), before);
  EXPECT_EQ(Items(profile->GetList(u"runesBonuses")), (std::vector<std::string>{"4:7:3:12", "1:0:14:0"}));
  EXPECT_EQ(profile->GetNumber(u"ballsFil1"), 2);
  EXPECT_EQ(profile->GetNumber(u"puzzlesTime"), 60000);
  ASSERT_TRUE(profile->SaveProfile());

  Restart();
  headless::AdvanceClock(90000);
  std::vector<PuzzleButtonPtr> fresh = MakePuzzle(6);
  const int32_t now = MilliSecs();
  LoadProfile();
  LoadPuzzles();
  LoadSpells(u"runes");
  LoadLevelStats();
  LoadMagicSphere();
  EXPECT_EQ(sequencer->currentLevel, 3);
  EXPECT_EQ(points->levelPoints, 1234);
  EXPECT_EQ(points->totalPoints, 20000000);  // through single precision
  EXPECT_EQ(gameState, 2);
  EXPECT_EQ(level->difficulty, 3);
  EXPECT_EQ(Items(slides->revealedImages), std::vector<std::string>{"gfx/slides/3a.jpg"});
  EXPECT_EQ(level->receivedSpells, 4);
  EXPECT_EQ(level->spellsCast, 3);
  EXPECT_EQ(level->blocksUsed, 40);
  EXPECT_EQ(level->matches, 12);
  EXPECT_EQ(level->combos, 2);
  EXPECT_EQ(timeManager->SaveToProfile(), 12345);
  EXPECT_EQ(SpellItems(), (std::vector<std::string>{"4:7:3:12", "1:0:14:0"}));
  EXPECT_EQ(magicSphere->fills[0], 4.0f);
  EXPECT_EQ(magicSphere->fills[1], 2.0f);  // whole balls
  EXPECT_EQ(ElapsedMs(now, puzzle->startTime), 60000);
  EXPECT_EQ(puzzle->clicks, 17);
  const int expectedCells[6] = {4, 1, 2, 3, 0, 5};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(fresh[i]->cell, expectedCells[i]) << i;
    EXPECT_EQ(fresh[i]->targetCell, expectedCells[i]) << i;
  }
  EXPECT_EQ(fresh[0]->dim->x, 100.0f + 40.0f);  // cell 4: column 1, row 1
  EXPECT_EQ(fresh[0]->dim->y, 50.0f + 30.0f);
  // Loading twice places every stored spell twice; loading clears nothing.
  LoadSpells(u"runes");
  EXPECT_EQ(bonusManagerAlt->boardSpells->Count(), 4);
}

TEST_F(SavedRecord, TheOptionsSaveStoresTheWholeQuestAndWritesTheFileOnce) {
  const auto before = profile_test::FolderContent();
  board->runeIds[2][3] = 1;
  play::HoldBlock({{2}});
  bonusManagerAlt->AddBonusExt(3, 5, 9, 0);
  points->totalPoints = 77;
  slides->revealedImages->AddLast(u"gfx/slides/1a.jpg");
  level->combos = 5;
  magicSphere->fills[3] = 3.0f;
  saveToProfile = 0;
  saveOptions();
  EXPECT_EQ(profile_test::FolderContent(), before);  // no quest is played: no profile write

  saveToProfile = 1;
  options = std::make_shared<TOptions>();
  saveOptions();
  saveToProfile = 0;
  const std::string text = profile_test::PlainText("anna.dat");
  for (const char* line : {"\trunes1=\"0:0:0\"", "\trunesTimerLayer3=", "\trunesActualBlockSet=",
                           "\trunesPrevBlock2=", "\tpuzzlesClicks=", "\tpointsTotal=77.0000000",
                           "\trevealedImages=\"gfx/slides/1a.jpg\"", "\trunesBonuses=\"3:5:9:0\"", "\tlevelCombos=5.00000000",
                           "\tlevelTime=", "\tballsFil3=3.00000000"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text.substr(0, 300);
  }
  // The options-only save never touches the game in progress.
  const auto saved = profile_test::FolderContent();
  points->totalPoints = 78;
  saveToProfile = 1;
  options->SaveOptionsOnly();
  saveToProfile = 0;
  EXPECT_EQ(profile_test::FolderContent(), saved);
}

TEST_F(SavedRecord, DamagedSpellAndPuzzleItemsAreSkipped) {
  SetList(u"runesBonuses", {"3:15:2:0", "1:2", "3:5:9:0", "2:-1:0:0", "4:14:14:7:99", "x:1:1:0"});
  LoadSpells(u"runes");
  // A kind that is no spell is the spell manager's to refuse.
  EXPECT_EQ(SpellItems(), (std::vector<std::string>{"3:5:9:0", "4:14:14:7"}));

  struct Case {
    std::vector<std::string> items;
    std::vector<int> cells;  // of the four pieces afterwards
  };
  const Case cases[] = {
      {{"3", "2"}, {3, 2, 2, 3}},                 // short: the first pieces only
      {{"1", "0", "3", "2", "0", "1"}, {1, 0, 3, 2}},  // long: never past the last piece
      {{"-1", "4", "0", "2"}, {0, 1, 0, 2}},      // a cell outside the puzzle is skipped
      {{"1", "1", "1", "1"}, {1, 1, 1, 1}},       // a repeated cell is the puzzle's to refuse
  };
  for (const Case& c : cases) {
    puzzle->grid->cells->Clear();
    std::vector<PuzzleButtonPtr> pieces = MakePuzzle(4);
    SetList(u"puzzles", c.items);
    LoadPuzzles();
    for (size_t i = 0; i < pieces.size(); ++i) EXPECT_EQ(pieces[i]->cell, c.cells[i]) << i;
  }
}

TEST_F(SavedRecord, SphereVialsShowTheirStoredFillAtOnce) {
  magicSphere->colours = {1, 2, 3, 4, 0};
  magicSphere->capacities = {4.0f, 4.0f, 0.0f, 4.0f, 0.0f};
  magicSphere->filledAt = {-1, -1, -1, -1, -1};
  for (int i = 0; i < 5; ++i) profile->SetNumber(u"ballsFil" + FromInt(i), std::vector<int>{4, 2, 0, -3, 0}[i], 0);
  const int32_t now = MilliSecs();
  LoadMagicSphere();
  // Full at once: it counts as filled 3000 ms ago, past its glow, with nothing to burst.
  EXPECT_EQ(magicSphere->shownFill[0], 1.0f);
  EXPECT_EQ(magicSphere->filledAt[0], ElapsedMs(now, 3000));
  EXPECT_EQ(magicSphere->shownFill[1], 0.5f);
  EXPECT_EQ(magicSphere->filledAt[1], -1);
  // In use with no capacity: full, as the sphere draws it.
  EXPECT_EQ(magicSphere->shownFill[2], 1.0f);
  EXPECT_EQ(magicSphere->filledAt[2], ElapsedMs(now, 3000));
  // A negative fill shows an empty vial.
  EXPECT_EQ(magicSphere->shownFill[3], 0.0f);
  EXPECT_EQ(magicSphere->filledAt[3], -1);
  // Not in use: left alone.
  EXPECT_EQ(magicSphere->shownFill[4], 0.0f);
  EXPECT_EQ(magicSphere->filledAt[4], -1);
}

// A damaged profile's counts: the statistics are held to what play can reach (so counting on
// cannot overflow), the level's points to 0 and more, and banking them stops at the largest
// total instead of wrapping to a negative one.
TEST_F(SavedRecord, HugeOrNegativeSavedCountsAreHeldAndBankASaturatedTotal) {
  profile->SetNumber(u"levelRrecivedSpells", -5, 0);
  profile->SetNumber(u"levelDroppedSpells", 2147483647, 0);
  profile->SetNumber(u"levelUsedBlocks", 12, 0);
  profile->SetNumber(u"levelMatches", 2147483647, 0);
  profile->SetNumber(u"levelCombos", -2147483647, 0);
  LoadLevelStats();
  EXPECT_EQ(level->receivedSpells, 0);
  EXPECT_EQ(level->spellsCast, kMostCount);
  EXPECT_EQ(level->blocksUsed, 12);
  EXPECT_EQ(level->matches, kMostCount);
  EXPECT_EQ(level->combos, 0);

  profile->SetNumber(u"level", 3, 0);
  profile->SetNumber(u"pointsActual", 2000000000, 0);
  profile->SetNumber(u"pointsTotal", 2000000000, 0);
  LoadProfile();
  level->finish();
  EXPECT_EQ(points->totalPoints, 2147483647);
  EXPECT_EQ(points->levelPoints, 0);
  profile->SetNumber(u"pointsActual", -7, 0);
  LoadProfile();
  EXPECT_EQ(points->levelPoints, 0);
}
