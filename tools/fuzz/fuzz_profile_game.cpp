// Any text as a player's profile with a game in progress: the profile is selected and its game
// record read through LoadProfile, then each saved game is resumed and played a few frames: the
// quest level (board, block in hand, spells, statistics, sphere), endless, time attack and the
// picture puzzle (its piece list).
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fuzz_game.h"

#include "program/main_loop.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "play/game_modes.h"
#include "game/saved/saved_game.h"
#include "play/puzzle/puzzle_manager.h"
#include "platform/files.h"
#include "profiles/profile_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_game::Init();
  // Written as the game writes profiles: scrambled.
  const std::vector<uint8_t> file = ScrambleProfileBytes(std::vector<uint8_t>(data, data + size));
  const std::string path = profile->current->path;
  if (!SaveBytesSafely(path, file)) std::abort();
  ProfilePtr loaded = TProfile::Create(path);
  if (!loaded) return 0;
  profile->current = loaded;
  fuzz_game::Play(1, [] { LoadProfile(); });
  fuzz_game::Play(30, [] {
    if (sequencer->setupLevel() == 0 || sequencer->levelType != 1) return;
    board->gameOver = 0;
    goGlyphor(1);
  });
  fuzz_game::Play(20, [] { goEndless(String()); });
  fuzz_game::Play(20, [] { goTimeAtack(String()); });
  fuzz_game::Play(10, [] {
    puzzle->Load(u"puzzle-01.tsc");
    readFromProfile = 1;
    puzzle->show(1, String(), 0);
  });
  fuzz_game::EndPuzzle();
  readFromProfile = 0;
  return 0;
}
