// Any bytes as the quest's sequence file: the sequencer starts at each of a few positions and
// walks on, setting up every entry it names, as the quest does between levels.
#include "fuzz_game.h"

#include "game/levels/level_sequencer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_game::Init();
  fuzz_game::PutEntry("settings_lp.bca", "sequencer.tsc", data, size);
  fuzz_game::Play(1, [] {
    for (int32_t start : {0, -1, 1}) {
      sequencer->Start(start);
      for (int steps = 0; steps < 40; ++steps) {
        sequencer->setupLevel();
        if (sequencer->nextLevel() == 0) break;
      }
    }
  });
  fuzz_game::Restore("settings_lp.bca");
  return 0;
}
