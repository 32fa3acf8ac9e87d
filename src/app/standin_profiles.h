// STAND-IN until the profiles subsystem exists: the profile manager's list, its current profile
// and the operations the options file uses. Profiles are only names here; nothing is scanned
// and no profile file is written (SaveProfile only counts its calls). Replace with the real
// TProfileManager and TProfile and remove this file.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/list.h"
#include "platform/text.h"

class TProfile {
 public:
  String name;
};
using ProfilePtr = std::shared_ptr<TProfile>;

class TProfileManager {
 public:
  TListPtr<ProfilePtr> profiles = CreateList<ProfilePtr>();
  ProfilePtr current;
  int32_t profileWrites = 0;  // stand-in only: calls of SaveProfile that had a current profile

  // A new list of the names of the profiles, in scan order.
  TListPtr<String> GetProfilesList() const;
  // Makes the first profile named exactly `name` current; 1 when one was found, else 0.
  int32_t SelectProfile(const String& name);
  // Writes the current profile's file; nothing when no profile is current.
  void SaveProfile();
};
using ProfileManagerPtr = std::shared_ptr<TProfileManager>;

extern ProfileManagerPtr profile;
