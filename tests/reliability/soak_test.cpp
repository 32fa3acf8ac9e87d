// Long play under the scripted player, watched for memory that only grows: endless and time
// attack game after game, and the quest's first stage twice over. Memory is sampled every tenth
// of the run, from the first tenth once every level has been played (2,000 frames), and in the
// quest's stage at the level ends of its second pass; from the first sample to the last it may
// not grow by 5 %. In the normal build that is the resident
// memory. In the AddressSanitizer build, whose leak check at the end of the process fails it on
// any leak, it is the game's live heap: the sanitizer's own records of every allocation's stack
// and its shadow of the heap only ever grow (100,000 frames of endless took its resident memory
// up by a third, while the live heap and the normal build's resident memory stayed within a
// few percent). Endless and time attack play 10,000 frames each with
// every run of the sanitizer build's tests; with MIRETHORN_SOAK_FRAMES set, in either build,
// that many frames each (the long soak is 100,000) and the quest's stage too.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "datafiles/bca_archive.h"
#include "play_modes/modes_fixtures.h"
#include "play/puzzle/puzzle_manager.h"
#include "play/ring/ring_game.h"

#if defined(__SANITIZE_ADDRESS__)
#define MIRETHORN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MIRETHORN_ASAN 1
#endif
#endif

#ifdef MIRETHORN_ASAN
#include <sanitizer/allocator_interface.h>

// The sanitizer holds freed blocks back before reusing them (256 MB by default), and resident
// memory swings by a fifth as that quarantine fills and recycles; a small one keeps the samples
// about the game's own memory.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=16"; }
#endif

