// Small fixtures for the board's play tests: a rune catalogue of five colours with their
// stones, held blocks made from a picture of their cells, and the singletons a clearing
// reaches, all fresh.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "services/delta_time.h"
#include "services/sfx.h"
#include "game/board/stone_entity.h"
#include "game/levels/captions.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/magic_sphere.h"
#include "game_pieces/pieces_fixtures.h"
#include "platform/system.h"
#include "toolkit/comet.h"

namespace play {

// Rune ids: 1..5 are ordinary runes of colours 1..5; 21..25 their stones, of the same colours.
// Rune 13 (colour 3) never petrifies.
inline int Stone(int rune) { return rune + 20; }

inline void MakeCatalogue() {
  const uint32_t looks[5] = {pieces::kRed, pieces::kGreen, pieces::kBlue, 0xFFFFFF00u,
                             0xFF00FFFFu};
  for (int c = 1; c <= 5; ++c) {
    RunePtr rune = pieces::AddRune(std::to_string(c), std::to_string(c), looks[c - 1]);
    rune->blockedId = FromInt(Stone(c));
    rune->redMin = rune->redMax = 10 * c;
    rune->greenMin = rune->greenMax = 20 * c;
    rune->blueMin = rune->blueMax = 30 * c;
  }
  for (int c = 1; c <= 5; ++c) {
    RunePtr stone = pieces::AddRune(std::to_string(Stone(c)), std::to_string(c), 0xFF808080u);
    stone->blocked = 1;
    stone->unblockedId = FromInt(c);
    stone->blockedId = FromInt(Stone(c));  // a stone petrifies into itself
  }
  pieces::AddRune("13", "3", 0xFFFFFFFFu);
}

// Every singleton the board's play reaches, fresh, with an empty, fully usable board.
inline void MakePlay() {
  pieces::MakeSingletons();
  MakeCatalogue();
  points = std::make_shared<TPointsManager>();
  bonusManagerAlt = std::make_shared<TBunusManagerA>();
  magicSphere = std::make_shared<TMagicSphere>();
  timeManager = std::make_shared<TTimeManager>();
  level->availableSpells = CreateList<String>();
  TCaptions::destroyAll();
  soundQueue = CreateList<SoundQPtr>();
  stonesList = CreateList<StoneEntityPtr>();
  cometList = CreateList<CometPtr>();
  delta = 1.0;
  board->clearBoard();
}

// A held block from rows of its grid: rows[j][i] is the rune id of cell [i][j] ('.' or 0 for
// none); each cell's colour is its rune's colour.
inline BlockPtr HoldBlock(std::initializer_list<std::vector<int>> rows, int rotation = 0) {
  auto block = std::make_shared<TBlock>();
  int j = 0;
  for (const std::vector<int>& row : rows) {
    for (size_t i = 0; i < row.size(); ++i) {
      block->cells[i][static_cast<size_t>(j)] = row[i];
      block->colors[i][static_cast<size_t>(j)] =
          row[i] > 0 ? runes->getRuneColor(FromInt(row[i])) : 0;
    }
    ++j;
  }
  blocks->currentBlock = block;
  blocks->rotation = rotation;
  return block;
}

// Puts a rune on the board with its colour from the catalogue.
inline void Put(int x, int y, int id, int placed = 0) {
  board->runeIds[x][y] = id;
  board->colours[x][y] = runes->getRuneColor(FromInt(id));
  board->placedAt[x][y] = placed;
}

inline void PutRow(int x, int y, std::initializer_list<int> ids) {
  for (int id : ids) {
    if (id != 0) Put(x, y, id);
    ++x;
  }
}

// A living boss rune of rune colour `colour` whose 2 x 2 square starts at (x, y).
inline void AddBoss(int x, int y, int colour) {
  auto boss = std::make_shared<TBossRune>();
  boss->cellX = x;
  boss->cellY = y;
  boss->runeColour = colour;
  boss->alive = 1;
  bossManager->bossRunes->AddLast(boss);
}

// The sixteen runes of rune `id` that ring the boss square starting at (x, y): two on each side
// of both its rows and both its columns. Ring cells off the grid are left out.
inline void PutBossRing(int x, int y, int id) {
  auto put = [id](int column, int row) {
    if (column >= 0 && column < kBoardCells && row >= 0 && row < kBoardCells) Put(column, row, id);
  };
  for (int row : {y, y + 1})
    for (int column : {x - 2, x - 1, x + 2, x + 3}) put(column, row);
  for (int column : {x, x + 1})
    for (int row : {y - 2, y - 1, y + 2, y + 3}) put(column, row);
}

inline int Count(const BoardLayer& layer) {
  int n = 0;
  for (const auto& column : layer)
    for (int v : column) n += v != 0 ? 1 : 0;
  return n;
}

}  // namespace play
