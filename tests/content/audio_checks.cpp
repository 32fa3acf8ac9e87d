#include "audio_checks.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>

namespace audio_checks {

bool DecodeOgg(const std::string& path, Decoded& out, std::string& error) {
  OggVorbis_File vf;
  if (ov_fopen(path.c_str(), &vf) != 0) {
    error = "not a readable Ogg Vorbis file";
    return false;
  }
  vorbis_info* info = ov_info(&vf, -1);
  out.rate = static_cast<int>(info->rate);
  out.channels.assign(static_cast<size_t>(info->channels), {});
  int section = 0;
  for (;;) {
    float** pcm = nullptr;
    long n = ov_read_float(&vf, &pcm, 4096, &section);
    if (n == 0) break;
    if (n < 0) {
      error = "damaged Vorbis data";
      ov_clear(&vf);
      return false;
    }
    for (size_t c = 0; c < out.channels.size(); ++c) out.channels[c].insert(out.channels[c].end(), pcm[c], pcm[c] + n);
  }
  ov_clear(&vf);
  if (out.Frames() == 0) {
    error = "no samples";
    return false;
  }
  return true;
}

Wrap MeasureWrap(const std::vector<float>& s, size_t window) {
  Wrap w;
  const size_t n = s.size();
  if (n < 2) return w;
  window = std::min(window, n / 2);
  w.step = std::fabs(static_cast<double>(s[0]) - s[n - 1]);
  double endSum = 0, startSum = 0;
  for (size_t i = 0; i < window; ++i) {
    if (i + 1 < window) {
      w.localStep = std::max(w.localStep, std::fabs(static_cast<double>(s[i + 1]) - s[i]));
      w.localStep = std::max(w.localStep, std::fabs(static_cast<double>(s[n - 1 - i]) - s[n - 2 - i]));
    }
    startSum += static_cast<double>(s[i]) * s[i];
    endSum += static_cast<double>(s[n - 1 - i]) * s[n - 1 - i];
  }
  w.endLevel = std::sqrt(std::min(startSum, endSum) / std::max<size_t>(1, window));
  return w;
}

bool SeamIsClean(const Wrap& wrap) {
  // Codec noise may add a hair to the seam; a click is many times the neighbouring steps.
  return wrap.step <= 1.5 * wrap.localStep + 0.002;
}

Loudness MeasureLoudness(const Decoded& sound) {
  Loudness l;
  double sum = 0;
  size_t count = 0;
  for (const auto& ch : sound.channels) {
    for (float v : ch) {
      double a = std::fabs(v);
      l.peak = std::max(l.peak, a);
      if (a >= 0.999) ++l.clipped;
      sum += a * a;
      ++count;
    }
  }
  l.rms = count ? std::sqrt(sum / count) : 0.0;
  return l;
}

bool LoudnessIsSensible(const Loudness& l, std::string& why) {
  if (l.peak < 0.1) {
    why = "too quiet: peak " + std::to_string(l.peak);
    return false;
  }
  if (l.rms < 0.01) {
    why = "nearly silent: RMS " + std::to_string(l.rms);
    return false;
  }
  if (l.clipped > 0) {
    why = "clips: " + std::to_string(l.clipped) + " samples at full scale";
    return false;
  }
  return true;
}

}  // namespace audio_checks
