// A new player's profile and a quest cleared for a new start: the defaults in their order, what
// a cleared quest keeps, and a taken or refused name that leaves every profile as it was.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafiles/bca_archive.h"
#include "game/levels/level_manager.h"
#include "game/saved/new_profile.h"
#include "game/saved/saved_block.h"
#include "game_saved/saved_fixtures.h"

using namespace modes;

namespace {

class NewProfile : public testing::Test {
 protected:
  void SetUp() override { MakeGame(); }
};

// The key lines of a new profile, in the order they are written.
std::string NewProfileKeys() {
  auto zero = [](const std::string& key) { return "\t" + key + "=0.00000000\n"; };
  std::string keys = zero("puzzlesTime") + zero("puzzlesClicks") +
                     "\trevealedLevels=\"level_01.tsc\"\n" + zero("runesPrevBlock0") +
                     zero("runesPrevBlock1") + zero("runesPrevBlock2") + "\tlevel=1.00000000\n" +
                     "\tdifficulty=2.00000000\n";
  for (const char* key : {"pointsActual", "pointsTotal", "gameState", "endlessResume",
                          "timeResume", "timeTime", "runesSpellsCounter", "endlessSpellsCounter",
                          "timeSpellsCounter", "runesMultipler", "endlessMultipler",
                          "timeMultipler", "runesMultiplerTime", "endlessMultiplerTime",
                          "timeMultiplerTime", "seqHits", "rgTime", "recivedSpells"})
    keys += zero(key);
  keys += "\tshowTutorial=1.00000000\n";
  for (const char* key : {"levelRrecivedSpells", "levelDroppedSpells", "levelTime", "levelUsedBlocks"})
    keys += zero(key);
  for (int i = 0; i < 5; ++i)
    keys += zero("ballsFil" + std::to_string(i)) + zero("ballsLod" + std::to_string(i));
  for (int kind = 1; kind <= 6; ++kind) keys += zero("RMGRecivedSpell" + std::to_string(kind));
  return keys;
}

}  // namespace

TEST_F(NewProfile, HoldsEveryDefaultInOrderWrittenAtOnce) {
  EXPECT_EQ(CreateNewProfile(u"bob"), 0);
  ASSERT_TRUE(profile->current);
  EXPECT_EQ(profile->current->name, u"bob");
  // Written key by key: the file holds them all without any further save.
  EXPECT_EQ(profile_test::PlainText("bob.dat"), profile_test::ProfileText("Mirethorn", NewProfileKeys()));
  EXPECT_EQ(Items(profile->GetList(u"revealedLevels")), std::vector<std::string>{"level_01.tsc"});
  // The level the selector offers first is a board level the game ships.
  TSCFilePtr first = CreateTSCFile();
  ASSERT_EQ(LoadTSCFileBB(first, "data/runes_levels_lp.bca", u"level_01.tsc"), 1);
  EXPECT_FALSE(GetTSCGroupList(first, u"Board")->IsEmpty() && GetTSCKeyList(first, u"Board")->IsEmpty());
  for (const char16_t* key : {u"runes1", u"runesActualBlockSet", u"puzzles", u"revealedImages"})
    EXPECT_TRUE(Items(profile->GetList(key)).empty());
  // No saved block to resume.
  blocks->currentBlock = nullptr;
  LoadLastBlock(u"runes");
  EXPECT_FALSE(blocks->currentBlock);
}

TEST_F(NewProfile, ATakenOrRefusedNameWritesNothing) {
  ASSERT_EQ(CreateNewProfile(u"anna"), 0);
  profile->SetNumber(u"level", 7, 1);
  profile->SetNumber(u"pointsTotal", 9000, 1);
  const auto before = profile_test::FolderContent();
  struct Case {
    const char16_t* name;
    const char* said;
  };
  const Case cases[] = {{u"anna", "exists"}, {u"ANNA", "exists"}, {u"", "cannot be used"},
                        {u"../x", "cannot be used"}};
  for (const Case& c : cases) {
    const std::string out = Output([&] { EXPECT_EQ(CreateNewProfile(c.name), 0); });
    EXPECT_NE(out.find(c.said), std::string::npos) << out;
    EXPECT_EQ(profile_test::FolderContent(), before) << out;
    EXPECT_EQ(profile->current->name, u"anna");
    EXPECT_EQ(profile->GetNumber(u"level"), 7);
  }
}

TEST_F(NewProfile, ClearingTheQuestKeepsEverythingButTheQuestInProgress) {
  for (int flag : {1, 0}) {
    MakeGame();
    const String name = flag ? u"withflag" : u"noflag";
    ASSERT_EQ(CreateNewProfile(name), 0);
    for (const char16_t* key : {u"runes1", u"runes2", u"runes3", u"runesActualBlockSet",
                                u"runesActualBlockColor", u"puzzles", u"endless1", u"runesTimerLayer1",
                                u"runesBonuses"})
      profile->SetList(key, profile_test::ListOf({u"1:2:3"}), 0);
    for (const char16_t* key : {u"runesPrevBlock0", u"pointsActual", u"pointsTotal", u"level",
                                u"gameState", u"difficulty", u"ballsFil2", u"levelTime",
                                u"puzzlesTime", u"endlessPrevBlock0"})
      profile->SetNumber(key, 5, 0);
    ASSERT_TRUE(profile->SaveProfile());
    sequencer->firstLevel = 1;
    level->difficulty = 3;
    ClearProfile(flag);
    const std::string why = flag ? "flag 1" : "flag 0";
    // Written at once.
    const std::string text = profile_test::PlainText(ToUtf8(name) + ".dat");
    EXPECT_NE(text.find("\tpointsTotal=0.00000000\n"), std::string::npos) << why;
    for (const char16_t* key : {u"runes1", u"runes2", u"runes3", u"runesActualBlockSet",
                                u"runesActualBlockColor", u"puzzles"})
      EXPECT_TRUE(Items(profile->GetList(key)).empty()) << why << " " << ToUtf8(key);
    for (const char16_t* key : {u"endless1", u"runesTimerLayer1", u"runesBonuses"})
      EXPECT_EQ(Items(profile->GetList(key)), std::vector<std::string>{"1:2:3"}) << why;
    for (const char16_t* key : {u"runesPrevBlock0", u"pointsActual", u"pointsTotal"})
      EXPECT_EQ(profile->GetNumber(key), 0) << why;
    for (const char16_t* key : {u"ballsFil2", u"levelTime", u"puzzlesTime", u"endlessPrevBlock0"})
      EXPECT_EQ(profile->GetNumber(key), 5) << why;
    EXPECT_EQ(profile->GetNumber(u"level"), flag ? 1 : 5) << why;
    EXPECT_EQ(profile->GetNumber(u"gameState"), flag ? -3 : 5) << why;
    EXPECT_EQ(profile->GetNumber(u"difficulty"), flag ? 3 : 5) << why;
    EXPECT_EQ(Items(profile->GetList(u"revealedLevels")), std::vector<std::string>{"level_01.tsc"});
  }
}
