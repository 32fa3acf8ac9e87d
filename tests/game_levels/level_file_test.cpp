// Loading board level files: every key, the missing-key defaults, the forcing of goal and
// ring-game spells for selector levels, the archive entry, plain files and the fallback entries.
#include "datafiles/bca_archive.h"
#include "levels_fixtures.h"

namespace {

using levels::Items;
using levels::LevelText;
using levels::Output;
using levels::WriteHomeFile;

std::string RuneRows() {
  std::string rows = "Runes {\n  Read = \"1\"\n";
  for (int k = 1; k <= 15; ++k)
    rows += "  Line" + std::to_string(k) + " = \"" + (k == 1 ? "1 2 0 0" : "0 0 0 0") + "\"\n";
  rows += "}\nFrame {\n";
  for (const char* count : {"LQ", "RQ", "TQ", "BQ", "LUCQ", "RUCQ", "LLCQ", "RLCQ"})
    rows += std::string("  ") + count + " = 0\n";
  return rows + "}\n";
}

const std::string kEveryKey =
    "    Number = 17\n    CopySpellsFromRMG = 1\n    GoalType = 3\n"
    "    AvailableRunes = \"1 2 5\"\n    AvailableBlocks = \"1 4 12\"\n"
    "    AvailableSpells = \"2 5\"\n    PetrifyTime = 18000\n    Time = 90.5\n"
    "    SpheresColors = \"1 2 0 0 0\"\n    SpheresCapacities = \"10 12 0 0 0\"\n"
    "    BossRunes = \"3:4:4 3:9:4\"\n";

class LevelFileTest : public testing::Test {
 protected:
  void SetUp() override {
    levels::MakeSingletons();
    bossManager->tsc = levels::Store(
        "List {\n  Boss {\n    id = \"3\"\n    color = \"2\"\n"
        "    fileNameBoss = \"gfx/boss/b-03m.png\"\n    fileNameBossBig = \"gfx/boss/b-03.png\"\n"
        "  }\n}\n");
  }

