// The effects over a board game's scene (see the header).
#include "game/scene_effects.h"

#include "game/levels/captions.h"
#include "game/spells/ring_emiter.h"
#include "game/spells/volcano_emiter.h"
#include "services/sfx.h"
#include "toolkit/comet.h"
#include "toolkit/spark.h"

void UpdateSceneEffects() {
  TCometEmiter::updateAll();
  TVolcanoEmiter::updateAll();
  TRingEmiter::UpdateAll();
  TSpark::UpdateAll();
  TCaptions::updateAll();
  TSoundQ::updateAll();
}

void DropSceneLists() {
  if (comet) comet->sparks->Clear();
  TCaptions::destroyAll();
  TSpark::destroyAll();
  soundQueue->Clear();
}
