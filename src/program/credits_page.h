// The animated pages of the credits: a line that writes itself one character at a time with a
// few sparks at the pen, and a page of one title line and any number of field lines, laid out as
// a block centred on the screen and written out one line after another.
//
// The credits screen builds its pages (New, AddTitle, AddField..., Prepare) and then calls the
// shown page's Update once a frame with the page's alpha; fading, timing and the change of page
// are the screen's. The writing runs on its own clock and never goes back: a page is built, shown
// once and dropped.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/list.h"
#include "platform/text.h"
#include "toolkit/text.h"

class TCreditsText;
using CreditsTextPtr = std::shared_ptr<TCreditsText>;

class TCreditsText {
 public:
  TextPtr label;              // the line as drawn; its text is the part written so far
  String fullText;            // the whole line
  int32_t shownChars = 0;     // characters written, 0 to length + 1 (done)
  int32_t lastStepTime = 0;   // MilliSecs of the last step; the creation time at first
  int32_t stepInterval = 20;  // ms that must be exceeded between two steps

  virtual ~TCreditsText() = default;

  // A line with nothing written, its top at y, placed so that the whole line will be centred on
  // x 400. The left edge stays put while the line grows.
  static CreditsTextPtr Create(const String& text, const TextFont& font, int32_t y);
  virtual void Draw();
  // At most one step when more than stepInterval ms have passed: the next character with seven
  // sparks, and after the last character one silent step. 1 once the line is done, else 0.
  virtual int32_t Update();
};

class TCreditsPage;
using CreditsPagePtr = std::shared_ptr<TCreditsPage>;

class TCreditsPage {
 public:
  CreditsTextPtr title;
  TListPtr<CreditsTextPtr> fields = CreateList<CreditsTextPtr>();
  int32_t current = 0;      // the line being written: 0 the title, k field k; above fieldCount done
  int32_t fieldCount = 0;   // taken by Prepare
  int32_t lineSpacing = 40; // pixels from one field to the next
  int32_t titleGap = 30;    // extra pixels between the title and the first field

  virtual ~TCreditsPage() = default;

  // The title line (a second call replaces the first); the text font fonts[1].
  virtual void AddTitle(const String& text);
  // One more field line, below the others.
  virtual void AddField(const String& text);
  // Counts the fields and places every line: the block of 40n + 70 pixels centred on y 300.
  virtual void Prepare();
  // Draws every line at `alpha`, then writes on the current line. Returns 0.
  virtual int32_t Update(float alpha);
};

// The credits as the credits screen shows them: sixteen pages of a title and its fields, lower
// case, only the letters a to z, digits and spaces (the glyphs of the text font).
struct CreditsPageText {
  const char16_t* title;
  std::vector<const char16_t*> fields;
};
const std::vector<CreditsPageText>& CreditsTable();

// The alpha of a page `t` ms after it began: 1 up to 4000 ms, then down to 0 at 4500 ms; below 0
// (-1) when the page is not drawn at all.
float CreditsPageAlpha(int32_t t);