  // Loads a plain level file written from `text`.
  std::string LoadPlain(const std::string& text, int32_t timed) {
    level->Set(FromUtf8(WriteHomeFile("mine/level.tsc", text)));
    return Output([&] { level->Load(timed); });
  }
};

TEST_F(LevelFileTest, EveryKeyReachesItsOwner) {
  level->difficulty = 3;
  level->matches = 4;
  const std::string printed = LoadPlain(LevelText(kEveryKey, RuneRows()), 0);

  EXPECT_EQ(printed.find("does not exist"), std::string::npos) << printed;
  EXPECT_EQ(level->levelNumber, 17);
  EXPECT_EQ(level->copySpellsFromRMG, 1);
  EXPECT_EQ(level->goalType, 3);
  EXPECT_EQ(ToUtf8(level->backgroundImage), "gfx/slides/3a.jpg");
  EXPECT_EQ(Items(slides->revealedImages), std::vector<std::string>{"gfx/slides/3a.jpg"});
  EXPECT_EQ(Items(blocks->availableRunes), (std::vector<std::string>{"1", "2", "5"}));
  EXPECT_EQ(Items(blocks->availableBlocks), (std::vector<std::string>{"1", "4", "12"}));
  EXPECT_EQ(Items(level->availableSpells), (std::vector<std::string>{"2", "5"}));
  EXPECT_EQ(board->petrifyTime, 18000);
  EXPECT_EQ(board->usable[3][3], 1);
  EXPECT_EQ(board->usable[4][0], 0);
  EXPECT_EQ(board->usable[0][4], 0);
  EXPECT_EQ(board->runeIds[1][0], 2);
  ASSERT_NE(board->frameList, nullptr);
  EXPECT_GT(board->frameList->Count(), 0) << "the frame is laid out from the shape";
  EXPECT_EQ(magicSphere->colours[1], 2);
  EXPECT_EQ(magicSphere->capacities[1], 12.0f);
  EXPECT_EQ(timeManager->limit, 90500);
  ASSERT_EQ(bossManager->bossRunes->Count(), 2) << printed;
  EXPECT_EQ(bossManager->bossRunes->First()->cellX, 4);
  EXPECT_EQ(ToUtf8(level->songName), "sfx/game-song-2.ogg");
  EXPECT_EQ(level->tsc, nullptr);
  // Loading a file is not the start of a level: these stay as they were.
  EXPECT_EQ(level->difficulty, 3);
  EXPECT_EQ(level->matches, 4);
}

TEST_F(LevelFileTest, MissingKeysReadAsZeroAndEmpty) {
  board->petrifyTime = 15000;
  timeManager->limit = 5000;
  const std::string printed = LoadPlain("Other {\n  Name = \"x\"\n}\n", 0);

  EXPECT_NE(printed.find("The key Settings::Level::Number does not exist"), std::string::npos);
  EXPECT_NE(printed.find("The key Settings::Graphics::BackgroundImage does not exist"),
            std::string::npos);
  EXPECT_EQ(level->levelNumber, 0);
  EXPECT_EQ(level->goalType, 0);
  EXPECT_EQ(level->copySpellsFromRMG, 0);
  EXPECT_EQ(board->petrifyTime, 0);
  EXPECT_EQ(timeManager->limit, 0);
  EXPECT_EQ(level->availableSpells->Count(), 0);
  EXPECT_EQ(bossManager->bossRunes->Count(), 0);
  EXPECT_TRUE(level->songName.empty());
  // The empty background name counts as revealed, once.
  LoadPlain("Other {\n  Name = \"x\"\n}\n", 0);
  EXPECT_EQ(Items(slides->revealedImages), std::vector<std::string>{""});
}

TEST_F(LevelFileTest, SelectorLevelsPlayForTheSphereWithoutRingSpells) {
  struct Case {
    int32_t timed;
    int32_t goal;
    int32_t copy;
    int32_t bosses;
  };
  for (const Case& c : {Case{1, 1, 0, 0}, Case{0, 3, 1, 2}}) {
    LoadPlain(LevelText(kEveryKey), c.timed);
    EXPECT_EQ(level->goalType, c.goal) << "timed " << c.timed;
    EXPECT_EQ(level->copySpellsFromRMG, c.copy) << "timed " << c.timed;
    EXPECT_EQ(bossManager->bossRunes->Count(), c.bosses) << "timed " << c.timed;
  }
}

TEST_F(LevelFileTest, SpellKindsSplitAtEverySingleSpace) {
  struct Case {
    std::string value;
    std::vector<std::string> kinds;
  };
  for (const Case& c : {Case{"", {}}, Case{"1 3", {"1", "3"}}, Case{"1  3", {"1", "", "3"}}}) {
    LoadPlain(LevelText("    AvailableSpells = \"" + c.value + "\"\n"), 0);
    EXPECT_EQ(Items(level->availableSpells), c.kinds) << '"' << c.value << '"';
  }
}

TEST_F(LevelFileTest, AnArchiveEntryIsReadByItsName) {
  level->Set(S("level_01.tsc"));
  const std::string printed = Output([] { level->Load(0); });
  EXPECT_EQ(printed.find("does not exist"), std::string::npos) << printed;
  EXPECT_EQ(level->levelNumber, 1);
  EXPECT_EQ(level->goalType, 2);
}

TEST_F(LevelFileTest, UnreadablePlainFilesFallBackToTheModesFirstLevel) {
  struct Case {
    std::string name;  // a damaged or a missing plain file
    int32_t timed;
    std::string fallbackEntry;
  };
  const std::string damaged =
      WriteHomeFile("mine/damaged.tsc", "Settings {\n  Level {\n    Number = ");
  for (const Case& c :
       {Case{damaged, 1, "level_timed_01.tsc"}, Case{damaged, 0, "level_endless_01.tsc"},
        Case{"no/such/level.tsc", 1, "level_timed_01.tsc"}}) {
    TSCFilePtr fallback = CreateTSCFile();
    ASSERT_EQ(LoadTSCFileBB(fallback, "data/runes_levels_lp.bca", FromUtf8(c.fallbackEntry)), 1);
    const auto number =
        static_cast<int32_t>(GetTSCNumberKey(fallback, S("Settings::Level"), S("Number")));
    ASSERT_NE(number, 0);

    level->Set(FromUtf8(c.name));
    const std::string printed = Output([&] { level->Load(c.timed); });
    EXPECT_EQ(printed.find("does not exist"), std::string::npos) << printed;
    EXPECT_EQ(level->levelNumber, number) << c.name << " timed " << c.timed;
  }
}

TEST_F(LevelFileTest, WithoutTheArchiveAnUnreadableFileLeavesTheDefaults) {
  bundleDir = test_support::TempHome() + "/nothing/";
  for (int32_t timed : {0, 1}) {
    level->Set(S("level_timed_01.tsc"));
    const std::string printed = Output([&] { level->Load(timed); });
    EXPECT_NE(printed.find("The key Settings::Level::Number does not exist"), std::string::npos);
    EXPECT_EQ(level->levelNumber, 0);
    EXPECT_EQ(level->goalType, timed == 1 ? 1 : 0);
  }
}

}  // namespace
