#include "datafiles/tsc_file.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>
#include <utility>

#include "platform/errors.h"
#include "platform/system.h"

namespace {

char16_t FoldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }

bool ValidIndex(int index) { return index >= 0 && index < TSC_MAX_VALUES; }

// A double narrowed to the nearest float, with values beyond the float range going to the
// largest float or to infinity as the hardware's rounding would.
float NarrowToFloat(double d) {
  if (std::isfinite(d) && std::fabs(d) > static_cast<double>(FLT_MAX)) {
    const double overflow = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);  // rounds to 2^128
    const float magnitude = std::fabs(d) >= overflow ? INFINITY : FLT_MAX;
    return d < 0 ? -magnitude : magnitude;
  }
  return static_cast<float>(d);
}

// A string value between double quotes, with a backslash before every backslash and quote.
String Quoted(const String& value) {
  String out;
  out.reserve(value.size() + 2);
  out += u'"';
  for (char16_t c : value) {
    if (c == u'\\' || c == u'"') out += u'\\';
    out += c;
  }
  out += u'"';
  return out;
}

// One value as the lexer reads it back: strings quoted; numbers, and define values that read
// as numbers, bare; any other text (a define whose value was a string or a name, a slot never
// filled) as a string.
String ValueText(const TTSCKey& key, size_t slot) {
  const String& value = key.values[slot];
  if (key.types[slot] != TSC_VALUE_STRING && IsStringNumber(value)) return value;
  return Quoted(value);
}

}  // namespace

bool TSCSameName(const String& a, const String& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

int32_t SaturatedInt(float value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483648.0f) return INT32_MAX;
  if (value <= -2147483648.0f) return INT32_MIN;
  return static_cast<int32_t>(value);
}

float TSCNumberValue(const String& text) {
  // atof sees the low 8 bits of every character.
  return NarrowToFloat(ToDouble(FromPath(ToPath(text))));
}

String TSCNumberText(float value) {
  const double d = value;
  char buffer[512];
  if (std::isnan(d)) return u"0.00000000";  // no number text reads back as NaN
  if (std::isinf(d)) {
    // Plain digits beyond the float range read back as infinity.
    return FromPath(std::string(d < 0 ? "-1" : "1") + std::string(39, '0') + ".0");
  }
  std::snprintf(buffer, sizeof buffer, "%#.9g", d);
  if (!std::strchr(buffer, 'e')) return FromPath(buffer);
  if (std::fabs(d) >= 1.0) {
    // Every float this large is a whole number, written exactly.
    std::snprintf(buffer, sizeof buffer, "%.1f", d);
    return FromPath(buffer);
  }
  // Below 0.0001: the fewest decimals that read back as the same float.
  for (int decimals = 1; decimals <= 160; ++decimals) {
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, d);
    String text = FromPath(buffer);
    if (TSCNumberValue(text) == value) return text;
  }
  return FromPath(buffer);
}

TSCKeyPtr TTSCFile::ResolveKey(const String& path, const String& name) {
  for (const TSCKeyPtr& key : *keys)
    if (TSCSameName(key->path, path) && TSCSameName(key->name, name)) return key;
  return nullptr;
}

void TTSCFile::Load(const std::string& path) {
  keys = CreateList<TSCKeyPtr>();
  groups = CreateList<TSCGroupPtr>();
  lexer->Lex(path);
  Adopt();
}

void TTSCFile::Load(const StreamPtr& stream) {
  keys = CreateList<TSCKeyPtr>();
  groups = CreateList<TSCGroupPtr>();
  lexer->Lex(stream);
  Adopt();
}

void TTSCFile::LoadFromText(const String& source) {
  keys = CreateList<TSCKeyPtr>();
  groups = CreateList<TSCGroupPtr>();
  lexer->LexText(source);
  Adopt();
}

void TTSCFile::Adopt() {
  parser->Parse(lexer->tokens);
  keys = parser->keys;
  groups = parser->groups;
}

bool TTSCFile::Save(const std::string& path) {
  return SaveBytesSafely(path, EncodeText(SaveToText()));
}

String TTSCFile::SaveToText() {
  String text;
  std::set<String> written;
  TListPtr<TSCGroupPtr> top = GetGroupList(String());
  for (const TSCGroupPtr& group : *top) text += WriteGroup(group, String(), written);
  return text;
}

String TTSCFile::SaveGroup(const TSCGroupPtr& group, const String& indent) {
  std::set<String> written;
  return WriteGroup(group, indent, written);
}

String TTSCFile::WriteGroup(const TSCGroupPtr& group, const String& indent,
                            std::set<String>& written) {
  // Each full path is written once, at its first group, with every key and child of that path.
  // Writing it again for every group record of the path would say nothing new, and a text whose
  // group paths repeat at several depths would multiply: two chains of 24 nested groups with the
  // same names would write over a gigabyte.
  const String fullPath = GroupFullPath(*group);
  if (!written.insert(Lower(fullPath)).second) return String();
  String text = indent + group->name + u"{\n";
  TListPtr<TSCKeyPtr> groupKeys = GetKeyList(fullPath);
  for (const TSCKeyPtr& key : *groupKeys) {
    text += indent + u"\t" + key->name + u"=";
    const int32_t count = key->count < 0 ? 0 : std::min<int32_t>(key->count, TSC_MAX_VALUES);
    if (count == 0) text += u"\"\"";  // a key with no values still reads back as a key
    for (int32_t i = 0; i < count; ++i) {
      if (i > 0) text += u",";
      text += ValueText(*key, static_cast<size_t>(i));
    }
    text += u"\n";
  }
  TListPtr<TSCGroupPtr> children = GetGroupList(fullPath);
  for (const TSCGroupPtr& child : *children) text += WriteGroup(child, indent + u"\t", written);
  text += indent + u"}\n";
  return text;
}

