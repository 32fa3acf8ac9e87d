#include "game/pieces/rune_manager.h"

#include "services/data_folders.h"
#include "datafiles/bca_archive.h"
#include "game/board/board_manager.h"
#include "platform/system.h"
#include "toolkit/spark.h"
#include "toolkit/string_utils.h"

RuneManagerPtr runes;

namespace {

// Reads "min,max" into the two bounds.
void ReadRange(const TListPtr<String>& ranges, int index, int32_t& low, int32_t& high) {
  if (CountList(ranges) <= index) return;
  TListPtr<String> bounds = splitString(ranges->ValueAtIndex(index), S(","));
  if (CountList(bounds) > 0) low = ToInt(bounds->ValueAtIndex(0));
  if (CountList(bounds) > 1) high = ToInt(bounds->ValueAtIndex(1));
}

}  // namespace

int32_t TRuneManager::loadRunesGfx() {
  LoadTSCFileBB(tscFile, bundleDir + "data/settings_lp.bca", S("runes.tsc"));
  readCatalogue(tscFile);
  return 0;
}

void TRuneManager::readCatalogue(const TSCFilePtr& tsc) {
  const int32_t count = static_cast<int32_t>(GetTSCNumberKey(tsc, S("List"), S("Quantity"), 0));
  for (int32_t i = 1; i <= count; ++i) {
    const String group = S("List::Rune") + FromInt(i);
    auto rune = std::make_shared<TRune>();
    const String fileName = GetTSCStringKey(tsc, group, S("fileName"), 0);
    const String fileName2 = GetTSCStringKey(tsc, group, S("fileName2"), 0);
    rune->image = LoadImage(ToPath(fileName), FILTEREDIMAGE | MIPMAPPEDIMAGE);
    rune->image40 = LoadImage(ToPath(fileName2), FILTEREDIMAGE | MIPMAPPEDIMAGE);
    rune->id = GetTSCStringKey(tsc, group, S("id"), 0);
    rune->color = GetTSCStringKey(tsc, group, S("color"), 0);
    rune->width = static_cast<int32_t>(GetTSCNumberKey(tsc, group, S("width"), 0));
    rune->height = static_cast<int32_t>(GetTSCNumberKey(tsc, group, S("height"), 0));
    rune->blocked = static_cast<int32_t>(GetTSCNumberKey(tsc, group, S("blocked"), 0));
    rune->title = GetTSCStringKey(tsc, group, S("title"), 0);
    rune->description = GetTSCStringKey(tsc, group, S("description"), 0);
    rune->blockedId = GetTSCStringKey(tsc, group, S("blockedID"), 0);

    TListPtr<String> ranges = splitString(GetTSCStringKey(tsc, group, S("rgb"), 0), S(":"));
    if (CountList(ranges) > 0) {
      ReadRange(ranges, 0, rune->redMin, rune->redMax);
      ReadRange(ranges, 1, rune->greenMin, rune->greenMax);
      ReadRange(ranges, 2, rune->blueMin, rune->blueMax);
    }
    if (rune->blocked != 0) rune->unblockedId = GetTSCStringKey(tsc, group, S("unblocked"), 0);

    if (rune->image) {
      runes->AddLast(rune);
    } else {
      Print(S("Rune ") + rune->id + S(" left out: cannot load its image \"") + fileName + S("\""));
    }
  }
}

int32_t TRuneManager::Draw(int32_t id, float x, int32_t y) {
  RunePtr rune = _findRuneByID(FromInt(id));
  if (!rune) return 0;
  // A rune without a 40-pixel picture keeps its 32-pixel one on the larger board.
  const ImagePtr& image = (BoardCellSize() == 40 && rune->image40) ? rune->image40 : rune->image;
  DrawImage(image, x, static_cast<float>(y), 0);
  return 0;
}

int32_t TRuneManager::isBlocked(int32_t id) {
  RunePtr rune = _findRuneByID(FromInt(id));
  return rune && rune->blocked != 0 ? 1 : 0;
}

int32_t TRuneManager::unblocked(int32_t id) {
  RunePtr rune = _findRuneByID(FromInt(id));
  return rune ? ToInt(rune->unblockedId) : 0;
}

int32_t TRuneManager::getRuneColor(const String& id) {
  RunePtr rune = _findRuneByID(id);
  return rune ? ToInt(rune->color) : 0;
}

RunePtr TRuneManager::_findRuneByID(const String& id) {
  for (const RunePtr& rune : *runes)
    if (rune->id == id) return rune;
  return nullptr;
}

int32_t TRuneManager::getRuneRGB(int32_t colour, int32_t component) {
  const String wanted = FromInt(colour);
  for (const RunePtr& rune : *runes) {
    if (rune->blocked != 0 || rune->color != wanted) continue;
    if (component == 1) return Rand(rune->redMin, rune->redMax);
    if (component == 2) return Rand(rune->greenMin, rune->greenMax);
    if (component == 3) return Rand(rune->blueMin, rune->blueMax);
  }
  return 0;
}

int32_t TRuneManager::particleRune(int32_t colour, int32_t cellX, int32_t cellY, float vx,
                                   float vy, int32_t screenX, int32_t screenY) {
  const int32_t red = getRuneRGB(colour, 1);
  const int32_t green = getRuneRGB(colour, 2);
  const int32_t blue = getRuneRGB(colour, 3);
  const int32_t cell = BoardCellSize();
  const int32_t originX = board ? board->originX : 0;
  const int32_t originY = board ? board->originY : 0;
  int32_t x = originX + cellX * cell + Rand(-7, 12);
  int32_t y = originY + cellY * cell + Rand(-7, 12);
  if (screenX != 0) x = screenX + Rand(-7, 12);
  if (screenY != 0) y = screenY + Rand(-7, 12);
  const float scale = static_cast<float>(colour < 10 ? Rnd(0.6, 1.0) : Rnd(0.5, 0.9));
  const int32_t life = Rand(10, 40);
  const ImagePtr& image = sparkImages[static_cast<size_t>(Rand(1, 3))];
  SparkPtr spark = TSpark::Create(image, x, y, scale, life, red, green, blue, 1, 0);
  if (colour >= 10) spark->setVelocity(vx, vy);
  return 0;
}
