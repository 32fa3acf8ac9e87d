// A board in play: pre-placed runes and a stone on a shaped board with its frame, a clearing
// whose captions rise and whose comets fly off, the held block over the board with the runs it
// would complete sparkling, and the score panel.
#include <memory>
#include <string>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "game/board/board_manager.h"
#include "game/board/stone_entity.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/points_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "board_scene.h"
#include "scenario.h"
#include "toolkit/comet.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace {

using screenshot::Put;

void Background() {
  screenshot::DrawDuskyBackdrop();
  SetColor(255, 255, 255);
}

BlockPtr MakeBlock(std::initializer_list<std::initializer_list<int>> rows) {
  auto block = std::make_shared<TBlock>();
  size_t j = 0;
  for (const auto& row : rows) {
    size_t i = 0;
    for (int id : row) {
      block->cells[i][j] = id;
      block->colors[i][j] = id > 0 ? runes->getRuneColor(FromInt(id)) : 0;
      ++i;
    }
    ++j;
  }
  return block;
}

}  // namespace

SCENARIO("board-play", "a board with runes, a clearing's captions, the held block's preview") {
  if (!screenshot::OpenBoardScene()) return;
  level = std::make_shared<TLevelManager>();
  level->levelNumber = 4;
  level->availableSpells = CreateList<String>();
  bossManager = std::make_shared<TBossManager>();
  bonusManagerAlt = std::make_shared<TBunusManagerA>();
  magicSphere = std::make_shared<TMagicSphere>();
  blocks = std::make_shared<TBlocksManager>();
  points = std::make_shared<TPointsManager>();
  points->loadGfx();
  TCaptions::loadGfx();
  points->totalPoints = 12400;

  board = std::make_shared<TBoardManager>();
  board->loadBoardGfx();
  board->loadSfx();
  board->clearBoard();
  // Eleven rows of twelve columns with the corners cut and a notch in the top edge.
  for (auto& column : board->usable) column.fill(0);
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 11; ++y) board->usable[x][y] = 1;
  for (auto [x, y] : {std::pair{0, 0}, {11, 0}, {0, 10}, {11, 10}, {1, 0}, {6, 0}})
    board->usable[x][y] = 0;
  board->frameList = CreateList<FrameElementPtr>();
  board->buildFrame();
  board->createBoardImage(1);

  const int preset[][3] = {
      {2, 2, 1}, {3, 2, 5}, {4, 3, 7}, {8, 2, 9}, {9, 3, 9}, {1, 5, 3},  {2, 6, 11},
      {3, 7, 2}, {9, 6, 6}, {10, 7, 4}, {10, 8, 4}, {6, 9, 8}, {7, 9, 12}, {4, 9, 101},
      {8, 5, 10}, {1, 8, 103}, {5, 5, 2}, {6, 5, 2}, {7, 7, 6}, {7, 8, 6}, {3, 10, 4},
      {4, 10, 104}, {2, 4, 10},
  };
  for (const auto& p : preset) Put(p[0], p[1], p[2]);

  int frame = 0;
  auto drawFrame = [&] {
    Background();
    points->Draw(0);
    blocks->updateBlock(-1, -1);
    board->Update(0);
    board->Draw(0);
    blocks->drawBlock(0, 0);
    TSpark::UpdateAll();
    TCometEmiter::updateAll();
    TCaptions::updateAll();
    Flip(-1);
    ++frame;
  };

  // The board fades in; then a single rune completes a row of fours at the bottom, a stone
  // among them: the stone turns back into its rune and bursts into chips.
  while (frame < 30) drawFrame();
  blocks->currentBlock = MakeBlock({{4}});
  screenshot::PointAtCell(5, 10);
  board->placeBlock(nullptr, -1, -1, 1);
  board->clearMatchingRunes(0);

  // The next block, held where it would complete the twos' row and the sixes' column.
  blocks->currentBlock = MakeBlock({{2, 0}, {6, 0}});
  blocks->formState = 1;
  blocks->alpha = 1.0f;
  screenshot::PointAtCell(7, 5);
  ctx.capture(62, "board-play.png");
  ctx.capture(100, "board-play-later.png");
  while (frame < 100) drawFrame();
  TCaptions::destroyAll();
}
