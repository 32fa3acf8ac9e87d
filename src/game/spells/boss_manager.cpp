#include "game/spells/boss_manager.h"

#include <cmath>

#include "services/data_folders.h"
#include "services/sfx.h"
#include "datafiles/bca_archive.h"
#include "game/board/board_manager.h"
#include "game/levels/level_manager.h"
#include "platform/system.h"
#include "toolkit/string_utils.h"

BossManagerPtr bossManager;

namespace {

constexpr int32_t kBossLevelGoal = 3;
// A board whose used width and height are both at most this many cells is drawn with 40-pixel
// cells and takes the big picture set.
constexpr int32_t kBigBoardCells = 12;
constexpr int32_t kEntryPieces = 3;  // id:column:row

const char* const kCatalogueEntry = "bossRunes.tsc";
const char* const kExplosionSound = "sfx/playgame-explodebooskloc1.ogg";

// The pictures of one board cell size.
struct PictureSet {
  const char* bossKey;     // the catalogue key naming the boss picture
  const char* shadow;
  const char* auraPrefix;  // + the frame number in four digits + ".png"
  const char* soot;
};
constexpr PictureSet kBigSet = {"fileNameBossBig", "gfx/boss/cien_boss.png", "gfx/boss/boss-ef",
                                "gfx/boss/sadza40.png"};
constexpr PictureSet kSmallSet = {"fileNameBoss", "gfx/boss/cien_bossm.png", "gfx/boss/boss-efm",
                                  "gfx/boss/sadza32.png"};

const PictureSet& SetFor(bool big) { return big ? kBigSet : kSmallSet; }

// The four squares of the ring, by the offset of their top-left cell from the boss square's, in
// the order in which they are tested, drawn and cleared: left, right, top, bottom.
struct RingSquare {
  int32_t dx;
  int32_t dy;
};
constexpr std::array<RingSquare, 4> kRingSquares = {{{-2, 0}, {2, 0}, {0, -2}, {0, 2}}};

// Visits the sixteen ring cells in ring order (square by square; within a square the column is
// the outer loop). `visit` answers false to stop the walk.
template <class Visit>
void ForEachRingCell(const TBossRune& boss, Visit visit) {
  for (const RingSquare& square : kRingSquares)
    for (int32_t column = 0; column < 2; ++column)
      for (int32_t row = 0; row < 2; ++row)
        if (!visit(boss.cellX + square.dx + column, boss.cellY + square.dy + row)) return;
}

bool OnGrid(int32_t column, int32_t row) {
  return column >= 0 && column < kBoardCells && row >= 0 && row < kBoardCells;
}

int32_t& Cell(BoardLayer& layer, int32_t column, int32_t row) {
  return layer[static_cast<size_t>(column)][static_cast<size_t>(row)];
}

// The board's top-left corner of a cell, in screen pixels.
float CellLeft(int32_t column) {
  return static_cast<float>(board->originX + board->cellSize * column);
}
float CellTop(int32_t row) { return static_cast<float>(board->originY + board->cellSize * row); }

String FourDigits(int32_t n) {
  String text = FromInt(n);
  while (text.size() < 4) text = S("0") + text;
  return text;
}

String LevelName() { return level ? level->fileName : String(); }

}  // namespace

BossRunePtr TBossRune::Create(int32_t id, int32_t colour, int32_t column, int32_t row,
                              const std::string& imagePath) {
  auto boss = std::make_shared<TBossRune>();
  boss->id = id;
  boss->runeColour = colour;
  boss->cellX = column;
  boss->cellY = row;
  boss->image = LoadImage(imagePath);
  boss->createdAt = MilliSecs();
  boss->alive = 1;
  return boss;
}

void TBossRune::Draw(const ImagePtr& shadow, const BossAuraFrames& frames) {
  if (!board) return;
  const float x = CellLeft(cellX);
  const float y = CellTop(cellY);
  DrawImage(shadow, x, y, 0);
  DrawImage(image, x, y, 0);
  // Each aura frame fades in over 500 ms while the one before it fades out; the sixteen loop
  // every 8 s. The wrapped clock difference is exact; only then is it taken as a real.
  const double t = ElapsedMs(MilliSecs(), createdAt);
  const auto phase = static_cast<float>(std::fmod(t, kBossAuraFrameMs) / kBossAuraFrameMs);
  const auto i = static_cast<int32_t>(std::fmod(t / kBossAuraFrameMs, kBossAuraFrames));
  const int32_t j = i == 0 ? kBossAuraFrames - 1 : i - 1;
  // A negative difference (a clock set back) still names a frame of the loop.
  const auto frameAt = [&](int32_t k) -> const ImagePtr& {
    return frames[static_cast<size_t>((k % kBossAuraFrames + kBossAuraFrames) % kBossAuraFrames)];
  };
  SetAlpha(phase);
  DrawImage(frameAt(i), x, y, 0);
  SetAlpha(1.0f - phase);
  DrawImage(frameAt(j), x, y, 0);
  SetAlpha(1.0f);
}

int32_t TBossRune::CheckMove(int32_t column, int32_t row) {
  return column >= cellX && column <= cellX + 1 && row >= cellY && row <= cellY + 1 ? 1 : 0;
}

