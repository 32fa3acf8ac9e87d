// Spells on a board beside the magic sphere: glowing spells of every kind, one spinning out after
// it was set off, a teleport sixty frames in (its new runes fading in over the old, its cells
// sparkling), the vials empty, half full and just full, and the next block in the sphere. Once
// on a board of 40-pixel cells, once on one of 32-pixel cells.
#include <memory>
#include <string>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "game/board/board_manager.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/points_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/boss_manager.h"
#include "game/spells/magic_sphere.h"
#include "game/spells/volcano_emiter.h"
#include "game/spells/ring_emiter.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "board_scene.h"
#include "scenario.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace {

using screenshot::Put;

// A board of `columns` x `rows` usable cells, filled with a pattern of the five runes that makes
// no run of three, a stone here and there.
void LayBoard(int columns, int rows) {
  board->clearBoard();
  for (auto& column : board->usable) column.fill(0);
  for (int x = 0; x < columns; ++x)
    for (int y = 0; y < rows; ++y) board->usable[x][y] = 1;
  board->frameList = CreateList<FrameElementPtr>();
  board->buildFrame();
  board->createBoardImage(1);
  const int pattern[5] = {1, 2, 3, 4, 5};
  for (int x = 0; x < columns; ++x)
    for (int y = 0; y < rows; ++y)
      if ((x * 3 + y * 7) % 11 != 0) Put(x, y, pattern[(x + 2 * y) % 5]);
  Put(1, 2, 101);
  Put(columns - 2, rows - 3, 103);
}

void SphereFrame() {
  screenshot::DrawDuskyBackdrop();
  SetColor(255, 255, 255);
  SetBlend(ALPHABLEND);
  magicSphere->Update(1);
  board->Update(0);
  board->Draw(0);
  bonusManagerAlt->Update();
  bonusManagerAlt->Draw();
  TVolcanoEmiter::updateAll();
  TRingEmiter::UpdateAll();
  TSpark::UpdateAll();
  TCaptions::updateAll();
  Flip(-1);
}

// One board: spells lying on it, the sphere's vials set, then the frames up to the capture.
void Play(screenshot::Context& ctx, int columns, int rows, const std::string& name) {
  LayBoard(columns, rows);
  bonusManagerAlt->ClearSpells();
  bonusManagerAlt->ClearEfects();
  ringEmiterList->Clear();
  TSpark::destroyAll();
  const int kinds[6][3] = {{2, 1, 1}, {4, 3, 2}, {6, 5, 3}, {1, 7, 4}, {3, 2, 6}, {5, 8, 7}};
  for (const auto& k : kinds)
    bonusManagerAlt->AddBonusExt(k[0], k[1], k[2], board->colours[k[1]][k[2]]);
  // Vials: empty, half full, about to be drawn full, a quarter, three quarters.
  magicSphere->ResetSettings();
  magicSphere->colours = {1, 2, 3, 4, 5};
  magicSphere->capacities = {4.0f, 4.0f, 4.0f, 4.0f, 4.0f};
  magicSphere->fills = {0.0f, 2.0f, 4.0f, 1.0f, 3.0f};
  magicSphere->shownFill = {0.0f, 0.5f, 0.9f, 0.25f, 0.75f};
  for (int colour = 1; colour <= 5; ++colour) {
    const int n = magicSphere->colourImageIndex[static_cast<size_t>(colour)];
    const std::string two = (n < 10 ? "0" : "") + std::to_string(n);
    magicSphere->symbolImages[static_cast<size_t>(colour - 1)] =
        LoadImage("gfx/ring/s-" + two + ".png");
    magicSphere->vialImages[static_cast<size_t>(colour - 1)] =
        LoadImage("gfx/ring/k-" + two + ".png");
  }

  // The next block, as the sphere shows it once the held block has formed.
  blocks->nextBlock = blocks->_buildNextBlock();
  blocks->GetNextBlockWH();
  blocks->alpha = 1.0f;

  const int start = headless::FrameNumber();
  const int shot = start + 80;
  ctx.capture(shot, name);
  int frame = start;
  auto until = [&](int last) {
    while (frame < last) {
      SphereFrame();
      ++frame;
    }
  };
  // A teleport cast so that the capture shows its 60th call.
  until(shot - 60);
  bonusManagerAlt->AddBonusExt(6, 0, 0, 0);
  bonusManagerAlt->Clear(0, 0);
  bonusManagerAlt->activeSpells->First()->activatedAt = MilliSecs() - 601;
  // A vanish set off half its delay before the capture, spinning out.
  until(shot - 15);
  bonusManagerAlt->Clear(1, 1);
  until(shot);
}

}  // namespace

SCENARIO("spells-sphere", "spells glowing and spinning out, a teleport, the sphere's vials") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  if (!data) data = std::make_shared<TContainer>();
  data->Add(LoadImage(std::string("gfx/gui/lina.png")), 5000);
  mouse = std::make_shared<TMouse>();
  mouse->x = 780;
  mouse->y = 580;
  delta = 1.0;
  runes = std::make_shared<TRuneManager>();
  runes->loadRunesGfx();
  loadSparkImage(0, "gfx/gwiazdki/gradball.png");
  for (int k = 1; k <= 3; ++k) loadSparkImage(k, "gfx/gwiazdki/" + std::to_string(k) + ".png");
  level = std::make_shared<TLevelManager>();
  level->availableSpells = CreateList<String>();
  bossManager = std::make_shared<TBossManager>();
  points = std::make_shared<TPointsManager>();
  TCaptions::loadGfx();
  blocks = std::make_shared<TBlocksManager>();
  blocks->loadBlocksDef();
  blocks->setAvailableRunes(u"1 2 3 4 5");
  blocks->setAvailableBlocks(u"1 2 3 4 5 6 7");
  bonusManagerAlt = std::make_shared<TBunusManagerA>();
  bonusManagerAlt->LoadResources();
  magicSphere = std::make_shared<TMagicSphere>();
  magicSphere->LoadResources();
  board = std::make_shared<TBoardManager>();
  board->loadBoardGfx();
  board->loadSfx();

  Play(ctx, 11, 10, "spells-sphere-40.png");
  Play(ctx, 14, 13, "spells-sphere-32.png");
  TCaptions::destroyAll();
}
