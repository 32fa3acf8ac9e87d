#include "profiles/profile_manager.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "services/data_folders.h"
#include "datafiles/bca_archive.h"
#include "platform/errors.h"
#include "platform/files.h"

ProfileManagerPtr profile;

namespace {

const String kProfileGroup = u"Profile";
const String kPortalKey = u"PortalName";
// The multiplier of the scrambling runs 1, 2, ..., 10 and starts again.
constexpr size_t kScrambleCycle = 10;

uint32_t Multiplier(size_t position) { return static_cast<uint32_t>(position % kScrambleCycle) + 1; }

void PrintUnreadable(const std::string& path, const std::string& why) {
  Print("21");
  Print("The profile " + path + " could not be read (" + why + "); it is left as it is.");
}

// The profile's content as scrambled file bytes.
std::vector<uint8_t> ScrambledText(const TSCFilePtr& tsc) {
  return ScrambleProfileBytes(EncodeText(tsc->SaveToText()));
}

bool WriteScrambled(const std::string& path, const TSCFilePtr& tsc) {
  errno = 0;
  if (SaveBytesSafely(path, ScrambledText(tsc))) return true;
  // The system's own words name the cause: a folder that is read-only, a full disk, ...
  const int cause = errno;
  Print("The profile " + path + " could not be written (" +
        (cause != 0 ? std::string(std::strerror(cause)) : std::string("cause unknown")) +
        "); the file on disk is unchanged.");
  return false;
}

}  // namespace

std::vector<uint8_t> ScrambleProfileBytes(const std::vector<uint8_t>& plain) {
  std::vector<uint8_t> out;
  out.reserve(plain.size() * 4);
  for (size_t k = 0; k < plain.size(); ++k) {
    const uint32_t v = plain[k] * Multiplier(k);
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(v >> shift));
  }
  return out;
}

bool UnscrambleProfileBytes(const std::vector<uint8_t>& scrambled, std::vector<uint8_t>& plain) {
  plain.clear();
  if (scrambled.size() % 4 != 0) return false;
  plain.reserve(scrambled.size() / 4);
  for (size_t k = 0; k < scrambled.size() / 4; ++k) {
    uint32_t bits = 0;
    for (int i = 3; i >= 0; --i) bits = (bits << 8) | scrambled[k * 4 + static_cast<size_t>(i)];
    // A signed division, as the file holds signed integers: -300 / 2 is -150, low byte 0x6A.
    const int32_t quotient = static_cast<int32_t>(bits) / static_cast<int32_t>(Multiplier(k));
    plain.push_back(static_cast<uint8_t>(static_cast<uint32_t>(quotient) & 0xFF));
  }
  return true;
}

bool EncryptFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!LoadBytes(path, bytes)) {
    Print("The file " + path + " could not be read; it was not scrambled.");
    return false;
  }
  if (SaveBytesSafely(path, ScrambleProfileBytes(bytes))) return true;
  Print("The file " + path + " could not be written; it was not scrambled.");
  return false;
}

bool DecryptFile(const std::string& path) {
  std::vector<uint8_t> bytes, plain;
  if (!LoadBytes(path, bytes) || !UnscrambleProfileBytes(bytes, plain)) {
    Print("The file " + path + " could not be read as a scrambled file; it is left as it is.");
    return false;
  }
  if (SaveBytesSafely(path, plain)) return true;
  Print("The file " + path + " could not be written; it is left as it is.");
  return false;
}

bool IsProfileNameAllowed(const String& name) {
  if (name.empty() || name[0] == u'.') return false;
  for (char16_t c : name) {
    // A unit beyond one byte would lose its high bits in the file name ("\u012F" is "/").
    if (c < 32 || c > 255 || c == u'/' || c == u'\\') return false;
  }
  return true;
}

// ---- TProfile ----------------------------------------------------------------------------------

