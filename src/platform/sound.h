// Sounds and channels. Sounds (Ogg Vorbis) are converted to the device's format, the short ones
// decoded whole at loading, those of a second or more as they play; a mixer in the audio
// callback sums the playing channels.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The device format the mixer produces: 44100 Hz, 2 channels, signed 16-bit.
constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;

// A sound's Ogg file, kept whole and decoded as it plays (sound.cpp).
struct EncodedSound;

// A sound in the mixer's format: decoded whole, or (one of a second or more) kept encoded and
// decoded by each channel as it plays, to the same samples.
struct SoundData {
  std::vector<int16_t> samples;  // interleaved, kMixChannels per frame, at kMixRate
  std::shared_ptr<const EncodedSound> encoded;  // set instead of the samples when kept encoded
  int64_t encodedFrames = 0;                     // the encoded sound's length at kMixRate
  int64_t Frames() const {
    return encoded ? encodedFrames : static_cast<int64_t>(samples.size()) / kMixChannels;
  }
};
class TSound {
 public:
  std::shared_ptr<SoundData> data;  // interleaved samples at the device rate
  bool loop = false;
};
using SoundPtr = std::shared_ptr<TSound>;

struct ChannelState;
class TChannel {
 public:
  std::shared_ptr<ChannelState> state;
};
using ChannelPtr = std::shared_ptr<TChannel>;

enum SoundFlags : int { SOUND_LOOP = 1 };

// Null when the file is missing or is not Ogg Vorbis; never a message.
SoundPtr LoadSound(const std::string& path, int flags = 0);
// Starts the sound on a new channel (a channel plays on when its handle is dropped).
// Given a channel, the sound replaces what that channel played. Null when there is no sound.
ChannelPtr PlaySound(const SoundPtr& sound, const ChannelPtr& channel = nullptr);
// A channel that holds the sound paused, so its volume can be set before the first sample.
ChannelPtr CueSound(const SoundPtr& sound, const ChannelPtr& channel = nullptr);
ChannelPtr AllocChannel();
void StopChannel(const ChannelPtr& channel);
void PauseChannel(const ChannelPtr& channel);
void ResumeChannel(const ChannelPtr& channel);
void SetChannelVolume(const ChannelPtr& channel, float volume);  // clamped to 0..1
// 1 while the channel holds a sound that has neither ended nor been stopped (paused included).
int ChannelPlaying(const ChannelPtr& channel);

// Pulls `frames` mixed frames (interleaved, kMixChannels each) straight from the mixer, for
// tests and for headless runs without an audio device.
void MixAudio(int16_t* out, int frames);
// Stops every channel (the end of the program).
void StopAllChannels();
// Whether an SDL audio device is open (it is opened by the first sound loaded or played). In
// headless runs it stays paused, so that only MixAudio pulls move the channels on.
bool AudioDeviceOpen();
