// Spell particle emitters: particles, emission, drawing, and the effect steps that change the
// board when the particles get there.
#include "game/spells/volcano_emiter.h"

#include <cmath>

#include "services/delta_time.h"
#include "game/board/board_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/bonus_manager_a.h"
#include "game/spells/magic_sphere.h"
#include "platform/system.h"
#include "toolkit/spark.h"

TListPtr<VolcanoEmiterPtr> volcanoList = CreateList<VolcanoEmiterPtr>();

namespace {

// Emission counts and particle speeds of the kinds.
constexpr int32_t kStreamCount = 50;        // vanish, drain and the sphere stream
constexpr float kCellStreamSpeed = 0.03f;   // vanish and drain
constexpr float kSphereStreamSpeed = 0.02f;
constexpr int32_t kSphereHighlightStep = 45;  // the stream clears its cell's highlight then
constexpr int32_t kHealCount = 60;
constexpr int32_t kBombCount = 40;
constexpr float kFireSpeed = 0.06f;
constexpr int32_t kLineCount = 100;
constexpr float kLineSpeed = 0.03f;
// The fire bursts: ring radius and particles per emission step.
constexpr float kHealRadius = 15.0f;
constexpr int32_t kHealBurst = 6;
constexpr float kBombRadius = 20.0f;
constexpr int32_t kBombBurst = 11;
// The rune that is no colour's stone but heals into the stone form of one of the level's runes.
constexpr int32_t kObstacleRune = 13;

bool OnBoard(int32_t column, int32_t row) {
  return column >= 0 && column < kBoardCells && row >= 0 && row < kBoardCells;
}

// A random offset towards the other point: between 0 and the difference, either sign.
float RandomToward(float from, float to) {
  return from + static_cast<float>(Rand(0, static_cast<int32_t>(to - from)));
}

// The shared part of every removal: the rune flies to its vial, fills it, sets off a spell
// lying on the cell, marks the cell's highlight and leaves the cell empty.
void RemoveCell(int32_t column, int32_t row, float streamX, float streamY, int32_t red,
                int32_t green, int32_t blue, int32_t highlight) {
  if (!board || !OnBoard(column, row)) return;
  const auto c = static_cast<size_t>(column);
  const auto r = static_cast<size_t>(row);
  const int32_t colour = board->colours[c][r];
  TToSphereEmiter::add(streamX, streamY, red, green, blue, column, row, colour);
  if (magicSphere) magicSphere->Fill(colour);
  if (bonusManagerAlt) bonusManagerAlt->Clear(column, row);
  board->highlights[c][r] = highlight;
  board->runeIds[c][r] = 0;
  board->colours[c][r] = 0;
}

// The removal with a stream in the colours of the cell's rune, jittered.
void RemoveInRuneColours(int32_t column, int32_t row, float streamX, float streamY,
                         int32_t highlight) {
  const int32_t colour = board && OnBoard(column, row)
                             ? board->colours[static_cast<size_t>(column)][static_cast<size_t>(row)]
                             : 0;
  const int32_t red = JitteredRuneRGB(colour, 1);
  const int32_t green = JitteredRuneRGB(colour, 2);
  const int32_t blue = JitteredRuneRGB(colour, 3);
  RemoveCell(column, row, streamX, streamY, red, green, blue, highlight);
}

void CheckGameOver() {
  if (board) board->checkGameOver();
}

// The fire particles turn and mid-handle the shared image; the next drawer expects neither.
void UndoFireDrawing(const ImagePtr& image) {
  SetRotation(0.0f);
  SetImageHandle(image, 0.0f, 0.0f);
}

// One burst of fire particles towards a ring of `radius` round the start, shrinking to
// nothing over the last fifth of the emission.
void EmitFire(TVolcanoEmiter& e, float radius, int32_t burst) {
  for (int32_t i = 0; i < burst; ++i) {
    float r = radius;
    if (e.emitted > 0.8f * e.count)
      r = radius * (1.0f - (e.emitted - 0.8f * e.count) / (e.count - 0.8f * e.count));
    auto dx = static_cast<int32_t>(Rnd(-1.3 * r, 1.3 * r));
    if (static_cast<float>(dx) > r) dx = static_cast<int32_t>(r);
    if (static_cast<float>(dx) < -r) dx = static_cast<int32_t>(-r);
    const float rise = std::sqrt(r * r - static_cast<float>(dx * dx));
    e.endX = e.startX + static_cast<float>(dx);
    e.endY = e.startY - rise;
    if (Rand(0, 1) == 1) e.endY = e.startY + rise;
    auto particle = TFireEntity::Create(e.startX, e.startY, e.endX, e.endY, e.startX, e.startY,
                                        e.speed, 0.0f);
    particle->rotation = Rand(0, 45);
    e.particles->AddLast(particle);
  }
}

// 1 once the first particle has arrived and gone: more steps emitted than particles left.
bool FirstParticleGone(const TVolcanoEmiter& e) {
  return e.emitted > static_cast<float>(e.particles->Count());
}

// A live particle at the start of its curve.
template <typename T>
std::shared_ptr<T> MakeParticle(float x, float y, float endX, float endY, float controlX,
                                float controlY, float speed, float scale) {
  auto p = std::make_shared<T>();
  p->x = p->startX = x;
  p->y = p->startY = y;
  p->endX = endX;
  p->endY = endY;
  p->controlX = controlX;
  p->controlY = controlY;
  p->speed = speed;
  p->scale = scale;
  p->alive = 1;
  return p;
}

// Vanish and drain: a stream to a cell that removes its rune once the first particle is gone.
template <typename T>
std::shared_ptr<T> StartCellStream(float fromX, float fromY, float toX, float toY, int32_t red,
                                   int32_t green, int32_t blue, int32_t cellX, int32_t cellY,
                                   int32_t cellColour) {
  auto e = std::make_shared<T>();
  e->aim(fromX, fromY, toX, toY, kCellStreamSpeed, kStreamCount);
  e->red = red;
  e->green = green;
  e->blue = blue;
  e->cellX = cellX;
  e->cellY = cellY;
  e->cellColour = cellColour;
  e->pending = 1;
  e->createdAt = MilliSecs();
  e->enlist();
  return e;
}

// Heal and bomb: fire over a cell, acting on it once.
template <typename T>
std::shared_ptr<T> StartFire(float x, float y, float cellX, int32_t cellY, int32_t count) {
  auto e = std::make_shared<T>();
  e->startX = e->endX = e->controlX = x;
  e->startY = e->endY = e->controlY = y;
  e->speed = kFireSpeed;
  e->count = static_cast<float>(count);
  e->cellX = static_cast<int32_t>(cellX);
  e->cellY = cellY;
  e->pending = 1;
  e->enlist();
  return e;
}

}  // namespace

