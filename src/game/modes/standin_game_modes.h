// STAND-IN until the game modes exist: the endless and time-attack games that the title's menu
// starts, which stop the title music and return at once. Replace with the real game modes and
// remove this file.
#pragma once
#include <cstdint>

#include "platform/text.h"

int32_t goEndless(const String& levelName);
int32_t goTimeAtack(const String& levelName);
