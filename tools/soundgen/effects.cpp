#include "effects.h"

#include <algorithm>
#include <cmath>

#include "dsp.h"

namespace {

using dsp::FastSin;
using dsp::MidiToHz;
using dsp::Rng;

constexpr int kRate = 44100;

struct Buf {
  explicit Buf(double seconds) : s(static_cast<size_t>(seconds * kRate), 0.0f) {}
  std::vector<float> s;
  size_t Size() const { return s.size(); }
  double T(size_t i) const { return static_cast<double>(i) / kRate; }
  double Length() const { return static_cast<double>(s.size()) / kRate; }
  void Add(size_t i, double v) {
    if (i < s.size()) s[i] += static_cast<float>(v);
  }
  void Mix(const std::vector<float>& other, double at, double gain) {
    size_t start = static_cast<size_t>(at * kRate);
    for (size_t i = 0; i < other.size() && start + i < s.size(); ++i) s[start + i] += static_cast<float>(other[i] * gain);
  }
};

// A struck chime: a sine pair with a bright attack, for sparkles and rewards.
std::vector<float> Chime(double freq, double seconds, double decay, double bright = 1.0) {
  std::vector<float> v(static_cast<size_t>(seconds * kRate));
  for (size_t i = 0; i < v.size(); ++i) {
    double t = static_cast<double>(i) / kRate;
    double a = std::min(1.0, t * 800.0) * std::exp(-t / decay);
    double s = FastSin(freq * t) + 0.35 * bright * FastSin(freq * 2.76 * t) * std::exp(-t / (decay * 0.4)) +
               0.2 * bright * FastSin(freq * 5.4 * t) * std::exp(-t / (decay * 0.2));
    v[i] = static_cast<float>(a * s);
  }
  return v;
}

std::vector<float> Bell(double freq, double seconds, double decay) {
  std::vector<float> v(static_cast<size_t>(seconds * kRate));
  for (size_t i = 0; i < v.size(); ++i) {
    double t = static_cast<double>(i) / kRate;
    v[i] = static_cast<float>(dsp::BellSample(freq, t, 3.5, 2.0, decay));
  }
  return v;
}

// A soft stone/wood knock: a falling sine with a short burst of noise.
std::vector<float> Knock(double freq, double seconds, Rng& rng, double noise = 0.6, double decay = 0.06) {
  std::vector<float> v(static_cast<size_t>(seconds * kRate));
  dsp::Svf f;
  f.Set(freq * 4, 1.5, kRate);
  double phase = 0;
  for (size_t i = 0; i < v.size(); ++i) {
    double t = static_cast<double>(i) / kRate;
    phase += freq * (1.0 + 0.6 * std::exp(-t / 0.01)) / kRate;
    double body = FastSin(phase) * std::exp(-t / decay);
    f.Process(rng.Noise());
    double click = f.band * std::exp(-t / 0.008) * noise;
    v[i] = static_cast<float>(std::min(1.0, t * 3000.0) * (body + click));
  }
  return v;
}

// Noise through a band-pass whose centre moves from f0 to f1 (exponentially).
std::vector<float> Swish(double seconds, double f0, double f1, double q, Rng& rng, double attack,
                         double decayShape = 2.0) {
  std::vector<float> v(static_cast<size_t>(seconds * kRate));
  dsp::Svf f;
  for (size_t i = 0; i < v.size(); ++i) {
    double t = static_cast<double>(i) / kRate;
    double x = t / seconds;
    f.Set(f0 * std::pow(f1 / f0, x), q, kRate);
    f.Process(rng.Noise());
    double env = std::min(1.0, t / attack) * std::pow(1.0 - x, decayShape);
    v[i] = static_cast<float>(f.band * env);
  }
  return v;
}

// A burst: low boom, noisy blast and crackles.
std::vector<float> Blast(double seconds, double boomHz, double brightness, Rng& rng) {
  std::vector<float> v(static_cast<size_t>(seconds * kRate));
  dsp::Svf lp;
  dsp::OnePole hp;
  hp.SetLowpass(200, kRate);
  double phase = 0;
  for (size_t i = 0; i < v.size(); ++i) {
    double t = static_cast<double>(i) / kRate;
    phase += boomHz * (1.0 + 1.5 * std::exp(-t / 0.04)) / kRate;
    double boom = FastSin(phase) * std::exp(-t / 0.25);
    lp.Set(300 + brightness * 5000 * std::exp(-t / 0.12), 0.8, kRate);
    lp.Process(rng.Noise());
    double blast = lp.low * std::exp(-t / 0.3) * 1.4;
    double crackle = rng.Chance(0.004 * std::exp(-t / 0.4)) ? rng.Noise() * 0.8 : 0.0;
    v[i] = static_cast<float>(std::min(1.0, t * 1500.0) * (boom * 0.9 + blast) + crackle);
  }
  return v;
}

// Sparkle: many short high chimes scattered over a time span.
void Sparkle(Buf& b, double from, double span, int count, double lowHz, double highHz, double gain, Rng& rng) {
  for (int k = 0; k < count; ++k) {
    double at = from + span * rng.Uniform();
    double f = lowHz * std::pow(highHz / lowHz, rng.Uniform());
    b.Mix(Chime(f, 0.35, 0.07, 0.5), at, gain * rng.Range(0.5, 1.0));
  }
}

// Simple echo tail for magic sounds.
void Echo(std::vector<float>& s, double delay, double feedback, int repeats) {
  size_t d = static_cast<size_t>(delay * kRate);
  std::vector<float> src = s;
  double g = feedback;
  for (int r = 1; r <= repeats; ++r, g *= feedback) {
    for (size_t i = 0; i + d * r < s.size(); ++i) s[i + d * r] += static_cast<float>(src[i] * g);
  }
}

void FadeEdges(std::vector<float>& s, double inSec, double outSec) {
  size_t in = static_cast<size_t>(inSec * kRate), out = static_cast<size_t>(outSec * kRate);
  for (size_t i = 0; i < in && i < s.size(); ++i) s[i] *= static_cast<float>(i) / in;
  for (size_t i = 0; i < out && i < s.size(); ++i) s[s.size() - 1 - i] *= static_cast<float>(i) / out;
}

Audio Mono(std::vector<float> s, double peak, bool fade = true) {
  if (fade) FadeEdges(s, 0.0008, std::min(0.03, s.size() / 4.0 / kRate));
  dsp::Normalize(s, peak);
  Audio a;
  a.rate = kRate;
  a.channels = {std::move(s)};
  return a;
}

// Arpeggio of chimes (MIDI notes), each `step` seconds after the last.
Buf Arpeggio(const std::vector<int>& notes, double step, double tail, double decay, double bright = 1.0) {
  Buf b(step * notes.size() + tail);
  for (size_t k = 0; k < notes.size(); ++k) {
    b.Mix(Chime(MidiToHz(notes[k]), tail + 0.2, decay, bright), k * step, 1.0);
  }
  return b;
}

// ---- the board ----

Audio Rotate() {  // a quick scrape as the block turns
  Rng rng(11);
  auto s = Swish(0.17, 900, 3200, 1.8, rng, 0.015, 1.5);
  Buf b(0.18);
  b.Mix(s, 0, 1.0);
  b.Mix(Knock(520, 0.05, rng, 0.3, 0.015), 0.0, 0.25);
  return Mono(b.s, 0.6);
}

Audio PutDown() {  // the block set down on the board: a stone settling
  Rng rng(12);
  Buf b(0.32);
  b.Mix(Knock(150, 0.3, rng, 0.8, 0.07), 0, 1.0);
  b.Mix(Knock(310, 0.12, rng, 0.5, 0.03), 0.004, 0.4);
  b.Mix(Chime(MidiToHz(84), 0.25, 0.05, 0.3), 0.0, 0.08);
  return Mono(b.s, 0.8);
}

Audio Refused() {  // two dull low buzzes falling: "no"
  Buf b(0.38);
  for (int k = 0; k < 2; ++k) {
    double f0 = k == 0 ? 196 : 165;
    double start = k * 0.16;
    dsp::Svf lp;
    lp.Set(900, 0.9, kRate);
    for (size_t i = 0; i < static_cast<size_t>(0.14 * kRate); ++i) {
      double t = static_cast<double>(i) / kRate;
      double ph = f0 * t;
      double sq = FastSin(ph) + FastSin(3 * ph) / 3 + FastSin(5 * ph) / 5 + FastSin(7 * ph) / 7;
      double env = std::min(1.0, t / 0.006) * std::min(1.0, (0.14 - t) / 0.03);
      b.Add(static_cast<size_t>((start + t) * kRate), lp.Process(sq) * env);
    }
  }
  return Mono(b.s, 0.6);
}

Audio Explosion() {  // runes cleared: a magical burst with a shimmer
  Rng rng(13);
  Buf b(1.1);
  b.Mix(Blast(1.0, 70, 0.6, rng), 0, 0.9);
  b.Mix(Swish(0.6, 5000, 1200, 1.5, rng, 0.005), 0, 0.5);
  Sparkle(b, 0.02, 0.5, 14, 1500, 4200, 0.12, rng);
  return Mono(b.s, 0.85);
}

Audio ComboSmall() {
  Buf b = Arpeggio({72, 76, 79, 84}, 0.07, 0.7, 0.25);
  Rng rng(14);
  Sparkle(b, 0.25, 0.4, 8, 2500, 5000, 0.1, rng);
  return Mono(b.s, 0.75);
}

Audio ComboBig() {
  Buf b = Arpeggio({72, 76, 79, 84, 88, 91, 96}, 0.06, 1.0, 0.35);
  Rng rng(15);
  for (int n : {72, 79, 84, 88}) b.Mix(Bell(MidiToHz(n), 1.3, 0.5), 0.42, 0.25);
  Sparkle(b, 0.3, 0.9, 22, 2000, 6000, 0.1, rng);
  return Mono(b.s, 0.8);
}

Audio StoneChips() {  // stone cleared: chips bursting
  Rng rng(16);
  Buf b(0.65);
  b.Mix(Knock(120, 0.3, rng, 1.0, 0.05), 0, 0.8);
  for (int k = 0; k < 14; ++k) {
    double at = 0.01 + 0.4 * std::pow(rng.Uniform(), 1.6);
    b.Mix(Knock(rng.Range(900, 2600), 0.06, rng, 1.2, 0.01), at, rng.Range(0.2, 0.5));
  }
  return Mono(b.s, 0.8);
}

Audio Petrify() {  // runes begin to turn to stone: a grinding rumble and a sinking tone
  Rng rng(17);
  Buf b(1.2);
  dsp::Svf lp;
  double phase = 0;
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.T(i);
    double x = t / b.Length();
    lp.Set(250 + 400 * (1 - x), 2.5, kRate);
    lp.Process(rng.Noise());
    double grind = lp.low * (0.6 + 0.4 * FastSin(13 * t)) * 1.8;
    phase += (330 * std::pow(0.5, x)) / kRate;
    double tone = (FastSin(phase) + 0.3 * FastSin(phase * 2.02)) * 0.35;
    double env = std::min(1.0, t / 0.05) * std::pow(1 - x, 1.2);
    b.s[i] = static_cast<float>((grind + tone) * env);
  }
  return Mono(b.s, 0.75);
}

