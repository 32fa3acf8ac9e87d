#include "app/version_info.h"

OSVersionInfo VersionInfo;
