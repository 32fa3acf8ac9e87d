// Text and paths. Game texts are 16-bit code units; paths are byte strings, one byte per
// character. Every conversion between the two lives here.
#pragma once
#include <cstdint>
#include <string>

using String = std::u16string;

// Path bytes -> text (each byte one code unit) and back (the low 8 bits of each unit).
String FromPath(const std::string& path);
std::string ToPath(const String& text);
// UTF-8 (source literals, console) <-> text.
String FromUtf8(const std::string& utf8);
std::string ToUtf8(const String& text);
// Shorthand for ASCII literals in game code: S("gfx/gui/kursor.png").
String S(const char* ascii);

// The framework's string-to-integer conversion: leading blanks, an optional sign, "$" for hex,
// "%" for binary, decimal otherwise; stops at the first other character; 0 when there is none.
int32_t ToInt(const String& text);
int64_t ToLong(const String& text);
// C library strtod/atof in the "C" locale, on the text's bytes.
double ToDouble(const String& text);
float ToFloat(const String& text);
String FromInt(int64_t value);
// "%f"-style formatting is not the framework's; this is the shortest text the game shows for a
// float (as the framework's String(float) would: up to 9 significant digits).
String FromFloat(float value);
String FromDouble(double value);

// Case folding of A-Z / a-z only; every other unit is left alone.
String Lower(const String& text);
String Upper(const String& text);
std::string LowerPath(const std::string& path);

// Writes one line (UTF-8) to standard output.
void Print(const String& text);
void Print(const std::string& utf8);
void Print(const char* utf8);
