// Where the player's files live and where the game's own data is read.
#pragma once
#include <cstdint>
#include <string>

#include "platform/text.h"

// The user data folder: the home folder + "/Library/Preferences/.Glyphor", "/" as separator,
// no trailing "/". Empty until GetDataFolders has run.
extern std::string myDocsFolder;
// The prefix of every data path (data/, gfx/, sfx/): the empty string, data is read relative
// to the working directory.
extern std::string bundleDir;

// The file a picture or song named `path` is read from: the path itself when something is
// there, else the file of the same name in the player's custom-art folder, else "" (none).
std::string FindGameOrCustomArt(const std::string& path);

// Sets myDocsFolder and creates the user data folder (with any missing parent), its "data"
// and its "profiles-levelpack" folders when they are missing. Returns 0.
int32_t GetDataFolders();
// The data path prefix; both arguments are ignored. Always "".
std::string GetBundleResourceURL(const String& name, const String& type);
// A special system folder: none is used, always "".
std::string GetSpecialFolder();
// Setting the application's icon: nothing to do here; the argument is ignored. Returns 0.
int32_t ccSetIcon(const String& icon);
