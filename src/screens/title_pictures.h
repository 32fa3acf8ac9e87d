// Pictures that the program's title and loading screens own and that screens below them draw as
// well: the title picture behind the profile screen, the level selector's caption and the
// loading picture with which the story opens. The start-up points each at its owner
// (program/layer_links.cpp); while one is unset, or answers null, nothing is drawn in its place.
#pragma once
#include <functional>

#include "platform/graphics.h"

extern std::function<ImagePtr()> titlePicture;
extern std::function<ImagePtr()> levelSelectorCaption;
extern std::function<ImagePtr()> loadingPicture;
