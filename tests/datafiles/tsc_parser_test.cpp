#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafiles/tsc_file.h"
#include "datafiles/tsc_parser.h"
#include "datafiles_test_util.h"

using datafiles_test::TextErrorOf;
using datafiles_test::U16;
using datafiles_test::U8;

namespace {

// "path/name=v1(kind),v2(kind)" for each key, in list order.
std::vector<std::string> KeyLines(const TListPtr<TSCKeyPtr>& keys) {
  std::vector<std::string> out;
  for (const TSCKeyPtr& key : *keys) {
    std::string line = U8(key->path) + "/" + U8(key->name) + "=";
    for (int i = 0; i < key->count; ++i) {
      if (i) line += ",";
      line += U8(key->values[static_cast<size_t>(i)]) + "(" +
              std::to_string(key->types[static_cast<size_t>(i)]) + ")";
    }
    out.push_back(line);
  }
  return out;
}

std::vector<std::string> GroupLines(const TListPtr<TSCGroupPtr>& groups) {
  std::vector<std::string> out;
  for (const TSCGroupPtr& group : *groups) out.push_back(U8(group->parentPath) + "|" + U8(group->name));
  return out;
}

void ParseText(TTSCParser& parser, const std::string& source) {
  TTSCLexer lexer;
  lexer.LexText(U16(source));
  parser.Parse(lexer.tokens);
}

std::string ParseError(const std::string& source) {
  TTSCParser parser;
  return TextErrorOf([&] { ParseText(parser, source); });
}

}  // namespace

TEST(TscParser, BuildsKeysAndGroupsWithTheirPaths) {
  TTSCParser parser;
  ParseText(parser,
            "#define RED 5\n"
            "A{ B{ x=1 } k=1,'two',red Empty{} }\n"
            "A{ k=3 k=4 }\n"
            "top=-2.5\n");
  EXPECT_EQ(GroupLines(parser.groups),
            (std::vector<std::string>{"|A", "A|B", "A|Empty", "|A"}));
  EXPECT_EQ(KeyLines(parser.keys),
            (std::vector<std::string>{"A::B/x=1(1)", "A/k=1(1),two(2),5(0)", "A/k=3(1)", "A/k=4(1)",
                                      "/top=-2.5(1)"}));
  EXPECT_EQ(parser.pathDepth, 0);
  EXPECT_TRUE(parser.EOTS());
}

TEST(TscParser, DefinesAreCaseBlindUnscopedAndTheLatestWins) {
  TTSCParser parser;
  ParseText(parser,
            "#define A B\n"
            "G{ #DEFINE Color 1 #define COLOR 'two' }\n"
            "H{ c=color a=a }\n"
            "#define last 9\n");
  EXPECT_EQ(KeyLines(parser.keys), (std::vector<std::string>{"H/c=two(0)", "H/a=B(0)"}));
  EXPECT_EQ(parser.defines->Count(), 4);
}

TEST(TscParser, RefusesBadStatementsWithTheirPosition) {
  struct Case {
    std::string source;
    std::string message;
  };
  const std::vector<Case> cases = {
      {"}", "ERROR: Unexpected } at line 1, character 1"},
      {"k 5 ", "ERROR: Unexpected Number at line 1, character 2"},
      {"A{k=1;}", "ERROR: Unexpected ; at line 1, character 6"},
      {"A{k=}", "ERROR: Unexpected token } at line 1, character 5"},
      {"A{k=B }", "ERROR: Unexpected token Ident at line 1, character 6"},
      {"A{k=RED }\n#define RED 1\n", "ERROR: Unexpected token Ident at line 1, character 8"},
      {"define=1 ", "ERROR: Unexpected Define at line 1, character 7"},
      {"A{ Define{} }", "ERROR: Unexpected Define at line 1, character 10"},
      {"#foo x ", "ERROR: Unknown directive \"Ident\" at line 1, character 5"},
      {"#define 5 6 ", "ERROR: Expecting token \"Ident\" at line 1, position 10"},
      {"#define X ; ", "ERROR: Unexpected token ; at line 1, character 11"},
      // The text ends inside a group, a key or a directive.
      {"A{", "ERROR: Unexpected end of file at line 1, character 2"},
      {"A{ B{ k=1 }\n", "ERROR: Unexpected end of file at line 1, character 11"},
      {"A{k=1,", "ERROR: Unexpected end of file at line 1, character 6"},
      {"A{k=", "ERROR: Unexpected end of file at line 1, character 4"},
      {"k ", "ERROR: Unexpected end of file at line 1, character 2"},
      {"#define X ", "ERROR: Unexpected end of file at line 1, character 10"},
      {"# ", "ERROR: Unexpected end of file at line 1, character 1"},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseError(c.source), c.message) << c.source;
}

TEST(TscParser, TextWithNoStatementsIsEmpty) {
  TTSCParser parser;
  ParseText(parser, " // nothing\n/* at all */");
  EXPECT_TRUE(parser.keys->IsEmpty());
  EXPECT_TRUE(parser.groups->IsEmpty());
}

TEST(TscParser, RefusesMoreValuesOrDeeperGroupsThanItHasRoomFor) {
  auto values = [](int n) {
    std::string text = "k=";
    for (int i = 0; i < n; ++i) text += i ? ",1" : "1";
    return text + " ";
  };
  TTSCParser parser;
  ParseText(parser, values(TSC_MAX_VALUES));
  EXPECT_EQ(parser.keys->First()->count, TSC_MAX_VALUES);
  EXPECT_EQ(ParseError(values(TSC_MAX_VALUES + 1)).rfind("ERROR: Too many values at line 1, character ", 0), 0u);

  auto deep = [](int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "g{";
    for (int i = 0; i < depth; ++i) text += "}";
    return text;
  };
  ParseText(parser, deep(TSC_MAX_DEPTH));
  EXPECT_EQ(parser.groups->Count(), TSC_MAX_DEPTH);
  EXPECT_EQ(U8(parser.groups->Last()->parentPath).size(), (TSC_MAX_DEPTH - 1) * 3u - 2u);
  EXPECT_EQ(ParseError(deep(TSC_MAX_DEPTH + 1)).rfind("ERROR: Groups nested too deeply at line 1, ", 0), 0u);
}

TEST(TscParser, EachParseStartsAfreshButKeepsTheDefines) {
  TTSCParser parser;
  EXPECT_NE(TextErrorOf([&] { ParseText(parser, "#define X 7 A{ B{ k=1 "); }), "");
  EXPECT_EQ(parser.keys->Count(), 1);  // what was read before the error stays with the parser
  ParseText(parser, "C{ k=x }");
  EXPECT_EQ(GroupLines(parser.groups), (std::vector<std::string>{"|C"}));
  EXPECT_EQ(KeyLines(parser.keys), (std::vector<std::string>{"C/k=7(0)"}));
}
