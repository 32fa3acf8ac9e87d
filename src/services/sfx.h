// Sound effects at the options' sound volume, the queue of delayed sounds and the interface
// sounds shared by the screens.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "platform/list.h"
#include "platform/sound.h"

// Plays `sound` on a new channel at the sound volume. A given channel that still plays is
// returned as it is unless `force` is set; otherwise it is stopped first. Returns the new
// channel, or null when nothing was started.
ChannelPtr playSound2(const SoundPtr& sound, const ChannelPtr& channel = nullptr,
                      int32_t force = 0);

// A sound waiting to be played at a later clock time.
class TSoundQ {
 public:
  int32_t dueMs = 0;  // MilliSecs time after which it plays
  SoundPtr sound;

  // Takes this entry out of soundQueue.
  void Destroy();
  // Plays (and removes) every queued sound that is due.
  static void updateAll();
  // Queues `sound` to play once MilliSecs has passed `dueMs`.
  static void addSound(const SoundPtr& sound, int32_t dueMs);
};
using SoundQPtr = std::shared_ptr<TSoundQ>;

// The queued sounds in the order they were added; created empty at start-up.
extern TListPtr<SoundQPtr> soundQueue;

// The thirteen interface sounds: hint, info panels, button clicks and the spoken praise.
class TGlobalSnd {
 public:
  static constexpr int kCount = 13;
  std::array<SoundPtr, kCount> sounds{};

  void load();
  void play(int32_t index);  // nothing for an empty slot or an index outside 0..12
  void click();              // slot 6
  void over();               // slot 7
};
using GlobalSndPtr = std::shared_ptr<TGlobalSnd>;

// Created by start-up among the singletons.
extern GlobalSndPtr globalSnd;
