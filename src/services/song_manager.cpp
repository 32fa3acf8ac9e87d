#include "services/song_manager.h"

#include "services/data_folders.h"
#include "services/options.h"
#include "platform/files.h"
#include "platform/system.h"
#include "platform/text.h"

SongManagerPtr songManager;

namespace {
float MusicVolume() { return options ? options->musicVol : 0.0f; }
}  // namespace

int32_t InitMaxModStream() { return 0; }

ChannelPtr playMusic(const SoundPtr& sound, const ChannelPtr& channel, float volume) {
  if (channel && ChannelPlaying(channel)) StopChannel(channel);
  const float v = MusicVolume() * volume;
  // Written so that a NaN product counts as "not above 0".
  if (!sound || !(v > 0.0f)) return nullptr;
  ChannelPtr started = PlaySound(sound);
  if (started) SetChannelVolume(started, v);
  return started;
}

std::string FindMusicFile(const std::string& path) { return FindGameOrCustomArt(path); }

AudioStreamPtr playMusicStream(const std::string& path, int32_t flags, float volume) {
  auto stream = std::make_shared<TAudioStream>();
  std::string song = FindMusicFile(path);
  if (song.empty()) song = bundleDir + "sfx/game-song-" + ToPath(FromInt(Rand(1, 7))) + ".ogg";
  if (!songManager) songManager = std::make_shared<TSongManager>();
  stream->song = songManager->playSong(song, flags, volume);
  return stream;
}

void setStreamVolume(const AudioStreamPtr& stream, float volume) {
  if (stream) stream->setVolume(volume);
}

void stopSound(const ChannelPtr& channel) {
  if (channel) StopChannel(channel);
}

MusicFilePtr TSongManager::findSong(const std::string& name) {
  for (const MusicFilePtr& entry : *songs) {
    if (entry->name == name) return entry;
  }
  return nullptr;
}

MusicFilePtr TSongManager::loadSong(const std::string& name, int32_t flags) {
  MusicFilePtr entry = findSong(name);
  if (!entry) {
    entry = std::make_shared<TMusicFile>();
    entry->sound = LoadSound(name, flags);
    entry->name = name;
    entry->loaded = 1;
    songs->AddLast(entry);
    return entry;
  }
  if (entry->loaded == 1) return entry;
  entry->sound = LoadSound(name, flags);
  entry->loaded = 1;
  return entry;
}

MusicFilePtr TSongManager::playSong(const std::string& name, int32_t flags, float volume) {
  MusicFilePtr entry = findSong(name);
  if (!entry || entry->loaded == 0) entry = loadSong(name, flags);
  entry->channel = playMusic(entry->sound, nullptr, volume);
  return entry;
}

namespace {
ChannelPtr CurrentChannel(const MusicFilePtr& song) { return song ? song->channel : nullptr; }
}  // namespace

void TAudioStream::pause() {
  if (ChannelPtr c = CurrentChannel(song)) PauseChannel(c);
}

void TAudioStream::stop() {
  if (ChannelPtr c = CurrentChannel(song)) StopChannel(c);
}

void TAudioStream::free() {}

void TAudioStream::play() {
  if (ChannelPtr c = CurrentChannel(song)) ResumeChannel(c);
}

void TAudioStream::update() {}

void TAudioStream::setVolume(float volume) {
  if (ChannelPtr c = CurrentChannel(song)) SetChannelVolume(c, volume);
}
