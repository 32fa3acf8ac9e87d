// The ring game's summary scroll, apart from its frame loop: the steps it goes through (fade
// in, unroll, count the bonus into the total, wait, roll up, fade out, the ring swelling and
// fading with the music) and the text it shows. TRingGame::Summary runs one Advance and one
// drawing per frame.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/text.h"

class TRingGame;

class TRingScroll {
 public:
  // Steps, one per frame; a change takes effect in the next frame.
  enum Step : int32_t {
    kFadeIn = 0,      // the scroll fades in over the frozen screen
    kUnroll = 1,      // the sheet opens from the centre line, sparks off its upper edge
    kPause = 2,       // 500 ms
    kCount = 3,       // the bonus counted into the total, a hit a tick
    kWait = 4,        // for a click
    kRollUp = 5,
    kFadeOut = 6,
    kRingSwells = 7,  // the ring grows and turns
    kRingFades = 8,   // ... and fades with the music
    kDone = 9,
  };
  static constexpr int32_t kFullyOpen = 155;  // half height of the unrolled sheet

  // One line of text of the scroll.
  struct Row {
    int font;        // id of the image font in `data`
    int32_t testY;   // drawn only while the open band reaches near it
    String text;
    int32_t x;       // left edge; with `centred`, the line is centred on x instead
    int32_t y;
    int32_t opening; // drawn only while halfOpen is above it
    bool centred;
  };

  int32_t step = kFadeIn;
  int32_t halfOpen = 0;      // the sheet shows from y 300 - halfOpen to 300 + halfOpen
  float scrollAlpha = 0.0f;  // of the scroll and its text
  float frameAlpha = 1.0f;   // of the scene, the scroll, the score and the cursor
  int32_t bonusLeft = 0;     // hits still to count; the scroll shows bonusLeft x 500
  int32_t shownTotal = 0;    // after "Total points:"
  int32_t markTime = 0;      // MilliSecs at the start of the step or the last tick

  // A scroll for the game just ended: banks the bonus into the player's total (before the
  // first frame, so that a close request keeps it) and counts from the total before it.
  static TRingScroll Begin(TRingGame& game);
  // One frame's step at clock reading `now`; `click` is the frame's left click.
  void Advance(TRingGame& game, int32_t now, bool click);
  // The lines of text, each with where and when it shows.
  std::vector<Row> Rows(const TRingGame& game) const;
};
