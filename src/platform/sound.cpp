// Sounds, channels and the mixer.
//
// A sound is decoded whole with libvorbisfile and converted once to the mixer's format (44100 Hz,
// stereo, signed 16-bit). A channel is a small state record shared by the game's handle and the
// mixer: the mixer keeps every started channel until it ends or is stopped, so a channel plays on
// when the game drops its handle. The SDL audio callback and MixAudio run the same mixing pass;
// one mutex guards the channel records.
#include "platform/sound.h"

#include <SDL.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/files.h"
#include "platform/internal.h"

struct ChannelState {
  std::shared_ptr<SoundData> sound;  // null when the channel holds nothing
  bool loop = false;
  int64_t pos = 0;      // the next frame to mix
  bool active = false;  // holds a sound that has neither ended nor been stopped
  bool paused = false;
  bool fresh = false;    // started since the audio device's last pass
  bool inMixer = false;  // listed among the mixer's channels
  float volume = 1.0f;
};

namespace {

struct Mixer {
  std::mutex mutex;
  std::vector<std::shared_ptr<ChannelState>> channels;
  bool deviceTried = false;
  SDL_AudioDeviceID device = 0;
};

// Never destroyed: the audio thread may still run while static objects are torn down.
Mixer& TheMixer() {
  static Mixer* mixer = new Mixer;
  return *mixer;
}

constexpr int kChunkFrames = 512;

int16_t ToSample(float value) {
  if (!(value > -32768.0f)) return -32768;  // also catches NaN
  if (value > 32767.0f) return 32767;
  return static_cast<int16_t>(std::lrintf(value));
}

// Adds one channel's next `frames` frames into `acc`; marks the channel ended at the end of a
// sound that does not loop. Called with the mixer's mutex held.
void MixChannel(ChannelState& ch, float* acc, int frames) {
  const SoundData& data = *ch.sound;
  const int64_t total = data.Frames();
  const float volume = ch.volume;
  int done = 0;
  while (done < frames) {
    if (ch.pos >= total) {
      if (!ch.loop || total == 0) {
        ch.active = false;
        return;
      }
      ch.pos = 0;
    }
    const int n = static_cast<int>(std::min<int64_t>(frames - done, total - ch.pos));
    const int16_t* src = data.samples.data() + ch.pos * kMixChannels;
    float* dst = acc + static_cast<size_t>(done) * kMixChannels;
    for (int i = 0; i < n * kMixChannels; ++i) dst[i] += static_cast<float>(src[i]) * volume;
    ch.pos += n;
    done += n;
  }
  if (ch.pos >= total && !ch.loop) ch.active = false;
}

// One mixing pass. The audio device's pass leaves out channels started since its previous pass:
// the game starts a sound and sets its volume right after, and the sound must not be heard at
// the old volume in between. Pulls through MixAudio take every started channel at once.
void MixPass(int16_t* out, int frames, bool devicePass) {
  Mixer& mixer = TheMixer();
  std::lock_guard<std::mutex> lock(mixer.mutex);
  float acc[kChunkFrames * kMixChannels];
  int done = 0;
  while (done < frames) {
    const int n = std::min(kChunkFrames, frames - done);
    std::fill(acc, acc + n * kMixChannels, 0.0f);
    for (auto& ch : mixer.channels) {
      if (!ch->active || ch->paused || !ch->sound || (devicePass && ch->fresh)) continue;
      MixChannel(*ch, acc, n);
    }
    int16_t* dst = out + static_cast<size_t>(done) * kMixChannels;
    for (int i = 0; i < n * kMixChannels; ++i) dst[i] = ToSample(acc[i]);
    done += n;
  }
  if (devicePass) {
    for (auto& ch : mixer.channels) ch->fresh = false;
  }
  // Channels that ended leave the mixer; the game's handle (if any) still reads their state.
  for (auto& ch : mixer.channels) {
    if (!ch->active) ch->inMixer = false;
  }
  auto left = std::remove_if(mixer.channels.begin(), mixer.channels.end(),
                             [](const std::shared_ptr<ChannelState>& ch) { return !ch->inMixer; });
  mixer.channels.erase(left, mixer.channels.end());
}

void AudioCallback(void*, Uint8* stream, int len) {
  const int frames = len / static_cast<int>(sizeof(int16_t) * kMixChannels);
  MixPass(reinterpret_cast<int16_t*>(stream), frames, true);
}

// Without an audio device the channels still move on in real time, so sounds end and the game
// sees them end as it would with a sound card; the mixed samples go nowhere.
void StartSilentDevice() {
  std::thread([] {
    constexpr int kFrames = kMixRate / 50;
    std::vector<int16_t> buffer(static_cast<size_t>(kFrames) * kMixChannels);
    auto next = std::chrono::steady_clock::now();
    for (;;) {
      next += std::chrono::milliseconds(20);
      std::this_thread::sleep_until(next);
      MixPass(buffer.data(), kFrames, true);
    }
  }).detach();
}

// Opens the audio device once. Without one (no driver, no sound card) the mixer still serves
// MixAudio pulls and the channels still report their state.
void EnsureDevice() {
  Mixer& mixer = TheMixer();
  if (mixer.deviceTried) return;
  mixer.deviceTried = true;
  const bool headless = platform_internal::Headless();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    if (!headless) StartSilentDevice();
    return;
  }
  SDL_AudioSpec want;
  SDL_zero(want);
  want.freq = kMixRate;
  want.format = AUDIO_S16SYS;
  want.channels = kMixChannels;
  want.samples = 1024;
  want.callback = AudioCallback;
  SDL_AudioSpec have;
  // No allowed changes: SDL converts to whatever the hardware wants.
  mixer.device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (mixer.device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (!headless) StartSilentDevice();
    return;
  }
  SDL_PauseAudioDevice(mixer.device, headless ? 1 : 0);
}

