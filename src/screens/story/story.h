// The story screen: one part of the tale as full-screen pages. Each page shows a painted picture
// between the top ornament and the parchment panel, with up to six lines of text on the panel;
// pages cross-fade, turn by themselves when their time runs out or when the player clicks Next,
// and Skip or Escape leave the part. A fixed music track plays throughout and a part may carry a
// narrated voice that starts with the first page.
//
// A part is the entry "part-N.tsc" of data/story.bca: a group "StoryN" with `Music` (ignored:
// the screen plays its own track), `Pages` (1..26), `Voice` (an Ogg path, may be empty) and
// `voiceStopAfter` (ms after which the voice, which loops, is stopped), and one group
// "StoryN::PageI" per page with `Picture` ("<<" from page 2 on: the previous page's very
// picture), `PosY`, `Lines` (0..6), `Time` (ms; negative waits for the player) and Line1..Line6.
//
// The screen runs its own frame loop and blocks until the part is over. Its page loop never
// clears the screen and does not read the window's close request (it stays latched for the next
// screen that reads it). Nothing is kept between calls.
#pragma once
#include <cstdint>

// Pages a part may have: the picture table's size.
inline constexpr int32_t kStoryMaxPages = 26;

// Plays story part `part`. With `fadeIn` non-zero the current screen first darkens into the
// loading picture; with 0 the loading picture replaces it at once. Returns 0 in every case:
// finished, skipped, or a part that cannot be played (named on standard output, no music).
int32_t showStory(int32_t part, int32_t fadeIn);
