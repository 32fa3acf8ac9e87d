#include "toolkit/string_utils.h"

TListPtr<String> splitString(const String& text, const String& separator) {
  TListPtr<String> pieces = CreateList<String>();
  if (text.empty()) return pieces;
  size_t start = 0;
  if (separator.size() == 1) {
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == separator[0]) {
        pieces->AddLast(text.substr(start, i - start));
        start = i + 1;
      }
    }
  }
  pieces->AddLast(text.substr(start));
  return pieces;
}

String Pos(const String& text, int32_t from, int32_t to) {
  if (from < 1 || to > static_cast<int32_t>(text.size())) return String();
  if (from > to) return String();
  return text.substr(static_cast<size_t>(from - 1), static_cast<size_t>(to - from + 1));
}

namespace {
String TwoDigits(int64_t value) {
  String s = FromInt(value);
  if (value < 10) s = u"0" + s;
  return s;
}
}  // namespace

String SecToTime(int32_t seconds) {
  // A negative count (no caller passes one) reads as no time at all.
  const int64_t total = seconds < 0 ? 0 : seconds;
  const int64_t s = total % 60;
  const int64_t m = (total / 60) % 60;
  const int64_t h = total / 3600;
  if (h > 0) return FromInt(h) + u":" + TwoDigits(m) + u":" + TwoDigits(s);
  return FromInt(m) + u":" + TwoDigits(s);
}
