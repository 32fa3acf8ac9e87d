// Any bytes as a story part: the story screen plays it for 150 frames, Next clicked now and then.
#include "fuzz_game.h"

#include "platform/headless.h"
#include "screens/story/story.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_game::Init();
  fuzz_game::PutEntry("story.bca", "part-1.tsc", data, size);
  fuzz_game::Play(
      150, [] { showStory(1, 0); }, false,
      [](int frame, int shown) {
        if (frame % 40 == 39) {
          headless::MouseMoveAt(shown, 440, 580);
          headless::MouseClickAt(shown + 1, 1);
        }
      });
  return 0;
}
