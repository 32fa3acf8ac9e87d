// The playing board: its 15 x 15 cell layers (indexed [x][y], x the column), its place and
// cell size on the screen, its frame pieces, images and sounds, and the state of
// petrification and of the game-over test.
#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "datafiles/tsc_file.h"
#include "game/pieces/block.h"
#include "platform/graphics.h"
#include "platform/list.h"
#include "platform/pixmap.h"
#include "platform/sound.h"
#include "platform/text.h"

constexpr int32_t kBoardCells = 15;
using BoardLayer = std::array<std::array<int32_t, kBoardCells>, kBoardCells>;

// The drawing state shared by the board and its frame pieces.
class TRSA {
 public:
  float alpha = 0.0f;
  float scale = 0.0f;
  virtual ~TRSA() = default;
};

// One run of a clearing, from (x1, y1) to (x2, y2), both ends included.
class TLine {
 public:
  int32_t x1 = 0;
  int32_t y1 = 0;
  int32_t x2 = 0;
  int32_t y2 = 0;
};
using LinePtr = std::shared_ptr<TLine>;

// One piece of the frame around the board.
class TFrameElement : public TRSA {
 public:
  int32_t kind = 0;  // 0 left, 1 right, 2 top, 3 bottom, 4..7 corners LU, RU, LL, RL
  int32_t id = 0;    // column of its image table: the picture variant
  int32_t size = 0;  // row of its image table: a side's length, or the corner number
  int32_t x = 0;     // board cell, -1..15; a side's first cell
  int32_t y = 0;
};
using FrameElementPtr = std::shared_ptr<TFrameElement>;

// A table of frame images: 4 rows x 5 columns.
using FrameImageTable = std::array<std::array<ImagePtr, 5>, 4>;

class TBoardManager : public TRSA {
 public:
  TListPtr<FrameElementPtr> frameList;
  // Vertical sides, horizontal sides and corners for 32-pixel cells, then the same for 40.
  std::array<FrameImageTable, 6> frameImages{};
  ImagePtr stoneImage;
  SoundPtr explosionSound;
  SoundPtr bonusBoxSound;
  SoundPtr stoneClearedSound;
  SoundPtr petrifySound;
  std::array<SoundPtr, 3> comboSounds{};
  SoundPtr cannotPlaceSound;
  SoundPtr putSound;
  BoardLayer usable{};
  BoardLayer runeIds{};
  BoardLayer colours{};
  BoardLayer highlights{};
  BoardLayer placedAt{};
  TListPtr<LinePtr> lines;
  int32_t cellSize = 32;
  int32_t originX = 240;
  int32_t originY = 60;
  int32_t minColumn = 0;
  int32_t maxColumn = 0;
  int32_t minRow = 0;
  int32_t maxRow = 0;
  int32_t usedWidth = 0;
  int32_t usedHeight = 0;
  int32_t gameOver = 0;
  int32_t petrifyTime = 15000;
  int32_t lastPetrify = 0;
  float petrifyProgress = 0.0f;
  BoardLayer petrifyMarks{};
  int32_t petrifyRunning = 0;
  PixmapPtr backgroundPixmap;
  PixmapPtr workPixmap;
  ImagePtr boardImage;
  ImagePtr ghostImage;
  ImagePtr ghostImage32;
  ImagePtr ghostImage40;
  std::string backgroundPath;

  TBoardManager();

  // Level shape and pre-placed runes.
  virtual void setLine(int32_t row, const String& text);
  virtual void loadBoard(const TSCFilePtr& tsc);
  // Board image, cell size and centring.
  virtual void createBoardImage(int32_t recentre);
  virtual void createSmallBoardImage();
  virtual void loadSfx();
  virtual void loadRunes(const TSCFilePtr& tsc);
  // Frame pieces listed by the level file.
  virtual void loadFrame(const TSCFilePtr& tsc);
  virtual void _loadFrameSide(const TSCFilePtr& tsc, int32_t kind, const String& countKey,
                              const String& piece);
  virtual int32_t saveBoard();
  virtual void loadBoardGfx();

  // Drawing: the board in play (`small` picks the preview's frame), the level selector's
  // preview, the placement preview's sparks and the frame.
  virtual void Draw(int32_t small = 0);
  virtual void DrawSmall();
  virtual int32_t _drawHighlights();
  virtual int32_t clearHighlights();
  virtual int32_t _drawFrame();
  virtual int32_t _drawSmallFrame();
  // Lays the frame pieces out along the edges of the shape (replaces frameList's pieces).
  virtual void buildFrame();
  virtual void _buildCorner(int32_t kind, int32_t corner, int32_t gx, int32_t gy);
  virtual void _buildSide(int32_t kind, int32_t gx, int32_t end, int32_t start);
  virtual void _buildSide2(int32_t kind, int32_t end, int32_t gy, int32_t start);
  // Once per frame: fade-in, placement preview, petrification (`paused` forbids a new one).
  virtual void Update(int32_t paused = 0);
  virtual int32_t _checkForHighlights();
  // Marks the level lost when the time is over or the held block fits nowhere. Returns 0.
  virtual int32_t checkGameOver();
  // Stamps the block (null: the held one) at the anchor (x = -1: under the mouse) when every
  // cell fits; with `commit` 0 a silent trial that leaves the runes in the layers.
  virtual int32_t placeBlock(const BlockPtr& block, int32_t x, int32_t y, int32_t commit);
  // 1 when block cell [i, j], turned to land at (x + dx, y + dy), may be put there.
  virtual int32_t _checkMove(const BlockPtr& block, int32_t x, int32_t y, int32_t dx, int32_t dy,
                             int32_t i, int32_t j);
  virtual void _drawRunes();
  virtual void _addLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
  // Runs of three or more of one colour: recorded as lines (commit) or copied into highlights.
  virtual void checkForHorizontalMatch(int32_t commit);
  virtual void checkForVerticalMatch(int32_t commit);
  virtual int32_t getWidth();
  virtual int32_t GetMiddleX();
  virtual int32_t getHeight();
  virtual int32_t GetMiddleY();
  // Clears and scores the recorded lines; returns the cells counted.
  virtual int32_t clearLines(int32_t mode);
  // Finds every line on the board, clears and scores them; returns the cells counted.
  virtual int32_t clearMatchingRunes(int32_t mode);
  virtual void clearBoard();
  virtual int32_t _checkForPetrify(int32_t paused);
  virtual float freeCells();
  virtual int32_t IsEmpty();
  virtual int32_t MouseOnBoard();

 private:
  void buildImage(int32_t lastCell);
};
using BoardManagerPtr = std::shared_ptr<TBoardManager>;

// Created by start-up among the singletons.
extern BoardManagerPtr board;

// The board's cell size in pixels; 32 while there is no board.
int32_t BoardCellSize();
