// The board, the block in hand and the spells of a game in progress: their stored forms, a save
// and a resume under each mode's prefix, and the damaged items a resume skips.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/saved/saved_block.h"
#include "game/saved/saved_board.h"
#include "game/saved/saved_game.h"
#include "game_saved/saved_fixtures.h"
#include "platform/headless.h"
#include "platform/system.h"

using namespace modes;
using play::HoldBlock;
using play::Put;

namespace {

class SavedBoard : public testing::Test {
 protected:
  void SetUp() override {
    MakeGame();
    ASSERT_EQ(profile->NewProfile(u"anna"), 1);
  }
  static void SetList(const std::string& key, std::vector<std::string> items) {
    auto list = CreateList<String>();
    for (const std::string& item : items) list->AddLast(FromUtf8(item));
    profile->SetList(FromUtf8(key), list, 0);
  }
};

}  // namespace

TEST_F(SavedBoard, StoredFormsFollowTheWorkedExamples) {
  const int32_t now = MilliSecs();
  Put(3, 4, 2, now - 4000);
  Put(14, 14, 13, now - 10);
  HoldBlock({{0, 1}, {0, 2}, {0, 3, 4}});  // cells [1, 0], [1, 1], [1, 2] and [2, 2]
  blocks->history = {7, 8, 9};
  saveBoard(u"runes", 0);
  SaveLastBlock(u"runes", 0);

  const std::vector<std::string> band1 = Items(profile->GetList(u"runes1"));
  const std::vector<std::string> band2 = Items(profile->GetList(u"runes2"));
  const std::vector<std::string> band3 = Items(profile->GetList(u"runes3"));
  ASSERT_EQ(band1.size(), 90u);
  ASSERT_EQ(band2.size(), 90u);
  ASSERT_EQ(band3.size(), 45u);
  EXPECT_EQ(band1.front(), "0:0:0");
  EXPECT_EQ(band1[3 * 15 + 4], "3:4:2");
  EXPECT_EQ(band2.front(), "6:0:0");
  EXPECT_EQ(band3.back(), "14:14:13");
  const std::vector<std::string> ages = Items(profile->GetList(u"runesTimerLayer1"));
  ASSERT_EQ(ages.size(), 90u);
  EXPECT_EQ(ages[3 * 15 + 4], "3:4:4000");
  // A cell never placed is as old as the clock reading itself.
  EXPECT_EQ(ages[0], "0:0:" + std::to_string(now));
  EXPECT_EQ(Items(profile->GetList(u"runesTimerLayer3")).back(), "14:14:10");

  EXPECT_EQ(Items(profile->GetList(u"runesActualBlockSet")),
            (std::vector<std::string>{"0:0:0", "0:1:0", "0:2:0", "0:3:0", "1:0:1", "1:1:2",
                                      "1:2:3", "1:3:0", "2:0:0", "2:1:0", "2:2:4", "2:3:0",
                                      "3:0:0", "3:1:0", "3:2:0", "3:3:0"}));
  EXPECT_EQ(Items(profile->GetList(u"runesActualBlockColor"))[6], "1:2:3");
  EXPECT_EQ(profile->GetNumber(u"runesPrevBlock0"), 7);
  EXPECT_EQ(profile->GetNumber(u"runesPrevBlock2"), 9);
  // Nothing reached the file: every save passes 0 to the setters.
  EXPECT_EQ(profile_test::PlainText("anna.dat"), profile_test::ProfileText("Mirethorn"));
}

