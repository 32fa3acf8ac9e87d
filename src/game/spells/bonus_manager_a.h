// Spells on the board. A spell lies on an occupied cell, glowing, until the rune under it is
// cleared; that sets it off, it spins out on its cell for a short delay and is then cast: its
// effect removes, heals or changes runes, the player earns 50 points a rune it removes, and the
// next block is held back for a moment. When the last spell of a chain has been cast, one
// caption shows the points and runes of the whole chain. The spell manager, the global
// bonusManagerAlt, keeps the spells' pictures and sounds, places new spells, sets them off,
// casts them, shows the chain's caption and drives the teleport's frames.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "game/spells/spell_effects.h"
#include "platform/graphics.h"
#include "platform/list.h"
#include "platform/sound.h"

// One spell on a board cell, lying there or set off.
class TBonusA {
 public:
  int32_t cellX = 0;  // board column
  int32_t cellY = 0;  // board row
  ImagePtr icon;      // the kind's icon (shared with the manager)
  std::array<ImagePtr, 4> images{};  // the glow pictures: two for 32-pixel cells, two larger
  int32_t activatedAt = 0;  // MilliSecs when set off; 0 until then
  int32_t kind = 0;         // 1..6
  int32_t active = 0;       // 1 once set off
  int32_t colour = 0;       // a drain's colour number (kept current by the teleport); else 0
  float alpha = 0.0f;       // the glow's cross-fade, 0..1
  int32_t alphaRising = 1;  // 1 while alpha rises
  float fadeIn = 0.0f;      // a new spell's fade-in, 0..1, one step a frame
  int32_t delay = 0;        // ms from set off to cast
  int32_t duration = 0;     // ms of the block freeze requested at the cast

  virtual ~TBonusA() = default;
  static std::shared_ptr<TBonusA> Create(int32_t x, int32_t y, int32_t kind, int32_t colour);
  virtual void SetImages(const ImagePtr& newIcon, const std::array<ImagePtr, 4>& glow);
  virtual void SetTimes(int32_t newDelay, int32_t newDuration);
  // Lying: fades in with its glow swinging; set off: turns, grows and fades by the clock.
  virtual void Draw();
  virtual void Update();  // nothing a frame
  virtual void Activate();
  // 1 once strictly more than `delay` ms have passed since it was set off.
  virtual int32_t CanGo();
};
using BonusAPtr = std::shared_ptr<TBonusA>;

class TBunusManagerA {
 public:
  // Spell kinds; every table of the manager is indexed by them.
  static constexpr int32_t kHolyFire = 1;
  static constexpr int32_t kVanish = 2;
  static constexpr int32_t kBomb = 3;
  static constexpr int32_t kDrain = 4;
  static constexpr int32_t kHeal = 5;
  static constexpr int32_t kTeleport = 6;
  static constexpr int32_t kKinds = 6;
  // Points paid for each rune a cast removes.
  static constexpr int32_t kPointsPerRune = 50;

  std::array<ImagePtr, 7> icons{};          // by kind; slot 0 empty
  std::array<ImagePtr, 7> captionImages{};  // slot 0 the chain's picture, then by kind
  std::array<SoundPtr, 9> sounds{};         // slots 1..8; slot 0 empty
  std::array<ImagePtr, 4> extraImages{};    // the glow pictures: 0, 1 small; 2, 3 large
  TListPtr<BonusAPtr> boardSpells = CreateList<BonusAPtr>();   // lying, in placing order
  TListPtr<BonusAPtr> activeSpells = CreateList<BonusAPtr>();  // set off, in that order
  // The pending chain caption: runes, points, the colours of the clear that set it off, where it
  // shows and whose caption picture it shows (0: no caption pending).
  int32_t castCells = 0;
  int32_t castPoints = 0;
  int32_t castColours = 0;
  int32_t captionX = 0;
  int32_t captionY = 0;
  int32_t captionKind = 0;
  float teleportProgress = 1.0f;  // 0..1 while a teleport runs; 1 or more: none
  TList<TTeleportCell> teleportCells;

  virtual ~TBunusManagerA() = default;

  // Every picture and sound of the spells; once, while the game loads.
  virtual void LoadResources();
  // A random occupied cell that may take a new spell, in (x, y, colour); 0 when none does.
  virtual int32_t GetRandomPlace(int32_t& x, int32_t& y, int32_t& colour);
  // The kind of the first lying spell on the cell; 0 when none.
  virtual int32_t FindBonus(int32_t x, int32_t y);
  // The first lying spell on the cell, or null.
  virtual BonusAPtr GetBonus(int32_t x, int32_t y);
  // A new spell of the kind (0: a random kind the level allows) on a random cell; a heal while
  // no stone lies on the board becomes another kind of the level's list, or nothing.
  virtual void AddBonus(int32_t kind);
  // A spell put back on its cell as it was saved: no test, not counted.
  virtual void AddBonusExt(int32_t kind, int32_t x, int32_t y, int32_t colour);
  // Casts the spells whose delay has run out, shows the chain's caption once none is left set
  // off, and runs one frame of a teleport.
  virtual void Update();
  virtual void Draw();
  // Sets off every lying spell on the cell.
  virtual void Clear(int32_t x, int32_t y);
  // Takes the first lying spell off the cell without setting it off.
  virtual void ClearSilent(int32_t x, int32_t y);
  // 1 while a spell is set off and not yet cast.
  virtual int32_t BonusActive();
  // Keeps a clear's runes, points and colours for the chain's caption.
  virtual void AddCaption(int32_t cells, int32_t points, int32_t colours);
  virtual void ClearSpells();
  // Stops what casts left running: emitters, freeze, teleport, the pending caption.
  virtual void ClearEfects();
  // 1 when any of the 15 x 15 cells holds a stone.
  virtual int32_t StonesOnBoard();

 private:
  // The kind's effect; answers the runes it pays for.
  int32_t castEffect(const TBonusA& spell);
  void playCastSound(int32_t kind);
  void showChainCaption();
};
using BunusManagerAPtr = std::shared_ptr<TBunusManagerA>;

// Created by start-up among the singletons.
extern BunusManagerAPtr bonusManagerAlt;
