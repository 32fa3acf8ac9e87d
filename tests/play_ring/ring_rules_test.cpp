// The ring game's rules: the level file and its repairs, the hit boxes, sequences, clicks, the
// rune timer, the pause after a finished sequence and the spells won.
#include <map>

#include "ring_fixtures.h"

namespace ring_test {
namespace {

TEST_F(RingGame, HitBoxesIncludeEveryEdgeAndNothingBeyond) {
  struct Case {
    int32_t x, y, tile;
  } cases[] = {
      {235, 125, 0},  {236, 125, -1}, {185, 65, 0},   {184, 65, -1},  {185, 64, -1},
      {210, 125, 0},  {110, 195, 6},  {135, 525, 9},  {135, 526, -1}, {565, 95, 10},
      {564, 95, -1},  {615, 465, 14}, {665, 265, 17}, {715, 525, 19}, {716, 525, -1},
      {400, 260, -1}, {210, 160, -1},  // between the rows
  };
  for (const Case& c : cases) {
    mouse->x = c.x;
    mouse->y = c.y;
    EXPECT_EQ(ringGame->checkRows(), c.tile) << c.x << ", " << c.y;
  }
}

TEST_F(RingGame, SequencesShowRunesOneToNineteenWithRuneTwoTwiceAsOften) {
  std::map<int32_t, int> seen;
  for (int n = 0; n < 4000; ++n) {
    ringGame->createSequence(4);
    EXPECT_EQ(ringGame->seqPos, 0);
    EXPECT_EQ(ringGame->seqLast, 4);
    for (int32_t i = 0; i < TRingGame::kMaxSequence; ++i) {
      const int32_t rune = ringGame->sequence[static_cast<size_t>(i)];
      if (i > 4) {
        ASSERT_EQ(rune, -1);
      } else {
        ASSERT_GE(rune, 1);
        ASSERT_LE(rune, 19);
        ++seen[rune];
      }
    }
  }
  // 20000 draws: rune 2 about 2000 times, each other about 1000.
  EXPECT_NEAR(seen[2], 2000, 250);
  for (int32_t rune = 1; rune <= 19; ++rune)
    if (rune != 2) {
      EXPECT_NEAR(seen[rune], 1000, 170) << rune;
    }
}

TEST_F(RingGame, TheLevelFileSetsTheLevel) {
  const std::string out = LoadLevel(
      "Music = \"sfx/game-song-2.ogg\"\nTime = 90000\nSequenceLength = 3\n"
      "AvailableSpells = \"1 3 5\"\nRuneTime = 5000.9\nLevelNumber = 1\n");
  EXPECT_EQ(out, "");
  const TRingGame& g = *ringGame;
  EXPECT_EQ(ToUtf8(g.music), "sfx/game-song-2.ogg");
  EXPECT_EQ(g.totalTime, 90000.0f);
  EXPECT_EQ(g.levelSeqLast, 2);
  EXPECT_EQ(g.runeTime, 5000);
  ASSERT_EQ(g.availableSpells->Count(), 3);
  EXPECT_EQ(ToUtf8(g.availableSpells->ValueAtIndex(2)), "5");
}

// A length above 20 would overrun the sequence; one of 0 or less would leave rune -1, which a
// click beside the tiles would match.
TEST_F(RingGame, SequenceLengthsAreHeldToOneToTwentyWithALineNamingTheFile) {
  struct Case {
    std::string keys;
    int32_t last;
    bool named;
  } cases[] = {
      {"SequenceLength = 1\n", 0, false},   {"SequenceLength = 4.9\n", 3, false},
      {"SequenceLength = 20\n", 19, false}, {"SequenceLength = 20.5\n", 19, false},
      {"SequenceLength = 0.5\n", 0, false}, {"SequenceLength = 21\n", 19, true},
      {"SequenceLength = 1000000000000\n", 19, true}, {"SequenceLength = 0\n", 0, true},
      {"SequenceLength = -3\n", 0, true},   {"Time = 5\n", 0, true},
  };
  for (const Case& c : cases) {
    const std::string out = LoadLevel(c.keys);
    EXPECT_EQ(ringGame->levelSeqLast, c.last) << c.keys;
    EXPECT_EQ(out.find("Ring level test.tsc: SequenceLength") != std::string::npos, c.named)
        << c.keys << out;
  }
  // The level without a length plays sequences of one rune: a click beside the tiles wins
  // nothing, the rune shown does.
  Output([] { ringGame->LoadFrom(Store("Settings {\nAvailableSpells = \"3\"\n}\n"), S("x")); });
  ringGame->createSequence(ringGame->levelSeqLast);
  ClickTile(-1);
  EXPECT_EQ(ringGame->seqHits, 0);
  EXPECT_EQ(ringGame->recivedSpells, 0);
  ClickTile(ringGame->sequence[0]);
  EXPECT_EQ(ringGame->seqHits, 1);
  EXPECT_EQ(ringGame->recivedSpells, 1);
  EXPECT_EQ(ringGame->progress, 1.0f);
}

TEST_F(RingGame, ARightClickMovesOnAWrongTileOnlySoundsAndBesideTheTilesNothingHappens) {
  ringGame->createSequence(2);
  ringGame->sequence = {};
  ringGame->sequence.fill(-1);
  ringGame->sequence[0] = 3;
  ringGame->sequence[1] = 7;
  ringGame->sequence[2] = 7;
  ringGame->resetRune();
  const int32_t shown = ringGame->runeStart;
  headless::AdvanceClock(100);

  ClickTile(7);  // wrong: 3 is shown
  EXPECT_EQ(Sounds(), kWrongLevel);
  EXPECT_EQ(ringGame->seqPos, 0);
  EXPECT_EQ(ringGame->runeStart, shown);
  ClickTile(-1);
  EXPECT_EQ(Sounds(), kWrongLevel);
  EXPECT_EQ(ringGame->seqHits, 0);

  ClickTile(3);
  EXPECT_EQ(Sounds(), kWrongLevel + kRightLevel);
  EXPECT_EQ(ringGame->seqPos, 1);
  EXPECT_EQ(ringGame->seqHits, 1);
  EXPECT_FLOAT_EQ(ringGame->progress, 1.0f / 3.0f);
  EXPECT_EQ(ringGame->ballScale, 3.0f);
  EXPECT_EQ(ringGame->runeStart, MilliSecs());
  ClickTile(7);
  EXPECT_EQ(ringGame->seqPos, 2);
  EXPECT_EQ(ringGame->seqDoneTime, -1);
}

TEST_F(RingGame, TheRuneTimerRunsOnlyAfterTheFirstRuneOfASequence) {
  LoadLevel("SequenceLength = 3\nRuneTime = 4000\n");
  ringGame->createSequence(ringGame->levelSeqLast);
  ringGame->resetRune();
  headless::AdvanceClock(60000);  // waiting on the first rune is never punished
  ringGame->updateSequence();
  EXPECT_EQ(Sounds(), 0);
  const int32_t second = ringGame->sequence[1];
  ClickTile(ringGame->sequence[0]);
  ASSERT_EQ(ringGame->seqPos, 1);
  headless::AdvanceClock(4000);  // exactly the rune time: still in time
  ringGame->updateSequence();
  EXPECT_EQ(ringGame->seqPos, 1);
  headless::AdvanceClock(1);
  ringGame->updateSequence();
  EXPECT_EQ(ringGame->seqPos, 0);
  EXPECT_EQ(ringGame->progress, 0.0f);
  EXPECT_EQ(ringGame->ballAlpha, 0.0f);
  EXPECT_EQ(ringGame->sequence[1], second) << "the same sequence again from its first rune";
  EXPECT_EQ(Sounds(), kRightLevel + kTimeOutLevel);
  EXPECT_EQ(ringGame->seqHits, 1) << "hits are kept";
}

TEST_F(RingGame, AFinishedSequenceWinsASpellAndIgnoresClicksForASecond) {
  LoadLevel("SequenceLength = 1\nAvailableSpells = \"3\"\n");
  ringGame->createSequence(0);
  ClickTile(ringGame->sequence[0]);
  const TRingGame& g = *ringGame;
  EXPECT_EQ(g.seqHits, 1);
  EXPECT_EQ(g.recivedSpells, 1);
  EXPECT_EQ(g.spells[2]->count, 1);
  EXPECT_EQ(ringEmiterList->Count(), 1) << "a burst on the icon";
  EXPECT_EQ(g.seqDoneTime, MilliSecs());
  EXPECT_EQ(g.progress, 1.0f);
  EXPECT_EQ(Sounds(), kRightLevel + kSpellLevel);

  headless::AdvanceClock(1000);
  ClickTile(g.sequence[0]);  // inside the pause: ignored without a sound
  ClickTile(g.sequence[0] == 1 ? 4 : 1);
  EXPECT_EQ(g.seqHits, 1);
  EXPECT_EQ(Sounds(), kRightLevel + kSpellLevel);
  EXPECT_EQ(g.seqDoneTime, MilliSecs() - 1000);
  headless::AdvanceClock(1);
  ringGame->updateSequence();
  EXPECT_EQ(g.seqDoneTime, -1);
  EXPECT_EQ(g.progress, 0.0f);
  ClickTile(g.sequence[0]);
  EXPECT_EQ(g.seqHits, 2);

  // Without spells to win a sequence counts no spell.
  LoadLevel("SequenceLength = 1\n");
  headless::AdvanceClock(1001);
  ringGame->updateSequence();
  ClickTile(g.sequence[0]);
  EXPECT_EQ(g.seqHits, 3);
  EXPECT_EQ(g.recivedSpells, 2);
}

TEST_F(RingGame, EachListedSpellHasTheSameChanceAndUnknownKindsCountWithoutAnIcon) {
  LoadLevel("AvailableSpells = \"2 2 5\"\n");
  for (int n = 0; n < 3000; ++n) ringGame->AddSpell();
  const int vanish = ringGame->spells[1]->count, heal = ringGame->spells[4]->count;
  EXPECT_EQ(vanish + heal, 3000);
  EXPECT_NEAR(vanish, 2000, 120);

  // "9" and the empty piece of a doubled space name no icon.
  LoadLevel("SequenceLength = 1\nAvailableSpells = \"9  9\"\n");
  ringEmiterList->Clear();
  ringGame->createSequence(0);
  ClickTile(ringGame->sequence[0]);
  EXPECT_EQ(ringGame->recivedSpells, 1);
  EXPECT_EQ(ringEmiterList->Count(), 0);
  EXPECT_EQ(Sounds(), kRightLevel + kSpellLevel);
}

TEST_F(RingGame, ResetStartsEveryTileOffScreenAndClearsTheLevelsCounts) {
  ringGame->seqHits = 12;
  ringGame->recivedSpells = 3;
  ringGame->resetParams();
  const TRingGame& g = *ringGame;
  EXPECT_EQ(g.seqHits, 0);
  EXPECT_EQ(g.recivedSpells, 0);
  EXPECT_EQ(g.phase, TRingGame::kRingZooms);
  EXPECT_EQ(g.startTime, MilliSecs());
  struct Case {
    int32_t tile;
    float x;
    int32_t y;
    float speed;
    int32_t delay;
  } cases[] = {{0, -100, 95, 8, 30},   {4, -292, 495, 8, 54},  {5, -200, 95, 8, 30},
               {12, 996, 295, -8, 42}, {15, 1000, 95, -8, 30}, {19, 1192, 495, -8, 54}};
  for (const Case& c : cases) {
    const TPapier& t = *g.tiles[static_cast<size_t>(c.tile)];
    EXPECT_EQ(t.x, c.x) << c.tile;
    EXPECT_EQ(t.y, c.y) << c.tile;
    EXPECT_EQ(t.speed, c.speed) << c.tile;
    EXPECT_EQ(t.delay, c.delay) << c.tile;
  }
}

}  // namespace
}  // namespace ring_test

