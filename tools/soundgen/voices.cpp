#include "voices.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "dsp.h"

namespace {

uint32_t Le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }
uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

// Reads a 16-bit PCM WAV file (as espeak-ng writes it), mixing channels to mono.
Audio ReadWav(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (d.size() < 12 || std::memcmp(d.data(), "RIFF", 4) != 0 || std::memcmp(d.data() + 8, "WAVE", 4) != 0) {
    throw std::runtime_error("not a WAV file: " + path);
  }
  int channels = 0, bits = 0;
  Audio a;
  size_t pos = 12;
  while (pos + 8 <= d.size()) {
    uint32_t size = Le32(d.data() + pos + 4);
    const unsigned char* body = d.data() + pos + 8;
    size_t avail = std::min<size_t>(size, d.size() - pos - 8);
    if (std::memcmp(d.data() + pos, "fmt ", 4) == 0 && avail >= 16) {
      channels = Le16(body + 2);
      a.rate = static_cast<int>(Le32(body + 4));
      bits = Le16(body + 14);
    } else if (std::memcmp(d.data() + pos, "data", 4) == 0) {
      if (channels < 1 || bits != 16) throw std::runtime_error("unsupported WAV format: " + path);
      size_t frames = avail / (2 * channels);
      std::vector<float> mono(frames);
      for (size_t i = 0; i < frames; ++i) {
        double sum = 0;
        for (int c = 0; c < channels; ++c) {
          sum += static_cast<int16_t>(Le16(body + 2 * (i * channels + c))) / 32768.0;
        }
        mono[i] = static_cast<float>(sum / channels);
      }
      a.channels = {std::move(mono)};
      return a;
    }
    pos += 8 + size + (size & 1);
  }
  throw std::runtime_error("no sound data in " + path);
}

void RunEspeak(const std::string& text, const std::string& wavPath) {
  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("cannot start espeak-ng");
  if (pid == 0) {
    // A clear, warm voice, a little slow so the praise is easy to catch over the music.
    execlp("espeak-ng", "espeak-ng", "-v", "en-gb-x-rp+f3", "-s", "140", "-p", "58", "-a", "160",
           "-w", wavPath.c_str(), text.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("espeak-ng failed to speak \"" + text +
                             "\" (is the espeak-ng package installed?)");
  }
}

// Every story voice lasts this long, words and silence: past the parts' voiceStopAfter.
constexpr double kStoryVoiceSeconds = 13.0;

}  // namespace

std::vector<VoiceSpec> AllVoices() {
  return {
      {"sfx/eve/v-exelent.ogg", "Excellent!"},
      {"sfx/eve/v-1mgo.ogg", "One more to go!"},
      {"sfx/eve/v-j2m.ogg", "Just two more!"},
      {"sfx/eve/v-perfect2.ogg", "Perfect!"},
      {"sfx/eve/v-great2.ogg", "Great!"},
      {"sfx/eve/v-merlinwell.ogg", "Masterfully done!"},
      {"sfx/eve/v-wdone.ogg", "Well done!"},
      {"sfx/eve/v-imprestes.ogg", "Impressive!"},
      {"sfx/eve/v-growslls.ogg", "Your skills grow!"},
      {"sfx/eve/v-curage.ogg", "Courage!"},
      // The story's narration, one recording per part. The story screen loops a voice until
      // the part's voiceStopAfter, so each is padded with silence past it.
      {"sfx/story/part-1.ogg",
       "Long ago, the valley of Velmar was lit by the rune stones. Then, one autumn, their light "
       "began to fade.",
       kStoryVoiceSeconds},
      {"sfx/story/part-2.ogg",
       "The sunken road led north, through the mire, where the grey thorn grew thick.",
       kStoryVoiceSeconds},
      {"sfx/story/part-3.ogg",
       "At the gates of Mirethorn, the last and greatest runes of shadow were waiting.",
       kStoryVoiceSeconds},
  };
}

Audio SpeakLine(const VoiceSpec& spec, const std::string& workDir) {
  std::string name = spec.path.substr(spec.path.find_last_of('/') + 1);
  std::string wav = workDir + "/" + name + ".wav";
  RunEspeak(spec.text, wav);
  Audio a = ReadWav(wav);
  std::remove(wav.c_str());
  auto& s = a.channels[0];
  // Trim the silence around the words, keeping a few milliseconds.
  const float threshold = 0.01f;
  size_t first = 0, last = s.size();
  while (first < s.size() && std::fabs(s[first]) < threshold) ++first;
  while (last > first && std::fabs(s[last - 1]) < threshold) --last;
  size_t pad = static_cast<size_t>(0.01 * a.rate);
  first = first > pad ? first - pad : 0;
  last = std::min(s.size(), last + pad);
  std::vector<float> words(s.begin() + static_cast<long>(first), s.begin() + static_cast<long>(last));
  // A short, soft room so the voice sits with the music; the tail rings out.
  size_t tail = static_cast<size_t>(0.35 * a.rate);
  words.resize(words.size() + tail, 0.0f);
  std::vector<float> left = words, right = words;
  dsp::Reverb room(a.rate, 0.35, 0.6, 0.0);
  room.RunOnce(left, right, 0.35);
  size_t fade = static_cast<size_t>(0.2 * a.rate);
  for (size_t i = 0; i < fade && i < left.size(); ++i) left[left.size() - 1 - i] *= static_cast<float>(i) / fade;
  dsp::Normalize(left, 0.8);
  const auto padded = static_cast<size_t>(spec.padToSeconds * a.rate);
  if (left.size() < padded) left.resize(padded, 0.0f);
  a.channels = {std::move(left)};
  return a;
}
