// Any bytes as a profile file: the load either gives a profile or leaves the file exactly as it
// was; unscrambling and scrambling again gives the same bytes; a profile that loads can be read
// key by key, have its lists set again, be saved and be loaded back with the same lists.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/files.h"
#include "profiles/profile_manager.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

// One folder for the whole run, made on the first input.
const std::string& ProfilePath() {
  static const std::string path = [] {
    char folder[] = "/tmp/fuzz_profile_XXXXXX";
    if (!mkdtemp(folder)) Fail("no temporary folder");
    return std::string(folder) + "/player.dat";
  }();
  return path;
}

std::vector<std::vector<String>> ListsOf(const TProfile& loaded, const std::vector<String>& keys) {
  std::vector<std::vector<String>> lists;
  for (const String& key : keys) {
    std::vector<String> values;
    const TListPtr<String> list = loaded.GetList(key);  // held while it is walked
    for (const String& v : *list) values.push_back(v);
    lists.push_back(values);
  }
  return lists;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  std::vector<uint8_t> plain;
  if (UnscrambleProfileBytes(bytes, plain) != (size % 4 == 0)) Fail("length rule broken");
  std::vector<uint8_t> again;
  if (!UnscrambleProfileBytes(ScrambleProfileBytes(plain), again) || again != plain)
    Fail("scrambling is not undone by unscrambling");

  const std::string& path = ProfilePath();
  if (!SaveBytesSafely(path, bytes)) Fail("cannot write the input");
  // Quiet: every damaged input prints its line (libFuzzer reports on standard error).
  static const bool quiet = std::freopen("/dev/null", "w", stdout) != nullptr;
  (void)quiet;
  ProfilePtr loaded = TProfile::Create(path);
  std::vector<uint8_t> after;
  if (!LoadBytes(path, after) || after != bytes) Fail("loading changed the file");
  if (loaded) {
    std::vector<String> names;
    for (const TSCKeyPtr& key : *loaded->tscFile->keys)
      if (!key->path.empty()) names.push_back(key->name);  // keys outside a group are not saved
    for (const String& name : names) {
      loaded->GetNumber(name);
      loaded->GetString(name);
    }
    const std::vector<std::vector<String>> lists = ListsOf(*loaded, names);
    if (!loaded->Save()) Fail("cannot save the profile");
    ProfilePtr reloaded = TProfile::Create(path);
    if (!reloaded) Fail("a saved profile does not load back");
    if (ListsOf(*reloaded, names) != lists) Fail("lists changed through a save");
  }
  return 0;
}
