// The world map between quest levels: the map picture with a stage picture per region of the
// quest and a marker per level, the header "Level N of M", and the menu and play buttons. The
// quest shows it after every level; the picture fades in, the map music plays, and the player
// goes on (the play button or a click anywhere) or back to the title (the menu button).
//
// There is one map, the global `map`. The loading screen fills it once with Load (its pictures,
// header texts and buttons, and the markers and stage pictures of "map.tsc" in the settings
// archive); the main loop then calls Show between quest levels. While editMode is set, Show also
// runs the map editor, which moves markers and stage pictures with the keyboard, changes marker
// kinds, steps the level and writes the map to "data/map.tsc". The game never sets editMode.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "services/song_manager.h"
#include "datafiles/tsc_file.h"
#include "platform/graphics.h"
#include "platform/list.h"
#include "screens/map/map_level.h"
#include "screens/map/map_stage.h"
#include "toolkit/menu.h"
#include "toolkit/text.h"

// The map's button ids: back to the title, and play on.
inline constexpr int kMapMenuButton = 1;
inline constexpr int kMapPlayButton = 2;

// Fade states of the map screen.
inline constexpr int32_t kMapFadingIn = 1;
inline constexpr int32_t kMapShown = 0;
inline constexpr int32_t kMapFadingOut = -1;

// What Show returns.
inline constexpr int32_t kMapPlayOn = 0;
inline constexpr int32_t kMapBackToMenu = 1;

class TMapCore {
 public:
  TMapCore();
  virtual ~TMapCore() = default;

  ImagePtr backgroundImage;               // the map picture, drawn first at (0, 0)
  std::array<ImagePtr, 2> headerImages{};  // the header words "Level" and "of"
  std::array<int32_t, 2> headerX{};       // their screen x, laid out by Show
  std::shared_ptr<void> extraObject;      // nothing uses it
  // The marker pictures of kind k in row k - 1: column 0 the level to play next and those ahead,
  // column 1 the levels played. Rows 1 and 3 hold row 0's pictures (the same objects).
  std::array<std::array<ImagePtr, 2>, kMapKindCount> kindImages{};
  // Glows over the marker of the level to play next: [1] for kinds 1-4, [2] for kind 5; [0] is
  // loaded but never drawn.
  std::array<ImagePtr, 3> glowImages{};
  float extraFloat1 = 0.0f;  // nothing uses it
  float extraFloat2 = 0.0f;  // nothing uses it
  int32_t extraNumber1 = 0;  // nothing uses it
  TListPtr<MapLevelPtr> levels;  // markers, in map-file order; only grows
  TListPtr<MapStagePtr> stages;  // stage pictures, in map-file order; only grows
  int32_t currentLevel = 0;  // the level to play next (the editor's level keys step it)
  int32_t currentStage = 0;  // the stage of that level; kept when no marker names the level
  int32_t extraNumber2 = 0;  // nothing uses it
  AudioStreamPtr music;      // the map music of the running (or last) showing
  // [0] the number of the level to play next, [1] the quest's last level; [2] and [3] unused.
  std::array<TextPtr, 4> headerTexts{};
  MenuPtr buttons;           // menu (id 1) then play (id 2); the ring game borrows id 1's picture
  float fadeAlpha = 1.0f;    // opacity of everything but the cursor and the editor label, 0..1
  int32_t fadeState = kMapShown;
  int32_t result = kMapPlayOn;  // set with the start of the fade-out; not reset on entry
  int32_t fadeStart = 0;     // MilliSecs when the running fade began
  int32_t finished = 0;      // 1 once the fade-out has run out
  int32_t editMode = 0;      // non-zero: Show runs the editor and Draw shows its label

  // Loads the pictures, header texts and buttons, then the markers and stage pictures of
  // "map.tsc" in the settings archive. Called once by the loading screen, after `fonts` is
  // filled. A picture that does not load is reported once on standard output and never drawn.
  virtual void Load();
  // A marker of a kind 1..5 with that kind's pictures as they stand now; other kinds are
  // dropped without a word.
  virtual void AddLevel(int32_t number, int32_t stage, int32_t kind, int32_t x, int32_t y);
  virtual void AddStage(int32_t number, const String& imagePath, int32_t x, int32_t y);
  // One whole frame at fadeAlpha: map, header, buttons, markers, stage pictures, cursor (and
  // the editor label), then the events are pumped and the frame flipped. Returns 0.
  virtual int32_t Draw();
  // The map screen after the level `finishedLevel`; returns kMapBackToMenu or kMapPlayOn. A
  // negative level returns kMapPlayOn at once. A close request ends the program from inside.
  virtual int32_t Show(int32_t finishedLevel);

  // Adds a marker per "Levels" subgroup and then a stage picture per "Stages" subgroup of a map
  // file already read (the subgroups' names do not matter; numbers are cut toward zero).
  void readMap(const TSCFilePtr& file);
  // Sets the header's x positions from the widths of its four pieces, centred on x 392.
  void layoutHeader();

  // ---- the editor: runs at the end of every pass of Show but the last while editMode is set ----

  // One editor step: selects the marker of currentLevel (its number into the header) and its
  // stage picture (into currentStage), moves them with the arrows (left Control: the picture;
  // left Shift: whole pixels), then K gives the marker the next kind, 1 and 2 step the level
  // (wrapped into 1..the number of markers) and S saves the map to "data/map.tsc". With no
  // selected marker nothing is selected or moved.
  void editorStep();
  // Forgets the editor's key presses counted before the map opened, so that a key typed or
  // pressed elsewhere (an S above all, which would overwrite the map file) does not act.
  void discardEditorKeys();
  // The whole map as the editor saves it: "Levels" with a group per marker, then "Stages" with
  // a group per stage picture, in list order, each under a name of its own.
  TSCFilePtr editorStore();
  // Writes editorStore to `path` safely (a temporary file, then a rename); a failure leaves any
  // earlier file as it was and prints a line naming the path.
  bool saveMap(const std::string& path);

 private:
  // The map-screen pass's steps.
  void fadeStep();
  void choiceStep();
  void startFadeOut(int32_t choice);
  [[noreturn]] void quitProgram();
  // Loads a fixed picture; one that does not load is reported.
  ImagePtr loadPicture(const std::string& path);
  // The editor step's parts.
  void moveSelection(const MapLevelPtr& marker, const MapStagePtr& stage);
  void cycleKind(const MapLevelPtr& marker);
  void stepLevel();
};
using MapCorePtr = std::shared_ptr<TMapCore>;

// Created by start-up among the singletons (after profileLoader, before ringGame).
extern MapCorePtr map;

// The file the editor writes, relative to the working folder.
inline constexpr const char* kMapEditorFile = "data/map.tsc";
