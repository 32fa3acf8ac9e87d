// Spell particle emitters: a particle's flight, the frames on which each kind acts and ends,
// the removal of a rune (its stream, vial, spell, highlight and the game-over test), holy fire
// over stones, holes and past the edge, heal of stones and of the obstacle rune, the drawing
// state the fire kinds leave, and the walk over volcanoList while it changes.
#include <algorithm>
#include <vector>

#include "spells_fixtures.h"

using namespace spells;

namespace {

class Emitting : public testing::Test {
 protected:
  void SetUp() override { MakeSpells(); }
};

// A particle that records every t it is drawn at and the red it finds set when it is drawn.
class CountedParticle : public TVolcanoEntity {
 public:
  std::vector<float> drawnAt;
  int drawnRed = -1;
  void Draw(const ImagePtr& image, int32_t hw, int32_t hh) override {
    drawnAt.push_back(t);
    int g = 0, b = 0;
    GetColor(drawnRed, g, b);
    TVolcanoEntity::Draw(image, hw, hh);
  }
};

// Emits CountedParticles along its curve and records the drawing state its effect step finds.
class OneParticle : public TVolcanoEmiter {
 public:
  std::vector<std::shared_ptr<CountedParticle>> emittedParticles;
  int effectSteps = 0;
  bool effectFoundWhiteUnscaledLight = true;
  void AddEntity() override {
    auto p = std::make_shared<CountedParticle>();
    p->startX = p->x = startX;
    p->startY = p->y = startY;
    p->endX = endX;
    p->endY = endY;
    p->controlX = controlX;
    p->controlY = controlY;
    p->speed = speed;
    p->scale = 1.0f;
    p->alive = 1;
    emittedParticles.push_back(p);
    particles->AddLast(p);
  }
  void _update() override {
    ++effectSteps;
    int r = 0, g = 0, b = 0;
    GetColor(r, g, b);
    float sx = 0.0f, sy = 0.0f;
    GetScale(sx, sy);
    if (r != 255 || g != 255 || b != 255 || sx != 1.0f || GetBlend() != LIGHTBLEND ||
        GetAlpha() != 1.0f)
      effectFoundWhiteUnscaledLight = false;
  }
};

// An emitter of `count` particles from (100, 100) straight to (200, 100), in red 40.
std::shared_ptr<OneParticle> StartOneParticle(float speed, int count) {
  auto e = std::make_shared<OneParticle>();
  e->startX = e->controlX = 100.0f;
  e->startY = e->controlY = 100.0f;
  e->endX = 200.0f;
  e->endY = 100.0f;
  e->speed = speed;
  e->count = static_cast<float>(count);
  e->red = 40;
  volcanoList->AddLast(e);
  return e;
}

TEST_F(Emitting, ParticleOfSpeedThreeHundredthsIsDrawnThirtyFiveTimes) {
  auto e = StartOneParticle(0.03f, 1);
  int frames = 0;
  while (volcanoList->Contains(e) && frames < 100) {
    TVolcanoEmiter::updateAll();
    ++frames;
  }
  const std::vector<float>& drawn = e->emittedParticles.at(0)->drawnAt;
  ASSERT_EQ(drawn.size(), 35u);
  EXPECT_EQ(drawn[0], 0.03f) << "first seen in its own frame, one step along";
  EXPECT_LT(drawn[32], 1.0f);
  EXPECT_EQ(drawn[33], 1.001f) << "just beyond its end on the step that passes 1";
  EXPECT_EQ(drawn[34], 1.0f) << "once more exactly at its end";
  EXPECT_EQ(e->emittedParticles[0]->alive, 0);
  EXPECT_EQ(e->emittedParticles[0]->x, 200.0f);
  EXPECT_EQ(frames, 37) << "removed the frame after, the emitter leaves on the next";
}

TEST_F(Emitting, ParticleStepsAddUpInSinglePrecision) {
  // The step on which t passes 1 at delta 1, as float sums give it.
  const struct {
    float speed;
    int passingStep;
  } cases[] = {{0.03f, 34}, {0.02f, 51}, {0.06f, 17}};
  delta = 1.0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.speed);
    auto p = TVolcanoEntity::Create(0, 0, 10, 0, 0, 0, c.speed, 1.0f);
    int step = 0;
    while (p->t <= 1.0f && step < 200) {
      p->Update();
      ++step;
    }
    EXPECT_EQ(step, c.passingStep);
    EXPECT_EQ(p->t, 1.001f);
    EXPECT_EQ(p->alive, 1);
    p->Update();
    EXPECT_EQ(p->t, 1.0f);
    EXPECT_EQ(p->alive, 0);
  }
}