namespace ring_test {
namespace {

TEST_F(RingGame, TheShippedRingLevelsLoadWithTheirPopups) {
  if (FileType("data/ring_levels_lp.bca") != FILETYPE_FILE) GTEST_SKIP() << "no generated content";
  struct Case {
    const char* name;
    float time;
    int32_t last, runeTime, spells, popups;
  } cases[] = {{"ring-01.tsc", 90000.0f, 2, 5000, 1, 3}, {"ring-02.tsc", 120000.0f, 3, 4000, 4, 1}};
  for (const Case& c : cases) {
    const std::string out = Output([&] { ringGame->Load(FromUtf8(c.name)); });
    EXPECT_EQ(out, "") << c.name;
    EXPECT_EQ(ringGame->totalTime, c.time) << c.name;
    EXPECT_EQ(ringGame->levelSeqLast, c.last) << c.name;
    EXPECT_EQ(ringGame->runeTime, c.runeTime) << c.name;
    EXPECT_EQ(ringGame->availableSpells->Count(), c.spells) << c.name;
    EXPECT_EQ(ringGame->popups->Count(), c.popups) << c.name << ": a second Load does not add";
    EXPECT_FALSE(ringGame->music.empty()) << c.name;
  }
}

}  // namespace
}  // namespace ring_test
