// A level marker of the world map: one quest level drawn as a picture centred on its map point.
// Levels already played show their done picture, the level to play next and those ahead the
// other one; the marker of the level to play next also carries a glow whose opacity pulses up and
// down, one step per drawn frame.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/graphics.h"

// Marker kinds, as the map file and the editor number them. Kinds 1, 2 and 4 share one pair of
// pictures; 3 and 5 have their own.
inline constexpr int32_t kMapKindBoard = 1;   // a board level
inline constexpr int32_t kMapKindMiniGame = 3;  // a picture puzzle or a ring game
inline constexpr int32_t kMapKindBoss = 5;    // a boss level: its own pictures and glow
inline constexpr int32_t kMapKindCount = 5;   // kinds run 1..5; any other makes no marker

class TMapLevel {
 public:
  virtual ~TMapLevel() = default;

  float x = 0.0f;  // centre of the pictures, screen pixels
  float y = 0.0f;
  int32_t kind = 0;    // 1..5: selects the pictures and the glow
  int32_t number = 0;  // the quest level this marker stands for
  int32_t stage = 0;   // the stage the level belongs to; the marker itself never reads it
  // The glow's opacity factor while this is the marker of the level to play next. It steps by
  // 0.035 per drawn frame and is never reset, so a marker that becomes current again resumes
  // where it stopped.
  float pulse = 1.0f;
  int32_t pulseRising = 0;  // non-zero while the pulse grows
  ImagePtr image;      // the level to play next and the levels ahead
  ImagePtr doneImage;  // the levels already played

  // A new marker; x and y become its float centre. Nothing is validated.
  static std::shared_ptr<TMapLevel> Create(int32_t number, int32_t stage, int32_t kind, int32_t x,
                                           int32_t y, const ImagePtr& image,
                                           const ImagePtr& doneImage);

  // Draws the marker for the level `currentLevel` (the one to play next) at the map's `alpha`.
  // The current level's marker steps its pulse first and then draws the glow of its kind from
  // the global map over its picture. Leaves the alpha at the last value it set.
  virtual void Draw(int32_t currentLevel, float alpha);
};
using MapLevelPtr = std::shared_ptr<TMapLevel>;

// The glow's pulse: the step per frame and the bounds past which it turns.
inline constexpr float kMarkerPulseStep = 0.035f;
inline constexpr float kMarkerPulseTop = 1.0f;
inline constexpr float kMarkerPulseBottom = 0.5f;
