// The goal test of a level: a full sphere, an empty board, no boss rune left; and the developer
// switch (the G key while "cheats.txt" exists).
#include "levels_fixtures.h"

#include "platform/files.h"
#include "platform/input.h"
#include "platform/system.h"

namespace {

class GoalTest : public testing::Test {
 protected:
  void SetUp() override {
    levels::MakeSingletons();
    board->clearBoard();
  }
};

TEST_F(GoalTest, EachGoalTypeAsksItsOwnTest) {
  struct Case {
    const char* what;
    int32_t goal;
    std::function<void()> arrange;
    int32_t achieved;
  };
  auto sphere = [](float fill) {
    magicSphere->colours = {1, 2, 0, 0, 0};
    magicSphere->capacities = {3.0f, 2.0f, 0.0f, 0.0f, 0.0f};
    magicSphere->fills = {3.0f, fill, 0.0f, 0.0f, 0.0f};
  };
  auto boss = [] {
    auto rune = std::make_shared<TBossRune>();
    rune->alive = 1;
    bossManager->bossRunes->AddLast(rune);
  };
  const std::vector<Case> cases = {
      {"sphere with an open vial", 1, [&] { sphere(1.0f); }, 0},
      {"sphere full", 1, [&] { sphere(2.0f); }, 1},
      {"empty board", 2, [] {}, 1},
      {"a rune on the board", 2, [] { board->runeIds[14][14] = 3; }, 0},
      {"a negative id on a hole", 2, [] { board->usable[0][0] = 0; board->runeIds[0][0] = -1; }, 0},
      {"no boss rune left", 3, [] {}, 1},
      {"a boss rune standing", 3, boss, 0},
      {"no goal", 0, [] {}, 0},
      {"unknown goal", 4, [] {}, 0},
  };
  for (const Case& c : cases) {
    SetUp();
    level->goalType = c.goal;
    c.arrange();
    EXPECT_EQ(level->isGoalAchieved(), c.achieved) << c.what;
  }
}

// Presses G once and polls it into the key state.
void PressG() {
  const int frame = headless::FrameNumber();
  headless::KeyPressAt(frame + 1, KEY_G);
  Flip();
  PollSystem();
}

TEST_F(GoalTest, TheGKeyWinsOnlyWhileCheatsTxtExists) {
  ASSERT_TRUE(Graphics(800, 600, 0) != nullptr);
  ASSERT_TRUE(ChangeDir(test_support::TempHome()));
  level->goalType = 0;

  PressG();
  EXPECT_EQ(level->isGoalAchieved(), 0) << "no cheats.txt";

  ASSERT_TRUE(CreateDir("cheats.txt"));  // a folder of that name counts too
  PressG();
  EXPECT_EQ(level->isGoalAchieved(), 1);
  EXPECT_EQ(level->isGoalAchieved(), 0) << "the key hit is used up by the first test";
}

}  // namespace
