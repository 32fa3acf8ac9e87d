// The start-up check of the five level-pack archives.
#pragma once
#include <string>

#include "platform/text.h"

// 1 when the archive holds the entry `entryName` + ".bbc" (letters A-Z folded). A missing,
// unreadable, foreign, empty or damaged archive gives 0; nothing is shown or raised.
int BBFileExist(const std::string& archivePath, const String& entryName);
// 1 when each of the five level-pack archives holds "pack.txt". All five are always asked.
int CheckLPFiles();
