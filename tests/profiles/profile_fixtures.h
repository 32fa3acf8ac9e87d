// A profile folder of the test's own user data folder, with helpers that write and read its
// files byte for byte, so tests can lay out damaged files and check that nothing was touched.
#pragma once
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "platform/files.h"
#include "profiles/profile_manager.h"

namespace profile_test {

// The portal name of the shipped settings archive.
inline const char16_t* kPortal = u"Mirethorn";

inline std::string Folder() { return myDocsFolder + "/profiles-levelpack"; }

inline std::vector<uint8_t> Bytes(const std::string& text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

// The scrambled form of a profile text.
inline std::vector<uint8_t> Scrambled(const std::string& text) {
  return ScrambleProfileBytes(Bytes(text));
}

// A profile text of the given portal with extra key lines.
inline std::string ProfileText(const std::string& portal, const std::string& keys = "") {
  return "Profile{\n\tPortalName=\"" + portal + "\"\n" + keys + "}\n";
}

// Writes a file of the profile folder as it stands (no safe write: a test's raw file).
inline void WriteRaw(const std::string& name, const std::vector<uint8_t>& bytes) {
  StreamPtr out = WriteFile(Folder() + "/" + name);
  ASSERT_TRUE(out) << name;
  if (!bytes.empty()) WriteBytes(out, bytes.data(), static_cast<int64_t>(bytes.size()));
  CloseFile(out);
}

inline std::vector<uint8_t> ReadRaw(const std::string& name) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(LoadBytes(Folder() + "/" + name, bytes)) << name;
  return bytes;
}

// Every file of the profile folder with its bytes.
inline std::map<std::string, std::vector<uint8_t>> FolderContent() {
  std::map<std::string, std::vector<uint8_t>> content;
  for (const std::string& name : LoadDir(Folder())) content[name] = ReadRaw(name);
  return content;
}

// The plain text of a scrambled file of the folder.
inline std::string PlainText(const std::string& name) {
  std::vector<uint8_t> plain;
  EXPECT_TRUE(UnscrambleProfileBytes(ReadRaw(name), plain)) << name;
  return std::string(plain.begin(), plain.end());
}

inline std::vector<String> Names(const TListPtr<String>& list) {
  std::vector<String> out;
  if (list)
    for (const String& s : *list) out.push_back(s);
  return out;
}

inline TListPtr<String> ListOf(std::initializer_list<const char16_t*> items) {
  auto list = CreateList<String>();
  for (const char16_t* item : items) list->AddLast(item);
  return list;
}

// The user data folder and a manager over its profile folder, as start-up makes them.
inline ProfileManagerPtr MakeManager() {
  GetDataFolders();
  return TProfileManager::Create(Folder(), "dat");
}

}  // namespace profile_test