int32_t JitteredRuneRGB(int32_t colour, int32_t component) {
  const int32_t base = runes ? runes->getRuneRGB(colour, component) : 0;
  const int32_t jitter = Rand(-20, 20);
  return base + jitter;
}

int32_t CellCentreX(int32_t column) {
  const int32_t cs = BoardCellSize();
  return (board ? board->originX : 0) + column * cs + cs / 2;
}

int32_t CellCentreY(int32_t row) {
  const int32_t cs = BoardCellSize();
  return (board ? board->originY : 0) + row * cs + cs / 2;
}

// ---- Particles ---------------------------------------------------------------------------------

VolcanoEntityPtr TVolcanoEntity::Create(float x, float y, float endX, float endY, float controlX,
                                        float controlY, float speed, float scale) {
  return MakeParticle<TVolcanoEntity>(x, y, endX, endY, controlX, controlY, speed, scale);
}

void TVolcanoEntity::advance() {
  if (t > 1.0f) {
    t = 1.0f;
    alive = 0;
    return;
  }
  // Summed in double as the float and the frame factor meet, then kept in single precision:
  // the step on which t passes 1 depends on it.
  t = static_cast<float>(t + speed * delta);
  // Just beyond the end, so the particle is drawn once more at its end before it goes.
  if (t > 1.0f) t = 1.001f;
}

void TVolcanoEntity::placeOnCurve() {
  x = startX + 2.0f * t * (controlX - startX) + t * t * (startX - 2.0f * controlX + endX);
  y = startY + 2.0f * t * (controlY - startY) + t * t * (startY - 2.0f * controlY + endY);
}

void TVolcanoEntity::Update() {
  advance();
  placeOnCurve();
}

