// The key/group text format, lexical layer: the token record, the define record, the character
// classes and the lexer that cuts one whole text into tokens.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/list.h"
#include "platform/text.h"

// Token kinds.
enum TSCTokenKind : int32_t {
  TSC_TOKEN_OPEN_BRACE = 1,   // "{"
  TSC_TOKEN_CLOSE_BRACE = 2,  // "}"
  TSC_TOKEN_HASH = 3,         // "#"
  TSC_TOKEN_SEMICOLON = 4,    // ";"
  TSC_TOKEN_COMMA = 5,        // ","
  TSC_TOKEN_EQUALS = 6,       // "="
  TSC_TOKEN_STRING = 7,
  TSC_TOKEN_NUMBER = 8,
  TSC_TOKEN_IDENT = 9,
  TSC_TOKEN_DEFINE = 10,
};

struct TTSCToken {
  int32_t kind = 0;
  String text;
  int32_t line = 0;
  int32_t column = 0;
};
using TSCTokenPtr = std::shared_ptr<TTSCToken>;

// One "#define NAME VALUE" directive; filled by the parser.
struct TTSCDefine {
  String name;
  String value;
};
using TSCDefinePtr = std::shared_ptr<TTSCDefine>;

// The name of a token kind ("{", ..., "String", "Number", "Ident", "Define"); "Unknown" otherwise.
String TokenIDToMnemonic(int kind);

// Character classes of a one-character string (ASCII only; the empty string is in no class).
int IsCharNumeric(const String& c);     // 0-9 . -
int IsCharIdent(const String& c);       // 0-9 a-z A-Z _
int IsCharAlpha(const String& c);       // a-z A-Z
int IsCharWhitespace(const String& c);  // space and tab
// Whether the lexer would take the whole text as one number / one identifier.
int IsStringNumber(const String& s);
int IsStringIdent(const String& s);

class TTSCLexer {
 public:
  virtual ~TTSCLexer() = default;

  TListPtr<TSCTokenPtr> tokens = CreateList<TSCTokenPtr>();
  int32_t line = 1;
  int32_t column = 0;
  String currentChar;
  int32_t pendingKind = 0;
  String text;
  int32_t position = 0;
  int32_t length = 0;

  // Raises "ERROR: Unknown character ('c') at line L, character C".
  [[noreturn]] virtual void ErrorChar();
  // Raises "ERROR: " + message + " at line L, character C".
  [[noreturn]] virtual void ErrorAtPos(const String& message);
  // Reads the whole source, decodes it by its first bytes and cuts it into `tokens`.
  // A source that cannot be read raises a TextError as well.
  virtual void Lex(const std::string& path);
  virtual void Lex(const StreamPtr& stream);
  // Cuts an already decoded text into `tokens`.
  virtual void LexText(const String& source);
  virtual int koniecS(const String& text);
  virtual void NextChar();
  virtual String LexString(const String& quote);
  virtual String LexIdent();
  virtual String LexNumber();
  virtual TSCTokenPtr NewToken(int32_t kind, const String& tokenText);

 private:
  // Back to a new lexer's state: no tokens, line 1, column 0, no text.
  void Restart();

  char16_t current_ = 0;  // the code of currentChar (0 at the end of the text)
};
using TSCLexerPtr = std::shared_ptr<TTSCLexer>;
