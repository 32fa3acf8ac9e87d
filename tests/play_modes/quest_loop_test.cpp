// The quest level loop and its end: a level won by scripted clicks through its summary, the
// click threshold and the menu button, the in-game menu's results, game over with retry and
// skip, and a close request on the goal frame and during the summary.
#include "modes_fixtures.h"

#include "game/spells/bonus_manager_a.h"
#include "game/spells/magic_sphere.h"
#include "game_board/board_play_fixtures.h"

namespace modes_test {
namespace {

class QuestLoop : public ModesTest {};

TEST_F(QuestLoop, AWonLevelBanksItsPointsOnceAndEntersTheQuestScoreOnlyAfterTheLastLevel) {
  struct Case {
    const char* name;
    int currentLevel;
    int lastLevel;
    size_t entries;
  };
  for (const Case& c : {Case{"an earlier level", 2, 9, 0}, Case{"the final level", 9, 9, 1}}) {
    SCOPED_TRACE(c.name);
    SetUp();
    sequencer->currentLevel = c.currentLevel;
    sequencer->lastLevel = c.lastLevel;
    QuestLevel(StripLevel());
    points->totalPoints = 1000;
    int playPoints = -1;
    ScriptedPlayer player;
    player.onFrame = [&](int shown) {
      if (points->levelActive == 0 && playPoints < 0) playPoints = points->levelPoints;
      return ClickThroughSummary(shown);
    };
    int result = 0;
    ASSERT_FALSE(Ends([] { return goGlyphor(0); }, result));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(player.clicks(), 3);
    EXPECT_GT(playPoints, 0);
    // The end bonus: the three free cells of the emptied strip.
    EXPECT_EQ(points->totalPoints, 1000 + playPoints + 3 * 25);
    EXPECT_EQ(points->levelPoints, 0);
    EXPECT_EQ(level->summaryDone, 1);
    EXPECT_EQ(board->gameOver, 0);
    EXPECT_EQ(skipLevel, 0);
    ASSERT_EQ(Scores().size(), c.entries);
    if (c.entries == 1) {
      const TScore entry = Scores()[0];
      EXPECT_EQ(entry.score, points->totalPoints);
      EXPECT_EQ(entry.typeId, 1);
      EXPECT_EQ(entry.gameId, 0);
      EXPECT_EQ(ToUtf8(entry.helpVar), "null");
      EXPECT_EQ(ToUtf8(entry.name), "Tess");
    }
    // A new level joins the revealed levels.
    EXPECT_EQ(profile->GetList(S("revealedLevels"))->Count(), 1);
  }
}

TEST_F(QuestLoop, AClickPlacesOnlyRightOfTheCellLeftOfTheBoardAndOpensTheMenuOnlyOnItsButton) {
  struct Case {
    const char* name;
    int dx;  // from originX - cellSize
    int y;   // 0: the strip's row
    bool placed;
    bool menu;
  };
  const Case cases[] = {
      {"exactly at the threshold", 0, 0, false, false},
      {"one pixel right of it: column 0 (cut toward zero)", 1, 0, true, false},
      {"over the score panel's menu button", -1, 1, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    QuestLevel(test_support::WriteLevelFile(
        "row.tsc",
        "    Number = 3\n    GoalType = 1\n    AvailableRunes = \"1 2\"\n"
        "    AvailableBlocks = \"1\"\n    PetrifyTime = 600000\n"
        "    SpheresColors = \"1 0 0 0 0\"\n    SpheresCapacities = \"30 0 0 0 0\"\n",
        {"", "", "", "", "111111111111"}));
    bool menuOpened = false;
    int placedRunes = -1;
    int clickFrame = 0;
    headless::SetFrameCallback([&](int shown) {
      const int frame = Since(shown);
      if (timeManager->paused != 0) menuOpened = true;
      // The pointer rests on the spot for a few frames, then clicks: the menu button answers
      // to where the panel saw the pointer when it was last drawn.
      if (frame == 36 || frame == 40) {
        int x = board->originX - board->cellSize + c.dx;
        int y = board->originY + 4 * board->cellSize + board->cellSize / 2;
        if (c.y == 1) {
          x = points->panelX + 70;
          y = points->panelY + 200;
        }
        headless::MouseMoveAt(shown, x, y);
        if (frame == 40) {
          clickFrame = frame;
          headless::MouseClickAt(shown, 1);
        }
      }
      if (frame == 46) {
        placedRunes = play::Count(board->runeIds);
        headless::CloseRequestAt(shown);
      }
      // Any menu that opened is left for the game again.
      if (timeManager->paused != 0) headless::KeyPressAt(shown, KEY_ESCAPE);
    });
    int result = 0;
    EXPECT_TRUE(Ends([] { return goGlyphor(0); }, result));
    headless::SetFrameCallback(nullptr);
    EXPECT_EQ(placedRunes, c.placed ? 1 : 0);
    EXPECT_EQ(menuOpened, c.menu);
    EXPECT_GT(clickFrame, 0);
  }
}

TEST_F(QuestLoop, TheInGameMenuResumesRestartsLeavesOrQuits) {
  struct Case {
    int choice;
    bool ends;
    int result;
  };
  for (const Case& c : {Case{0, true, -1}, Case{2, true, -1}, Case{3, false, 1}, Case{4, true, -1}}) {
    SCOPED_TRACE(c.choice);
    SetUp();
    saveToProfile = 1;
    QuestLevel(OpenLevel());
    points->totalPoints = 500;
    int pointsBeforeMenu = -1;
    int pointsAfterMenu = -1;
    bool overBeforeMenu = false;
    ScriptedPlayer player;
    player.onFrame = [&](int shown) {
      const int frame = Since(shown);
      if (frame == 60) {
        pointsBeforeMenu = points->levelPoints;
        overBeforeMenu = board->gameOver != 0;
        headless::KeyPressAt(shown, KEY_P);
      }
      if (frame == 66) ClickMenu(shown, c.choice);
      if (frame == 75) {
        pointsAfterMenu = points->levelPoints;
        headless::CloseRequestAt(shown);
      }
      // The player stops after its first match: a fuller board could end the game before the
      // menu opens, and the game-over popup would take the menu's click.
      return frame < 58 && points->levelPoints == 0;
    };
    int result = 0;
    EXPECT_EQ(Ends([] { return goGlyphor(0); }, result), c.ends);
    EXPECT_EQ(result, c.result);
    ASSERT_FALSE(overBeforeMenu);
    EXPECT_GT(pointsBeforeMenu, 0);
    if (c.choice == 0) {
      EXPECT_EQ(pointsAfterMenu, pointsBeforeMenu);
    }
    if (c.choice == 2) {
      EXPECT_EQ(pointsAfterMenu, 0);
      EXPECT_EQ(points->totalPoints, 500);  // the banked total stays
    }
    // Leaving for the menu saves the game in progress through the options.
    const TListPtr<String> band = profile->current->GetList(S("runes1"));
    const bool saved = band && band->Count() == 90;
    EXPECT_EQ(saved, c.choice == 3);
    saveToProfile = 0;
  }
}

TEST_F(QuestLoop, GameOverEntersTheScoreOffersRetryAndFromTheSecondLossSkip) {
  QuestLevel(CrampedLevel());
  points->totalPoints = 700;
  points->levelPoints = 40;
  std::vector<int> replaysSeen;
  int popupOpened = 0;
  headless::SetFrameCallback([&](int shown) {
    // Inside the game-over popup, once its zoom is over: retry the first time, skip the second.
    if (levelReplays > static_cast<int>(replaysSeen.size())) {
      replaysSeen.push_back(levelReplays);
      popupOpened = shown;
    }
    if (shown == popupOpened + kPopupZoomFrames) {
      if (levelReplays == 1)
        ClickRetry(shown);
      else
        ClickSkip(shown);
    }
  });
  int result = 0;
  ASSERT_FALSE(Ends([] { return goGlyphor(0); }, result));
  headless::SetFrameCallback(nullptr);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(levelReplays, 2);
  const std::vector<TScore> entries = Scores();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].score, 740);
  EXPECT_EQ(entries[0].typeId, 1);
  EXPECT_EQ(ToUtf8(entries[0].helpVar), "null");
  EXPECT_EQ(entries[1].score, 0);  // the run's score ended with the first loss
  // The skipped level ends passed: no summary, the flags clear for the main loop.
  EXPECT_EQ(skipLevel, 0);
  EXPECT_EQ(board->gameOver, 0);
  EXPECT_EQ(points->levelActive, 0);
}

TEST_F(QuestLoop, ACloseWhenTheGoalIsMetOrDuringTheSummaryBanksTheLevelOnceAndShowsTheMapNext) {
  struct Case {
    const char* name;
    int closeAtPhase;  // -1: on the frame of the winning placement
  };
  for (const Case& c : {Case{"on the goal frame", -1}, Case{"during the bonus count", 1},
                        Case{"while the summary waits", 8}}) {
    SCOPED_TRACE(c.name);
    SetUp();
    gameState = 1;
    QuestLevel(StripLevel());
    gameState = 1;
    points->totalPoints = 1000;
    int playPoints = -1;
    bool closing = false;
    ScriptedPlayer player;
    player.onFrame = [&](int shown) {
      if (points->levelActive == 0 && playPoints < 0) playPoints = points->levelPoints;
      if (!closing && c.closeAtPhase < 0 && player.clicks() == 3) {
        closing = true;
        headless::CloseRequestAt(shown);
      }
      if (!closing && points->levelActive == 0 && level->summaryPhase == c.closeAtPhase) {
        closing = true;
        headless::CloseRequestAt(shown);
      }
      return points->levelActive != 0;
    };
    int result = 0;
    EXPECT_TRUE(Ends([] { return goGlyphor(0); }, result));
    EXPECT_EQ(gameState, 2);
    if (c.closeAtPhase < 0) {
      EXPECT_EQ(playPoints, -1);  // no summary ran
      playPoints = points->totalPoints - 1000 - 3 * 25;
      EXPECT_GT(playPoints, 0);
    }
    EXPECT_EQ(points->totalPoints, 1000 + playPoints + 3 * 25);
    EXPECT_EQ(points->levelPoints, 0);
  }
}

TEST_F(QuestLoop, AResumedLevelRestoresTheSavedGameAndQueuesNoPopups) {
  QuestLevel(OpenLevel());
  // A saved spell on the board, saved statistics and a saved vial.
  TListPtr<String> spells = CreateList<String>();
  spells->AddLast(S("1:4:5:0"));
  profile->SetList(S("runesBonuses"), spells, 0);
  profile->SetNumber(S("levelRrecivedSpells"), 7, 0);
  profile->SetNumber(S("levelCombos"), 3, 0);
  profile->SetNumber(S("ballsFil1"), 250, 0);
  headless::CloseRequestAt(3);
  int result = 0;
  EXPECT_TRUE(Ends([] { return goGlyphor(1); }, result));
  EXPECT_EQ(bonusManagerAlt->FindBonus(4, 5), 1);
  EXPECT_GE(level->receivedSpells, 7);
  EXPECT_EQ(level->combos, 3);
  EXPECT_EQ(magicSphere->fills[1], 250.0f);
  EXPECT_EQ(popupManager->events->Count(), 0);
  EXPECT_EQ(profile->GetList(S("revealedLevels"))->Count(), 0);
}

}  // namespace
}  // namespace modes_test
