// tscdump FILE | tscdump ARCHIVE ENTRY: loads a key/group file (a plain file, or an entry of a
// BCA archive named without ".bbc") with the game's reader and store and writes the store to
// standard output exactly as the game saves it.
// Exit status: 0 done; 1 the file does not load (the error on standard error); 2 the archive
// has no such entry; 255 a framework error (a missing archive), as the game ends on it.
#include <cstdio>
#include <vector>

#include "datafiles/bca_archive.h"
#include "datafiles/tsc_file.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/text.h"

namespace {

int Fail(const String& message) {
  std::fprintf(stderr, "%s\n", ToUtf8(message).c_str());
  return 1;
}

int Dump(int argc, char** argv) {
  TSCFilePtr file = CreateTSCFile();
  try {
    if (argc == 2) {
      LoadTSCFile(file, std::string(argv[1]));
    } else {
      const String entry = FromPath(argv[2]);
      std::vector<uint8_t> content;
      switch (ReadBBEntry(std::string(argv[1]), entry, content)) {
        case BBEntryStatus::NotFound:
          return 2;
        case BBEntryStatus::NotSupported:
          return Fail(String(u"not supported BCA BBError: ") + entry);
        case BBEntryStatus::Damaged:
          return Fail(DamagedBBNotice(entry));
        case BBEntryStatus::Found:
          break;
      }
      LoadTSCFile(file, CreateRamStream(std::move(content)));
    }
  } catch (const TextError& error) {
    return Fail(error.message());
  }
  const std::vector<uint8_t> bytes = EncodeText(file->SaveToText());
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
    return 1;
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: tscdump FILE\n       tscdump ARCHIVE ENTRY\n");
    return 1;
  }
  try {
    return Dump(argc, argv);
  } catch (const FrameworkError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 255;
  }
}