ProfilePtr TProfile::Create(const std::string& path) {
  auto loaded = std::make_shared<TProfile>();
  loaded->path = path;
  loaded->name = FromPath(StripExt(StripDir(path)));
  loaded->tscFile = CreateTSCFile();
  std::vector<uint8_t> bytes, plain;
  if (!LoadBytes(path, bytes)) {
    PrintUnreadable(path, "the file cannot be opened");
    return nullptr;
  }
  if (!UnscrambleProfileBytes(bytes, plain)) {
    PrintUnreadable(path, "its length is not a multiple of four");
    return nullptr;
  }
  try {
    loaded->tscFile->LoadFromText(DecodeText(plain));
  } catch (const TextError& error) {
    PrintUnreadable(path, error.what());
    return nullptr;
  }
  return loaded;
}

bool TProfile::CreateNew(const std::string& path, const String& portalName) {
  TSCFilePtr tsc = CreateTSCFile();
  CreateTSCGroup(tsc, u"", kProfileGroup);
  SetTSCStringKey(tsc, kProfileGroup, kPortalKey, portalName, 0);
  return WriteScrambled(path, tsc);
}

void TProfile::SetNumber(const String& key, int32_t value) {
  SetTSCNumberKey(tscFile, kProfileGroup, key, static_cast<float>(value), 0);
}

int32_t TProfile::GetNumber(const String& key) const {
  return SaturatedInt(GetTSCNumberKey(tscFile, kProfileGroup, key, 0));
}

void TProfile::SetString(const String& key, const String& value) {
  SetTSCStringKey(tscFile, kProfileGroup, key, value, 0);
}

String TProfile::GetString(const String& key) const {
  return GetTSCStringKey(tscFile, kProfileGroup, key, 0);
}

void TProfile::SetList(const String& key, const TListPtr<String>& items) {
  // Exact names here: the store's own lookups ignore letter case, which would fill a key that
  // differs from this one only in case.
  for (const TSCKeyPtr& old : *tscFile->keys) {
    if (old->name == key) {
      tscFile->keys->Remove(old);
      break;
    }
  }
  if (!items || items->IsEmpty()) return;
  TSCKeyPtr list = CreateTSCKey(tscFile, kProfileGroup, key);
  for (const String& item : *items) {
    if (list->count == TSC_MAX_VALUES) break;  // a key holds no more values
    const size_t slot = static_cast<size_t>(list->count++);
    list->values[slot] = item;
    list->types[slot] = TSC_VALUE_STRING;
  }
}

TListPtr<String> TProfile::GetList(const String& key) const {
  auto items = CreateList<String>();
  for (const TSCKeyPtr& found : *tscFile->keys) {
    if (found->name != key) continue;
    const int32_t count = std::clamp<int32_t>(found->count, 0, TSC_MAX_VALUES);
    for (int32_t i = 0; i < count; ++i) items->AddLast(found->values[static_cast<size_t>(i)]);
    break;
  }
  return items;
}

bool TProfile::Save() const { return WriteScrambled(path, tscFile); }

// ---- TProfileManager ---------------------------------------------------------------------------

ProfileManagerPtr TProfileManager::Create(const std::string& folder, const std::string& extension) {
  auto manager = std::make_shared<TProfileManager>();
  TSCFilePtr portal = CreateTSCFile();
  LoadTSCFileBB(portal, bundleDir + "data/settings_lp.bca", u"portal.tsc");
  manager->portalName = GetTSCStringKey(portal, u"Portal", u"Name", 0);
  manager->directory = folder;
  manager->extension = extension;
  manager->UpdateList();
  return manager;
}

int32_t TProfileManager::UpdateList() {
  DirPtr dir = ReadDir(directory);
  if (!dir) RuntimeError("Failed to read profiles directory");
  profiles->Clear();
  // File name order, so the same folder always makes the same profile current.
  std::vector<std::string> entries;
  for (std::string entry = NextFile(dir); !entry.empty(); entry = NextFile(dir))
    entries.push_back(entry);
  std::sort(entries.begin(), entries.end());
  for (const std::string& entry : entries) {
    const std::string file = directory + "/" + entry;
    if (entry.find('.') == std::string::npos || ExtractExt(entry) != extension) continue;
    if (FileType(file) != FILETYPE_FILE || FileSize(file) <= 0) continue;
    ProfilePtr found = TProfile::Create(file);
    if (found && found->isValid() != 0) profiles->AddLast(found);
  }
  Print(portalName);
  profiles->RemoveIf([this](const ProfilePtr& p) {
    try {
      return p->GetString(kPortalKey) != portalName;
    } catch (const TextError&) {
      Print("167");
      return false;
    }
  });
  if (!profiles->IsEmpty()) current = profiles->First();
  CloseDir(dir);
  return 0;
}