String TTSCFile::GetStringKey(const String& path, const String& name, int index) {
  TSCKeyPtr key = ResolveKey(path, name);
  if (!key) {
    Print(String(u"The key ") + path + u"::" + name + u" does not exist");
    return String();
  }
  if (!ValidIndex(index)) return String();
  // Read through the constant key: a slot never written is not made by reading it.
  return std::as_const(*key).values[static_cast<size_t>(index)];
}

float TTSCFile::GetNumberKey(const String& path, const String& name, int index) {
  TSCKeyPtr key = ResolveKey(path, name);
  if (!key) {
    Print(String(u"The key ") + path + u"::" + name + u" does not exist");
    return 0.0f;
  }
  if (!ValidIndex(index)) return 0.0f;
  return TSCNumberValue(std::as_const(*key).values[static_cast<size_t>(index)]);
}

void TTSCFile::SetKey(const String& path, const String& name, const String& value, int32_t kind,
                      int index) {
  if (!ValidIndex(index)) return;
  TSCKeyPtr key = ResolveKey(path, name);
  if (!key) {
    key = std::make_shared<TTSCKey>();
    key->path = path;
    key->name = name;
    keys->AddLast(key);
  }
  key->values[static_cast<size_t>(index)] = value;
  key->types[static_cast<size_t>(index)] = kind;
  if (index + 1 > key->count) key->count = index + 1;
}

void TTSCFile::SetStringKey(const String& path, const String& name, const String& value,
                            int index) {
  SetKey(path, name, value, TSC_VALUE_STRING, index);
}

void TTSCFile::SetNumberKey(const String& path, const String& name, float value, int index) {
  SetKey(path, name, TSCNumberText(value), TSC_VALUE_NUMBER, index);
}

TListPtr<TSCKeyPtr> TTSCFile::GetKeyList(const String& path) {
  auto list = CreateList<TSCKeyPtr>();
  for (const TSCKeyPtr& key : *keys)
    if (TSCSameName(key->path, path)) list->AddLast(key);
  return list;
}

TListPtr<TSCGroupPtr> TTSCFile::GetGroupList(const String& parentPath) {
  auto list = CreateList<TSCGroupPtr>();
  for (const TSCGroupPtr& group : *groups)
    if (TSCSameName(group->parentPath, parentPath)) list->AddLast(group);
  return list;
}

TSCKeyPtr TTSCFile::CreateKey(const String& path, const String& name) {
  auto key = std::make_shared<TTSCKey>();
  key->path = path;
  key->name = name;
  keys->AddLast(key);
  return key;
}

TSCGroupPtr TTSCFile::CreateGroup(const String& parentPath, const String& name) {
  auto group = std::make_shared<TTSCGroup>();
  group->parentPath = parentPath;
  group->name = name;
  groups->AddLast(group);
  return group;
}

TSCFilePtr CreateTSCFile() { return std::make_shared<TTSCFile>(); }

int LoadTSCFile(const TSCFilePtr& file, const std::string& path) {
  file->Load(path);
  return 0;
}

int LoadTSCFile(const TSCFilePtr& file, const StreamPtr& stream) {
  file->Load(stream);
  return 0;
}

int SaveTSCFile(const TSCFilePtr& file, const std::string& path) {
  file->Save(path);
  return 0;
}

String GetTSCStringKey(const TSCFilePtr& file, const String& path, const String& name,
                       int index) {
  return file->GetStringKey(path, name, index);
}

float GetTSCNumberKey(const TSCFilePtr& file, const String& path, const String& name, int index) {
  return file->GetNumberKey(path, name, index);
}

int32_t GetTSCWholeNumberKey(const TSCFilePtr& file, const String& path, const String& name,
                             int index) {
  return WholeNumber(GetTSCNumberKey(file, path, name, index));
}

int SetTSCStringKey(const TSCFilePtr& file, const String& path, const String& name,
                    const String& value, int index) {
  file->SetStringKey(path, name, value, index);
  return 0;
}

int SetTSCNumberKey(const TSCFilePtr& file, const String& path, const String& name, float value,
                    int index) {
  file->SetNumberKey(path, name, value, index);
  return 0;
}

TListPtr<TSCKeyPtr> GetTSCKeyList(const TSCFilePtr& file, const String& path) {
  return file->GetKeyList(path);
}

TListPtr<TSCGroupPtr> GetTSCGroupList(const TSCFilePtr& file, const String& parentPath) {
  return file->GetGroupList(parentPath);
}

TSCKeyPtr CreateTSCKey(const TSCFilePtr& file, const String& path, const String& name) {
  return file->CreateKey(path, name);
}

TSCGroupPtr CreateTSCGroup(const TSCFilePtr& file, const String& parentPath, const String& name) {
  return file->CreateGroup(parentPath, name);
}
