// The first ring game of the quest as we ship it: set up from its entry in the quest's sequence,
// played headless through its summary, and the board level after it started with the bombs won
// lying on its runes.
#include "game/board/board_manager.h"
#include "play/game_modes.h"
#include "game/spells/bonus_manager_a.h"
#include "platform/errors.h"
#include "ring_fixtures.h"
#include "support/board_game.h"

namespace ring_test {
namespace {

constexpr int32_t kBomb = 3;

// The index of the sequence entry that names `file`; 0 when there is none.
int32_t EntryOf(const char* file) {
  for (int32_t index = sequencer->firstLevel; index <= sequencer->lastLevel; ++index) {
    sequencer->currentLevel = index;
    if (sequencer->Get() == 1 && sequencer->fileName == FromUtf8(file)) return index;
  }
  return 0;
}

TEST(RingQuest, TheFirstRingGamesBombsWaitOnTheRunesOfTheBoardLevelAfterIt) {
  if (FileType("data/ring_levels_lp.bca") != FILETYPE_FILE)
    GTEST_SKIP() << "the game folder holds no generated content";
  test_support::OpenScreen();
  test_support::MakeBoardGame();
  Output([] { ringGame->loadGfx(); });
  ringEmiterList->Clear();
  gameState = 1;
  readFromProfile = 0;
  headless::SetFrameCap(headless::FrameNumber() + 20000);

  Output([] { sequencer->Start(0); });
  const int32_t ringIndex = EntryOf("ring-01.tsc");
  ASSERT_GT(ringIndex, 0) << "no sequence entry for ring-01.tsc";
  ASSERT_EQ(sequencer->levelType, 3);
  EXPECT_EQ(Output([] { EXPECT_EQ(sequencer->setupLevel(), 1); }), "");
  const int popups = ringGame->popups->Count();
  EXPECT_EQ(popups, 3);

  // Four sequences won, then the player waits for the time to run out.
  constexpr int32_t kWon = 4;
  {
    ScriptedPlayer player;
    player.answerPopups = true;
    player.sequencesWanted = kWon;
    bool waited = false;
    player.before = [&](int) {
      if (!waited && ringGame->recivedSpells >= kWon && ringGame->seqDoneTime < 0) {
        waited = true;
        headless::AdvanceClock(static_cast<int32_t>(ringGame->totalTime));
      }
      return false;
    };
    EXPECT_EQ(ringGame->Play(0), 0);
    EXPECT_EQ(player.popupsAnswered, popups);
    EXPECT_GT(player.summaryFrames, 20) << "the summary was played";
  }
  EXPECT_EQ(ringGame->recivedSpells, kWon);
  EXPECT_EQ(ringGame->spells[kBomb - 1]->count, kWon) << "ring-01 wins bombs only";
  EXPECT_EQ(profile->GetNumber(S("RMGRecivedSpell3")), kWon);

  // The next entry is the board level that takes the bombs over.
  ASSERT_EQ(sequencer->nextLevel(), 1);
  Output([] { EXPECT_EQ(sequencer->setupLevel(), 1); });
  ASSERT_EQ(sequencer->levelType, 1);
  ASSERT_EQ(level->copySpellsFromRMG, 1);
  std::vector<int32_t> kinds;
  bool onRunes = true;
  headless::SetFrameCallback([&](int) {
    if (!kinds.empty()) return;
    for (const BonusAPtr& spell : *bonusManagerAlt->boardSpells) {
      kinds.push_back(spell->kind);
      onRunes = onRunes && board->runeIds[static_cast<size_t>(spell->cellX)]
                                         [static_cast<size_t>(spell->cellY)] != 0;
    }
    if (kinds.empty()) kinds.push_back(0);
    headless::CloseRequestAt(headless::FrameNumber() + 1);
  });
  bool ended = false;
  try {
    goGlyphor(0);
  } catch (const ProgramEnded&) {
    ended = true;
  }
  headless::SetFrameCallback(nullptr);
  EXPECT_TRUE(ended) << "the close request ends the program";
  EXPECT_EQ(kinds, std::vector<int32_t>(kWon, kBomb));
  EXPECT_TRUE(onRunes) << "every bomb lies on a rune";
  StopAllChannels();
}

}  // namespace
}  // namespace ring_test