Audio BonusBoxes() {
  Buf b = Arpeggio({79, 84, 88}, 0.08, 0.6, 0.2);
  return Mono(b.s, 0.7);
}

Audio HolyFire() {  // a roaring whoosh with crackles rising
  Rng rng(18);
  Buf b(1.15);
  b.Mix(Swish(1.1, 300, 2500, 0.9, rng, 0.15, 1.2), 0, 1.0);
  for (int k = 0; k < 60; ++k) {
    double at = rng.Range(0.05, 0.95);
    b.Mix(Knock(rng.Range(1500, 4000), 0.02, rng, 1.5, 0.004), at, rng.Range(0.1, 0.35));
  }
  b.Mix(Bell(MidiToHz(69), 1.0, 0.4), 0.0, 0.15);
  return Mono(b.s, 0.8);
}

Audio Vanish() {  // a shimmering downward sweep
  Rng rng(19);
  Buf b(0.85);
  double phase = 0;
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.T(i);
    double x = t / b.Length();
    double f = 2400 * std::pow(0.2, x);
    phase += f / kRate;
    double env = std::min(1.0, t / 0.02) * std::pow(1 - x, 1.5);
    b.s[i] = static_cast<float>(env * (FastSin(phase) * (0.6 + 0.4 * FastSin(31 * t)) * 0.4));
  }
  Sparkle(b, 0.0, 0.6, 16, 2000, 6000, 0.12, rng);
  Echo(b.s, 0.09, 0.4, 3);
  return Mono(b.s, 0.75);
}

