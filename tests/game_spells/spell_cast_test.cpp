// Setting spells off and casting them on the virtual clock: the delay, the block freeze, 50
// points a rune, spells cast in one frame, the chain's caption, and how spells are drawn.
#include "spells_fixtures.h"

using namespace spells;

namespace {

class Casting : public testing::Test {
 protected:
  void SetUp() override { MakeSpells(); }
  static void After(int ms) { headless::AdvanceClock(ms); }

  struct Shown {
    int kind, value;
    float x, y;
    int delay;
    bool operator==(const Shown&) const = default;
    friend void PrintTo(const Shown& s, std::ostream* os) {
      *os << "{kind " << s.kind << ", " << s.value << " at " << s.x << "," << s.y << " after "
          << s.delay << "}";
    }
  };
  static std::vector<Shown> Captions() {
    std::vector<Shown> out;
    for (const CaptionsPtr& c : *captions) out.push_back({c->kind, c->value, c->x, c->y, c->delay});
    return out;
  }
};

TEST_F(Casting, CastStrictlyAfterTheDelayPaysFiftyARuneAndFreezesTheBlocks) {
  // A holy fire on an emptied cell with six runes on its row and two on its column.
  for (int x : {0, 1, 2, 4, 5, 6}) Put(x, 3, 1);
  for (int y : {0, 1}) Put(3, y, 2);
  bonusManagerAlt->AddBonusExt(1, 3, 3, 0);
  bonusManagerAlt->Clear(3, 3);
  EXPECT_EQ(level->spellsCast, 1);
  EXPECT_EQ(bonusManagerAlt->FindBonus(3, 3), 0) << "a spell set off is no longer found";
  EXPECT_EQ(bonusManagerAlt->BonusActive(), 1);

  After(600);
  bonusManagerAlt->Update();
  EXPECT_EQ(bonusManagerAlt->activeSpells->Count(), 1) << "not at exactly the delay";
  EXPECT_EQ(points->levelPoints, 0);
  EXPECT_EQ(volcanoList->Count(), 0);

  After(1);
  bonusManagerAlt->Update();
  EXPECT_EQ(bonusManagerAlt->BonusActive(), 0);
  EXPECT_EQ(points->levelPoints, 400);
  EXPECT_EQ(bonusManagerAlt->castCells, 8);
  EXPECT_EQ(bonusManagerAlt->castPoints, 400);
  EXPECT_EQ(Emitters<TRemoveLineEmiter>().size(), 4u);
  EXPECT_EQ(blocks->IsFreze(), 1);
  EXPECT_EQ(blocks->ToDefreze(), 1100);
  EXPECT_TRUE(captions->IsEmpty()) << "no clear handed its caption over";
}

TEST_F(Casting, TwoSpellsOfOneClearAreCastInOneFrameAndShowOneCaption) {
  PutRow(0, 0, {1, 1, 1});
  Put(0, 5, 2);  // in the holy fire's column
  Put(4, 1, 3);  // in the bomb's square
  bonusManagerAlt->AddBonusExt(1, 0, 0, 0);
  bonusManagerAlt->AddBonusExt(3, 2, 0, 0);
  auto first = std::make_shared<TImage>();
  bonusManagerAlt->captionImages[1] = first;
  EXPECT_EQ(board->clearMatchingRunes(0), 3);
  EXPECT_EQ(points->levelPoints, 250);
  EXPECT_EQ(bonusManagerAlt->activeSpells->Count(), 2);
  EXPECT_TRUE(captions->IsEmpty()) << "the clear hands its caption to the spells";

  After(601);
  bonusManagerAlt->Update();
  EXPECT_EQ(bonusManagerAlt->BonusActive(), 0);
  EXPECT_EQ(bonusManagerAlt->castCells, 3 + 1 + 1);
  EXPECT_EQ(bonusManagerAlt->castPoints, 250 + 50 + 50);
  EXPECT_EQ(points->levelPoints, 350);
  // The longer freeze of the holy fire stands; the caption waits for it, at the last spell's
  // cell (y raised to 100) with the first spell's picture.
  const int wait = blocks->ToDefreze();
  EXPECT_EQ(wait, 1100);
  EXPECT_EQ(Captions(), (std::vector<Shown>{{1, 350, 320, 60, wait},
                                            {3, 5, 320, 100, wait},
                                            {4, 1, 420, 160, wait}}));
  EXPECT_EQ(captions->Last()->image, first);
  EXPECT_EQ(bonusManagerAlt->captionKind, 0);

  // A spell set off later by an emitter adds to the counters but shows no caption.
  TCaptions::destroyAll();
  bonusManagerAlt->AddBonusExt(2, 9, 9, 0);
  bonusManagerAlt->Clear(9, 9);
  After(501);
  bonusManagerAlt->Update();
  EXPECT_TRUE(captions->IsEmpty());
  EXPECT_EQ(bonusManagerAlt->castCells, 6);  // the vanish took the rune at (0, 5)
  EXPECT_EQ(points->levelPoints, 400);
  // The next clear's caption starts its own count.
  bonusManagerAlt->AddBonusExt(5, 7, 7, 0);
  bonusManagerAlt->Clear(7, 7);
  bonusManagerAlt->AddCaption(4, 325, 1);
  EXPECT_EQ(bonusManagerAlt->castCells, 4);
  EXPECT_EQ(bonusManagerAlt->castPoints, 325);
  EXPECT_EQ(bonusManagerAlt->captionKind, 5);
}

TEST_F(Casting, CaptionStandsAtTheLastSpellsCellWithinTheScreensMiddle) {
  struct Case {
    int cellSize, originX, originY, x, y, captionX, captionY;
  };
  const Case cases[] = {
      {32, 240, 60, 14, 14, 550, 500},  // right and low: both held in
      {32, 240, 60, 0, 0, 256, 100},    // high: raised to 100
      {40, 220, 50, 5, 6, 440, 310},    // inside: the cell's centre
  };
  for (const Case& c : cases) {
    MakeSpells();
    board->cellSize = c.cellSize;
    board->originX = c.originX;
    board->originY = c.originY;
    bonusManagerAlt->AddBonusExt(6, 1, 1, 0);
    bonusManagerAlt->AddBonusExt(2, c.x, c.y, 0);
    bonusManagerAlt->Clear(1, 1);
    bonusManagerAlt->Clear(c.x, c.y);
    bonusManagerAlt->AddCaption(3, 250, 1);
    EXPECT_EQ(bonusManagerAlt->captionX, c.captionX) << c.x << "," << c.y;
    EXPECT_EQ(bonusManagerAlt->captionY, c.captionY) << c.x << "," << c.y;
    EXPECT_EQ(bonusManagerAlt->captionKind, 6) << "the first spell's kind";
  }
}

TEST_F(Casting, CaptionWaitsUntilNoSpellIsLeftSetOff) {
  bonusManagerAlt->AddBonusExt(2, 1, 1, 0);  // vanish: 500 ms
  bonusManagerAlt->AddBonusExt(5, 2, 2, 0);  // heal: 600 ms
  bonusManagerAlt->Clear(1, 1);
  bonusManagerAlt->Clear(2, 2);
  bonusManagerAlt->AddCaption(3, 250, 1);
  After(501);
  bonusManagerAlt->Update();
  EXPECT_EQ(bonusManagerAlt->activeSpells->Count(), 1);
  EXPECT_TRUE(captions->IsEmpty());
  After(100);
  bonusManagerAlt->Update();
  EXPECT_EQ(captions->Count(), 3);
  EXPECT_EQ(captions->First()->delay, 1000) << "the heal's freeze outlasts the vanish's";
}

TEST_F(Casting, ClearingEffectsDropsEmittersFreezeTeleportAndCaption) {
  bonusManagerAlt->AddBonusExt(6, 1, 1, 0);
  Put(4, 4, 1);
  bonusManagerAlt->Clear(1, 1);
  bonusManagerAlt->AddCaption(3, 250, 1);
  TRemoveBlockEmiter::add(10.0f, 10.0f, 0.0f, 0);
  After(601);
  bonusManagerAlt->Update();
  EXPECT_LT(bonusManagerAlt->teleportProgress, 1.0f);
  bonusManagerAlt->ClearEfects();
  EXPECT_EQ(volcanoList->Count(), 0);
  EXPECT_EQ(blocks->IsFreze(), 0);
  EXPECT_FLOAT_EQ(bonusManagerAlt->teleportProgress, 1.0f);
  EXPECT_EQ(bonusManagerAlt->teleportCells.Count(), 0);
  EXPECT_EQ(bonusManagerAlt->captionKind, 0);
}

TEST_F(Casting, LyingSpellFadesInByCallsAndItsGlowFollowsTheCellSize) {
  struct Case {
    int cellSize, offset;
    size_t glow;
  };
  for (const Case& c : {Case{32, 9, 0}, Case{40, 14, 2}}) {
    MakeSpells();
    board->cellSize = c.cellSize;
    bonusManagerAlt->extraImages[c.glow] = test_support::SolidImage(50, 50, 0xFFFF0000u);
    bonusManagerAlt->extraImages[c.glow + 1] = test_support::SolidImage(50, 50, 0xFFFF0000u);
    bonusManagerAlt->AddBonusExt(1, 2, 2, 0);
    const BonusAPtr spell = bonusManagerAlt->boardSpells->First();
    for (int i = 0; i < 19; ++i) bonusManagerAlt->Draw();
    EXPECT_LT(spell->fadeIn, 1.0f);
    Cls();
    bonusManagerAlt->Draw();
    EXPECT_FLOAT_EQ(spell->fadeIn, 1.0f) << "20 calls";
    EXPECT_NEAR(spell->alpha, 0.5f, 1e-5) << "0.025 a frame at delta 1";
    const int left = board->originX + 2 * c.cellSize - c.offset;
    const int top = board->originY + 2 * c.cellSize - c.offset;
    EXPECT_GT(test_support::Red(test_support::ScreenPixel(left, top)), 150) << c.cellSize;
    EXPECT_EQ(test_support::ScreenPixel(left - 1, top - 1) & 0xFFFFFF, 0u) << c.cellSize;
  }
  // The glow swings back at 1 and again at 0.
  delta = 2.0;
  const BonusAPtr spell = bonusManagerAlt->boardSpells->First();
  int draws = 0;
  while (spell->alphaRising == 1 && draws < 20) {
    bonusManagerAlt->Draw();
    ++draws;
  }
  EXPECT_EQ(draws, 10) << "0.05 a frame at delta 2";
  EXPECT_EQ(spell->alpha, 1.0f);
}

}  // namespace