// ---- Decoding ---------------------------------------------------------------------------------

struct MemoryFile {
  const uint8_t* data = nullptr;
  size_t size = 0;
  size_t pos = 0;
};

size_t MemRead(void* ptr, size_t size, size_t count, void* source) {
  auto* file = static_cast<MemoryFile*>(source);
  if (size == 0) return 0;
  const size_t want = size * count;
  const size_t left = file->size - file->pos;
  const size_t n = std::min(want, left) / size * size;
  std::memcpy(ptr, file->data + file->pos, n);
  file->pos += n;
  return n / size;
}

int16_t FromFloat(float v) { return ToSample(v * 32767.0f); }

// Linear resampling to the mixer's rate. A looping sound interpolates its last frames towards
// its first, so the seam is smooth.
std::vector<int16_t> Resample(const std::vector<float>& stereo, long rate, bool loop) {
  const int64_t inFrames = static_cast<int64_t>(stereo.size()) / 2;
  const int64_t outFrames =
      std::max<int64_t>(1, std::llround(static_cast<double>(inFrames) * kMixRate / rate));
  std::vector<int16_t> out(static_cast<size_t>(outFrames) * 2);
  const double step = static_cast<double>(rate) / kMixRate;
  for (int64_t i = 0; i < outFrames; ++i) {
    const double p = static_cast<double>(i) * step;
    int64_t a = static_cast<int64_t>(p);
    if (a >= inFrames) a = inFrames - 1;
    const float frac = static_cast<float>(p - static_cast<double>(a));
    int64_t b = a + 1;
    if (b >= inFrames) b = loop ? 0 : inFrames - 1;
    for (int c = 0; c < 2; ++c) {
      const float va = stereo[static_cast<size_t>(a) * 2 + c];
      const float vb = stereo[static_cast<size_t>(b) * 2 + c];
      out[static_cast<size_t>(i) * 2 + c] = FromFloat(va + (vb - va) * frac);
    }
  }
  return out;
}

// Decodes a whole Ogg Vorbis file into the mixer's format; false when it is not one or holds
// no sound. Files at the mixer's rate go straight to 16-bit samples; others are resampled.
bool DecodeVorbis(const std::vector<uint8_t>& bytes, bool loop, std::vector<int16_t>& out) {
  MemoryFile file{bytes.data(), bytes.size(), 0};
  // Read front to back without seeking: a file cut short still gives what comes before the cut.
  ov_callbacks callbacks{MemRead, nullptr, nullptr, nullptr};
  OggVorbis_File vf;
  if (ov_open_callbacks(&file, &vf, nullptr, 0, callbacks) < 0) return false;
  vorbis_info* info = ov_info(&vf, -1);
  if (!info || info->rate <= 0 || info->channels <= 0) {
    ov_clear(&vf);
    return false;
  }
  const long rate = info->rate;
  const bool direct = rate == kMixRate;
  std::vector<float> stereo;  // only when resampling
  for (;;) {
    float** pcm = nullptr;
    int link = 0;
    const long n = ov_read_float(&vf, &pcm, 4096, &link);
    if (n == OV_HOLE) continue;
    if (n <= 0) break;  // the end, or damage past which nothing can be read: keep what came
    vorbis_info* li = ov_info(&vf, link);
    const int channels = li ? li->channels : info->channels;
    // Mono plays on both sides; of more channels the front pair is kept. Vorbis puts the front
    // right second in stereo and quadraphonic files, third (after the centre) in the others.
    const float* left = pcm[0];
    const float* right = channels == 1                      ? pcm[0]
                         : (channels == 2 || channels == 4) ? pcm[1]
                                                            : pcm[2];
    for (long i = 0; i < n; ++i) {
      if (direct) {
        out.push_back(FromFloat(left[i]));
        out.push_back(FromFloat(right[i]));
      } else {
        stereo.push_back(left[i]);
        stereo.push_back(right[i]);
      }
    }
  }
  ov_clear(&vf);
  if (!direct && !stereo.empty()) out = Resample(stereo, rate, loop);
  return !out.empty();
}

