#include "game/levels/slides_manager.h"

SlidesManagerPtr slides;

void TSlidesManager::addRevealedImage(const String& name) {
  if (!revealedImages) revealedImages = CreateList<String>();
  for (const String& listed : *revealedImages)
    if (listed == name) return;
  revealedImages->AddLast(name);
}
