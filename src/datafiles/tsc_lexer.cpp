#include "datafiles/tsc_lexer.h"

#include <limits>

#include "platform/errors.h"
#include "platform/files.h"

namespace {

bool NumericCode(char16_t c) { return (c >= u'0' && c <= u'9') || c == u'.' || c == u'-'; }

bool IdentCode(char16_t c) {
  return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
         c == u'_';
}

bool AlphaCode(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

String Position(int32_t line, int32_t column) {
  return String(u" at line ") + FromInt(line) + u", character " + FromInt(column);
}

[[noreturn]] void Unreadable(const String& what) {
  throw TextError(String(u"ERROR: Cannot read ") + what);
}

}  // namespace

String TokenIDToMnemonic(int kind) {
  switch (kind) {
    case TSC_TOKEN_OPEN_BRACE: return u"{";
    case TSC_TOKEN_CLOSE_BRACE: return u"}";
    case TSC_TOKEN_HASH: return u"#";
    case TSC_TOKEN_SEMICOLON: return u";";
    case TSC_TOKEN_COMMA: return u",";
    case TSC_TOKEN_EQUALS: return u"=";
    case TSC_TOKEN_STRING: return u"String";
    case TSC_TOKEN_NUMBER: return u"Number";
    case TSC_TOKEN_IDENT: return u"Ident";
    case TSC_TOKEN_DEFINE: return u"Define";
    default: return u"Unknown";
  }
}

int IsCharNumeric(const String& c) { return !c.empty() && NumericCode(c[0]); }
int IsCharIdent(const String& c) { return !c.empty() && IdentCode(c[0]); }
int IsCharAlpha(const String& c) { return !c.empty() && AlphaCode(c[0]); }
int IsCharWhitespace(const String& c) { return !c.empty() && (c[0] == u' ' || c[0] == u'\t'); }

int IsStringNumber(const String& s) {
  if (s.empty()) return 0;
  bool point = false;
  for (size_t i = 0; i < s.size(); ++i) {
    char16_t c = s[i];
    if (!NumericCode(c)) return 0;
    if (c == u'.') {
      if (point) return 0;
      point = true;
    }
    if (c == u'-' && i != 0) return 0;
  }
  return 1;
}

int IsStringIdent(const String& s) {
  if (s.empty() || (s[0] >= u'0' && s[0] <= u'9')) return 0;
  for (char16_t c : s)
    if (!IdentCode(c)) return 0;
  return 1;
}

void TTSCLexer::ErrorChar() {
  throw TextError(String(u"ERROR: Unknown character ('") + currentChar + u"')" +
                  Position(line, column));
}

void TTSCLexer::ErrorAtPos(const String& message) {
  throw TextError(String(u"ERROR: ") + message + Position(line, column));
}

void TTSCLexer::Lex(const std::string& path) {
  Restart();  // a source that cannot be read leaves no tokens of an earlier text behind
  if (!RegularFile(path)) Unreadable(String(u"the file ") + FromPath(path));
  String source;
  try {
    source = LoadText(path);
  } catch (const FrameworkError&) {
    Unreadable(String(u"the file ") + FromPath(path));
  }
  LexText(source);
}

void TTSCLexer::Lex(const StreamPtr& stream) {
  Restart();
  if (!stream) Unreadable(u"the stream");
  String source;
  try {
    source = LoadText(stream);
  } catch (const FrameworkError&) {
    Unreadable(u"the stream");
  }
  LexText(source);
}

void TTSCLexer::Restart() {
  tokens = CreateList<TSCTokenPtr>();
  line = 1;
  column = 0;
  pendingKind = 0;
  currentChar.clear();
  current_ = 0;
  position = 0;
  length = 0;
  text.clear();
}

void TTSCLexer::LexText(const String& source) {
  Restart();
  // Positions are 32-bit; a text that long is no key/group file.
  if (source.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max() - 1))
    ErrorAtPos(u"File too large");
  text = source;
  length = static_cast<int32_t>(text.size());

