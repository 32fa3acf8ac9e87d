// String helpers used across the game.
#pragma once
#include <cstdint>
#include "platform/list.h"
#include "platform/text.h"

// Cuts the text at every occurrence of a one-character separator; empty pieces are kept
// (n separators give n + 1 pieces). An empty text gives an empty list; a separator that is not
// exactly one character long gives the whole text as the only piece.
TListPtr<String> splitString(const String& text, const String& separator);
// Characters from .. to (counted from 1, inclusive); "" when from < 1 or to is past the end.
String Pos(const String& text, int32_t from, int32_t to);
// "m:ss", or "h:mm:ss" from one hour on.
String SecToTime(int32_t seconds);
