// Small helpers shared by the data-file tests.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "../../tools/bcapack/bca_encoder.h"
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

// The archive layout is written as the packaging tool writes it.
using bca::BuildArchive;
using bca::EntryData;
using bca::PutInt;

inline std::vector<uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<uint8_t> out;
  for (int v : values) out.push_back(static_cast<uint8_t>(v));
  return out;
}

}  // namespace datafiles_test

namespace datafiles_test {

// An entry holding `text` in one pass with no blocks: all of it is the stored tail.
inline std::vector<uint8_t> StoredEntry(const std::string& text) {
  std::vector<uint8_t> payload;
  PutInt(payload, static_cast<int32_t>(text.size()));
  payload.insert(payload.end(), text.begin(), text.end());
  return EntryData(1, static_cast<int32_t>(text.size()) + 1, payload);
}

inline std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace datafiles_test
