// The level selector's keeper: which board levels an endless or time-attack game may be played
// on, the selected entry, and the fading preview of the selected board.
//
// A list holds one of three kinds of level (`mode`): the quest levels the player has reached
// (the profile list "revealedLevels", which the quest feeds through AddLevel), the time-attack
// list or the endless list (a list file of the settings archive, then every entry of the
// player's custom-levels folder as a full path). Nothing is cached: every LoadList reads its
// sources afresh.
//
// The preview has no board of its own. It is built into the one global `board` with the board's
// own loading steps and drawn with its small drawing routine; the game rebuilds the board when
// it starts, so the preview never saves or restores anything of it. A step of the selection
// does not rebuild at once: the old picture fades out first (`reloadPending`), and however many
// steps come during that fade, the picture is rebuilt once, for the entry selected then.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/list.h"
#include "platform/text.h"

class TBoardSelector {
 public:
  // The list kinds, the values of `mode`.
  static constexpr int32_t kQuestLevels = 0;    // the profile's "revealedLevels"
  static constexpr int32_t kTimedLevels = 1;    // "timedLevels.tsc", then the custom levels
  static constexpr int32_t kEndlessLevels = 2;  // "endlessLevels.tsc", then the custom levels

  // Entries of the board-level archive, or full paths into the custom-levels folder.
  TListPtr<String> levels = CreateList<String>();
  int32_t selectedIndex = 0;   // within 0 .. count - 1 while `levels` is not empty
  int32_t reloadPending = 0;   // 1: the preview fades out, then is rebuilt for the selection
  float previewAlpha = 0.0f;   // opacity of the preview, stepped by 0.1 a drawn frame
  int32_t mode = kQuestLevels; // the kind of the list loaded last

  virtual ~TBoardSelector() = default;

  // Rebuilds `levels` for the list kind `kind` and selects its first entry. `reloadPending` and
  // `previewAlpha` are left alone. Without a current profile the quest list is empty.
  virtual void LoadList(int32_t kind);
  // Adds `name` to the current profile's "revealedLevels" (saved at once) unless an entry equals
  // it exactly; 1 when added, 0 when present or when no profile is current.
  virtual int32_t AddLevel(const String& name);
  // Builds the preview of the selected entry into `board`: the archive entry of that name, else
  // the plain file the name leads to. A list or an entry that gives no preview leaves nothing to
  // draw (never the board as the last game or preview left it).
  virtual void LoadMiniBoard();
  // The board's preview size and look: cell size 13, scale 13/32, opacity 1; previewAlpha 0.
  virtual void resetParams();
  // Draws the preview at `previewAlpha`, then takes one fade step: down while a reload is
  // pending (rebuilding once it drops below 0), else up until it reaches 1.
  virtual void DrawMiniBoard();
  // Steps through the list, wrapping around. The one-entry steps do nothing on an empty list,
  // the five-entry steps nothing on a list of five entries or fewer; a step that acts sets
  // `reloadPending`, even when it lands on the same entry.
  virtual void nextLevel();
  virtual void PrevLevel();
  virtual void NextLevel5();
  virtual void PrevLevel5();
  // The selected entry; "" for an empty list.
  virtual String SelectedLevelName();

  // Whether the board holds a preview built by the last LoadMiniBoard.
  bool previewShown() const { return previewBuilt_; }

 private:
  // Moves the selection by `by` entries, wrapped into the list, and asks for a reload.
  void step(int32_t by);
  // False until a preview has been built, and again after a build that failed: the board then
  // holds a game's or another entry's picture, which the selector must not show.
  bool previewBuilt_ = false;
};
using BoardSelectorPtr = std::shared_ptr<TBoardSelector>;

// Created by start-up among the singletons.
extern BoardSelectorPtr boardSelector;
