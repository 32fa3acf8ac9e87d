#include "screens/hiscores/hiscores_screen.h"

#include "services/data_folders.h"
#include "platform/system.h"
#include "toolkit/dim.h"
#include "toolkit/spark.h"
#include "toolkit/spark_burst.h"

int32_t offsetX1 = 102;
int32_t offsetX2 = 172;
int32_t offsetX3 = 672;
int32_t offsetY = 100;
int32_t spaceY = 45;

namespace {

// The dialog frame around the table.
constexpr float kFrameX = 102.0f;
constexpr float kFrameY = 121.0f;
constexpr float kFrameWidth = 570.0f;
constexpr float kFrameHeight = 406.0f;
constexpr int32_t kNameColumnDx = 70;  // the name column, right of the frame's left edge
// Its nine pieces by frame position (top-left, top, top-right, left, right, bottom-left, bottom,
// bottom-right, centre fill), written with backslashes as the game names them.
const char* const kFramePieces[9] = {
    "gfx\\ramka\\dialog-lg.png",   "gfx\\ramka\\dialog-gora.png", "gfx\\ramka\\dialog-pg.png",
    "gfx\\ramka\\dialog-lewo.png", "gfx\\ramka\\dialog-prawo.png", "gfx\\ramka\\dialog-ld.png",
    "gfx\\ramka\\dialog-dol.png",  "gfx\\ramka\\dialog-pd.png",   "gfx\\ramka\\dialog-srodek.png",
};
const char16_t* const kTitles[3] = {u"quest", u"endless", u"time attack"};
constexpr float kTitleY = 30.0f;
constexpr float kHiscoresCentreX = 400.0f;

TextPtr Label(const String& text, float x, float y, const FontPtr& font) {
  return CreateText(text, CreateDim(x, y, 0, 0, 0, 1, 1, 0), TextFont(font), 1.0f, 0, 0, 0);
}

}  // namespace

// ---- Rows ------------------------------------------------------------------------------------

HiscoresTextPtr THiscoresText::Create(int32_t place, const String& name, int32_t score,
                                      const FontPtr& placeFont, const FontPtr& nameFont,
                                      int32_t row) {
  auto t = std::make_shared<THiscoresText>();
  t->placeText = FromInt(place);
  t->nameText = name;
  t->scoreText = FromInt(score);
  t->lastStep = MilliSecs();
  const float y = static_cast<float>(offsetY + spaceY * row);
  t->placeLabel = Label(u"", static_cast<float>(offsetX1), y, placeFont);
  t->nameLabel = Label(u"", static_cast<float>(offsetX2), y, nameFont);
  // Right-aligned by the whole score, so the growing text ends at the column's edge when done.
  t->scoreLabel = Label(t->scoreText, 0, y, placeFont);
  t->scoreLabel->dim->x = static_cast<float>(offsetX3) - t->scoreLabel->Width();
  t->scoreLabel->text.clear();
  return t;
}

void THiscoresText::Draw() {
  placeLabel->Draw();
  nameLabel->Draw();
  scoreLabel->Draw();
}

int32_t THiscoresText::Update() {
  const int32_t p = static_cast<int32_t>(placeText.size());
  const int32_t n = static_cast<int32_t>(nameText.size());
  const int32_t s = static_cast<int32_t>(scoreText.size());
  if (revealed > p + n + s) return 1;
  const int32_t now = MilliSecs();
  if (ElapsedMs(now, lastStep) > stepInterval) {
    lastStep = now;
    ++revealed;
    if (revealed <= p) {
      placeLabel->text = placeText.substr(0, revealed);
      burstAt(placeLabel, false);
    } else if (revealed <= p + n) {
      nameLabel->text = nameText.substr(0, revealed - p);
      burstAt(nameLabel, false);
    } else if (revealed <= p + n + s) {
      scoreLabel->text = scoreText.substr(0, revealed - p - n);
      burstAt(scoreLabel, true);
    }
  }
  return 0;
}

void THiscoresText::burstAt(const TextPtr& label, bool rising) {
  if (rising) PenSparks(label, -0.3, 0.0);
  else PenSparks(label, 0.0, 0.2);
}

// ---- Screen ----------------------------------------------------------------------------------

THiscoresScreen::THiscoresScreen() : font(fonts[1]) {
  for (int i = 0; i < 3; ++i) {
    titles[i] = Label(kTitles[i], 0, kTitleY, font);
    titles[i]->dim->x = kHiscoresCentreX - titles[i]->Width() / 2.0f;
  }
  frame = CreateImageFrame(CreateDim(kFrameX, kFrameY, kFrameWidth, kFrameHeight), 1, 1.0f, 0);
  for (int position = 0; position < 9; ++position)
    frame->AddImage(FromPath(bundleDir + kFramePieces[position]), position);
  offsetX1 = static_cast<int32_t>(frame->dim->x);
  offsetX2 = static_cast<int32_t>(frame->dim->x) + kNameColumnDx;
  offsetX3 = static_cast<int32_t>(frame->dim->x + frame->dim->width);
}

void THiscoresScreen::Load(const TListPtr<ScorePtr>& scores) {
  rows->Clear();
  activeRow = 0;
  stageStart = MilliSecs();
  if (!scores) return;
  int32_t i = 0;
  for (const ScorePtr& entry : *scores) {
    if (!entry) continue;
    rows->AddLast(THiscoresText::Create(i + 1, entry->name, entry->score, font, font, i));
    ++i;
  }
}

int32_t THiscoresScreen::Update() {
  int32_t last = 0;
  int32_t index = 0;
  for (const HiscoresTextPtr& row : *rows) {
    if (index > activeRow) break;
    last = row->Update();
    ++index;
  }
  if (last == 1) ++activeRow;
  if (ElapsedMs(MilliSecs(), stageStart) > kStageMs) return NextStage();
  return 0;
}

void THiscoresScreen::Draw() {
  if (frame) frame->Draw();
  for (const HiscoresTextPtr& row : *rows) row->Draw();
  if (stage >= kFirstStage && stage <= kLastStage) titles[stage - kFirstStage]->Draw();
}

int32_t THiscoresScreen::NextStage() {
  int32_t wrapped = 0;
  ++stage;
  if (stage > kLastStage) {
    stage = kFirstStage;
    wrapped = 1;
  }
  Load(hiscore ? hiscore->GetScores(stage, kRowsShown) : nullptr);
  return wrapped;
}
