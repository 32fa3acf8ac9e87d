#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "datafiles/tsc_lexer.h"
#include "datafiles_test_util.h"
#include "platform/files.h"
#include "support/test_support.h"

using datafiles_test::Bytes;
using datafiles_test::TextErrorOf;
using datafiles_test::U16;
using datafiles_test::U8;

namespace {

struct Tok {
  int kind;
  std::string text;
  int line;
  int column;
  bool operator==(const Tok&) const = default;
};

void PrintTo(const Tok& t, std::ostream* os) {
  *os << "{" << t.kind << ", \"" << t.text << "\", " << t.line << ", " << t.column << "}";
}

std::vector<Tok> Tokens(const TTSCLexer& lexer) {
  std::vector<Tok> out;
  for (const TSCTokenPtr& t : *lexer.tokens) out.push_back({t->kind, U8(t->text), t->line, t->column});
  return out;
}

std::vector<Tok> LexUtf8(const std::string& source) {
  TTSCLexer lexer;
  lexer.LexText(U16(source));
  return Tokens(lexer);
}

std::vector<Tok> LexBytes(const std::vector<uint8_t>& bytes) {
  TTSCLexer lexer;
  lexer.Lex(CreateRamStream(bytes));
  return Tokens(lexer);
}

}  // namespace

TEST(TscLexer, CutsTextIntoTokensWithLineAndColumn) {
  // A token carries the position of the character that ended it; a string that of its
  // closing quote; a one-character token its own.
  EXPECT_EQ(LexUtf8("a{\n b=12,\"s\"}"),
            (std::vector<Tok>{{9, "a", 1, 2},
                              {1, "{", 1, 2},
                              {9, "b", 2, 4},
                              {6, "=", 2, 4},
                              {8, "12", 2, 7},
                              {5, ",", 2, 7},
                              {7, "s", 2, 10},
                              {2, "}", 2, 11}}));
  // A number ended by a line feed carries the next line, column 1.
  EXPECT_EQ(LexUtf8("5\n#;"), (std::vector<Tok>{{8, "5", 2, 1}, {3, "#", 2, 2}, {4, ";", 2, 3}}));
  // A carriage return alone does not start a line.
  EXPECT_EQ(LexUtf8("a\rb\r"), (std::vector<Tok>{{9, "a", 1, 2}, {9, "b", 1, 4}}));
}

TEST(TscLexer, TellsNumbersNamesAndTheWordDefineApart) {
  struct Case {
    std::string source;
    std::vector<Tok> tokens;
  };
  const std::vector<Case> cases = {
      {"DEFINE DeFiNe definex ", {{10, "DEFINE", 1, 7}, {10, "DeFiNe", 1, 14}, {9, "definex", 1, 22}}},
      {"12ab ", {{8, "12", 1, 3}, {9, "ab", 1, 5}}},
      {"ab-3 ", {{9, "ab", 1, 3}, {8, "-3", 1, 5}}},
      {"1e5 ", {{8, "1", 1, 2}, {9, "e5", 1, 4}}},
      {"- . -.5 _x9 ", {{8, "-", 1, 2}, {8, ".", 1, 4}, {8, "-.5", 1, 8}, {9, "_x9", 1, 12}}},
  };
  for (const Case& c : cases) EXPECT_EQ(LexUtf8(c.source), c.tokens) << c.source;
}

TEST(TscLexer, ReadsStringsWithTheirEscapes) {
  struct Case {
    std::string source;
    std::string contents;
  };
  const std::vector<Case> cases = {
      {"\"\"", ""},
      {"'a\\'b\"c'", "a'b\"c"},
      {"\"a'b\\\"c\"", "a'b\"c"},
      {"\"\\a\\b\\f\\n\\r\\t\\v\\\\\"", "\a\b\f\n\r\t\v\\"},
      {"\"x\\0y\"", std::string("x\0y", 3)},
      {"'\xC3\xA9\t\r'", "\xC3\xA9\t\r"},
  };
  for (const Case& c : cases) {
    std::vector<Tok> tokens = LexUtf8(c.source);
    ASSERT_EQ(tokens.size(), 1u) << c.source;
    EXPECT_EQ(tokens[0].kind, TSC_TOKEN_STRING);
    EXPECT_EQ(tokens[0].text, c.contents) << c.source;
  }
  // A raw line feed stays in the string and counts a line.
  EXPECT_EQ(LexUtf8("'x\ny' z "), (std::vector<Tok>{{7, "x\ny", 2, 3}, {9, "z", 2, 6}}));
}