void TVolcanoEntity::Draw(const ImagePtr& image, int32_t, int32_t) {
  if (red >= 0 && green >= 0 && blue >= 0) SetColor(red, green, blue);
  SetScale(scale, scale);
  DrawImage(image, x - static_cast<float>(ImageWidth(image) / 2) * scale,
            y - static_cast<float>(ImageHeight(image) / 2) * scale, 0);
}

std::shared_ptr<TFireEntity> TFireEntity::Create(float x, float y, float endX, float endY,
                                                 float controlX, float controlY, float speed,
                                                 float scale) {
  return MakeParticle<TFireEntity>(x, y, endX, endY, controlX, controlY, speed, scale);
}

void TFireEntity::Draw(const ImagePtr& image, int32_t, int32_t) {
  const int32_t green = Rand(static_cast<int32_t>(100.0f * (1.0f - t)), 100);
  const int32_t blue = Rand(static_cast<int32_t>(20.0f * (1.0f - t)), 20);
  SetColor(200, green, blue);
  scale = 0.2f + 0.7f * t;
  SetScale(scale, scale);
  MidHandleImage(image);
  SetRotation(static_cast<float>(rotation));
  DrawImage(image, x, y, 0);
}

std::shared_ptr<TRemoveLineEntity> TRemoveLineEntity::Create(float x, float y, float endX,
                                                             float endY, float controlX,
                                                             float controlY, float speed,
                                                             float scale) {
  auto p = MakeParticle<TRemoveLineEntity>(x, y, endX, endY, controlX, controlY, speed, scale);
  p->wobble = static_cast<float>(Rnd(-2.0, 2.0));
  return p;
}

void TRemoveLineEntity::Update() {
  advance();
  wobble = static_cast<float>(wobbleRising == 1 ? wobble + 2.0 * delta : wobble - 2.0 * delta);
  if (wobble > wobbleAmplitude) wobbleRising = 0;
  if (wobble < -wobbleAmplitude) wobbleRising = 1;
  placeOnCurve();
  if (orientation == 1)
    y += wobble;
  else
    x += wobble;
  // Beyond the amplitude the colour flickers towards yellow.
  const int32_t k =
      wobbleAmplitude != 0.0f ? std::abs(static_cast<int32_t>(wobble / wobbleAmplitude)) : 0;
  red = 255;
  green = Rand(100 * (1 + k), 100);
  blue = Rand(20 * (1 + k), 20);
}

// ---- The emitter -------------------------------------------------------------------------------

TVolcanoEmiter::TVolcanoEmiter() : image(sparkImages[0]) {
  halfWidth = ImageWidth(image) / 2;
  halfHeight = ImageHeight(image) / 2;
}

void TVolcanoEmiter::aim(float fromX, float fromY, float toX, float toY, float newSpeed,
                         int32_t newCount) {
  startX = fromX;
  startY = fromY;
  endX = toX;
  endY = toY;
  // Into locals one after the other: x is drawn first.
  const float cx = RandomToward(fromX, toX);
  const float cy = RandomToward(fromY, toY);
  controlX = cx;
  controlY = cy;
  speed = newSpeed;
  count = static_cast<float>(newCount);
}

void TVolcanoEmiter::enlist() {
  if (!volcanoList) volcanoList = CreateList<VolcanoEmiterPtr>();
  volcanoList->AddLast(shared_from_this());
}

VolcanoEmiterPtr TVolcanoEmiter::Create(float fromX, float fromY, float toX, float toY,
                                        float speed, int32_t count, int32_t red, int32_t green,
                                        int32_t blue) {
  auto e = std::make_shared<TVolcanoEmiter>();
  e->aim(fromX, fromY, toX, toY, speed, count);
  e->red = red;
  e->green = green;
  e->blue = blue;
  e->enlist();
  return e;
}

void TVolcanoEmiter::updateAll() {
  if (!volcanoList) return;
  // Each emitter's successor is taken before it runs: an emitter that leaves the list during its
  // own update does not end the walk, and a stream appended by the last emitter first runs on
  // the next frame.
  auto it = volcanoList->begin();
  while (it != volcanoList->end()) {
    const VolcanoEmiterPtr emitter = *it;
    ++it;
    emitter->Update();
  }
}

