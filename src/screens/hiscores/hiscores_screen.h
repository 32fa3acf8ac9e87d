// The hiscores screen: the ten best entries of one game mode at a time inside a framed dialog,
// each row written out character by character (place, name, score) with a small burst of sparks
// at every new character. Every 6000 ms it moves on to the next mode (quest, endless, time
// attack, quest again) and reports the completed cycle on that last change.
//
// The screen has no frame loop and no input: the title screen creates it, fades it, calls Update
// and Draw once a frame and decides when to leave. Only the frame follows the title's fades; the
// titles and rows are always drawn at their own alpha of 1.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "platform/list.h"
#include "profiles/hiscores.h"
#include "toolkit/font.h"
#include "toolkit/frame.h"
#include "toolkit/text.h"

// Column layout of the rows, read when a row is created. Every screen construction sets the
// three x values from its frame again.
extern int32_t offsetX1;  // left edge of the place column
extern int32_t offsetX2;  // left edge of the name column
extern int32_t offsetX3;  // right edge of the score column
extern int32_t offsetY;   // top of the first row
extern int32_t spaceY;    // from one row's top to the next

class THiscoresText;
using HiscoresTextPtr = std::shared_ptr<THiscoresText>;

// One row of the table.
class THiscoresText {
 public:
  TextPtr placeLabel;
  TextPtr nameLabel;
  TextPtr scoreLabel;
  String placeText;          // the whole place, "1" to "10"
  String nameText;           // the whole player name
  String scoreText;          // the whole score in decimal
  int32_t revealed = 0;      // characters shown so far, over the three texts together
  int32_t lastStep = 0;      // MilliSecs of the last reveal step; the creation time at first
  int32_t stepInterval = 20; // ms that must be exceeded between two steps

  virtual ~THiscoresText() = default;

  // A row of empty labels at row `row` (from 0); the score is right-aligned by its whole width.
  static HiscoresTextPtr Create(int32_t place, const String& name, int32_t score,
                                const FontPtr& placeFont, const FontPtr& nameFont, int32_t row);
  virtual void Draw();
  // Shows one more character when more than stepInterval ms have passed; 1 on the first call
  // after the last character was shown, else 0.
  virtual int32_t Update();

 private:
  // Seven sparks at the right end of the text shown so far; those of the score rise.
  void burstAt(const TextPtr& label, bool rising);
};

class THiscoresScreen {
 public:
  // Tabs, the game modes of the hiscore store.
  static constexpr int32_t kFirstStage = HISCORE_QUEST;
  static constexpr int32_t kLastStage = HISCORE_TIME_ATTACK;
  static constexpr int32_t kRowsShown = 10;
  static constexpr int32_t kStageMs = 6000;  // a tab lasts strictly more than this from its Load

  TListPtr<HiscoresTextPtr> rows = CreateList<HiscoresTextPtr>();  // place order
  FontPtr font;                   // fonts[1]
  int32_t activeRow = 0;          // index of the row being written
  int32_t stageStart = 0;         // MilliSecs of the current tab's Load
  int32_t stage = kFirstStage;    // the tab on show: 1 quest, 2 endless, 3 time attack
  std::array<TextPtr, 3> titles;  // of tabs 1, 2, 3
  ImageFramePtr frame;            // the dialog frame; its alpha follows the title's fades

  // The titles and the frame; sets the column offsets from the frame.
  THiscoresScreen();
  virtual ~THiscoresScreen() = default;

  // Replaces the rows by those of `scores` (best first) and restarts the tab's clock.
  virtual void Load(const TListPtr<ScorePtr>& scores);
  // One frame of the reveal; 1 on the frame on which the time-attack tab ended and the quest
  // tab was loaded again, else 0.
  virtual int32_t Update();
  // The frame, the rows, then the current tab's title.
  virtual void Draw();
  // The next tab from the global store; 1 when it wrapped back to the quest tab.
  virtual int32_t NextStage();
};
using HiscoresScreenPtr = std::shared_ptr<THiscoresScreen>;