Audio FireBomb(unsigned seed, double boom, double bright) {
  Rng rng(seed);
  Buf b(1.0);
  b.Mix(Swish(0.15, 600, 3000, 1.0, rng, 0.1, 0.5), 0, 0.5);
  b.Mix(Blast(0.85, boom, bright, rng), 0.12, 1.0);
  return Mono(b.s, 0.88);
}

Audio Drain() {  // colour drained away: a resonant falling sweep
  Rng rng(20);
  Buf b(1.0);
  dsp::Svf f;
  double phase = 0;
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.T(i);
    double x = t / b.Length();
    phase += 110 / static_cast<double>(kRate);
    double saw = 0;
    for (int h = 1; h <= 12; ++h) saw += FastSin(phase * h) / h;
    f.Set(3000 * std::pow(0.08, x), 6.0, kRate);
    f.Process(saw * 0.5 + rng.Noise() * 0.1);
    double env = std::min(1.0, t / 0.03) * std::pow(1 - x, 1.3);
    b.s[i] = static_cast<float>(f.band * env);
  }
  Echo(b.s, 0.12, 0.35, 2);
  return Mono(b.s, 0.75);
}

Audio Heal() {  // a warm rising major chord with shimmer
  Rng rng(21);
  Buf b(1.3);
  int notes[] = {60, 64, 67, 72, 76};
  for (int k = 0; k < 5; ++k) b.Mix(Chime(MidiToHz(notes[k]), 1.1, 0.45, 0.4), k * 0.06, 0.5);
  Sparkle(b, 0.2, 0.8, 14, 2500, 5500, 0.08, rng);
  return Mono(b.s, 0.75);
}

