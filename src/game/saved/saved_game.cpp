#include "game/saved/saved_game.h"

#include <algorithm>
#include <vector>

#include "game/quest_flow.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/levels/slides_manager.h"
#include "game/saved/saved_items.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/magic_sphere.h"
#include "platform/errors.h"
#include "platform/system.h"
#include "profiles/profile_manager.h"

namespace {

// A full vial restored from a save counts as having filled this long ago: past the glow that
// follows a filling (2000 ms), and with its burst and sounds already played.
constexpr int32_t kRestoredFullAgoMs = 3000;

void WriteIfAsked(int32_t saveNow) {
  if (saveNow != 0) profile->SaveProfile();
}

String VialKey(int32_t vial) { return u"ballsFil" + FromInt(vial); }

}  // namespace

int32_t SaveProfile(int32_t saveNow) {
  if (!profile) return 0;
  profile->SetNumber(u"level", sequencer->currentLevel, 0);
  profile->SetNumber(u"pointsActual", points->levelPoints, 0);
  profile->SetNumber(u"pointsTotal", points->totalPoints, 0);
  profile->SetNumber(u"gameState", gameState, 0);
  profile->SetNumber(u"difficulty", level->difficulty, 0);
  profile->SetList(u"revealedImages", slides->revealedImages, 0);
  WriteIfAsked(saveNow);
  return 0;
}

int32_t LoadProfile() {
  if (!profile) return 0;
  try {
    sequencer->Start(profile->GetNumber(u"level"));
    points->levelPoints = profile->GetCount(u"pointsActual", kMostPoints);
    points->totalPoints = profile->GetNumber(u"pointsTotal");
    gameState = profile->GetNumber(u"gameState");
    level->difficulty = profile->GetNumber(u"difficulty");
    slides->revealedImages = ProfileList(u"revealedImages");
  } catch (const TextError&) {
    Print("560");
  }
  return 0;
}

int32_t SaveSpells(const String& prefix, int32_t saveNow) {
  if (!profile) return 0;
  auto items = CreateList<String>();
  for (const BonusAPtr& spell : *bonusManagerAlt->boardSpells) {
    items->AddLast(FromInt(spell->kind) + u":" + FromInt(spell->cellX) + u":" +
                   FromInt(spell->cellY) + u":" + FromInt(spell->colour));
  }
  profile->SetList(prefix + u"Bonuses", items, 0);
  WriteIfAsked(saveNow);
  return 0;
}

int32_t LoadSpells(const String& prefix) {
  std::vector<int32_t> f;
  const TListPtr<String> items = ProfileList(prefix + u"Bonuses");  // held while it is walked
  for (const String& item : *items) {
    // A spell off the board could never be set off; it would be drawn off the board and saved
    // again with every game.
    if (!ReadItemFields(item, 4, f)) continue;
    if (f[1] < 0 || f[1] >= kBoardCells || f[2] < 0 || f[2] >= kBoardCells) continue;
    bonusManagerAlt->AddBonusExt(f[0], f[1], f[2], f[3]);
  }
  return 0;
}

int32_t SaveLevelStats(int32_t saveNow) {
  if (!profile) return 0;
  profile->SetNumber(u"levelRrecivedSpells", level->receivedSpells, 0);
  profile->SetNumber(u"levelDroppedSpells", level->spellsCast, 0);
  profile->SetNumber(u"levelUsedBlocks", level->blocksUsed, 0);
  profile->SetNumber(u"levelMatches", level->matches, 0);
  profile->SetNumber(u"levelCombos", level->combos, 0);
  profile->SetNumber(u"levelTime", timeManager->SaveToProfile(), 0);
  WriteIfAsked(saveNow);
  return 0;
}

int32_t LoadLevelStats() {
  if (!profile) return 0;
  level->receivedSpells = profile->GetCount(u"levelRrecivedSpells");
  level->spellsCast = profile->GetCount(u"levelDroppedSpells");
  level->blocksUsed = profile->GetCount(u"levelUsedBlocks");
  level->matches = profile->GetCount(u"levelMatches");
  level->combos = profile->GetCount(u"levelCombos");
  timeManager->LoadFromProfile(profile->GetNumber(u"levelTime"));
  return 0;
}

int32_t SaveMagicSphere(int32_t saveNow) {
  if (!profile) return 0;
  for (int32_t i = 0; i < TMagicSphere::kVials; ++i)
    profile->SetNumber(VialKey(i), SaturatedInt(magicSphere->fills[i]), 0);
  WriteIfAsked(saveNow);
  return 0;
}

int32_t LoadMagicSphere() {
  if (!profile) return 0;
  const int32_t now = MilliSecs();
  for (int32_t i = 0; i < TMagicSphere::kVials; ++i) {
    magicSphere->fills[i] = static_cast<float>(profile->GetNumber(VialKey(i)));
    const float capacity = magicSphere->capacities[i];
    float shown = 0.0f;
    if (capacity > 0.0f) {
      shown = magicSphere->fills[i] / capacity;
    } else if (magicSphere->colours[i] != 0) {
      shown = 1.0f;  // no balls are needed: the sphere draws such a vial full
    } else {
      continue;  // not in use: the sphere never shows it
    }
    magicSphere->shownFill[i] = std::clamp(shown, 0.0f, 1.0f);
    if (shown >= 1.0f) magicSphere->filledAt[i] = ElapsedMs(now, kRestoredFullAgoMs);
  }
  return 0;
}
