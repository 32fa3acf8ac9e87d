#include "services/options.h"

#include "services/data_folders.h"
#include "datafiles/tsc_file.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/system.h"
#include "platform/text.h"

OptionsPtr options;
int32_t saveToProfile = 0;
TOptionsLinks optionsLinks;

namespace {
const String kGroup = u"Settings";

bool HasProfiles() { return optionsLinks.hasProfiles && optionsLinks.hasProfiles(); }

// A new store holding the group of the options file.
TSCFilePtr NewOptionsStore() {
  TSCFilePtr file = CreateTSCFile();
  CreateTSCGroup(file, u"", kGroup);
  return file;
}

// The defaults of a new options file.
TSCFilePtr DefaultOptionsStore() {
  TSCFilePtr file = NewOptionsStore();
  SetTSCNumberKey(file, kGroup, u"screenMode", 0.0f, 0);
  SetTSCNumberKey(file, kGroup, u"musicVol", 0.5f, 0);
  SetTSCNumberKey(file, kGroup, u"soundVol", 0.7f, 0);
  SetTSCNumberKey(file, kGroup, u"startingLevel", -1.0f, 0);
  SetTSCStringKey(file, kGroup, u"lastProfile", u"morvell", 0);
  return file;
}
}  // namespace

std::string OptionsFilePath() { return myDocsFolder + "/data/options.tsc"; }

void TOptions::CreateOptionsFile() {
  tscFile = DefaultOptionsStore();
  SaveTSCFile(tscFile, OptionsFilePath());
  tscFile = nullptr;
}

void TOptions::Load() {
  const std::string path = OptionsFilePath();
  const int state = KeptFileState(path);
  if (state == KEPTFILE_MISSING) CreateOptionsFile();
  // A damaged file does not stop the game: it is kept aside and a new default file is used.
  // Something that is no file at all (a folder, a FIFO) is left where it is.
  auto useDefaults = [&](const std::string& reason) {
    if (KeepDamagedFileAside("options", path, reason, "the default options are used",
                             "the default options are used")) {
      CreateOptionsFile();
    }
    tscFile = DefaultOptionsStore();
  };
  tscFile = CreateTSCFile();
  if (state == KEPTFILE_NOT_A_FILE) {
    Print("The options file " + path + " is not a file that can be read; it is left as it is "
          "and the default options are used.");
    tscFile = DefaultOptionsStore();
  } else if (state == KEPTFILE_EMPTY) {
    useDefaults("it is empty");
  } else {
    try {
      LoadTSCFile(tscFile, path);
    } catch (const TextError& error) {
      useDefaults(error.what());
    }
  }
  // Hand-edited numbers outside the int range (or not numbers) read as 0.
  screenMode = GetTSCWholeNumberKey(tscFile, kGroup, u"screenMode", 0);
  musicVol = GetTSCNumberKey(tscFile, kGroup, u"musicVol", 0);
  soundVol = GetTSCNumberKey(tscFile, kGroup, u"soundVol", 0);
  startingLevel = GetTSCWholeNumberKey(tscFile, kGroup, u"startingLevel", 0);
  if (HasProfiles() && optionsLinks.selectProfile) {
    optionsLinks.selectProfile(GetTSCStringKey(tscFile, kGroup, u"lastProfile", 0));
  }
  tscFile = nullptr;
}

void TOptions::SaveOptionsOnly() {
  tscFile = NewOptionsStore();
  SetTSCNumberKey(tscFile, kGroup, u"screenMode", static_cast<float>(screenMode), 0);
  SetTSCNumberKey(tscFile, kGroup, u"musicVol", musicVol, 0);
  SetTSCNumberKey(tscFile, kGroup, u"soundVol", soundVol, 0);
  const int32_t level = optionsLinks.questLevel ? optionsLinks.questLevel(startingLevel)
                                                : startingLevel;
  SetTSCNumberKey(tscFile, kGroup, u"startingLevel", static_cast<float>(level), 0);
  String lastProfile;
  if (HasProfiles() && optionsLinks.currentProfile && optionsLinks.currentProfile(lastProfile)) {
    SetTSCStringKey(tscFile, kGroup, u"lastProfile", lastProfile, 0);
  }
  SaveTSCFile(tscFile, OptionsFilePath());
  tscFile = nullptr;
}

void TOptions::Save() {
  SaveOptionsOnly();
  if (saveToProfile != 0 && optionsLinks.saveGameInProgress) optionsLinks.saveGameInProgress();
}

void saveOptions() {
  if (options) options->Save();
}

void saveOnEnd() {
  saveOptions();
  ShowMouse();
}