Audio Teleport() {  // runes swirl: a warbling tone climbing and falling
  Rng rng(22);
  Buf b(1.7);
  double p1 = 0, p2 = 0;
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.T(i);
    double x = t / b.Length();
    double f = 400 + 900 * std::sin(dsp::kPi * x);
    double wob = 1.0 + 0.08 * FastSin(9 * t);
    p1 += f * wob / kRate;
    p2 += f * 1.5 * wob / kRate;
    double env = std::min(1.0, t / 0.1) * std::min(1.0, (b.Length() - t) / 0.3);
    double pan = FastSin(3.5 * t);
    b.s[i] = static_cast<float>(env * (FastSin(p1) * (0.6 + 0.3 * pan) + 0.35 * FastSin(p2)) * 0.5);
  }
  Sparkle(b, 0.1, 1.4, 18, 1800, 5000, 0.08, rng);
  return Mono(b.s, 0.6);
}

// Rolling coins/ticks during the bonus count; loops seamlessly.
Audio CountLoop() {
  Rng rng(23);
  const size_t n = static_cast<size_t>(0.48 * kRate);
  std::vector<float> loop(n, 0.0f);
  auto addWrapped = [&](const std::vector<float>& v, size_t at, double g) {
    for (size_t i = 0; i < v.size(); ++i) loop[(at + i) % n] += static_cast<float>(v[i] * g);
  };
  const int notes[] = {84, 88, 91, 88, 86, 89, 93, 89};
  for (int k = 0; k < 8; ++k) {
    addWrapped(Chime(MidiToHz(notes[k]), 0.3, 0.05, 0.6), n * k / 8, k % 2 ? 0.6 : 0.9);
    addWrapped(Knock(rng.Range(2000, 2600), 0.03, rng, 1.0, 0.004), n * k / 8 + n / 16, 0.25);
  }
  dsp::Normalize(loop, 0.6);
  Audio a;
  a.rate = kRate;
  a.channels = {std::move(loop)};
  return a;
}

