// Loading a level's boss runes: the entries of BossRunes looked up in the boss catalogue, the
// picture set chosen by the board's extent, levels of other goals, and entries that name no boss.
#include "boss_fixtures.h"

namespace {

using boss::BossLevel;
using boss::BossTest;
using boss::Output;
using boss::Store;

// Marks the columns 0..width-1 of rows 0..height-1 usable, nothing else.
void Shape(int width, int height) {
  for (auto& column : board->usable) column.fill(0);
  for (int x = 0; x < width; ++x)
    for (int y = 0; y < height; ++y) board->usable[x][y] = 1;
}

// The two picture sets in the test's data folder, told apart by their width: 5 pixels for the
// 40-pixel set, 4 for the 32-pixel set.
void WritePictureSets() {
  for (const auto& [suffix, width] : {std::pair{"", 5}, std::pair{"m", 4}}) {
    for (int k = 0; k < kBossAuraFrames; ++k) {
      const std::string number = (k < 10 ? "000" : "00") + std::to_string(k);
      pieces::SavePicture("gfx/boss/boss-ef" + std::string(suffix) + number + ".png", width, 2,
                          0xFFFFFFFFu);
    }
  }
  pieces::SavePicture("gfx/boss/cien_boss.png", 5, 2, 0xFF000000u);
  pieces::SavePicture("gfx/boss/cien_bossm.png", 4, 2, 0xFF000000u);
  pieces::SavePicture("gfx/boss/sadza40.png", 5, 2, 0xFF000000u);
  pieces::SavePicture("gfx/boss/sadza32.png", 4, 2, 0xFF000000u);
  pieces::SavePicture("big.png", 5, 2, 0xFFFF00FFu);
  pieces::SavePicture("small.png", 4, 2, 0xFFFF00FFu);
}

int Width(const ImagePtr& image) { return image ? ImageWidth(image) : 0; }

class Loading : public BossTest {
 protected:
  void SetUp() override {
    BossTest::SetUp();
    WritePictureSets();
  }
};

TEST_F(Loading, EntriesBecomeBossRunesInOrderWithTheirCatalogueColour) {
  const int32_t now = MilliSecs();
  const std::string printed = Output([] { bossManager->Load(BossLevel("7:9:4 4:3:8")); });
  EXPECT_EQ(printed, "");
  ASSERT_EQ(bossManager->bossRunes->Count(), 2);
  const BossRunePtr first = bossManager->bossRunes->First();
  const BossRunePtr second = bossManager->bossRunes->Last();
  EXPECT_EQ((std::vector<int>{first->id, first->runeColour, first->cellX, first->cellY}),
            (std::vector<int>{7, 2, 9, 4}));
  EXPECT_EQ((std::vector<int>{second->id, second->runeColour, second->cellX, second->cellY}),
            (std::vector<int>{4, 5, 3, 8}));
  EXPECT_EQ(first->alive, 1);
  EXPECT_EQ(first->createdAt, now);
  EXPECT_EQ(bossManager->CheckForGoal(), 0);
}

TEST_F(Loading, TheBoardsExtentChoosesThePictureSet) {
  struct Case {
    int width, height;
    int setWidth;  // 5: the 40-pixel set, 4: the 32-pixel set
  };
  for (const Case& c : {Case{12, 12, 5}, Case{13, 10, 4}, Case{10, 13, 4}, Case{3, 2, 5}}) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    Shape(c.width, c.height);
    bossManager->Load(BossLevel("4:5:5"));
    ASSERT_EQ(bossManager->bossRunes->Count(), 1);
    EXPECT_EQ(Width(bossManager->bossRunes->First()->image), c.setWidth);
    for (int k = 0; k < kBossAuraFrames; ++k)
      EXPECT_EQ(Width(bossManager->effectFrames[static_cast<size_t>(k)]), c.setWidth) << k;
    EXPECT_EQ(Width(bossManager->shadowImage), c.setWidth);
    EXPECT_EQ(Width(bossManager->sootImage), c.setWidth);
  }
}

