// The block side of the game: the shapes of blocks.tsc, dealing the current and the next
// block from the level's lists, following the mouse cell with the fit flags, quarter turns,
// the freeze that holds back dealing, and drawing the held block and the next-block preview.
#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "datafiles/tsc_file.h"
#include "game/pieces/block.h"
#include "platform/list.h"
#include "platform/sound.h"
#include "platform/text.h"

class TBlocksManager {
 public:
  TListPtr<BlockPtr> shapes = CreateList<BlockPtr>();  // in file order
  TSCFilePtr tscFile;  // blocks.tsc while loadBlocksDef runs
  TListPtr<String> availableRunes;   // rune ids the level deals
  TListPtr<String> availableBlocks;  // shape ids the level deals
  BlockPtr currentBlock;
  BlockPtr nextBlock;
  float nextWidth = 0.0f;   // most filled cells in one row of the next block
  float nextHeight = 0.0f;  // most filled cells in one column of the next block
  std::array<int32_t, 3> history{};  // last rune id of the last three dealt blocks, newest first
  int32_t targetRotation = 0;
  int32_t rotation = 0;
  int32_t angle = 0;         // display angle, degrees
  int32_t turnProgress = 0;  // degrees turned in the running turn
  int32_t formState = 0;     // 0 while a new block forms, 1 once formed
  int32_t formStep = 0;
  int32_t anchorX = 0;
  int32_t anchorY = 0;
  int32_t newBlock = 0;  // set on a deal, a move of the anchor and the end of a turn
  float alpha = 1.0f;
  float glowAlpha = 0.0f;
  float glowStep = 0.05f;
  SoundPtr rotateSound;
  ChannelPtr rotateChannel;
  int32_t freezeStartMs = 0;
  int32_t freezeMs = -1;  // -1: no freeze

  virtual ~TBlocksManager() = default;

  virtual int32_t _doParticles();
  virtual int32_t updateBlock(int32_t x, int32_t y);
  virtual int32_t getX(int32_t px);
  virtual int32_t getXR(int32_t px);
  virtual int32_t getY(int32_t py);
  virtual int32_t getYR(int32_t py);
  virtual int32_t drawBlock(float x, float y);
  virtual int32_t _formBlock(float x, float y);
  virtual int32_t DrawNextBlock(float cx, float cy);
  virtual int32_t _drawBlock(float x, float y);
  virtual int32_t _drawRune(int32_t id, int32_t x, int32_t y, int32_t dim);
  virtual int32_t buildNextBlock();
  virtual int32_t GetNextBlockWH();
  // A new random block of the level's lists; null (after a message) when the lists cannot
  // deal one.
  virtual BlockPtr _buildNextBlock();
  virtual int32_t rotateBlock(int32_t step);
  virtual int32_t loadBlocksDef();
  virtual int32_t loadSfx();
  virtual BlockPtr _findBlockByID(const String& id);
  virtual int32_t setAvailableRunes(const String& ids);
  virtual int32_t setAvailableBlocks(const String& ids);
  // Holds back dealing for `ms` milliseconds; a running freeze is never shortened, except
  // by -1, which ends it.
  virtual int32_t Freze(int32_t ms);
  virtual int32_t IsFreze();
  virtual int32_t ToDefreze();

  // Appends the shapes of an already loaded blocks.tsc store.
  void readShapes(const TSCFilePtr& tsc);

 private:
  String lastDealProblem_;  // printed once until the lists change
};
using BlocksManagerPtr = std::shared_ptr<TBlocksManager>;

// Created by start-up among the singletons.
extern BlocksManagerPtr blocks;
