// A packed colour split into its four 0..255 components.
#pragma once
#include <cstdint>
#include <memory>

class TColor {
 public:
  virtual ~TColor() = default;

  int32_t red = 0;
  int32_t green = 0;
  int32_t blue = 0;
  int32_t alpha = 0;
  int32_t packed = 0;  // AARRGGBB

  // Stores the packed colour and splits it.
  virtual void Color(int32_t packedColor);
  // Components of the ARGUMENT, not of this colour's fields.
  virtual uint8_t Red(int32_t value);
  virtual uint8_t Green(int32_t value);
  virtual uint8_t Blue(int32_t value);
  virtual uint8_t Alpha(int32_t value);
};
using ColorPtr = std::shared_ptr<TColor>;

ColorPtr CreateColor(int32_t packed);
