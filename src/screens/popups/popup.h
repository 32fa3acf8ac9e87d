// An information popup: one panel shown over a frozen game scene (a picture, up to 100 centred
// lines of text, an optional icon and an OK button), built from one group of a popup file.
//
// Three owners build popups from the same file format (entries of "data/popups_lp.bca"): the
// popup manager of the quest board levels with "info.tsc", the picture puzzle with "infoPZ.tsc"
// and the ring game with "infoRG.tsc". Each frame the owner draws its scene, selects the popup
// font and calls Update with the OK button; the popup fades in, waits for OK, fades out and then
// reports that it is finished.
//
// The popup file: one top-level group per popup, taken in file order. Keys, read under the
// group's own name (a missing key reads as 0 or "" and is reported on standard output):
//   Level             the level the popup belongs to; read by the owner, never by Create
//   Image             the panel picture; X, Y its top-left corner on the screen
//   Event             "BEGIN_LEVEL", "MAKE_MATCH", "RIGHT_UNUSED" or any other event name
//   Lines, Line1..    the text lines (at most kMaxLines)
//   Condition         the level's clearing count at which a MAKE_MATCH or RIGHT_UNUSED popup shows
//   Spell             1..6 the icon of that spell kind under the text; -1 an own icon; else none
//   ButtonY, TextY    OK button top and first line top relative to Y; -1: 72 % / 20 % of the
//                     picture's height
//   IconImg, IconX, IconY   the own icon and its corner relative to (X, Y); read for Spell -1 only
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "datafiles/tsc_file.h"
#include "platform/graphics.h"
#include "platform/text.h"
#include "toolkit/button.h"

class TPopup;
using PopupPtr = std::shared_ptr<TPopup>;

class TPopup {
 public:
  static constexpr int32_t kMaxLines = 100;
  // `spell` of a popup that brings its own icon.
  static constexpr int32_t kOwnIcon = -1;
  // The spell kinds that have an icon.
  static constexpr int32_t kFirstSpell = 1;
  static constexpr int32_t kLastSpell = 6;
  // ButtonY / TextY value that selects the automatic place.
  static constexpr int32_t kAutoPlace = -1;
  // Half the OK button's frame width: the button is centred under the picture.
  static constexpr int32_t kButtonHalfWidth = 28;
  // Opacity change per Update call: fixed, not scaled by delta (ten calls to fade in).
  static constexpr float kFadeStep = 0.1f;
  // The text, icons and button are drawn at the popup's opacity times this.
  static constexpr float kTextAlpha = 0.8f;
  // The spell icon's centre sits this far below the last text line, and this far left of the
  // picture's middle.
  static constexpr int32_t kSpellIconGap = 20;
  static constexpr int32_t kSpellIconShift = 2;

  int32_t x = 0;  // top-left corner of the picture on the screen
  int32_t y = 0;
  ImagePtr image;           // null when the picture did not load: it measures 0 x 0
  int32_t buttonX = 0;      // OK button's top-left corner
  int32_t buttonY = 0;
  int32_t textY = 0;        // top of the first text line
  std::array<String, kMaxLines> lines{};
  int32_t lineCount = 0;    // 0..kMaxLines
  String event;
  int32_t active = 0;       // 1 while open, 0 once OK was pressed
  float alpha = 0.0f;       // 0.0 .. 1.0, fixed steps of kFadeStep per Update
  int32_t condition = 0;    // clearing count for MAKE_MATCH / RIGHT_UNUSED
  int32_t spell = 0;        // 1..6 spell icon, kOwnIcon, anything else none
  ImagePtr iconImage;       // the own icon (spell kOwnIcon only); may be null
  int32_t iconX = 0;        // own icon's corner relative to (x, y)
  int32_t iconY = 0;

  virtual ~TPopup() = default;

  // A new open popup from the group `group` of `tsc`. Keys are read in the order Image, X, Y,
  // Event, Lines, Condition, Spell, ButtonY, TextY, the lines, then IconImg, IconX, IconY.
  static PopupPtr Create(const TSCFilePtr& tsc, const TSCGroupPtr& group);
  // One frame: fade, the OK button's poll and move, drawing. 1 once the popup has faded out
  // after OK, without drawing; else 0. The caller selects the font and leaves alpha blending
  // and white in force; the popup leaves white and alpha x 0.8 behind.
  virtual int32_t Update(const ButtonPtr& okButton);
  // 1 when the popup answers the event `e` now.
  virtual int32_t CanGo(const String& e);

 private:
  // A press of OK counts only after the left button was seen up while this popup was open, so
  // that the press that closed the previous popup (or placed a block) cannot close this one.
  bool leftButtonSeenUp_ = false;
};

// Appends to `popups`, in file order, a popup for every group of `info` whose Level is `level`
// as a number: a Level of 1.5 is no popup of level 1. An error of the file passes through; the
// popups made before it stay.
void AddLevelPopups(const TSCFilePtr& info, float level, const TListPtr<PopupPtr>& popups);

// Event names raised by the quest level loop.
inline constexpr const char16_t* kBeginLevelEvent = u"BEGIN_LEVEL";
inline constexpr const char16_t* kMakeMatchEvent = u"MAKE_MATCH";
inline constexpr const char16_t* kRightUnusedEvent = u"RIGHT_UNUSED";
