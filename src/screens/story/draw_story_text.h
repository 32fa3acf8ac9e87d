// The text lines of one story page: up to six lines drawn black and slightly transparent on the
// story screen's bottom panel, top to bottom from a fixed point. The story screen keeps two, the
// current page's and the previous page's while it fades out; the Draw factor carries the fade.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "platform/text.h"

// Room for the lines of one page.
inline constexpr int32_t kStoryTextSlots = 6;

class TDrawStoryText {
 public:
  virtual ~TDrawStoryText() = default;

  std::array<String, kStoryTextSlots> lines{};  // slot 0 on top; "" until set
  int32_t count = 0;  // lines drawn, 0..6; set directly by the story screen

  // Stores `text` in slot `index`; an index outside 0..5 is ignored. The count stays.
  virtual void setLine(int32_t index, const String& text);
  // Draws the first `count` lines in the current image font: black at alpha 0.8 x factor, the
  // first at (105, 440), or at (105, 425) for five or six lines, each one font height below the
  // one before. Leaves colour, alpha and scale as it set them.
  virtual void Draw(float factor);
  // Empties all six slots; the count becomes 0.
  virtual void Clear();
  // Takes the source's count and its first `count` lines; the other slots keep theirs.
  virtual void Copy(const TDrawStoryText& source);
};
using DrawStoryTextPtr = std::shared_ptr<TDrawStoryText>;
