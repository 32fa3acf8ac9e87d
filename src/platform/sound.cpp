// Sounds, channels and the mixer.
//
// A short sound is decoded whole with libvorbisfile and converted once to the mixer's format
// (44100 Hz, stereo, signed 16-bit). A longer one (a song, a voice, many effects) is kept as its
// Ogg file and each channel playing it decodes it as it goes, to the very samples a whole
// decoding gives: loading stays quick and a song costs its file's size, not ten times that. A channel is a small
// state record shared by the game's handle and the mixer: the mixer keeps every started channel
// until it ends or is stopped, so a channel plays on when the game drops its handle. The SDL
// audio callback and MixAudio run the same mixing pass, and headless runs move the channels on
// by the virtual clock with it; one mutex guards the channel records.
#include "platform/sound.h"

#include <SDL.h>
#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>
#include <thread>

#include "platform/files.h"
#include "platform/internal.h"

// ---- Decoding ---------------------------------------------------------------------------------

namespace {

// Sounds this long or longer (at their own rate) are kept encoded when their file is whole: a
// second of sound costs more to decode than a channel's start does to open the decoder.
constexpr int kStreamSeconds = 1;

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

int16_t ToSample(float value) {
  if (!(value > -32768.0f)) return -32768;  // also catches NaN
  if (value > 32767.0f) return 32767;
  return static_cast<int16_t>(std::lrintf(value));
}

int16_t SampleFromFloat(float v) { return ToSample(v * 32767.0f); }

// An Ogg Vorbis decoder over a file in memory, read front to back without seeking: a file cut
// short still gives what comes before the cut.
class VorbisReader {
 public:
  VorbisReader() = default;
  VorbisReader(const VorbisReader&) = delete;
  VorbisReader& operator=(const VorbisReader&) = delete;
  ~VorbisReader() {
    if (open_) ov_clear(&vf_);
  }

  // False when the bytes are not Ogg Vorbis or name no rate or channels.
  bool Open(const uint8_t* data, size_t size) {
    file_ = MemoryFile{data, size, 0};
    ov_callbacks callbacks{MemRead, nullptr, nullptr, nullptr};
    if (ov_open_callbacks(&file_, &vf_, nullptr, 0, callbacks) < 0) return false;
    open_ = true;
    vorbis_info* info = ov_info(&vf_, -1);
    if (!info || info->rate <= 0 || info->channels <= 0) return false;
    rate_ = info->rate;
    channels_ = info->channels;
    return true;
  }
  long Rate() const { return rate_; }

  // The next block's frames, as the front pair; 0 at the end, or at damage past which nothing
  // can be read.
  long Read(const float** left, const float** right) {
    for (;;) {
      float** pcm = nullptr;
      int link = 0;
      const long n = ov_read_float(&vf_, &pcm, 4096, &link);
      if (n == OV_HOLE) continue;
      if (n <= 0) return 0;
      vorbis_info* li = ov_info(&vf_, link);
      const int channels = li ? li->channels : channels_;
      // Mono plays on both sides; of more channels the front pair is kept. Vorbis puts the front
      // right second in stereo and quadraphonic files, third (after the centre) in the others.
      *left = pcm[0];
      *right = channels == 1                      ? pcm[0]
               : (channels == 2 || channels == 4) ? pcm[1]
                                                  : pcm[2];
      return n;
    }
  }

