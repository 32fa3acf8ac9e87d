// The player's score (points banked from finished levels plus the points of the level in play)
// and the score panel at the lower left of every board level, with its menu button.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics.h"

// Pen advances of the digits 0..9 of the three digit pictures (created once, never changed):
// the score strip, the small level digits and the caption digits.
extern const std::array<int32_t, 10> cyfry1Width;
extern const std::array<int32_t, 10> levelFontWidth;
extern const std::array<int32_t, 10> cyfry2Width;

// The digits of a number as they are drawn: the decimal text of its magnitude (the digit
// pictures hold no minus sign, so a negative number shows its digits only), with zeros in front
// up to `minDigits` characters.
std::string DigitText(int32_t value, int32_t minDigits = 0);

// `total` with `banked` points added, held to the int range: a bank that would overflow (huge
// counts from a damaged profile) stops at the largest or smallest total instead of wrapping.
int32_t BankedSum(int32_t total, int64_t banked);

class TPointsManager {
 public:
  int32_t totalPoints = 0;   // banked from finished quest levels
  int32_t levelPoints = 0;   // of the level in play
  ImagePtr digitFont1;       // "gfx/fonts/cyfry1.png", 10 cells of 16 x 24
  ImagePtr digitFont2;       // "gfx/fonts/cyfry2.png", 10 cells of 32 x 32
  int32_t menuHover = 0;     // 1 while the pointer was over the menu button at the last Draw
  int32_t levelActive = 0;   // 1 while a board game is played, 0 in its summary
  ImagePtr levelFont;        // "gfx/fonts/level.png", 10 cells of 16 x 21
  ImagePtr panelImage;       // "gfx/gui/punkty.png"
  ImagePtr panelDecoration;  // "gfx/gui/decha.png"
  ImagePtr menuButton;       // "gfx/gui/menuS1.png"
  ImagePtr menuButtonOver;   // "gfx/gui/menuS2.png"
  int32_t panelX = 31;       // top-left corner of the panel on the screen
  int32_t panelY = 352;

  virtual ~TPointsManager() = default;

  // Loads the three digit strips and the four panel pictures, replacing what was loaded.
  virtual void loadGfx();
  // Draws the score panel with the score and the menu button, and sets menuHover.
  virtual void Draw(int32_t unused = 0);
  virtual void DrawTimeatack();
  virtual void DrawEndless();
  // Adds to the points of the level in play.
  virtual void add(int32_t points);
  // Draws `value` zero-padded to `digits` characters with the strip of `font` (1 score digits,
  // 2 level digits, 3 large digits; any other code draws nothing), its left edge at x or, when
  // `center` is set, centred on x. Leaves the colour white and the alpha at 0.9. Returns the
  // width drawn.
  virtual int32_t _drawNumber(int32_t value, int32_t digits, int32_t x, int32_t y, int32_t font,
                              int32_t center);

  // The score the panel shows.
  int32_t shownScore() const;
};
using PointsManagerPtr = std::shared_ptr<TPointsManager>;

// Created by start-up among the singletons.
extern PointsManagerPtr points;
