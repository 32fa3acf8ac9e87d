// The picture of the end-of-level summary, drawn over the level scene once per frame: the
// level-complete picture over the board, the closing doors with the door picture and its glow,
// the scroll with the level's figures inside its unrolled band, and the final black fade. The
// quest shows its statistics and a drifting spark; the endless and time-attack modes show the
// blocks used, the best earlier result and, when it is beaten, a new-best caption.
// They read the summary fields of the level manager and change only their own counters
// (summarySparkCounter, newBestCountdown).
#pragma once
#include <array>
#include <cstdint>

#include "game/levels/level_manager.h"
#include "platform/text.h"

// Ids of the shared items in `data` that the scroll uses.
inline constexpr int kScrollTopRoller = 2001;
inline constexpr int kScrollParchment = 2002;
inline constexpr int kScrollBottomRoller = 2003;
inline constexpr int kSummaryHeadingFont = 4001;
inline constexpr int kSummaryRowFont = 4002;
inline constexpr int kSummaryFooterFont = 4005;

// One row of the scroll: a label (or a centred heading or footer) and its value.
struct SummaryRow {
  int32_t y = 0;
  int fontId = kSummaryRowFont;
  String label;
  String value;       // empty for the heading and the footer
  bool centred = false;
};

// Whether a row at `y` is drawn while the scroll is open `opening` pixels either side of y 300:
// it must lie near the unrolled band (the text itself is not clipped).
bool summaryRowShown(int32_t y, float opening);

// The rows of the quest summary and of the endless and time-attack summary, top to bottom.
std::array<SummaryRow, 8> questSummaryRows(const TLevelManager& lv, int32_t seconds);
std::array<SummaryRow, 8> endlessSummaryRows(const TLevelManager& lv, int32_t seconds,
                                             int32_t usedBlocks, int32_t best);

// The frames themselves are drawn by TLevelManager::summaryDisplay (the quest; its time row shows
// the level timer's elapsed whole seconds) and TLevelManager::summaryDisplayET (the endless and
// time-attack modes, given the elapsed whole seconds, the blocks dealt after the opening one and
// the best earlier result of the mode on the level, 0 when none).
