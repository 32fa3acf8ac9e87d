// The start-up check of the five level-pack archives.
#pragma once
#include <string>
#include <vector>

#include "platform/text.h"

// 1 when the archive holds the entry `entryName` + ".bbc" (letters A-Z folded). A missing,
// unreadable, foreign, empty or damaged archive gives 0; nothing is shown or raised.
int BBFileExist(const std::string& archivePath, const String& entryName);
// The level-pack archives that lack "pack.txt" (missing, unreadable, damaged or without the
// entry), in the order they are asked. All five are always asked.
std::vector<std::string> DamagedLevelPacks();
// 1 when each of the five level-pack archives holds "pack.txt".
int CheckLPFiles();
