// Load, save and reload: any bytes either load or raise a text error; whatever loads saves to a
// text that loads back; with no repeated group path and no key outside a group, saving the
// reloaded store gives the same bytes.
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <set>
#include <vector>

#include "datafiles/tsc_file.h"
#include "platform/errors.h"
#include "platform/files.h"

namespace {

[[noreturn]] void Fail(const char* what, const String& detail) {
  std::fprintf(stderr, "%s: %s\n", what, ToUtf8(detail).c_str());
  std::abort();
}

bool SavesTheSameBytesAgain(const TTSCFile& file) {
  std::set<String> paths;
  for (const TSCGroupPtr& group : *file.groups)
    if (!paths.insert(Lower(GroupFullPath(*group))).second) return false;
  for (const TSCKeyPtr& key : *file.keys)
    if (key->path.empty()) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TSCFilePtr file = CreateTSCFile();
  try {
    file->Load(CreateRamStream(std::vector<uint8_t>(data, data + size)));
  } catch (const TextError&) {
    if (!file->keys->IsEmpty() || !file->groups->IsEmpty()) Fail("failed load kept content", u"");
    return 0;
  }
  const std::vector<uint8_t> saved = EncodeText(file->SaveToText());
  TSCFilePtr reloaded = CreateTSCFile();
  try {
    reloaded->Load(CreateRamStream(saved));
  } catch (const TextError& error) {
    Fail("saved text does not load back", error.message());
  }
  if (SavesTheSameBytesAgain(*file) && EncodeText(reloaded->SaveToText()) != saved)
    Fail("saving the reloaded store changed the bytes", file->SaveToText());
  return 0;
}
