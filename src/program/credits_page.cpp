// The credits lines and pages.
#include "program/credits_page.h"

#include "platform/system.h"
#include "toolkit/dim.h"
#include "toolkit/font.h"
#include "toolkit/spark_burst.h"
#include "toolkit/string_utils.h"

namespace {

constexpr float kScreenCentreX = 400.0f;
constexpr int32_t kScreenCentreY = 300;
// The sparks of a written character drift down slowly.
constexpr double kSparkFallLow = 0.0;
constexpr double kSparkFallHigh = 0.2;

}  // namespace

CreditsTextPtr TCreditsText::Create(const String& text, const TextFont& font, int32_t y) {
  CreditsTextPtr line = std::make_shared<TCreditsText>();
  line->lastStepTime = MilliSecs();
  line->fullText = text;
  line->label = CreateText(text, CreateDim(0, static_cast<float>(y), 0, 0, 0, 1, 1, 0), font,
                           1.0f, 0, 0, 0);
  // Measured on the whole line, so the finished line is centred and grows to the right.
  line->label->dim->x = kScreenCentreX - line->label->Width() / 2.0f;
  line->label->text = String();
  return line;
}

void TCreditsText::Draw() { label->Draw(); }

int32_t TCreditsText::Update() {
  const int32_t length = static_cast<int32_t>(fullText.size());
  if (shownChars > length) return 1;
  if (ElapsedMs(MilliSecs(), lastStepTime) <= stepInterval) return 0;
  lastStepTime = MilliSecs();
  ++shownChars;
  if (shownChars >= 1 && shownChars <= length) {
    label->text = Pos(fullText, 1, shownChars);
    PenSparks(label, kSparkFallLow, kSparkFallHigh);
  }
  return 0;
}

void TCreditsPage::AddTitle(const String& text) {
  title = TCreditsText::Create(text, TextFont(fonts[1]), 0);
}

void TCreditsPage::AddField(const String& text) {
  fields->AddLast(TCreditsText::Create(text, TextFont(fonts[1]), 0));
}

void TCreditsPage::Prepare() {
  fieldCount = fields->Count();
  const int32_t blockHeight = fieldCount * lineSpacing + titleGap + lineSpacing;
  title->label->dim->y = static_cast<float>(kScreenCentreY - blockHeight / 2);
  int32_t i = 0;
  for (const CreditsTextPtr& field : *fields) {
    field->label->dim->y = title->label->dim->y + static_cast<float>(titleGap + lineSpacing) +
                           static_cast<float>(i * lineSpacing);
    ++i;
  }
}

int32_t TCreditsPage::Update(float alpha) {
  title->label->alpha = alpha;
  title->Draw();
  for (const CreditsTextPtr& field : *fields) {
    field->label->alpha = alpha;
    field->Draw();
  }
  if (current > fieldCount) return 0;
  if (current == 0) {
    if (title->Update() == 1) current = 1;
  } else if (fields->ValueAtIndex(current - 1)->Update() == 1) {
    ++current;
  }
  return 0;
}
