// Small helpers shared by the data-file tests.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/errors.h"
#include "platform/text.h"

namespace datafiles_test {

inline std::string U8(const String& text) { return ToUtf8(text); }
inline String U16(const std::string& utf8) { return FromUtf8(utf8); }

// The message of the TextError that `action` raises; "" when it raises none.
inline std::string TextErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const TextError& error) {
    return ToUtf8(error.message());
  }
  return "";
}

inline void PutInt(std::vector<uint8_t>& out, int32_t value) {
  const uint32_t v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

inline std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}

}  // namespace datafiles_test

namespace datafiles_test {

// An entry's data: reserved integer, pass count, block size, payload.
inline std::vector<uint8_t> EntryData(int passes, int32_t blockSize,
                                      const std::vector<uint8_t>& payload) {
  std::vector<uint8_t> out;
  PutInt(out, 0);
  out.push_back(static_cast<uint8_t>(passes));
  PutInt(out, blockSize);
  out.insert(out.end(), payload.begin(), payload.end());
  return out;
}

// An entry holding `text` in one pass with no blocks: all of it is the stored tail.
inline std::vector<uint8_t> StoredEntry(const std::string& text) {
  std::vector<uint8_t> payload;
  PutInt(payload, static_cast<int32_t>(text.size()));
  payload.insert(payload.end(), text.begin(), text.end());
  return EntryData(1, static_cast<int32_t>(text.size()) + 1, payload);
}

// An archive of (stored name, entry data) pairs, the names written as they are given.
inline std::vector<uint8_t> Archive(
    const std::vector<std::pair<std::string, std::vector<uint8_t>>>& entries) {
  std::vector<uint8_t> out = {0x42, 0x43, 0x41, 0x00};
  PutInt(out, static_cast<int32_t>(entries.size()));
  for (const auto& [name, data] : entries) {
    PutInt(out, static_cast<int32_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    PutInt(out, static_cast<int32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
  }
  return out;
}

inline std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace datafiles_test
