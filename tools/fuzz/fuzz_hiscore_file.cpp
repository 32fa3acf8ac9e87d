// Any bytes as the hiscore file: the store is sorted and trimmed to 500 entries per mode; a
// file that cannot be read is moved aside whole before the default file replaces it; a table
// that loads saves to a file that loads back as the same table.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "platform/files.h"
#include "profiles/hiscores.h"

namespace {

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

const std::string& Folder() {
  static const std::string folder = [] {
    char name[] = "/tmp/fuzz_hiscore_XXXXXX";
    if (!mkdtemp(name)) Fail("no temporary folder");
    return std::string(name);
  }();
  return folder;
}

void CheckSortedAndTrimmed(const THiscores& store) {
  std::map<int32_t, int32_t> perMode;
  const TScore* previous = nullptr;
  for (const ScorePtr& entry : *store.scores) {
    if (previous && TScore::CompareScores(*previous, *entry) > 0) Fail("table out of order");
    if (++perMode[entry->typeId] > store.limitPerType) Fail("more than the limit of a mode");
    previous = entry.get();
  }
}

std::vector<std::string> Rows(const THiscores& store) {
  std::vector<std::string> rows;
  for (const ScorePtr& e : *store.scores)
    rows.push_back(ToUtf8(e->name) + "|" + std::to_string(e->score) + "|" +
                   std::to_string(e->gameId) + "|" + std::to_string(e->typeId) + "|" +
                   ToUtf8(e->date) + "|" + ToUtf8(e->helpVar));
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  const std::string path = Folder() + "/hiscores.dat";
  DeleteFile(path + ".bad");
  if (!SaveBytesSafely(path, bytes)) Fail("cannot write the input");
  // Quiet: every damaged input prints its line (libFuzzer reports on standard error).
  static const bool quiet = std::freopen("/dev/null", "w", stdout) != nullptr;
  (void)quiet;
  HiscoresPtr store = THiscores::Create(path);
  CheckSortedAndTrimmed(*store);
  std::vector<uint8_t> aside;
  if (FileType(path + ".bad") != FILETYPE_NONE) {
    if (!LoadBytes(path + ".bad", aside) || aside != bytes) Fail("the damaged file was altered");
    // An empty file is kept aside too, and the game starts on the default table; a damaged
    // one leaves no entries.
    if (!bytes.empty() && !store->scores->IsEmpty()) Fail("a damaged file left entries");
  } else if (!bytes.empty()) {
    std::vector<uint8_t> after;
    if (!LoadBytes(path, after) || after != bytes) Fail("reading rewrote the file");
  }
  // An empty table saves as an empty file, which the next start takes for a missing one.
  if (store->scores->IsEmpty()) return 0;
  DeleteFile(path + ".bad");
  if (!store->Save()) Fail("cannot save the table");
  HiscoresPtr reloaded = THiscores::Create(path);
  if (FileType(path + ".bad") != FILETYPE_NONE) Fail("a saved table does not load back");
  if (Rows(*reloaded) != Rows(*store)) Fail("the table changed through a save");
  return 0;
}
