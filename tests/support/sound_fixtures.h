// Sounds made in memory for the music and sound-effect tests, and a look at what the mixer
// makes of the channels that play.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/sound.h"

namespace app_test {

// A sound whose every sample is `level`, `seconds` long. Headless runs move sounds on with the
// virtual clock: a sound counted after a test's frames must last longer than they do.
inline SoundPtr ConstantSound(int16_t level, bool loop = false, int seconds = 1) {
  auto sound = std::make_shared<TSound>();
  sound->data = std::make_shared<SoundData>();
  sound->data->samples.assign(static_cast<size_t>(kMixRate) * kMixChannels * seconds, level);
  sound->loop = loop;
  return sound;
}

// The first left sample of the next mixed frame: the sum of every playing channel's level
// times its volume.
inline int MixedLevel() {
  int16_t frame[kMixChannels] = {};
  MixAudio(frame, 1);
  return frame[0];
}

}  // namespace app_test
