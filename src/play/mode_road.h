// The steps that the quest, endless and time-attack loops share: the start of a frame, the
// turning and placing of the held block, dealing the next one, the particle lists, the
// hand-back of the level music on a quit, the cleanup when a game is left for the menu, and the
// summary that ends an endless or time-attack game. Each loop calls them in its own order.
#pragma once
#include <cstdint>
#include <functional>

#include "platform/text.h"

// Stops the title music when a mode game loads its level. Set by the start-up
// (program/layer_links.cpp) to the title screen's stopMusic.
extern std::function<void()> stopTitleMusic;

namespace modes {

// The key prefixes of a game in progress in the profile.
inline const String kQuestPrefix = S("runes");
inline const String kEndlessPrefix = S("endless");
inline const String kTimePrefix = S("time");

// Hiscore kinds (the entry's type id).
inline constexpr int32_t kQuestScore = 1;
inline constexpr int32_t kEndlessScore = 2;
inline constexpr int32_t kTimeAttackScore = 3;

// The level music's update, the cleared back buffer, the frame timer, delta and the mouse.
void BeginFrame();

// A wheel step (against the remembered position `wheel`, which it moves on) and the held right
// button each ask for one quarter turn; true when either asked.
bool RequestTurns(int32_t& wheel);

// True when a left click at the mouse's x places the held block: right of the cell left of the
// board's column 0.
bool ClickOnBoardSide();

// Completes a running quarter turn, drops the held block under the mouse (committing) and clears
// the runs it made; the number of runes cleared.
int32_t PlaceHeldBlock();

// With no block held, no spell being cast and no freeze: deals the next block and tests for
// game over; true when it dealt.
bool DealWhenDue();

// Puts the board's geometry back to its defaults: 32-pixel cells, cell (0, 0) at (240, 60).
void DefaultBoardGeometry();

// The name of the current profile, for hiscore entries; empty with no profile.
String PlayerName();

// Stops and lets go of the level music, then ends the program through the end routine.
[[noreturn]] void EndProgram();


// Loads the level of an endless or time-attack game as it begins or resumes, under the play
// state: its pictures, fresh statistics, no spells or effects, empty vials, the title music
// stopped and the level's own carried on. `setTimer` sets the mode's timer before the music.
void LoadModeLevel(void (*setTimer)());

// The level read again for a new endless or time-attack game on it: the board, the spells and
// their effects cleared, the level reloaded under the reloading state with fresh statistics and
// empty vials, the board picture rebuilt and the level's points at zero. The held and next
// blocks stay; the caller sets its timer.
void ReloadModeLevel();

// Restores the endless or time-attack game kept in the profile under `prefix` ("endless" or
// "time"): board, held block, spells, timer, points and spell counts. Returns the blocks used.
int32_t ResumeModeGame(const String& prefix);

// States of an endless or time-attack game's loop.
inline constexpr int32_t kPlaying = 0;
inline constexpr int32_t kGameOver = 1;
inline constexpr int32_t kBackToMenu = 2;
inline constexpr int32_t kQuitting = 3;

// One endless or time-attack game's end: how it differs between the two modes.
struct ModeSummary {
  int32_t scoreType = 0;       // kEndlessScore or kTimeAttackScore
  String resumeKey;            // "endlessResume" or "timeResume"
  void (*drawPanel)() = nullptr;  // the score panel of the mode
  bool spellsUnderComets = false;  // time attack draws the spells before the comets
};

// The game-over summary of an endless or time-attack game with `usedBlocks` blocks: the
// summary's frame loop, the resume flag cleared, the hiscore entry. Returns 1; ends the program
// when the window is closed during it.
int32_t RunModeSummary(const ModeSummary& mode, int32_t usedBlocks);

// After an endless or time-attack game's frame loop ended in `state`: back to the menu and quit
// first save the game with `save`; back to the menu then drops the scene's lists and the held
// block and returns `menuResult`; quit ends the program; game over runs the summary.
int32_t EndModeGame(int32_t state, void (*save)(int32_t usedBlocks), int32_t menuResult,
                    const ModeSummary& summary, int32_t usedBlocks);

}  // namespace modes
