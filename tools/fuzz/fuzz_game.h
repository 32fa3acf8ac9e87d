// The built game under a fuzzer: one headless process with every singleton of the board game,
// a private copy of the game's archives in which a target puts its input as one entry, and a
// bounded run of one of the game's own loops with the scripted player at the controls.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace fuzz_game {

// Once per process: a fresh home folder, the headless platform, the screen, the game folder as
// working directory, the archives copied to a folder of their own (bundleDir points there) and
// the board game's singletons made as start-up makes them. Later inputs play on the same
// singletons, as the game plays one level after another.
void Init();

// Puts `size` bytes as the entry `entry` of the archive copy data/`archive` (every other entry
// kept as shipped); Restore puts the shipped archive back.
void PutEntry(const std::string& archive, const std::string& entry, const uint8_t* data,
              size_t size);
void Restore(const std::string& archive);

// Runs `run` (one of the game's loops) until it returns, the program ends, the game stops with
// its framework error (a clear message: the way the game refuses data it cannot use) or
// `frames` frames have been shown. With `player` the scripted player places blocks and answers
// the popups meanwhile; `onFrame` may add input (frames counted from 0). A text error that
// escapes, a crash or a sanitizer report is a finding.
void Play(int frames, const std::function<void()>& run, bool player = true,
          const std::function<void(int frame, int shown)>& onFrame = nullptr);

// What the picture puzzle's own ending does, for a run that left it early: its board of pieces
// (each with the cut-up picture) cleared, the sparks gone, the music stopped. Without it every
// input would leave a board behind and the process would grow without end.
void EndPuzzle();

}  // namespace fuzz_game