 private:
  MemoryFile file_;
  OggVorbis_File vf_{};
  bool open_ = false;
  long rate_ = 0;
  int channels_ = 0;
};

// What a walk over an Ogg file's pages tells: whether the file is whole (one logical stream,
// every page complete with its checksum right, the last one ending the stream) and the last
// granule position, which in a Vorbis file counts the frames it decodes to.
struct OggPages {
  bool whole = false;
  int64_t lastGranule = -1;
};

OggPages WalkOggPages(const std::vector<uint8_t>& bytes) {
  OggPages pages;
  auto le = [](const uint8_t* p, int n) {
    uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
  };
  size_t pos = 0;
  uint64_t serial = 0;
  bool ended = false;
  unsigned char header[27 + 255];
  while (pos < bytes.size()) {
    const uint8_t* p = bytes.data() + pos;
    const size_t left = bytes.size() - pos;
    if (ended || left < 27 || std::memcmp(p, "OggS", 4) != 0 || p[4] != 0) return pages;
    const size_t headerLen = 27 + static_cast<size_t>(p[26]);
    if (left < headerLen) return pages;
    size_t bodyLen = 0;
    for (size_t i = 27; i < headerLen; ++i) bodyLen += p[i];
    if (left - headerLen < bodyLen) return pages;
    if (pos == 0) serial = le(p + 14, 4);
    if (le(p + 14, 4) != serial) return pages;
    std::memcpy(header, p, headerLen);
    ogg_page page{header, static_cast<long>(headerLen), const_cast<uint8_t*>(p + headerLen),
                  static_cast<long>(bodyLen)};
    ogg_page_checksum_set(&page);
    if (std::memcmp(header + 22, p + 22, 4) != 0) return pages;
    const int64_t granule = static_cast<int64_t>(le(p + 6, 8));
    if (granule != -1) pages.lastGranule = granule;
    ended = (p[5] & 4) != 0;
    pos += headerLen + bodyLen;
  }
  pages.whole = ended;
  return pages;
}

// Linear resampling to the mixer's rate: output frame i lies between input frames a and b. A
// looping sound interpolates its last frames towards its first, so the seam is smooth.
struct ResamplePoint {
  int64_t a, b;
  float frac;
};

ResamplePoint ResampleAt(int64_t i, double step, int64_t inFrames, bool loop) {
  const double p = static_cast<double>(i) * step;
  int64_t a = static_cast<int64_t>(p);
  if (a >= inFrames) a = inFrames - 1;
  const float frac = static_cast<float>(p - static_cast<double>(a));
  int64_t b = a + 1;
  if (b >= inFrames) b = loop ? 0 : inFrames - 1;
  return {a, b, frac};
}

int64_t ResampledFrames(int64_t inFrames, long rate) {
  return std::max<int64_t>(1, std::llround(static_cast<double>(inFrames) * kMixRate / rate));
}

int16_t Interpolate(float va, float vb, float frac) {
  return SampleFromFloat(va + (vb - va) * frac);
}

std::vector<int16_t> Resample(const std::vector<float>& stereo, long rate, bool loop) {
  const int64_t inFrames = static_cast<int64_t>(stereo.size()) / 2;
  const int64_t outFrames = ResampledFrames(inFrames, rate);
  std::vector<int16_t> out(static_cast<size_t>(outFrames) * 2);
  const double step = static_cast<double>(rate) / kMixRate;
  for (int64_t i = 0; i < outFrames; ++i) {
    const ResamplePoint at = ResampleAt(i, step, inFrames, loop);
    for (int c = 0; c < 2; ++c) {
      out[static_cast<size_t>(i) * 2 + c] = Interpolate(stereo[static_cast<size_t>(at.a) * 2 + c],
                                                        stereo[static_cast<size_t>(at.b) * 2 + c],
                                                        at.frac);
    }
  }
  return out;
}

// Decodes a whole Ogg Vorbis file; `frameHint` (the frames it should give, or below 1 when not
// known) sizes the buffer up front. Files at the mixer's rate go straight to 16-bit samples;
// others are resampled.
bool DecodeWhole(const std::vector<uint8_t>& bytes, bool loop, int64_t frameHint,
                 std::vector<int16_t>& out) {
  VorbisReader reader;
  if (!reader.Open(bytes.data(), bytes.size())) return false;
  const long rate = reader.Rate();
  const bool direct = rate == kMixRate;
  // Only a hint: a file that claims more than ten minutes is not believed.
  const size_t reserve =
      frameHint > 0 && frameHint < 600LL * rate ? static_cast<size_t>(frameHint) * 2 : 0;
  std::vector<float> stereo;  // only when resampling
  if (direct) out.reserve(reserve);
  else stereo.reserve(reserve);
  const float* left = nullptr;
  const float* right = nullptr;
  for (long n; (n = reader.Read(&left, &right)) > 0;) {
    if (direct) {
      const size_t at = out.size();
      out.resize(at + static_cast<size_t>(n) * 2);
      int16_t* dst = out.data() + at;
      for (long i = 0; i < n; ++i) {
        dst[2 * i] = SampleFromFloat(left[i]);
        dst[2 * i + 1] = SampleFromFloat(right[i]);
      }
    } else {
      const size_t at = stereo.size();
      stereo.resize(at + static_cast<size_t>(n) * 2);
      float* dst = stereo.data() + at;
      for (long i = 0; i < n; ++i) {
        dst[2 * i] = left[i];
        dst[2 * i + 1] = right[i];
      }
    }
  }
  if (!direct && !stereo.empty()) out = Resample(stereo, rate, loop);
  return !out.empty();
}

}  // namespace

// A sound kept as its Ogg file.
struct EncodedSound {
  std::vector<uint8_t> bytes;
  long rate = 0;
  int64_t inFrames = 0;  // the frames the file decodes to, at its own rate
  bool loop = false;     // resampled towards the first frame at the end
};

