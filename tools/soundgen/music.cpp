#include "music.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

#include "dsp.h"

namespace {

using dsp::FastSin;
using dsp::MidiToHz;
using dsp::Rng;

const std::vector<int> kAeolian = {0, 2, 3, 5, 7, 8, 10};
const std::vector<int> kDorian = {0, 2, 3, 5, 7, 9, 10};
const std::vector<int> kPhrygian = {0, 1, 3, 5, 7, 8, 10};
const std::vector<int> kMixolydian = {0, 2, 4, 5, 7, 9, 10};
const std::vector<int> kIonian = {0, 2, 4, 5, 7, 9, 11};
const std::vector<int> kLydian = {0, 2, 4, 6, 7, 9, 11};
const std::vector<int> kHarmonicMinor = {0, 2, 3, 5, 7, 8, 11};

// A stereo buffer that wraps: whatever is written past the end continues at the start.
class LoopBuffer {
 public:
  LoopBuffer(size_t frames, int rate) : rate(rate), left(frames, 0.0f), right(frames, 0.0f) {}
  void Add(const std::vector<float>& note, double startSeconds, double gain, double pan) {
    size_t n = left.size();
    size_t start = static_cast<size_t>(std::llround(startSeconds * rate)) % n;
    float gl = static_cast<float>(gain * std::sqrt(0.5 * (1.0 - pan)));
    float gr = static_cast<float>(gain * std::sqrt(0.5 * (1.0 + pan)));
    size_t pos = start;
    for (float v : note) {
      left[pos] += v * gl;
      right[pos] += v * gr;
      if (++pos == n) pos = 0;
    }
  }
  int rate;
  std::vector<float> left, right;
};

struct Ctx {
  const SongSpec& spec;
  int rate;
  double beat;  // seconds
  double bar;
  LoopBuffer& out;
  Rng rng;
};

int DegreeToMidi(const SongSpec& s, int degree) {
  int octave = degree >= 0 ? degree / 7 : -((-degree + 6) / 7);
  int idx = degree - octave * 7;
  return s.tonic + 12 * octave + s.mode[idx];
}

// ---- instruments: each returns the whole note, release included ----

std::vector<float> PadNote(double freq, double seconds, int rate, Rng& rng) {
  // A soft saw: a few harmonics falling off quickly.
  static const dsp::WaveTable wave({1.0, 0.42, 0.2, 0.09, 0.04});
  dsp::Adsr env{0.9, 0.6, 0.8, 1.6};
  size_t n = static_cast<size_t>(env.Total(seconds) * rate);
  std::vector<float> v(n);
  const double detune[3] = {0.997, 1.0, 1.0031};
  double phase0[3] = {rng.Uniform(), rng.Uniform(), rng.Uniform()};
  double wobble = rng.Range(0.15, 0.35);
  for (size_t i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / rate;
    double s = 0;
    for (int k = 0; k < 3; ++k) s += wave.At(phase0[k] + freq * detune[k] * t);
    double trem = 1.0 + 0.08 * FastSin(wobble * t);
    v[i] = static_cast<float>(s * (1.0 / 3.0) * env.At(t, seconds) * trem);
  }
  return v;
}

std::vector<float> HarpNote(double freq, double seconds, int rate, Rng& rng, double bright) {
  auto v = dsp::Pluck(freq, seconds, rate, bright, std::clamp(3.5 - freq / 400.0, 0.8, 3.0), rng);
  // Soften the very start so the pick is a pluck, not a click.
  for (size_t i = 0; i < v.size() && i < 64; ++i) v[i] *= static_cast<float>(i / 64.0);
  size_t fade = static_cast<size_t>(0.05 * rate);
  for (size_t i = 0; i < fade && i < v.size(); ++i) v[v.size() - 1 - i] *= static_cast<float>(i) / fade;
  return v;
}

std::vector<float> BellNote(double freq, double seconds, int rate) {
  size_t n = static_cast<size_t>(seconds * rate);
  std::vector<float> v(n);
  for (size_t i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / rate;
    double fadeOut = std::min(1.0, (seconds - t) / 0.2);
    v[i] = static_cast<float>(dsp::BellSample(freq, t, 3.5, 1.6, seconds * 0.3) * fadeOut);
  }
  return v;
}

std::vector<float> FluteNote(double freq, double seconds, int rate, Rng& rng) {
  dsp::Adsr env{0.07, 0.15, 0.8, 0.25};
  size_t n = static_cast<size_t>(env.Total(seconds) * rate);
  std::vector<float> v(n);
  dsp::Svf breath;
  breath.Set(freq * 2.0, 2.0, rate);
  double vibRate = rng.Range(4.6, 5.4);
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / rate;
    double vib = 1.0 + 0.005 * std::min(1.0, t / 0.4) * FastSin(vibRate * t);
    phase += freq * vib / rate;
    double s = FastSin(phase) + 0.22 * FastSin(2 * phase) + 0.07 * FastSin(3 * phase);
    breath.Process(rng.Noise());
    s += 0.5 * breath.band;
    v[i] = static_cast<float>(s * env.At(t, seconds));
  }
  return v;
}

