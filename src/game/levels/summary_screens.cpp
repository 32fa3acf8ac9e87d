#include "game/levels/summary_screens.h"

#include "game/levels/level_summary.h"
#include "game/levels/level_timer.h"
#include "game/levels/points_manager.h"
#include "platform/graphics.h"
#include "platform/image_font.h"
#include "platform/system.h"
#include "toolkit/container.h"
#include "toolkit/drawing.h"
#include "toolkit/spark.h"
#include "toolkit/string_utils.h"

namespace {

constexpr float kLabelX = 290.0f;
constexpr float kValueX = 445.0f;
constexpr int32_t kCentreX = 400;

SummaryRow Heading() { return {175, kSummaryHeadingFont, S("Well done!"), String(), true}; }
SummaryRow Footer() { return {430, kSummaryFooterFont, S("Click to continue"), String(), true}; }
SummaryRow Row(int32_t y, const char* label, const String& value) {
  return {y, kSummaryRowFont, S(label), value, false};
}

ImagePtr SharedImage(int id) { return data ? data->GetImage(id) : nullptr; }

// Everything up to the rollers: the level-complete picture, the doors, the scroll's band with
// the rows that lie near it, and the rollers on its edges. Returns whether the scroll is shown.
bool DrawUpToRollers(TLevelManager& lv, const std::array<SummaryRow, 8>& rows) {
  SetBlend(ALPHABLEND);
  SetScale(1.0f, 1.0f);
  SetColor(255, 255, 255);
  SetAlpha(lv.levelCompleteAlpha);
  DrawImage(lv.levelCompleteImage, static_cast<float>(lv.summaryAnchor[0]),
            static_cast<float>(lv.summaryAnchor[1]), 0);
  SetAlpha(1.0f);

  if (lv.summaryPhase > 1 && lv.doorsOffset > 0.0f) lv.drawDoors(-1);
  if (lv.summaryPhase <= 3) return false;

  const float v = lv.scrollOpening;
  const int32_t bandTop = static_cast<int32_t>(300.0f - v);
  const int32_t bandHeight = static_cast<int32_t>(2.0f * v);
  SetColor(255, 255, 255);
  SetAlpha(1.0f);
  drawInViewPort(SharedImage(kScrollParchment), 400, 300, 0, bandTop, 800, bandHeight);

  if (lv.summaryPhase > 9) SetAlpha(0.0f);
  SetColor(0, 0, 0);
  for (const SummaryRow& row : rows) {
    if (!summaryRowShown(row.y, v)) continue;
    SetImageFont(data ? data->GetTTFont(row.fontId) : nullptr);
    const float y = static_cast<float>(row.y);
    if (row.centred) {
      DrawText(row.label, static_cast<float>(kCentreX - TextWidth(row.label) / 2), y);
    } else {
      DrawText(row.label, kLabelX, y);
      DrawText(row.value, kValueX, y);
    }
  }

  SetColor(255, 255, 255);
  SetAlpha(lv.scrollAlpha);
  DrawImage(SharedImage(kScrollTopRoller), 400.0f, 300.0f - v, 0);
  DrawImage(SharedImage(kScrollBottomRoller), 400.0f, 300.0f + v - 1.0f, 0);
  return true;
}

// The door picture and its glow, riding on the left door.
void DrawDoorPictures(TLevelManager& lv) {
  if (lv.summaryPhase <= 1) return;
  SetAlpha(1.0f);
  DrawImage(lv.summaryImages[0], lv.doorsOffset - 360.0f, 138.0f, 0);
  SetAlpha(lv.glowAlpha);
  DrawImage(lv.summaryImages[1], lv.doorsOffset - 243.0f, 383.0f, 0);
}

void DrawBlackout(const TLevelManager& lv) {
  SetAlpha(lv.blackoutAlpha);
  SetColor(0, 0, 0);
  DrawRect(0.0f, 0.0f, 800.0f, 600.0f);
  SetColor(255, 255, 255);
}

// Two sparks rising from under the new-best caption.
void NewBestSparks() {
  for (int i = 0; i < 2; ++i) {
    const int32_t x = Rand(175, 500);
    const int32_t y = Rand(475, 525);
    const float scale = static_cast<float>(Rand(2, 4));
    const int32_t life = Rand(50, 100);
    const int32_t red = Rand(150, 200);
    const int32_t green = Rand(100, 200);
    const int32_t blue = Rand(100, 200);
    SparkPtr spark = TSpark::Create(sparkImages[0], x, y, scale, life, red, green, blue, 1, 0);
    const float vy = i == 0 ? static_cast<float>(Rnd(-2.5, -1.0)) : -1.0f;
    spark->setVelocity(0.0f, vy);
  }
}

}  // namespace

bool summaryRowShown(int32_t y, float opening) {
  return isTextInViewport(y, static_cast<int32_t>(300.0f - opening),
                          static_cast<int32_t>(2.0f * opening)) != 0;
}

std::array<SummaryRow, 8> questSummaryRows(const TLevelManager& lv, int32_t seconds) {
  return {Heading(),
          Row(225, "Matches:", FromInt(lv.matches)),
          Row(258, "Combos:", FromInt(lv.combos)),
          Row(291, "Spells cast:", FromInt(lv.spellsCast)),
          Row(324, "Time:", SecToTime(seconds)),
          Row(357, "Bonus points:", FromInt(lv.bonusPoints)),
          Row(390, "Total points:", FromInt(lv.totalShown)),
          Footer()};
}

std::array<SummaryRow, 8> endlessSummaryRows(const TLevelManager& lv, int32_t seconds,
                                             int32_t usedBlocks, int32_t best) {
  return {Heading(),
          Row(225, "Received spells:", FromInt(lv.receivedSpells)),
          Row(258, "Used blocks", FromInt(usedBlocks)),
          Row(291, "Time:", SecToTime(seconds)),
          Row(324, "Bonus points:", FromInt(lv.bonusPoints)),
          Row(357, "Total points:", FromInt(lv.totalShown)),
          Row(390, "Best result:", FromInt(best)),
          Footer()};
}

void TLevelManager::summaryDisplay() {
  const int32_t seconds = timeManager ? timeManager->elapsed / 1000 : 0;
  if (DrawUpToRollers(*this, questSummaryRows(*this, seconds))) {
    if (summarySparkCounter % 40 == 0) createSpark();
    summarySparkCounter += 1;
  }
  DrawDoorPictures(*this);
  DrawBlackout(*this);
}

void TLevelManager::summaryDisplayET(int32_t time, int32_t usedBlocks, int32_t best) {
  DrawUpToRollers(*this, endlessSummaryRows(*this, time, usedBlocks, best));
  DrawDoorPictures(*this);
  if (summaryPhase > 6 && points && points->levelPoints > best) {
    if (newBestCountdown != 0 && summaryPhase < 9) {
      newBestCountdown -= 2;
      NewBestSparks();
    }
    if (newBestCountdown < 40) {
      SetAlpha(1.0f - static_cast<float>(newBestCountdown) / 40.0f);
      DrawImage(newHiscoreImage, 400.0f, 540.0f, 0);
    }
  }
  DrawBlackout(*this);
}
