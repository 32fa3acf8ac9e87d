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
}  // namespace test_support