std::vector<float> BassNote(double freq, double seconds, int rate) {
  dsp::Adsr env{0.02, 0.4, 0.55, 0.3};
  size_t n = static_cast<size_t>(env.Total(seconds) * rate);
  std::vector<float> v(n);
  for (size_t i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / rate;
    double ph = freq * t;
    v[i] = static_cast<float>((FastSin(ph) + 0.3 * FastSin(2 * ph) + 0.08 * FastSin(3 * ph)) *
                              env.At(t, seconds));
  }
  return v;
}

std::vector<float> FrameDrum(int rate, Rng& rng, double tone) {
  size_t n = static_cast<size_t>(0.6 * rate);
  std::vector<float> v(n);
  dsp::OnePole lp;
  lp.SetLowpass(900, rate);
  double phase = 0;
  for (size_t i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / rate;
    double f = tone + 70.0 * std::exp(-t / 0.025);
    phase += f / rate;
    double body = FastSin(phase) * std::exp(-t / 0.22);
    double skin = lp.Lowpass(rng.Noise()) * std::exp(-t / 0.02);
    double attack = std::min(1.0, t * 2000.0);
    v[i] = static_cast<float>(attack * (body + 0.9 * skin));
  }
  return v;
}

std::vector<float> Shaker(int rate, Rng& rng, double length) {
  size_t n = static_cast<size_t>(length * rate);
  std::vector<float> v(n);
  dsp::Svf band;
  band.Set(6500, 1.2, rate);
  for (size_t i = 0; i < n; ++i) {
    double t = static_cast<double>(i) / rate;
    double env = std::min(1.0, t / 0.006) * std::exp(-t / (length * 0.3));
    band.Process(rng.Noise());
    v[i] = static_cast<float>(band.band * env);
  }
  return v;
}

// A soft cymbal swell that rises into the next downbeat.
std::vector<float> Swell(double seconds, int rate, Rng& rng) {
  size_t n = static_cast<size_t>(seconds * rate);
  std::vector<float> v(n);
  dsp::Svf band;
  band.Set(5200, 0.9, rate);
  for (size_t i = 0; i < n; ++i) {
    double x = static_cast<double>(i) / n;
    band.Process(rng.Noise());
    double env = x * x * std::min(1.0, (1.0 - x) * 40.0);
    v[i] = static_cast<float>(band.band * env);
  }
  return v;
}

// ---- composition ----

struct MelodyNote {
  double start;   // in beats from the section's start
  double length;  // in beats
  int degree;     // scale degree relative to the lead's base; INT32_MIN for a rest
};
constexpr int kRest = -1000;

// Rhythms of two bars, in eighth notes.
const std::vector<std::vector<int>> kRhythms = {
    {4, 2, 2, 4, 4}, {3, 1, 2, 2, 4, 4}, {2, 2, 2, 2, 6, 2}, {6, 2, 4, 4},
    {2, 2, 4, 2, 2, 4}, {3, 3, 2, 4, 4}, {1, 1, 2, 4, 2, 2, 4}, {4, 4, 2, 2, 4},
};
const std::vector<std::vector<int>> kEndings = {{4, 2, 2, 8}, {2, 2, 4, 8}, {6, 2, 8}, {3, 1, 4, 8}};

int ChordDegreeAt(const SongSpec& s, int bar) {
  return s.progression[(bar / s.chordBars) % s.progression.size()];
}

