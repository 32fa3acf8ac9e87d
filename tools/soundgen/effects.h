// Sound effects of the game, each synthesized from its own recipe.
#pragma once
#include <functional>
#include <string>
#include <vector>
#include "ogg_writer.h"

struct EffectSpec {
  std::string path;  // relative to the game folder
  std::function<Audio()> make;
};

std::vector<EffectSpec> AllEffects();
