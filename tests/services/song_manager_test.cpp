#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "services/options.h"
#include "services/song_manager.h"
#include "support/sound_fixtures.h"
#include "platform/files.h"
#include "platform/system.h"
#include "support/test_support.h"

using app_test::ConstantSound;
using app_test::MixedLevel;

namespace {
class Music : public testing::Test {
 protected:
  void SetUp() override {
    GetDataFolders();
    options = std::make_shared<TOptions>();
    options->musicVol = 0.5f;
    songManager = std::make_shared<TSongManager>();
  }
  void TearDown() override { StopAllChannels(); }

  // A cache entry as a load of `path` leaves it, with a sound made in memory.
  static MusicFilePtr Cached(const std::string& path, int16_t level, bool loop = true) {
    auto entry = std::make_shared<TMusicFile>();
    entry->name = path;
    entry->loaded = 1;
    entry->sound = ConstantSound(level, loop);
    songManager->songs->AddLast(entry);
    return entry;
  }
  static std::vector<std::string> CachedNames() {
    std::vector<std::string> names;
    for (const MusicFilePtr& m : *songManager->songs) names.push_back(m->name);
    return names;
  }
  static void Touch(const std::string& path) { ASSERT_TRUE(SaveText(u"not a song", path)); }
};
}  // namespace

TEST_F(Music, EachPathIsLoadedOnceAndKeptCached) {
  const std::string missing = test_support::TempHome() + "/missing.ogg";
  MusicFilePtr first = songManager->loadSong(missing, 1);
  EXPECT_EQ(first->name, missing);
  EXPECT_EQ(first->loaded, 1);  // tried, even though nothing came back
  EXPECT_FALSE(first->sound);
  // The file is not tried again, even once it exists.
  Touch(missing);
  EXPECT_EQ(songManager->loadSong(missing, 0), first);
  EXPECT_EQ(songManager->playSong(missing, 1, 1.0f), first);
  EXPECT_FALSE(first->channel);
  // Paths that differ in letter case are different songs.
  const std::string upper = test_support::TempHome() + "/MISSING.ogg";
  EXPECT_NE(songManager->loadSong(upper, 1), first);
  EXPECT_EQ(CachedNames(), (std::vector<std::string>{missing, upper}));
  EXPECT_EQ(songManager->findSong(missing), first);
  EXPECT_FALSE(songManager->findSong("nothing.ogg"));
}

TEST_F(Music, CachedSongPlaysWithoutLoadingAgain) {
  // The path does not exist: only the cached sound can play.
  MusicFilePtr song = Cached("sfx/preloaded.ogg", 10000, true);
  MusicFilePtr played = songManager->playSong("sfx/preloaded.ogg", 0, 1.0f);
  EXPECT_EQ(played, song);
  ASSERT_TRUE(song->channel);
  EXPECT_TRUE(song->sound->loop);  // preloaded looping, whatever this start's flags
  EXPECT_EQ(MixedLevel(), 5000);   // music volume 0.5 x 1.0
  EXPECT_EQ(songManager->songs->Count(), 1);
}

TEST_F(Music, StreamVolumeIsSetAsGiven) {
  Touch(test_support::TempHome() + "/song.ogg");
  const std::string path = test_support::TempHome() + "/song.ogg";
  Cached(path, 10000);
  AudioStreamPtr stream = playMusicStream(path, 1, 1.0f);
  ASSERT_TRUE(stream && stream->song);
  EXPECT_EQ(MixedLevel(), 5000);
  setStreamVolume(stream, 0.3f);  // not scaled by the music volume again
  EXPECT_EQ(MixedLevel(), 3000);
  options->musicVol = 1.0f;  // reaches a playing song only through setVolume
  EXPECT_EQ(MixedLevel(), 3000);
  stream->pause();
  EXPECT_EQ(MixedLevel(), 0);
  stream->play();
  EXPECT_EQ(MixedLevel(), 3000);
  stream->update();
  stream->stop();
  stream->free();
  EXPECT_EQ(MixedLevel(), 0);
  EXPECT_EQ(ChannelPlaying(stream->song->channel), 0);
  EXPECT_EQ(songManager->songs->Count(), 1);  // still cached
}

