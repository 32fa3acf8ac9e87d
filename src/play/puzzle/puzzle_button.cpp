#include "play/puzzle/puzzle_button.h"

#include "services/mouse.h"
#include "platform/input.h"
#include "toolkit/dim.h"

int32_t TPuzzleButton::gridWidth = 1;
ImagePtr TPuzzleButton::ramka;
ImagePtr TPuzzleButton::ramkaOn;

namespace {

constexpr int kShadedGrey = 120;
constexpr int kLockedGrey = 200;

}  // namespace

PuzzleButtonPtr CreatePuzzleButton(const ImagePtr& image, int32_t id, float originX, float originY,
                                   int32_t col, int32_t row, int32_t frame, int32_t gridWidth) {
  auto piece = std::make_shared<TPuzzleButton>();
  piece->id = id;
  piece->cell = id;
  piece->targetCell = id;
  piece->originX = originX;
  piece->originY = originY;
  piece->col = col;
  piece->row = row;
  piece->frame = frame;
  TPuzzleButton::gridWidth = gridWidth;
  piece->image = image;
  piece->dim = CreateDim(0, 0, static_cast<float>(ImageWidth(image)),
                         static_cast<float>(ImageHeight(image)), 0, 1, 1, 0);
  piece->SetPosition();
  return piece;
}

void TPuzzleButton::SetPosition() {
  col = cell % gridWidth;
  row = cell / gridWidth;
  dim->x = originX + static_cast<float>(col) * dim->width;
  dim->y = originY + static_cast<float>(row) * dim->height;
}

int32_t TPuzzleButton::IsInPlace() { return cell == id ? 1 : 0; }

int32_t TPuzzleButton::IsFlying() { return targetCell != cell ? 1 : 0; }

void TPuzzleButton::Prepare(int32_t bend) {
  const float left = dim->Left();
  const float top = dim->Top();
  const float tx = originX + static_cast<float>(targetCell % gridWidth) * dim->width;
  const float ty = originY + static_cast<float>(targetCell / gridWidth) * dim->height;
  const float b = static_cast<float>(bend);
  if (left != tx && top != ty) {
    p0x = left, p0y = top;
    p1x = left + kDiagonalBend * b, p1y = top;
    p2x = tx + kDiagonalBend * b, p2y = ty;
    p3x = tx, p3y = ty;
  } else if (left != tx && top == ty) {
    p0x = left, p0y = top;
    p1x = left, p1y = top - kLineBend * b;
    p2x = tx, p2y = top - kLineBend * b;
    p3x = tx, p3y = ty;
  } else if (left == tx && top != ty) {
    p0x = left, p0y = top;
    p1x = left - kLineBend * b, p1y = top;
    p2x = left - kLineBend * b, p2y = ty;
    p3x = tx, p3y = ty;
  }
  flightStep = 0;
  t = 0.0f;
  marked = 0;
}

void TPuzzleButton::Move() {
  t += kFlightStep;
  if (t > 1.0f || t < -1.0f) t = 0.0f;
  const double s = t;
  const double u = 1.0 - s;
  const double a = u * u * u, b = 3.0 * u * u * s, c = 3.0 * u * s * s, d = s * s * s;
  dim->x = static_cast<float>(a * p0x + b * p1x + c * p2x + d * p3x);
  dim->y = static_cast<float>(a * p0y + b * p1y + c * p2y + d * p3y);
  // The landing goes by the step count: summed in single precision t passes 1.0 on this step.
  if (++flightStep == kFlightSteps) {
    cell = targetCell;
    SetPosition();
  }
}

int TPuzzleButton::State() {
  if (enabled == 0) return 0;
  if (dim->InXY(static_cast<float>(MouseX()), static_cast<float>(MouseY())) != 0) {
    if (over == 0) OnOver();
    over = 1;
    if (mouse && mouse->hit1 != 0) {
      OnClick();
      marked = marked == 0 ? 1 : 0;
      return 1;
    }
  } else {
    if (over == 1) OnOut();
    over = 0;
  }
  if (IsFlying()) Move();
  if (IsInPlace()) enabled = 0;
  return 0;
}

int TPuzzleButton::Draw() {
  if (enabled == 0) {
    DrawOnPlace();
  } else if (over == 1) {
    DrawOnOver();
  } else {
    DrawOnOut();
  }
  return 0;
}

int TPuzzleButton::DrawOnOut() {
  DrawImage(image, dim->Left(), dim->Top(), frame);
  SetColor(255, 255, 255);
  DrawOver();
  SetColor(255, 255, 255);
  if (marked == 1) DrawMark();
  return 0;
}

int TPuzzleButton::DrawOnOver() {
  DrawImage(image, dim->Left(), dim->Top(), frame);
  if (over == 1) DrawOver();
  return 0;
}

void TPuzzleButton::DrawOver() {
  const float w = static_cast<float>(ImageWidth(ramka));
  const float h = static_cast<float>(ImageHeight(ramka));
  if (w <= 0.0f || h <= 0.0f) return;
  SetScale(dim->width / w, dim->height / h);
  DrawImage(ramka, dim->Left(), dim->Top());
  SetScale(1.0f, 1.0f);
}

void TPuzzleButton::DrawMark() {
  const float sx = dim->width / kMarkLayout;
  const float sy = dim->height / kMarkLayout;
  SetAlpha(1.0f);
  SetScale(sx, sy);
  DrawImage(ramkaOn, dim->Left() - kMarkOverhang * sx, dim->Top() - kMarkOverhang * sy);
  SetScale(1.0f, 1.0f);
}

void TPuzzleButton::DrawOnPlace() {
  SetColor(kLockedGrey, kLockedGrey, kLockedGrey);
  DrawImage(image, dim->Left(), dim->Top(), id);
  SetColor(255, 255, 255);
}

void TPuzzleButton::DrawShaded() {
  SetColor(kShadedGrey, kShadedGrey, kShadedGrey);
  DrawImage(image, originX + static_cast<float>(col) * dim->width,
            originY + static_cast<float>(row) * dim->height, col + row * gridWidth);
  SetColor(255, 255, 255);
}
