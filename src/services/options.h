// The player's options in memory and in "data/options.tsc" of the user data folder.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/text.h"

class TTSCFile;

class TOptions {
 public:
  std::shared_ptr<TTSCFile> tscFile;  // only while a load or save runs
  int32_t screenMode = 2;             // 1 full screen, anything else a window
  float musicVol = 0.5f;
  float soundVol = 0.8f;
  int32_t startingLevel = 0;

  // Writes the options file, then, while saveToProfile is set, the game in progress.
  void Save();
  // Reads the options file (creating it first when missing, setting a damaged one aside) and
  // selects the last used profile.
  void Load();
  // Writes the options file only.
  void SaveOptionsOnly();
  // Writes a new options file with the default values; the fields stay as they are.
  void CreateOptionsFile();
};
using OptionsPtr = std::shared_ptr<TOptions>;

// Created by start-up among the singletons.
extern OptionsPtr options;
// Set by the main loop while a quest is being played: saving the options then also saves the
// game in progress into the current profile.
extern int32_t saveToProfile;

// What loading and saving the options reach above the services: the profiles, the quest's
// position and the game in progress. Set by the start-up (program/layer_links.cpp); while a link
// is unset, the options file alone is read and written.
struct TOptionsLinks {
  // True when at least one profile exists.
  std::function<bool()> hasProfiles;
  // Selects the profile named in the options file (called only when profiles exist).
  std::function<void(const String& name)> selectProfile;
  // The selected profile's name to remember as "lastProfile"; false when none is selected.
  std::function<bool(String& name)> currentProfile;
  // The quest's current level; `startingLevel` while the quest's sequence is not made.
  std::function<int32_t(int32_t startingLevel)> questLevel;
  // Saves the game in progress into the current profile and writes the profile.
  std::function<void()> saveGameInProgress;
};
extern TOptionsLinks optionsLinks;

// The options file's path in the user data folder.
std::string OptionsFilePath();
// Saves the options (and the game in progress while saveToProfile is set).
void saveOptions();
// The end hook: saves the options and shows the system pointer again.
void saveOnEnd();
