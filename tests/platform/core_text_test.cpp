// Text conversions: integers and reals in the framework's forms, UTF-8, case folding.
#include <gtest/gtest.h>

#include <climits>
#include <clocale>

#include "platform/text.h"

namespace {

TEST(TextTest, ToIntReadsTheFrameworksIntegerForms) {
  struct Case {
    const char* text;
    int32_t value;
  };
  const Case cases[] = {
      {"  -12abc", -12}, {"$ff", 255},  {"%101", 5},      {"+7", 7},
      {"", 0},           {"x", 0},      {"\t 42", 42},    {"-$10", -16},
      {"$FFffFFff", -1}, {"%102", 2},   {"12.9", 12},     {"- 5", 0},
      {"2147483648", INT32_MIN},        {"007", 7},       {"$", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ToInt(S(c.text)), c.value) << c.text;
  EXPECT_EQ(ToLong(S("-9000000000")), -9000000000LL);
  EXPECT_EQ(ToInt(u"\u0661"), 0);  // only ASCII digits count
}

TEST(TextTest, RealsParseAndPrintInTheCLocaleWhateverTheUsersLocale) {
  // A locale with a decimal comma must change nothing (when the system has one).
  const char* old = std::setlocale(LC_ALL, nullptr);
  std::string saved = old ? old : "C";
  std::setlocale(LC_ALL, "de_DE.UTF-8");
  EXPECT_DOUBLE_EQ(ToDouble(S("  2.5e1xyz")), 25.0);
  EXPECT_FLOAT_EQ(ToFloat(S("-0.75")), -0.75f);
  EXPECT_EQ(ToDouble(S("abc")), 0.0);
  struct Case {
    float value;
    const char* text;
  };
  const Case cases[] = {{1.5f, "1.5"},         {0.1f, "0.1"},   {100.0f, "100"},
                        {-3.25f, "-3.25"},     {0.0f, "0"},     {123456.0f, "123456"},
                        {16777216.0f, "16777216"}, {1e10f, "1e+10"}, {0.0001f, "0.0001"}};
  for (const Case& c : cases) EXPECT_EQ(FromFloat(c.value), S(c.text)) << c.text;
  EXPECT_EQ(ToFloat(FromFloat(1.0f / 3.0f)), 1.0f / 3.0f);
  EXPECT_EQ(FromDouble(0.1), S("0.1"));
  EXPECT_EQ(ToDouble(FromDouble(2.0 / 3.0)), 2.0 / 3.0);
  EXPECT_EQ(FromInt(-42), S("-42"));
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(TextTest, Utf8RoundTripsIncludingSurrogatePairs) {
  const std::string utf8 = "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80";  // a, e-acute, euro, emoji
  const String text = FromUtf8(utf8);
  EXPECT_EQ(text, (String{u'a', 0x00e9, 0x20ac, 0xd83d, 0xde00}));
  EXPECT_EQ(ToUtf8(text), utf8);
  // Broken bytes become replacement characters and reading goes on.
  EXPECT_EQ(FromUtf8("x\xff" "y\xe2\x82"), (String{u'x', 0xfffd, u'y', 0xfffd}));
  EXPECT_EQ(ToUtf8(String{0xd800, u'z'}), "\xef\xbf\xbdz");  // a lone surrogate
}

TEST(TextTest, PathsCarryOneBytePerCharacter) {
  const std::string bytes = "caf\xc3\xa9/\xff";
  const String text = FromPath(bytes);
  EXPECT_EQ(text.size(), bytes.size());
  EXPECT_EQ(text[3], 0x00c3);
  EXPECT_EQ(ToPath(text), bytes);
  EXPECT_EQ(ToPath(String{0x0141}), "\x41");  // the low 8 bits
}

TEST(TextTest, CaseFoldingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(Lower(u"AbZ\u00c9\u0130["), u"abz\u00c9\u0130[");
  EXPECT_EQ(Upper(u"azA\u00e9{"), u"AZA\u00e9{");
  EXPECT_EQ(LowerPath("GFX/Gui\xc9.PNG"), "gfx/gui\xc9.png");
}

}  // namespace
