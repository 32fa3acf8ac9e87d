// Spell particle emitters: the particles a cast spell sends over the board, and the emitters that
// change the board when their particles get there. Every emitter flies its particles along a
// quadratic Bezier curve (start P0, control P1, end P2), one emission step per frame; the fire
// kinds burst theirs from a cell's centre towards a ring round it. The kinds:
//   TRemoveRandomColorsEmiter  vanish: a flickering stream to a cell, removes its rune on arrival
//   TRemoveColorEmiter         drain: the same stream in the drained colour
//   TToSphereEmiter            a stream from a board point to the magic sphere's vial of a colour
//   THealEmiter                heal: fire over a stone that turns it back into a rune
//   TRemoveLineEmiter          holy fire: a wobbling stream that removes every rune it passes
//   TRemoveBlockEmiter         bomb: fire over one cell of the bomb's square that removes its rune
// Every live emitter is in volcanoList; `add` of each kind starts one and appends it there.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/graphics.h"
#include "platform/list.h"

class TVolcanoEntity;
using VolcanoEntityPtr = std::shared_ptr<TVolcanoEntity>;
class TVolcanoEmiter;
using VolcanoEmiterPtr = std::shared_ptr<TVolcanoEmiter>;

// One particle on its curve.
class TVolcanoEntity {
 public:
  float x = 0.0f, y = 0.0f;            // current screen position
  float startX = 0.0f, startY = 0.0f;  // P0
  float endX = 0.0f, endY = 0.0f;      // P2
  float controlX = 0.0f, controlY = 0.0f;  // P1
  float t = 0.0f;       // curve parameter: 0 at creation, 1.001 on the step that passes 1
  float speed = 0.0f;   // increase of t per unit of delta
  // Own drawing colour; -1 keeps the colour the emitter set.
  int32_t red = -1, green = -1, blue = -1;
  float scale = 0.0f;
  int32_t alive = 0;  // 1 from Create until the step after t passed 1

  virtual ~TVolcanoEntity() = default;
  static VolcanoEntityPtr Create(float x, float y, float endX, float endY, float controlX,
                                 float controlY, float speed, float scale);
  // One step along the curve, scaled by delta.
  virtual void Update();
  // The image centred on the particle, with its handle at its top-left corner.
  virtual void Draw(const ImagePtr& image, int32_t halfWidth, int32_t halfHeight);

 protected:
  // The first two parts of a step: end the particle, or advance t.
  void advance();
  // The curve point at the current t.
  void placeOnCurve();
};

// A fire particle of heal and bomb: flickers from orange towards red and grows as it flies.
class TFireEntity : public TVolcanoEntity {
 public:
  int32_t rotation = 0;  // degrees

  static std::shared_ptr<TFireEntity> Create(float x, float y, float endX, float endY,
                                             float controlX, float controlY, float speed,
                                             float scale);
  void Draw(const ImagePtr& image, int32_t halfWidth, int32_t halfHeight) override;
};

// A holy fire particle: wobbles across its line within a growing amplitude.
class TRemoveLineEntity : public TVolcanoEntity {
 public:
  float wobble = 0.0f;           // pixels across the line
  int32_t wobbleRising = 1;
  float wobbleAmplitude = 0.0f;  // pixels
  int32_t orientation = 1;       // 1: the wobble moves y (a line along a row); 0: x

  static std::shared_ptr<TRemoveLineEntity> Create(float x, float y, float endX, float endY,
                                                   float controlX, float controlY, float speed,
                                                   float scale);
  void Update() override;
};

class TVolcanoEmiter : public std::enable_shared_from_this<TVolcanoEmiter> {
 public:
  float startX = 0.0f, startY = 0.0f;  // P0 of every particle
  float endX = 0.0f, endY = 0.0f;      // P2; the fire kinds keep their last ring point here
  float controlX = 0.0f, controlY = 0.0f;  // P1
  float speed = 0.0f;
  float count = 0.0f;    // emission steps in all
  float emitted = 0.0f;  // emission steps done
  ImagePtr image;        // sparkImages[0], taken at construction
  int32_t halfWidth = 0, halfHeight = 0;  // the image's size div 2
  TListPtr<VolcanoEntityPtr> particles = CreateList<VolcanoEntityPtr>();  // oldest first
  int32_t red = 0, green = 0, blue = 0;  // the particles' drawing colour

