// The BCA archive writer of the packaging tool: self-contained (standard library only), so the
// tool builds without the game library. The game's reader expands everything written here.
//
// An entry is coded in passes over fixed-size blocks. In each block the encoder looks for the
// byte string whose repeats, each replaced by a one-byte code (a byte value that does not occur
// in the block), make the block smallest; a block that no pattern makes smaller is stored. The
// whole pass output is coded again while that still makes it smaller.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace bca {

constexpr uint8_t kMagic[4] = {0x42, 0x43, 0x41, 0x00};
constexpr size_t kMaxPattern = 127;
constexpr int kMaxPasses = 255;

inline void PutInt(std::vector<uint8_t>& out, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// Size of a block coded with `pattern` of length p: marker, length, pattern, then one byte for
// each repeat and for each other byte (repeats taken greedily from the left).
inline size_t CodedSize(const uint8_t* block, size_t size, const uint8_t* pattern, size_t p) {
  size_t codes = 0;
  for (size_t j = 0; j < size;) {
    if (j + p <= size && std::memcmp(block + j, pattern, p) == 0) {
      j += p;
    } else {
      ++j;
    }
    ++codes;
  }
  return 2 + p + codes;
}

// Codes one block into `out`: the coded form when it is smaller than the stored one.
inline void EncodeBlock(const uint8_t* block, size_t size, std::vector<uint8_t>& out) {
  std::array<bool, 256> used{};
  for (size_t i = 0; i < size; ++i) used[block[i]] = true;
  int marker = 0;
  for (int m = 1; m < 256 && marker == 0; ++m)
    if (!used[static_cast<size_t>(m)]) marker = m;

  size_t bestSize = 1 + size;  // stored
  size_t bestStart = 0, bestLength = 0;
  if (marker != 0) {
    const size_t longest = std::min(kMaxPattern, size / 2);
    for (size_t start = 0; start + 2 <= size; ++start) {
      for (size_t p = 2; p <= longest && start + 2 * p <= size; ++p) {
        // Only a pattern that repeats later on can gain; when this one does not, no longer
        // pattern from the same start does either.
        bool repeats = false;
        for (size_t j = start + p; j + p <= size && !repeats; ++j)
          repeats = std::memcmp(block + j, block + start, p) == 0;
        if (!repeats) break;
        const size_t coded = CodedSize(block, size, block + start, p);
        if (coded < bestSize) {
          bestSize = coded;
          bestStart = start;
          bestLength = p;
        }
      }
    }
  }
  if (bestLength == 0) {
    out.push_back(0);
    out.insert(out.end(), block, block + size);
    return;
  }
  const uint8_t* pattern = block + bestStart;
  out.push_back(static_cast<uint8_t>(marker));
  out.push_back(static_cast<uint8_t>(bestLength));
  out.insert(out.end(), pattern, pattern + bestLength);
  for (size_t j = 0; j < size;) {
    if (j + bestLength <= size && std::memcmp(block + j, pattern, bestLength) == 0) {
      out.push_back(static_cast<uint8_t>(marker));
      j += bestLength;
    } else {
      out.push_back(block[j]);
      ++j;
    }
  }
}

// One pass: the output length, the coded blocks, the stored tail.
inline std::vector<uint8_t> EncodePass(const std::vector<uint8_t>& input, size_t blockSize) {
  std::vector<uint8_t> out;
  PutInt(out, static_cast<int32_t>(input.size()));
  const size_t blocks = input.size() / blockSize;
  for (size_t b = 0; b < blocks; ++b) EncodeBlock(input.data() + b * blockSize, blockSize, out);
  out.insert(out.end(), input.begin() + static_cast<std::ptrdiff_t>(blocks * blockSize),
             input.end());
  return out;
}

// An entry's data: a reserved integer (0), the pass count, the block size and the payload.
inline std::vector<uint8_t> EntryData(int passes, int32_t blockSize,
                                      const std::vector<uint8_t>& payload) {
  std::vector<uint8_t> data;
  PutInt(data, 0);
  data.push_back(static_cast<uint8_t>(passes));
  PutInt(data, blockSize);
  data.insert(data.end(), payload.begin(), payload.end());
  return data;
}

// An entry coded in at least one pass; a further pass is kept while it makes the payload smaller.
inline std::vector<uint8_t> EncodeEntry(const std::vector<uint8_t>& content, size_t blockSize) {
  std::vector<uint8_t> payload = EncodePass(content, blockSize);
  int passes = 1;
  while (passes < kMaxPasses) {
    std::vector<uint8_t> again = EncodePass(payload, blockSize);
    if (again.size() >= payload.size()) break;
    payload.swap(again);
    ++passes;
  }
  return EntryData(passes, static_cast<int32_t>(blockSize), payload);
}

// The smallest entry over a few block sizes.
inline std::vector<uint8_t> EncodeEntry(const std::vector<uint8_t>& content) {
  std::vector<uint8_t> best;
  for (size_t blockSize : {32, 64, 128}) {
    std::vector<uint8_t> data = EncodeEntry(content, blockSize);
    if (best.empty() || data.size() < best.size()) best.swap(data);
  }
  return best;
}

// A whole archive from (stored name, entry data) pairs, in order.
inline std::vector<uint8_t> BuildArchive(
    const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries) {
  std::vector<uint8_t> out(kMagic, kMagic + 4);
  PutInt(out, static_cast<int32_t>(entries.size()));
  for (const auto& [name, data] : entries) {
    PutInt(out, static_cast<int32_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    PutInt(out, static_cast<int32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
  }
  return out;
}

}  // namespace bca
