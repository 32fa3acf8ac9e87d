// The archive reader on any bytes: it finds, expands and loads entries, or reports them missing,
// foreign or damaged, and never reads or writes outside its buffers.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "datafiles/bca_archive.h"
#include "datafiles/tsc_file.h"
#include "platform/errors.h"
#include "platform/files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  for (const char16_t* name : {u"a.tsc", u"b.tsc"}) {
    std::vector<uint8_t> content;
    if (ReadBBEntry(CreateRamStream(bytes), name, content) != BBEntryStatus::Found) continue;
    TSCFilePtr file = CreateTSCFile();
    try {
      file->Load(CreateRamStream(content));
    } catch (const TextError&) {
    }
  }
  // The same bytes as the data of one entry.
  std::vector<uint8_t> content;
  if (ExpandBBData(bytes, content) == BBEntryStatus::Found && content.size() > BCA_MAX_PASS_OUTPUT)
    std::abort();
  return 0;
}
