// The board's own pictures and sounds, and the board image: a square of the level's
// background picture with the holes of the shape cut out, at 32 or 40 pixels per cell.
#include <algorithm>

#include "services/data_folders.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "platform/system.h"

namespace {

constexpr int kFrameImageFlags = 7;  // masked, filtered, mipmapped
constexpr uint32_t kHoleColour = 0xFFFF00FFu;  // opaque magenta, the mask colour

// Fills one table of frame pictures. The vertical and horizontal side tables hold lengths 1 to
// 3 in rows 1 to 3; the corner table holds the four corners in rows 0 to 3.
void LoadSideTable(FrameImageTable& table, const std::string& folder, const char* suffix) {
  static const char* kVariants = "abc";
  for (int length = 1; length <= 3; ++length) {
    const int variants = length == 3 ? 3 : 2;
    for (int v = 0; v < variants; ++v) {
      const std::string file =
          std::to_string(length) + kVariants[v] + suffix + ".png";
      table[static_cast<size_t>(length)][static_cast<size_t>(v)] =
          LoadImage(bundleDir + folder + file, kFrameImageFlags);
    }
  }
}

void LoadCornerTable(FrameImageTable& table, const std::string& folder) {
  static const char* kCorners[4] = {"lg", "rg", "ld", "rd"};
  static const char* kVariants[3] = {"", "_v2", "_v3"};
  for (size_t corner = 0; corner < 4; ++corner)
    for (size_t v = 0; v < 3; ++v)
      table[corner][v] = LoadImage(
          bundleDir + folder + "1b-" + kCorners[corner] + kVariants[v] + ".png", kFrameImageFlags);
}

}  // namespace

void TBoardManager::loadBoardGfx() {
  ghostImage32 = LoadImage(bundleDir + "gfx/runy/ghost.png", DEFAULT_IMAGE_FLAGS);
  ghostImage40 = LoadImage(bundleDir + "gfx/runy-40x40/ghost.png", DEFAULT_IMAGE_FLAGS);
  const char* folders[2] = {"gfx/ramka/", "gfx/ramka-40x40/"};
  for (size_t set = 0; set < 2; ++set) {
    LoadSideTable(frameImages[set * 3], folders[set], "");
    LoadSideTable(frameImages[set * 3 + 1], folders[set], "-p");
    LoadCornerTable(frameImages[set * 3 + 2], folders[set]);
  }
  ghostImage = ghostImage32;
}

void TBoardManager::loadSfx() {
  explosionSound = LoadSound(bundleDir + "sfx/fx/playgame-explosion2-biger.ogg", 0);
  bonusBoxSound = LoadSound(bundleDir + "sfx/fx/playgame-bonus-4-boxs.ogg", 0);
  comboSounds[0] = LoadSound(bundleDir + "sfx/fx/playgame-combo-x3.ogg", 0);
  comboSounds[1] = comboSounds[0];
  comboSounds[2] = LoadSound(bundleDir + "sfx/fx/playgame-combo-x4-and-maxmega.ogg", 0);
  cannotPlaceSound = LoadSound(bundleDir + "sfx/fx/playgame-niemozna-postawic1.ogg", 0);
  putSound = LoadSound(bundleDir + "sfx/fx/playgame-put-new1.ogg", 0);
  stoneClearedSound = LoadSound(bundleDir + "sfx/fx/playgame-expl-klocstoned.ogg", 0);
  petrifySound = LoadSound(bundleDir + "sfx/fx/playgame-stonemode.ogg", 0);
  stoneImage = LoadImage(bundleDir + "gfx/gwiazdki/stone.png", DEFAULT_IMAGE_FLAGS);
  if (stoneImage) MidHandleImage(stoneImage);
}

void TBoardManager::createBoardImage(int32_t recentre) {
  getWidth();
  getHeight();
  if (recentre != 0) {
    cellSize = (usedWidth <= 12 && usedHeight <= 12) ? 40 : 32;
    originX = 492 - GetMiddleX();
    originY = 300 - GetMiddleY();
  }
  // The background is 480 pixels square: a kept 40-pixel cell size covers 12 cells, not 15.
  buildImage(std::min(14, 480 / cellSize - 1));
}

void TBoardManager::createSmallBoardImage() {
  cellSize = 32;
  buildImage(480 / 32 - 1);
}

void TBoardManager::buildImage(int32_t lastCell) {
  ghostImage = cellSize == 40 ? ghostImage40 : ghostImage32;
  const int32_t number = (level ? level->levelNumber : 0) % 9 + 1;
  backgroundPath = bundleDir + "gfx/bg/deski/deska-" + std::to_string(number) + ".jpg";
  // Magenta stays the mask colour afterwards, with or without a board image: pictures loaded
  // later count on it.
  SetMaskColor(255, 0, 255);
  backgroundPixmap = LoadPixmap(backgroundPath);
  if (!backgroundPixmap) {
    Print("Board background not found: " + backgroundPath);
    boardImage = nullptr;
    return;
  }
  workPixmap = CopyPixmap(backgroundPixmap);
  for (int32_t y = 0; y <= lastCell; ++y) {
    for (int32_t x = 0; x <= lastCell; ++x) {
      if (usable[static_cast<size_t>(x)][static_cast<size_t>(y)] != 0) continue;
      for (int32_t py = y * cellSize; py < (y + 1) * cellSize; ++py)
        for (int32_t px = x * cellSize; px < (x + 1) * cellSize; ++px)
          WritePixel(workPixmap, px, py, kHoleColour);
    }
  }
  const int32_t side = (lastCell + 1) * cellSize;
  boardImage = LoadImage(PixmapWindow(workPixmap, 0, 0, side, side), DEFAULT_IMAGE_FLAGS);
  workPixmap = nullptr;
}
