// Load, save and reload: any bytes either load or raise a text error; whatever loads saves to a
// text that loads back and answers every lookup of a written group's keys as the store did;
// with no key outside a group, saving the reloaded store gives the same bytes. Repeated group
// paths are written once each, so the saved text stays small whatever the nesting.
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
  for (const TSCKeyPtr& key : *file.keys)
    if (key->path.empty()) return false;
  return true;
}

// Every key whose path was written resolves in the reloaded store to the values it resolved to
// before (number values compared as numbers).
void CheckLookups(TTSCFile& file, TTSCFile& reloaded) {
  std::set<String> written;
  for (const TSCGroupPtr& group : *reloaded.groups) written.insert(Lower(GroupFullPath(*group)));
  for (const TSCKeyPtr& key : *file.keys) {
    if (written.count(Lower(key->path)) == 0) continue;
    TSCKeyPtr before = file.ResolveKey(key->path, key->name);
    TSCKeyPtr after = reloaded.ResolveKey(key->path, key->name);
    if (!after) Fail("a written key is missing after reloading", key->path + u"::" + key->name);
    for (int32_t i = 0; i < before->count && i < TSC_MAX_VALUES; ++i) {
      const size_t slot = static_cast<size_t>(i);
      const bool same = before->types[slot] == TSC_VALUE_NUMBER
                            ? TSCNumberValue(after->values[slot]) == TSCNumberValue(before->values[slot])
                            : after->values[slot] == before->values[slot];
      if (!same) Fail("a value changed by saving and reloading", key->path + u"::" + key->name);
    }
  }
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
  CheckLookups(*file, *reloaded);
  if (SavesTheSameBytesAgain(*file) && EncodeText(reloaded->SaveToText()) != saved)
    Fail("saving the reloaded store changed the bytes", file->SaveToText());
  return 0;
}
