#include "toolkit/sfx.h"

void TSFX::Play() {
  if (!sound) return;
  channel = PlaySound(sound);
}

void TSFX::Stop() {
  if (!channel) return;
  StopChannel(channel);
}

SFXPtr CreateSFX(const std::string& url, int flags) {
  auto s = std::make_shared<TSFX>();
  s->loadFlags = flags;
  s->sound = LoadSound(url, flags);
  return s;
}

SFXPtr CreateSFX(const String& url, int flags) { return CreateSFX(ToPath(url), flags); }