void TVolcanoEmiter::Update() {
  if (emitted < count) {
    AddEntity();
    emitted += 1.0f;
  } else if (particles->IsEmpty()) {
    if (volcanoList) volcanoList->Remove(shared_from_this());
    return;
  }
  SetBlend(LIGHTBLEND);
  SetAlpha(1.0f);
  SetColor(red, green, blue);
  for (const VolcanoEntityPtr& p : *particles) {
    if (p->alive == 0) {
      const VolcanoEntityPtr keep = p;
      particles->Remove(keep);
      continue;
    }
    p->Update();
    p->Draw(image, halfWidth, halfHeight);
  }
  SetScale(1.0f, 1.0f);
  SetColor(255, 255, 255);
  _update();
}

void TVolcanoEmiter::AddEntity() {
  particles->AddLast(TVolcanoEntity::Create(startX, startY, endX, endY, controlX, controlY, speed,
                                            1.0f - emitted / count));
}

void TVolcanoEmiter::_update() {}

// ---- Vanish and drain --------------------------------------------------------------------------

std::shared_ptr<TRemoveRandomColorsEmiter> TRemoveRandomColorsEmiter::add(
    float fromX, float fromY, float toX, float toY, int32_t red, int32_t green, int32_t blue,
    int32_t cellX, int32_t cellY, int32_t cellColour) {
  return StartCellStream<TRemoveRandomColorsEmiter>(fromX, fromY, toX, toY, red, green, blue,
                                                    cellX, cellY, cellColour);
}

void TRemoveRandomColorsEmiter::_update() {
  // The flicker shows from the next frame on.
  const int32_t r = Rand(100, 255);
  const int32_t g = Rand(100, 255);
  const int32_t b = Rand(100, 255);
  red = r;
  green = g;
  blue = b;
  if (pending != 1 || !FirstParticleGone(*this)) return;
  // The cell is removed whether or not it still holds a rune.
  RemoveInRuneColours(cellX, cellY, endX, endY, cellColour);
  pending = 0;
  CheckGameOver();
}

std::shared_ptr<TRemoveColorEmiter> TRemoveColorEmiter::add(float fromX, float fromY, float toX,
                                                            float toY, int32_t red,
                                                            int32_t green, int32_t blue,
                                                            int32_t cellX, int32_t cellY,
                                                            int32_t cellColour) {
  return StartCellStream<TRemoveColorEmiter>(fromX, fromY, toX, toY, red, green, blue, cellX,
                                             cellY, cellColour);
}

void TRemoveColorEmiter::_update() {
  if (pending != 1 || !FirstParticleGone(*this)) return;
  RemoveCell(cellX, cellY, endX, endY, red, green, blue, cellColour);
  pending = 0;
  CheckGameOver();
}

// ---- The stream to the sphere ------------------------------------------------------------------

std::shared_ptr<TToSphereEmiter> TToSphereEmiter::add(float x, float y, int32_t red,
                                                      int32_t green, int32_t blue, int32_t cellX,
                                                      int32_t cellY, int32_t colour) {
  auto e = std::make_shared<TToSphereEmiter>();
  int32_t vialX = 0;
  int32_t vialY = 0;
  if (magicSphere) magicSphere->GetColorXY(colour, vialX, vialY);
  e->aim(x, y, static_cast<float>(vialX), static_cast<float>(vialY), kSphereStreamSpeed,
         kStreamCount);
  e->red = red;
  e->green = green;
  e->blue = blue;
  e->cellX = cellX;
  e->cellY = cellY;
  e->enlist();
  return e;
}

void TToSphereEmiter::_update() {
  if (emitted != static_cast<float>(kSphereHighlightStep)) return;
  if (board && OnBoard(cellX, cellY))
    board->highlights[static_cast<size_t>(cellX)][static_cast<size_t>(cellY)] = 0;
}

// ---- Heal --------------------------------------------------------------------------------------

std::shared_ptr<THealEmiter> THealEmiter::add(float x, float y, float cellX, int32_t cellY) {
  return StartFire<THealEmiter>(x, y, cellX, cellY, kHealCount);
}

void THealEmiter::AddEntity() { EmitFire(*this, kHealRadius, kHealBurst); }

