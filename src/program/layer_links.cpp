// The hooks of the lower layers, each pointed at its owner (see the header).
#include "program/layer_links.h"

#include "game/levels/level_sequencer.h"
#include "game/saved/saved_block.h"
#include "game/saved/saved_board.h"
#include "game/saved/saved_game.h"
#include "play/mode_road.h"
#include "play/puzzle/saved_puzzle.h"
#include "play/quest_level_setup.h"
#include "profiles/profile_manager.h"
#include "program/loading.h"
#include "program/title_screen.h"
#include "screens/title_pictures.h"
#include "services/options.h"

namespace {

// The quest's game in progress, as the options' save keeps it: the board, the block in hand, a
// picture puzzle, the quest's progress, the spells, the statistics and the sphere, then the
// profile written once.
void SaveQuestInProgress() {
  saveBoard(u"runes", 0);
  SaveLastBlock(u"runes", 0);
  SavePuzzles(0);
  SaveProfile(0);
  SaveSpells(u"runes", 0);
  SaveLevelStats(0);
  SaveMagicSphere(0);
  if (profile) profile->SaveProfile();
}

void LinkOptions() {
  optionsLinks.hasProfiles = [] { return profile && profile->GetProfilesList()->Count() != 0; };
  optionsLinks.selectProfile = [](const String& name) { profile->SelectProfile(name); };
  optionsLinks.currentProfile = [](String& name) {
    if (!profile->current) return false;
    name = profile->current->name;
    return true;
  };
  optionsLinks.questLevel = [](int32_t startingLevel) {
    return sequencer ? sequencer->currentLevel : startingLevel;
  };
  optionsLinks.saveGameInProgress = SaveQuestInProgress;
}

}  // namespace

void LinkLayers() {
  LinkOptions();
  questLevelSetup = SetUpQuestLevel;
  stopTitleMusic = [] {
    if (titleScreen) titleScreen->stopMusic();
  };
  titlePicture = [] { return titleScreen ? titleScreen->titleImage : nullptr; };
  levelSelectorCaption = [] { return titleScreen ? titleScreen->selectorCaption : nullptr; };
  loadingPicture = [] { return loading ? loading->screenImage : nullptr; };
}
