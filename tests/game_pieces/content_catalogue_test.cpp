// The game's own rune catalogue and block shapes, read from the built settings archive of the
// game folder (when the content has been generated): no key is missing.
#include <gtest/gtest.h>

#include <filesystem>

#include "pieces_fixtures.h"

using namespace pieces;

namespace {

const char* kArchive = "data/settings_lp.bca";

TEST(GameCatalogues, RunesAndBlocksLoadWithoutAMissingKey) {
  if (!std::filesystem::exists(kArchive)) GTEST_SKIP() << "no generated content in the game folder";
  MakeSingletons();
  bundleDir = "";
  std::string out = Output([] {
    runes->loadRunesGfx();
    blocks->loadBlocksDef();
  });
  EXPECT_EQ(out.find("does not exist"), std::string::npos) << out;
  EXPECT_EQ(blocks->tscFile, nullptr);

  const auto runeCount = static_cast<int>(GetTSCNumberKey(runes->tscFile, u"List", u"Quantity"));
  EXPECT_GT(runeCount, 0);
  if (std::filesystem::exists("gfx/runy")) {
    EXPECT_EQ(runes->runes->Count(), runeCount) << out;
  }
  // Every stone turns back into a rune of its own colour; the obstacle (13) is a stone with no
  // rune under it.
  for (const RunePtr& rune : *runes->runes) {
    if (rune->blocked == 0) continue;
    if (rune->id == u"13") {
      EXPECT_TRUE(rune->unblockedId.empty());
      continue;
    }
    RunePtr back = runes->_findRuneByID(rune->unblockedId);
    ASSERT_TRUE(back) << ToUtf8(rune->id);
    EXPECT_EQ(back->color, rune->color);
  }

  ASSERT_GT(blocks->shapes->Count(), 0);
  for (const BlockPtr& shape : *blocks->shapes) {
    int filled = 0;
    for (const auto& column : shape->cells)
      for (int32_t cell : column) filled += cell;
    EXPECT_EQ(filled, shape->pieceCount) << ToUtf8(shape->id);  // distinct cells in the grid
  }
}

}  // namespace
