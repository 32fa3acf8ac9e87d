#include "play/puzzle/puzzle_manager.h"

#include <algorithm>

#include "services/data_folders.h"
#include "services/mouse.h"
#include "datafiles/bca_archive.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/pixmap.h"
#include "platform/system.h"
#include "toolkit/dim.h"
#include "toolkit/image_loaders.h"

PuzzleManagerPtr puzzle;

namespace {

const String kSettings = S("Settings");
// The only puzzle file whose popups are read, compared exactly.
const String kFirstPuzzle = S("puzzle-01.tsc");
// The Level of the first puzzle's popups in "infoPZ.tsc".
constexpr float kFirstPuzzleLevel = 1.0f;
constexpr const char* kDefaultPicture = "gfx/slides/1a.jpg";

// A side of the board held to 1..kMaxSide; the caller reports a change.
int32_t HeldSide(int32_t side) { return std::clamp(side, 1, TPuzzleGrid::kMaxSide); }

}  // namespace

void TPuzzleManager::Load(const String& name) {
  TSCFilePtr tsc = CreateTSCFile();
  LoadTSCFileBB(tsc, bundleDir + "data/puzzle_levels_lp.bca", name);
  LoadFrom(tsc, name);
  if (name != kFirstPuzzle) return;
  try {
    TSCFilePtr info = CreateTSCFile();
    LoadTSCFileBB(info, bundleDir + "data/popups_lp.bca", S("infoPZ.tsc"));
    AddLevelPopups(info, kFirstPuzzleLevel, popups);
  } catch (const TextError&) {
    // The popups read so far stay; the puzzle plays without the rest.
  }
}

void TPuzzleManager::LoadFrom(const TSCFilePtr& tsc, const String& name) {
  fileName = name;
  // A continue runs Load over a finished first puzzle: its popups must not reach the next one.
  popups->Clear();
  imagePath = GetTSCStringKey(tsc, kSettings, S("Image"), 0);
  musicPath = GetTSCStringKey(tsc, kSettings, S("Music"), 0);
  const int32_t cols = GetTSCWholeNumberKey(tsc, kSettings, S("width"), 0);
  const int32_t rows = GetTSCWholeNumberKey(tsc, kSettings, S("height"), 0);
  hintA = GetTSCWholeNumberKey(tsc, kSettings, S("hintA"), 0);
  hintB = GetTSCWholeNumberKey(tsc, kSettings, S("hintB"), 0);
  width = HeldSide(cols);
  height = HeldSide(rows);
  if (width == 1 && height == 1) width = 2;  // one piece could never be shuffled
  if (width != cols || height != rows)
    Print(S("Puzzle ") + name + u": " + FromInt(cols) + u" x " + FromInt(rows) +
          u" pieces cannot be played, taken as " + FromInt(width) + u" x " + FromInt(height));
}

void TPuzzleManager::Create(const String& picturePath, int32_t cols, int32_t rows) {
  cols = HeldSide(cols);
  rows = HeldSide(rows);
  if (cols == 1 && rows == 1) cols = 2;
  const std::string fallback = bundleDir + kDefaultPicture;
  std::string path = ToPath(picturePath);
  if (!path.empty()) path = FindGameOrCustomArt(path);
  if (path.empty()) path = fallback;

  grid->dim = CreateDim(kBoardX, kBoardY, static_cast<float>(kBoardWidth),
                        static_cast<float>(kBoardHeight), 0, 1, 1, 0);
  grid->pieceCount = cols * rows;
  grid->cols = cols;
  grid->rows = rows;
  const int32_t cellWidth = kBoardWidth / cols;
  const int32_t cellHeight = kBoardHeight / rows;
  grid->cellWidth = static_cast<float>(cellWidth);
  grid->cellHeight = static_cast<float>(cellHeight);

  // A picture that cannot be decoded falls back to the default one, and that to a blank sheet.
  PixmapPtr picture = FLoadPixmap(ImageSource(path));
  if (!picture && path != fallback) picture = FLoadPixmap(ImageSource(fallback));
  if (!picture) picture = CreatePixmap(kBoardWidth, kBoardHeight);
  if (picture->width != kBoardWidth || picture->height != kBoardHeight)
    picture = ResizePixmap(picture, kBoardWidth, kBoardHeight);
  grid->pieceImage = LoadAnimImage(picture, cellWidth, cellHeight, 0, cols * rows);

  for (int32_t row = 0; row < rows; ++row)
    for (int32_t col = 0; col < cols; ++col)
      grid->cells->AddLast(CreatePuzzleButton(grid->pieceImage, grid->cells->Count(), kBoardX,
                                              kBoardY, col, row, col + cols * row, cols));
}

