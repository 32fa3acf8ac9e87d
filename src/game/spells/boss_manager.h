// Boss runes: the opponents of the boss levels (goal type 3). A boss rune sits on a 2 x 2
// square of the board on which no block may be placed; it falls when the four 2 x 2 squares
// directly left of, right of, above and below it (its ring, sixteen cells) all hold runes of its
// colour. The ring's runes are then cleared with the runs of the same clearing, the boss leaves
// with an explosion sound, and the level is won once no boss rune stands.
//
// Boss runes live only in the manager's list: they are never written into the board's layers,
// and they are not saved with a game in progress (resuming a boss level loads the level file
// again, which puts every boss back).
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "datafiles/tsc_file.h"
#include "platform/graphics.h"
#include "platform/list.h"
#include "platform/sound.h"
#include "platform/text.h"

// The aura's looping animation.
constexpr int32_t kBossAuraFrames = 16;     // frames "boss-ef0000".."0015"
constexpr int32_t kBossAuraFrameMs = 500;   // each frame fades in over this long
constexpr float kBossHintAlpha = 0.3f;      // the hint tiles on the ring cells
// The boss square's top-left cell must lie within these columns and rows for the whole ring to
// lie on the 15 x 15 grid.
constexpr int32_t kBossFirstCell = 2;
constexpr int32_t kBossLastCell = 11;

using BossAuraFrames = std::array<ImagePtr, kBossAuraFrames>;

class TBossRune;
using BossRunePtr = std::shared_ptr<TBossRune>;

// One boss rune of the level.
class TBossRune {
 public:
  int32_t id = 0;          // catalogue id given by the level entry
  int32_t runeColour = 0;  // colour number every ring cell must hold
  int32_t cellX = 0;       // the square covers columns cellX, cellX + 1
  int32_t cellY = 0;       // and rows cellY, cellY + 1
  ImagePtr image;          // the boss picture (null when it could not be loaded)
  // MilliSecs() at creation: the aura's clock. Held as the exact clock reading: the clock runs
  // near 2^30 ms, where a float keeps only 128-ms steps and the aura would jump.
  int32_t createdAt = 0;
  int32_t alive = 0;  // 1 from creation; a boss rune with 0 is skipped by the manager

  virtual ~TBossRune() = default;

  // A standing boss rune with its picture loaded from `imagePath` (default image flags).
  static BossRunePtr Create(int32_t id, int32_t colour, int32_t column, int32_t row,
                            const std::string& imagePath);
  // Shadow, picture, then the aura: frame i fading in while frame i - 1 fades out, i advancing
  // every 500 ms of the real clock since creation. Leaves the alpha at 1.
  virtual void Draw(const ImagePtr& shadow, const BossAuraFrames& frames);
  // 1 when the cell lies in the boss square.
  virtual int32_t CheckMove(int32_t column, int32_t row);
  // The ring test. With `commit` and a complete ring: records the ring's eight two-cell lines
  // on the board and answers 1. Without `commit` and a complete ring: writes the boss colour
  // into the board's highlights over the ring and the square (twenty cells) and answers 0.
  virtual int32_t CheckForMatch(int32_t commit);
  // The hint image at alpha 0.3 on every ring cell that lies on the grid; leaves the alpha at 1.
  virtual void DrawHelp(const ImagePtr& hint);
};

// The boss runes of the current level, the boss catalogue and the boss pictures.
class TBossManager {
 public:
  TListPtr<BossRunePtr> bossRunes = CreateList<BossRunePtr>();  // in the level's entry order
  TSCFilePtr tsc = CreateTSCFile();  // the boss catalogue, read once at start-up
  ImagePtr shadowImage;
  ImagePtr sootImage;  // the hint tile of ring cells
  BossAuraFrames effectFrames{};
  SoundPtr explosionSound;

  virtual ~TBossManager() = default;

  // Reads the catalogue "bossRunes.tsc" of data/settings_lp.bca into `tsc`.
  virtual void LoadResources();
  // Empties the list; on a level of goal type 3 builds one boss rune per entry of the level
  // key Settings::Level BossRunes ("id:column:row", separated by single spaces) and loads the
  // picture set that suits the board's cell size. Entries that name no boss are reported and
  // left out. Needs the level's goal type and the loaded board.
  virtual void Load(const TSCFilePtr& levelFile);
  // Empties the list and drops the shadow, the aura frames and the sound.
  virtual void Free();
  // Draws every live boss rune over the board, in list order.
  virtual void Draw();
  // Draws the hint tiles of every live boss rune (the board calls it under its runes).
  virtual void DrawHelp();
  // 1 when a live boss rune covers the cell; every rune is asked.
  virtual int32_t CheckMove(int32_t column, int32_t row);
  // The ring test of every live boss rune, in list order. With `commit` 1 (the board's
  // clearing) each boss whose ring is complete records its ring's lines, leaves the list at
  // once and plays the explosion sound; with 0 (the placement preview) only highlights.
  virtual void CheckForMatch(int32_t commit);
  // 1 when no boss rune is left.
  virtual int32_t CheckForGoal();

 private:
  // The catalogue group of the boss `id` ("" when the catalogue has none).
  String catalogueGroup(int32_t id) const;
  // One boss rune from one level entry; null (after a message) when the entry names none.
  BossRunePtr createFromEntry(const String& entry, bool bigSet) const;
  void loadPictureSet(bool bigSet);
};
using BossManagerPtr = std::shared_ptr<TBossManager>;

// Created by start-up among the singletons.
extern BossManagerPtr bossManager;