void THealEmiter::_update() {
  if (pending == 1 && FirstParticleGone(*this) && board && OnBoard(cellX, cellY) &&
      board->runeIds[static_cast<size_t>(cellX)][static_cast<size_t>(cellY)] != 0) {
    const auto c = static_cast<size_t>(cellX);
    const auto r = static_cast<size_t>(cellY);
    const int32_t id = board->runeIds[c][r];
    RunePtr rune = runes ? runes->_findRuneByID(FromInt(id)) : nullptr;
    // Anything but a stone waits: a stone may still come.
    if (rune && rune->blocked != 0) {
      int32_t healed = 0;  // 0: the stone stays
      if (id == kObstacleRune) {
        // The stone form of a random rune of the level. With no rune to draw from, the stone
        // stays and the heal is over.
        const int32_t n = blocks && blocks->availableRunes ? blocks->availableRunes->Count() : 0;
        if (n > 0) {
          const String entry = blocks->availableRunes->ValueAtIndex(Rand(0, n - 1));
          RunePtr drawn = runes->_findRuneByID(FromInt(ToInt(entry)));
          if (drawn) healed = ToInt(drawn->blocked != 0 ? drawn->id : drawn->blockedId);
        }
      } else {
        healed = runes->unblocked(id);
      }
      if (healed != 0) {
        board->runeIds[c][r] = healed;
        board->colours[c][r] = runes->getRuneColor(FromInt(healed));
        board->placedAt[c][r] = MilliSecs();
      }
      pending = 0;
      CheckGameOver();
    }
  }
  UndoFireDrawing(image);
}

// ---- Holy fire ---------------------------------------------------------------------------------

std::shared_ptr<TRemoveLineEmiter> TRemoveLineEmiter::add(float fromX, float fromY, float toX,
                                                          float toY, int32_t orientation) {
  auto e = std::make_shared<TRemoveLineEmiter>();
  e->startX = e->controlX = fromX;
  e->startY = e->controlY = fromY;
  e->endX = toX;
  e->endY = toY;
  e->speed = kLineSpeed;
  e->count = static_cast<float>(kLineCount);
  e->orientation = orientation;
  e->enlist();
  return e;
}

void TRemoveLineEmiter::AddEntity() {
  auto p = TRemoveLineEntity::Create(startX, startY, endX, endY, controlX, controlY, speed,
                                     0.1f + 1.4f * (1.0f - emitted / count));
  p->wobbleAmplitude = 2.0f + 5.0f * emitted / count;
  p->orientation = orientation;
  particles->AddLast(p);
}

void TRemoveLineEmiter::_update() {
  if (particles->IsEmpty() || !board || board->cellSize == 0) return;
  const VolcanoEntityPtr lead = particles->First();
  // Rounded down, so a lead left of or above the board lies outside it rather than on its
  // first column or row.
  const auto column = static_cast<int32_t>(
      std::floor((lead->x - static_cast<float>(board->originX)) /
                 static_cast<float>(board->cellSize)));
  const auto row = static_cast<int32_t>(
      std::floor((lead->y - static_cast<float>(board->originY)) /
                 static_cast<float>(board->cellSize)));
  if (!OnBoard(column, row)) return;
  const auto c = static_cast<size_t>(column);
  const auto r = static_cast<size_t>(row);
  if (board->runeIds[c][r] == 0) return;
  const int32_t colour = board->colours[c][r];
  const int32_t sr = runes ? runes->getRuneRGB(colour, 1) : 0;
  const int32_t sg = runes ? runes->getRuneRGB(colour, 2) : 0;
  const int32_t sb = runes ? runes->getRuneRGB(colour, 3) : 0;
  red = sr;
  green = sg;
  blue = sb;
  RemoveCell(column, row, lead->x, lead->y, red, green, blue, colour);
  CheckGameOver();
}

// ---- Bomb --------------------------------------------------------------------------------------

std::shared_ptr<TRemoveBlockEmiter> TRemoveBlockEmiter::add(float x, float y, float cellX,
                                                            int32_t cellY) {
  return StartFire<TRemoveBlockEmiter>(x, y, cellX, cellY, kBombCount);
}

void TRemoveBlockEmiter::AddEntity() { EmitFire(*this, kBombRadius, kBombBurst); }

void TRemoveBlockEmiter::_update() {
  if (pending == 1 && emitted > 0.6f * static_cast<float>(particles->Count())) {
    if (board && OnBoard(cellX, cellY) &&
        board->runeIds[static_cast<size_t>(cellX)][static_cast<size_t>(cellY)] != 0) {
      RemoveInRuneColours(cellX, cellY, endX, endY,
                          board->colours[static_cast<size_t>(cellX)][static_cast<size_t>(cellY)]);
    }
    pending = 0;
    CheckGameOver();
  }
  UndoFireDrawing(image);
}
