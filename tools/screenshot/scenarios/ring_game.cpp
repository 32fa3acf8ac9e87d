// The ring game: the intro (the ring turning to rest while the tiles slide in and the pendulum
// comes down), play (the rune to click in the ring, the tile under the pointer glowing, the bar
// half full, two spell icons lit with a burst on one, the pendulum out on its swing, the
// score), and the summary scroll of the quest entry of sequencer index 4 counting its hits.
#include <memory>
#include <string>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/points_manager.h"
#include "game/spells/ring_emiter.h"
#include "play/ring/ring_game.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "scenario.h"
#include "scene_setups.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

using screenshot::RingFrame;
using screenshot::StartRing;

SCENARIO("ring-intro", "the ring turning to rest, the tiles sliding in, the pendulum dropping") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  StartRing();
  MoveMouse(400, 560);
  mouse->fetchState();
  for (int frame = 1; frame <= 78; ++frame) RingFrame();  // phase 3: the ring still turning
  ctx.capture("ring-intro.png");
}

SCENARIO("ring-play", "a rune in the ring, a tile glowing, the bar half full, two icons lit") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  StartRing();
  while (ringGame->phase < TRingGame::kPlay) ringGame->Update();
  TRingGame& g = *ringGame;
  g.sequence[0] = 7;
  g.sequence[1] = 12;
  g.seqPos = 2;
  g.sequence[2] = 16;
  g.progress = 0.5f;
  g.seqHits = 14;
  g.spells[2]->count = 2;  // bombs
  g.spells[0]->count = 1;  // holy fire
  g.startTime = ElapsedMs(MilliSecs(), 20000);
  // The pointer on tile 16, the rune shown.
  MoveMouse(700, 205);
  mouse->fetchState();
  for (int frame = 1; frame <= 90; ++frame) {
    if (frame == 60) g.spells[2]->MakeSparks(400, 260, g.ringScale, g.ringAngle);
    RingFrame();
    if (frame > 70 && (g.pendulumAngle > 15.0f || g.pendulumAngle < -15.0f)) break;
  }
  ctx.capture("ring-play.png");
  ringEmiterList->Clear();
  TSpark::destroyAll();
}

SCENARIO("ring-summary", "the summary at sequencer index 4: 3 bombs, the count running") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  StartRing();
  while (ringGame->phase < TRingGame::kPlay) ringGame->Update();
  sequencer->currentLevel = 4;
  ringGame->seqHits = 18;
  ringGame->recivedSpells = 3;
  ringGame->spells[2]->count = 3;
  ringGame->Draw(1);
  Flip(-1);
  const int start = headless::FrameNumber();
  ctx.capture(start + 100, "ring-summary.png");
  for (int k = 0; k < 20; ++k) headless::MouseClickAt(start + 200 + 30 * k, 1);
  ringGame->Summary();
  TSpark::destroyAll();
}
