#include <gtest/gtest.h>

#include <vector>

#include "toolkit/string_utils.h"

namespace {

std::vector<String> Pieces(const String& text, const String& sep) {
  std::vector<String> out;
  TListPtr<String> list = splitString(text, sep);
  for (const String& s : *list) out.push_back(s);
  return out;
}

TEST(SplitString, KeepsEmptyPiecesAndCutsAtOneCharacterSeparators) {
  struct {
    String text, sep;
    std::vector<String> want;
  } cases[] = {
      {u"one two three", u" ", {u"one", u"two", u"three"}},
      {u"one  two", u" ", {u"one", u"", u"two"}},
      {u"one two ", u" ", {u"one", u"two", u""}},
      {u" one", u" ", {u"", u"one"}},
      {u"1:2:3", u":", {u"1", u"2", u"3"}},
      {u",", u",", {u"", u""}},
      {u"whole", u",", {u"whole"}},
      {u"a, b, c", u", ", {u"a, b, c"}},  // a longer separator never matches
      {u"a b", u"", {u"a b"}},
      {u"", u" ", {}},
  };
  for (auto& c : cases) EXPECT_EQ(Pieces(c.text, c.sep), c.want) << ToUtf8(c.text);
}

TEST(Pos, TakesCharactersByPositionsFromOne) {
  struct {
    int from, to;
    String want;
  } cases[] = {{1, 5, u"hello"}, {2, 3, u"el"}, {5, 5, u"o"}, {0, 3, u""},
               {1, 6, u""},      {3, 2, u""},   {-1, 2, u""}};
  for (auto& c : cases) EXPECT_EQ(Pos(u"hello", c.from, c.to), c.want) << c.from << ".." << c.to;
  EXPECT_EQ(Pos(u"", 1, 0), u"");
}

TEST(SecToTime, WritesMinutesAndSecondsThenHours) {
  struct {
    int seconds;
    const char16_t* want;
  } cases[] = {{0, u"0:00"},       {9, u"0:09"},        {65, u"1:05"},       {600, u"10:00"},
               {3599, u"59:59"},   {3600, u"1:00:00"},  {3661, u"1:01:01"},  {36000, u"10:00:00"},
               {360000, u"100:00:00"}};
  for (auto& c : cases) EXPECT_EQ(SecToTime(c.seconds), String(c.want)) << c.seconds;
  EXPECT_EQ(SecToTime(-5), u"0:00");
}

}  // namespace