bool IsChordTone(int degree, int root) {
  int d = ((degree - root) % 7 + 7) % 7;
  return d == 0 || d == 2 || d == 4;
}

// Eight bars of melody; `firstBar` is the bar number of the section (for the chords).
std::vector<MelodyNote> MakeMelody(const SongSpec& s, Rng& rng, int firstBar) {
  std::vector<MelodyNote> notes;
  const std::vector<int>& r1 = kRhythms[rng.Int(0, static_cast<int>(kRhythms.size()) - 1)];
  const std::vector<int>& r2 = kRhythms[rng.Int(0, static_cast<int>(kRhythms.size()) - 1)];
  const std::vector<int>& end = kEndings[rng.Int(0, static_cast<int>(kEndings.size()) - 1)];
  const std::vector<int>* units[4] = {&r1, &r2, &r1, &end};
  int cur = 7 + ChordDegreeAt(s, firstBar) % 7;
  const int lo = 3, hi = 13;
  double beat = 0;
  for (int u = 0; u < 4; ++u) {
    int e0 = 0;
    const auto& rhythm = *units[u];
    for (size_t k = 0; k < rhythm.size(); ++k) {
      int eighths = rhythm[k];
      double start = beat + e0 * 0.5;
      int bar = firstBar + static_cast<int>(start / 4.0);
      int root = ChordDegreeAt(s, bar);
      bool strong = std::fmod(start, 2.0) < 1e-9;
      bool last = (u == 3 && k + 1 == rhythm.size());
      int next;
      if (last) {
        // Close the phrase on the chord's root, near where the line is.
        next = root % 7 + 7;
        if (std::abs(next - cur) > 4) next += (cur > next ? 7 : -7);
        next = std::clamp(next, lo, hi);
      } else if (strong) {
        int best = cur, bestScore = 1 << 30;
        for (int d = lo; d <= hi; ++d) {
          if (!IsChordTone(d, root)) continue;
          int score = std::abs(d - cur) * 10 + rng.Int(0, 14);
          if (d == cur) score += 8;
          if (score < bestScore) bestScore = score, best = d;
        }
        next = best;
      } else {
        static const int steps[] = {-2, -1, -1, 1, 1, 2, 0, -1, 1, 3, -3};
        next = cur + steps[rng.Int(0, 10)];
        if (next < lo) next = lo + 1;
        if (next > hi) next = hi - 1;
      }
      bool rest = !last && k > 0 && !strong && rng.Chance(0.08);
      notes.push_back({start, eighths * 0.5, rest ? kRest : next});
      if (!rest) cur = next;
      e0 += eighths;
    }
    beat += 8.0;
  }
  return notes;
}

void PlayLead(Ctx& c, const std::vector<MelodyNote>& melody, double sectionStart, int octaveShift,
              int voice, double gain) {
  const SongSpec& s = c.spec;
  int base = s.tonic + 12 * (1 + octaveShift) - s.tonic;  // semitone offset of the lead octave
  for (const auto& m : melody) {
    if (m.degree == kRest) continue;
    double freq = MidiToHz(DegreeToMidi(s, m.degree - 7) + base);
    double len = m.length * c.beat * 0.92;
    double when = sectionStart + m.start * c.beat;
    if (voice == 0) {
      c.out.Add(FluteNote(freq, len, c.rate, c.rng), when, 0.23 * gain, -0.1);
    } else if (voice == 1) {
      c.out.Add(HarpNote(freq, std::max(1.2, len * 2.0), c.rate, c.rng, 0.8), when, 0.5 * gain, -0.15);
    } else {
      c.out.Add(BellNote(freq, std::max(1.5, len * 2.5), c.rate), when, 0.22 * gain, -0.05);
    }
  }
}

