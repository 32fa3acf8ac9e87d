// The player's options in memory and in "data/options.tsc" of the user data folder.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

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

// The options file's path in the user data folder.
std::string OptionsFilePath();
// Saves the options (and the game in progress while saveToProfile is set).
void saveOptions();
// The end hook: saves the options and shows the system pointer again.
void saveOnEnd();
