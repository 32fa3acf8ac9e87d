// Player profiles: one file per player in the profile folder, holding the player's progress,
// difficulty and game in progress as a key/group text with the one group "Profile", scrambled
// on disk. TProfile is one profile in memory; TProfileManager, the global `profile`, finds the
// profiles of its folder that belong to this game's portal, keeps one of them current, and gives
// the rest of the game number, string and list access to the current profile's keys.
//
// A profile file is only ever read into memory and written whole through the platform's safe
// write (temporary file in the folder, flushed, renamed over), so the folder never holds a
// plain-text or half-written profile, and a file that cannot be read is left as it was found.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "datafiles/tsc_file.h"
#include "platform/list.h"
#include "platform/text.h"

// More of anything than one level's play can count: a right click, a match, a block or a spell
// takes a frame at least, and ten million frames are some 46 hours.
inline constexpr int32_t kMostCount = 10'000'000;
// The points of one level: never below 0, whatever a file says.
inline constexpr int32_t kMostPoints = 2'147'483'647;

// Scrambling: the byte at position k becomes the 32-bit little-endian integer
// b * ((k mod 10) + 1); "abc" becomes 61 00 00 00 C4 00 00 00 29 01 00 00.
std::vector<uint8_t> ScrambleProfileBytes(const std::vector<uint8_t>& plain);
// Unscrambling divides each integer by its multiplier (cut toward zero) and keeps the low
// 8 bits. False, with `plain` emptied, when the length is not a multiple of four.
bool UnscrambleProfileBytes(const std::vector<uint8_t>& scrambled, std::vector<uint8_t>& plain);
// Scramble or unscramble the file at `path` in place (read whole, written safely). False, with
// a line printed and the file left as it was, when it cannot be read, unscrambled or written.
bool EncryptFile(const std::string& path);
bool DecryptFile(const std::string& path);

// Whether a player name can name a profile file: not empty, not starting with ".", and no "/",
// "\", character below 32 or character beyond one byte, so the file stays inside its folder.
bool IsProfileNameAllowed(const String& name);

class TProfile;
using ProfilePtr = std::shared_ptr<TProfile>;

class TProfile {
 public:
  String name;               // the player name: the file name without folder and extension
  std::string path;          // the profile file
  TSCFilePtr tscFile;        // the file's content; null until loaded

  // Reads the profile file at `path`. Null, after printing "21" and a line naming the file, when
  // it cannot be read, unscrambled or parsed; the file itself is never touched.
  static ProfilePtr Create(const std::string& path);
  // Writes a new profile file at `path` holding only PortalName. False when it was not written.
  static bool CreateNew(const std::string& path, const String& portalName);

  int32_t isValid() const { return 1; }

  // Keys of the group "Profile", in memory until Save. Numbers pass through single precision;
  // GetNumber cuts toward zero and holds the result at the int range.
  void SetNumber(const String& key, int32_t value);
  int32_t GetNumber(const String& key) const;
  void SetString(const String& key, const String& value);
  String GetString(const String& key) const;
  // Removes the first key named exactly `key` (any letter case elsewhere is another key), then
  // appends a key holding the items in order (at most the 1000 values a key holds). An empty
  // list leaves the key absent.
  void SetList(const String& key, const TListPtr<String>& items);
  // The values of the first key named exactly `key`; an empty list when there is none.
  TListPtr<String> GetList(const String& key) const;
  // Writes the whole profile, scrambled, over its file. False, with a line printed and the old
  // file kept, when it could not be written.
  bool Save() const;
};

class TProfileManager;
using ProfileManagerPtr = std::shared_ptr<TProfileManager>;

class TProfileManager {
 public:
  ProfilePtr current;                                           // none until a profile exists
  TListPtr<ProfilePtr> profiles = CreateList<ProfilePtr>();     // by file name
  std::string directory;                                        // no trailing "/"
  std::string extension;                                        // without the dot: "dat"
  String portalName;                                            // "" when the archive has none

  // Reads the portal name of the settings archive and scans `folder`.
  static ProfileManagerPtr Create(const std::string& folder, const std::string& extension);

  // Reloads every profile of the folder whose extension is exactly `extension`, whose file is
  // not empty, that reads, and whose PortalName equals the portal name, in file name order; the
  // first becomes current. Ends the program with "Failed to read profiles directory" when the
  // folder cannot be listed. Changes held in memory without a save are lost.
  int32_t UpdateList();
  // 1 when the file of the profile named `name` was deleted (then the folder is scanned again),
  // 0 when there is no such profile or the file could not be deleted.
  int32_t DeleteProfile(const String& name);
  // 1 when the profile `oldName` now has the file of `newName` (then the folder is scanned
  // again); 0, touching nothing, when there is no such profile, the new name is refused or
  // another file of the folder has it (letter case ignored), or the rename failed.
  int32_t RenameProfile(const String& oldName, const String& newName);
  // 1 when a profile named exactly `name` became current; 0, current unchanged, otherwise.
  int32_t SelectProfile(const String& name);
  // Answers of NewProfile.
  static constexpr int32_t kCreated = 1;
  static constexpr int32_t kNameRefused = 0;
  static constexpr int32_t kNameTaken = -1;
  static constexpr int32_t kNotWritten = -2;
  // 1 (kCreated): created and made current; -1 (kNameTaken): a listed profile or any file of
  // the folder already has that name (letter case ignored), nothing written; -2 (kNotWritten):
  // the profile file could not be written (the folder is read-only or full), the cause is on
  // standard output; 0 (kNameRefused): the name is refused, or the profile could not be found
  // afterwards.
  int32_t NewProfile(const String& name);
  // The names of the listed profiles in list order.
  TListPtr<String> GetProfilesList() const;

  // Key access to the current profile. Without one the setters and SaveProfile do nothing,
  // GetNumber gives 0, GetString "0" and GetList null. A non-zero saveNow writes the profile.
  bool SaveProfile();
  void SetNumber(const String& key, int32_t value, int32_t saveNow);
  int32_t GetNumber(const String& key) const;
  // A count the game keeps in the profile (hits, spells, matches, points of a level), held to
  // 0 .. `most`: a damaged or edited file cannot hand the game a negative count, nor one whose
  // sums overflow.
  int32_t GetCount(const String& key, int32_t most = kMostCount) const;
  void SetString(const String& key, const String& value, int32_t saveNow);
  String GetString(const String& key) const;
  void SetList(const String& key, const TListPtr<String>& items, int32_t saveNow);
  TListPtr<String> GetList(const String& key) const;

 private:
  // The profile file of a player name in this folder.
  std::string ProfilePath(const String& name) const;
  // Whether an entry of the folder other than `except` is `fileName`, letter case ignored.
  bool FolderHolds(const std::string& fileName, const std::string& except) const;
  ProfilePtr Find(const String& name) const;
};

// Made by start-up once, over the user data folder's "profiles-levelpack" with extension "dat".
extern ProfileManagerPtr profile;
