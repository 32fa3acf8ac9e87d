// The ring game's rules: the level file, the reset of a level, sequences, the tile under the
// pointer, what a click does, the rune timer and the spells won.
#include "play/ring/ring_game.h"

#include "services/data_folders.h"
#include "services/mouse.h"
#include "services/sfx.h"
#include "datafiles/bca_archive.h"
#include "platform/errors.h"
#include "platform/system.h"
#include "toolkit/string_utils.h"

RingGamePtr ringGame;

namespace {

const String kRingSettings = S("Settings");

// The four tile columns, in the order tiles r, r + 5, r + 10, r + 15 of row r: where the slide
// starts (row 0; each row starts kRowStartStep further out), its speed, and the hit box's left
// edge. Every tile of a column comes to rest at the same x (210, 110, 589 and 689).
struct Column {
  float startX;
  float speed;
  int32_t boxLeft;
};
constexpr Column kColumns[4] = {
    {-100.0f, 8.0f, 185},
    {-200.0f, 8.0f, 85},
    {900.0f, -8.0f, 565},
    {1000.0f, -8.0f, 665},
};
constexpr float kRowStartStep = 48.0f;  // pixels further out per row
constexpr int32_t kFullSpeedFrames = 30;
constexpr int32_t kRowDelayStep = 6;    // frames, so the rows arrive one after the other
constexpr int32_t kRowCentreY = 95;     // row 0; each row 100 lower
constexpr int32_t kRowPitch = 100;
constexpr int32_t kBoxTop = 65;         // row 0's hit box top
constexpr int32_t kBoxWidth = 50;
constexpr int32_t kBoxHeight = 60;

// A sequence shows runes 1..19: a draw of rune 0 counts as rune 2.
constexpr int32_t kLastRune = 19;
constexpr int32_t kRuneInPlaceOfZero = 2;
constexpr int32_t kPauseAfterSequenceMs = 1000;

// The sequence length as the file gives it, held to 1..kMaxSequence runes; the last index.
int32_t HeldSequenceLast(float length, const String& name) {
  const float last = length - 1.0f;
  int32_t held = 0;
  if (last >= static_cast<float>(TRingGame::kMaxSequence - 1)) {
    held = TRingGame::kMaxSequence - 1;
  } else if (last >= 0.0f) {
    held = static_cast<int32_t>(last);
  }
  // Cut toward zero, -1 < last < 0 is a sequence of one rune as it stands.
  const bool fits = last > -1.0f && last < static_cast<float>(TRingGame::kMaxSequence);
  if (!fits)
    Print(S("Ring level ") + name + u": SequenceLength " + TSCNumberText(length) +
          u" is outside 1 to 20, taken as " + FromInt(held + 1));
  return held;
}

}  // namespace

TRingGame::TRingGame() {
  for (PapierPtr& tile : tiles) tile = std::make_shared<TPapier>();
}

int32_t TRingGame::Load(const String& levelName) {
  TSCFilePtr tsc = CreateTSCFile();
  LoadTSCFileBB(tsc, bundleDir + "data/ring_levels_lp.bca", levelName);
  LoadFrom(tsc, levelName);
  const float levelNumber = GetTSCNumberKey(tsc, kRingSettings, S("LevelNumber"), 0);
  try {
    TSCFilePtr info = CreateTSCFile();
    LoadTSCFileBB(info, "data/popups_lp.bca", S("infoRG.tsc"));
    AddLevelPopups(info, levelNumber, popups);
  } catch (const TextError&) {
    // The popups read so far stay; the level plays without the rest.
  }
  return 0;
}

void TRingGame::LoadFrom(const TSCFilePtr& tsc, const String& name) {
  fileName = name;
  // A continue runs Load over a finished ring level: its popups must not show in this one.
  popups->Clear();
  music = GetTSCStringKey(tsc, kRingSettings, S("Music"), 0);
  // Whole milliseconds through the files' one conversion: a number past the int range reads
  // as 0, a level without time, which ends on its first play frame.
  totalTime = static_cast<float>(GetTSCWholeNumberKey(tsc, kRingSettings, S("Time"), 0));
  levelSeqLast =
      HeldSequenceLast(GetTSCNumberKey(tsc, kRingSettings, S("SequenceLength"), 0), name);
  availableSpells =
      splitString(GetTSCStringKey(tsc, kRingSettings, S("AvailableSpells"), 0), S(" "));
  runeTime = GetTSCWholeNumberKey(tsc, kRingSettings, S("RuneTime"), 0);
}

