#include "services/data_folders.h"

#include <algorithm>

#include "platform/files.h"

std::string myDocsFolder;
std::string bundleDir;

namespace {
void CreateFolderIfMissing(const std::string& path, bool withParents) {
  // A file standing where the folder belongs is left alone; a failure shows later, when the
  // files inside are read or written.
  if (FileType(path) == FILETYPE_NONE) CreateDir(path, withParents);
}
}  // namespace

int32_t GetDataFolders() {
  std::string home = HomeDir();
  while (!home.empty() && home.back() == '/') home.pop_back();
  myDocsFolder = home + "/Library/Preferences/.Glyphor";
  // The home folder often has no "Library/Preferences": make every missing parent too.
  CreateFolderIfMissing(myDocsFolder, true);
  CreateFolderIfMissing(myDocsFolder + "/data", false);
  CreateFolderIfMissing(myDocsFolder + "/profiles-levelpack", false);
  std::replace(myDocsFolder.begin(), myDocsFolder.end(), '\\', '/');
  return 0;
}

std::string GetBundleResourceURL(const String& /*name*/, const String& /*type*/) { return ""; }

std::string GetSpecialFolder() { return ""; }

int32_t ccSetIcon(const String& /*icon*/) { return 0; }

std::string FindGameOrCustomArt(const std::string& path) {
  if (FileType(path) != FILETYPE_NONE) return path;
  const std::string custom = myDocsFolder + "/custom-art/" + StripDir(path);
  if (FileType(custom) != FILETYPE_NONE) return custom;
  return std::string();
}