ChannelPtr Start(const SoundPtr& sound, const ChannelPtr& channel, bool paused) {
  if (!sound || !sound->data || sound->data->Frames() == 0) return nullptr;
  EnsureDevice();
  ChannelPtr ch = channel ? channel : std::make_shared<TChannel>();
  if (!ch->state) ch->state = std::make_shared<ChannelState>();
  Mixer& mixer = TheMixer();
  std::lock_guard<std::mutex> lock(mixer.mutex);
  ChannelState& st = *ch->state;
  st.sound = sound->data;
  st.loop = sound->loop;
  st.pos = 0;
  st.active = true;
  st.paused = paused;
  st.fresh = true;
  if (!st.inMixer) {
    st.inMixer = true;
    mixer.channels.push_back(ch->state);
  }
  return ch;
}

}  // namespace

SoundPtr LoadSound(const std::string& path, int flags) {
  std::vector<uint8_t> bytes;
  if (path.empty() || !LoadBytes(ResolvePath(path), bytes) || bytes.empty()) return nullptr;
  const bool loop = (flags & SOUND_LOOP) != 0;
  auto data = std::make_shared<SoundData>();
  if (!DecodeVorbis(bytes, loop, data->samples)) return nullptr;
  EnsureDevice();
  auto sound = std::make_shared<TSound>();
  sound->data = std::move(data);
  sound->loop = loop;
  return sound;
}

ChannelPtr PlaySound(const SoundPtr& sound, const ChannelPtr& channel) {
  return Start(sound, channel, false);
}

ChannelPtr CueSound(const SoundPtr& sound, const ChannelPtr& channel) {
  return Start(sound, channel, true);
}

ChannelPtr AllocChannel() {
  auto ch = std::make_shared<TChannel>();
  ch->state = std::make_shared<ChannelState>();
  return ch;
}

void StopChannel(const ChannelPtr& channel) {
  if (!channel || !channel->state) return;
  std::lock_guard<std::mutex> lock(TheMixer().mutex);
  channel->state->active = false;
  channel->state->paused = false;
}

void PauseChannel(const ChannelPtr& channel) {
  if (!channel || !channel->state) return;
  std::lock_guard<std::mutex> lock(TheMixer().mutex);
  channel->state->paused = true;
}

void ResumeChannel(const ChannelPtr& channel) {
  if (!channel || !channel->state) return;
  std::lock_guard<std::mutex> lock(TheMixer().mutex);
  channel->state->paused = false;
}

void SetChannelVolume(const ChannelPtr& channel, float volume) {
  if (!channel || !channel->state) return;
  if (!(volume > 0.0f)) volume = 0.0f;  // NaN too
  if (volume > 1.0f) volume = 1.0f;
  std::lock_guard<std::mutex> lock(TheMixer().mutex);
  channel->state->volume = volume;
}

int ChannelPlaying(const ChannelPtr& channel) {
  if (!channel || !channel->state) return 0;
  std::lock_guard<std::mutex> lock(TheMixer().mutex);
  return channel->state->active ? 1 : 0;
}

void MixAudio(int16_t* out, int frames) {
  if (!out || frames <= 0) return;
  MixPass(out, frames, false);
}

void StopAllChannels() {
  Mixer& mixer = TheMixer();
  std::lock_guard<std::mutex> lock(mixer.mutex);
  for (auto& ch : mixer.channels) {
    ch->active = false;
    ch->paused = false;
    ch->inMixer = false;
  }
  mixer.channels.clear();
}

bool AudioDeviceOpen() { return TheMixer().device != 0; }