namespace {

// One channel's decoding of an encoded sound: the samples of output frames in order, the same
// as the whole decoding's. Frames are asked for in order; asking for another frame than the
// next (a restart, a loop) decodes again from the start.
class SoundStream {
 public:
  explicit SoundStream(std::shared_ptr<const EncodedSound> source) : source_(std::move(source)) {}
  const EncodedSound* Source() const { return source_.get(); }

  // Output frames [from, from + n) into `dst`, interleaved.
  void Render(int64_t from, int n, int16_t* dst) {
    if (from != next_) Restart();
    const EncodedSound& src = *source_;
    const bool direct = src.rate == kMixRate;
    const double step = static_cast<double>(src.rate) / kMixRate;
    for (int i = 0; i < n; ++i) {
      const int64_t frame = from + i;
      if (direct) {
        keep_ = frame;
        dst[2 * i] = SampleFromFloat(In(frame, 0));
        dst[2 * i + 1] = SampleFromFloat(In(frame, 1));
      } else {
        const ResamplePoint at = ResampleAt(frame, step, src.inFrames, src.loop);
        keep_ = at.a;
        for (int c = 0; c < 2; ++c) dst[2 * i + c] = Interpolate(In(at.a, c), In(at.b, c), at.frac);
      }
    }
    next_ = from + n;
  }

 private:
  void Restart() {
    reader_ = std::make_unique<VorbisReader>();
    ended_ = !reader_->Open(source_->bytes.data(), source_->bytes.size());
    window_.clear();
    windowStart_ = 0;
    keep_ = 0;
  }

  int64_t Decoded() const { return windowStart_ + static_cast<int64_t>(window_.size() / 2); }

  // Channel c of input frame `frame`. A file that gives fewer frames than its pages promised
  // holds its last one.
  float In(int64_t frame, int c) {
    while (frame >= Decoded() && !ended_) DecodeMore();
    if (frame >= Decoded()) frame = Decoded() - 1;
    if (frame < 0) return 0.0f;
    if (frame < windowStart_) return frame == 0 ? first_[c] : window_[static_cast<size_t>(c)];
    return window_[static_cast<size_t>(frame - windowStart_) * 2 + c];
  }

  void DecodeMore() {
    const float* left = nullptr;
    const float* right = nullptr;
    const long n = reader_->Read(&left, &right);
    if (n <= 0) {
      ended_ = true;
      return;
    }
    if (Decoded() == 0) {
      first_[0] = left[0];
      first_[1] = right[0];
    }
    // Frames before the one the current output frame reads are done with.
    const int64_t drop = std::min(keep_, Decoded()) - windowStart_;
    if (drop > 0) {
      window_.erase(window_.begin(), window_.begin() + static_cast<std::ptrdiff_t>(drop) * 2);
      windowStart_ += drop;
    }
    const size_t at = window_.size();
    window_.resize(at + static_cast<size_t>(n) * 2);
    for (long i = 0; i < n; ++i) {
      window_[at + 2 * i] = left[i];
      window_[at + 2 * i + 1] = right[i];
    }
  }

  std::shared_ptr<const EncodedSound> source_;
  std::unique_ptr<VorbisReader> reader_;
  std::vector<float> window_;  // decoded input frames from windowStart_, interleaved pairs
  int64_t windowStart_ = 0;
  int64_t keep_ = 0;     // the first input frame still needed
  int64_t next_ = -1;    // the output frame that follows the last rendered
  float first_[2] = {};  // input frame 0, for the seam of a looping sound
  bool ended_ = false;
};

// Fills `data` from an Ogg Vorbis file: a whole file of a second or more is kept encoded, any
// other decoded whole. False when the file is not Ogg Vorbis or holds no sound.
bool LoadSoundData(std::vector<uint8_t> bytes, bool loop, SoundData& data) {
  const OggPages pages = WalkOggPages(bytes);
  VorbisReader reader;
  if (!reader.Open(bytes.data(), bytes.size())) return false;
  const long rate = reader.Rate();
  if (!pages.whole || pages.lastGranule < static_cast<int64_t>(kStreamSeconds) * rate)
    return DecodeWhole(bytes, loop, pages.lastGranule, data.samples);
  const float* left = nullptr;
  const float* right = nullptr;
  if (reader.Read(&left, &right) <= 0) return false;
  auto encoded = std::make_shared<EncodedSound>();
  encoded->rate = rate;
  encoded->inFrames = pages.lastGranule;
  encoded->loop = loop;
  data.encodedFrames =
      rate == kMixRate ? pages.lastGranule : ResampledFrames(pages.lastGranule, rate);
  encoded->bytes = std::move(bytes);  // the reader above is done with them
  data.encoded = std::move(encoded);
  return true;
}

}  // namespace

