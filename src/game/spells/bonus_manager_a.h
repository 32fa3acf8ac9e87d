// MINIMAL until the spells are built: the spells lying on the board and the spells being cast,
// as far as the board's clearing, petrification and the level statistics need them. The spells'
// own work completes this type (their effects, pictures, placement rule and captions).
#pragma once
#include <cstdint>
#include <memory>

#include "platform/list.h"

// A spell lying on a board cell, or being cast.
class TBonusA {
 public:
  int32_t kind = 0;  // 1..6
  int32_t cellX = 0;
  int32_t cellY = 0;

  virtual ~TBonusA() = default;
};
using BonusAPtr = std::shared_ptr<TBonusA>;

class TBunusManagerA {
 public:
  TListPtr<BonusAPtr> bonuses = CreateList<BonusAPtr>();  // lying on the board
  TListPtr<BonusAPtr> active = CreateList<BonusAPtr>();   // being cast
  // The numbers of the last clearing handed over while a spell was cast (cells, points,
  // colours) and the point of its caption.
  int32_t captionCells = 0;
  int32_t captionPoints = 0;
  int32_t captionColours = 0;
  int32_t captionX = 0;
  int32_t captionY = 0;

  virtual ~TBunusManagerA() = default;

  // The kind of the first spell lying on the cell; 0 when none.
  virtual int32_t FindBonus(int32_t x, int32_t y);
  // Every spell on the cell goes off: it joins the spells being cast, the level counts it and
  // its goal is asked. Returns 1 when one went off.
  virtual int32_t Clear(int32_t x, int32_t y);
  // 1 while a spell is being cast.
  virtual int32_t BonusActive();
  // Places a spell of `kind` (0: a random kind the level allows) on a random usable, empty cell
  // without a spell; nothing when the level allows none or no cell qualifies.
  virtual void AddBonus(int32_t kind);
  // Keeps a clearing's numbers for the caption shown with the spell cast last, at the centre of
  // its cell (x at most 550, y within 100..500); the x and y given are not used.
  virtual void AddCaption(int32_t cells, int32_t points, int32_t colours, int32_t x, int32_t y);
  // MINIMAL: a spell has no effect yet, so its cast ends at the next update.
  virtual void Update();
};
using BunusManagerAPtr = std::shared_ptr<TBunusManagerA>;

// Created by start-up among the singletons.
extern BunusManagerAPtr bonusManagerAlt;