int32_t TRingGame::createSequence(int32_t last) {
  if (last < 0) last = 0;
  if (last > kMaxSequence - 1) last = kMaxSequence - 1;
  seqPos = 0;
  seqLast = last;
  sequence.fill(-1);
  for (int32_t i = 0; i <= last; ++i) {
    int32_t rune = Rand(0, kLastRune);
    if (rune == 0) rune = kRuneInPlaceOfZero;
    sequence[static_cast<size_t>(i)] = rune;
  }
  return 0;
}

int32_t TRingGame::resetParams() {
  seqPos = 0;
  seqLast = 0;
  ballAlpha = 0.0f;
  ballScale = 3.0f;
  ringAngle = 90.0f;
  ringScale = 5.5f;
  ringAlpha = 0.0f;
  ringSpin = 5.0f;
  phase = kRingZooms;
  pendulumY = 140.0f;
  pendulumAngle = 0.0f;
  pendulumPhase = 0.0f;
  progress = 0.0f;
  hoverTile = -1;
  seqDoneTime = -1;
  startTime = MilliSecs();
  recivedSpells = 0;
  seqHits = 0;
  for (int32_t r = 0; r < kRows; ++r) {
    for (int32_t c = 0; c < 4; ++c) {
      TPapier& tile = *tiles[static_cast<size_t>(r + kRows * c)];
      const Column& column = kColumns[c];
      const float outward = column.speed > 0.0f ? -1.0f : 1.0f;
      tile.x = column.startX + outward * kRowStartStep * static_cast<float>(r);
      tile.y = kRowCentreY + kRowPitch * r;
      tile.speed = column.speed;
      tile.delay = kFullSpeedFrames + kRowDelayStep * r;
    }
  }
  return 0;
}

int32_t TRingGame::checkBox(int32_t x, int32_t y, int32_t left, int32_t top, int32_t width,
                            int32_t height) {
  return x >= left && x <= left + width && y >= top && y <= top + height ? 1 : 0;
}

int32_t TRingGame::checkRows() {
  const int32_t x = mouse ? mouse->x : -1;
  const int32_t y = mouse ? mouse->y : -1;
  for (int32_t r = 0; r < kRows; ++r)
    for (int32_t c = 0; c < 4; ++c)
      if (checkBox(x, y, kColumns[c].boxLeft, kBoxTop + kRowPitch * r, kBoxWidth, kBoxHeight) == 1)
        return r + kRows * c;
  return -1;
}

int32_t TRingGame::resetRune() {
  runeStart = MilliSecs();
  ballScale = 3.0f;
  ballAlpha = 0.0f;
  return 0;
}

int32_t TRingGame::updateSequence() {
  // The first rune of a sequence has no time limit.
  if (seqPos != 0 && ElapsedMs(MilliSecs(), runeStart) > runeTime) {
    playSound2(sounds[kRuneTimeOutSound]);
    resetRune();
    seqPos = 0;
    progress = 0.0f;
  }
  const bool click = mouse && (mouse->hit1 != 0 || mouse->hit2 != 0);
  if (click && seqDoneTime < 0) {
    if (hoverTile == sequence[static_cast<size_t>(seqPos)]) {
      playSound2(sounds[kRightTileSound]);
      resetRune();
      ++seqHits;
      ++seqPos;
      progress = static_cast<float>(seqPos) / static_cast<float>(seqLast + 1);
      if (seqPos > seqLast) {
        seqPos = 0;
        seqDoneTime = MilliSecs();
        createSequence(levelSeqLast);
        if (!availableSpells->IsEmpty()) {
          AddSpell();
          ++recivedSpells;
          playSound2(sounds[kSpellWonSound]);
        }
      }
    } else if (hoverTile >= 0) {
      // A wrong tile only sounds: the rune, its clock and the place in the sequence stay.
      playSound2(sounds[kWrongTileSound]);
    }
  }
  if (seqDoneTime > -1 && ElapsedMs(MilliSecs(), seqDoneTime) > kPauseAfterSequenceMs) {
    seqDoneTime = -1;
    progress = 0.0f;
  }
  return 0;
}

int32_t TRingGame::AddSpell() {
  const int32_t count = availableSpells->Count();
  if (count == 0) return 0;
  const String entry = availableSpells->ValueAtIndex(Rand(0, count - 1));
  const int32_t kind = ToInt(entry);
  for (const RingSpellPtr& icon : spells) {
    if (icon && icon->id == kind) {
      ++icon->count;
      icon->MakeSparks(400, 260, ringScale, ringAngle);
      return 0;
    }
  }
  return 0;
}
