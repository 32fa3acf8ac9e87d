// The bench's scenes: each screen at its busiest. The board scenes play the real endless and
// quest loops with the scripted player's input and lay the board between frames as a long game
// would leave it; the other screens run their own loops (or, where a screen's loop has no way
// to stay busy, its frame for ever) with scripted input on the virtual clock. The set-ups follow
// the screenshot runner's scenarios.
#include <cmath>
#include <memory>
#include <string>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "services/song_manager.h"
#include "program/main_loop.h"
#include "bench.h"
#include "game/board/board_manager.h"
#include "game/levels/captions.h"
#include "game/levels/level_manager.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "play/game_modes.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/magic_sphere.h"
#include "play/puzzle/puzzle_manager.h"
#include "game/spells/ring_emiter.h"
#include "play/ring/ring_game.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/system.h"
#include "profiles/hiscores.h"
#include "profiles/profile_manager.h"
#include "scenario.h"
#include "scenarios/board_scene.h"
#include "scene_setups.h"
#include "screens/map/map_core.h"
#include "screens/menu/options_window.h"
#include "screens/profiles/profile_loader.h"
#include "screens/story/story.h"
#include "program/loading.h"
#include "program/title_screen.h"
#include "screens/tutorial/tutorial.h"
#include "support/board_game.h"
#include "support/scripted_player.h"
#include "toolkit/container.h"
#include "toolkit/font.h"
#include "toolkit/spark.h"

