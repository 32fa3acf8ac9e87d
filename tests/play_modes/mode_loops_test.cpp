// The endless and time-attack loops: leaving through the menu saves the game under the mode's
// keys, a continue resumes it, a restart starts the level afresh, game over ends in the summary
// with the hiscore entry and the resume flag cleared; the time-attack limit's clamp and the end
// on the frame the clock reaches it, with the time stopped while the menu is open.
#include "modes_fixtures.h"

#include "game/spells/magic_sphere.h"
#include "game_board/board_play_fixtures.h"

namespace modes_test {
namespace {

class ModeLoops : public ModesTest {};

struct Mode {
  const char* name;
  int32_t (*run)(const String&);
  const char* prefix;
  int scoreType;
  int menuResult;  // what leaving through the menu returns
  std::vector<std::string> savedKeys;
};

const Mode kEndless{"endless", goEndless, "endless", 2, 0,
                    {"endlessResume", "endlessPoints", "endlessLevel", "endlessTime",
                     "endlessRecivedSpells", "endlessDroppedSpells", "endlessBlocks"}};
const Mode kTimeAttack{"time attack", goTimeAtack, "time", 3, 1,
                       {"timeResume", "timePoints", "timeLevel", "timeTime", "timeRecivedSpells",
                        "timeDroppedSpells", "timeBlocks"}};

std::string Key(const Mode& mode, const char* suffix) { return std::string(mode.prefix) + suffix; }

// The keys a save writes, in order: the mode's own, with the saved board, block in hand and
// spells after the level's name. The block history keys ("PrevBlock0"...) and the spells (an
// empty list leaves no key) are left out of both.
std::vector<std::string> SavedKeys(const Mode& mode) {
  // Time attack stores its time before the board, endless after the spells.
  const size_t before = &mode == &kTimeAttack ? 4 : 3;
  std::vector<std::string> keys(mode.savedKeys.begin(), mode.savedKeys.begin() + before);
  for (const char* suffix : {"1", "2", "3", "TimerLayer1", "TimerLayer2", "TimerLayer3",
                             "ActualBlockSet", "ActualBlockColor"})
    keys.push_back(Key(mode, suffix));
  keys.insert(keys.end(), mode.savedKeys.begin() + before, mode.savedKeys.end());
  return keys;
}
std::vector<std::string> WithoutHistory(const Mode& mode, std::vector<std::string> keys) {
  const std::string history = Key(mode, "PrevBlock");
  std::erase_if(keys, [&](const std::string& k) {
    return k.rfind(history, 0) == 0 || k == Key(mode, "Bonuses");
  });
  return keys;
}

TEST_F(ModeLoops, TheMenuResumesRestartsLeavesWithTheGameSavedOrQuitsWithItSaved) {
  for (const Mode* mode : {&kEndless, &kTimeAttack}) {
    for (int choice : {0, 2, 3, 4}) {
      SCOPED_TRACE(std::string(mode->name) + " menu result " + std::to_string(choice));
      SetUp();
      const std::string path = OpenLevel("    Time = 200\n");
      int pointsAfterMenu = -1;
      int pointsBeforeMenu = -1;
      ScriptedPlayer player;
      player.onFrame = [&](int shown) {
      const int frame = Since(shown);
        if (frame == 60) {
          pointsBeforeMenu = points->levelPoints;
          headless::KeyPressAt(shown, KEY_ESCAPE);
        }
        if (frame == 66) ClickMenu(shown, choice);
        if (frame == 75) {
          pointsAfterMenu = points->levelPoints;
          headless::CloseRequestAt(shown);
        }
        // The player stops after its first match: a fuller board could end the game before the
        // menu opens (the blocks dealt depend on every random draw before them).
        return frame < 58 && points->levelPoints == 0;
      };
      int result = 0;
      const bool ended = Ends([&] { return mode->run(FromUtf8(path)); }, result);
      EXPECT_EQ(ended, choice != 3);
      if (choice == 3) {
        EXPECT_EQ(result, mode->menuResult);
      }
      if (!ended) {
        EXPECT_EQ(board->gameOver, 0);
      }
      if (choice == 0) {
        EXPECT_EQ(pointsAfterMenu, pointsBeforeMenu);
      }
      if (choice == 2) {
        // A restart starts score, used blocks and time afresh.
        EXPECT_EQ(pointsAfterMenu, 0);
        EXPECT_EQ(Number(Key(*mode, "Blocks").c_str()), 0);
        EXPECT_LT(Number(Key(*mode, "Time").c_str()), 1000);
      }
      // Every way out but game over leaves the game resumable, the keys in this order, the
      // profile written once.
      EXPECT_EQ(WithoutHistory(*mode, ProfileKeys()), SavedKeys(*mode));
      EXPECT_EQ(Number(Key(*mode, "Resume").c_str()), 1);
      EXPECT_EQ(ToUtf8(profile->GetString(FromUtf8(Key(*mode, "Level")))), path);
      EXPECT_EQ(Number(Key(*mode, "Points").c_str()), points->levelPoints);
      // The last key wrote the file, the board in its three bands of the whole height.
      EXPECT_EQ(WithoutHistory(*mode, ProfileKeys(true)), SavedKeys(*mode));
      for (const auto& [band, items] : {std::pair{"1", 90u}, {"2", 90u}, {"3", 45u}}) {
        TListPtr<String> list = profile->current->GetList(FromUtf8(Key(*mode, band)));
        ASSERT_TRUE(list);
        EXPECT_EQ(list->Count(), items);
      }
      if (choice == 3) {
        EXPECT_EQ(blocks->currentBlock, nullptr);
      }
    }
  }
}

TEST_F(ModeLoops, AContinueResumesTheSavedGameOrReturnsAtOnceWhenThereIsNone) {
  for (const Mode* mode : {&kEndless, &kTimeAttack}) {
    SCOPED_TRACE(mode->name);
    SetUp();
    EXPECT_EQ(mode->run(String()), 0);
    EXPECT_EQ(points->levelPoints, 0);
    EXPECT_EQ(board->cellSize, 32);
    EXPECT_EQ(board->originX, 240);
    EXPECT_EQ(board->originY, 60);
    EXPECT_EQ(board->gameOver, 0);

    const std::string path = OpenLevel("    Time = 200\n");
    profile->SetNumber(FromUtf8(Key(*mode, "Resume")), 1, 0);
    profile->SetString(FromUtf8(Key(*mode, "Level")), FromUtf8(path), 0);
    profile->SetNumber(FromUtf8(Key(*mode, "Points")), 1234, 0);
    profile->SetNumber(FromUtf8(Key(*mode, "Time")), 30000, 0);
    profile->SetNumber(FromUtf8(Key(*mode, "RecivedSpells")), 4, 0);
    profile->SetNumber(FromUtf8(Key(*mode, "DroppedSpells")), 3, 0);
    profile->SetNumber(FromUtf8(Key(*mode, "Blocks")), 17, 0);
    blocks->currentBlock = nullptr;
    int firstFramePoints = -1;
    int firstFrameElapsed = -1;
    headless::SetFrameCallback([&](int shown) {
      const int frame = Since(shown);
      if (firstFramePoints < 0) {
        firstFramePoints = points->levelPoints;
        firstFrameElapsed = timeManager->elapsed;
      }
      if (frame == 3) headless::KeyPressAt(shown, KEY_ESCAPE);
      if (frame == 8) ClickMenu(shown, 3);
    });
    int result = 0;
    ASSERT_FALSE(Ends([&] { return mode->run(String()); }, result));
    headless::SetFrameCallback(nullptr);
    EXPECT_EQ(result, mode->menuResult);
    EXPECT_EQ(ToUtf8(level->fileName), path);
    EXPECT_EQ(firstFramePoints, 1234);
    EXPECT_GE(firstFrameElapsed, 30000);
    EXPECT_LT(firstFrameElapsed, 30100);
    EXPECT_EQ(level->receivedSpells, 4);
    EXPECT_EQ(level->spellsCast, 3);
    // No held block was saved: the first frame dealt one and counted it.
    EXPECT_EQ(Number(Key(*mode, "Blocks").c_str()), 18);
  }
}

TEST_F(ModeLoops, EachLoopPlaysToGameOverThroughItsSummaryAndEntersTheScore) {
  struct Case {
    const Mode* mode;
    bool earlierBestHere;  // a higher earlier score on this very level and mode
  };
  for (const Case& c : {Case{&kEndless, false}, Case{&kTimeAttack, false},
                        Case{&kTimeAttack, true}}) {
    const Mode* mode = c.mode;
    SCOPED_TRACE(std::string(mode->name) + (c.earlierBestHere ? ", beaten before" : ""));
    SetUp();
    const std::string path = OpenLevel("    Time = 500\n");
    // Only the earlier entries of this mode and level count as the best result.
    hiscore->add(S("Older"), 999999, 0, mode->scoreType, S("01 Jan 2026"), S("other.tsc"));
    hiscore->add(S("Older"), 999999, 0, 5 - mode->scoreType, S("01 Jan 2026"), FromUtf8(path));
    if (c.earlierBestHere)
      hiscore->add(S("Older"), 999999, 0, mode->scoreType, S("01 Jan 2026"), FromUtf8(path));
    profile->SetNumber(FromUtf8(Key(*mode, "Resume")), 1, 0);
    int frames = 0;
    ScriptedPlayer player;
    player.onFrame = [&](int shown) {
      const int frame = Since(shown);
      frames = frame;
      if (points->levelActive != 0) return true;
      if (level->summaryPhase == kSummaryWaitsForClick && frame % 4 == 0)
        ClickAt(shown, 400, 300);
      return false;
    };
    int result = 0;
    ASSERT_FALSE(Ends([&] { return mode->run(FromUtf8(path)); }, result));
    EXPECT_EQ(result, 1);
    EXPECT_GT(player.clicks(), 10);
    EXPECT_EQ(board->gameOver, 0);
    EXPECT_EQ(Number(Key(*mode, "Resume").c_str()), 0);
    ASSERT_EQ(Scores().size(), c.earlierBestHere ? 4u : 3u);
    ASSERT_EQ(PlayerScores().size(), 1u);
    const TScore entry = PlayerScores()[0];
    EXPECT_EQ(entry.typeId, mode->scoreType);
    EXPECT_EQ(ToUtf8(entry.helpVar), path);
    EXPECT_EQ(entry.score, points->levelPoints);
    EXPECT_GT(entry.score, 0);
    EXPECT_EQ(ToUtf8(entry.name), "Tess");
    // Game over writes only the resume flag.
    EXPECT_EQ(ProfileKeys(), std::vector<std::string>{Key(*mode, "Resume")});
    // The summary celebrates a new best only against the earlier entries.
    EXPECT_EQ(level->newBestCountdown < 82, !c.earlierBestHere);
    EXPECT_EQ(level->endLoopChannel, nullptr);
    EXPECT_EQ(level->endMusicChannel, nullptr);
  }
}

TEST_F(ModeLoops, ARestartReadsTheSameBoardAgainAndLeavesNoSpellEffectsOrVials) {
  for (const Mode* mode : {&kEndless, &kTimeAttack}) {
    SCOPED_TRACE(mode->name);
    SetUp();
    BoardLayer shapeAtStart{};
    BoardLayer shapeAfterRestart{};
    int vialsAfterRestart = -1;
    int freezeAfterRestart = -1;
    headless::SetFrameCallback([&](int shown) {
      const int frame = Since(shown);
      if (frame == 2) {
        shapeAtStart = board->usable;
        blocks->Freze(600000);
        headless::KeyPressAt(shown, KEY_ESCAPE);
      }
      if (frame == 6) ClickMenu(shown, 2);
      if (frame == 10) {
        shapeAfterRestart = board->usable;
        vialsAfterRestart = 0;
        for (int32_t colour : magicSphere->colours) vialsAfterRestart += colour != 0 ? 1 : 0;
        freezeAfterRestart = blocks->IsFreze();
        headless::CloseRequestAt(shown);
      }
    });
    // An unreadable level file: the loop plays the fallback level, restarts included.
    int result = 0;
    EXPECT_TRUE(Ends([&] { return mode->run(S("no-such-level.tsc")); }, result));
    headless::SetFrameCallback(nullptr);
    EXPECT_EQ(ToUtf8(level->fileName), "no-such-level.tsc");
    EXPECT_GT(play::Count(shapeAtStart), 0);
    EXPECT_EQ(shapeAfterRestart, shapeAtStart);
    EXPECT_EQ(level->goalType, 1);
    EXPECT_EQ(vialsAfterRestart, 0);
    EXPECT_EQ(freezeAfterRestart, 0);
  }
}

TEST_F(ModeLoops, TheTimeLimitIsHeldWithinAMinuteAnd500SecondsAtStartRestartAndResume) {
  struct Case {
    const char* timeKey;
    int limit;
  };
  const Case cases[] = {{"    Time = 30\n", 60000},   {"    Time = 600\n", 500000},
                        {"    Time = 120\n", 120000}, {"", 60000},
                        {"    Time = 59.99\n", 60000}, {"    Time = 500.001\n", 500000}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.timeKey);
    SetUp();
    const std::string path = OpenLevel(c.timeKey);
    std::vector<int> limits;
    headless::SetFrameCallback([&](int shown) {
      const int frame = Since(shown);
      if (frame == 2 || frame == 12) limits.push_back(timeManager->limit);
      if (frame == 3) headless::KeyPressAt(shown, KEY_ESCAPE);
      if (frame == 7) ClickMenu(shown, 2);  // restart
      if (frame == 13) headless::KeyPressAt(shown, KEY_ESCAPE);
      if (frame == 17) ClickMenu(shown, 3);  // leave, saved
    });
    int result = 0;
    ASSERT_FALSE(Ends([&] { return goTimeAtack(FromUtf8(path)); }, result));
    int resumedFrames = 0;
    headless::SetFrameCallback([&](int shown) {
      if (++resumedFrames == 1) limits.push_back(timeManager->limit);
      if (resumedFrames == 3) headless::CloseRequestAt(shown);
    });
    EXPECT_TRUE(Ends([&] { return goTimeAtack(String()); }, result));
    headless::SetFrameCallback(nullptr);
    EXPECT_EQ(limits, (std::vector<int>{c.limit, c.limit, c.limit}));
  }
}

TEST_F(ModeLoops, TimeAttackEndsOnTheFrameTheClockReachesTheLimitAndTheMenuStopsTheClock) {
  const std::string path = OpenLevel("    Time = 60\n");
  int elapsedBeforeMenu = -1;
  int elapsedAfterMenu = -1;
  int lastPlayElapsed = -1;
  int endedAtElapsed = -1;
  bool advanced = false;
  headless::SetFrameCallback([&](int shown) {
      const int frame = Since(shown);
    if (frame == 40) {
      elapsedBeforeMenu = timeManager->elapsed;
      headless::KeyPressAt(shown, KEY_ESCAPE);
    }
    // The menu stays open twenty seconds.
    if (timeManager->paused != 0 && !advanced) {
      advanced = true;
      headless::AdvanceClock(20000);
      headless::KeyPressAt(shown, KEY_ESCAPE);
    }
    if (advanced && elapsedAfterMenu < 0 && timeManager->paused == 0) {
      elapsedAfterMenu = timeManager->elapsed;
      // Straight to a frame short of the limit.
      headless::AdvanceClock(60000 - 40 - timeManager->elapsed);
    }
    if (points->levelActive != 0) {
      lastPlayElapsed = timeManager->elapsed;
    } else if (endedAtElapsed < 0) {
      endedAtElapsed = lastPlayElapsed;
    }
    if (points->levelActive == 0 && level->summaryPhase == kSummaryWaitsForClick && frame % 4 == 0)
      ClickAt(shown, 400, 300);
  });
  int result = 0;
  ASSERT_FALSE(Ends([&] { return goTimeAtack(FromUtf8(path)); }, result));
  headless::SetFrameCallback(nullptr);
  EXPECT_EQ(result, 1);
  EXPECT_LT(elapsedAfterMenu - elapsedBeforeMenu, 200);
  EXPECT_EQ(endedAtElapsed, 60000);
  EXPECT_EQ(timeManager->elapsed, 60000);
  EXPECT_EQ(board->gameOver, 0);
}

}  // namespace
}  // namespace modes_test
