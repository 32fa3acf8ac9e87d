#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/data_folders.h"
#include "services/options.h"
#include "services/sfx.h"
#include "support/sound_fixtures.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "support/test_support.h"

using app_test::ConstantSound;
using app_test::MixedLevel;

namespace {
class SoundEffects : public testing::Test {
 protected:
  void SetUp() override {
    options = std::make_shared<TOptions>();
    options->soundVol = 0.5f;
    soundQueue = CreateList<SoundQPtr>();
    globalSnd = std::make_shared<TGlobalSnd>();
  }
  void TearDown() override { StopAllChannels(); }
};
}  // namespace

TEST_F(SoundEffects, PlaySound2StartsANewChannelAtTheSoundVolume) {
  ChannelPtr c = playSound2(ConstantSound(10000));
  ASSERT_TRUE(c);
  EXPECT_EQ(ChannelPlaying(c), 1);
  EXPECT_EQ(MixedLevel(), 5000);
  // A later change of the volume leaves a playing sound alone.
  options->soundVol = 1.0f;
  EXPECT_EQ(MixedLevel(), 5000);
}

TEST_F(SoundEffects, PlaySound2ReusesOrCutsOffTheGivenChannel) {
  struct Case {
    const char* name;
    bool givenPlays;
    bool withSound;
    int force;
    bool returnsGiven;  // else a new channel, or null without a sound
    bool givenPlaysAfter;
  };
  const Case cases[] = {
      {"playing, no force", true, true, 0, true, true},
      {"playing, forced", true, true, 1, false, false},
      {"finished, no force", false, true, 0, false, false},
      {"no sound, playing, no force", true, false, 0, true, true},
      {"no sound, playing, forced", true, false, 1, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StopAllChannels();
    ChannelPtr given = PlaySound(ConstantSound(1000));
    if (!c.givenPlays) StopChannel(given);
    const SoundPtr sound = c.withSound ? ConstantSound(2000) : nullptr;
    ChannelPtr got = playSound2(sound, given, c.force);
    EXPECT_EQ(ChannelPlaying(given), c.givenPlaysAfter ? 1 : 0);
    if (c.returnsGiven) {
      EXPECT_EQ(got, given);
    } else if (c.withSound) {
      ASSERT_TRUE(got);
      EXPECT_NE(got, given);
      EXPECT_EQ(ChannelPlaying(got), 1);
    } else {
      EXPECT_FALSE(got);
    }
    // Nothing is started on top of a channel that is kept playing.
    const int expected = (c.givenPlaysAfter ? 1000 : 0) + (c.returnsGiven || !c.withSound ? 0 : 1000);
    EXPECT_EQ(MixedLevel(), expected);
  }
}

TEST_F(SoundEffects, ZeroSoundVolumeSilencesEffectsButStillStopsTheChannel) {
  for (float volume : {0.0f, -0.5f}) {
    options->soundVol = volume;
    ChannelPtr given = PlaySound(ConstantSound(1000));
    EXPECT_FALSE(playSound2(ConstantSound(1000), given, 1));
    EXPECT_EQ(ChannelPlaying(given), 0);
    EXPECT_FALSE(playSound2(ConstantSound(1000)));
    EXPECT_EQ(MixedLevel(), 0);
  }
}

TEST_F(SoundEffects, QueuedSoundsPlayOnceTheirTimeHasPassed) {
  const int32_t due = MilliSecs() + 600;
  TSoundQ::addSound(ConstantSound(100), due);
  TSoundQ::addSound(ConstantSound(20), due);
  TSoundQ::addSound(nullptr, due);
  TSoundQ::addSound(ConstantSound(3), due + 1);
  ASSERT_EQ(soundQueue->Count(), 4);
  EXPECT_EQ(soundQueue->First()->dueMs, due);

  headless::AdvanceClock(600);  // the clock reads exactly the due time: still waiting
  TSoundQ::updateAll();
  EXPECT_EQ(soundQueue->Count(), 4);
  EXPECT_EQ(MixedLevel(), 0);

  options->soundVol = 1.0f;  // the volume in force when the sound becomes due counts
  headless::AdvanceClock(1);
  TSoundQ::updateAll();
  ASSERT_EQ(soundQueue->Count(), 1);
  EXPECT_EQ(soundQueue->First()->dueMs, due + 1);
  EXPECT_EQ(MixedLevel(), 120);

  headless::AdvanceClock(1);
  TSoundQ::updateAll();
  EXPECT_TRUE(soundQueue->IsEmpty());
  EXPECT_EQ(MixedLevel(), 123);
}

TEST_F(SoundEffects, DueSoundsKeepTheOrderTheyWereAddedIn) {
  const int32_t now = MilliSecs();
  std::vector<SoundPtr> sounds;
  for (int i = 0; i < 4; ++i) sounds.push_back(ConstantSound(static_cast<int16_t>(i + 1)));
  TSoundQ::addSound(sounds[0], now + 50);
  TSoundQ::addSound(sounds[1], now - 5);
  TSoundQ::addSound(sounds[2], now + 10);
  TSoundQ::addSound(sounds[3], now + 50);
  headless::AdvanceClock(20);
  TSoundQ::updateAll();
  std::vector<SoundPtr> left;
  for (const SoundQPtr& q : *soundQueue) left.push_back(q->sound);
  EXPECT_EQ(left, (std::vector<SoundPtr>{sounds[0], sounds[3]}));
  // An entry can also take itself out.
  soundQueue->First()->Destroy();
  EXPECT_EQ(soundQueue->First()->sound, sounds[3]);
}

TEST_F(SoundEffects, InterfaceSoundsPlayByIndex) {
  for (int i = 0; i < TGlobalSnd::kCount; ++i) {
    globalSnd->sounds[i] = ConstantSound(static_cast<int16_t>(100 * (i + 1)));
  }
  options->soundVol = 1.0f;
  struct Case {
    const char* name;
    void (*call)();
    int level;
  };
  const Case cases[] = {
      {"click", [] { globalSnd->click(); }, 700},
      {"over", [] { globalSnd->over(); }, 800},
      {"play 6", [] { globalSnd->play(6); }, 700},
      {"play 0", [] { globalSnd->play(0); }, 100},
      {"play 12", [] { globalSnd->play(12); }, 1300},
      {"play 13", [] { globalSnd->play(13); }, 0},
      {"play -1", [] { globalSnd->play(-1); }, 0},
  };
  for (const Case& c : cases) {
    StopAllChannels();
    c.call();
    EXPECT_EQ(MixedLevel(), c.level) << c.name;
  }
  StopAllChannels();
  globalSnd->sounds[6] = nullptr;  // a file that could not be loaded
  globalSnd->click();
  EXPECT_EQ(MixedLevel(), 0);
}

TEST_F(SoundEffects, MissingInterfaceSoundFilesLeaveEmptySlots) {
  for (int i = 0; i < TGlobalSnd::kCount; ++i) globalSnd->sounds[i] = ConstantSound(1);
  bundleDir = test_support::TempHome() + "/";  // a data folder without any sounds
  globalSnd->load();
  bundleDir = "";
  for (int i = 0; i < TGlobalSnd::kCount; ++i) EXPECT_FALSE(globalSnd->sounds[i]) << i;
  globalSnd->click();
  EXPECT_EQ(MixedLevel(), 0);
}

TEST_F(SoundEffects, LoadFillsTheSlotsFromTheGameFolder) {
  if (FileType("sfx/fx4/playgame-mouseover.ogg") != FILETYPE_FILE) {
    GTEST_SKIP() << "the game folder holds no generated sounds";
  }
  globalSnd->load();
  ASSERT_TRUE(globalSnd->sounds[6]);
  ASSERT_TRUE(globalSnd->sounds[7]);
  // The same file in two slots: two separate loads.
  EXPECT_NE(globalSnd->sounds[6], globalSnd->sounds[7]);
  EXPECT_FALSE(globalSnd->sounds[6]->loop);
}
