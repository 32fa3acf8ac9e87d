// Helpers shared by every test executable.
#pragma once
#include <string>

namespace test_support {
// The fresh $HOME of this test process (removed when the process ends).
const std::string& TempHome();
// The built game folder (the working directory of every test).
std::string GameDir();
// The repository's root.
std::string SourceDir();

// What can stand where a file belongs and is no file: a folder, a FIFO (opening one to read
// waits for a writer for ever) and a link to itself. `make` puts one at a path, false when it
// cannot; `what` is what KindAt then says.
struct NotAFile {
  const char* what;
  bool (*make)(const std::string& path);
};
extern const NotAFile kNotAFiles[3];
// What stands at a path, the link itself not followed: "missing", "file", "folder", "fifo",
// "link" or "other".
std::string KindAt(const std::string& path);
// Removes what stands at a path (a folder with everything in it).
void RemoveAt(const std::string& path);
}  // namespace test_support
