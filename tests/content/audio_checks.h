// Measurements of decoded sounds: loudness, and whether a looped sound wraps without a click.
#pragma once
#include <string>
#include <vector>

namespace audio_checks {

struct Decoded {
  int rate = 0;
  std::vector<std::vector<float>> channels;
  size_t Frames() const { return channels.empty() ? 0 : channels[0].size(); }
  double Seconds() const { return rate ? static_cast<double>(Frames()) / rate : 0.0; }
};

// Decodes a whole Ogg Vorbis file with libvorbisfile; false (and `error`) when it cannot.
bool DecodeOgg(const std::string& path, Decoded& out, std::string& error);

// How the end of a looped sound runs into its start.
struct Wrap {
  double step = 0;       // |first - last|, the step the loop makes at its seam
  double localStep = 0;  // the largest step between neighbours within `window` samples of the seam
  double endLevel = 0;   // RMS of the `window` samples at each side of the seam (the lower one)
};
Wrap MeasureWrap(const std::vector<float>& samples, size_t window);
// A seam is clean when it steps no further than the sound itself does around it.
bool SeamIsClean(const Wrap& wrap);

struct Loudness {
  double peak = 0;     // largest absolute sample
  double rms = 0;      // over the whole sound
  size_t clipped = 0;  // samples at or beyond full scale
};
Loudness MeasureLoudness(const Decoded& sound);
// Neither silent nor clipping; `why` says what is wrong.
bool LoudnessIsSensible(const Loudness& loudness, std::string& why);

}  // namespace audio_checks
