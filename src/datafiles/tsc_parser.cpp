#include "datafiles/tsc_parser.h"

#include "datafiles/tsc_file.h"
#include "platform/errors.h"

namespace {

String Position(const TSCTokenPtr& token, const char16_t* separator) {
  int32_t line = token ? token->line : 0;
  int32_t column = token ? token->column : 0;
  return String(u" at line ") + FromInt(line) + separator + FromInt(column);
}

}  // namespace

String GroupFullPath(const TTSCGroup& group) {
  if (group.parentPath.empty()) return group.name;
  return group.parentPath + u"::" + group.name;
}

String TTSCParser::PeekPath() {
  if (pathDepth <= 0) return String();
  return pathStack[static_cast<size_t>(pathDepth - 1)];
}

void TTSCParser::PushPath(const String& path) {
  if (pathDepth >= TSC_MAX_DEPTH) ErrorAtPos(u"Groups nested too deeply");
  pathStack[static_cast<size_t>(pathDepth)] = path;
  ++pathDepth;
}

void TTSCParser::PopPath() {
  if (pathDepth > 0) --pathDepth;
}

void TTSCParser::ErrorAtPos(const String& message) {
  throw TextError(String(u"ERROR: ") + message + Position(currentToken, u", character "));
}

void TTSCParser::Parse(const TListPtr<TSCTokenPtr>& tokenList) {
  tokens.clear();
  if (tokenList)
    for (const TSCTokenPtr& token : *tokenList) tokens.push_back(token);
  tokenIndex = 0;
  currentToken = nullptr;
  pathDepth = 0;
  keys = CreateList<TSCKeyPtr>();
  groups = CreateList<TSCGroupPtr>();
  // A text of blanks and comments only holds nothing.
  if (tokens.empty()) return;
  do {
    ParseStatement();
  } while (!EOTS());
}

void TTSCParser::ParseStatement() {
  TSCTokenPtr token = NextToken();
  if (token->kind == TSC_TOKEN_IDENT) {
    ParseIdent();
  } else if (token->kind == TSC_TOKEN_HASH) {
    ParseDirective();
  } else {
    ErrorAtPos(String(u"Unexpected ") + TokenIDToMnemonic(token->kind));
  }
}

void TTSCParser::ParseDirective() {
  TSCTokenPtr token = NextToken();
  if (token->kind == TSC_TOKEN_DEFINE) {
    ParseDefine();
  } else {
    ErrorAtPos(String(u"Unknown directive \"") + TokenIDToMnemonic(token->kind) + u"\"");
  }
}

void TTSCParser::ParseDefine() {
  auto define = std::make_shared<TTSCDefine>();
  defines->AddLast(define);
  ReadToken(TSC_TOKEN_IDENT);
  define->name = currentToken->text;
  TSCTokenPtr value = NextToken();
  if (value->kind == TSC_TOKEN_NUMBER || value->kind == TSC_TOKEN_STRING ||
      value->kind == TSC_TOKEN_IDENT) {
    define->value = value->text;
  } else {
    ErrorAtPos(String(u"Unexpected token ") + TokenIDToMnemonic(value->kind));
  }
}

void TTSCParser::ParseIdent() {
  TSCTokenPtr next = LookAheadToken();
  if (!next) {
    NextToken();  // the name ends the text: raises the end-of-file error
    return;
  }
  if (next->kind == TSC_TOKEN_OPEN_BRACE) {
    ParseGroup();
  } else if (next->kind == TSC_TOKEN_EQUALS) {
    ParseKey();
  } else {
    ErrorAtPos(String(u"Unexpected ") + TokenIDToMnemonic(next->kind));
  }
}

void TTSCParser::ParseGroup() {
  const String name = currentToken->text;
  ReadToken(TSC_TOKEN_OPEN_BRACE);
  auto group = std::make_shared<TTSCGroup>();
  group->parentPath = PeekPath();
  group->name = name;
  groups->AddLast(group);
  PushPath(GroupFullPath(*group));
  for (;;) {
    TSCTokenPtr next = LookAheadToken();
    if (!next) {
      NextToken();  // the text ends inside the group: raises the end-of-file error
      return;
    }
    if (next->kind == TSC_TOKEN_CLOSE_BRACE) break;
    ParseStatement();
  }
  PopPath();
  ReadToken(TSC_TOKEN_CLOSE_BRACE);
}

void TTSCParser::ParseKey() {
  auto key = std::make_shared<TTSCKey>();
  key->name = currentToken->text;
  keys->AddLast(key);
  ReadToken(TSC_TOKEN_EQUALS);
  int32_t i = 0;
  for (;;) {
    TSCTokenPtr value = NextToken();
    const size_t slot = static_cast<size_t>(i);
    switch (value->kind) {
      case TSC_TOKEN_NUMBER:
        key->values[slot] = value->text;
        key->types[slot] = TSC_VALUE_NUMBER;
        break;
      case TSC_TOKEN_STRING:
        key->values[slot] = value->text;
        key->types[slot] = TSC_VALUE_STRING;
        break;
      case TSC_TOKEN_IDENT: {
        // Every define of that name is applied, so the latest one wins.
        bool found = false;
        for (const TSCDefinePtr& define : *defines) {
          if (TSCSameName(define->name, value->text)) {
            key->values[slot] = define->value;
            found = true;
          }
        }
        if (!found) ErrorAtPos(String(u"Unexpected token ") + TokenIDToMnemonic(value->kind));
        break;
      }
      default:
        ErrorAtPos(String(u"Unexpected token ") + TokenIDToMnemonic(value->kind));
    }
    TSCTokenPtr next = LookAheadToken();
    if (!next || next->kind != TSC_TOKEN_COMMA) break;
    ReadToken(TSC_TOKEN_COMMA);
    ++i;
    if (i >= TSC_MAX_VALUES) ErrorAtPos(u"Too many values");
  }
  key->count = i + 1;
  key->path = PeekPath();
}

TSCTokenPtr TTSCParser::NextToken() {
  if (tokenIndex < 0 || static_cast<size_t>(tokenIndex) >= tokens.size()) {
    // Past the last token: the text ended inside a group, a key or a directive.
    if (!tokens.empty()) currentToken = tokens.back();
    ErrorAtPos(u"Unexpected end of file");
  }
  currentToken = tokens[static_cast<size_t>(tokenIndex)];
  ++tokenIndex;
  return currentToken;
}

TSCTokenPtr TTSCParser::LookAheadToken() {
  if (tokenIndex < 0 || static_cast<size_t>(tokenIndex) >= tokens.size()) return nullptr;
  return tokens[static_cast<size_t>(tokenIndex)];
}

void TTSCParser::ReadToken(int32_t kind) {
  TSCTokenPtr token = NextToken();
  if (token->kind != kind) {
    throw TextError(String(u"ERROR: Expecting token \"") + TokenIDToMnemonic(kind) + u"\"" +
                    Position(token, u", position "));
  }
}

bool TTSCParser::EOTS() {
  return tokenIndex < 0 || static_cast<size_t>(tokenIndex) >= tokens.size();
}
