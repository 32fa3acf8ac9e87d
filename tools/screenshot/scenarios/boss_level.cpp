// A boss level in play: the shipped level with two bosses, each on its shadow under its turning
// aura, the faint hint tiles on the ring cells still open, and the held block about to close the
// red boss's ring, whose twenty cells sparkle; then the block is placed and the red boss falls.
#include <memory>
#include <string>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "game/board/board_manager.h"
#include "game/board/stone_entity.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "platform/graphics.h"
#include "platform/input.h"
#include "platform/system.h"
#include "board_scene.h"
#include "scenario.h"
#include "toolkit/comet.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace {

using screenshot::Put;

}  // namespace

SCENARIO("boss-level", "two bosses with shadow, aura and hint tiles; a ring about to close") {
  if (!screenshot::OpenBoardScene()) return;
  blocks = std::make_shared<TBlocksManager>();
  blocks->loadBlocksDef();
  level = std::make_shared<TLevelManager>();
  bossManager = std::make_shared<TBossManager>();
  bossManager->LoadResources();
  bonusManagerAlt = std::make_shared<TBunusManagerA>();
  magicSphere = std::make_shared<TMagicSphere>();
  timeManager = std::make_shared<TTimeManager>();
  points = std::make_shared<TPointsManager>();
  TCaptions::loadGfx();
  board = std::make_shared<TBoardManager>();
  board->loadBoardGfx();
  board->loadSfx();

  level->Set(u"level_08.tsc");
  level->Load(0);
  level->loadGfx();
  board->createBoardImage(1);

  screenshot::LayBossRings();
  // Some runes elsewhere on the board, no three alike in a line.
  const int others[][3] = {{1, 2, 3}, {2, 2, 4}, {11, 3, 5}, {12, 3, 3}, {12, 4, 5}, {1, 10, 4},
                           {2, 11, 3}, {3, 11, 5}, {8, 11, 4}, {9, 11, 4}, {12, 11, 3},
                           {13, 10, 5}, {3, 9, 3}, {11, 10, 1}};
  for (const auto& r : others) Put(r[0], r[1], r[2]);

  screenshot::HoldRingClosingBlock();

  int frame = 0;
  auto drawFrame = [&] {
    level->Draw();
    board->Update(0);
    board->Draw(0);
    bossManager->Draw();
    blocks->updateBlock(-1, -1);
    blocks->drawBlock(0, 0);
    TSpark::UpdateAll();
    TCometEmiter::updateAll();
    TCaptions::updateAll();
    Flip(-1);
    ++frame;
  };

  ctx.capture(45, "boss-level.png");
  ctx.capture(75, "boss-level-later.png");
  while (frame < 80) drawFrame();
  // The block goes down: the red ring closes and the red boss falls.
  board->placeBlock(nullptr, -1, -1, 1);
  board->clearMatchingRunes(0);
  ctx.capture(95, "boss-level-fallen.png");
  while (frame < 96) drawFrame();
  TCaptions::destroyAll();
}
