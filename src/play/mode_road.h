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

// The summary's phase from which its panel is open: the loops step the sparks under the panel
// before it, above it from then on.
inline constexpr int32_t kPanelOpensPhase = 5;

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

// The frames of one endless or time-attack game.
struct ModeLoop {
  int32_t state = kPlaying;
  bool menuRequest = false;
  int32_t wheel = 0;
  int32_t usedBlocks = 0;  // blocks dealt by the frame road since the game began
};

// After a frame's flip, the pause menu the player asked for (called with `caller`): resume
// plays on, restart starts the game again through `restart`, the main menu or a close request
// ends the loop.
void AnswerMenuRequest(ModeLoop& loop, int32_t caller, void (*restart)(ModeLoop&));

// The running effects of an endless or time-attack frame, in its order: comets, ring bursts,
// sparks, spell emitters, floating captions, then the sounds that have come due.
void UpdateModeEffects();

// One endless or time-attack game: how it differs between the two modes.
struct ModeGame {
  String prefix;                               // kEndlessPrefix or kTimePrefix
  int32_t newGameTimerReset = 0;                // the level timer's Reset argument for a new game
  void (*frame)(ModeLoop& loop) = nullptr;      // one frame of the game
  void (*save)(int32_t usedBlocks) = nullptr;   // saves the game in progress
  int32_t menuResult = 0;                       // EndModeGame's answer on the way to the menu
  ModeSummary summary;
};

// A mode game once its level is loaded: a new game (`levelName` not empty) deals its first two
// blocks and starts its timer, a resumed one reads its board and block back; then the frames
// until the game ends, and its end.
int32_t PlayModeGame(ModeLoop& loop, const String& levelName, const ModeGame& game);

// After an endless or time-attack game's frame loop ended in `state`: back to the menu and quit
// first save the game with `save`; back to the menu then drops the scene's lists and the held
// block and returns `menuResult`; quit ends the program; game over runs the summary.
int32_t EndModeGame(int32_t state, void (*save)(int32_t usedBlocks), int32_t menuResult,
                    const ModeSummary& summary, int32_t usedBlocks);

}  // namespace modes
