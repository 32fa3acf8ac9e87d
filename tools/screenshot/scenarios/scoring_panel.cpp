// The score panel beside a board picture, with the captions of a clearing rising over it.
#include <memory>
#include <string>

#include "services/delta_time.h"
#include "services/mouse.h"
#include "game/levels/captions.h"
#include "game/levels/points_manager.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "scenario.h"
#include "toolkit/container.h"

namespace {

void Background(const ImagePtr& boardPicture) {
  screenshot::DrawDuskyBackdrop();
  SetColor(255, 255, 255);
  SetBlend(ALPHABLEND);
  DrawImage(boardPicture, 240, 60);
}

}  // namespace

SCENARIO("scoring-panel", "the score panel with points, the menu button lit, and captions rising") {
  if (!Graphics(800, 600, 0, 60, 0)) return;
  if (!data) data = std::make_shared<TContainer>();
  ImagePtr rope = LoadImage(std::string("gfx/gui/lina.png"));
  data->Add(rope, 5000);
  if (!mouse) mouse = std::make_shared<TMouse>();
  mouse->x = 100;
  mouse->y = 555;  // over the menu button
  delta = 1.0;

  points = std::make_shared<TPointsManager>();
  points->loadGfx();
  TCaptions::loadGfx();
  ImagePtr boardPicture = LoadImage(std::string("gfx/bg/deski/deska-3.jpg"));

  points->totalPoints = 48250;
  points->add(875);
  // A clearing of six runes in two colours: the points, the rune count and the combo banner.
  TCaptions::addCaption(1, 875, 420, 230, 1.2f, 0, 0, nullptr);
  TCaptions::addCaption(3, 6, 420, 270, 1.2f, 0, 0, nullptr);
  TCaptions::addCaption(2, 2, 520, 330, 1.2f, 0, 0, nullptr);
  // A smaller clearing a moment later.
  TCaptions::addCaption(1, 250, 300, 420, 1.0f, 0, 300, nullptr);
  TCaptions::addCaption(3, 3, 300, 460, 1.0f, 0, 300, nullptr);

  ctx.capture(45, "scoring-panel.png");
  ctx.capture(100, "scoring-panel-fading.png");
  for (int frame = 0; frame < 100; ++frame) {
    Background(boardPicture);
    points->Draw(0);
    TCaptions::updateAll();
    Flip(-1);
  }
  TCaptions::destroyAll();
}
