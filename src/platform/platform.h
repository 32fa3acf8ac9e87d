// The whole platform layer in one include.
#pragma once
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "platform/image_font.h"
#include "platform/input.h"
#include "platform/list.h"
#include "platform/pixmap.h"
#include "platform/sound.h"
#include "platform/system.h"
#include "platform/text.h"
