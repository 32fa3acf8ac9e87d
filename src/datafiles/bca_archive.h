// BCA resource archives: the game's data files, each stored compressed as one entry named after
// the file plus ".bbc". The reader finds an entry by name (letters A-Z folded), expands it in
// memory and loads it into a key/group store.
//
// Layout (32-bit little-endian integers): magic "BCA\0", entry count, then per entry: name
// length, name bytes, data size, data. Data: a reserved integer, the pass count (one byte), the
// block size B, then the payload that the first pass expands. A pass input is its output length
// L, then L / B blocks of B bytes each (marker 0: B stored bytes; otherwise a pattern length, the
// pattern and codes, where a code equal to the marker stands for the pattern), then the tail of
// L % B stored bytes. Each later pass expands the output of the one before.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "datafiles/tsc_file.h"
#include "platform/files.h"
#include "platform/text.h"

constexpr int32_t BCA_MAGIC = 4277058;  // "BCA\0"
// The largest output one pass may announce, and the most bytes all passes of an entry may
// produce together. The game's files are far smaller; a damaged entry cannot ask for more.
constexpr int64_t BCA_MAX_PASS_OUTPUT = int64_t(16) << 20;
constexpr int64_t BCA_MAX_TOTAL_OUTPUT = int64_t(64) << 20;

// The single-file marker (71 characters and a zero byte): its integer value is the offset of an
// archive carried inside the executable (0: none). As built it reads as 0; packaging replaces
// its text by a number in the executable.
extern char SingleFileMarker[72];
// The marker's integer value; a negative value counts as 0.
int32_t SingleFileOffset();

// Byte-wise bank helpers of the reader.
int peekbyte2(const BankPtr& bank, int offset);
int PokeByte2(const BankPtr& bank, int offset, int value);
int copyBank2(const BankPtr& src, int srcOffset, const BankPtr& dst, int dstOffset, int count);

enum class BBEntryStatus {
  Found,         // the entry was found and expanded
  NotFound,      // no entry of that name
  NotSupported,  // the archive does not start with the magic
  Damaged,       // the archive or the entry breaks the layout (cut short, impossible sizes, ...)
};

// Opens the archive: the file at the path when something exists there, else the executable at
// the single-file offset when that is not 0, else null. `exists` tells whether something was
// found to open (a folder exists but gives a null stream).
StreamPtr OpenBBArchive(const std::string& archivePath, bool& exists);
// Walks the entry headers of an open archive, positioned at its first byte, for the entry
// named `entryName` + ".bbc". On Found the stream stands at the first byte of the entry data and
// `dataSize` holds its size.
BBEntryStatus FindBBEntry(const StreamPtr& archive, const String& entryName, int32_t& dataSize);
// Expands one entry's data (reserved integer, pass count, block size, payload). Damaged when
// the data breaks the layout; never reads or writes outside the data and its own buffers.
BBEntryStatus ExpandBBData(const std::vector<uint8_t>& data, std::vector<uint8_t>& content);
// Finds and expands an entry of an open archive.
BBEntryStatus ReadBBEntry(const StreamPtr& archive, const String& entryName,
                          std::vector<uint8_t>& content);
// Finds and expands an entry of the archive at the path. A missing archive raises the runtime
// error ".BCA ArchiveFile not Found: " + path.
BBEntryStatus ReadBBEntry(const std::string& archivePath, const String& entryName,
                          std::vector<uint8_t>& content);

// The notice shown for an entry of a damaged archive.
String DamagedBBNotice(const String& entryName);

// Loads the entry `entryName` + ".bbc" of the archive into `tsc`. 1 when it was found, expanded
// and loaded; 0 without a message when there is no such entry; 0 after a notice when the archive
// is not a BCA archive, the entry is damaged, or its text does not load. A missing archive ends
// the program (runtime error).
int LoadTSCFileBB(const TSCFilePtr& tsc, const std::string& archivePath, const String& entryName);
