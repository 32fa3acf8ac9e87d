// Music: the song cache, streams that the screens keep for the music they started, and the
// replacement of missing songs.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/list.h"
#include "platform/sound.h"

// One cached song, keyed by the path it was loaded from.
class TMusicFile {
 public:
  std::string name;    // the path exactly as it was loaded
  int32_t loaded = 0;  // 1 once loading has been tried (also when it gave no sound)
  SoundPtr sound;      // the decoded song, or null
  ChannelPtr channel;  // the channel of the most recent start, or null
};
using MusicFilePtr = std::shared_ptr<TMusicFile>;

class TSongManager {
 public:
  TListPtr<MusicFilePtr> songs = CreateList<MusicFilePtr>();

  // Finds or loads the song and starts it at the music volume times `volume`.
  MusicFilePtr playSong(const std::string& name, int32_t flags, float volume);
  // The entry whose name equals `name` exactly, or null.
  MusicFilePtr findSong(const std::string& name);
  // The entry of `name`, loaded first when needed (flags: 1 loops, 0 plays once).
  MusicFilePtr loadSong(const std::string& name, int32_t flags);
};
using SongManagerPtr = std::shared_ptr<TSongManager>;

// A music object of the framework's kind; it holds nothing and nothing creates one.
class TMusic {};

// The handle a screen keeps for the music it started. It acts on the channel of the most
// recent start of its song, whoever started it.
class TAudioStream {
 public:
  MusicFilePtr song;

  void pause();
  void stop();
  void free();  // nothing: the song stays cached
  void play();  // resumes after pause
  void update();
  void setVolume(float volume);  // the channel volume as given (not scaled by the options)
};
using AudioStreamPtr = std::shared_ptr<TAudioStream>;

// Created first thing at start-up.
extern SongManagerPtr songManager;

// Music needs no preparation. Returns 0.
int32_t InitMaxModStream();
// Stops `channel` if it plays and starts `sound` on a new channel at the music volume times
// `volume`; null when nothing was started.
ChannelPtr playMusic(const SoundPtr& sound, const ChannelPtr& channel, float volume);
// The file that music named `path` plays from: the path itself when something is there, else
// the file of the same name in the player's custom-art folder, else "" (nothing to play).
std::string FindMusicFile(const std::string& path);
// Starts the song at `path` (or a replacement when the file is missing) through songManager:
// FindMusicFile, else one of the seven game songs at random.
AudioStreamPtr playMusicStream(const std::string& path, int32_t flags, float volume);
void setStreamVolume(const AudioStreamPtr& stream, float volume);
// Stops the channel when one is given.
void stopSound(const ChannelPtr& channel);