Audio CountEnd() {  // the count lands: a bright hit
  Rng rng(24);
  Buf b(0.9);
  b.Mix(Knock(110, 0.4, rng, 0.9, 0.09), 0, 0.8);
  for (int n : {72, 79, 84, 88}) b.Mix(Bell(MidiToHz(n), 0.85, 0.3), 0, 0.3);
  return Mono(b.s, 0.85);
}

Audio GameOver() {  // a slow falling minor line
  Buf b(1.7);
  int notes[] = {69, 65, 62, 57};
  for (int k = 0; k < 4; ++k) b.Mix(Bell(MidiToHz(notes[k]), 1.7 - k * 0.3, 0.45), k * 0.3, k == 3 ? 1.0 : 0.7);
  return Mono(b.s, 0.8);
}

// ---- ring game ----

Audio RingBad() {
  Buf b(0.35);
  double phase = 0;
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.T(i);
    phase += (180 - 60 * t / 0.35) / kRate;
    double sq = FastSin(phase) + FastSin(3 * phase) / 3 + FastSin(5 * phase) / 5;
    double env = std::min(1.0, t / 0.005) * std::pow(1 - t / 0.35, 1.5) * (0.7 + 0.3 * FastSin(25 * t));
    b.s[i] = static_cast<float>(sq * env);
  }
  return Mono(b.s, 0.55);
}

Audio RingGood() {
  Buf b(0.4);
  b.Mix(Chime(MidiToHz(88), 0.4, 0.12), 0, 1.0);
  b.Mix(Chime(MidiToHz(95), 0.35, 0.1), 0.05, 0.5);
  return Mono(b.s, 0.7);
}

Audio RingWon() {
  Buf b = Arpeggio({67, 72, 76, 79, 84}, 0.09, 0.9, 0.3);
  Rng rng(25);
  b.Mix(Bell(MidiToHz(72), 1.2, 0.45), 0.45, 0.4);
  Sparkle(b, 0.4, 0.7, 12, 2500, 6000, 0.08, rng);
  return Mono(b.s, 0.8);
}

Audio RingTimeout() {  // a sinking "whoop"
  Buf b(0.6);
  double phase = 0;
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.T(i);
    double x = t / b.Length();
    phase += 700 * std::pow(0.3, x) / kRate;
    double env = std::min(1.0, t / 0.01) * std::pow(1 - x, 1.2);
    b.s[i] = static_cast<float>(env * (FastSin(phase) + 0.3 * FastSin(phase * 2)));
  }
  return Mono(b.s, 0.55);
}

Audio RingHover() {
  Buf b(0.07);
  b.Mix(Chime(MidiToHz(96), 0.07, 0.015, 0.3), 0, 1.0);
  return Mono(b.s, 0.45);
}

