#include "game/levels/points_manager.h"

#include <algorithm>
#include <limits>
#include <string>

#include "services/data_folders.h"
#include "services/mouse.h"
#include "toolkit/container.h"

const std::array<int32_t, 10> cyfry1Width = {12, 12, 12, 12, 12, 12, 12, 12, 12, 12};
const std::array<int32_t, 10> levelFontWidth = {12, 7, 12, 12, 12, 12, 12, 12, 12, 12};
const std::array<int32_t, 10> cyfry2Width = {22, 10, 19, 19, 19, 19, 18, 16, 19, 19};

PointsManagerPtr points;

namespace {

// The rope shared with the level timer, registered by the loading screen.
constexpr int kRopeImageId = 5000;

// Scores add with the wrap-around of 32-bit integers, never with undefined overflow.
int32_t WrappingSum(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

int32_t BankedSum(int32_t total, int64_t banked) {
  constexpr int64_t kLowest = std::numeric_limits<int32_t>::min();
  constexpr int64_t kHighest = std::numeric_limits<int32_t>::max();
  // Both terms are far inside int64, so their sum is exact before it is held.
  return static_cast<int32_t>(std::clamp(static_cast<int64_t>(total) + banked, kLowest, kHighest));
}

std::string DigitText(int32_t value, int32_t minDigits) {
  int64_t magnitude = value;
  if (magnitude < 0) magnitude = -magnitude;
  std::string text = std::to_string(magnitude);
  if (static_cast<int64_t>(text.size()) < minDigits) {
    text.insert(0, static_cast<size_t>(minDigits) - text.size(), '0');
  }
  return text;
}

void TPointsManager::loadGfx() {
  digitFont1 = LoadAnimImage(bundleDir + "gfx/fonts/cyfry1.png", 16, 24, 0, 10);
  digitFont2 = LoadAnimImage(bundleDir + "gfx/fonts/cyfry2.png", 32, 32, 0, 10);
  levelFont = LoadAnimImage(bundleDir + "gfx/fonts/level.png", 16, 21, 0, 10);
  panelImage = LoadImage(bundleDir + "gfx/gui/punkty.png");
  panelDecoration = LoadImage(bundleDir + "gfx/gui/decha.png");
  menuButton = LoadImage(bundleDir + "gfx/gui/menuS1.png");
  menuButtonOver = LoadImage(bundleDir + "gfx/gui/menuS2.png");
}

void TPointsManager::Draw(int32_t /*unused*/) {
  SetBlend(ALPHABLEND);
  SetTransform(0.0f, 1.0f, 1.0f);
  SetAlpha(1.0f);

  menuHover = 0;
  if (mouse && mouse->x >= panelX + 40 && mouse->x <= panelX + 102 && mouse->y >= panelY + 193 &&
      mouse->y <= panelY + 213) {
    menuHover = 1;
  }

  if (data) {
    ImagePtr rope = data->GetImage(kRopeImageId);
    DrawImage(rope, static_cast<float>(panelX + 36), static_cast<float>(panelY + 85));
    DrawImage(rope, static_cast<float>(panelX + 92), static_cast<float>(panelY + 85));
  }
  DrawImage(panelImage, static_cast<float>(panelX), static_cast<float>(panelY));
  DrawImage(panelDecoration, static_cast<float>(panelX + 4), static_cast<float>(panelY + 126));
  DrawImage(menuHover == 1 ? menuButtonOver : menuButton, static_cast<float>(panelX + 40),
            static_cast<float>(panelY + 193));
  _drawNumber(shownScore(), 7, panelX + 28, panelY + 42, 1, 0);
}

void TPointsManager::DrawTimeatack() { Draw(0); }

void TPointsManager::DrawEndless() { Draw(0); }

void TPointsManager::add(int32_t points) { levelPoints = WrappingSum(levelPoints, points); }

int32_t TPointsManager::shownScore() const { return WrappingSum(totalPoints, levelPoints); }

int32_t TPointsManager::_drawNumber(int32_t value, int32_t digits, int32_t x, int32_t y, int32_t font,
                                    int32_t center) {
  const std::string text = DigitText(value, digits);
  SetColor(255, 255, 255);
  SetAlpha(0.9f);

  ImagePtr strip;
  const std::array<int32_t, 10>* widths = nullptr;
  switch (font) {
    case 1:
      strip = digitFont1;
      widths = &cyfry1Width;
      break;
    case 2:
      strip = levelFont;
      widths = &levelFontWidth;
      break;
    case 3:
      strip = digitFont2;
      break;
    default:
      return 0;
  }
  auto advance = [widths](int d) { return widths ? (*widths)[static_cast<size_t>(d)] : 21; };

  if (center != 0) {
    int32_t total = 0;
    for (char c : text) total += advance(c - '0');
    x -= total / 2;
  }
  int32_t cursor = 0;
  for (char c : text) {
    const int d = c - '0';
    DrawImage(strip, static_cast<float>(x + cursor), static_cast<float>(y), d);
    cursor += advance(d);
  }
  return cursor;
}
