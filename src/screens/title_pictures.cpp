// The links to the title's and loading screen's pictures (see the header).
#include "screens/title_pictures.h"

std::function<ImagePtr()> titlePicture;
std::function<ImagePtr()> levelSelectorCaption;
std::function<ImagePtr()> loadingPicture;
