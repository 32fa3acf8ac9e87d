// Small fixtures for the runes, blocks and board tests: key/group stores from text, the game's
// singletons, solid pictures, captured output and found rectangles of the back buffer.
#pragma once
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "services/data_folders.h"
#include "services/mouse.h"
#include "datafiles/tsc_file.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "game/pieces/blocks_manager.h"
#include "game/pieces/rune_manager.h"
#include "game/spells/boss_manager.h"
#include "platform/graphics.h"
#include "platform/headless.h"
#include "platform/input.h"
#include "platform/pixmap.h"
#include "platform/text.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"
#include "toolkit/spark.h"

namespace pieces {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;
constexpr uint32_t kBlue = 0xFF0000FFu;

using test_support::OpenScreen;
using test_support::Output;
using test_support::Store;

// The singletons start-up creates, fresh; data paths point into the test's home folder.
inline void MakeSingletons() {
  runes = std::make_shared<TRuneManager>();
  blocks = std::make_shared<TBlocksManager>();
  board = std::make_shared<TBoardManager>();
  mouse = std::make_shared<TMouse>();
  bossManager = std::make_shared<TBossManager>();
  level = std::make_shared<TLevelManager>();
  bundleDir = test_support::TempHome() + "/";
  TSpark::destroyAll();
}

// Writes a picture of one colour; without alpha it is stored as plain RGB, like a JPEG.
inline std::string SavePicture(const std::string& relPath, int w, int h, uint32_t argb,
                               bool withAlpha = true) {
  const std::string path = test_support::TempHome() + "/" + relPath;
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(w);
  image.height = static_cast<png_uint_32>(h);
  image.format = withAlpha ? PNG_FORMAT_RGBA : PNG_FORMAT_RGB;
  const int channels = withAlpha ? 4 : 3;
  std::vector<uint8_t> bytes(static_cast<size_t>(w) * h * channels);
  for (size_t p = 0; p < static_cast<size_t>(w) * h; ++p) {
    bytes[p * channels] = static_cast<uint8_t>(argb >> 16);
    bytes[p * channels + 1] = static_cast<uint8_t>(argb >> 8);
    bytes[p * channels + 2] = static_cast<uint8_t>(argb);
    if (withAlpha) bytes[p * channels + 3] = static_cast<uint8_t>(argb >> 24);
  }
  EXPECT_NE(png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr), 0);
  return path;
}

inline int CountOf(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// A rune of the catalogue with sharp solid pictures (32 and 40 pixels).
inline RunePtr AddRune(const std::string& id, const std::string& colour, uint32_t argb) {
  auto rune = std::make_shared<TRune>();
  rune->id = FromUtf8(id);
  rune->color = FromUtf8(colour);
  rune->image = LoadImage(test_support::SolidPixmap(32, 32, argb), 0);
  rune->image40 = LoadImage(test_support::SolidPixmap(40, 40, argb), 0);
  runes->runes->AddLast(rune);
  return rune;
}

// The mouse at a screen point, for the framework and for the frame's mouse state.
inline void PutMouse(int x, int y) {
  MoveMouse(x, y);
  mouse->x = x;
  mouse->y = y;
}

struct Box {
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive
  bool Found() const { return right >= left; }
  int Width() const { return right - left + 1; }
};

// The rectangle around every pixel of the back buffer for which `match` holds (r, g, b).
inline Box FindBox(const std::function<bool(int, int, int)>& match) {
  PixmapPtr shot = headless::CaptureBackBuffer();
  Box box;
  box.left = shot->width;
  box.top = shot->height;
  for (int y = 0; y < shot->height; ++y) {
    for (int x = 0; x < shot->width; ++x) {
      const uint32_t px = ReadPixel(shot, x, y);
      if (!match((px >> 16) & 255, (px >> 8) & 255, px & 255)) continue;
      box.left = std::min(box.left, x);
      box.top = std::min(box.top, y);
      box.right = std::max(box.right, x);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

inline bool Reddish(int r, int g, int b) { return r > 100 && g < 60 && b < 60; }
inline bool Greenish(int r, int g, int b) { return g > 100 && r < 60 && b < 60; }
inline bool Bluish(int r, int g, int b) { return b > 100 && r < 60 && g < 60; }

}  // namespace pieces
