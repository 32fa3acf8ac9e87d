// The picture puzzle: a resumed 6 x 5 puzzle in play (a solved region outlined with an inner
// corner and along the board's edge, a marked piece, a swap in flight over its greyed cells, a
// hint sparkling, the Hint button lit), and the summary's scroll open while the pieces are
// counted in.
#include <memory>
#include <string>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/mouse.h"
#include "services/options.h"
#include "services/sfx.h"
#include "game/levels/level_sequencer.h"
#include "game/levels/points_manager.h"
#include "play/puzzle/puzzle_manager.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/image_font.h"
#include "platform/input.h"
#include "platform/system.h"
#include "scenario.h"
#include "scene_setups.h"
#include "toolkit/container.h"
#include "toolkit/spark.h"

namespace {

void StartPuzzle() {
  screenshot::StartMinigame();
  puzzle = std::make_shared<TPuzzleManager>();
  puzzle->loadGfx();
  puzzle->grid->loadSfx();
}

// Puts piece i on cells[i].
void Arrange(const std::vector<int32_t>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    PuzzleButtonPtr piece = puzzle->grid->Piece(static_cast<int32_t>(i));
    piece->cell = piece->targetCell = cells[i];
    piece->SetPosition();
  }
}

}  // namespace

SCENARIO("puzzle-play", "a resumed 6 x 5 puzzle: solved region, marked piece, swap, hint") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  StartPuzzle();
  puzzle->Create(S("gfx/slides/puzzle-02.jpg"), 6, 5);
  // Solved: an L along the top edge (cells 0, 1, 2, 6, 7) and cell 12 below it; the rest
  // scattered as a saved game might hold them.
  Arrange({0,  1,  2,  9,  10, 11, 6,  7,  3,  4,  5,  14, 12, 8,  13,
           16, 15, 18, 17, 20, 19, 22, 21, 24, 23, 26, 25, 28, 29, 27});
  for (const ButtonPtr& b : *puzzle->grid->cells) {
    auto p = std::static_pointer_cast<TPuzzleButton>(b);
    p->enabled = p->IsInPlace() ? 0 : 1;
  }
  const ImagePtr background = LoadImage(std::string("gfx/puzzle/game-puzle.jpg"), 0);
  auto hints = std::make_shared<THints>();
  hints->show(puzzle->grid, THints::kRequested, 0, 0);
  // A marked piece, and a swap in flight between two others.
  puzzle->grid->Piece(20)->marked = 1;
  PuzzleButtonPtr a = puzzle->grid->Piece(3), b = puzzle->grid->Piece(9);
  a->targetCell = b->cell;
  b->targetCell = a->cell;
  a->Prepare(1);
  b->Prepare(-1);
  MoveMouse(470, 580);  // over the Hint button
  mouse->x = 470;
  mouse->y = 580;
  for (int frame = 0; frame < 12; ++frame) {
    DrawImage(background, 0, 0, 0);
    puzzle->grid->State();
    puzzle->grid->doMatrix();
    puzzle->grid->Draw();
    hints->Update();
    TSpark::UpdateAll();
    SetBlend(ALPHABLEND);
    SetAlpha(1.0f);
    SetTransform(0.0f, 1.0f, 1.0f);
    SetColor(200, 200, 200);
    DrawImage(puzzle->hintButtonImage, 417, 572, 0);
    SetColor(255, 255, 255);
    mouse->Draw();
    Flip(-1);
  }
  ctx.capture("puzzle-play.png");
  TSpark::destroyAll();
}

SCENARIO("puzzle-summary", "the puzzle's summary scroll open while the pieces are counted") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  StartPuzzle();
  puzzle->Create(S("gfx/slides/puzzle-01.jpg"), 5, 4);
  for (const ButtonPtr& b : *puzzle->grid->cells) b->enabled = 0;  // locked home, as solved
  puzzle->grid->doMatrix();
  puzzle->hintsUsed = 2;
  puzzle->clicks = 57;
  puzzle->startTime = ElapsedMs(MilliSecs(), 154000);
  const ImagePtr background = LoadImage(std::string("gfx/puzzle/game-puzle.jpg"), 0);
  // Mid-count: the scroll opens within a second, the count starts half a second later.
  const int start = headless::FrameNumber();
  ctx.capture(start + 90, "puzzle-summary.png");
  for (int k = 0; k < 20; ++k) headless::MouseClickAt(start + 120 + 30 * k, 1);
  puzzle->summary(background, data->GetTTFont(4000), data->GetTTFont(4001), 0);
  TSpark::destroyAll();
}
