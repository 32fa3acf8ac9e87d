// The picture puzzle: one picture cut into a grid of pieces, shuffled, and put back by swapping
// two pieces at a time, with hints, info popups, an in-game menu, a save on leaving, a scoring
// scroll and a banner. TPuzzleManager keeps what the mini-game holds between its screens: the
// board, the current puzzle's settings (from a quest puzzle file, or set by the gallery), its
// fixed pictures and sound, the running game's counters and the first puzzle's popups.
//
// The puzzle file, an entry of "data/puzzle_levels_lp.bca", has one group Settings with Image
// (the picture), Music, width and height (pieces across and down, 1..10), hintA and hintB (the
// home indices of the opening hint's two pieces).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "services/song_manager.h"
#include "datafiles/tsc_file.h"
#include "play/puzzle/puzzle_grid.h"
#include "play/puzzle/puzzle_hints.h"
#include "platform/graphics.h"
#include "platform/image_font.h"
#include "platform/list.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "screens/popups/popup.h"

class TPuzzleManager {
 public:
  // The board's area on the screen.
  static constexpr float kBoardX = 65.0f;
  static constexpr float kBoardY = 53.0f;
  static constexpr int32_t kBoardWidth = 670;
  static constexpr int32_t kBoardHeight = 494;
  // Fade-in and fade-to-black lengths, ms; the banner's growth per frame.
  static constexpr int32_t kFadeMs = 250;
  static constexpr float kBannerStep = 0.05f;
  // Points per piece counted in and per hint counted out by the summary.
  static constexpr int32_t kPointsPerPiece = 50;
  static constexpr int32_t kPointsPerHint = 50;

  // End codes of a game.
  static constexpr int32_t kPlayOn = 0;
  static constexpr int32_t kEndProgram = 1;
  static constexpr int32_t kSkip = 2;
  static constexpr int32_t kMainMenu = 3;

  PuzzleGridPtr grid = std::make_shared<TPuzzleGrid>();
  String imagePath;
  int32_t width = 0;   // columns
  int32_t height = 0;  // rows
  String musicPath;
  AudioStreamPtr music;
  SoundPtr countSound;
  int32_t hintsUsed = 0;
  ImagePtr menuButtonImage;
  ImagePtr hintButtonImage;
  int32_t startTime = 0;  // MilliSecs at the start of the game (moved back on a resume)
  int32_t clicks = 0;
  int32_t hintA = 0;
  int32_t hintB = 0;
  ImagePtr stageImage;  // the end banner, handle at (183, 73)
  TListPtr<PopupPtr> popups = CreateList<PopupPtr>();
  String fileName;  // the puzzle file last loaded, for messages

  virtual ~TPuzzleManager() = default;

  // Reads a quest puzzle file; "puzzle-01.tsc" also reads its popups from "infoPZ.tsc".
  virtual void Load(const String& name);
  // Settings from a loaded puzzle file (Load without the archive); `name` for messages.
  virtual void LoadFrom(const TSCFilePtr& tsc, const String& name);
  // Builds the board for one game: picture, area, cell sizes, pieces at home.
  virtual void Create(const String& picturePath, int32_t cols, int32_t rows);
  virtual void loadGfx();
  // One game; 1 when it was left for the main menu, else 0.
  virtual int32_t show(int32_t unused, const String& picture, int32_t fromGallery);
  // The fade-in from black over the prepared board.
  virtual void Begin(const ImagePtr& background, int32_t resumed);
  // The end banner and the fade to black; 1 when the program was asked to close.
  virtual int32_t Finish(const ImagePtr& background);
  // The scoring scroll; 1 when the program was asked to close.
  virtual int32_t summary(const ImagePtr& background, const ImageFontPtr& rowFont,
                          const ImageFontPtr& titleFont, int32_t replay);
  // The in-game menu over the frozen board: kPlayOn, kEndProgram or kMainMenu.
  virtual int32_t ShowInGameMenuPuzzle(const ImagePtr& background, const HintsPtr& hints);

 private:
  int32_t PlayFrame(const ImagePtr& background, const HintsPtr& hints, int32_t fromGallery,
                    int32_t& menuHover, int32_t& hintHover);
  void PopupFrame(const ImagePtr& background);
  // The head of every play and menu frame: the frame timer, the music, the background, the mouse.
  void FrameHead(const ImagePtr& background);
  // Starts a new game on the built board: the clock and clicks, the fade, the shuffle, the
  // opening hint.
  void StartNewGame(const ImagePtr& background, const HintsPtr& hints, int32_t fromGallery);
  // 1 when the pieces restored from the profile stand one on each cell of the board.
  int32_t ResumedBoardIsWhole() const;
};
using PuzzleManagerPtr = std::shared_ptr<TPuzzleManager>;

// Created by start-up among the singletons.
extern PuzzleManagerPtr puzzle;
