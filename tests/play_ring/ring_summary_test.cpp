// The ring game's summary scroll step by step and its text, the ring game's keys in the
// profile, and the spells that board levels copy from them.
#include <chrono>

#include "game/spells/bonus_manager_a.h"
#include "game_board/board_play_fixtures.h"
#include "play/ring/ring_scroll.h"
#include "ring_fixtures.h"
#include "toolkit/drawing.h"

namespace ring_test {
namespace {

constexpr int16_t kOutLevel = 7;

class RingSummary : public RingGame {
 protected:
  void SetUp() override {
    RingGame::SetUp();
    sparkImages[1] = test_support::SolidImage(4, 4, 0xFFFFFFFFu);
    ringGame->sounds[TRingGame::kSummaryOutSound] = app_test::ConstantSound(kOutLevel);
    ringGame->ringScale = 1.0f;
    ringGame->ringAlpha = 1.0f;
  }

  // Advances the scroll frame by frame, `ms` apart, until it reaches `step`; the frames taken.
  int RunTo(TRingScroll& s, int32_t step, int32_t ms = 17) {
    int frames = 0;
    while (s.step != step && frames < 2000) {
      now_ += ms;
      s.Advance(*ringGame, now_, false);
      ++frames;
    }
    return frames;
  }
  void Frame(TRingScroll& s, int32_t ms, bool click) {
    now_ += ms;
    s.Advance(*ringGame, now_, click);
  }
  // The text of the row drawn at (x, y).
  static std::string RowAt(const TRingScroll& s, int32_t x, int32_t y) {
    for (const TRingScroll::Row& row : s.Rows(*ringGame))
      if (row.x == x && row.y == y) return ToUtf8(row.text);
    return "(none)";
  }

