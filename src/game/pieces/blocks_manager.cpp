#include "game/pieces/blocks_manager.h"

#include <algorithm>

#include "services/data_folders.h"
#include "services/delta_time.h"
#include "services/sfx.h"
#include "datafiles/bca_archive.h"
#include "game/board/board_manager.h"
#include "game/pieces/rune_manager.h"
#include "platform/input.h"
#include "platform/system.h"
#include "toolkit/string_utils.h"

BlocksManagerPtr blocks;

// ---- Shapes -----------------------------------------------------------------------------------

int32_t TBlocksManager::loadBlocksDef() {
  tscFile = CreateTSCFile();
  LoadTSCFileBB(tscFile, bundleDir + "data/settings_lp.bca", S("blocks.tsc"));
  readShapes(tscFile);
  tscFile = nullptr;
  return 0;
}

void TBlocksManager::readShapes(const TSCFilePtr& tsc) {
  const int32_t count = static_cast<int32_t>(GetTSCNumberKey(tsc, S("List"), S("Quantity"), 0));
  for (int32_t i = 1; i <= count; ++i) {
    const String group = S("List::Block") + FromInt(i);
    auto shape = std::make_shared<TBlock>();
    shape->id = GetTSCStringKey(tsc, group, S("id"), 0);
    shape->width = static_cast<int32_t>(GetTSCNumberKey(tsc, group, S("width"), 0));
    shape->height = static_cast<int32_t>(GetTSCNumberKey(tsc, group, S("height"), 0));
    shape->pieceCount = static_cast<int32_t>(GetTSCNumberKey(tsc, group, S("pieces"), 0));
    shape->title = GetTSCStringKey(tsc, group, S("title"), 0);
    shape->description = GetTSCStringKey(tsc, group, S("description"), 0);
    for (int32_t j = 1; j <= shape->pieceCount; ++j) {
      const String key = S("piece") + FromInt(j);
      const auto x = static_cast<int32_t>(GetTSCNumberKey(tsc, group, key, 0));
      const auto y = static_cast<int32_t>(GetTSCNumberKey(tsc, group, key, 1));
      if (x < 0 || x > 3 || y < 0 || y > 3) {
        Print(S("Block ") + shape->id + S(": ") + key + S(" lies outside the 4 x 4 grid"));
        continue;
      }
      shape->cells[static_cast<size_t>(x)][static_cast<size_t>(y)] = 1;
    }
    shapes->AddLast(shape);
  }
}

int32_t TBlocksManager::loadSfx() {
  rotateSound = LoadSound(bundleDir + "sfx/fx/playgame-szur1.ogg", 0);
  return 0;
}

BlockPtr TBlocksManager::_findBlockByID(const String& id) {
  for (const BlockPtr& shape : *shapes)
    if (shape->id == id) return shape;
  return nullptr;
}

int32_t TBlocksManager::setAvailableRunes(const String& ids) {
  availableRunes = splitString(ids, S(" "));
  lastDealProblem_.clear();
  return 0;
}

int32_t TBlocksManager::setAvailableBlocks(const String& ids) {
  availableBlocks = splitString(ids, S(" "));
  lastDealProblem_.clear();
  return 0;
}

// ---- Dealing ----------------------------------------------------------------------------------

BlockPtr TBlocksManager::_buildNextBlock() {
  // Bad level lists deal nothing; the message names the list and is not repeated every frame.
  // A failed deal leaves the held block as it is: the preview tries again every frame, and each
  // try would otherwise snap a formed, turned block back to its forming start.
  String problem;
  BlockPtr shape;
  if (CountList(availableBlocks) == 0) {
    problem = S("Cannot deal a block: the level's AvailableBlocks list is empty");
  } else if (CountList(availableRunes) == 0) {
    problem = S("Cannot deal a block: the level's AvailableRunes list is empty");
  } else {
    const String shapeId = availableBlocks->ValueAtIndex(Rand(0, CountList(availableBlocks) - 1));
    shape = _findBlockByID(shapeId);
    if (!shape)
      problem = S("Cannot deal a block: the level's AvailableBlocks names the unknown block \"") +
                shapeId + S("\"");
  }
  if (!shape) {
    if (problem != lastDealProblem_) Print(problem);
    lastDealProblem_ = problem;
    return nullptr;
  }

  newBlock = 1;
  anchorX = getXR(0);
  anchorY = getYR(0);
  auto block = std::make_shared<TBlock>();
  targetRotation = rotation = angle = turnProgress = 0;
  alpha = 0.0f;
  formState = 0;
  formStep = 0;

  int32_t lastRune = 0;
  for (size_t y = 0; y < 4; ++y) {
    for (size_t x = 0; x < 4; ++x) {
      if (shape->cells[x][y] == 0) continue;
      const String runeId = availableRunes->ValueAtIndex(Rand(0, CountList(availableRunes) - 1));
      block->cells[x][y] = ToInt(runeId);
      block->colors[x][y] = runes ? runes->getRuneColor(runeId) : 0;
      lastRune = block->cells[x][y];
    }
  }
  history[2] = history[1];
  history[1] = history[0];
  history[0] = lastRune;
  return block;
}