void TPuzzleManager::loadGfx() {
  grid->loadGfx();
  hintButtonImage = LoadImage(bundleDir + "gfx/puzzle/b-hint.png");
  menuButtonImage = LoadImage(bundleDir + "gfx/puzzle/b-menu.png");
  stageImage = LoadImage(bundleDir + "gfx/gui/stage3.png");
  if (stageImage) SetImageHandle(stageImage, 183, 73);
  countSound = LoadSound(bundleDir + "sfx/fx4/playgamepuzzle-podlicz-out.ogg", 0);
}

void TPuzzleManager::Begin(const ImagePtr& background, int32_t resumed) {
  // A whole-millisecond reading: a float of the clock would move in steps of 128 ms.
  const int32_t t0 = MilliSecs();
  for (const ButtonPtr& button : *grid->cells)
    std::static_pointer_cast<TPuzzleButton>(button)->marked = 0;
  if (resumed != 0) grid->State();
  for (;;) {
    if (music) music->update();
    if (mouse) mouse->fetchState();
    if (ElapsedMs(MilliSecs(), t0) > kFadeMs) return;
    Cls();
    if (background) DrawImage(background, 0, 0, 0);
    grid->Draw();
    SetBlend(ALPHABLEND);
    SetColor(0, 0, 0);
    SetAlpha(1.0f - static_cast<float>(ElapsedMs(MilliSecs(), t0)) / kFadeMs);
    DrawRect(0, 0, 800, 600);
    SetAlpha(1.0f);
    SetColor(255, 255, 255);
    if (mouse) mouse->Draw();
    PollSystem();
    Flip(-1);
  }
}

int32_t TPuzzleManager::Finish(const ImagePtr& background) {
  int32_t t0 = MilliSecs();
  int32_t phase = 1;
  float bannerAlpha = 0.0f, bannerScale = 0.0f, fade = 0.0f;
  for (;;) {
    if (music) music->update();
    if (mouse) mouse->fetchState();
    if (phase == 1) {
      bannerAlpha += kBannerStep;
      bannerScale = 0.5f + bannerAlpha / 2.0f;
      if (bannerAlpha > 1.0f) {
        bannerAlpha = 1.0f;
        bannerScale = 1.0f;
      }
      if (mouse && mouse->hit1 != 0) {
        t0 = MilliSecs();
        phase = 2;
      }
    }
    if (phase == 2) {
      fade = static_cast<float>(ElapsedMs(MilliSecs(), t0)) / kFadeMs;
      if (ElapsedMs(MilliSecs(), t0) > kFadeMs) phase = 3;
    }
    Cls();
    SetAlpha(1.0f);
    SetScale(1.0f, 1.0f);
    if (background) DrawImage(background, 0, 0, 0);
    grid->Draw();
    SetAlpha(bannerAlpha);
    SetScale(bannerScale, bannerScale);
    DrawImage(stageImage, 400, 300);
    SetScale(1.0f, 1.0f);
    SetColor(0, 0, 0);
    SetAlpha(fade);
    DrawRect(0, 0, 800, 600);
    SetAlpha(1.0f);
    SetColor(255, 255, 255);
    if (mouse) mouse->Draw();
    PollSystem();
    Flip(-1);
    if (AppTerminate()) return 1;
    if (phase > 2) return 0;
  }
}
