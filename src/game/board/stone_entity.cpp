#include "game/board/stone_entity.h"

#include "game/board/board_manager.h"
#include "platform/system.h"

TListPtr<StoneEntityPtr> stonesList = CreateList<StoneEntityPtr>();

namespace {

// The clock readings are far from 0, where a float keeps whole milliseconds no longer: the age
// is taken from the exact integer reading kept beside bornMs.
int32_t AgeMs(int32_t born) {
  return static_cast<int32_t>(static_cast<uint32_t>(MilliSecs()) - static_cast<uint32_t>(born));
}

}  // namespace

TStoneEntity::TStoneEntity()
    : lifeMs(static_cast<float>(Rand(500, 2000))),
      bornMs(static_cast<float>(MilliSecs())),
      bornClock_(MilliSecs()) {}

void TStoneEntity::Create(int32_t x, int32_t y, float vx, float vy, const ImagePtr& image) {
  auto chip = std::make_shared<TStoneEntity>();
  chip->x = static_cast<float>(x);
  chip->y = static_cast<float>(y);
  chip->vx = vx;
  chip->vy = vy;
  chip->image = image;
  if (!stonesList) stonesList = CreateList<StoneEntityPtr>();
  stonesList->AddLast(chip);
}

void TStoneEntity::UpdateAll() {
  if (stonesList) {
    for (const StoneEntityPtr& chip : *stonesList) {
      const StoneEntityPtr keep = chip;  // alive through its own removal
      keep->Update();
    }
  }
  SetRotation(0.0f);
  SetAlpha(1.0f);
}

void TStoneEntity::Update() {
  const float t = static_cast<float>(AgeMs(bornClock_));
  drawX = x + vx * t;
  drawY = y + vy * t;
  vy = vy + gravity * t;
  angle = spin * t;
  SetRotation(angle);
  const float half = lifeMs / 2.0f;
  SetAlpha(t <= half ? 1.0f : 1.0f - (t - half) / half);
  DrawImage(image, drawX, drawY, 0);
  if (t > lifeMs && stonesList) stonesList->Remove(shared_from_this());
}

void Depetrify(int32_t column, int32_t row, const ImagePtr& image) {
  const int32_t cs = BoardCellSize();
  const int32_t left = (board ? board->originX : 0) + column * cs;
  const int32_t top = (board ? board->originY : 0) + row * cs;
  const int32_t w2 = ImageWidth(image) / 2;
  const int32_t h2 = ImageHeight(image) / 2;
  const int32_t third = cs / 3;
  const int32_t twoThirds = (2 * cs) / 3;
  struct Chip {
    int32_t x, y;
    float vx, vy;
  };
  const Chip chips[12] = {
      {left + w2, top + h2, -0.04f, -0.04f},
      {left + cs - w2, top + h2, 0.04f, -0.04f},
      {left + third + w2, top + h2, -0.04f, -0.08f},
      {left + twoThirds - w2, top + h2, 0.04f, -0.08f},
      {left + w2, top + third + h2, -0.06f, -0.02f},
      {left + w2, top + twoThirds + h2, -0.06f, -0.01f},
      {left + cs - w2, top + third + h2, 0.06f, -0.02f},
      {left + cs - w2, top + twoThirds + h2, 0.06f, -0.01f},
      {left + w2, top + cs - h2, -0.04f, 0.0f},
      {left + cs - w2, top + cs - h2, 0.04f, 0.0f},
      {left + third + w2, top + cs - h2, -0.02f, 0.0f},
      {left + twoThirds - w2, top + cs - h2, 0.02f, 0.0f},
  };
  for (const Chip& chip : chips) {
    const float vy = chip.vy + static_cast<float>(Rnd(-0.005, 0.005));
    const float vx = chip.vx + static_cast<float>(Rnd(-0.01, 0.01));
    TStoneEntity::Create(chip.x, chip.y, vx, vy, image);
  }
}
