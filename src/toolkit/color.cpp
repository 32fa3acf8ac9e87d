#include "toolkit/color.h"

namespace {
uint8_t Byte(int32_t value, int shift) {
  return static_cast<uint8_t>((static_cast<uint32_t>(value) >> shift) & 0xFFu);
}
}  // namespace

void TColor::Color(int32_t packedColor) {
  packed = packedColor;
  red = Red(packedColor);
  green = Green(packedColor);
  blue = Blue(packedColor);
  alpha = Alpha(packedColor);
}

uint8_t TColor::Red(int32_t value) { return Byte(value, 16); }
uint8_t TColor::Green(int32_t value) { return Byte(value, 8); }
uint8_t TColor::Blue(int32_t value) { return Byte(value, 0); }
uint8_t TColor::Alpha(int32_t value) { return Byte(value, 24); }

ColorPtr CreateColor(int32_t packed) {
  auto c = std::make_shared<TColor>();
  c->Color(packed);
  return c;
}