Audio RingFlyIn() {
  Rng rng(26);
  Buf b(0.95);
  b.Mix(Swish(0.9, 250, 3500, 1.3, rng, 0.4, 0.8), 0, 1.0);
  b.Mix(Bell(MidiToHz(76), 0.5, 0.2), 0.45, 0.3);
  return Mono(b.s, 0.7);
}

Audio BossExplosion() {
  Rng rng(27);
  Buf b(1.6);
  b.Mix(Blast(1.5, 48, 0.8, rng), 0, 1.0);
  b.Mix(Blast(1.2, 62, 0.5, rng), 0.12, 0.6);
  Sparkle(b, 0.05, 0.9, 20, 1200, 4000, 0.12, rng);
  return Mono(b.s, 0.9);
}

Audio LevelEndFanfare() {  // a short brass-like fanfare with bells
  Buf b(3.2);
  struct N { double at, len; int midi; };
  const N notes[] = {{0.0, 0.18, 67}, {0.2, 0.18, 67}, {0.4, 0.18, 67}, {0.6, 0.6, 72},
                     {1.25, 0.25, 76}, {1.55, 0.25, 74}, {1.85, 1.1, 79}};
  for (const auto& n : notes) {
    double f = MidiToHz(n.midi);
    dsp::Adsr env{0.03, 0.1, 0.8, 0.25};
    size_t len = static_cast<size_t>(env.Total(n.len) * kRate);
    double phase = 0;
    dsp::Svf lp;
    for (size_t i = 0; i < len; ++i) {
      double t = static_cast<double>(i) / kRate;
      phase += f * (1 + 0.004 * FastSin(5.5 * t) * std::min(1.0, t / 0.2)) / kRate;
      double saw = 0;
      for (int h = 1; h <= 8; ++h) saw += FastSin(phase * h) / h;
      lp.Set(700 + 2200 * std::min(1.0, t / 0.06), 1.0, kRate);
      b.Add(static_cast<size_t>((n.at + t) * kRate), lp.Process(saw) * env.At(t, n.len) * 0.5);
    }
  }
  for (int n : {55, 60, 64}) b.Mix(Bell(MidiToHz(n + 12), 1.3, 0.5), 1.85, 0.15);
  Echo(b.s, 0.15, 0.25, 3);
  return Mono(b.s, 0.85);
}

// ---- interface ----

Audio Click() {  // the button click: a small wooden tick with a glint
  Rng rng(30);
  Buf b(0.09);
  b.Mix(Knock(900, 0.08, rng, 0.8, 0.012), 0, 1.0);
  b.Mix(Chime(MidiToHz(100), 0.08, 0.02, 0.2), 0.0, 0.15);
  return Mono(b.s, 0.6);
}

Audio InfoShow() {
  Buf b = Arpeggio({76, 81, 88}, 0.06, 0.45, 0.15, 0.6);
  return Mono(b.s, 0.6);
}

Audio InfoClose() {
  Buf b = Arpeggio({86, 81}, 0.06, 0.25, 0.08, 0.5);
  return Mono(b.s, 0.55);
}

Audio Hint() {
  Rng rng(31);
  Buf b(0.7);
  b.Mix(Chime(MidiToHz(84), 0.6, 0.2, 0.7), 0, 0.6);
  Sparkle(b, 0.0, 0.4, 10, 2500, 6500, 0.15, rng);
  return Mono(b.s, 0.6);
}

Audio SoftClick(unsigned seed, double freq) {
  Rng rng(seed);
  Buf b(0.16);
  b.Mix(Knock(freq, 0.15, rng, 0.6, 0.025), 0, 1.0);
  b.Mix(Knock(freq * 1.5, 0.1, rng, 0.4, 0.015), 0.035, 0.5);
  return Mono(b.s, 0.6);
}

