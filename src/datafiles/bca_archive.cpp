#include "datafiles/bca_archive.h"

#include <cstring>

#include "platform/errors.h"
#include "platform/system.h"

char SingleFileMarker[72] = "Important! - Do not change this Line, its used for SingleFile-Creation!";

namespace {

// Reads exactly n bytes; false when the stream ends first.
bool ReadExact(const StreamPtr& stream, void* buffer, int64_t n) {
  return n <= 0 || stream->Read(buffer, n) == n;
}

bool ReadInt32(const StreamPtr& stream, int32_t& value) {
  uint8_t bytes[4];
  if (!ReadExact(stream, bytes, 4)) return false;
  value = static_cast<int32_t>(static_cast<uint32_t>(bytes[0]) |
                               (static_cast<uint32_t>(bytes[1]) << 8) |
                               (static_cast<uint32_t>(bytes[2]) << 16) |
                               (static_cast<uint32_t>(bytes[3]) << 24));
  return true;
}

int32_t PeekInt32(const std::vector<uint8_t>& bytes, size_t offset) {
  return static_cast<int32_t>(static_cast<uint32_t>(bytes[offset]) |
                              (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
                              (static_cast<uint32_t>(bytes[offset + 2]) << 16) |
                              (static_cast<uint32_t>(bytes[offset + 3]) << 24));
}

int64_t Remaining(const StreamPtr& stream) {
  int64_t left = stream->Size() - stream->Pos();
  return left < 0 ? 0 : left;
}

constexpr int kMaxPatternLength = 127;

// One expansion pass: `in` holds the output length, the blocks and the tail.
BBEntryStatus ExpandPass(const std::vector<uint8_t>& in, int32_t blockSize, int64_t& budget,
                         std::vector<uint8_t>& out) {
  const size_t n = in.size();
  if (n < 4) return BBEntryStatus::Damaged;
  const int32_t length = PeekInt32(in, 0);
  // Each input byte makes at most one pattern of 127 bytes: a longer output is a lie.
  if (length < 0 || length > BCA_MAX_PASS_OUTPUT || length > budget ||
      static_cast<int64_t>(length) > static_cast<int64_t>(n - 4) * kMaxPatternLength)
    return BBEntryStatus::Damaged;
  budget -= length;
  out.assign(static_cast<size_t>(length), 0);

  const size_t block = static_cast<size_t>(blockSize);
  const size_t blocks = static_cast<size_t>(length) / block;
  const size_t tail = static_cast<size_t>(length) - blocks * block;
  size_t r = 4;
  size_t w = 0;
  for (size_t b = 0; b < blocks; ++b) {
    if (r >= n) return BBEntryStatus::Damaged;
    const uint8_t marker = in[r++];
    if (marker == 0) {
      if (block > n - r) return BBEntryStatus::Damaged;
      std::memcpy(out.data() + w, in.data() + r, block);
      r += block;
      w += block;
      continue;
    }
    if (r >= n) return BBEntryStatus::Damaged;
    const size_t patternLength = in[r++];
    if (patternLength > kMaxPatternLength || patternLength > n - r) return BBEntryStatus::Damaged;
    const uint8_t* pattern = in.data() + r;
    r += patternLength;
    size_t produced = 0;
    while (produced < block) {
      if (r >= n) return BBEntryStatus::Damaged;
      const uint8_t code = in[r++];
      if (code == marker) {
        if (patternLength > block - produced) return BBEntryStatus::Damaged;  // overruns
        if (patternLength > 0) std::memcpy(out.data() + w + produced, pattern, patternLength);
        produced += patternLength;
      } else {
        out[w + produced] = code;
        ++produced;
      }
    }
    w += block;
  }
  if (tail > 0) {
    if (tail > n - r) return BBEntryStatus::Damaged;
    std::memcpy(out.data() + w, in.data() + r, tail);
  }
  return BBEntryStatus::Found;
}

}  // namespace

int32_t SingleFileOffset() {
  SingleFileMarker[sizeof SingleFileMarker - 1] = 0;
  int32_t offset = ToInt(FromPath(SingleFileMarker));
  return offset < 0 ? 0 : offset;
}

int peekbyte2(const BankPtr& bank, int offset) { return PeekByte(bank, offset); }

int PokeByte2(const BankPtr& bank, int offset, int value) {
  PokeByte(bank, offset, value & 0xFF);
  return 0;
}

int copyBank2(const BankPtr& src, int srcOffset, const BankPtr& dst, int dstOffset, int count) {
  for (int i = 0; i < count; ++i) PokeByte2(dst, dstOffset + i, peekbyte2(src, srcOffset + i));
  return 0;
}

StreamPtr OpenBBArchive(const std::string& archivePath, bool& exists) {
  exists = false;
  if (FileType(archivePath) != FILETYPE_NONE) {
    exists = true;
    return ReadFile(archivePath);  // null for a folder or an unreadable file
  }
  const int32_t offset = SingleFileOffset();
  if (offset == 0) return nullptr;
  exists = true;
  StreamPtr stream = ReadFile(AppFile);
  if (stream) stream->Seek(offset);
  return stream;
}

BBEntryStatus FindBBEntry(const StreamPtr& archive, const String& entryName, int32_t& dataSize) {
  dataSize = 0;
  const String wanted = Lower(entryName + u".bbc");
  int32_t magic = 0;
  if (!ReadInt32(archive, magic)) return BBEntryStatus::Damaged;
  if (magic != BCA_MAGIC) return BBEntryStatus::NotSupported;
  int32_t count = 0;
  if (!ReadInt32(archive, count)) return BBEntryStatus::Damaged;
  // Every entry takes at least 8 bytes, so a huge count ends at the end of the archive.
  for (int32_t i = 0; i < count; ++i) {
    int32_t nameLength = 0;
    if (!ReadInt32(archive, nameLength)) return BBEntryStatus::Damaged;
    String name;
    if (nameLength > 0) {
      if (nameLength > Remaining(archive)) return BBEntryStatus::Damaged;
      std::string bytes(static_cast<size_t>(nameLength), '\0');
      if (!ReadExact(archive, bytes.data(), nameLength)) return BBEntryStatus::Damaged;
      name = FromPath(bytes);
    }
    int32_t size = 0;
    if (!ReadInt32(archive, size)) return BBEntryStatus::Damaged;
    if (Lower(name) == wanted) {
      dataSize = size;
      return BBEntryStatus::Found;
    }
    if (size < 0 || size > Remaining(archive)) return BBEntryStatus::Damaged;
    archive->Seek(archive->Pos() + size);
  }
  return BBEntryStatus::NotFound;
}

BBEntryStatus ExpandBBData(const std::vector<uint8_t>& data, std::vector<uint8_t>& content) {
  content.clear();
  // Reserved integer, pass count, block size and at least the first pass's output length.
  if (data.size() < 13) return BBEntryStatus::Damaged;
  const int passes = data[4];
  const int32_t blockSize = PeekInt32(data, 5);
  if (passes == 0 || blockSize <= 0) return BBEntryStatus::Damaged;
  std::vector<uint8_t> input(data.begin() + 9, data.end());
  std::vector<uint8_t> output;
  int64_t budget = BCA_MAX_TOTAL_OUTPUT;
  for (int pass = 0; pass < passes; ++pass) {
    BBEntryStatus status = ExpandPass(input, blockSize, budget, output);
    if (status != BBEntryStatus::Found) return status;
    input.swap(output);
  }
  content.swap(input);
  return BBEntryStatus::Found;
}

BBEntryStatus ReadBBEntry(const StreamPtr& archive, const String& entryName,
                          std::vector<uint8_t>& content) {
  content.clear();
  int32_t dataSize = 0;
  BBEntryStatus status = FindBBEntry(archive, entryName, dataSize);
  if (status != BBEntryStatus::Found) return status;
  if (dataSize < 13 || dataSize > Remaining(archive)) return BBEntryStatus::Damaged;
  std::vector<uint8_t> data(static_cast<size_t>(dataSize));
  if (!ReadExact(archive, data.data(), dataSize)) return BBEntryStatus::Damaged;
  return ExpandBBData(data, content);
}

BBEntryStatus ReadBBEntry(const std::string& archivePath, const String& entryName,
                          std::vector<uint8_t>& content) {
  content.clear();
  bool exists = false;
  StreamPtr archive = OpenBBArchive(archivePath, exists);
  // Something that cannot be opened (a folder of that name) is as good as missing.
  if (!archive) RuntimeError(".BCA ArchiveFile not Found: " + archivePath);
  BBEntryStatus status = ReadBBEntry(archive, entryName, content);
  CloseFile(archive);
  return status;
}

String DamagedBBNotice(const String& entryName) {
  return String(u"damaged BCA BBError: ") + entryName;
}

int LoadTSCFileBB(const TSCFilePtr& tsc, const std::string& archivePath, const String& entryName) {
  std::vector<uint8_t> content;
  switch (ReadBBEntry(archivePath, entryName, content)) {
    case BBEntryStatus::NotFound:
      return 0;
    case BBEntryStatus::NotSupported:
      Notify(String(u"not supported BCA BBError: ") + entryName, false);
      return 0;
    case BBEntryStatus::Damaged:
      Notify(DamagedBBNotice(entryName), false);
      return 0;
    case BBEntryStatus::Found:
      break;
  }
  StreamPtr stream = CreateRamStream(std::move(content));
  try {
    LoadTSCFile(tsc, stream);
  } catch (const TextError& error) {
    Notify(String(u"Final BBError: ") + error.message(), false);
    return 0;
  }
  return 1;
}