TEST_F(Music, StreamsActOnTheLatestStartOfTheirSong) {
  const std::string path = test_support::TempHome() + "/song.ogg";
  Touch(path);
  Cached(path, 1000);
  AudioStreamPtr first = playMusicStream(path, 1, 1.0f);
  ChannelPtr firstChannel = first->song->channel;
  AudioStreamPtr second = playMusicStream(path, 1, 1.0f);
  ChannelPtr secondChannel = second->song->channel;
  ASSERT_TRUE(firstChannel && secondChannel);
  EXPECT_NE(firstChannel, secondChannel);
  EXPECT_EQ(ChannelPlaying(firstChannel), 1);  // the earlier start is not stopped
  first->stop();
  EXPECT_EQ(ChannelPlaying(secondChannel), 0);
  EXPECT_EQ(ChannelPlaying(firstChannel), 1);
}

TEST_F(Music, NothingPlaysWithoutMusicVolume) {
  struct Case {
    float musicVol, volume;
  };
  const Case cases[] = {{0.0f, 1.0f}, {0.5f, 0.0f}, {0.5f, -1.0f}, {0.5f, std::nanf("")}};
  const std::string path = test_support::TempHome() + "/song.ogg";
  Touch(path);
  MusicFilePtr song = Cached(path, 1000);
  for (const Case& c : cases) {
    options->musicVol = c.musicVol;
    AudioStreamPtr stream = playMusicStream(path, 1, c.volume);
    ASSERT_TRUE(stream);
    EXPECT_EQ(stream->song, song);
    EXPECT_FALSE(song->channel);
    stream->pause();
    stream->play();
    stream->setVolume(1.0f);
    stream->stop();
    EXPECT_EQ(MixedLevel(), 0);
  }
  // Raising the music volume later starts nothing.
  options->musicVol = 1.0f;
  EXPECT_EQ(MixedLevel(), 0);
}

TEST_F(Music, PlayMusicStopsTheGivenChannelIfItPlays) {
  ChannelPtr old = PlaySound(ConstantSound(1000));
  ChannelPtr started = playMusic(ConstantSound(2000), old, 1.0f);
  ASSERT_TRUE(started);
  EXPECT_NE(started, old);
  EXPECT_EQ(ChannelPlaying(old), 0);
  EXPECT_EQ(MixedLevel(), 1000);
  EXPECT_FALSE(playMusic(nullptr, started, 1.0f));
  EXPECT_EQ(ChannelPlaying(started), 0);
  stopSound(nullptr);  // nothing to stop
  ChannelPtr again = playMusic(ConstantSound(2000), nullptr, 1.0f);
  stopSound(again);
  EXPECT_EQ(ChannelPlaying(again), 0);
  EXPECT_EQ(InitMaxModStream(), 0);
}

TEST_F(Music, ExistingFileWinsOverACustomCopy) {
  const std::string path = test_support::TempHome() + "/theme.ogg";
  Touch(path);
  ASSERT_TRUE(CreateDir(myDocsFolder + "/custom-art"));
  Touch(myDocsFolder + "/custom-art/theme.ogg");
  playMusicStream(path, 1, 1.0f);
  EXPECT_EQ(CachedNames(), std::vector<std::string>{path});
}

TEST_F(Music, MissingSongIsReplacedByTheCustomCopy) {
  ASSERT_TRUE(CreateDir(myDocsFolder + "/custom-art"));
  const std::string custom = myDocsFolder + "/custom-art/level-song.ogg";
  Touch(custom);
  MusicFilePtr song = Cached(custom, 1000);
  AudioStreamPtr stream = playMusicStream("sfx/levels/level-song.ogg", 1, 1.0f);
  EXPECT_EQ(stream->song, song);
  EXPECT_EQ(CachedNames(), std::vector<std::string>{custom});
  EXPECT_EQ(MixedLevel(), 500);
}

TEST_F(Music, MissingSongWithoutCustomCopyPlaysARandomGameSong) {
  std::set<std::string> picked;
  for (int i = 0; i < 200; ++i) {
    AudioStreamPtr stream = playMusicStream("sfx/no-such-song.ogg", 1, 1.0f);
    ASSERT_TRUE(stream->song);
    picked.insert(stream->song->name);
  }
  std::set<std::string> all;
  for (int n = 1; n <= 7; ++n) all.insert("sfx/game-song-" + std::to_string(n) + ".ogg");
  EXPECT_EQ(picked, all);  // 1 and 7 included; every one of them cached once
  EXPECT_EQ(songManager->songs->Count(), 7);
}
