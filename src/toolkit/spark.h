// Sparks: the one particle of the game. A small image moving on a line or a circle, fading by
// the frames it has left, drawn with the light blend. Every spark lives in SparkList.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics.h"
#include "platform/list.h"

class TSpark;
using SparkPtr = std::shared_ptr<TSpark>;

class TSpark : public std::enable_shared_from_this<TSpark> {
 public:
  float x = 0.0f;  // top-left corner of the image
  float y = 0.0f;
  int32_t red = 0;
  int32_t green = 0;
  int32_t blue = 0;
  float scale = 0.0f;
  float life = 0.0f;     // frames left, falls by delta each frame
  float maxLife = 0.0f;  // the life given at creation
  float vx = 0.0f;       // pixels per frame at 60 frames per second
  float vy = 0.0f;
  int32_t angle = 0;  // circular motion, degrees
  int32_t radius = 0;
  int32_t centerX = 0;
  int32_t centerY = 0;
  int32_t moveType = 0;  // 0 along (vx, vy), 1 on the circle
  ImagePtr image;
  int32_t blend = 0;      // 1 light, 2 alpha, anything else keeps the blend in force
  int32_t alphaMode = 0;  // 0 fade out, 1 fade in/hold/fade out, anything else keeps the alpha

  virtual ~TSpark() = default;

  // A new spark at the front of SparkList (drawn under the older ones).
  static SparkPtr Create(const ImagePtr& image, int32_t x, int32_t y, float scale, int32_t life,
                         int32_t red, int32_t green, int32_t blue, int32_t blend,
                         int32_t alphaMode);
  virtual void setVelocity(float vx, float vy);
  // Moves on a circle from now on, one degree per frame.
  virtual void setMovementType(int32_t angle, int32_t radius, int32_t centerX, int32_t centerY);
  // Takes this spark out of SparkList.
  virtual void Destroy();
  static int allDestroyed();
  static void destroyAll();
  // One frame of every spark: move, set blend and alpha, draw, age, expire.
  static int UpdateAll();
};

// The five spark image slots (slot 4 stays empty), filled by the loading screen.
extern std::array<ImagePtr, 5> sparkImages;
// Every live spark, newest first.
extern TListPtr<SparkPtr> SparkList;

// Loads a spark picture (filtered and mipmapped) into a slot of sparkImages.
int loadSparkImage(int index, const std::string& path);
