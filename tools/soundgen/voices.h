// Spoken praise and the story's narration: espeak-ng speaks each line into a WAV file, which is trimmed, given a little
// room and encoded like the other sounds.
#pragma once
#include <string>
#include <vector>
#include "ogg_writer.h"

struct VoiceSpec {
  std::string path;  // relative to the game folder
  std::string text;
  double padToSeconds = 0;  // silence after the words up to this length (0: none)
};

std::vector<VoiceSpec> AllVoices();
// Throws std::runtime_error when espeak-ng is missing or fails.
Audio SpeakLine(const VoiceSpec& spec, const std::string& workDir);
