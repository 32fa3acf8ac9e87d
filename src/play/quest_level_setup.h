// The set-up of the quest level that the sequencer has just read, by its kind: a board level is
// read and its pictures and popups loaded onto a cleared board; a picture puzzle or a ring game
// loads its level file. An entry of any other kind prepares nothing.
#pragma once
#include <cstdint>

#include "platform/text.h"

// Prepares the level `fileName` of kind `levelType` (TLevelSequencer's level types).
void SetUpQuestLevel(int32_t levelType, const String& fileName);
