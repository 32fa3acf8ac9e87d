#include "play/puzzle/puzzle_grid.h"

#include "services/data_folders.h"
#include "services/sfx.h"
#include "play/puzzle/puzzle_manager.h"
#include "platform/system.h"
#include "toolkit/spark_burst.h"

namespace {

const char* const kShadowFiles[8] = {
    "gfx/puzzle/cienie_lg.png", "gfx/puzzle/cienie_pg.png", "gfx/puzzle/cienie_ld.png",
    "gfx/puzzle/cienie_pd.png", "gfx/puzzle/cienie_l.png",  "gfx/puzzle/cienie_g.png",
    "gfx/puzzle/cienie_p.png",  "gfx/puzzle/cienie_d.png"};
const char* const kGridSoundFiles[5] = {
    "sfx/fx-puzzle/playgamepuzzle-myszkafirst1.ogg", "sfx/fx-puzzle/playgamepuzzle-all.ogg",
    "sfx/fx-puzzle/playgamepuzzle-odkrycie1.ogg", "sfx/fx-puzzle/playgamepuzzle-odkrycie2.ogg",
    "sfx/fx-puzzle/playgamepuzzle-zamiana1.ogg"};

enum Shadow { kTopLeft, kTopRight, kBottomLeft, kBottomRight, kLeft, kTop, kRight, kBottom };

PuzzleButtonPtr AsPiece(const ButtonPtr& button) {
  return std::static_pointer_cast<TPuzzleButton>(button);
}

}  // namespace

PuzzleButtonPtr TPuzzleGrid::Piece(int32_t index) const {
  int32_t i = 0;
  for (const ButtonPtr& button : *cells)
    if (i++ == index) return AsPiece(button);
  return nullptr;
}

void TPuzzleGrid::loadGfx() {
  for (size_t i = 0; i < shadowImages.size(); ++i)
    shadowImages[i] = LoadImage(bundleDir + kShadowFiles[i]);
  frameImage = LoadImage(bundleDir + "gfx/puzzle/ramka3.png");
  frameOnImage = LoadImage(bundleDir + "gfx/puzzle/ramka-puzle.png");
  TPuzzleButton::ramka = frameImage;
  TPuzzleButton::ramkaOn = frameOnImage;
}

void TPuzzleGrid::loadSfx() {
  if (sounds[kClickSound]) return;
  for (size_t i = 0; i < sounds.size(); ++i)
    sounds[i] = LoadSound(bundleDir + kGridSoundFiles[i], 0);
}

void TPuzzleGrid::Scramble(const ImagePtr& background) {
  const int32_t start = MilliSecs();
  for (;;) {
    if (puzzle && puzzle->music) puzzle->music->update();
    Cls();
    if (background) DrawImage(background, 0, 0, 0);
    Draw();
    Flip(-1);
    if (ElapsedMs(MilliSecs(), start) < kWholePictureMs) continue;
    // Two draws into locals, in this order.
    const int32_t a = Rand(0, pieceCount - 1);
    const int32_t b = Rand(0, pieceCount - 1);
    PuzzleButtonPtr pa = Piece(a), pb = Piece(b);
    if (pa && pb) {
      std::swap(pa->cell, pb->cell);
      std::swap(pa->targetCell, pb->targetCell);
      pa->SetPosition();
      pb->SetPosition();
    }
    if (IsScrambled() == 1) return;
    PollSystem();
  }
}

int TPuzzleGrid::State() {
  if (enabled == 0) return 0;
  bool anyFlying = false;
  for (const ButtonPtr& button : *cells) {
    PuzzleButtonPtr piece = AsPiece(button);
    if (!piece->IsFlying()) continue;
    anyFlying = true;
    piece->Move();
    if (piece->IsInPlace()) {
      piece->enabled = 0;
      SparksOnPlace(piece);
      playSound2(sounds[kHomeSound]);
    }
  }
  if (anyFlying) return 0;

  bool clicked = false;
  for (const ButtonPtr& button : *cells)
    if (button->State() != 0) clicked = true;
  if (clicked) {
    playSound2(sounds[kClickSound]);
    if (puzzle) ++puzzle->clicks;
  }

  PuzzleButtonPtr first;
  for (const ButtonPtr& button : *cells) {
    PuzzleButtonPtr piece = AsPiece(button);
    if (piece->marked == 0) continue;
    if (!first) {
      first = piece;
      continue;
    }
    first->targetCell = piece->cell;
    piece->targetCell = first->cell;
    first->Prepare(1);
    piece->Prepare(-1);
    playSound2(sounds[kSwapSound]);
    return 1;
  }
  return 0;
}

