// MINIMAL until the levels subsystem is built: only the level manager's field that the board
// reads (the number of the level last loaded picks the board's background picture). The
// levels issue completes this type with the level loader and the rest of its fields.
#pragma once
#include <cstdint>
#include <memory>

class TLevelManager {
 public:
  int32_t levelNumber = 0;  // Settings::Level Number of the level last loaded

  virtual ~TLevelManager() = default;
};
using LevelManagerPtr = std::shared_ptr<TLevelManager>;

// Created by start-up among the singletons.
extern LevelManagerPtr level;