Audio VialFilled() {  // a vial brims: bubbles rising into a bell
  Rng rng(32);
  Buf b(0.8);
  for (int k = 0; k < 7; ++k) {
    double at = k * 0.035 + rng.Range(0, 0.01);
    double f0 = 500 + k * 140;
    std::vector<float> bub(static_cast<size_t>(0.06 * kRate));
    double ph = 0;
    for (size_t i = 0; i < bub.size(); ++i) {
      double t = static_cast<double>(i) / kRate;
      ph += f0 * (1 + 3 * t) / kRate;
      bub[i] = static_cast<float>(FastSin(ph) * std::exp(-t / 0.015));
    }
    b.Mix(bub, at, 0.4);
  }
  b.Mix(Bell(MidiToHz(84), 0.6, 0.25), 0.25, 0.6);
  return Mono(b.s, 0.7);
}

Audio SummaryShow() {  // doors start to close: a whoosh and a chime
  Rng rng(33);
  Buf b(0.9);
  b.Mix(Swish(0.6, 400, 1500, 1.0, rng, 0.2, 1.0), 0, 0.8);
  b.Mix(Chime(MidiToHz(79), 0.6, 0.2, 0.6), 0.25, 0.5);
  b.Mix(Chime(MidiToHz(86), 0.5, 0.18, 0.6), 0.32, 0.35);
  return Mono(b.s, 0.7);
}

Audio CountTick() {  // one count step: must stay very short
  Buf b(0.025);
  double phase = 0;
  for (size_t i = 0; i < b.Size(); ++i) {
    double t = b.T(i);
    phase += 2600 / static_cast<double>(kRate);
    b.s[i] = static_cast<float>(FastSin(phase) * std::min(1.0, t / 0.0008) * std::exp(-t / 0.005));
  }
  return Mono(b.s, 0.45, false);
}

Audio RingSummaryShow() {
  Buf b = Arpeggio({72, 79, 84, 91}, 0.07, 0.6, 0.22, 0.6);
  return Mono(b.s, 0.65);
}

Audio Enter() {
  Buf b = Arpeggio({79, 84}, 0.07, 0.3, 0.1, 0.5);
  return Mono(b.s, 0.55);
}

// ---- picture puzzle ----

Audio PieceClick() { return SoftClick(40, 700); }

Audio PieceSwap() {
  Rng rng(41);
  Buf b(0.38);
  b.Mix(Swish(0.35, 700, 1800, 1.6, rng, 0.12, 1.0), 0, 1.0);
  b.Mix(Knock(420, 0.06, rng, 0.3, 0.02), 0.3, 0.3);
  return Mono(b.s, 0.6);
}

Audio PieceHome(unsigned seed, int base) {
  Rng rng(seed);
  Buf b(0.65);
  b.Mix(Chime(MidiToHz(base), 0.5, 0.15, 0.6), 0, 0.6);
  b.Mix(Chime(MidiToHz(base + 7), 0.45, 0.13, 0.6), 0.05, 0.4);
  Sparkle(b, 0.02, 0.35, 10, 3000, 7000, 0.12, rng);
  return Mono(b.s, 0.65);
}

Audio PuzzleSolved() {
  Buf b = Arpeggio({72, 76, 79, 84, 79, 84, 88}, 0.11, 1.1, 0.35);
  Rng rng(42);
  for (int n : {60, 67, 72, 76}) b.Mix(Bell(MidiToHz(n + 12), 1.4, 0.55), 0.66, 0.2);
  Sparkle(b, 0.6, 1.0, 20, 2500, 6500, 0.08, rng);
  return Mono(b.s, 0.8);
}

}  // namespace

