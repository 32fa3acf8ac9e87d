// A stage picture of the world map: one region of the quest drawn over the map at a fixed place
// (its top-left corner). The stage of the level to play next glows pale blue, stages already
// passed are drawn plainly and stages ahead at half strength. Stage pictures are drawn after the
// level markers, so they are transparent wherever a marker stands.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics.h"
#include "platform/text.h"

class TMapStage {
 public:
  virtual ~TMapStage() = default;

  int32_t number = 0;  // markers whose stage equals it belong to this picture
  int32_t x = 0;       // top-left corner, whole screen pixels
  int32_t y = 0;
  ImagePtr image;      // null when the picture did not load: then nothing is drawn
  String imagePath;    // as the map file gave it; the editor's save writes it back unchanged

  // A new stage with its picture loaded from `imagePath` exactly as given (nothing is put in
  // front of it). A picture that does not load is reported once on standard output; the stage
  // keeps its number, path and position all the same.
  static std::shared_ptr<TMapStage> Create(int32_t number, const String& imagePath, int32_t x,
                                           int32_t y);

  // Draws the picture for the stage `currentStage` at the map's `alpha`: the current stage
  // plainly and once more in light blending, pale blue, at 0.6 of the alpha; a stage passed
  // plainly; a stage ahead at half the alpha. Ends with white and alpha blending when it glowed;
  // the alpha stays at the last value it set.
  virtual void Draw(int32_t currentStage, float alpha);
};
using MapStagePtr = std::shared_ptr<TMapStage>;

// The current stage's glow: its share of the alpha and its tint; a stage ahead's share.
inline constexpr float kStageGlowAlpha = 0.6f;
inline constexpr int kStageGlowRed = 200, kStageGlowGreen = 200, kStageGlowBlue = 255;
inline constexpr float kStageAheadAlpha = 0.5f;

// Writes "The map picture PATH could not be loaded" to standard output.
void ReportMissingMapPicture(const std::string& path);
// Draws frame 0 of a map picture at (x, y); one that did not load has been reported and is
// left out.
void DrawMapPicture(const ImagePtr& image, float x, float y);