bool platform_internal::DecodeWholeVorbis(const std::vector<uint8_t>& bytes, bool loop,
                                          std::vector<int16_t>& out) {
  return DecodeWhole(bytes, loop, WalkOggPages(bytes).lastGranule, out);
}

struct ChannelState {
  ~ChannelState();
  std::shared_ptr<SoundData> sound;  // null when the channel holds nothing
  // Decodes `sound` as it plays when it is kept encoded; made by the mixer, and let go when the
  // channel leaves it.
  std::unique_ptr<SoundStream> stream;
  bool loop = false;
  int64_t pos = 0;      // the next frame to mix
  bool active = false;  // holds a sound that has neither ended nor been stopped
  bool paused = false;
  bool fresh = false;    // started since the audio device's last pass
  bool inMixer = false;  // listed among the mixer's channels
  float volume = 1.0f;
};

ChannelState::~ChannelState() = default;

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

// Adds one channel's next `frames` (at most kChunkFrames) frames into `acc`, or only moves it
// on by them when `acc` is null; marks the channel ended at the end of a sound that does not
// loop. Called with the mixer's mutex held.
void MixChannel(ChannelState& ch, float* acc, int frames) {
  const SoundData& data = *ch.sound;
  const int64_t total = data.Frames();
  const float volume = ch.volume;
  int16_t decoded[kChunkFrames * kMixChannels];
  if (acc && data.encoded && (!ch.stream || ch.stream->Source() != data.encoded.get()))
    ch.stream = std::make_unique<SoundStream>(data.encoded);
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
    if (acc) {
      const int16_t* src = decoded;
      if (data.encoded) ch.stream->Render(ch.pos, n, decoded);
      else src = data.samples.data() + ch.pos * kMixChannels;
      float* dst = acc + static_cast<size_t>(done) * kMixChannels;
      for (int i = 0; i < n * kMixChannels; ++i) dst[i] += static_cast<float>(src[i]) * volume;
    }
    ch.pos += n;
    done += n;
  }
  if (ch.pos >= total && !ch.loop) ch.active = false;
}

// One mixing pass; with no `out`, the channels only move on, as far as the pass would have
// mixed. The audio device's pass leaves out channels started since its previous pass: the game
// starts a sound and sets its volume right after, and the sound must not be heard at the old
// volume in between. Pulls through MixAudio take every started channel at once.
void MixPass(int16_t* out, int frames, bool devicePass) {
  Mixer& mixer = TheMixer();
  std::lock_guard<std::mutex> lock(mixer.mutex);
  float acc[kChunkFrames * kMixChannels];
  int done = 0;
  while (done < frames) {
    const int n = std::min(kChunkFrames, frames - done);
    if (out) std::fill(acc, acc + n * kMixChannels, 0.0f);
    for (auto& ch : mixer.channels) {
      if (!ch->active || ch->paused || !ch->sound || (devicePass && ch->fresh)) continue;
      MixChannel(*ch, out ? acc : nullptr, n);
    }
    if (out) {
      int16_t* dst = out + static_cast<size_t>(done) * kMixChannels;
      for (int i = 0; i < n * kMixChannels; ++i) dst[i] = ToSample(acc[i]);
    }
    done += n;
  }
  if (devicePass) {
    for (auto& ch : mixer.channels) ch->fresh = false;
  }
  // Channels that ended leave the mixer; the game's handle (if any) still reads their state.
  for (auto& ch : mixer.channels) {
    if (!ch->active) {
      ch->inMixer = false;
      ch->stream.reset();
    }
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
  if (!LoadSoundData(std::move(bytes), loop, *data)) return nullptr;
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

namespace platform_internal {

void AdvanceChannels(int32_t ms) {
  if (ms <= 0) return;
  // The frames owed are counted from the start, so that 16 and 17 ms steps add up to the rate.
  static int64_t msGone = 0;
  static int64_t framesGone = 0;
  msGone += ms;
  const int64_t due = msGone * kMixRate / 1000;
  const int64_t owed = std::min<int64_t>(due - framesGone, std::numeric_limits<int>::max());
  const auto frames = static_cast<int>(owed);
  framesGone = due;
  MixPass(nullptr, frames, true);
}

}  // namespace platform_internal

void StopAllChannels() {
  Mixer& mixer = TheMixer();
  std::lock_guard<std::mutex> lock(mixer.mutex);
  for (auto& ch : mixer.channels) {
    ch->active = false;
    ch->paused = false;
    ch->inMixer = false;
    ch->stream.reset();
  }
  mixer.channels.clear();
}

bool AudioDeviceOpen() { return TheMixer().device != 0; }
