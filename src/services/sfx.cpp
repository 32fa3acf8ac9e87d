#include "services/sfx.h"

#include "services/data_folders.h"
#include "services/options.h"
#include "platform/system.h"

TListPtr<SoundQPtr> soundQueue;
GlobalSndPtr globalSnd;

ChannelPtr playSound2(const SoundPtr& sound, const ChannelPtr& channel, int32_t force) {
  if (channel) {
    if (ChannelPlaying(channel) && force == 0) return channel;
    StopChannel(channel);
  }
  const float volume = options ? options->soundVol : 0.0f;
  if (!sound || !(volume > 0.0f)) return nullptr;
  ChannelPtr started = PlaySound(sound);
  if (started) SetChannelVolume(started, volume);
  return started;
}

void TSoundQ::Destroy() {
  if (!soundQueue) return;
  soundQueue->RemoveIf([this](const SoundQPtr& q) { return q.get() == this; });
}

void TSoundQ::updateAll() {
  if (!soundQueue) return;
  for (const SoundQPtr& entry : *soundQueue) {
    SoundQPtr keep = entry;  // alive while it takes itself out of the list
    // Due once the clock is past the due time (judged across a wrap of the clock).
    if (ElapsedMs(MilliSecs(), keep->dueMs) > 0) {
      playSound2(keep->sound, nullptr, 0);
      keep->Destroy();
    }
  }
}

void TSoundQ::addSound(const SoundPtr& sound, int32_t dueMs) {
  auto entry = std::make_shared<TSoundQ>();
  entry->dueMs = dueMs;
  entry->sound = sound;
  if (!soundQueue) soundQueue = CreateList<SoundQPtr>();
  soundQueue->AddLast(entry);
}

namespace {
constexpr const char* kInterfaceSounds[TGlobalSnd::kCount] = {
    "sfx/fx4/playgamepuzzle-gethint.ogg",
    "sfx/fx4/playgame-enter.ogg",
    "sfx/fx4/playgame-info-clickout.ogg",
    "sfx/fx4/playgame-info-show.ogg",
    "sfx/fx4/playgame-podlicz-show.ogg",
    "sfx/fx4/playgame-podlicz.ogg",
    "sfx/fx4/playgame-mouseover.ogg",
    "sfx/fx4/playgame-mouseover.ogg",  // a second load of its own, for `over`
    "sfx/eve/v-merlinwell.ogg",
    "sfx/eve/v-wdone.ogg",
    "sfx/eve/v-imprestes.ogg",
    "sfx/eve/v-growslls.ogg",
    "sfx/eve/v-curage.ogg",
};
}  // namespace

void TGlobalSnd::load() {
  for (int i = 0; i < kCount; ++i) sounds[i] = LoadSound(bundleDir + kInterfaceSounds[i], 0);
}

void TGlobalSnd::play(int32_t index) {
  if (index < 0 || index >= kCount) return;
  if (sounds[index]) playSound2(sounds[index], nullptr, 0);
}

void TGlobalSnd::click() { play(6); }

void TGlobalSnd::over() { play(7); }
