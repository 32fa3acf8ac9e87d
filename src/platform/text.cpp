// Text <-> bytes, UTF-8, number conversions and case folding. Every conversion runs in the "C"
// locale, whatever locale the player's system has.
#include "platform/text.h"

#include <locale.h>
#include <stdlib.h>

#include <cstdio>
#include <cstring>

namespace {

// The "C" locale, made once; number parsing and formatting use it explicitly.
locale_t CLocale() {
  static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return loc;
}

// The text's units as bytes for the C library: units above 255 become a byte no number uses.
std::string NumberBytes(const String& text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) out.push_back(c > 255 ? '\xff' : static_cast<char>(c & 0xff));
  return out;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f'; }

// The framework's integer conversion, in unsigned arithmetic so that overflow wraps.
uint64_t ParseInteger(const String& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && text[i] == u'$') {
    base = 16;
    ++i;
  } else if (i < text.size() && text[i] == u'%') {
    base = 2;
    ++i;
  }
  uint64_t value = 0;
  for (; i < text.size(); ++i) {
    char16_t c = text[i];
    int digit;
    if (c >= u'0' && c <= u'9') digit = c - u'0';
    else if (c >= u'a' && c <= u'f') digit = c - u'a' + 10;
    else if (c >= u'A' && c <= u'F') digit = c - u'A' + 10;
    else break;
    if (digit >= base) break;
    value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
  }
  return negative ? (~value + 1) : value;
}

// Shortest "%.Ng" text (N up to maxDigits) that reads back to the same value.
template <typename T>
String ShortestNumber(T value, int maxDigits) {
  char buf[64];
  locale_t old = uselocale(CLocale());
  for (int digits = 1; digits <= maxDigits; ++digits) {
    std::snprintf(buf, sizeof buf, "%.*g", digits, static_cast<double>(value));
    T back;
    if constexpr (sizeof(T) == sizeof(float)) back = strtof_l(buf, nullptr, CLocale());
    else back = static_cast<T>(strtod_l(buf, nullptr, CLocale()));
    if (back == value || value != value) break;
  }
  // Whole numbers that fit the digits read better without an exponent: 100, not 1e+02.
  if (const char* e = std::strchr(buf, 'e')) {
    int exponent = std::atoi(e + 1);
    if (exponent >= 0 && exponent < maxDigits)
      std::snprintf(buf, sizeof buf, "%.*g", exponent + 1, static_cast<double>(value));
  }
  uselocale(old);
  return FromPath(buf);
}

}  // namespace

String FromPath(const std::string& path) {
  String out;
  out.reserve(path.size());
  for (char c : path) out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
  return out;
}

std::string ToPath(const String& text) {
  std::string out;
  out.reserve(text.size());
  for (char16_t c : text) out.push_back(static_cast<char>(c & 0xff));
  return out;
}

String FromUtf8(const std::string& utf8) {
  String out;
  out.reserve(utf8.size());
  size_t i = 0;
  const size_t n = utf8.size();
  while (i < n) {
    unsigned char b = static_cast<unsigned char>(utf8[i]);
    uint32_t cp;
    int extra;
    if (b < 0x80) {
      cp = b;
      extra = 0;
    } else if ((b & 0xe0) == 0xc0) {
      cp = b & 0x1f;
      extra = 1;
    } else if ((b & 0xf0) == 0xe0) {
      cp = b & 0x0f;
      extra = 2;
    } else if ((b & 0xf8) == 0xf0) {
      cp = b & 0x07;
      extra = 3;
    } else {
      out.push_back(u'\xfffd');
      ++i;
      continue;
    }
    size_t j = i + 1;
    bool ok = true;
    for (int k = 0; k < extra; ++k, ++j) {
      if (j >= n || (static_cast<unsigned char>(utf8[j]) & 0xc0) != 0x80) {
        ok = false;
        break;
      }
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[j]) & 0x3f);
    }
    static const uint32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (!ok || cp < kMin[extra] || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff)) {
      // A broken sequence becomes one replacement character; reading goes on at the byte
      // that broke it.
      out.push_back(u'\xfffd');
      i = j;
      continue;
    }
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xd800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xdc00 + (cp & 0x3ff)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    i = j;
  }
  return out;
}

std::string ToUtf8(const String& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    uint32_t cp = text[i];
    if (cp >= 0xd800 && cp <= 0xdbff && i + 1 < text.size() && text[i + 1] >= 0xdc00 &&
        text[i + 1] <= 0xdfff) {
      cp = 0x10000 + ((cp - 0xd800) << 10) + (text[i + 1] - 0xdc00);
      ++i;
    } else if (cp >= 0xd800 && cp <= 0xdfff) {
      cp = 0xfffd;  // a lone surrogate has no UTF-8 form
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xc0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3f)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xe0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3f)));
    } else {
      out.push_back(static_cast<char>(0xf0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3f)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3f)));
    }
  }
  return out;
}

String S(const char* ascii) { return ascii ? FromPath(ascii) : String(); }

int32_t ToInt(const String& text) {
  return static_cast<int32_t>(static_cast<uint32_t>(ParseInteger(text)));
}

int64_t ToLong(const String& text) { return static_cast<int64_t>(ParseInteger(text)); }

double ToDouble(const String& text) {
  std::string bytes = NumberBytes(text);
  return strtod_l(bytes.c_str(), nullptr, CLocale());
}

float ToFloat(const String& text) { return static_cast<float>(ToDouble(text)); }

String FromInt(int64_t value) { return FromPath(std::to_string(value)); }

String FromFloat(float value) { return ShortestNumber<float>(value, 9); }

String FromDouble(double value) { return ShortestNumber<double>(value, 17); }

String Lower(const String& text) {
  String out = text;
  for (char16_t& c : out)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  return out;
}

String Upper(const String& text) {
  String out = text;
  for (char16_t& c : out)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  return out;
}

std::string LowerPath(const std::string& path) {
  std::string out = path;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

void Print(const String& text) { Print(ToUtf8(text)); }

void Print(const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void Print(const char* utf8) { Print(std::string(utf8 ? utf8 : "")); }
