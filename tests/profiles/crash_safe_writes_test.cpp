// Saving survives being killed: a child process saves a profile, the options and the hiscores
// over and over and is killed at a random moment, hundreds of times; after every kill each file
// is the version before the round or one the child wrote, whole and readable, and the next
// start finds its profile, its options and its hiscores without setting anything aside.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "services/options.h"
#include "datafiles/tsc_file.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "profiles/hiscores.h"
#include "profiles/profile_fixtures.h"

using namespace profile_test;

namespace {

constexpr int kRounds = 300;
constexpr int kSavesPerRound = 999;  // values of round r are r * 1000 + 1 .. r * 1000 + 999
constexpr int kMostKillDelayUs = 4000;

std::string OptionsPath() { return myDocsFolder + "/data/options.tsc"; }
std::string HiscoresPath() { return myDocsFolder + "/data/hiscores.tsc"; }
std::string ProfilePath() { return Folder() + "/ilse.dat"; }

// The child: saves the three files with rising values until it is killed.
[[noreturn]] void SaveForever(int round, const HiscoresPtr& scores) {
  for (int i = 1; i <= kSavesPerRound; ++i) {
    const int32_t value = round * 1000 + i;
    profile->current->SetNumber(u"saved", value);
    profile->current->Save();
    options->startingLevel = value;
    options->SaveOptionsOnly();
    scores->add(u"ilse", value, 0, HISCORE_ENDLESS, u"1 Jan 2026", u"null");
  }
  _exit(0);
}

// The file's value, read as the next start reads it; fails the test when the file is torn.
int32_t ProfileValue() {
  ProfilePtr loaded = TProfile::Create(ProfilePath());
  if (!loaded) {
    ADD_FAILURE() << "the profile does not load";
    return -1;
  }
  EXPECT_EQ(loaded->GetString(u"PortalName"), u"Mirethorn");
  return loaded->GetNumber(u"saved");
}

int32_t OptionsValue() {
  TSCFilePtr tsc = CreateTSCFile();
  try {
    LoadTSCFile(tsc, OptionsPath());
  } catch (const TextError& error) {
    ADD_FAILURE() << "the options do not load: " << error.what();
    return -1;
  }
  EXPECT_EQ(GetTSCStringKey(tsc, u"Settings", u"lastProfile", 0), u"ilse");
  return static_cast<int32_t>(GetTSCNumberKey(tsc, u"Settings", u"startingLevel", 0));
}

int32_t HiscoresValue() {
  HiscoresPtr loaded = THiscores::Create(HiscoresPath());
  TListPtr<ScorePtr> quest = loaded->GetScores(HISCORE_QUEST, 10);
  EXPECT_EQ(quest->Count(), 1);  // the first entry of a new file, never lost
  TListPtr<ScorePtr> endless = loaded->GetScores(HISCORE_ENDLESS, 1);
  return endless->IsEmpty() ? 0 : endless->First()->score;
}

// Temporary files of a save that was cut short, in the two folders the game writes.
std::vector<std::string> Leftovers() {
  std::vector<std::string> found;
  for (const std::string& dir : {Folder(), myDocsFolder + "/data"})
    for (const std::string& name : LoadDir(dir))
      if (name.find(".tmp-") != std::string::npos) found.push_back(dir + "/" + name);
  return found;
}

}  // namespace

TEST(CrashSafeWrites, AKilledSaverLeavesEveryFileWholeOldOrNew) {
  GetDataFolders();
  ASSERT_TRUE(CreateDir(Folder()));
  ASSERT_TRUE(TProfile::CreateNew(ProfilePath(), kPortal));
  profile = TProfileManager::Create(Folder(), "dat");
  ASSERT_TRUE(profile->current);
  options = std::make_shared<TOptions>();
  options->Load();
  options->SaveOptionsOnly();
  HiscoresPtr scores = THiscores::Create(HiscoresPath());
  scores->limitPerType = 5;

  std::mt19937 random(35);
  std::uniform_int_distribution<int> delay(0, kMostKillDelayUs);
  int32_t lastProfile = ProfileValue(), lastOptions = OptionsValue(), lastScore = HiscoresValue();
  int killedMidway = 0;
  for (int round = 1; round <= kRounds; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForever(round, scores);
    usleep(static_cast<useconds_t>(delay(random)));
    kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    if (WIFSIGNALED(status)) ++killedMidway;

    // Each file holds the value from before the round or one this round wrote, never less.
    const int32_t first = round * 1000 + 1, last = round * 1000 + kSavesPerRound;
    for (auto [name, value, before] :
         {std::tuple{"profile", ProfileValue(), &lastProfile},
          std::tuple{"options", OptionsValue(), &lastOptions},
          std::tuple{"hiscores", HiscoresValue(), &lastScore}}) {
      ASSERT_TRUE(value == *before || (value >= first && value <= last))
          << name << " in round " << round << ": " << value << " after " << *before;
      *before = value;
    }
    // A cut-short save leaves at most one temporary per file, cleared by the next save.
    ASSERT_LE(Leftovers().size(), 3u) << "round " << round;
  }
  EXPECT_GT(killedMidway, kRounds / 2);

  // The next start: the profile is listed and current, the options and hiscores are read as
  // they are (nothing set aside), and its first saves clear what the kills left.
  profile = TProfileManager::Create(Folder(), "dat");
  ASSERT_TRUE(profile->current);
  EXPECT_EQ(profile->current->name, u"ilse");
  options = std::make_shared<TOptions>();
  options->Load();
  EXPECT_EQ(options->startingLevel, lastOptions);
  scores = THiscores::Create(HiscoresPath());
  for (const std::string& dir : {Folder(), myDocsFolder + "/data"})
    for (const std::string& name : LoadDir(dir))
      EXPECT_EQ(name.find(".bad"), std::string::npos) << dir << "/" << name;
  EXPECT_TRUE(profile->current->Save());
  options->SaveOptionsOnly();
  EXPECT_TRUE(scores->Save());
  EXPECT_EQ(Leftovers(), std::vector<std::string>{});
}