TEST(TscLexer, SkipsBlanksAndComments) {
  EXPECT_TRUE(LexUtf8("").empty());
  EXPECT_TRUE(LexUtf8(" \t\r\n// line\n/* block\n */").empty());
  EXPECT_EQ(LexUtf8("/* a ** b **/x "), (std::vector<Tok>{{9, "x", 1, 15}}));
  EXPECT_EQ(LexUtf8("/*/ */y "), (std::vector<Tok>{{9, "y", 1, 8}}));
  EXPECT_EQ(LexUtf8("// c\nz //"), (std::vector<Tok>{{9, "z", 2, 3}}));
  EXPECT_EQ(LexUtf8("a{}"), (std::vector<Tok>{{9, "a", 1, 2}, {1, "{", 1, 2}, {2, "}", 1, 3}}));
}

TEST(TscLexer, RefusesMalformedTextWithItsPosition) {
  struct Case {
    std::string source;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"abc", "ERROR: Unexpected end of file at line 1, character 3"},
      {"x\n12", "ERROR: Unexpected end of file at line 2, character 3"},
      {"1.2.3 ", "ERROR: Multiple radix points found in floating point value at line 1, character 4"},
      {"1-2 ", "ERROR: Unary minus must come at the start of a number at line 1, character 2"},
      {"/ ", "ERROR: Unknown character (' ') at line 1, character 2"},
      {"a /", "ERROR: Unknown character ('') at line 1, character 3"},
      {"x\n@", "ERROR: Unknown character ('@') at line 2, character 2"},
      {"\xC3\xA9", "ERROR: Unknown character ('\xC3\xA9') at line 1, character 1"},
      {"/* x", "ERROR: Unfinished block comment at line 1, character 4"},
      {"/* x *", "ERROR: Unfinished block comment at line 1, character 6"},
      {"'abc", "ERROR: Unfinished string at line 1, character 4"},
      {"'a\\\"'", "ERROR: Unknown escape sequence ('\\\"') at line 1, character 4"},
      {"\"a\\'\"", "ERROR: Unknown escape sequence ('\\'') at line 1, character 4"},
      {"\"\\N\"", "ERROR: Unknown escape sequence ('\\N') at line 1, character 3"},
      {"\"\\", "ERROR: Unknown escape sequence ('\\') at line 1, character 2"},
  };
  for (const Case& c : cases) {
    TTSCLexer lexer;
    EXPECT_EQ(TextErrorOf([&] { lexer.LexText(U16(c.source)); }), c.message) << c.source;
  }
}

TEST(TscLexer, StartsAfreshAfterAnError) {
  TTSCLexer lexer;
  EXPECT_NE(TextErrorOf([&] { lexer.LexText(u"a\nb\n'x"); }), "");
  lexer.LexText(u"k ");
  EXPECT_EQ(Tokens(lexer), (std::vector<Tok>{{9, "k", 1, 2}}));
}

TEST(TscLexer, DecodesTheSourceByItsFirstBytes) {
  struct Case {
    std::vector<uint8_t> bytes;
    std::vector<Tok> tokens;
  };
  const std::vector<Case> cases = {
      {Bytes({0xFE, 0xFF, 0x00, '\'', 0x01, 0x00, 0x00, '\''}), {{7, "\xC4\x80", 1, 3}}},
      {Bytes({0xFF, 0xFE, '\'', 0x00, 0x00, 0x01, '\'', 0x00}), {{7, "\xC4\x80", 1, 3}}},
      {Bytes({0xEF, 0xBB, 0xBF, '\'', 0xC3, 0xA9, '\''}), {{7, "\xC3\xA9", 1, 3}}},
      // Without a signature every byte is one character.
      {Bytes({'\'', 0xC3, 0xA9, '\''}), {{7, "\xC3\x83\xC2\xA9", 1, 4}}},
      {Bytes({'\'', 0xEF, 0xBB, '\''}), {{7, "\xC3\xAF\xC2\xBB", 1, 4}}},
      {Bytes({'}'}), {{2, "}", 1, 1}}},
  };
  for (const Case& c : cases) EXPECT_EQ(LexBytes(c.bytes), c.tokens);
  // EF BB followed by another byte is no signature: EF is an unknown character.
  TTSCLexer lexer;
  EXPECT_EQ(TextErrorOf([&] { lexer.Lex(CreateRamStream(Bytes({0xEF, 0xBB, 'a', ' '}))); }),
            "ERROR: Unknown character ('\xC3\xAF') at line 1, character 1");
}