namespace {

using test_support::ScriptedPlayer;

// The frame after the one just shown, for the input script.
int Next() { return headless::FrameNumber() + 1; }

// ---- The board scenes ------------------------------------------------------------------------

// The cell the held block waits over: the usable cell nearest the board's middle with usable
// cells two to each side.
void PickHole(int& hx, int& hy) {
  hx = hy = -1;
  int best = 1 << 30;
  int sumX = 0, sumY = 0, n = 0;
  for (int x = 0; x < kBoardCells; ++x)
    for (int y = 0; y < kBoardCells; ++y)
      if (board->usable[x][y]) {
        sumX += x;
        sumY += y;
        ++n;
      }
  if (n == 0) return;
  const int mx = sumX / n, my = sumY / n;
  const auto usable = [](int x, int y) {
    return x >= 0 && y >= 0 && x < kBoardCells && y < kBoardCells && board->usable[x][y] != 0;
  };
  for (int x = 0; x < kBoardCells; ++x)
    for (int y = 0; y < kBoardCells; ++y) {
      bool ok = usable(x, y);
      for (int d : {-2, -1, 1, 2}) ok = ok && usable(x + d, y) && usable(x, y + d);
      const int dist = (x - mx) * (x - mx) + (y - my) * (y - my);
      if (ok && dist < best) {
        best = dist;
        hx = x;
        hy = y;
      }
    }
}

// Every usable cell holds a rune, no three alike in a line, but for one free cell in the middle:
// rune 1 put there completes the cross of rune 1 around it. The held block is that one rune, over
// that cell, so the board previews the nine runes it would clear.
void LayFullBoard() {
  for (int x = 0; x < kBoardCells; ++x)
    for (int y = 0; y < kBoardCells; ++y) {
      board->runeIds[x][y] = 0;
      board->colours[x][y] = 0;
      if (board->usable[x][y]) screenshot::Put(x, y, (x + 2 * y) % 5 + 1);
    }
  int hx = 0, hy = 0;
  PickHole(hx, hy);
  if (hx < 0) return;
  board->runeIds[hx][hy] = 0;
  board->colours[hx][hy] = 0;
  for (int d : {-2, -1, 1, 2}) {
    screenshot::Put(hx + d, hy, 1);
    screenshot::Put(hx, hy + d, 1);
  }
  auto block = std::make_shared<TBlock>();
  block->cells[0][0] = 1;
  block->colors[0][0] = runes->getRuneColor(u"1");
  blocks->currentBlock = block;
  blocks->formState = 1;
  blocks->alpha = 1.0f;
  blocks->newBlock = 1;
  int px = 0, py = 0;
  ScriptedPlayer::CellCentre(hx, hy, px, py);
  headless::MouseMoveAt(Next(), px, py);
}

// A usable cell with a rune that is not the held block's cross, near (x, y).
bool SpellCell(int& x, int& y) {
  int hx = 0, hy = 0;
  PickHole(hx, hy);
  for (int r = 0; r < kBoardCells; ++r)
    for (int dx = -r; dx <= r; ++dx)
      for (int dy = -r; dy <= r; ++dy) {
        const int cx = x + dx, cy = y + dy;
        if (cx < 0 || cy < 0 || cx >= kBoardCells || cy >= kBoardCells) continue;
        if (!board->usable[cx][cy] || board->runeIds[cx][cy] == 0) continue;
        if (std::abs(cx - hx) <= 2 && std::abs(cy - hy) <= 2) continue;
        x = cx;
        y = cy;
        return true;
      }
  return false;
}

// Sets a spell of `kind` off on a cell near (x, y), already past its delay.
void SetOff(int kind, int x, int y, int32_t pastDelay) {
  if (!SpellCell(x, y)) return;
  bonusManagerAlt->AddBonusExt(kind, x, y, board->colours[x][y]);
  board->runeIds[x][y] = 0;
  bonusManagerAlt->Clear(x, y);
  if (!bonusManagerAlt->activeSpells->IsEmpty())
    bonusManagerAlt->activeSpells->Last()->activatedAt = MilliSecs() - pastDelay;
}

// The board game's singletons as start-up leaves them, with the summary's song cached as the
// start-up loading caches it (decoding it on the summary's first frame would be the bench's
// fault, not the game's).
void MakeBoardGame() {
  test_support::MakeBoardGame("Morwen");
  if (!songManager) songManager = std::make_shared<TSongManager>();
  songManager->loadSong(bundleDir + "sfx/glyphor-help.ogg", 1);
}

// An endless game on a shipped level in the real loop, `script` run after every frame.
void PlayEndless(std::function<void(int)> script) {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  MakeBoardGame();
  bench::OnFrame(std::move(script));
  goEndless(S("level_endless_02.tsc"));
}

// The pictures of the sphere's vials for colours 1 to 5.
void LoadVialPictures() {
  for (int colour = 1; colour <= 5; ++colour) {
    const int n = magicSphere->colourImageIndex[static_cast<size_t>(colour)];
    const std::string two = (n < 10 ? "0" : "") + std::to_string(n);
    magicSphere->symbolImages[static_cast<size_t>(colour - 1)] = LoadImage("gfx/ring/s-" + two + ".png");
    magicSphere->vialImages[static_cast<size_t>(colour - 1)] = LoadImage("gfx/ring/k-" + two + ".png");
  }
}

}  // namespace

BENCH_SCENE("board", "endless: a full board, the held block over it previewing a cross of nine") {
  PlayEndless([](int shown) {
    if (shown == 1) LayFullBoard();
  });
}

BENCH_SCENE("bomb", "endless: a bomb bursting on a full board and a holy-fire line, every second") {
  PlayEndless([](int shown) {
    if (shown % 60 != 1) return;
    bonusManagerAlt->ClearSpells();
    LayFullBoard();
    SetOff(3, 3, 9, 700);  // bomb
    SetOff(1, 9, 3, 700);  // holy fire
  });
}

BENCH_SCENE("teleport", "endless: a teleport on a full board, every two seconds") {
  PlayEndless([](int shown) {
    if (shown % 120 != 1) return;
    bonusManagerAlt->ClearSpells();
    bonusManagerAlt->ClearEfects();
    LayFullBoard();
    SetOff(6, 2, 2, 601);
  });
}

