// Any bytes as the popup file: the popups of the first quest levels are prepared from it and
// each is shown for a few frames, the scripted player answering OK.
#include "fuzz_game.h"

#include "game/levels/level_sequencer.h"
#include "screens/popups/popup_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz_game::Init();
  fuzz_game::PutEntry("popups_lp.bca", "info.tsc", data, size);
  for (int32_t levelIndex : {0, 1, 2}) {
    sequencer->currentLevel = levelIndex;
    fuzz_game::Play(24, [] {
      popupManager->Prepare();
      std::vector<PopupPtr> shown;
      for (const PopupPtr& popup : *popupManager->popups) shown.push_back(popup);
      for (const PopupPtr& popup : shown) popupManager->ShowPopup(popup);
    });
  }
  return 0;
}
