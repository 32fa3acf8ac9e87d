// The key/group text format, grammar: token lists become keys, groups and defines.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "datafiles/tsc_lexer.h"
#include "platform/list.h"
#include "platform/text.h"

// The most values one key holds, and the deepest nesting of groups.
constexpr int TSC_MAX_VALUES = 1000;
constexpr int TSC_MAX_DEPTH = 1000;

// Value kinds of a key.
enum TSCValueKind : int32_t {
  TSC_VALUE_DEFINE = 0,  // taken from a define (or a slot never filled)
  TSC_VALUE_NUMBER = 1,
  TSC_VALUE_STRING = 2,
};

// One occurrence of a group. Its full path is `name` at top level, else parentPath + "::" + name.
struct TTSCGroup {
  String parentPath;
  String name;
};
using TSCGroupPtr = std::shared_ptr<TTSCGroup>;

// A key's slots 0 to TSC_MAX_VALUES - 1, each holding its default until written. Only the slots
// up to the highest one written are stored: a key costs what it holds (with every slot stored,
// each key took 36 KB, and a full hiscore table a third of a gigabyte).
template <typename T>
class TSCSlots {
 public:
  T& operator[](size_t slot) {
    if (slot >= items_.size()) items_.resize(slot + 1);
    return items_[slot];
  }
  const T& operator[](size_t slot) const {
    static const T kUnwritten{};
    return slot < items_.size() ? items_[slot] : kUnwritten;
  }

 private:
  std::vector<T> items_;
};

// One occurrence of a key: the full path of its group ("" outside every group), its name and
// up to TSC_MAX_VALUES value texts with their kinds.
struct TTSCKey {
  String path;
  String name;
  TSCSlots<String> values;
  TSCSlots<int32_t> types;
  int32_t count = 0;
};
using TSCKeyPtr = std::shared_ptr<TTSCKey>;

// The full path of a group: "Settings::Level" for Level inside Settings.
String GroupFullPath(const TTSCGroup& group);

class TTSCParser {
 public:
  virtual ~TTSCParser() = default;

  TListPtr<TSCKeyPtr> keys = CreateList<TSCKeyPtr>();
  TListPtr<TSCGroupPtr> groups = CreateList<TSCGroupPtr>();
  TListPtr<TSCDefinePtr> defines = CreateList<TSCDefinePtr>();  // never emptied
  std::vector<TSCTokenPtr> tokens;
  int32_t tokenIndex = 0;
  TSCTokenPtr currentToken;
  std::array<String, TSC_MAX_DEPTH> pathStack{};
  int32_t pathDepth = 0;

  virtual String PeekPath();
  virtual void PushPath(const String& path);
  virtual void PopPath();
  // Raises "ERROR: " + message + " at line L, character C" (the current token's position).
  [[noreturn]] virtual void ErrorAtPos(const String& message);
  // Parses a whole token list; new key and group lists each time, the defines are kept.
  virtual void Parse(const TListPtr<TSCTokenPtr>& tokenList);
  virtual void ParseStatement();
  virtual void ParseDirective();
  virtual void ParseDefine();
  virtual void ParseIdent();
  virtual void ParseGroup();
  virtual void ParseKey();
  // Past the last token NextToken raises "ERROR: Unexpected end of file at line L, character C"
  // (the position of the last token) and LookAheadToken gives null.
  virtual TSCTokenPtr NextToken();
  virtual TSCTokenPtr LookAheadToken();
  virtual void ReadToken(int32_t kind);
  virtual bool EOTS();
};
using TSCParserPtr = std::shared_ptr<TTSCParser>;
