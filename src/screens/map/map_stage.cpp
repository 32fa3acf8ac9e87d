#include "screens/map/map_stage.h"

std::shared_ptr<TMapStage> TMapStage::Create(int32_t number, const String& imagePath, int32_t x,
                                             int32_t y) {
  auto stage = std::make_shared<TMapStage>();
  stage->number = number;
  stage->imagePath = imagePath;
  stage->image = LoadImage(imagePath, DEFAULT_IMAGE_FLAGS);
  if (!stage->image) ReportMissingMapPicture(ToPath(imagePath));
  stage->x = x;
  stage->y = y;
  return stage;
}

void TMapStage::Draw(int32_t currentStage, float alpha) {
  // A picture that did not load is left out; its stage stays on the map for the editor.
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  if (number == currentStage) {
    SetAlpha(alpha);
    DrawMapPicture(image, fx, fy);
    SetBlend(LIGHTBLEND);
    SetAlpha(kStageGlowAlpha * alpha);
    SetColor(kStageGlowRed, kStageGlowGreen, kStageGlowBlue);
    DrawMapPicture(image, fx, fy);
    SetColor(255, 255, 255);
    SetBlend(ALPHABLEND);
  } else if (number < currentStage) {
    SetAlpha(alpha);
    DrawMapPicture(image, fx, fy);
  } else {
    SetAlpha(kStageAheadAlpha * alpha);
    DrawMapPicture(image, fx, fy);
  }
}

void DrawMapPicture(const ImagePtr& image, float x, float y) {
  if (image) DrawImage(image, x, y, 0);
}

void ReportMissingMapPicture(const std::string& path) {
  Print(S("The map picture ") + FromPath(path) + S(" could not be loaded"));
}
