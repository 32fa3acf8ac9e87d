#include "screens/story/draw_story_text.h"

#include <algorithm>

#include "platform/graphics.h"
#include "platform/image_font.h"

namespace {

constexpr float kLinesX = 105.0f;
constexpr int32_t kLinesY = 440;
// A long text (five or six lines) starts this much higher.
constexpr int32_t kLongTextLift = -15;
constexpr int32_t kShortTextLines = 4;
constexpr float kTextAlpha = 0.8f;

// The slots a count may draw: never more than there are.
int32_t DrawnSlots(int32_t count) { return std::clamp(count, 0, kStoryTextSlots); }

}  // namespace

void TDrawStoryText::setLine(int32_t index, const String& text) {
  if (index < 0 || index >= kStoryTextSlots) return;
  lines[static_cast<size_t>(index)] = text;
}

void TDrawStoryText::Draw(float factor) {
  int32_t offset = count > kShortTextLines ? kLongTextLift : 0;
  SetColor(0, 0, 0);
  SetAlpha(kTextAlpha * factor);
  SetScale(1.0f, 1.0f);
  for (int32_t i = 0; i < DrawnSlots(count); ++i) {
    const String& line = lines[static_cast<size_t>(i)];
    DrawText(line, kLinesX, static_cast<float>(kLinesY + offset));
    offset += TextHeight(line);
  }
}

void TDrawStoryText::Clear() {
  lines.fill(String());
  count = 0;
}

void TDrawStoryText::Copy(const TDrawStoryText& source) {
  count = source.count;
  for (int32_t i = 0; i < DrawnSlots(count); ++i)
    lines[static_cast<size_t>(i)] = source.lines[static_cast<size_t>(i)];
}
