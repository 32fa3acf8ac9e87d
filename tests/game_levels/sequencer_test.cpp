// The quest's level sequence: the range of valid entries, the extra entry -1, setting up board
// levels, puzzles and ring games, and the voice clip picked for a level index.
#include "levels_fixtures.h"

#include <climits>

namespace {

class SequencerTest : public testing::Test {
 protected:
  void SetUp() override { levels::MakeSingletons(); }

  // A sequence file made in code, as Start leaves it.
  void UseSequence(const std::string& text, int32_t first, int32_t last, int32_t current) {
    sequencer->tsc = levels::Store(text);
    sequencer->firstLevel = first;
    sequencer->lastLevel = last;
    sequencer->currentLevel = current;
  }
};

const std::string kSequence =
    "Sequence {\n  FirstLevel = 1\n  LastLevel = 20\n"
    "  Level1 {\n    FileName = \"level_02.tsc\"\n    Type = 1\n  }\n"
    "  Level2 {\n    FileName = \"puzzle-01.tsc\"\n    Type = 2\n  }\n"
    "  Level3 {\n    FileName = \"ring-01.tsc\"\n    Type = 3\n  }\n"
    "  Level4 {\n    FileName = \"odd.tsc\"\n    Type = 4\n  }\n"
    "  Level20 {\n    FileName = \"last.tsc\"\n    Type = 1\n  }\n"
    "  LevelA {\n    FileName = \"extra.tsc\"\n    Type = 3\n  }\n}\n";

TEST_F(SequencerTest, OnlyIndicesInsideTheRangeAreEntries) {
  struct Case {
    int32_t first;
    int32_t index;
    int32_t got;
    std::string fileName;  // after Get ("keep" when unchanged)
    int32_t exists;
  };
  for (const Case& c : {Case{1, 20, 1, "last.tsc", 1}, Case{1, 21, 0, "keep", 0},
                        Case{1, 0, 0, "keep", 1}, Case{0, -1, 0, "keep", 1},
                        Case{-1, -1, 1, "extra.tsc", 1}}) {
    UseSequence(kSequence, c.first, 20, c.index);
    sequencer->fileName = S("keep");
    levels::Output([&] { EXPECT_EQ(sequencer->Get(), c.got) << "index " << c.index; });
    EXPECT_EQ(ToUtf8(sequencer->fileName), c.fileName) << "index " << c.index;
    EXPECT_EQ(sequencer->levelExists(), c.exists) << "index " << c.index;
  }
  UseSequence(kSequence, 1, 20, 0);
  EXPECT_EQ(sequencer->setupLevel(), 0);
  UseSequence(kSequence, 1, 20, 19);
  EXPECT_EQ(sequencer->nextLevel(), 1);
  EXPECT_EQ(sequencer->nextLevel(), 0);
  EXPECT_EQ(sequencer->currentLevel, 21);
}

TEST_F(SequencerTest, EachEntryTypeSetsUpItsGame) {
  UseSequence(kSequence, 1, 20, 2);
  EXPECT_EQ(sequencer->setupLevel(), 1);
  EXPECT_EQ(ToUtf8(puzzle->fileName), "puzzle-01.tsc");
  EXPECT_EQ(sequencer->levelType, 2);

  sequencer->currentLevel = 3;
  EXPECT_EQ(sequencer->setupLevel(), 1);
  EXPECT_EQ(ToUtf8(ringGame->fileName), "ring-01.tsc");

  sequencer->currentLevel = 4;
  EXPECT_EQ(sequencer->setupLevel(), 1) << "an unknown type prepares nothing but is an entry";
  EXPECT_TRUE(level->fileName.empty());
  EXPECT_EQ(sequencer->levelType, 4);
}

TEST_F(SequencerTest, ABoardEntryClearsTheBoardAndLoadsItsLevel) {
  UseSequence(kSequence, 1, 20, 1);
  board->gameOver = 1;
  board->runeIds[7][7] = 5;
  board->usable[14][14] = 0;
  gameState = 1;
  const std::string printed = levels::Output([] { EXPECT_EQ(sequencer->setupLevel(), 1); });

  EXPECT_EQ(printed.find("does not exist"), std::string::npos) << printed;
  EXPECT_EQ(board->gameOver, 0);
  EXPECT_EQ(board->runeIds[7][7], 0);
  EXPECT_EQ(ToUtf8(level->fileName), "level_02.tsc");
  EXPECT_EQ(level->levelNumber, 2);
  EXPECT_EQ(level->goalType, 1) << "a story level takes its goal from its file";
  EXPECT_NE(level->background, nullptr);
  EXPECT_NE(level->music, nullptr);
}

TEST_F(SequencerTest, StartReadsTheShippedQuest) {
  sequencer->Start(3);
  EXPECT_EQ(sequencer->currentLevel, 3);
  EXPECT_EQ(sequencer->firstLevel, 1);
  EXPECT_GE(sequencer->lastLevel, sequencer->firstLevel);
  ASSERT_EQ(sequencer->Get(), 1);
  EXPECT_EQ(sequencer->levelType, 1);
  EXPECT_FALSE(sequencer->fileName.empty());
}

TEST_F(SequencerTest, WithoutASequenceFileOnlyIndexZeroIsAnEmptyEntry) {
  bundleDir = test_support::TempHome() + "/nothing/";
  const std::string printed = levels::Output([] { sequencer->Start(0); });
  EXPECT_NE(printed.find("The key Sequence::FirstLevel does not exist"), std::string::npos);
  EXPECT_EQ(sequencer->lastLevel, 0);
  levels::Output([] { EXPECT_EQ(sequencer->setupLevel(), 1); });
  EXPECT_EQ(sequencer->levelType, 0);
  EXPECT_TRUE(sequencer->fileName.empty());
}

TEST(LevelVoiceClipTest, EveryIndexNamesOneOfTheFiveClips) {
  struct Case {
    int32_t index;
    int32_t clip;
  };
  for (const Case& c : {Case{0, 10}, Case{1, 11}, Case{2, 12}, Case{3, 8}, Case{7, 12},
                        Case{-1, 9}, Case{-2, 8}, Case{-3, 12}, Case{-7, 8},
                        Case{INT_MAX, 12}, Case{INT_MIN, 12}})
    EXPECT_EQ(LevelVoiceClip(c.index), c.clip) << "index " << c.index;
}

}  // namespace