int32_t TBlocksManager::buildNextBlock() {
  currentBlock = nextBlock ? nextBlock : _buildNextBlock();
  nextBlock = _buildNextBlock();
  GetNextBlockWH();
  return 0;
}

int32_t TBlocksManager::GetNextBlockWH() {
  int32_t widest = 0;
  int32_t tallest = 0;
  if (nextBlock) {
    for (size_t a = 0; a < 4; ++a) {
      int32_t inRow = 0;
      int32_t inColumn = 0;
      for (size_t b = 0; b < 4; ++b) {
        if (nextBlock->cells[b][a] != 0) ++inRow;
        if (nextBlock->cells[a][b] != 0) ++inColumn;
      }
      widest = std::max(widest, inRow);
      tallest = std::max(tallest, inColumn);
    }
  }
  nextWidth = static_cast<float>(widest);
  nextHeight = static_cast<float>(tallest);
  return 0;
}

// ---- Position, turning, freeze ----------------------------------------------------------------

int32_t TBlocksManager::getXR(int32_t px) {
  if (px == 0) px = MouseX();
  return (px - (board ? board->originX : 0)) / BoardCellSize();
}

int32_t TBlocksManager::getYR(int32_t py) {
  if (py == 0) py = MouseY();
  return (py - (board ? board->originY : 0)) / BoardCellSize();
}

int32_t TBlocksManager::getX(int32_t px) {
  return getXR(px) * BoardCellSize() + (board ? board->originX : 0);
}

int32_t TBlocksManager::getY(int32_t py) {
  return getYR(py) * BoardCellSize() + (board ? board->originY : 0);
}

int32_t TBlocksManager::updateBlock(int32_t x, int32_t y) {
  if (formState != 0 && currentBlock) {
    if (x == -1) {
      x = getXR(0);
      y = getYR(0);
    }
    if (x != anchorX || y != anchorY) {
      if (board && board->MouseOnBoard() != 0) _doParticles();
      anchorX = x;
      anchorY = y;
      newBlock = 1;
    }
    for (int32_t i = 0; i < 4; ++i) {
      for (int32_t j = 0; j < 4; ++j) {
        int32_t dx = 0;
        int32_t dy = 0;
        RotateOffset(rotation, i, j, dx, dy);
        const bool fits = board && board->_checkMove(currentBlock, x, y, dx, dy, i, j) != 0;
        currentBlock->fits[static_cast<size_t>(i)][static_cast<size_t>(j)] = fits ? 1 : 0;
      }
    }
  }

  if (targetRotation != rotation) {
    turnProgress = static_cast<int32_t>(turnProgress + 6.0 * delta);
    angle = static_cast<int32_t>(angle + 6.0 * delta);
    if (angle > 360) angle -= 360;
    if (angle < 0) angle += 360;
    if (turnProgress >= 90) {
      turnProgress = 0;
      rotation = targetRotation;
      angle = 90 * targetRotation;
      newBlock = 1;
    }
  }

  if (formState == 0) {
    formStep += 1;
    alpha = std::min(alpha + 1.0f / 15.0f, 1.0f);
    if (formStep > 15) {
      formStep = 0;
      formState = 1;
    }
  }
  return 0;
}

int32_t TBlocksManager::rotateBlock(int32_t step) {
  targetRotation = rotation + step;
  if (targetRotation < 0) targetRotation = 3;
  if (targetRotation > 3) targetRotation = 0;
  if (turnProgress == 0) rotateChannel = playSound2(rotateSound, rotateChannel, 1);
  return 0;
}

int32_t TBlocksManager::IsFreze() {
  if (freezeMs == -1) return 0;
  return ElapsedMs(MilliSecs(), freezeStartMs) <= freezeMs ? 1 : 0;
}

int32_t TBlocksManager::ToDefreze() { return freezeMs - ElapsedMs(MilliSecs(), freezeStartMs); }

int32_t TBlocksManager::Freze(int32_t ms) {
  if (ms == -1) {
    // Clearing the spells' effects ends any freeze, so the next level deals at once.
    freezeStartMs = MilliSecs();
    freezeMs = -1;
    return 0;
  }
  if (IsFreze() == 1 && ToDefreze() > ms) return 0;
  freezeStartMs = MilliSecs();
  freezeMs = ms;
  return 0;
}

int32_t TBlocksManager::_doParticles() {
  if (!currentBlock || !runes) return 0;
  for (int32_t i = 0; i < 4; ++i) {
    for (int32_t j = 0; j < 4; ++j) {
      if (currentBlock->cells[static_cast<size_t>(i)][static_cast<size_t>(j)] == 0) continue;
      int32_t dx = 0;
      int32_t dy = 0;
      RotateOffset(rotation, i, j, dx, dy);
      for (int k = 0; k < 5; ++k) runes->particleRune(7, anchorX + dx, anchorY + dy, 0, 0, 0, 0);
    }
  }
  return 0;
}