  TVolcanoEmiter();
  virtual ~TVolcanoEmiter() = default;

  // The generic emitter: a control point at random in the box between the two points.
  static VolcanoEmiterPtr Create(float fromX, float fromY, float toX, float toY, float speed,
                                 int32_t count, int32_t red, int32_t green, int32_t blue);
  // One frame of every emitter of volcanoList, in list order.
  static void updateAll();
  // One frame of this emitter: emission, drawing, its effect step; it leaves volcanoList once
  // every particle has been emitted and has ended.
  virtual void Update();
  // One emission step.
  virtual void AddEntity();
  // The kind's effect step, at the end of each frame.
  virtual void _update();

  // For the kinds' `add`: start, end, speed and count, the control point at random in the box between start and end.
  void aim(float fromX, float fromY, float toX, float toY, float newSpeed, int32_t newCount);
  // Puts this emitter at the end of volcanoList.
  void enlist();
};

// Vanish: removes its target cell's rune when the first particle arrives.
class TRemoveRandomColorsEmiter : public TVolcanoEmiter {
 public:
  int32_t cellX = 0, cellY = 0;  // the target cell
  int32_t cellColour = 0;        // the target rune's colour number at the cast
  int32_t pending = 0;           // 1 until the target has been removed
  int32_t createdAt = 0;         // MilliSecs at the start

  static std::shared_ptr<TRemoveRandomColorsEmiter> add(float fromX, float fromY, float toX,
                                                        float toY, int32_t red, int32_t green,
                                                        int32_t blue, int32_t cellX,
                                                        int32_t cellY, int32_t cellColour);
  void _update() override;
};

// Drain: the same as vanish, in one steady colour.
class TRemoveColorEmiter : public TVolcanoEmiter {
 public:
  int32_t cellX = 0, cellY = 0;
  int32_t cellColour = 0;
  int32_t pending = 0;
  int32_t createdAt = 0;

  static std::shared_ptr<TRemoveColorEmiter> add(float fromX, float fromY, float toX, float toY,
                                                 int32_t red, int32_t green, int32_t blue,
                                                 int32_t cellX, int32_t cellY,
                                                 int32_t cellColour);
  void _update() override;
};

// A stream from a board point to the vial of a colour (the sphere's centre when none holds it).
class TToSphereEmiter : public TVolcanoEmiter {
 public:
  int32_t cellX = 0, cellY = 0;  // the cell whose highlight the stream clears

  static std::shared_ptr<TToSphereEmiter> add(float x, float y, int32_t red, int32_t green,
                                              int32_t blue, int32_t cellX, int32_t cellY,
                                              int32_t colour);
  void _update() override;
};

// Heal: fire over a stone that turns it back into a rune when the burst dies down.
class THealEmiter : public TVolcanoEmiter {
 public:
  int32_t cellX = 0, cellY = 0;
  int32_t pending = 0;

  static std::shared_ptr<THealEmiter> add(float x, float y, float cellX, int32_t cellY);
  void AddEntity() override;
  void _update() override;
};

// Holy fire: a stream along a row or column removing every rune under its lead particle.
class TRemoveLineEmiter : public TVolcanoEmiter {
 public:
  int32_t orientation = 0;  // 1 along a row, 0 along a column

  static std::shared_ptr<TRemoveLineEmiter> add(float fromX, float fromY, float toX, float toY,
                                                int32_t orientation);
  void AddEntity() override;
  void _update() override;
};

// Bomb: fire over one cell that removes its rune when the burst dies down.
class TRemoveBlockEmiter : public TVolcanoEmiter {
 public:
  int32_t cellX = 0, cellY = 0;
  int32_t pending = 0;

  static std::shared_ptr<TRemoveBlockEmiter> add(float x, float y, float cellX, int32_t cellY);
  void AddEntity() override;
  void _update() override;
};

// Every running emitter, in the order started; created empty at start-up.
extern TListPtr<VolcanoEmiterPtr> volcanoList;

// One colour component (1 red, 2 green, 3 blue) of a rune colour's sparks plus a jitter of
// -20..20, drawn in that order.
int32_t JitteredRuneRGB(int32_t colour, int32_t component);

// The screen centre of a board cell (integer halves of the cell).
int32_t CellCentreX(int32_t column);
int32_t CellCentreY(int32_t row);