void TPuzzleGrid::doMatrix() {
  if (cols <= 0) return;
  for (const ButtonPtr& button : *cells) {
    PuzzleButtonPtr piece = AsPiece(button);
    const int32_t col = piece->cell % cols;
    const int32_t row = piece->cell / cols;
    if (piece->IsInPlace() && col >= 0 && col < kMaxSide && row >= 0 && row < kMaxSide)
      matrix[static_cast<size_t>(col + 1)][static_cast<size_t>(row + 1)] = 1;
  }
}

int32_t TPuzzleGrid::At(int32_t col, int32_t row) const {
  return matrix[static_cast<size_t>(col + 1)][static_cast<size_t>(row + 1)];
}

int TPuzzleGrid::Draw() {
  for (const ButtonPtr& button : *cells) {
    PuzzleButtonPtr piece = AsPiece(button);
    if (piece->IsFlying()) {
      piece->DrawShaded();
    } else {
      piece->Draw();
    }
  }
  SetAlpha(1.0f);
  SetColor(255, 255, 255);
  SetTransform(0.0f, 1.0f, 1.0f);
  SetBlend(ALPHABLEND);
  DrawOutline();
  for (const ButtonPtr& button : *cells)
    if (AsPiece(button)->marked == 1) AsPiece(button)->DrawMark();
  for (const ButtonPtr& button : *cells)
    if (AsPiece(button)->IsFlying()) button->Draw();
  return 0;
}

void TPuzzleGrid::DrawOutline() {
  if (!dim) return;
  const float x0 = static_cast<float>(static_cast<int32_t>(dim->Left()));
  const float y0 = static_cast<float>(static_cast<int32_t>(dim->Top()));
  auto draw = [this](int image, float x, float y) { DrawImage(shadowImages[image], x, y, 0); };
  for (int32_t row = 0; row < rows && row < kMaxSide; ++row) {
    for (int32_t col = 0; col < cols && col < kMaxSide; ++col) {
      if (At(col, row) != 1) continue;
      const bool left = At(col - 1, row) == 1, right = At(col + 1, row) == 1;
      const bool up = At(col, row - 1) == 1, down = At(col, row + 1) == 1;
      const float l = x0 + static_cast<float>(col) * cellWidth;
      const float t = y0 + static_cast<float>(row) * cellHeight;
      const float r = x0 + static_cast<float>(col + 1) * cellWidth;
      const float b = y0 + static_cast<float>(row + 1) * cellHeight;
      SetScale(1.0f, cellHeight / kSideLength);
      if (!left) draw(kLeft, l, t);
      if (!right) draw(kRight, r - kInset, t);
      SetScale(cellWidth / kSideLength, 1.0f);
      if (!up) draw(kTop, l, t);
      if (!down) draw(kBottom, l, b - kInset);
      SetScale(1.0f, 1.0f);
      if (!left && !up) draw(kTopLeft, l, t);
      if (!right && !up) draw(kTopRight, r - kInset, t);
      if (!left && !down) draw(kBottomLeft, l, b - kInset);
      if (!right && !down) draw(kBottomRight, r - kInset, b - kInset);
      if (left && down && At(col - 1, row + 1) == 0) draw(kBottomLeft, l, b - kInset);
      if (right && down && At(col + 1, row + 1) == 0) draw(kBottomRight, r - kInset, b - kInset);
      if (left && up && At(col - 1, row - 1) == 0) draw(kTopLeft, l, t);
      if (right && up && At(col + 1, row - 1) == 0) draw(kTopRight, r - kInset, t);
    }
  }
}

int32_t TPuzzleGrid::IsScrambled() {
  for (const ButtonPtr& button : *cells)
    if (AsPiece(button)->IsInPlace()) return 0;
  return 1;
}

int32_t TPuzzleGrid::IsSet() {
  for (const ButtonPtr& button : *cells)
    if (!AsPiece(button)->IsInPlace()) return 0;
  return 1;
}

void TPuzzleGrid::Clear() {
  for (auto& column : matrix) column.fill(0);
  cells->Clear();
}