int32_t TBossRune::CheckForMatch(int32_t commit) {
  if (!board) return 0;
  bool complete = true;
  ForEachRingCell(*this, [&](int32_t column, int32_t row) {
    complete = OnGrid(column, row) && Cell(board->runeIds, column, row) != 0 &&
               Cell(board->colours, column, row) == runeColour;
    return complete;
  });
  if (!complete) return 0;
  if (commit != 0) {
    // Two lines per square, row by row.
    for (const RingSquare& square : kRingSquares)
      for (int32_t row = 0; row < 2; ++row) {
        const int32_t x = cellX + square.dx;
        const int32_t y = cellY + square.dy + row;
        board->_addLine(x, y, x + 1, y);
      }
    return 1;
  }
  // The preview: the ring's rows and columns through the boss square, twenty cells.
  for (int32_t row = cellY; row <= cellY + 1; ++row)
    for (int32_t column = cellX - 2; column <= cellX + 3; ++column)
      Cell(board->highlights, column, row) = runeColour;
  for (int32_t column = cellX; column <= cellX + 1; ++column)
    for (int32_t row = cellY - 2; row <= cellY + 3; ++row)
      Cell(board->highlights, column, row) = runeColour;
  return 0;
}

void TBossRune::DrawHelp(const ImagePtr& hint) {
  if (!board) return;
  SetAlpha(kBossHintAlpha);
  ForEachRingCell(*this, [&](int32_t column, int32_t row) {
    if (OnGrid(column, row)) DrawImage(hint, CellLeft(column), CellTop(row), 0);
    return true;
  });
  SetAlpha(1.0f);
}

void TBossManager::LoadResources() {
  tsc = CreateTSCFile();
  if (LoadTSCFileBB(tsc, bundleDir + "data/settings_lp.bca", S(kCatalogueEntry)) == 0)
    Print(S("The boss catalogue ") + S(kCatalogueEntry) +
          S(" cannot be read: boss levels will have no boss runes"));
}

String TBossManager::catalogueGroup(int32_t id) const {
  const String wanted = FromInt(id);
  // Kept in a variable: the list lives only as long as someone holds it.
  const TListPtr<TSCGroupPtr> kinds = GetTSCGroupList(tsc, S("List"));
  for (const TSCGroupPtr& kind : *kinds) {
    const String path = GroupFullPath(*kind);
    if (GetTSCStringKey(tsc, path, S("id"), 0) == wanted) return path;
  }
  return String();
}

BossRunePtr TBossManager::createFromEntry(const String& entry, bool bigSet) const {
  const String where = S("Boss rune \"") + entry + S("\" of level ") + LevelName();
  const TListPtr<String> pieces = splitString(entry, S(":"));
  if (CountList(pieces) < kEntryPieces) {
    Print(where + S(" left out: an entry is id:column:row"));
    return nullptr;
  }
  const int32_t id = ToInt(pieces->ValueAtIndex(0));
  const int32_t column = ToInt(pieces->ValueAtIndex(1));
  const int32_t row = ToInt(pieces->ValueAtIndex(2));
  const String group = catalogueGroup(id);
  if (group.empty()) {
    Print(where + S(" left out: ") + S(kCatalogueEntry) + S(" has no boss of id ") +
          FromInt(id));
    return nullptr;
  }
  const int32_t colour = ToInt(GetTSCStringKey(tsc, group, S("color"), 0));
  const String picture = GetTSCStringKey(tsc, group, S(SetFor(bigSet).bossKey), 0);
  BossRunePtr boss = TBossRune::Create(id, colour, column, row, bundleDir + ToPath(picture));
  if (!boss->image) Print(where + S(": cannot load its picture \"") + picture + S("\""));
  return boss;
}

void TBossManager::loadPictureSet(bool bigSet) {
  const PictureSet& set = SetFor(bigSet);
  for (int32_t k = 0; k < kBossAuraFrames; ++k)
    effectFrames[static_cast<size_t>(k)] =
        LoadImage(bundleDir + set.auraPrefix + ToPath(FourDigits(k)) + ".png");
  sootImage = LoadImage(bundleDir + set.soot);
  shadowImage = LoadImage(bundleDir + set.shadow);
  explosionSound = LoadSound(bundleDir + kExplosionSound, 0);
}

void TBossManager::Load(const TSCFilePtr& levelFile) {
  bossRunes = CreateList<BossRunePtr>();
  if (!level || level->goalType != kBossLevelGoal) return;
  const bool bigSet =
      board && board->getWidth() <= kBigBoardCells && board->getHeight() <= kBigBoardCells;
  const TListPtr<String> entries =
      splitString(GetTSCStringKey(levelFile, S("Settings::Level"), S("BossRunes"), 0), S(" "));
  for (const String& entry : *entries) {
    BossRunePtr boss = createFromEntry(entry, bigSet);
    if (boss) bossRunes->AddLast(boss);
  }
  loadPictureSet(bigSet);
}

void TBossManager::Free() {
  bossRunes = CreateList<BossRunePtr>();
  shadowImage = nullptr;
  effectFrames.fill(nullptr);
  explosionSound = nullptr;
}

void TBossManager::Draw() {
  for (const BossRunePtr& boss : *bossRunes)
    if (boss->alive != 0) boss->Draw(shadowImage, effectFrames);
}

void TBossManager::DrawHelp() {
  for (const BossRunePtr& boss : *bossRunes)
    if (boss->alive != 0) boss->DrawHelp(sootImage);
}

int32_t TBossManager::CheckMove(int32_t column, int32_t row) {
  int32_t covered = 0;
  for (const BossRunePtr& boss : *bossRunes)
    if (boss->alive != 0 && boss->CheckMove(column, row) != 0) covered = 1;
  return covered;
}

void TBossManager::CheckForMatch(int32_t commit) {
  for (const BossRunePtr& boss : *bossRunes) {
    if (boss->alive == 0 || boss->CheckForMatch(commit) == 0) continue;
    // Out at once, so that its square is free for the next placement; the walk goes on.
    const BossRunePtr fallen = boss;
    bossRunes->Remove(fallen);
    playSound2(explosionSound, nullptr, 0);
  }
}

int32_t TBossManager::CheckForGoal() { return bossRunes->IsEmpty() ? 1 : 0; }