TEST_F(Emitting, EmitterFrameEmitsOncePerFrameDrawsInItsColourThenRunsItsEffectStep) {
  for (const double d : {0.5, 1.0, 3.0}) {
    SCOPED_TRACE(d);
    MakeSpells();
    delta = d;
    auto e = StartOneParticle(0.01f, 4);
    for (int frame = 1; frame <= 3; ++frame) TVolcanoEmiter::updateAll();
    EXPECT_EQ(e->emitted, 3.0f) << "one emission step per frame whatever delta is";
    ASSERT_EQ(e->emittedParticles.size(), 3u);
    ASSERT_EQ(e->emittedParticles[2]->drawnAt.size(), 1u);
    EXPECT_EQ(e->emittedParticles[2]->drawnAt[0], static_cast<float>(0.01f * d))
        << "a new particle moves and is drawn in the frame that emits it";
    EXPECT_EQ(e->emittedParticles[0]->drawnRed, 40) << "particles take the emitter's colour";
    EXPECT_EQ(e->effectSteps, 3);
    EXPECT_TRUE(e->effectFoundWhiteUnscaledLight)
        << "the effect step runs after drawing, with scale 1, white, light blend, alpha 1";
  }
  // The frame that finds nothing left to emit or draw only takes the emitter out.
  delta = 1.0;
  MakeSpells();
  auto e = StartOneParticle(0.6f, 1);
  int frames = 0;
  while (volcanoList->Contains(e) && frames < 10) {
    TVolcanoEmiter::updateAll();
    ++frames;
  }
  EXPECT_EQ(frames, 5) << "drawn at 0.6, 1.001 and 1; removed on frame 4; leaves on 5";
  EXPECT_EQ(e->effectSteps, 4) << "no effect step on the leaving frame";
  EXPECT_EQ(e->emittedParticles[0]->drawnAt.size(), 3u);
}

TEST_F(Emitting, RandomDrawsFollowTheWrittenOrder) {
  // A stream's control point: x is drawn before y.
  const float fx = CentreX(1), fy = CentreY(1), tx = CentreX(6), ty = CentreY(4);
  const std::vector<int> control = DrawsAfterSeed(
      11, {{0, static_cast<int>(tx - fx)}, {0, static_cast<int>(ty - fy)}});
  auto stream = TRemoveColorEmiter::add(fx, fy, tx, ty, 1, 2, 3, 6, 4, 1);
  EXPECT_EQ(stream->controlX, fx + static_cast<float>(control[0]));
  EXPECT_EQ(stream->controlY, fy + static_cast<float>(control[1]));

  // A fire particle: its offset on the ring, then the half of the ring, then its turn.
  MakeSpells();
  SeedRnd(12);
  const auto dx = static_cast<int32_t>(Rnd(-1.3 * 15.0, 1.3 * 15.0));
  const int lowerHalf = Rand(0, 1);
  const int rotation = Rand(0, 45);
  SeedRnd(12);
  auto heal = THealEmiter::add(CentreX(3), CentreY(3), 3.0f, 3);
  TVolcanoEmiter::updateAll();
  const auto first = std::dynamic_pointer_cast<TFireEntity>(heal->particles->First());
  ASSERT_TRUE(first);
  const float clamped = std::clamp(static_cast<float>(dx), -15.0f, 15.0f);
  EXPECT_EQ(first->endX, CentreX(3) + clamped);
  EXPECT_EQ(first->endY > CentreY(3), lowerHalf == 1);
  EXPECT_EQ(first->rotation, rotation);
}

