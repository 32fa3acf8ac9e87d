// MINIMAL until the boss runes are built: the boss runes' squares and the placement test the
// board asks of them. The boss runes' issue completes these types (catalogue, loading,
// drawing, the ring test and the goal).
#pragma once
#include <cstdint>
#include <memory>

#include "datafiles/tsc_file.h"
#include "platform/graphics.h"
#include "platform/list.h"

class TBossRune {
 public:
  int32_t id = 0;
  int32_t runeColour = 0;
  int32_t cellX = 0;  // the 2 x 2 square's top-left cell
  int32_t cellY = 0;
  ImagePtr image;
  float createdAt = 0.0f;
  int32_t alive = 0;

  virtual ~TBossRune() = default;
  // 1 when the board cell lies in this rune's 2 x 2 square.
  virtual int32_t CheckMove(int32_t column, int32_t row);
};
using BossRunePtr = std::shared_ptr<TBossRune>;

class TBossManager {
 public:
  TListPtr<BossRunePtr> bossRunes = CreateList<BossRunePtr>();

  virtual ~TBossManager() = default;
  // 1 when a live boss rune covers the board cell; every rune is asked.
  virtual int32_t CheckMove(int32_t column, int32_t row);
  // MINIMAL until the boss catalogue exists: empties the list; on a level of goal type 3 places
  // one boss rune per entry "id:column:row" of Settings::Level BossRunes (colour and picture
  // come with the catalogue).
  virtual void Load(const TSCFilePtr& tsc);
  // 1 when no boss rune is left.
  virtual int32_t CheckForGoal();
};
using BossManagerPtr = std::shared_ptr<TBossManager>;

// Created by start-up among the singletons.
extern BossManagerPtr bossManager;
