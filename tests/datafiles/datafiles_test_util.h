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
