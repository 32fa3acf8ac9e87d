// A sound resource that can be filed in the keyed container and played or stopped through it.
#pragma once
#include <memory>
#include <string>
#include "platform/sound.h"
#include "platform/text.h"

class TSFX {
 public:
  virtual ~TSFX() = default;

  SoundPtr sound;      // null when it did not load
  ChannelPtr channel;  // the channel of the most recent Play
  int loadFlags = 0;

  // Plays on a new channel at the default volume; the previous channel sounds on to its end.
  virtual void Play();
  // Stops only the most recent play.
  virtual void Stop();
};
using SFXPtr = std::shared_ptr<TSFX>;

SFXPtr CreateSFX(const std::string& url, int flags);
SFXPtr CreateSFX(const String& url, int flags);
