// Long play under the scripted player, watched for memory that only grows: endless and time
// attack game after game, and the quest's first stage twice over. Resident memory is sampled
// every tenth of the run; after the first sample it may not grow by 5 %. These run in the
// AddressSanitizer build, whose leak check at the end of the process fails it on any leak.
// They run only when MIRETHORN_SOAK_FRAMES is set, to the frames of each mode (10,000 when it
// is not a number; the long soak is 100,000).
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datafiles/bca_archive.h"
#include "game_modes/modes_fixtures.h"
#include "minigames/puzzle/puzzle_manager.h"
#include "minigames/ring/ring_game.h"

#if defined(__SANITIZE_ADDRESS__)
#define MIRETHORN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MIRETHORN_ASAN 1
#endif
#endif

namespace modes_test {
namespace {

int SoakFrames() {
  const char* set = std::getenv("MIRETHORN_SOAK_FRAMES");
  const int frames = set ? std::atoi(set) : 0;
  return frames > 0 ? frames : 10000;
}

long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Thrown from the frame callback when the run has shown its frames.
struct RunOver {};

// The shipped levels of each mode, played in turn.
const std::vector<const char*> kEndlessLevels = {"level_endless_01.tsc", "level_endless_02.tsc",
                                                 "level_endless_03.tsc"};
const std::vector<const char*> kTimedLevels = {"level_timed_01.tsc", "level_timed_02.tsc",
                                               "level_timed_03.tsc"};

// The quest levels the map puts in stage 1, in order.
std::vector<int32_t> FirstStageLevels() {
  TSCFilePtr file = CreateTSCFile();
  LoadTSCFileBB(file, "data/settings_lp.bca", S("map.tsc"));
  std::vector<int32_t> numbers;
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(file, S("Levels"));
  for (const TSCGroupPtr& group : *groups) {
    const String path = S("Levels::") + group->name;
    if (GetTSCWholeNumberKey(file, path, S("Stage"), 0) == 1)
      numbers.push_back(GetTSCWholeNumberKey(file, path, S("Number"), 0));
  }
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

class Soak : public ModesTest {
 protected:
  void SetUp() override {
#ifndef MIRETHORN_ASAN
    GTEST_SKIP() << "the soak runs in the AddressSanitizer build";
#endif
    if (!std::getenv("MIRETHORN_SOAK_FRAMES")) GTEST_SKIP() << "MIRETHORN_SOAK_FRAMES starts the soak";
    ModesTest::SetUp();
    headless::SetFrameCap(0);
    frames_ = SoakFrames();
    interval_ = std::max(1, frames_ / 10);
  }

  // Called every frame with the frames shown since the run began; a run with an end stops there.
  void Watch(int frame, bool ends = true) {
    if (frame > 0 && frame % interval_ == 0) samples_.push_back(ResidentKb());
    if (ends && frame >= frames_) throw RunOver{};
  }

  void ExpectFlatMemory() {
    ASSERT_GE(samples_.size(), 2u);
    std::string seen;
    for (long kb : samples_) seen += std::to_string(kb) + " ";
    RecordProperty("resident_kb", seen);
    std::printf("resident memory (kB) every %d frames: %s\n", interval_, seen.c_str());
    for (size_t k = 1; k < samples_.size(); ++k)
      EXPECT_LT(samples_[k], samples_[0] + samples_[0] / 20) << "sample " << k << ": " << seen;
  }

  // Endless or time attack, game after game on the shipped levels, through each summary.
  void PlayMode(int32_t (*run)(const String&), const std::vector<const char*>& levels) {
    const int first = headless::FrameNumber();
    ScriptedPlayer player;
    player.onFrame = [&](int shown) {
      Watch(shown - first);
      return ClickThroughSummary(shown);
    };
    int games = 0;
    try {
      for (;;) {
        const char* name = levels[static_cast<size_t>(games) % levels.size()];
        EXPECT_EQ(run(FromUtf8(name)), 1) << name;  // each game ends in game over
        ++games;
      }
    } catch (const RunOver&) {
    }
    std::printf("%d games over in %d frames\n", games, frames_);
    EXPECT_GT(games, 0);
    ExpectFlatMemory();
  }

  int frames_ = 0;
  int interval_ = 1;
  std::vector<long> samples_;
};

TEST_F(Soak, EndlessGamesAfterGamesKeepMemoryFlat) { PlayMode(goEndless, kEndlessLevels); }

TEST_F(Soak, TimeAttackGamesAfterGamesKeepMemoryFlat) { PlayMode(goTimeAtack, kTimedLevels); }

// Each level of the quest's first stage: the scripted player plays a board level for a while,
// retrying after a loss; then the cheat key wins whatever is still open (board, puzzle or ring
// game) and the summary is clicked through. The stage runs twice, memory sampled throughout.
TEST_F(Soak, TheQuestsFirstStageTwiceOverKeepsMemoryFlat) {
  // A working folder of links to the game folder's contents and a cheat file, so G wins.
  namespace fs = std::filesystem;
  const fs::path game = fs::current_path();
  const fs::path work = fs::path(std::getenv("HOME")) / "soak-game";
  fs::create_directories(work);
  for (const fs::directory_entry& e : fs::directory_iterator(game))
    fs::create_symlink(e.path(), work / e.path().filename());
  std::ofstream(work / "cheats.txt") << "\n";
  fs::current_path(work);

  const std::vector<int32_t> stage = FirstStageLevels();
  ASSERT_FALSE(stage.empty());
  const int perLevel = std::max(300, frames_ / 33);
  // Samples as in the other modes, a tenth of their frames apart.
  int levelStart = 0;
  int popupOpened = -1;
  int won = 0;
  const int first = headless::FrameNumber();
  std::vector<int> levelFrames;
  ScriptedPlayer player;
  player.onFrame = [&](int shown) {
    Watch(shown - first, false);
    // A loss: retry once the game-over popup has zoomed in.
    if (levelReplays > 0 && popupOpened < 0) popupOpened = shown;
    if (popupOpened >= 0 && shown == popupOpened + kPopupZoomFrames) {
      ClickRetry(shown);
      popupOpened = -1;
      levelReplays = 0;
    }
    const int inLevel = shown - levelStart;
    if (inLevel == perLevel || (inLevel > perLevel && shown % 50 == 0))
      headless::KeyPressAt(shown, KEY_G);
    if (inLevel > perLevel && shown % 6 == 0) ClickAt(shown, 400, 300);
    return ClickThroughSummary(shown);
  };
  for (int pass = 0; pass < 2; ++pass) {
    for (int32_t number : stage) {
      SCOPED_TRACE("pass " + std::to_string(pass) + ", level " + std::to_string(number));
      sequencer->Start(number);
      ASSERT_EQ(sequencer->setupLevel(), 1);
      levelStart = headless::FrameNumber();
      int32_t result = -1;
      switch (sequencer->levelType) {
        case 2:
          result = puzzle->show(0, String(), 0);
          break;
        case 3:
          result = ringGame->Play(0);
          break;
        default:
          board->gameOver = 0;
          result = goGlyphor(0);
          level->stopAndFreeMusic();
          break;
      }
      if (result == 0) ++won;
      levelFrames.push_back(headless::FrameNumber() - levelStart);
    }
  }
  std::string frames;
  for (int f : levelFrames) frames += std::to_string(f) + " ";
  std::printf("first stage: levels %zu, passes 2, won %d, frames per level: %s\n", stage.size(),
              won, frames.c_str());
  EXPECT_EQ(won, static_cast<int>(2 * stage.size()));
  ExpectFlatMemory();
}

}  // namespace
}  // namespace modes_test
