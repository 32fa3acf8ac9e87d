#include "game/saved/new_profile.h"

#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/quest_flow.h"
#include "profiles/profile_manager.h"

namespace {

// The first board level that the endless and time-attack level selector offers.
const String kFirstRevealedLevel = u"level_01.tsc";

constexpr int32_t kVials = 5;       // "ballsFil" / "ballsLod" 0 to 4
constexpr int32_t kSpellKinds = 6;  // "RMGRecivedSpell" 1 to 6

void Number(const String& key, int32_t value) { profile->SetNumber(key, value, 1); }
void EmptyList(const String& key) { profile->SetList(key, CreateList<String>(), 1); }

String RefusalCause(int32_t answer) {
  switch (answer) {
    case TProfileManager::kNameTaken:
      return u"a profile of that name exists";
    case TProfileManager::kNotWritten:
      return u"its file could not be written";
    default:
      return u"the name cannot be used";
  }
}

}  // namespace

int32_t CreateNewProfile(const String& name, int32_t* answer) {
  if (answer) *answer = TProfileManager::kNameRefused;
  if (!profile) return 0;
  const int32_t created = profile->NewProfile(name);
  if (answer) *answer = created;
  if (created != TProfileManager::kCreated) {
    Print(u"No new profile \"" + name + u"\": " + RefusalCause(created) + u"; nothing was written.");
    return 0;
  }
  for (const char16_t* key : {u"runes1", u"runes2", u"runes3", u"runesActualBlockSet",
                              u"runesActualBlockColor", u"puzzles"})
    EmptyList(key);
  Number(u"puzzlesTime", 0);
  Number(u"puzzlesClicks", 0);
  EmptyList(u"revealedImages");
  profile->SetString(u"revealedLevels", kFirstRevealedLevel, 1);
  for (const char16_t* key : {u"runesPrevBlock0", u"runesPrevBlock1", u"runesPrevBlock2"})
    Number(key, 0);
  Number(u"level", 1);
  Number(u"difficulty", 2);
  for (const char16_t* key :
       {u"pointsActual", u"pointsTotal", u"gameState", u"endlessResume", u"timeResume",
        u"timeTime", u"runesSpellsCounter", u"endlessSpellsCounter", u"timeSpellsCounter",
        u"runesMultipler", u"endlessMultipler", u"timeMultipler", u"runesMultiplerTime",
        u"endlessMultiplerTime", u"timeMultiplerTime", u"seqHits", u"rgTime", u"recivedSpells"})
    Number(key, 0);
  Number(u"showTutorial", 1);
  for (const char16_t* key :
       {u"levelRrecivedSpells", u"levelDroppedSpells", u"levelTime", u"levelUsedBlocks"})
    Number(key, 0);
  for (int32_t i = 0; i < kVials; ++i) {
    Number(u"ballsFil" + FromInt(i), 0);
    Number(u"ballsLod" + FromInt(i), 0);
  }
  for (int32_t kind = 1; kind <= kSpellKinds; ++kind) Number(u"RMGRecivedSpell" + FromInt(kind), 0);
  return 0;
}

int32_t ClearProfile(int32_t flag) {
  if (!profile) return 0;
  for (const char16_t* key : {u"runes1", u"runes2", u"runes3", u"runesActualBlockSet",
                              u"runesActualBlockColor", u"puzzles"})
    EmptyList(key);
  for (const char16_t* key :
       {u"runesPrevBlock0", u"runesPrevBlock1", u"runesPrevBlock2", u"pointsActual", u"pointsTotal"})
    Number(key, 0);
  if (flag != 0) {
    Number(u"level", sequencer->firstLevel);
    Number(u"gameState", kGameStateNewQuest);
    Number(u"difficulty", level->difficulty);
  }
  return 0;
}