// The first frame (counting the creation frame as 1) on which `done` holds, and the frame on
// which the emitter leaves volcanoList.
struct Anchors {
  int acts = 0, ends = 0;
};
Anchors RunUntilGone(const VolcanoEmiterPtr& e, const std::function<bool()>& done) {
  Anchors a;
  for (int frame = 1; frame < 300; ++frame) {
    TVolcanoEmiter::updateAll();
    if (a.acts == 0 && done()) a.acts = frame;
    if (!volcanoList->Contains(e)) {
      a.ends = frame;
      break;
    }
  }
  return a;
}

TEST_F(Emitting, EachKindActsAndEndsOnItsFrame) {
  struct Case {
    const char* name;
    std::function<VolcanoEmiterPtr()> start;
    std::function<bool()> done;
    Anchors expected;
  };
  auto empty = [] { return board->runeIds[4][4] == 0; };
  auto healed = [] { return board->runeIds[4][4] == 1; };
  const float cx = CentreX(4), cy = CentreY(4);
  const Case cases[] = {
      {"vanish",
       [&] { return TRemoveRandomColorsEmiter::add(cx - 64, cy, cx, cy, 1, 2, 3, 4, 4, 1); },
       empty, {36, 86}},
      {"drain", [&] { return TRemoveColorEmiter::add(cx, cy + 64, cx, cy, 1, 2, 3, 4, 4, 1); },
       empty, {36, 86}},
      {"heal", [&] { return THealEmiter::add(cx, cy, 4.0f, 4); }, healed, {69, 79}},
      {"bomb", [&] { return TRemoveBlockEmiter::add(cx, cy, 4.0f, 4); }, empty, {52, 59}},
      {"sphere stream",
       [&] { return TToSphereEmiter::add(cx, cy, 1, 2, 3, 4, 4, 1); },
       [] { return board->highlights[4][4] == 0; }, {45, 103}},
      {"line",
       [&] { return TRemoveLineEmiter::add(cx, cy, cx + 160, cy, 1); },
       [] {
         for (const VolcanoEmiterPtr& e : *volcanoList)
           if (auto line = std::dynamic_pointer_cast<TRemoveLineEmiter>(e))
             return !line->particles->IsEmpty() && line->particles->First()->t > 1.0f;
         return false;
       },
       {34, 136}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeSpells();
    Put(4, 4, std::string(c.name) == "heal" ? Stone(1) : 1);
    board->highlights[4][4] = 5;
    const VolcanoEmiterPtr e = c.start();
    const Anchors a = RunUntilGone(e, c.done);
    EXPECT_EQ(a.acts, c.expected.acts);
    EXPECT_EQ(a.ends, c.expected.ends);
  }
}

TEST_F(Emitting, RemovalSendsTheRuneToItsVialSetsOffItsSpellAndTestsForGameOver) {
  magicSphere->ResetSettings();
  magicSphere->colours = {0, 2, 0, 0, 0};
  magicSphere->capacities = {0.0f, 5.0f, 0.0f, 0.0f, 0.0f};
  Put(6, 6, 2);
  bonusManagerAlt->AddBonusExt(1, 6, 6, 0);
  play::HoldBlock({{1}});
  board->gameOver = 1;
  TRemoveColorEmiter::add(CentreX(2), CentreY(2), CentreX(6), CentreY(6), 11, 22, 33, 6, 6, 4);
  for (int frame = 1; frame <= 35; ++frame) TVolcanoEmiter::updateAll();
  EXPECT_EQ(board->runeIds[6][6], 2) << "not before the first particle has gone";
  TVolcanoEmiter::updateAll();
  EXPECT_EQ(board->runeIds[6][6], 0);
  EXPECT_EQ(board->colours[6][6], 0);
  EXPECT_EQ(board->highlights[6][6], 4) << "the colour recorded at the cast";
  EXPECT_EQ(magicSphere->fills[1], 1.0f);
  EXPECT_EQ(bonusManagerAlt->activeSpells->Count(), 1);
  EXPECT_EQ(board->gameOver, 0) << "the game-over test ran";
  const auto streams = Emitters<TToSphereEmiter>();
  ASSERT_EQ(streams.size(), 1u);
  EXPECT_EQ(streams[0]->startX, CentreX(6));
  EXPECT_EQ(streams[0]->startY, CentreY(6));
  EXPECT_EQ(streams[0]->endX, 166.0f) << "the vial of colour 2";
  EXPECT_EQ(streams[0]->endY, 92.0f);
  EXPECT_EQ(streams[0]->red, 11) << "a drain's stream keeps its colour";
  EXPECT_EQ(streams[0]->cellX, 6);

  // A vanish acts on its cell even when it was emptied meanwhile.
  MakeSpells();
  TRemoveRandomColorsEmiter::add(CentreX(1), CentreY(1), CentreX(3), CentreY(3), 1, 2, 3, 3, 3, 5);
  for (int frame = 1; frame <= 36; ++frame) TVolcanoEmiter::updateAll();
  EXPECT_EQ(board->highlights[3][3], 5);
  const auto toCentre = Emitters<TToSphereEmiter>();
  ASSERT_EQ(toCentre.size(), 1u);
  EXPECT_EQ(toCentre[0]->endX, 100.0f) << "colour 0 flies to the sphere's centre";
}

TEST_F(Emitting, BombOverAnEmptyCellOnlyTestsForGameOver) {
  play::HoldBlock({{1}});
  board->gameOver = 1;
  auto bomb = TRemoveBlockEmiter::add(CentreX(2), CentreY(2), 2.0f, 2);
  for (int frame = 1; frame <= 52; ++frame) TVolcanoEmiter::updateAll();
  EXPECT_EQ(bomb->pending, 0);
  EXPECT_EQ(board->gameOver, 0);
  EXPECT_EQ(Emitters<TToSphereEmiter>().size(), 0u);
  EXPECT_EQ(board->highlights[2][2], 0);
}

TEST_F(Emitting, FireKindsLeaveNoTurnAndATopLeftHandle) {
  auto heal = THealEmiter::add(CentreX(2), CentreY(2), 2.0f, 2);
  auto bomb = TRemoveBlockEmiter::add(CentreX(5), CentreY(2), 5.0f, 2);
  for (int frame = 1; frame <= 10; ++frame) {
    TVolcanoEmiter::updateAll();
    EXPECT_EQ(GetRotation(), 0.0f);
    EXPECT_EQ(sparkImages[0]->handleX, 0.0f);
    EXPECT_EQ(sparkImages[0]->handleY, 0.0f);
    EXPECT_EQ(GetBlend(), LIGHTBLEND);
    EXPECT_EQ(GetAlpha(), 1.0f);
    float sx = 0.0f, sy = 0.0f;
    GetScale(sx, sy);
    EXPECT_EQ(sx, 1.0f);
    int r = 0, g = 0, b = 0;
    GetColor(r, g, b);
    EXPECT_EQ(r + g + b, 3 * 255);
  }
  EXPECT_EQ(heal->particles->Count(), 60);
  EXPECT_EQ(bomb->particles->Count(), 110);
}

TEST_F(Emitting, HolyFireRemovesWhatItsLeadPassesUpToAHoleAndIgnoresThePastTheEdge) {
  // Along row 3 from column 4 to past the left edge; a stone at 2, a rune at 1.
  Put(4, 3, 1);
  Put(2, 3, Stone(3));
  Put(1, 3, 2);
  Put(6, 3, 4);  // behind the start: untouched
  auto line = TRemoveLineEmiter::add(CentreX(4), CentreY(3), CentreX(-1), CentreY(3), 1);
  bool placedBehind = false;
  std::shared_ptr<TToSphereEmiter> stoneStream;
  while (volcanoList->Contains(line)) {
    TVolcanoEmiter::updateAll();
    for (const auto& s : Emitters<TToSphereEmiter>())
      if (s->cellX == 2) stoneStream = s;
    // Once the lead has left the board, a rune put on column 0 stays.
    if (!placedBehind && !line->particles->IsEmpty() &&
        line->particles->First()->x < static_cast<float>(board->originX)) {
      Put(0, 3, 5);
      placedBehind = true;
    }
  }
  EXPECT_TRUE(placedBehind);
  EXPECT_EQ(board->runeIds[4][3], 0);
  EXPECT_EQ(board->runeIds[2][3], 0) << "a stone goes too";
  EXPECT_EQ(board->runeIds[1][3], 0);
  EXPECT_EQ(board->runeIds[6][3], 4);
  EXPECT_EQ(board->runeIds[0][3], 5);
  // The stone's stream has its colour number's sparks, (30, 60, 90), without a jitter.
  ASSERT_TRUE(stoneStream);
  EXPECT_EQ(stoneStream->red, 30);
  EXPECT_EQ(stoneStream->green, 60);
  EXPECT_EQ(stoneStream->blue, 90);
  // The lead reaching a hole's centre: the hole is no cell to clear, the cells beyond it stay.
  MakeSpells();
  board->usable[2][3] = 0;
  Put(1, 3, 2);
  auto toHole = TRemoveLineEmiter::add(CentreX(4), CentreY(3), CentreX(2), CentreY(3), 1);
  while (volcanoList->Contains(toHole)) TVolcanoEmiter::updateAll();
  EXPECT_EQ(board->runeIds[1][3], 2);
}

TEST_F(Emitting, HealTurnsAStoneBackAndTheObstacleIntoAStoneOfTheLevel) {
  struct Case {
    const char* name;
    int rune;
    std::vector<const char16_t*> dealt;
    int healed;
  };
  const Case cases[] = {
      {"a stone", Stone(2), {u"1"}, 2},
      {"the obstacle", 13, {u"4"}, Stone(4)},
      {"the obstacle, a stone dealt", 13, {u"24"}, Stone(4)},
      {"the obstacle, nothing dealt", 13, {}, 13},
      {"an ordinary rune", 3, {u"1"}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeSpells();
    runes->_findRuneByID(u"13")->blocked = 1;  // the obstacle is a stone
    blocks->availableRunes = CreateList<String>();
    for (const char16_t* id : c.dealt) blocks->availableRunes->AddLast(id);
    Put(2, 2, c.rune, 5);
    auto heal = THealEmiter::add(CentreX(2), CentreY(2), 2.9f, 2);
    EXPECT_EQ(heal->cellX, 2) << "the column is cut to a whole number";
    while (volcanoList->Contains(heal)) TVolcanoEmiter::updateAll();
    EXPECT_EQ(board->runeIds[2][2], c.healed);
    EXPECT_EQ(board->colours[2][2], runes->getRuneColor(FromInt(c.healed)));
    EXPECT_EQ(board->placedAt[2][2] == 5, c.healed == c.rune) << "the age restarts on a heal";
    EXPECT_EQ(heal->pending, c.rune == 3 ? 1 : 0) << "an ordinary rune keeps it waiting";
  }
}

TEST_F(Emitting, WalkVisitsTheSuccessorOfAnEmitterThatLeavesAndStreamsAppendedBeforeTheLast) {
  // An emitter done with all its particles leaves on its next update; the one after it still runs.
  auto done = TVolcanoEmiter::Create(0, 0, 10, 10, 0.03f, 0, 1, 1, 1);
  auto after = TVolcanoEmiter::Create(0, 0, 10, 10, 0.03f, 5, 1, 1, 1);
  TVolcanoEmiter::updateAll();
  EXPECT_FALSE(volcanoList->Contains(done));
  EXPECT_EQ(after->emitted, 1.0f);

  // A drain's removal appends a stream: visited in the same pass unless the drain was the
  // last in the list, then from the next frame.
  for (const bool followed : {true, false}) {
    SCOPED_TRACE(followed ? "followed by another emitter" : "last in the list");
    MakeSpells();
    Put(1, 1, 1);
    TRemoveColorEmiter::add(CentreX(0), CentreY(0), CentreX(1), CentreY(1), 1, 1, 1, 1, 1, 1);
    if (followed) TVolcanoEmiter::Create(0, 0, 10, 10, 0.01f, 100, 1, 1, 1);
    for (int frame = 1; frame <= 36; ++frame) TVolcanoEmiter::updateAll();
    const auto streams = Emitters<TToSphereEmiter>();
    ASSERT_EQ(streams.size(), 1u);
    EXPECT_EQ(streams[0]->emitted, followed ? 1.0f : 0.0f);
  }
}

}  // namespace
