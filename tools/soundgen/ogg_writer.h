// Writes Ogg Vorbis files from float samples.
#pragma once
#include <string>
#include <vector>

struct Audio {
  int rate = 44100;
  // One vector per channel (1 or 2), samples in [-1, 1].
  std::vector<std::vector<float>> channels;
  size_t Frames() const { return channels.empty() ? 0 : channels[0].size(); }
};

// Encodes at the given VBR quality (-0.1 .. 1.0). Returns false and fills `error` on failure.
bool WriteOggVorbis(const std::string& path, const Audio& audio, float quality,
                    const std::string& title, std::string& error);
