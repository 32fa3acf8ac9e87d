// Any bytes as the map file: the map reads its markers and stage pictures, then its screen runs
// 40 frames after a level, with the pointer over the markers.
#include "fuzz_game.h"

#include "platform/headless.h"
#include "screens/map/map_core.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_game::Init();
  fuzz_game::PutEntry("settings_lp.bca", "map.tsc", data, size);
  map = std::make_shared<TMapCore>();
  fuzz_game::Play(
      40,
      [] {
        map->Load();
        map->Show(3);
      },
      false, [](int frame, int shown) { headless::MouseMoveAt(shown, (frame * 37) % 800, (frame * 53) % 600); });
  map = nullptr;
  return 0;
}
