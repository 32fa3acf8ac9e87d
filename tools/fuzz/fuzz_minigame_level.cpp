// Any bytes as a picture-puzzle level and as a ring-game level: each game reads it from its
// archive and plays 60 frames of it, the pointer wandering and clicking.
#include "fuzz_game.h"

#include "play/puzzle/puzzle_manager.h"
#include "play/ring/ring_game.h"
#include "platform/headless.h"

namespace {
void Wander(int frame, int shown) {
  headless::MouseMoveAt(shown, (frame * 97) % 800, (frame * 61) % 600);
  if (frame % 7 == 6) headless::MouseClickAt(shown, 1);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_game::Init();
  fuzz_game::PutEntry("puzzle_levels_lp.bca", "puzzle-01.tsc", data, size);
  fuzz_game::Play(60, [] {
    puzzle->Load(u"puzzle-01.tsc");
    puzzle->show(0, String(), 0);
  }, true, Wander);
  fuzz_game::EndPuzzle();
  fuzz_game::Restore("puzzle_levels_lp.bca");
  fuzz_game::PutEntry("ring_levels_lp.bca", "ring-01.tsc", data, size);
  fuzz_game::Play(60, [] {
    ringGame->Load(u"ring-01.tsc");
    ringGame->Play(0);
  }, true, Wander);
  fuzz_game::Restore("ring_levels_lp.bca");
  return 0;
}
