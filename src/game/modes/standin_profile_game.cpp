#include "game/modes/standin_profile_game.h"

#include "profiles/profile_manager.h"

int32_t profileLoads = 0;

void CreateNewProfile(const String& name) {
  if (!profile || profile->NewProfile(name) != 1) return;
  auto levels = CreateList<String>();
  levels->AddLast(u"level_01.tsc");
  profile->SetList(u"revealedLevels", levels, 1);
}

void LoadProfile() { ++profileLoads; }
