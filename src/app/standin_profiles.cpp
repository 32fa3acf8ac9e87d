// STAND-IN until the profiles subsystem exists (see the header).
#include "app/standin_profiles.h"

ProfileManagerPtr profile;

TListPtr<String> TProfileManager::GetProfilesList() const {
  auto names = CreateList<String>();
  for (const ProfilePtr& p : *profiles) names->AddLast(p->name);
  return names;
}

int32_t TProfileManager::SelectProfile(const String& name) {
  for (const ProfilePtr& p : *profiles) {
    if (p->name == name) {
      current = p;
      return 1;
    }
  }
  return 0;
}

void TProfileManager::SaveProfile() {
  if (current) ++profileWrites;
}