void PlayHarmony(Ctx& c, int bar, char section) {
  const SongSpec& s = c.spec;
  double t0 = bar * c.bar;
  int root = ChordDegreeAt(s, bar);
  bool chordStart = bar % s.chordBars == 0;
  // Pad: one chord per change, held to the next.
  if (chordStart && s.pad > 0) {
    double len = s.chordBars * c.bar;
    int voicing[4] = {root, root + 2, root + 4, root + 7};
    for (int k = 0; k < 4; ++k) {
      double f = MidiToHz(DegreeToMidi(s, voicing[k] - 7));
      double pan = -0.5 + k * 0.33;
      c.out.Add(PadNote(f, len, c.rate, c.rng), t0, 0.055 * s.pad * (section == 'C' ? 1.2 : 1.0), pan);
    }
  }
  // Bass.
  if (s.bass > 0) {
    double f = MidiToHz(DegreeToMidi(s, root % 7 - 14));
    if (s.drums > 0 && section != 'C') {
      c.out.Add(BassNote(f, c.beat * 1.8, c.rate), t0, 0.3 * s.bass, 0.0);
      double f5 = MidiToHz(DegreeToMidi(s, root % 7 + 4 - 14));
      c.out.Add(BassNote(f5, c.beat * 0.9, c.rate), t0 + 2 * c.beat, 0.22 * s.bass, 0.0);
      c.out.Add(BassNote(f, c.beat * 0.9, c.rate), t0 + 3 * c.beat, 0.2 * s.bass, 0.0);
    } else if (chordStart) {
      c.out.Add(BassNote(f, s.chordBars * c.bar * 0.95, c.rate), t0, 0.28 * s.bass, 0.0);
    }
  }
  // Harp arpeggios.
  if (s.harp > 0) {
    static const int rolling[8] = {0, 2, 4, 7, 9, 7, 4, 2};
    static const int broken[4] = {0, 4, 7, 9};
    static const int ripple[16] = {0, 2, 4, 7, 4, 7, 9, 11, 14, 11, 9, 7, 9, 7, 4, 2};
    double g = 0.26 * s.harp * (section == 'B' ? 1.15 : 1.0);
    if (s.harpPattern == 0 || (s.harpPattern == 2 && section == 'C')) {
      for (int k = 0; k < 8; ++k) {
        double f = MidiToHz(DegreeToMidi(s, root % 7 + rolling[k]));
        c.out.Add(HarpNote(f, 1.8, c.rate, c.rng, 0.55), t0 + k * c.beat * 0.5,
                  g * (k % 2 ? 0.75 : 1.0), 0.35);
      }
    } else if (s.harpPattern == 1) {
      for (int k = 0; k < 4; ++k) {
        double f = MidiToHz(DegreeToMidi(s, root % 7 + broken[k]));
        c.out.Add(HarpNote(f, 2.4, c.rate, c.rng, 0.5), t0 + k * c.beat, g, 0.3);
      }
    } else {
      for (int k = 0; k < 16; ++k) {
        double f = MidiToHz(DegreeToMidi(s, root % 7 + ripple[k]));
        c.out.Add(HarpNote(f, 1.4, c.rate, c.rng, 0.6), t0 + k * c.beat * 0.25,
                  g * (k % 4 == 0 ? 0.9 : 0.55), 0.35);
      }
    }
  }
  // Bells: a high chord tone now and then, more of them in the answer and quiet sections.
  if (s.bells > 0 && (section != 'A' || bar % 2 == 1)) {
    int tones[3] = {root + 7, root + 9, root + 11};
    int pick = tones[c.rng.Int(0, 2)];
    double f = MidiToHz(DegreeToMidi(s, pick + 7));
    double when = t0 + (c.rng.Chance(0.5) ? 0.0 : 2.0 * c.beat);
    c.out.Add(BellNote(f, 3.5, c.rate), when, 0.1 * s.bells, 0.45);
  }
  // Soft drums.
  if (s.drums > 0 && section != 'C') {
    double g = 0.42 * s.drums;
    c.out.Add(FrameDrum(c.rate, c.rng, 58), t0, g, -0.05);
    c.out.Add(FrameDrum(c.rate, c.rng, 64), t0 + 2 * c.beat, g * 0.75, 0.05);
    if (bar % 8 == 7) {
      // A small fill closes every section and leads into the next (or back to the start).
      for (int k = 0; k < 4; ++k) {
        c.out.Add(FrameDrum(c.rate, c.rng, 62 + 8 * k), t0 + (3.0 + 0.25 * k) * c.beat, g * (0.45 + 0.1 * k),
                  -0.3 + 0.2 * k);
      }
      c.out.Add(Swell(c.beat * 2.0, c.rate, c.rng), t0 + 2.0 * c.beat, 0.12 * s.drums, 0.0);
    } else if (bar % 2 == 1) {
      c.out.Add(FrameDrum(c.rate, c.rng, 70), t0 + 3.5 * c.beat, g * 0.45, 0.1);
    }
    for (int k = 0; k < 8; ++k) {
      double acc = (k % 2 == 1) ? 1.0 : 0.55;
      c.out.Add(Shaker(c.rate, c.rng, 0.09), t0 + k * c.beat * 0.5, 0.05 * s.drums * acc, 0.4);
    }
  }
}

}  // namespace

