// The start-up: brings the whole game up in one fixed order, from the global objects to the
// loaded profile, and leaves everything the main loop and the screens reach through globals in
// place. Its order matters and is kept step by step:
// - no global object's constructor reads a file or touches the screen; the first file read is
//   the block catalogue, before the level-pack check, so a missing settings archive ends the
//   program with the archive reader's own error (no "Files corrupted", nothing written);
// - the level-pack check comes before the user data folder exists: a damaged pack leaves
//   nothing behind on disk, and the notice names the damaged packs before the program ends
//   with status 255;
// - the end hook saveOnEnd is registered before the options are read and the screen opens, so a
//   screen that cannot open still saves the options on the way out;
// - the profiles are scanned again just before the options, whose last profile selects one.
#pragma once
#include <cstdint>

// What the game knows of the operating system's version. Nothing fills it in on this platform,
// so both numbers stay 0; the gallery hides its wallpaper button below version 5.
class OSVersionInfo {
 public:
  int32_t versionPart1 = 0;
  int32_t versionPart2 = 0;
};

// Made anew by the start-up among the first globals.
extern OSVersionInfo VersionInfo;

// Every global object, in their fixed order, each new and empty: none reads a file. bundleDir
// comes before board, whose constructor builds a path from it.
void CreateGlobalObjects();

// The whole start-up, from the song cache to the profile loaded. Returns when the main loop may
// run; a damaged level pack (status 255) or a screen that cannot open ends the program inside
// (End), and a framework error (a missing settings archive, an unreadable profiles folder)
// passes through.
void StartUp();
