// Spell particles over a board in play: a holy fire's four lines in flight, a bomb's fire
// bursting over its square, the streams of a vanish and a drain, and the removed runes
// streaming to the magic sphere's vials.
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

void Frame() {
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

// Sets a spell of `kind` off on its cell, already past its delay.
void SetOff(int kind, int x, int y) {
  bonusManagerAlt->AddBonusExt(kind, x, y, board->colours[x][y]);
  board->runeIds[x][y] = 0;
  bonusManagerAlt->Clear(x, y);
  bonusManagerAlt->activeSpells->Last()->activatedAt = MilliSecs() - 700;
}

}  // namespace

SCENARIO("spell-emitters", "holy fire, a bomb, vanish and drain streams, streams to the vials") {
  if (!screenshot::OpenBoardScene()) return;
  mouse->x = 780;
  mouse->y = 580;
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
  magicSphere->Load(std::make_shared<TTSCFile>());
  magicSphere->colours = {1, 2, 3, 4, 5};
  magicSphere->capacities = {30.0f, 30.0f, 30.0f, 30.0f, 30.0f};
  for (int colour = 1; colour <= 5; ++colour) {
    const int n = magicSphere->colourImageIndex[static_cast<size_t>(colour)];
    const std::string two = (n < 10 ? "0" : "") + std::to_string(n);
    magicSphere->symbolImages[static_cast<size_t>(colour - 1)] =
        LoadImage("gfx/ring/s-" + two + ".png");
    magicSphere->vialImages[static_cast<size_t>(colour - 1)] =
        LoadImage("gfx/ring/k-" + two + ".png");
  }
  board = std::make_shared<TBoardManager>();
  board->loadBoardGfx();
  board->loadSfx();
  board->clearBoard();
  for (auto& column : board->usable) column.fill(0);
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 12; ++y) board->usable[x][y] = 1;
  board->usable[9][2] = 0;
  board->frameList = CreateList<FrameElementPtr>();
  board->buildFrame();
  board->createBoardImage(1);
  const int pattern[5] = {1, 2, 3, 4, 5};
  for (int x = 0; x < 12; ++x)
    for (int y = 0; y < 12; ++y)
      if (board->usable[x][y] != 0 && (x * 5 + y * 3) % 7 != 0) Put(x, y, pattern[(x + 2 * y) % 5]);

  const int start = headless::FrameNumber();
  ctx.capture(start + 24, "spell-emitters.png");
  ctx.capture(start + 60, "spell-emitters-streams.png");
  SetOff(1, 3, 2);   // holy fire
  SetOff(3, 8, 8);   // bomb
  SetOff(2, 2, 9);   // vanish
  SetOff(4, 6, 5);   // drain
  for (int frame = 0; frame < 60; ++frame) Frame();
  TCaptions::destroyAll();
  volcanoList->Clear();
}