  int32_t now_ = MilliSecs();
};

TEST_F(RingSummary, TwelveHitsFromAThousandCountUpTickByTick) {
  ringGame->seqHits = 12;
  points->totalPoints = 1000;
  TRingScroll s = TRingScroll::Begin(*ringGame);
  EXPECT_EQ(points->totalPoints, 7000) << "banked before the first frame";
  EXPECT_EQ(RowAt(s, 440, 334), "6000");
  EXPECT_EQ(RowAt(s, 440, 371), "1000");
  EXPECT_EQ(RunTo(s, TRingScroll::kUnroll), 10) << "the fade-in takes ten frames";
  RunTo(s, TRingScroll::kPause);
  EXPECT_EQ(s.halfOpen, TRingScroll::kFullyOpen);
  RunTo(s, TRingScroll::kCount);
  for (int tick = 1; tick <= 12; ++tick) {
    Frame(s, 30, false);  // not yet a tick
    EXPECT_EQ(s.bonusLeft, 13 - tick);
    Frame(s, 30, false);
    EXPECT_EQ(s.bonusLeft, 12 - tick);
    EXPECT_EQ(s.bonusLeft * 500 + s.shownTotal, 7000);
  }
  EXPECT_EQ(RowAt(s, 440, 334), "0");
  EXPECT_EQ(RowAt(s, 440, 371), "7000");
  EXPECT_EQ(s.step, TRingScroll::kCount);
  Frame(s, 17, true);  // the count ends in this frame; its click is not looked at
  EXPECT_EQ(s.step, TRingScroll::kWait);
  Frame(s, 17, false);
  EXPECT_EQ(s.step, TRingScroll::kWait);
  Frame(s, 17, true);
  EXPECT_EQ(s.step, TRingScroll::kRollUp);
  EXPECT_EQ(Sounds(), kOutLevel);
  RunTo(s, TRingScroll::kFadeOut);
  EXPECT_EQ(s.halfOpen, 0);
  EXPECT_EQ(RunTo(s, TRingScroll::kRingSwells), 11);
  EXPECT_EQ(RunTo(s, TRingScroll::kRingFades), 21) << "from 1.0 to 3.0 by 0.1";
  EXPECT_EQ(s.frameAlpha, 0.0f);
  RunTo(s, TRingScroll::kDone, 50);
  EXPECT_EQ(ringGame->ringAlpha, 0.0f);
  EXPECT_EQ(points->totalPoints, 7000);
}

TEST_F(RingSummary, WithoutHitsTheCountPassesInOneFrameAndWaitsForAClick) {
  points->totalPoints = 1000;
  TRingScroll s = TRingScroll::Begin(*ringGame);
  EXPECT_EQ(points->totalPoints, 1000);
  RunTo(s, TRingScroll::kCount);
  EXPECT_EQ(RowAt(s, 440, 334), "0");
  Frame(s, 17, false);
  EXPECT_EQ(s.step, TRingScroll::kWait);
  RunTo(s, TRingScroll::kRollUp, 17);  // never without a click
  EXPECT_EQ(s.step, TRingScroll::kWait);
}

TEST_F(RingSummary, AClickDuringTheCountShowsTheTotalAtOnceAndRollsUpSilently) {
  ringGame->seqHits = 12;
  points->totalPoints = 1000;
  TRingScroll s = TRingScroll::Begin(*ringGame);
  RunTo(s, TRingScroll::kCount);
  Frame(s, 60, false);
  Frame(s, 60, true);  // a tick frame with a click
  EXPECT_EQ(s.step, TRingScroll::kRollUp);
  EXPECT_EQ(s.bonusLeft, 0);
  EXPECT_EQ(s.shownTotal, 7000);
  EXPECT_EQ(Sounds(), 0);
}

TEST_F(RingSummary, TheScrollNamesBombsOnlyAtSequencerIndexFourAndShowsTheLevelsWholeTime) {
  struct Case {
    int32_t currentLevel;
    int32_t spells;
    std::string count, word;
  } cases[] = {
      {4, 1, "1", "bomb"}, {4, 3, "3", "bombs"}, {4, 0, "0", "bombs"}, {5, 3, "3", "(none)"}};
  ringGame->totalTime = 90000.0f;
  for (const Case& c : cases) {
    sequencer->currentLevel = c.currentLevel;
    ringGame->recivedSpells = c.spells;
    TRingScroll s = TRingScroll::Begin(*ringGame);
    EXPECT_EQ(RowAt(s, 440, 255), c.count);
    EXPECT_EQ(RowAt(s, 462, 255), c.word) << c.currentLevel << " " << c.spells;
    EXPECT_EQ(RowAt(s, 300, 297), "Time:");
    EXPECT_EQ(RowAt(s, 440, 297), "1:30") << "the level's length, whatever was played";
  }
}

TEST_F(RingSummary, OnlyTheTimeLineShowsWhileTheScrollIsShut) {
  TRingScroll s = TRingScroll::Begin(*ringGame);
  for (const TRingScroll::Row& row : s.Rows(*ringGame)) {
    const bool shown = s.halfOpen > row.opening && isTextInViewport(row.testY, 300, 0) == 1;
    EXPECT_EQ(shown, row.y == 297) << ToUtf8(row.text);
  }
}

TEST_F(RingSummary, TheKeysOfAGameSavedAfterThirtySecondsComeBackWithASwingOfTwentyTwo) {
  MakeProfile();
  TRingGame& g = *ringGame;
  g.totalTime = 120000.0f;
  g.startTime = MilliSecs() - 30000;
  g.seqHits = 9;
  g.recivedSpells = 3;
  g.spells[0]->count = 2;
  g.spells[2]->count = 1;
  g.SaveToProfile();
  const int32_t keys[] = {9, 30000, 3, 2, 0, 1, 0, 0, 0};
  const char* names[] = {"seqHits",          "rgTime",           "recivedSpells",
                         "RMGRecivedSpell1", "RMGRecivedSpell2", "RMGRecivedSpell3",
                         "RMGRecivedSpell4", "RMGRecivedSpell5", "RMGRecivedSpell6"};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(profile->GetNumber(S(names[i])), keys[i]) << names[i];

  ringGame = std::make_shared<TRingGame>();
  MakeRing();
  TRingGame& h = *ringGame;
  h.totalTime = 120000.0f;
  headless::AdvanceClock(3600000);
  h.LoadFromProfile();
  EXPECT_EQ(h.seqHits, 9);
  EXPECT_EQ(h.recivedSpells, 3);
  EXPECT_EQ(ElapsedMs(MilliSecs(), h.startTime), 30000) << "90 s of the level are left";
  EXPECT_EQ(h.pendulumAmplitude, 22);
  EXPECT_EQ(h.spells[0]->count, 2);
  EXPECT_EQ(h.spells[2]->count, 1);
  // A level without time has no swing to restore.
  h.totalTime = 0.0f;
  h.LoadFromProfile();
  EXPECT_EQ(h.pendulumAmplitude, 0);
}

TEST_F(RingSummary, WithoutACurrentProfileAResumeStartsAfreshAndNothingIsCopied) {
  const std::string folder = test_support::TempHome() + "/empty";
  std::filesystem::create_directories(folder);
  profile = TProfileManager::Create(folder, "dat");
  ASSERT_FALSE(profile->current);
  ringGame->totalTime = 120000.0f;
  ringGame->seqHits = 4;
  ringGame->spells[2]->count = 1;
  ringGame->SaveToProfile();
  ringGame->startTime = MilliSecs() - 5000;
  ringGame->LoadFromProfile();
  EXPECT_EQ(ringGame->seqHits, 0);
  EXPECT_EQ(ringGame->spells[2]->count, 0);
  EXPECT_EQ(ringGame->startTime, MilliSecs()) << "the whole level time";
  EXPECT_EQ(ringGame->pendulumAmplitude, 30);
  play::MakePlay();
  bonusManagerAlt = std::make_shared<TBunusManagerA>();
  play::PutRow(0, 0, {1, 2, 3});
  TRingGame::CopySpells();
  EXPECT_TRUE(bonusManagerAlt->boardSpells->IsEmpty());
}

TEST_F(RingSummary, BoardLevelsCopyTheSpellsWonKindByKindAndTheKeysStay) {
  MakeProfile();
  const int32_t counts[6] = {2, 0, 1, 0, 0, 0};
  for (int32_t kind = 1; kind <= 6; ++kind)
    profile->SetNumber(S("RMGRecivedSpell") + FromInt(kind), counts[kind - 1], 0);
  for (int round = 0; round < 2; ++round) {
    play::MakePlay();
    bonusManagerAlt = std::make_shared<TBunusManagerA>();
    for (int y = 0; y < 4; ++y) play::PutRow(0, y, {1, 2, 3, 4, 5, 1, 2, 3});
    TRingGame::CopySpells();
    std::vector<int32_t> kinds;
    for (const BonusAPtr& spell : *bonusManagerAlt->boardSpells) kinds.push_back(spell->kind);
    EXPECT_EQ(kinds, (std::vector<int32_t>{1, 1, 3})) << "round " << round;
    EXPECT_EQ(level->receivedSpells, 3);
  }
  EXPECT_EQ(profile->GetNumber(S("RMGRecivedSpell1")), 2);
}

// A damaged profile's count far beyond the board: the spells fill the free cells and the level
// starts at once (one AddBonus at a time would take an hour and a half).
TEST_F(RingSummary, AHugeSavedSpellCountFillsTheBoardAndReturnsAtOnce) {
  MakeProfile();
  profile->SetNumber(S("RMGRecivedSpell1"), 2147483647, 0);
  profile->SetNumber(S("RMGRecivedSpell3"), 2, 0);
  play::MakePlay();
  bonusManagerAlt = std::make_shared<TBunusManagerA>();
  for (int y = 0; y < 2; ++y) play::PutRow(0, y, {1, 2, 3, 4, 5, 1, 2, 3});
  const auto start = std::chrono::steady_clock::now();
  TRingGame::CopySpells();
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, std::chrono::seconds(1));
  std::vector<int32_t> kinds;
  for (const BonusAPtr& spell : *bonusManagerAlt->boardSpells) kinds.push_back(spell->kind);
  EXPECT_EQ(kinds, std::vector<int32_t>(16, 1)) << "every rune holds a spell of the first kind";
  EXPECT_EQ(level->receivedSpells, 16);
}

// Counts from a damaged profile: held to what play can reach, and the bank stops at the largest
// total instead of wrapping to a negative one that the quest would then save.
TEST_F(RingSummary, HugeSavedCountsBankASaturatedNonNegativeTotal) {
  MakeProfile();
  profile->SetNumber(S("seqHits"), 5000000, 0);
  profile->SetNumber(S("recivedSpells"), -4, 0);
  profile->SetNumber(S("RMGRecivedSpell2"), 2147483647, 0);
  ringGame->LoadFromProfile();
  EXPECT_EQ(ringGame->seqHits, 5000000);
  EXPECT_EQ(ringGame->recivedSpells, 0);
  EXPECT_EQ(ringGame->spells[1]->count, kMostCount);
  points->totalPoints = 1000;
  TRingScroll s = TRingScroll::Begin(*ringGame);
  EXPECT_EQ(points->totalPoints, 2147483647);
  EXPECT_EQ(s.shownTotal, 1000);
}

}  // namespace
}  // namespace ring_test