  NextChar();
  while (!koniecS(text)) {
    char16_t c = current_;
    switch (c) {
      case u' ':
      case u'\n':
      case u'\t':
      case u'\r':
        NextChar();
        continue;
      case u'#': NewToken(TSC_TOKEN_HASH, currentChar); NextChar(); continue;
      case u'{': NewToken(TSC_TOKEN_OPEN_BRACE, currentChar); NextChar(); continue;
      case u'}': NewToken(TSC_TOKEN_CLOSE_BRACE, currentChar); NextChar(); continue;
      case u';': NewToken(TSC_TOKEN_SEMICOLON, currentChar); NextChar(); continue;
      case u',': NewToken(TSC_TOKEN_COMMA, currentChar); NextChar(); continue;
      case u'=': NewToken(TSC_TOKEN_EQUALS, currentChar); NextChar(); continue;
      case u'\'':
      case u'"': {
        String contents = LexString(currentChar);
        NewToken(TSC_TOKEN_STRING, contents);
        NextChar();  // over the closing quote
        continue;
      }
      case u'/':
        NextChar();
        if (koniecS(text)) ErrorChar();
        if (current_ == u'*') {
          NextChar();
          for (;;) {
            if (koniecS(text)) ErrorAtPos(u"Unfinished block comment");
            if (current_ == u'*') {
              NextChar();
              if (!koniecS(text) && current_ == u'/') {
                NextChar();
                break;
              }
            } else {
              NextChar();
            }
          }
        } else if (current_ == u'/') {
          while (!koniecS(text) && current_ != u'\n') NextChar();
        } else {
          ErrorChar();
        }
        continue;
      default:
        break;
    }
    if (NumericCode(c)) {
      String number = LexNumber();
      NewToken(TSC_TOKEN_NUMBER, number);
    } else if (IdentCode(c)) {
      String ident = LexIdent();
      NewToken(TSC_TOKEN_IDENT, ident);
    } else {
      ErrorChar();
    }
  }
}

int TTSCLexer::koniecS(const String&) { return position > length ? 1 : 0; }

void TTSCLexer::NextChar() {
  if (position < length) {
    current_ = text[static_cast<size_t>(position)];
    currentChar.assign(1, current_);
    ++position;
    if (current_ == u'\n') {
      ++line;
      column = 0;
    }
    ++column;
  } else {
    current_ = 0;
    currentChar.clear();
    position = length + 1;
  }
}

String TTSCLexer::LexString(const String& quote) {
  const char16_t q = quote.empty() ? u'"' : quote[0];
  String contents;
  NextChar();
  for (;;) {
    if (koniecS(text)) ErrorAtPos(u"Unfinished string");
    if (current_ == q) return contents;
    if (current_ != u'\\') {
      contents += current_;
      NextChar();
      continue;
    }
    NextChar();
    // The character after the backslash (none at the end of the text) selects the escape.
    const char16_t escaped = current_;
    if (koniecS(text)) {
      ErrorAtPos(String(u"Unknown escape sequence ('\\") + currentChar + u"')");
    } else if (escaped == u'\\' || escaped == q) {
      contents += escaped;
    } else {
      switch (escaped) {
        case u'a': contents += u'\a'; break;
        case u'b': contents += u'\b'; break;
        case u'f': contents += u'\f'; break;
        case u'n': contents += u'\n'; break;
        case u'r': contents += u'\r'; break;
        case u't': contents += u'\t'; break;
        case u'v': contents += u'\v'; break;
        case u'0': contents += char16_t(0); break;
        default: ErrorAtPos(String(u"Unknown escape sequence ('\\") + currentChar + u"')");
      }
    }
    NextChar();
  }
}

String TTSCLexer::LexIdent() {
  String ident;
  for (;;) {
    if (koniecS(text)) ErrorAtPos(u"Unexpected end of file");
    if (!IdentCode(current_)) break;
    ident += current_;
    NextChar();
  }
  if (Lower(ident) == u"define") pendingKind = TSC_TOKEN_DEFINE;
  return ident;
}

String TTSCLexer::LexNumber() {
  String number;
  bool point = false;
  int32_t taken = 0;
  for (;;) {
    if (koniecS(text)) ErrorAtPos(u"Unexpected end of file");
    if (!NumericCode(current_)) return number;
    if (current_ == u'.') {
      if (point) ErrorAtPos(u"Multiple radix points found in floating point value");
      point = true;
    }
    if (current_ == u'-' && taken != 0) ErrorAtPos(u"Unary minus must come at the start of a number");
    number += current_;
    NextChar();
    ++taken;
  }
}

TSCTokenPtr TTSCLexer::NewToken(int32_t kind, const String& tokenText) {
  auto token = std::make_shared<TTSCToken>();
  token->kind = kind;
  token->text = tokenText;
  token->line = line;
  token->column = column;
  if (pendingKind != 0) {
    token->kind = pendingKind;
    pendingKind = 0;
  }
  tokens->AddLast(token);
  return token;
}
