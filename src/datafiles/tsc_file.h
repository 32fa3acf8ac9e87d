// The key/group store: one key/group text file in memory, its lookups by group path, key name
// and value index, and its writer.
//
// Paths: a key is addressed by the full path of its group ("Settings::Level") and its name; keys
// outside every group have the empty path. Every path and name comparison folds ASCII letters
// only; the first match in list order wins.
//
// GetKeyList/GetGroupList (and GetTSCKeyList/GetTSCGroupList) give a new list that only the
// caller holds: keep it in a variable before walking it. A range-for over
// `*GetTSCGroupList(...)` would walk a list that is already freed.
#pragma once
#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "datafiles/tsc_lexer.h"
#include "datafiles/tsc_parser.h"
#include "platform/files.h"
#include "platform/list.h"
#include "platform/text.h"

class TTSCFile {
 public:
  virtual ~TTSCFile() = default;

  TSCLexerPtr lexer = std::make_shared<TTSCLexer>();
  TSCParserPtr parser = std::make_shared<TTSCParser>();
  // The keys and groups of the last successful load, then those created since.
  TListPtr<TSCKeyPtr> keys = CreateList<TSCKeyPtr>();
  TListPtr<TSCGroupPtr> groups = CreateList<TSCGroupPtr>();

  virtual TSCKeyPtr ResolveKey(const String& path, const String& name);
  // Replaces the whole content with the text of a file or a stream. Errors of the text (and a
  // source that cannot be read) raise TextError and leave the store empty.
  virtual void Load(const std::string& path);
  virtual void Load(const StreamPtr& stream);
  // Loads an already decoded text.
  virtual void LoadFromText(const String& source);
  // Writes the whole content (safely: temporary file, then rename). False when it failed.
  virtual bool Save(const std::string& path);
  // The text that Save writes.
  virtual String SaveToText();
  // The text of one group and everything below it. A full path is written once, at its first
  // group record, with every key and child group of that path (letter case folded as in
  // lookups), so the text reads back answering every lookup as the store does.
  virtual String SaveGroup(const TSCGroupPtr& group, const String& indent);
  // A missing key prints "The key PATH::NAME does not exist" and gives "" / 0.
  virtual String GetStringKey(const String& path, const String& name, int index);
  virtual float GetNumberKey(const String& path, const String& name, int index);
  // Indices outside 0..999 are ignored by the setters and read as "" / 0 by the getters.
  virtual void SetStringKey(const String& path, const String& name, const String& value,
                            int index);
  virtual void SetNumberKey(const String& path, const String& name, float value, int index);
  virtual TListPtr<TSCKeyPtr> GetKeyList(const String& path);
  virtual TListPtr<TSCGroupPtr> GetGroupList(const String& parentPath);
  virtual TSCKeyPtr CreateKey(const String& path, const String& name);
  virtual TSCGroupPtr CreateGroup(const String& parentPath, const String& name);

 private:
  void SetKey(const String& path, const String& name, const String& value, int32_t kind,
              int index);
  void Adopt();
  // SaveGroup, skipping the full paths (folded) already in `written`, and adding its own.
  String WriteGroup(const TSCGroupPtr& group, const String& indent, std::set<String>& written);
};
using TSCFilePtr = std::shared_ptr<TTSCFile>;

// The number text the store keeps for a value: "%#.9g", but in plain digits where that form
// would use an exponent (so that the lexer reads it back as the same float).
String TSCNumberText(float value);
// The value of a number text: C atof on the low 8 bits of each character, narrowed to float.
float TSCNumberValue(const String& text);
// A number of a store as a whole number: cut toward zero and held at the int range (a float
// beyond it has no defined conversion); NaN gives 0.
int32_t SaturatedInt(float value);
// ASCII-only case-insensitive equality of two texts.
bool TSCSameName(const String& a, const String& b);

TSCFilePtr CreateTSCFile();
int LoadTSCFile(const TSCFilePtr& file, const std::string& path);
int LoadTSCFile(const TSCFilePtr& file, const StreamPtr& stream);
int SaveTSCFile(const TSCFilePtr& file, const std::string& path);
String GetTSCStringKey(const TSCFilePtr& file, const String& path, const String& name,
                       int index = 0);
float GetTSCNumberKey(const TSCFilePtr& file, const String& path, const String& name,
                      int index = 0);
// GetTSCNumberKey cut to a whole number as the game's whole numbers take it (WholeNumber: cut
// toward zero; outside the int range or not a number at all, 0).
int32_t GetTSCWholeNumberKey(const TSCFilePtr& file, const String& path, const String& name,
                             int index = 0);
int SetTSCStringKey(const TSCFilePtr& file, const String& path, const String& name,
                    const String& value, int index = 0);
int SetTSCNumberKey(const TSCFilePtr& file, const String& path, const String& name, float value,
                    int index = 0);
TListPtr<TSCKeyPtr> GetTSCKeyList(const TSCFilePtr& file, const String& path);
TListPtr<TSCGroupPtr> GetTSCGroupList(const TSCFilePtr& file, const String& parentPath);
TSCKeyPtr CreateTSCKey(const TSCFilePtr& file, const String& path, const String& name);
TSCGroupPtr CreateTSCGroup(const TSCFilePtr& file, const String& parentPath, const String& name);
