// The shipped boss levels played: each boss falls to square blocks of its own colour laid on the
// four squares of its ring, and the level is won when the last one falls.
#include "boss_fixtures.h"

namespace {

struct ShippedBossLevel {
  const char* entry;
  int bosses;
  int cellSize;  // the cell size its board's extent calls for
};

// A block of the level's shape `shapeId` with rune `runeId` on every cell.
BlockPtr DealOf(const String& shapeId, const String& runeId) {
  const BlockPtr shape = blocks->_findBlockByID(shapeId);
  if (!shape) return nullptr;
  auto block = std::make_shared<TBlock>();
  for (size_t i = 0; i < 4; ++i)
    for (size_t j = 0; j < 4; ++j) {
      if (shape->cells[i][j] == 0) continue;
      block->cells[i][j] = ToInt(runeId);
      block->colors[i][j] = runes->getRuneColor(runeId);
    }
  return block;
}

bool Lists(const TListPtr<String>& list, const String& item) {
  for (const String& entry : *list)
    if (entry == item) return true;
  return false;
}

// A rune of the level's runes in the colour.
String RuneOfColour(int32_t colour) {
  for (const String& id : *blocks->availableRunes)
    if (runes->getRuneColor(id) == colour) return id;
  return String();
}

TEST(BossLevels, EachShippedBossLevelIsWonByRingingItsBossesWithSquareBlocks) {
  for (const ShippedBossLevel& s : {ShippedBossLevel{"level_07.tsc", 1, 40},
                                    ShippedBossLevel{"level_08.tsc", 2, 32}}) {
    SCOPED_TRACE(s.entry);
    play::MakePlay();
    bundleDir = "";
    runes = std::make_shared<TRuneManager>();
    boss::Output([] {
      runes->loadRunesGfx();
      blocks->loadBlocksDef();
      bossManager->LoadResources();
    });
    level->Set(FromUtf8(s.entry));
    EXPECT_EQ(boss::Output([] { level->Load(0); }), "");
    ASSERT_EQ(level->goalType, 3);
    ASSERT_EQ(bossManager->bossRunes->Count(), s.bosses);
    const bool bigCells = board->getWidth() <= 12 && board->getHeight() <= 12;
    EXPECT_EQ(bigCells ? 40 : 32, s.cellSize);
    const String square = u"12";
    ASSERT_TRUE(Lists(blocks->availableBlocks, square)) << "the level deals square blocks";

    std::vector<BossRunePtr> standing;
    for (const BossRunePtr& b : *bossManager->bossRunes) standing.push_back(b);
    if (s.bosses == 2) {
      EXPECT_NE(standing[0]->runeColour, standing[1]->runeColour);
    }
    for (const BossRunePtr& b : standing) {
      const String rune = RuneOfColour(b->runeColour);
      ASSERT_FALSE(rune.empty()) << "the level deals runes of colour " << b->runeColour;
      for (auto [dx, dy] : {std::pair{-2, 0}, {2, 0}, {0, -2}, {0, 2}}) {
        EXPECT_EQ(level->isGoalAchieved(), 0);
        blocks->currentBlock = DealOf(square, rune);
        blocks->rotation = 0;
        ASSERT_EQ(board->placeBlock(nullptr, b->cellX + dx, b->cellY + dy, 1), 1)
            << "square at " << b->cellX + dx << "," << b->cellY + dy;
        board->clearMatchingRunes(0);
      }
      EXPECT_EQ(bossManager->CheckMove(b->cellX, b->cellY), 0) << "the fallen boss's square";
    }
    EXPECT_EQ(bossManager->bossRunes->Count(), 0);
    EXPECT_EQ(level->isGoalAchieved(), 1);
    EXPECT_EQ(play::Count(board->runeIds), 0) << "every ring was cleared";
  }
}

}  // namespace
