// Small synthesis toolkit for the sound generator: oscillators, envelopes, filters, noise,
// plucked strings, FM bells and a reverb that can run over a looping buffer.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

namespace dsp {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// Deterministic random numbers (xorshift), so every build makes the same sounds.
class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x1234567ull) {
    for (int i = 0; i < 4; ++i) Next();
  }
  uint64_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }
  // Uniform in [0, 1).
  double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
  int Int(int lo, int hi) { return lo + static_cast<int>(Uniform() * (hi - lo + 1)); }
  // White noise in [-1, 1).
  double Noise() { return Uniform() * 2.0 - 1.0; }
  bool Chance(double p) { return Uniform() < p; }

 private:
  uint64_t state_;
};

double MidiToHz(double midi);

// A single-cycle wave read with linear interpolation; phase in cycles, any real value.
class WaveTable {
 public:
  static constexpr int kSize = 4096;
  // harmonics[k] is the amplitude of harmonic k + 1.
  explicit WaveTable(const std::vector<double>& harmonics);
  double At(double phase) const {
    phase -= std::floor(phase);
    double pos = phase * kSize;
    int i = static_cast<int>(pos);
    double frac = pos - i;
    return v_[i] + (v_[i + 1] - v_[i]) * frac;
  }

 private:
  std::vector<float> v_;
};

const WaveTable& SineTable();
// A table sine, accurate enough for music and much cheaper than std::sin in the inner loops.
inline double FastSin(double phase) { return SineTable().At(phase); }

// Attack-decay-sustain-release envelope over a note of `length` seconds (release after it).
struct Adsr {
  double attack = 0.01, decay = 0.1, sustain = 0.7, release = 0.2;
  double At(double t, double length) const;
  double Total(double length) const { return length + release; }
};

// Chamberlin state-variable filter; cutoff may change every sample.
class Svf {
 public:
  void Set(double cutoffHz, double q, double rate);
  // Returns the low-pass output; band and high are kept for the caller.
  double Process(double x);
  double low = 0, band = 0, high = 0;

 private:
  double f_ = 0.1, damp_ = 1.0;
};

class OnePole {
 public:
  void SetLowpass(double cutoffHz, double rate);
  double Lowpass(double x) { return y_ += a_ * (x - y_); }
  double Highpass(double x) { return x - Lowpass(x); }

 private:
  double a_ = 1.0, y_ = 0.0;
};

// Karplus-Strong plucked string; writes `seconds` of the note.
std::vector<float> Pluck(double freq, double seconds, double rate, double brightness,
                         double decay, Rng& rng);

// Two-operator FM bell: inharmonic partials that fade with the strike.
double BellSample(double freq, double t, double ratio, double index, double decay);

// Stereo Schroeder reverb. RunLoop treats the buffer as a loop: the room is warmed by a first
// pass over the whole buffer, so the wet signal at the start continues the end.
class Reverb {
 public:
  Reverb(double rate, double roomSize, double damping, double spread);
  void Process(float inL, float inR, float& outL, float& outR);
  void RunLoop(std::vector<float>& left, std::vector<float>& right, double wet);
  void RunOnce(std::vector<float>& left, std::vector<float>& right, double wet);

 private:
  struct Comb {
    std::vector<float> buf;
    size_t pos = 0;
    float store = 0;
    float Process(float x, float feedback, float damp);
  };
  struct Allpass {
    std::vector<float> buf;
    size_t pos = 0;
    float Process(float x);
  };
  std::vector<Comb> combL_, combR_;
  std::vector<Allpass> apL_, apR_;
  float feedback_, damp_;
};

// Peak of a signal (absolute).
double Peak(const std::vector<float>& s);
// Scales so that the peak is `target`.
void Normalize(std::vector<float>& s, double target);
void Normalize(std::vector<float>& l, std::vector<float>& r, double target);
// Gentle saturation that keeps small signals unchanged.
inline double SoftClip(double x) { return std::tanh(x); }

}  // namespace dsp