TEST_F(SavedBoard, EachPrefixResumesItsOwnBoardAndBlock) {
  struct Game {
    const char16_t* prefix;
    int rune;  // the rune its two-rune column holds
  };
  const Game games[] = {{u"runes", 1}, {u"endless", 2}, {u"time", 3}};
  // Each game: two runes of one block in column 3, one older rune, a stone, a rune on a hole,
  // a held block of one rune of the same kind, and a history.
  for (const Game& g : games) {
    board->clearBoard();
    const int32_t now = MilliSecs();
    Put(3, 4, g.rune, now - 7000);
    Put(3, 5, g.rune, now - 7000);
    Put(10, 2, 5, now - 9000);
    Put(13, 14, play::Stone(4), now - 3000);
    board->usable[0][0] = 0;
    Put(0, 0, 4, now - 100);
    HoldBlock({{g.rune}});
    blocks->history = {g.rune, 10 + g.rune, 20 + g.rune};
    bonusManagerAlt->boardSpells->Clear();
    bonusManagerAlt->AddBonusExt(4, 8, g.rune, 2);
    saveBoard(g.prefix, 0);
    SaveLastBlock(g.prefix, 0);
    SaveSpells(g.prefix, 0);
    headless::AdvanceClock(1000);
  }
  ASSERT_TRUE(profile->SaveProfile());

  for (const Game& g : games) {
    Restart();
    headless::AdvanceClock(60000);  // the time spent saved does not age the runes
    loadBoard(g.prefix);
    LoadLastBlock(g.prefix);
    LoadSpells(g.prefix);
    const int32_t now = MilliSecs();
    const std::string why = ToUtf8(g.prefix);
    EXPECT_EQ(board->runeIds[3][4], g.rune) << why;
    EXPECT_EQ(board->colours[3][4], g.rune) << why;
    EXPECT_EQ(board->colours[13][14], 4) << why;  // a stone keeps its id and its colour
    EXPECT_EQ(board->runeIds[13][14], play::Stone(4)) << why;
    EXPECT_EQ(board->runeIds[0][0], 4) << why;  // back on the hole, as it was
    EXPECT_EQ(board->placedAt[3][4], board->placedAt[3][5]) << why;
    // The ages are those of the save, however long the game stayed saved.
    EXPECT_EQ(ElapsedMs(now, board->placedAt[3][4]), 7000) << why;
    EXPECT_EQ(ElapsedMs(now, board->placedAt[10][2]), 9000) << why;
    ASSERT_TRUE(blocks->currentBlock) << why;
    EXPECT_EQ(blocks->currentBlock->cells[0][0], g.rune) << why;
    EXPECT_EQ(blocks->currentBlock->colors[0][0], g.rune) << why;
    EXPECT_TRUE(blocks->currentBlock->id.empty()) << why;
    EXPECT_EQ(blocks->currentBlock->pieceCount, 0) << why;
    EXPECT_EQ(blocks->history, (std::array<int32_t, 3>{g.rune, 10 + g.rune, 20 + g.rune})) << why;
    ASSERT_EQ(bonusManagerAlt->boardSpells->Count(), 1) << why;
    EXPECT_EQ(bonusManagerAlt->boardSpells->First()->cellY, g.rune) << why;
    EXPECT_EQ(bonusManagerAlt->boardSpells->First()->colour, 2) << why;
    // The same move clears the same runes: the held rune completes the column of three.
    ASSERT_EQ(board->placeBlock(nullptr, 3, 6, 1), 1) << why;
    EXPECT_EQ(board->clearMatchingRunes(0), 3) << why;
    EXPECT_EQ(board->runeIds[3][4], 0) << why;
    EXPECT_EQ(board->runeIds[10][2], 5) << why;
  }
}

TEST_F(SavedBoard, DamagedItemsAreSkippedAndLaterItemsWin) {
  struct Case {
    std::vector<std::string> band1, band3;
    int x, y, rune;  // the cell the items set, and its rune afterwards
  };
  const Case cases[] = {
      {{"3:4:12:99"}, {}, 3, 4, 12},       // a fourth piece is ignored
      {{" 3:+4:12"}, {}, 3, 4, 12},        // blanks and a plus sign read as numbers
      {{"a:b:5"}, {}, 0, 0, 5},            // pieces without digits read as 0
      {{"0:0:-3"}, {}, 0, 0, -3},          // a minus sign is kept
      {{"3:4:1", "3:4:2"}, {}, 3, 4, 2},   // the later item wins
      {{"3:4:1"}, {"3:4:5"}, 3, 4, 5},     // list 3 is applied after list 1
      {{"20:3:1", "3:4"}, {}, 0, 0, 0},    // off the board, or too few pieces: skipped
      {{"-1:3:1", "3:15:1"}, {}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    board->clearBoard();
    SetList("runes1", c.band1);
    SetList("runes3", c.band3);
    loadBoard(u"runes");
    EXPECT_EQ(board->runeIds[c.x][c.y], c.rune) << c.band1.front();
    EXPECT_EQ(board->colours[c.x][c.y], c.rune >= 1 && c.rune <= 5 ? c.rune : 0)
        << c.band1.front();
    EXPECT_EQ(play::Count(board->runeIds), c.rune != 0 ? 1 : 0) << c.band1.front();
  }
}

TEST_F(SavedBoard, ABlockIsRestoredOnlyFromBothListsAndOnlyInsideItsGrid) {
  const std::vector<std::string> cells = {"0:0:-3", "1:1:2", "1:1:4", "4:0:1", "0:4:1", "2:2"};
  const std::vector<std::string> colours = {"0:0:9", "1:1:4"};
  profile->SetNumber(u"endlessPrevBlock1", 6, 0);
  // One list missing: nothing changes, neither the block in hand nor the history.
  BlockPtr before = HoldBlock({{5}});
  blocks->history = {1, 2, 3};
  SetList("endlessActualBlockSet", cells);
  LoadLastBlock(u"endless");
  EXPECT_EQ(blocks->currentBlock, before);
  EXPECT_EQ(blocks->history, (std::array<int32_t, 3>{1, 2, 3}));

  SetList("endlessActualBlockColor", colours);
  LoadLastBlock(u"endless");
  ASSERT_NE(blocks->currentBlock, before);
  BlockGrid expected{};
  expected[0][0] = -3;
  expected[1][1] = 4;
  EXPECT_EQ(blocks->currentBlock->cells, expected);
  EXPECT_EQ(blocks->currentBlock->colors[0][0], 9);
  EXPECT_EQ(blocks->history, (std::array<int32_t, 3>{0, 6, 0}));

  // A save without a block in hand leaves no saved block; the history keys stay.
  blocks->currentBlock = nullptr;
  SaveLastBlock(u"endless", 0);
  EXPECT_TRUE(Items(profile->GetList(u"endlessActualBlockSet")).empty());
  EXPECT_TRUE(Items(profile->GetList(u"endlessActualBlockColor")).empty());
  EXPECT_EQ(profile->GetNumber(u"endlessPrevBlock1"), 6);
  LoadLastBlock(u"endless");
  EXPECT_FALSE(blocks->currentBlock);
}
