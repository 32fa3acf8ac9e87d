#include "dsp.h"

#include <algorithm>

namespace dsp {

double MidiToHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

WaveTable::WaveTable(const std::vector<double>& harmonics) : v_(kSize + 1) {
  for (int i = 0; i <= kSize; ++i) {
    double s = 0;
    for (size_t h = 0; h < harmonics.size(); ++h) s += harmonics[h] * std::sin(kTwoPi * (h + 1) * i / kSize);
    v_[i] = static_cast<float>(s);
  }
}

const WaveTable& SineTable() {
  static const WaveTable table({1.0});
  return table;
}

double Adsr::At(double t, double length) const {
  if (t < 0) return 0.0;
  auto held = [this](double u) {
    if (u < attack) return u / attack;
    if (u < attack + decay) return 1.0 - (1.0 - sustain) * (u - attack) / decay;
    return sustain;
  };
  if (t <= length) return held(t);
  double r = (t - length) / release;
  if (r >= 1.0) return 0.0;
  return held(length) * (1.0 - r) * (1.0 - r);
}

void Svf::Set(double cutoffHz, double q, double rate) {
  cutoffHz = std::clamp(cutoffHz, 10.0, rate * 0.22);
  f_ = 2.0 * std::sin(kPi * cutoffHz / rate);
  damp_ = 1.0 / std::max(0.5, q);
}

double Svf::Process(double x) {
  low += f_ * band;
  high = x - low - damp_ * band;
  band += f_ * high;
  return low;
}

void OnePole::SetLowpass(double cutoffHz, double rate) {
  a_ = 1.0 - std::exp(-kTwoPi * cutoffHz / rate);
}

std::vector<float> Pluck(double freq, double seconds, double rate, double brightness,
                         double decay, Rng& rng) {
  size_t n = static_cast<size_t>(seconds * rate);
  std::vector<float> out(n);
  double period = rate / freq;
  size_t len = std::max<size_t>(2, static_cast<size_t>(period));
  double frac = period - static_cast<double>(len);
  std::vector<double> line(len + 1);
  // Excite with filtered noise: darker strings get a softer pick.
  OnePole pick;
  pick.SetLowpass(std::clamp(brightness, 0.05, 1.0) * rate * 0.2, rate);
  for (auto& s : line) s = pick.Lowpass(rng.Noise());
  double mean = 0;
  for (double s : line) mean += s;
  mean /= static_cast<double>(line.size());
  for (auto& s : line) s -= mean;
  size_t pos = 0;
  double prev = 0;
  // Loss per period from the wanted decay time (seconds to -60 dB).
  double gain = std::pow(0.001, 1.0 / (decay * freq));
  for (size_t i = 0; i < n; ++i) {
    size_t next = (pos + 1) % line.size();
    double cur = line[pos];
    double s = cur * (1.0 - frac * 0.5) + line[next] * frac * 0.5;
    out[i] = static_cast<float>(s);
    double filtered = 0.5 * (cur + prev) * gain;
    prev = cur;
    line[pos] = filtered;
    pos = next;
  }
  return out;
}

double BellSample(double freq, double t, double ratio, double index, double decay) {
  double env = std::exp(-t / decay);
  double modEnv = std::exp(-t / (decay * 0.35));
  double mod = FastSin(freq * ratio * t) * index * modEnv;
  double strike = std::min(1.0, t * 400.0);
  return strike * env * (FastSin(freq * t + mod / kTwoPi) * 0.8 +
                         FastSin(freq * 2.01 * t) * 0.15 * std::exp(-t / (decay * 0.5)));
}

float Reverb::Comb::Process(float x, float feedback, float damp) {
  float out = buf[pos];
  store = out * (1.0f - damp) + store * damp;
  buf[pos] = x + store * feedback;
  if (++pos >= buf.size()) pos = 0;
  return out;
}

float Reverb::Allpass::Process(float x) {
  float b = buf[pos];
  float out = -x + b;
  buf[pos] = x + b * 0.5f;
  if (++pos >= buf.size()) pos = 0;
  return out;
}

Reverb::Reverb(double rate, double roomSize, double damping, double spread) {
  static const int combs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const int allpasses[] = {556, 441, 341, 225};
  double scale = rate / 44100.0;
  for (int c : combs) {
    Comb l, r;
    l.buf.assign(static_cast<size_t>(c * scale), 0.0f);
    r.buf.assign(static_cast<size_t>((c + 23 * spread) * scale), 0.0f);
    combL_.push_back(l);
    combR_.push_back(r);
  }
  for (int a : allpasses) {
    Allpass l, r;
    l.buf.assign(static_cast<size_t>(a * scale), 0.0f);
    r.buf.assign(static_cast<size_t>((a + 23 * spread) * scale), 0.0f);
    apL_.push_back(l);
    apR_.push_back(r);
  }
  feedback_ = static_cast<float>(0.7 + 0.28 * roomSize);
  damp_ = static_cast<float>(damping * 0.4);
}

void Reverb::Process(float inL, float inR, float& outL, float& outR) {
  float input = (inL + inR) * 0.015f;
  float l = 0, r = 0;
  for (auto& c : combL_) l += c.Process(input, feedback_, damp_);
  for (auto& c : combR_) r += c.Process(input, feedback_, damp_);
  for (auto& a : apL_) l = a.Process(l);
  for (auto& a : apR_) r = a.Process(r);
  outL = l;
  outR = r;
}

void Reverb::RunLoop(std::vector<float>& left, std::vector<float>& right, double wet) {
  size_t n = left.size();
  float dummyL, dummyR;
  for (size_t i = 0; i < n; ++i) Process(left[i], right[i], dummyL, dummyR);
  RunOnce(left, right, wet);
}

void Reverb::RunOnce(std::vector<float>& left, std::vector<float>& right, double wet) {
  size_t n = left.size();
  for (size_t i = 0; i < n; ++i) {
    float wl, wr;
    Process(left[i], right[i], wl, wr);
    left[i] += static_cast<float>(wet * wl);
    right[i] += static_cast<float>(wet * wr);
  }
}

double Peak(const std::vector<float>& s) {
  double p = 0;
  for (float v : s) p = std::max(p, static_cast<double>(std::fabs(v)));
  return p;
}

void Normalize(std::vector<float>& s, double target) {
  double p = Peak(s);
  if (p <= 0) return;
  float g = static_cast<float>(target / p);
  for (auto& v : s) v *= g;
}

void Normalize(std::vector<float>& l, std::vector<float>& r, double target) {
  double p = std::max(Peak(l), Peak(r));
  if (p <= 0) return;
  float g = static_cast<float>(target / p);
  for (auto& v : l) v *= g;
  for (auto& v : r) v *= g;
}

}  // namespace dsp