Audio RenderSong(const SongSpec& spec, int rate) {
  if (spec.bars % 8 != 0 || spec.form.size() * 8 != static_cast<size_t>(spec.bars)) {
    throw std::runtime_error("song " + spec.path + ": the form must cover the bars in sections of 8");
  }
  const double beat = 60.0 / spec.bpm;
  // A whole number of samples per bar, so every bar starts exactly on a sample.
  const size_t barFrames = static_cast<size_t>(std::llround(rate * beat * 4.0));
  const double bar = static_cast<double>(barFrames) / rate;
  const size_t frames = barFrames * spec.bars;
  LoopBuffer out(frames, rate);
  Ctx c{spec, rate, bar / 4.0, bar, out, Rng(spec.seed)};

  // One melody per section letter, so that the theme comes back; a second statement of the
  // theme varies its last two bars.
  std::map<char, std::vector<MelodyNote>> melodies;
  std::map<char, int> seen;
  for (size_t sec = 0; sec < spec.form.size(); ++sec) {
    char letter = spec.form[sec];
    int firstBar = static_cast<int>(sec) * 8;
    if (!melodies.count(letter)) {
      Rng mrng(spec.seed * 31u + static_cast<unsigned>(letter));
      melodies[letter] = MakeMelody(spec, mrng, firstBar);
    }
    std::vector<MelodyNote> melody = melodies[letter];
    if (seen[letter]++ > 0) {
      Rng vrng(spec.seed * 77u + static_cast<unsigned>(sec));
      auto alt = MakeMelody(spec, vrng, firstBar);
      melody.erase(std::remove_if(melody.begin(), melody.end(),
                                  [](const MelodyNote& m) { return m.start >= 24.0; }),
                   melody.end());
      for (const auto& m : alt) {
        if (m.start >= 24.0) melody.push_back(m);
      }
    }
    double sectionStart = firstBar * bar;
    if (spec.lead > 0) {
      if (letter == 'A') {
        PlayLead(c, melody, sectionStart, 0, spec.leadVoice, spec.lead);
      } else if (letter == 'B') {
        int voice = spec.leadVoice == 2 ? 0 : (spec.leadVoice + 1) % 3;
        PlayLead(c, melody, sectionStart, 0, voice, spec.lead * 0.9);
      } else {
        // The quiet section keeps only a few notes of its tune, on bells, an octave up.
        std::vector<MelodyNote> sparse;
        for (const auto& m : melody) {
          if (std::fmod(m.start, 4.0) < 1e-9) sparse.push_back(m);
        }
        PlayLead(c, sparse, sectionStart, 0, 2, spec.lead * 0.8);
      }
    }
    for (int b = 0; b < 8; ++b) PlayHarmony(c, firstBar + b, letter);
  }

  dsp::Reverb reverb(rate, 0.8, 0.45, 1.0);
  reverb.RunLoop(out.left, out.right, spec.reverb * 2.0);
  // Gentle bus saturation, then a fixed peak level.
  dsp::Normalize(out.left, out.right, 1.0);
  for (auto* ch : {&out.left, &out.right}) {
    for (auto& v : *ch) v = static_cast<float>(dsp::SoftClip(v * 1.3) / std::tanh(1.3));
  }
  dsp::Normalize(out.left, out.right, 0.85);

  Audio audio;
  audio.rate = rate;
  audio.channels = {std::move(out.left), std::move(out.right)};
  return audio;
}

