// What start-up knows of the operating system's version. Nothing fills it in on this platform,
// so both numbers stay 0; the gallery hides its wallpaper button below version 5.
#pragma once
#include <cstdint>

class OSVersionInfo {
 public:
  int32_t majorVersion = 0;
  int32_t minorVersion = 0;
};

extern OSVersionInfo VersionInfo;