ProfilePtr TProfileManager::Find(const String& name) const {
  for (const ProfilePtr& p : *profiles)
    if (p->name == name) return p;
  return nullptr;
}

std::string TProfileManager::ProfilePath(const String& name) const {
  return directory + "/" + ToPath(name) + "." + extension;
}

bool TProfileManager::FolderHolds(const std::string& fileName, const std::string& except) const {
  const std::string wanted = LowerPath(fileName);
  DirPtr dir = ReadDir(directory);
  for (std::string entry = NextFile(dir); !entry.empty(); entry = NextFile(dir))
    if (entry != except && LowerPath(entry) == wanted) return true;
  return false;
}

int32_t TProfileManager::DeleteProfile(const String& name) {
  ProfilePtr found = Find(name);
  if (!found) return 0;
  const bool deleted = DeleteFile(found->path);
  if (!deleted) Print("The profile " + found->path + " could not be deleted.");
  UpdateList();
  return deleted ? 1 : 0;
}

int32_t TProfileManager::RenameProfile(const String& oldName, const String& newName) {
  ProfilePtr found = Find(oldName);
  if (!found || !IsProfileNameAllowed(newName)) return 0;
  const std::string newFile = ToPath(newName) + "." + extension;
  // Another player's file (or a damaged or foreign one) is never replaced; a change of letter
  // case of the profile's own name is allowed.
  if (FolderHolds(newFile, StripDir(found->path))) return 0;
  if (!RenameFile(found->path, ExtractDir(found->path) + "/" + newFile)) {
    Print("The profile " + found->path + " could not be renamed to " + newFile + ".");
    return 0;
  }
  UpdateList();
  return 1;
}

int32_t TProfileManager::SelectProfile(const String& name) {
  ProfilePtr found = Find(name);
  if (!found) return 0;
  current = found;
  return 1;
}

int32_t TProfileManager::NewProfile(const String& name) {
  if (!IsProfileNameAllowed(name)) return kNameRefused;
  // Any file of that name counts, listed or not: a profile of another portal, a damaged one, or
  // one differing only in letter case (the file layer would open that one for this name).
  if (Find(name) || FolderHolds(ToPath(name) + "." + extension, std::string())) return kNameTaken;
  if (!TProfile::CreateNew(ProfilePath(name), portalName)) return kNotWritten;
  UpdateList();
  return SelectProfile(name);
}

TListPtr<String> TProfileManager::GetProfilesList() const {
  auto names = CreateList<String>();
  for (const ProfilePtr& p : *profiles) names->AddLast(p->name);
  return names;
}

bool TProfileManager::SaveProfile() { return current && current->Save(); }

void TProfileManager::SetNumber(const String& key, int32_t value, int32_t saveNow) {
  if (!current) return;
  current->SetNumber(key, value);
  if (saveNow != 0) current->Save();
}

int32_t TProfileManager::GetNumber(const String& key) const {
  return current ? current->GetNumber(key) : 0;
}

void TProfileManager::SetString(const String& key, const String& value, int32_t saveNow) {
  if (!current) return;
  current->SetString(key, value);
  if (saveNow != 0) current->Save();
}

int32_t TProfileManager::GetCount(const String& key, int32_t most) const {
  return std::clamp(GetNumber(key), 0, std::max(most, 0));
}

String TProfileManager::GetString(const String& key) const {
  return current ? current->GetString(key) : String(u"0");
}

void TProfileManager::SetList(const String& key, const TListPtr<String>& items, int32_t saveNow) {
  if (!current) return;
  current->SetList(key, items);
  if (saveNow != 0) current->Save();
}

TListPtr<String> TProfileManager::GetList(const String& key) const {
  return current ? current->GetList(key) : nullptr;
}