std::vector<SongSpec> AllSongs() {
  std::vector<SongSpec> songs;
  auto add = [&](const char* path, unsigned seed, int tonic, const std::vector<int>& mode, double bpm,
                 int bars, std::vector<int> prog, int chordBars, const char* form) -> SongSpec& {
    SongSpec s;
    s.path = path;
    s.seed = seed;
    s.tonic = tonic;
    s.mode = mode;
    s.bpm = bpm;
    s.bars = bars;
    s.progression = std::move(prog);
    s.chordBars = chordBars;
    s.form = form;
    songs.push_back(s);
    return songs.back();
  };
  // Level songs: a steady pulse under a tune.
  {
    auto& s = add("sfx/game-song-1.ogg", 101, 57, kDorian, 100, 32, {0, 6, 3, 0}, 1, "ABAC");
    s.drums = 1.0; s.leadVoice = 0; s.harpPattern = 0;
  }
  {
    auto& s = add("sfx/game-song-2.ogg", 202, 52, kAeolian, 104, 32, {0, 5, 2, 6}, 1, "ABAC");
    s.drums = 0.9; s.leadVoice = 1; s.harpPattern = 1; s.bells = 0.7;
  }
  {
    auto& s = add("sfx/game-song-3.ogg", 303, 50, kMixolydian, 96, 32, {0, 6, 3, 0}, 1, "ABCA");
    s.drums = 0.8; s.leadVoice = 2; s.harpPattern = 2;
  }
  {
    auto& s = add("sfx/game-song-4.ogg", 404, 55, kHarmonicMinor, 92, 32, {0, 3, 4, 0}, 1, "ABAC");
    s.drums = 0.9; s.leadVoice = 0; s.harpPattern = 1; s.bells = 0.6;
  }
  {
    auto& s = add("sfx/game-song-5.ogg", 505, 54, kDorian, 108, 32, {0, 3, 0, 6}, 1, "AABC");
    s.drums = 1.0; s.leadVoice = 1; s.harpPattern = 0;
  }
  {
    auto& s = add("sfx/game-song-6.ogg", 606, 48, kAeolian, 98, 32, {0, 6, 5, 4}, 1, "ABAC");
    s.drums = 0.85; s.leadVoice = 0; s.harpPattern = 2; s.bells = 0.6;
  }
  {
    auto& s = add("sfx/game-song-7.ogg", 707, 50, kLydian, 94, 32, {0, 1, 0, 4}, 1, "ABCA");
    s.drums = 0.7; s.leadVoice = 2; s.harpPattern = 0;
  }
  // Screens.
  {
    auto& s = add("sfx/glyphor-song.ogg", 808, 50, kDorian, 84, 24, {0, 3, 6, 0}, 2, "ABC");
    s.drums = 0.6; s.leadVoice = 0; s.harpPattern = 1; s.bells = 0.9; s.reverb = 0.45;
  }
  {
    auto& s = add("sfx/glyphor-map.ogg", 909, 57, kAeolian, 88, 24, {0, 5, 6, 0}, 1, "ABA");
    s.drums = 0.55; s.leadVoice = 1; s.harpPattern = 0; s.bells = 0.6;
  }
  {
    auto& s = add("sfx/glyphor-help.ogg", 1010, 53, kIonian, 76, 24, {0, 3, 5, 4}, 2, "ACB");
    s.drums = 0.0; s.leadVoice = 2; s.harpPattern = 1; s.bells = 0.8; s.lead = 0.8; s.reverb = 0.5;
  }
  {
    auto& s = add("sfx/help2.ogg", 1111, 55, kMixolydian, 92, 24, {0, 6, 3, 0}, 1, "ABA");
    s.drums = 0.45; s.leadVoice = 1; s.harpPattern = 0;
  }
  {
    auto& s = add("sfx/glyphor-puzzle.ogg", 1212, 48, kDorian, 80, 24, {0, 3, 0, 6}, 2, "ABC");
    s.drums = 0.35; s.leadVoice = 1; s.harpPattern = 2; s.bells = 0.7;
  }
  {
    auto& s = add("sfx/runes-lost-in-velmar.ogg", 1313, 52, kPhrygian, 72, 24, {0, 1, 0, 6}, 2, "CAB");
    s.drums = 0.0; s.leadVoice = 0; s.harpPattern = 1; s.bells = 0.9; s.lead = 0.8; s.reverb = 0.55;
  }
  return songs;
}