BENCH_SCENE("sphere-wipe", "endless: five full vials glowing and wiped, again every 2.7 s") {
  PlayEndless([](int shown) {
    if (shown == 1) {
      LayFullBoard();
      LoadVialPictures();
    }
    if (shown % 160 != 1) return;
    for (size_t v = 0; v < 5; ++v) {
      magicSphere->colours[v] = static_cast<int32_t>(v) + 1;
      magicSphere->capacities[v] = 10.0f;
      magicSphere->fills[v] = 10.0f;
      magicSphere->shownFill[v] = 0.97f;
      magicSphere->filledAt[v] = -1;
    }
  });
}

BENCH_SCENE("boss", "quest: two bosses, a ring about to close under the held block, then closed") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  MakeBoardGame();
  gameState = 1;
  sequencer->Start(1);
  sequencer->setupLevel();
  level->Set(u"level_08.tsc");
  level->Load(0);
  level->loadGfx();
  board->createBoardImage(1);
  auto player = std::make_shared<ScriptedPlayer>(false);
  player->playing = false;
  bench::OnFrame([player](int shown) {
    player->Step(headless::FrameNumber());
    const int lay = bench::WarmupFrames() / 2;
    if (shown == lay) {
      screenshot::LayBossRings();
      screenshot::HoldRingClosingBlock();
    }
    // Half-way through the measured frames the block goes down: the ring closes, the boss falls.
    if (shown == bench::WarmupFrames() + 150) headless::MouseClickAt(Next(), 1);
  });
  goGlyphor(0);
}

// ---- The end of a level ----------------------------------------------------------------------

BENCH_SCENE("summary", "the quest summary counting the free cells, sparks on each") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  options = std::make_shared<TOptions>();
  screenshot::LoadScrollResources();
  board = std::make_shared<TBoardManager>();
  // A 12 x 12 board with a rune on every third cell: the count has many cells to go.
  for (int x = 0; x < kBoardCells; ++x)
    for (int y = 0; y < kBoardCells; ++y) {
      board->usable[x][y] = x < 12 && y < 12;
      board->runeIds[x][y] = x < 12 && y < 12 && (x + y) % 3 == 0 ? 1 : 0;
    }
  board->originX = 492 - 192;
  board->originY = 300 - 192;
  level = std::make_shared<TLevelManager>();
  level->loadSfx();
  points = std::make_shared<TPointsManager>();
  points->totalPoints = 48250;
  points->levelPoints = 3475;
  timeManager = std::make_shared<TTimeManager>();
  timeManager->elapsed = 187400;
  mouse = std::make_shared<TMouse>();
  delta = 1.0;
  level->startSummary();
  bench::Forever([] {
    // The count again once it is over.
    if (level->summaryPhase > 1) level->startSummary();
    level->updateSummary();
    screenshot::DrawDuskyBackdrop();
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
    TSpark::UpdateAll();
    level->summaryDisplay();
    Flip(-1);
  });
}

// ---- Screens between levels --------------------------------------------------------------------

BENCH_SCENE("map", "the world map after the last level, every stage lit, the pointer circling") {
  screenshot::LoadMap();
  bench::OnFrame([](int shown) {
    const double a = shown * 0.05;
    headless::MouseMoveAt(Next(), 400 + static_cast<int>(250 * std::cos(a)),
                          300 + static_cast<int>(200 * std::sin(a)));
  });
  for (;;) map->Show(sequencer->lastLevel);
}

