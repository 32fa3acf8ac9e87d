// The play-through's player: after every frame shown it looks at the screen the game is on,
// copies what it needs into its own picture (board, blocks, bosses, vials, puzzle pieces, the
// ring's rune, the buttons on show) and gives the next frames the mouse and key input a player
// would give. It never writes the game's state, calls nothing that changes it and draws none of
// its random numbers: everything reaches the game through the platform's input script.
//
// The road it follows: the first profile's name, play quest, the tutorial left, every quest
// level through its popups, summary and map (board levels by the board model, puzzles by
// swapping misplaced pieces home, ring games by clicking the shown rune's tile), a lost level
// retried at most twice; after the last level the credits to their end; then an endless and a
// time-attack game on their first selector level, each played, left by the in-game menu,
// resumed, played and left again; and the exit, confirmed.
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "board_model.h"
#include "end_checks.h"

namespace playthrough {

// A failure of the run: thrown from the frame callback, it ends the run with its message.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PlayerOptions {
  std::string name = "Tess";      // the first profile's name
  int lastQuestLevel = 0;         // 0: the whole quest; else stop after this level (close request)
  int modeFrames = 3600;          // frames of each mode game before it is left
  int resumedFrames = 600;        // frames of each resumed mode game
  int miniGameFrameBudget = 30000;  // frames a puzzle or ring level may take, retries included
  int maxRetries = 2;             // game-over retries per level
  std::string shotDir;            // screenshots go here when not empty
};

// Where the run is.
enum class Stage {
  kStartUp,     // loading, portal screens, the title and its first-profile entry
  kQuest,       // from play quest to the end of the last level
  kCredits,     // the credits screen, to its last page
  kEndless,     // an endless game, left and resumed
  kTimeAttack,  // a time-attack game, left and resumed
  kExit,        // the exit, confirmed
  kDone,
};

class Player {
 public:
  explicit Player(const PlayerOptions& options);

  // The frame callback: one look and at most one action per frame shown.
  void Step(int frame);

  Stage stage() const { return stage_; }
  void SetStage(Stage stage) { stage_ = stage; }
  // The quest levels finished, and what the player noted on the way.
  int levelsDone() const { return levelsDone_; }
  const std::vector<std::string>& log() const { return log_; }
  // The last quest summary's total as the scroll showed it, -1 before any.
  int32_t lastSummaryTotal() const { return lastSummaryTotal_; }

 private:
  // The screens, each answering true when it is the one on show and it acted or waits.
  bool GameOverPopup(int frame);
  bool InfoPopup(int frame);
  bool Summary(int frame);
  bool InGameMenu(int frame);
  bool BoardLevel(int frame);
  bool Puzzle(int frame);
  bool Ring(int frame);
  bool Map(int frame);
  bool Tutorial(int frame);
  bool FirstProfile(int frame);
  bool Title(int frame);

  // The quest's level bookkeeping: a new index starts its frame budget and its retries.
  void TrackLevel(int frame);
  // Frames the quest level may take, retries included: from a board level's time limit.
  int FrameBudget(int index);
  // A mode game's clock: frames played since it started or resumed.
  bool ModeGame(int frame);

  // Input a frame ahead: point, press, release.
  void Click(int frame, int x, int y);
  void ClickButtonKey(int frame, int32_t key);
  void Wait(int frame, int frames) { busyUntil_ = frame + frames; }
  void Note(const std::string& line);
  [[noreturn]] void Fail(const std::string& why);
  std::string LevelName() const;
  // The board's cells as rows of text, for a failure's message.
  static std::string BoardPicture();
  void Shot(const std::string& name);

  // Board play: the placement chosen, and where its click stands.
  void PlanBoardMove(int frame);

  PlayerOptions options_;
  Stage stage_ = Stage::kStartUp;
  int busyUntil_ = 0;
  std::vector<std::string> log_;

  // The quest.
  int levelIndex_ = -1;       // the sequencer index being played
  int levelStartFrame_ = 0;
  int levelBudget_ = 0;
  bool boardLevelsRead_ = false;
  std::vector<QuestBoardLevel> boardLevels_;
  int retries_ = 0;
  bool lossAnswered_ = false;
  int levelsDone_ = 0;
  int32_t lastSummaryTotal_ = -1;
  int lastSummaryLevel_ = -1;  // the quest level whose summary total was read
  bool summaryClicked_ = false;
  bool mapEntered_ = false;  // the map's fade-in was seen and it has not finished since
  bool questPlayed_ = false;  // a quest level was seen in play

  // Board play.
  Move planned_;
  bool pointed_ = false;     // the pointer was sent to the planned cell
  int pointedAt_ = 0;        // the frame it was sent
  const void* plannedFor_ = nullptr;  // the held block the plan is for
  int turnsAsked_ = 0;
  int placements_ = 0;       // blocks put down in the level being played

  // The title and the modes.
  bool nameTyped_ = false;
  int modeStep_ = 0;         // the step of the title road within the stage
  int modeStartFrame_ = -1;  // the first frame of the running mode game
  bool menuAsked_ = false;
  bool modeLeft_ = false;    // a mode game was left by its menu and none started since
  bool creditsAsked_ = false;
  int creditsFrames_ = 0;

  const void* okClicked_ = nullptr;  // the popup whose OK was clicked last
  int okClickedAt_ = 0;              // and the frame of the click
  const char* lastActed_ = nullptr;  // the screen acted on last, for the PT_DEBUG trace

  // Screenshots: the one asked for is captured after the next frame, drawn in full.
  std::string pendingShot_;
  int shotFrame_ = 0;
  bool shotMap_ = false;
  bool shotBosses_ = false;
  bool shotPuzzle_ = false;
  bool shotRing_ = false;
};

}  // namespace playthrough
