// Things that stand where a file belongs and are no file, for the tests of the readers.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace test_support {

const NotAFile kNotAFiles[3] = {
    {"folder", [](const std::string& path) { return mkdir(path.c_str(), 0700) == 0; }},
    {"fifo", [](const std::string& path) { return mkfifo(path.c_str(), 0600) == 0; }},
    {"link", [](const std::string& path) {
       const std::string name = std::filesystem::path(path).filename().string();
       return symlink(name.c_str(), path.c_str()) == 0;
     }}};

std::string KindAt(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return "missing";
  if (S_ISREG(st.st_mode)) return "file";
  if (S_ISDIR(st.st_mode)) return "folder";
  if (S_ISFIFO(st.st_mode)) return "fifo";
  if (S_ISLNK(st.st_mode)) return "link";
  return "other";
}

void RemoveAt(const std::string& path) {
  std::error_code ec;
  std::filesystem::remove_all(path, ec);
}

}  // namespace test_support