TEST(TscLexer, SourceThatCannotBeReadIsATextError) {
  const std::string missing = test_support::TempHome() + "/missing.tsc";
  TTSCLexer lexer;
  EXPECT_EQ(TextErrorOf([&] { lexer.Lex(missing); }), "ERROR: Cannot read the file " + missing);
  EXPECT_EQ(TextErrorOf([&] { lexer.Lex(test_support::TempHome()); }),
            "ERROR: Cannot read the file " + test_support::TempHome());
  EXPECT_EQ(TextErrorOf([&] { lexer.Lex(StreamPtr()); }), "ERROR: Cannot read the stream");
}

// A path is read only when it leads to a regular file: a FIFO would block the read for ever.
TEST(TscLexer, APathIsReadOnlyWhenItLeadsToARegularFile) {
  const std::string home = test_support::TempHome();
  const std::string file = home + "/level.tsc";
  SaveText(u"a{ k=1 }\n", file);
  const std::string fileLink = home + "/link.tsc";
  const std::string folderLink = home + "/folder-link";
  const std::string fifo = home + "/pipe.tsc";
  ASSERT_EQ(symlink(file.c_str(), fileLink.c_str()), 0);
  ASSERT_EQ(symlink(home.c_str(), folderLink.c_str()), 0);
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  TTSCLexer fromText;
  fromText.LexText(u"a{ k=1 }\n");
  TTSCLexer lexer;
  for (const std::string& path : {file, fileLink}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(TextErrorOf([&] { lexer.Lex(path); }), "");
    EXPECT_EQ(Tokens(lexer), Tokens(fromText));
  }
  for (const std::string& path : {fifo, folderLink, std::string("/dev/null")}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(TextErrorOf([&] { lexer.Lex(path); }), "ERROR: Cannot read the file " + path);
    EXPECT_TRUE(lexer.tokens->IsEmpty());
  }
}

TEST(TscLexer, SourceThatCannotBeReadLeavesNoTokensOfAnEarlierText) {
  TTSCLexer lexer;
  lexer.LexText(u"a{ k=1 }\nb ");
  ASSERT_EQ(lexer.tokens->Count(), 7);
  const std::string missing = test_support::TempHome() + "/missing.tsc";
  EXPECT_NE(TextErrorOf([&] { lexer.Lex(missing); }), "");
  EXPECT_TRUE(lexer.tokens->IsEmpty());
  EXPECT_EQ(lexer.line, 1);
  EXPECT_EQ(lexer.column, 0);
  EXPECT_TRUE(lexer.text.empty());
  lexer.LexText(u"x ");
  EXPECT_NE(TextErrorOf([&] { lexer.Lex(StreamPtr()); }), "");
  EXPECT_TRUE(lexer.tokens->IsEmpty());
}

TEST(TscLexer, CharacterClassesAndNameTests) {
  struct Case {
    std::u16string c;
    int numeric, ident, alpha, white;
  };
  const std::vector<Case> cases = {
      {u"7", 1, 1, 0, 0}, {u".", 1, 0, 0, 0}, {u"-", 1, 0, 0, 0}, {u"q", 0, 1, 1, 0},
      {u"Z", 0, 1, 1, 0}, {u"_", 0, 1, 0, 0}, {u" ", 0, 0, 0, 1}, {u"\t", 0, 0, 0, 1},
      {u"\n", 0, 0, 0, 0}, {u"\u00e9", 0, 0, 0, 0}, {u"", 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsCharNumeric(c.c), c.numeric) << U8(c.c);
    EXPECT_EQ(IsCharIdent(c.c), c.ident) << U8(c.c);
    EXPECT_EQ(IsCharAlpha(c.c), c.alpha) << U8(c.c);
    EXPECT_EQ(IsCharWhitespace(c.c), c.white) << U8(c.c);
  }
  for (const char16_t* yes : {u"0", u"-1.5", u"-", u".", u"12."}) EXPECT_EQ(IsStringNumber(yes), 1);
  for (const char16_t* no : {u"", u"1.2.3", u"1-2", u"1e5", u" 1"}) EXPECT_EQ(IsStringNumber(no), 0);
  for (const char16_t* yes : {u"a", u"_1", u"Level_2"}) EXPECT_EQ(IsStringIdent(yes), 1);
  for (const char16_t* no : {u"", u"1a", u"a-b", u"a b"}) EXPECT_EQ(IsStringIdent(no), 0);
}

TEST(TscLexer, NamesTokenKinds) {
  const std::vector<std::pair<int, std::string>> names = {
      {0, "Unknown"}, {1, "{"},      {2, "}"},     {3, "#"},      {4, ";"},       {5, ","},
      {6, "="},       {7, "String"}, {8, "Number"}, {9, "Ident"}, {10, "Define"}, {11, "Unknown"},
      {-1, "Unknown"}};
  for (const auto& [kind, name] : names) EXPECT_EQ(U8(TokenIDToMnemonic(kind)), name) << kind;
}