TEST_F(Loading, OnlyBossLevelsHaveBossRunesAndEveryLoadStartsAfresh) {
  bossManager->Load(BossLevel("4:5:5 7:9:9"));
  ASSERT_EQ(bossManager->bossRunes->Count(), 2);
  for (int32_t goal : {1, 2, 0}) {
    level->goalType = goal;
    bossManager->Load(BossLevel("4:5:5 7:9:9"));
    EXPECT_EQ(bossManager->bossRunes->Count(), 0) << "goal " << goal;
    EXPECT_EQ(bossManager->CheckForGoal(), 1) << "goal " << goal;
  }
  // The pictures of the last boss level stay until the next one replaces them.
  EXPECT_NE(bossManager->effectFrames[0], nullptr);
  EXPECT_NE(bossManager->shadowImage, nullptr);

  level->goalType = 3;
  bossManager->Load(BossLevel(""));
  EXPECT_EQ(bossManager->bossRunes->Count(), 0);
  EXPECT_EQ(bossManager->CheckForGoal(), 1) << "a boss level without bosses is won at once";

  bossManager->Load(BossLevel("4:5:5"));
  bossManager->Free();
  EXPECT_EQ(bossManager->bossRunes->Count(), 0);
  EXPECT_EQ(bossManager->shadowImage, nullptr);
  EXPECT_EQ(bossManager->effectFrames[15], nullptr);
  EXPECT_EQ(bossManager->explosionSound, nullptr);
}

TEST_F(Loading, EntriesThatNameNoBossAreReportedAndLeftOut) {
  // Leading, doubled and trailing spaces make empty entries; "4:2" lacks its row; there is no
  // boss 9. A piece that is not a number reads as 0: that boss stands where it cannot fall.
  const std::string printed =
      Output([] { bossManager->Load(BossLevel(" 4:6:6  9:3:3 4:2 4:x:7 ")); });
  ASSERT_EQ(bossManager->bossRunes->Count(), 2);
  EXPECT_EQ(bossManager->bossRunes->First()->cellX, 6);
  EXPECT_EQ(bossManager->bossRunes->Last()->cellX, 0);
  EXPECT_EQ(bossManager->bossRunes->Last()->cellY, 7);

  const std::string wrongShape = " of level level_99.tsc left out: an entry is id:column:row\n";
  EXPECT_EQ(printed,
            "Boss rune \"\"" + wrongShape +                                      // leading
                "Boss rune \"\"" + wrongShape +                                  // doubled
                "Boss rune \"9:3:3\" of level level_99.tsc left out: bossRunes.tsc has no "
                "boss of id 9\n" +
                "Boss rune \"4:2\"" + wrongShape +                               // no row
                "Boss rune \"\"" + wrongShape);                                  // trailing
}

TEST_F(Loading, TheCatalogueIsSearchedInFileOrderByTheIdsText) {
  bossManager->tsc = Store(
      "List {\n"
      "  Nameless {\n    color = \"9\"\n  }\n"
      "  First {\n    id = \"4\"\n    color = \"5\"\n    fileNameBoss = \"small.png\"\n  }\n"
      "  Second {\n    id = \"4\"\n    color = \"6\"\n    fileNameBoss = \"small.png\"\n  }\n"
      "  Forty {\n    id = \"40\"\n    color = \"2\"\n  }\n"
      "}\n");
  const std::string printed = Output([] { bossManager->Load(BossLevel("4:5:5 040:9:9")); });
  ASSERT_EQ(bossManager->bossRunes->Count(), 2);
  EXPECT_EQ(bossManager->bossRunes->First()->runeColour, 5);
  EXPECT_EQ(bossManager->bossRunes->Last()->runeColour, 2);
  // The kind without an id is looked at for each entry; the kind without a picture key still
  // gives its boss, with no picture.
  EXPECT_EQ(pieces::CountOf(printed, "The key List::Nameless::id does not exist"), 2) << printed;
  EXPECT_EQ(pieces::CountOf(printed, "The key List::Forty::fileNameBoss does not exist"), 1)
      << printed;
}

TEST_F(Loading, AnEmptyCatalogueGivesNoBossesAndSaysSo) {
  bossManager->tsc = CreateTSCFile();
  const std::string printed = Output([] { bossManager->Load(BossLevel("4:5:5")); });
  EXPECT_EQ(bossManager->bossRunes->Count(), 0);
  EXPECT_NE(printed.find("Boss rune \"4:5:5\" of level level_99.tsc left out"), std::string::npos);
}

}  // namespace