BENCH_SCENE("puzzle", "the picture puzzle shuffling, then pieces swapped two by two") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  screenshot::StartMinigame();
  puzzle = std::make_shared<TPuzzleManager>();
  puzzle->loadGfx();
  puzzle->width = 6;
  puzzle->height = 5;
  bench::OnFrame([](int shown) {
    // Two pieces clicked every half second: a swap in flight most of the time.
    if (shown < 30 || shown % 15 != 0 || !puzzle->grid) return;
    const int pieces = 30;
    const int index = (shown / 15 * 7) % pieces;
    PuzzleButtonPtr piece = puzzle->grid->Piece(index);
    if (!piece || !piece->dim) return;
    const int x = static_cast<int>((piece->dim->Left() + piece->dim->Right()) / 2);
    const int y = static_cast<int>((piece->dim->Top() + piece->dim->Bottom()) / 2);
    headless::MouseMoveAt(Next(), x, y);
    headless::MouseClickAt(Next() + 1, 1);
  });
  for (;;) puzzle->show(0, S("gfx/slides/puzzle-02.jpg"), 1);
}

using screenshot::RingFrame;
using screenshot::StartRing;

BENCH_SCENE("ring-intro", "the ring game's intro: the ring turning in, tiles sliding, pendulum") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  StartRing();
  MoveMouse(400, 560);
  mouse->fetchState();
  bench::OnFrame([](int) {
    // The intro again from its start once the ring is in play.
    if (ringGame->phase < TRingGame::kPlay) return;
    ringGame->resetParams();
    ringGame->createSequence(ringGame->levelSeqLast);
    ringGame->resetRune();
  });
  bench::Forever(RingFrame);
}

BENCH_SCENE("ring-play", "the ring game in play: a rune shown, tiles clicked, spell sparks") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  StartRing();
  while (ringGame->phase < TRingGame::kPlay) ringGame->Update();
  TRingGame& g = *ringGame;
  g.spells[2]->count = 2;
  g.spells[0]->count = 1;
  g.progress = 0.5f;
  bench::OnFrame([](int shown) {
    const double a = shown * 0.08;
    headless::MouseMoveAt(Next(), 400 + static_cast<int>(300 * std::cos(a)),
                          260 + static_cast<int>(200 * std::sin(a)));
    if (shown % 20 == 0) headless::MouseClickAt(Next(), 1);
    if (shown % 60 == 0)
      ringGame->spells[2]->MakeSparks(400, 260, ringGame->ringScale, ringGame->ringAngle);
  });
  bench::Forever(RingFrame);
}

// ---- The front door and the pages around the game -----------------------------------------------

BENCH_SCENE("title", "the title's main menu, the pointer sweeping the buttons, sparks rising") {
  if (!screenshot::SetupTitle()) return;
  bench::OnFrame([](int shown) {
    const double a = shown * 0.06;
    headless::MouseMoveAt(Next(), 560 + static_cast<int>(60 * std::cos(a)),
                          300 + static_cast<int>(150 * std::sin(a)));
  });
  for (;;) {
    titleScreen->Prepare();
    titleScreen->show();
  }
}

BENCH_SCENE("credits", "the credits pages being written over the title") {
  if (!screenshot::SetupTitle()) return;
  screenshot::OptionsOverTitle();
  for (;;) titleScreen->showCredits();
}

BENCH_SCENE("tutorial", "the main tutorial page: a row sparkling, comets flying off") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  screenshot::LoadTutorialScene();
  headless::MouseMoveAt(Next(), 560, 520);
  for (;;) tutorial->show(0);
}

BENCH_SCENE("story", "the story's pages cross-fading, Next clicked every second and a half") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  screenshot::StartStory();
  headless::MouseMoveAt(Next(), 440, 582);
  bench::OnFrame([](int shown) {
    if (shown % 90 == 0) headless::MouseClickAt(Next(), 1);
  });
  for (;;) showStory(1, 1);
}

// ---- The endless game dealing -------------------------------------------------------------------

BENCH_SCENE("endless-deal", "endless: the scripted player placing a block every few frames") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  MakeBoardGame();
  auto player = std::make_shared<ScriptedPlayer>(false);
  bench::OnFrame([player](int) { player->Step(headless::FrameNumber()); });
  goEndless(S("level_endless_02.tsc"));
}