namespace modes_test {
namespace {

int SoakFrames() {
  const char* set = std::getenv("MIRETHORN_SOAK_FRAMES");
  const int frames = set ? std::atoi(set) : 0;
  return frames > 0 ? frames : 10000;
}

// The growth of resident memory over a run, as a fraction of where it stood at the first sample.
// Resident memory wavers by several percent between samples (the allocator hands pages back
// and takes them again), so no one sample is trusted: the growth is that of the straight line
// fitted to all the samples (least squares), from the first sample to the last.
double FittedGrowth(const std::vector<long>& samples) {
  const double n = static_cast<double>(samples.size());
  double meanX = 0, meanY = 0;
  for (size_t k = 0; k < samples.size(); ++k) {
    meanX += static_cast<double>(k) / n;
    meanY += static_cast<double>(samples[k]) / n;
  }
  double sxy = 0, sxx = 0;
  for (size_t k = 0; k < samples.size(); ++k) {
    sxy += (static_cast<double>(k) - meanX) * (static_cast<double>(samples[k]) - meanY);
    sxx += (static_cast<double>(k) - meanX) * (static_cast<double>(k) - meanX);
  }
  const double slope = sxx > 0 ? sxy / sxx : 0;
  const double atFirst = meanY - slope * meanX;
  return atFirst > 0 ? slope * (n - 1) / atFirst : 0;
}

long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long size = 0;
  long resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The memory watched: the live heap under the sanitizer, the resident memory otherwise.
long WatchedKb() {
#ifdef MIRETHORN_ASAN
  return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
  return ResidentKb();
#endif
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

// The information popup on show, the quest's, the puzzle's or the ring game's; null when none is.
const TPopup* ShownPopup() {
  const TListPtr<PopupPtr> lists[] = {popupManager ? popupManager->popups : nullptr,
                                      puzzle ? puzzle->popups : nullptr,
                                      ringGame ? ringGame->popups : nullptr};
  for (const TListPtr<PopupPtr>& list : lists) {
    if (!list) continue;
    for (const PopupPtr& popup : *list)
      if (popup->alpha >= 1.0f && popup->active == 1) return popup.get();
  }
  return nullptr;
}

class Soak : public ModesTest {
 protected:
  void SetUp() override {
#ifndef MIRETHORN_ASAN
    // Outside the sanitizer, the allocator's resident memory is still settling over the first
    // 10,000 frames: only the long soak runs there.
    if (!std::getenv("MIRETHORN_SOAK_FRAMES"))
      GTEST_SKIP() << "the normal build plays only the long soak (MIRETHORN_SOAK_FRAMES)";
#endif
    ModesTest::SetUp();
    FillHiscores();
    headless::SetFrameCap(0);
    // The game plays every frame; the pixels of nine frames in ten are left alone, which under
    // the sanitizers takes most of the time.
    headless::SetSparseDrawing(10);
    frames_ = SoakFrames();
    interval_ = std::max(1, frames_ / 10);
  }

  // Every game over enters the hiscore table, which grows until each mode holds its most
  // entries: in the long soak it starts full, so that the samples see the game's memory and not
  // a table filling up to its bound. The short one adds under twenty entries, and a full table
  // saved at each game over would take most of its time under the sanitizer.
  static void FillHiscores() {
    if (!std::getenv("MIRETHORN_SOAK_FRAMES")) return;
    for (int32_t mode : {HISCORE_QUEST, HISCORE_ENDLESS, HISCORE_TIME_ATTACK})
      for (int32_t i = 0; i < hiscore->limitPerType; ++i)
        hiscore->add2(u"soak", i, 0, mode, u"01 Mar 2026", u"level_endless_01.tsc");
    hiscore->TrimHiscores();
    ASSERT_TRUE(hiscore->Save());
  }

  void TakeSample() {
    samples_.push_back(WatchedKb());
    resident_.push_back(ResidentKb());
  }

  // Called every frame with the frames shown since the run began; a run with an end stops there.
  // The first sample waits until each of the mode's levels has been played once, its pictures
  // and sounds loaded.
  void Watch(int frame, bool ends = true) {
    if (frame >= kWarmUpFrames && frame % interval_ == 0) TakeSample();
    if (ends && frame >= frames_) throw RunOver{};
  }

  // `when` says when the samples were taken, for the figures printed.
  void ExpectFlatMemory(const std::string& when) {
    ASSERT_GE(samples_.size(), 3u);
    std::string seen, resident;
    for (long kb : samples_) seen += std::to_string(kb) + " ";
    for (long kb : resident_) resident += std::to_string(kb) + " ";
    const double growth = FittedGrowth(samples_);
    RecordProperty("watched_kb", seen);
#ifdef MIRETHORN_ASAN
    std::printf("live heap (kB) %s: %s; fitted growth %.1f %%\n", when.c_str(), seen.c_str(),
                100 * growth);
    std::printf("resident memory (kB), the sanitizer's included: %s; fitted growth %.1f %%\n",
                resident.c_str(), 100 * FittedGrowth(resident_));
#else
    std::printf("resident memory (kB) %s: %s; fitted growth %.1f %%\n", when.c_str(),
                seen.c_str(), 100 * growth);
#endif
    EXPECT_LT(growth, 0.05) << seen;
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
    ExpectFlatMemory("every " + std::to_string(interval_) + " frames");
  }

  static constexpr int kWarmUpFrames = 2000;
  int frames_ = 0;
  int interval_ = 1;
  std::vector<long> samples_;   // the memory watched
  std::vector<long> resident_;  // the resident memory beside it
};

// Memory that climbs a little with every sample fails; a waver of a tenth either way does not.
TEST(SoakGrowth, IsReadOffTheLineThroughAllSamples) {
  EXPECT_NEAR(FittedGrowth({100, 110, 120, 130}), 0.3, 1e-9);
  EXPECT_NEAR(FittedGrowth({500, 560, 450, 550, 460, 540, 470, 555, 455, 500}), 0.0, 0.05);
  EXPECT_GT(FittedGrowth({500, 540, 520, 560, 545, 580, 565, 600, 590, 620}), 0.05);
  EXPECT_NEAR(FittedGrowth({400, 380, 360}), -0.1, 1e-9);
}

TEST_F(Soak, EndlessGamesAfterGamesKeepMemoryFlat) { PlayMode(goEndless, kEndlessLevels); }

TEST_F(Soak, TimeAttackGamesAfterGamesKeepMemoryFlat) { PlayMode(goTimeAtack, kTimedLevels); }

// Each level of the quest's first stage: the scripted player plays a board level for a while,
// retrying after a loss; then the cheat key wins whatever is still open (board, puzzle or ring
// game) and the summary is clicked through. The stage runs twice. The first pass loads what
// each level needs; memory is sampled at its end and at the end of every level of the second
// pass, each a point where the game holds no level, so that the samples compare like with like.
TEST_F(Soak, TheQuestsFirstStageTwiceOverKeepsMemoryFlat) {
  // Its length follows the stage, not the frames asked for: under the sanitizers it takes longer
  // than the test budget allows, so only the soak asked for by name plays it.
  if (!std::getenv("MIRETHORN_SOAK_FRAMES")) GTEST_SKIP() << "MIRETHORN_SOAK_FRAMES starts this soak";
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
  int levelStart = 0;
  int popupOpened = -1;
  int lossesSeen = 0;
  int won = 0;
  std::vector<int> levelFrames;
  std::string firstPass;  // memory at each level's end in the first pass, for the record
  ScriptedPlayer player;
  player.onFrame = [&](int shown) {
    // A loss: retry once the game-over popup has zoomed in, and again every second should a
    // click have gone astray, until the level starts again (a fresh board is not over); nothing
    // else is clicked meanwhile. The player can lose the level again sooner than any fixed wait.
    if (levelReplays > lossesSeen) {
      lossesSeen = levelReplays;
      popupOpened = shown;
    }
    if (popupOpened >= 0) {
      const int since = shown - popupOpened - kPopupZoomFrames;
      if (since > 0 && board->gameOver == 0) {
        popupOpened = -1;
      } else {
        if (since >= 0 && since % 60 == 0) ClickRetry(shown);
        return ClickThroughSummary(shown);
      }
    }
    if (levelReplays < lossesSeen) lossesSeen = levelReplays;  // a new level counts anew
    // A popup's OK, pointed at first so that the button sees the pointer before the press;
    // again every half second until the popup goes.
    if (const TPopup* popup = ShownPopup()) {
      if (shown % 30 == 0) {
        headless::MouseMoveAt(shown, popup->buttonX + 10, popup->buttonY + 10);
        headless::MouseClickAt(shown + 1, 1);
      }
      return false;
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
      // A cheat key hit the last level left unread would win this one at once.
      FlushKeys();
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
      if (pass == 1 || number == stage.back()) {
        TakeSample();
      } else {
        firstPass += std::to_string(WatchedKb()) + " ";
      }
    }
  }
  std::string frames;
  for (int f : levelFrames) frames += std::to_string(f) + " ";
  std::printf("first stage: levels %zu, passes 2, won %d, frames per level: %s\n", stage.size(),
              won, frames.c_str());
  std::printf("memory (kB) at the first pass's level ends before its last: %s\n", firstPass.c_str());
  EXPECT_EQ(won, static_cast<int>(2 * stage.size()));
  ExpectFlatMemory("after the first pass and each level of the second");
}

}  // namespace
}  // namespace modes_test