std::vector<EffectSpec> AllEffects() {
  return {
      // The board game.
      {"sfx/fx/playgame-szur1.ogg", Rotate},
      {"sfx/fx/playgame-put-new1.ogg", PutDown},
      {"sfx/fx/playgame-niemozna-postawic1.ogg", Refused},
      {"sfx/fx/playgame-explosion2-biger.ogg", Explosion},
      {"sfx/fx/playgame-combo-x3.ogg", ComboSmall},
      {"sfx/fx/playgame-combo-x4-and-maxmega.ogg", ComboBig},
      {"sfx/fx/playgame-expl-klocstoned.ogg", StoneChips},
      {"sfx/fx/playgame-stonemode.ogg", Petrify},
      {"sfx/fx/playgame-bonus-4-boxs.ogg", BonusBoxes},
      {"sfx/fx/playgame-magic-1-fire.ogg", HolyFire},
      {"sfx/fx/playgame-magic-3-rndcolor.ogg", Vanish},
      {"sfx/fx/playgame-magic-5-firebomb.ogg", [] { return FireBomb(50, 60, 0.7); }},
      {"sfx/fx/playgame-magic-5-firebomb2.ogg", [] { return FireBomb(51, 52, 0.6); }},
      {"sfx/fx/playgame-magic-5-firebomb3.ogg", [] { return FireBomb(52, 68, 0.85); }},
      {"sfx/fx/playgame-magic-2-removecolor.ogg", Drain},
      {"sfx/fx/playgame-magic-4-removeblocks.ogg", Heal},
      {"sfx/fx/playgame-magic-7-swirlcolor.ogg", Teleport},
      {"sfx/fx/playgame-endlevellopik1.ogg", CountLoop},
      {"sfx/fx/playgame-endlevellopik1a.ogg", CountEnd},
      {"sfx/fx/playgame-nomoves-timesup.ogg", GameOver},
      {"sfx/playgame-explodebooskloc1.ogg", BossExplosion},
      {"sfx/levelEnd-music.ogg", LevelEndFanfare},
      // Ring game.
      {"sfx/fx/playgamering-czarbad.ogg", RingBad},
      {"sfx/fx/playgamering-czargood.ogg", RingGood},
      {"sfx/fx/playgamering-czargeted.ogg", RingWon},
      {"sfx/fx/playgamering-czarwkuli.ogg", RingTimeout},
      {"sfx/fx/playgamering-mouseover.ogg", RingHover},
      {"sfx/fx/playgamering-wjazd.ogg", RingFlyIn},
      // Interface.
      {"sfx/fx4/playgame-mouseover.ogg", Click},
      {"sfx/fx4/playgame-info-show.ogg", InfoShow},
      {"sfx/fx4/playgame-info-clickout.ogg", InfoClose},
      {"sfx/fx4/playgamepuzzle-gethint.ogg", Hint},
      {"sfx/fx4/playgamepuzzle-podlicz-out.ogg", [] { return SoftClick(34, 600); }},
      {"sfx/fx4/playgame-colorget.ogg", VialFilled},
      {"sfx/fx4/playgame-podlicz-show.ogg", SummaryShow},
      {"sfx/fx4/playgame-policz.ogg", CountTick},
      {"sfx/fx4/playgame-podlicz-out.ogg", [] { return SoftClick(35, 520); }},
      {"sfx/fx4/playgame-ring-show.ogg", RingSummaryShow},
      {"sfx/fx4/playgame-ring-out.ogg", [] { return SoftClick(36, 640); }},
      {"sfx/fx4/playgame-enter.ogg", Enter},
      {"sfx/fx4/playgame-podlicz.ogg", [] { return SoftClick(37, 800); }},
      // Picture puzzle.
      {"sfx/fx-puzzle/playgamepuzzle-myszkafirst1.ogg", PieceClick},
      {"sfx/fx-puzzle/playgamepuzzle-zamiana1.ogg", PieceSwap},
      {"sfx/fx-puzzle/playgamepuzzle-odkrycie1.ogg", [] { return PieceHome(43, 84); }},
      {"sfx/fx-puzzle/playgamepuzzle-odkrycie2.ogg", [] { return PieceHome(44, 86); }},
      {"sfx/fx-puzzle/playgamepuzzle-all.ogg", PuzzleSolved},
  };
}
