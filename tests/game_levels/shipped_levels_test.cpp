// Every level the game ships (the quest's board levels and the levels of the time-attack and
// endless selectors) loads without a missing key and can be played: its runes and blocks exist
// and fit its shape, runs of three can be made, its goal can be reached (its bosses too), its
// picture and song exist.
#include <algorithm>

#include "datafiles/bca_archive.h"
#include "levels_fixtures.h"
#include "platform/files.h"

namespace {

struct ShippedLevel {
  std::string entry;
  int32_t timed;  // 1 for the selector levels
};

std::vector<ShippedLevel> ShippedLevels() {
  std::vector<ShippedLevel> out;
  sequencer->Start(0);
  for (int32_t index = sequencer->firstLevel; index <= sequencer->lastLevel; ++index) {
    sequencer->currentLevel = index;
    EXPECT_EQ(sequencer->Get(), 1);
    if (sequencer->levelType == 1) out.push_back({ToUtf8(sequencer->fileName), 0});
  }
  for (const char* list : {"timedLevels.tsc", "endlessLevels.tsc"}) {
    TSCFilePtr tsc = CreateTSCFile();
    EXPECT_EQ(LoadTSCFileBB(tsc, "data/settings_lp.bca", S(list)), 1) << list;
    TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, String());
    for (const TSCGroupPtr& group : *groups)
      out.push_back({ToUtf8(GetTSCStringKey(tsc, GroupFullPath(*group), S("FileName"))), 1});
  }
  return out;
}

bool Usable(int32_t x, int32_t y) {
  return x >= 0 && y >= 0 && x < kBoardCells && y < kBoardCells &&
         board->usable[static_cast<size_t>(x)][static_cast<size_t>(y)] == 1;
}

// Some anchor and quarter turn puts every cell of the shape on a usable cell.
bool ShapeFits(const BlockPtr& shape) {
  for (int32_t rotation = 0; rotation < 4; ++rotation)
    for (int32_t x = 0; x < kBoardCells; ++x)
      for (int32_t y = 0; y < kBoardCells; ++y) {
        bool fits = true;
        for (int32_t i = 0; i < 4 && fits; ++i)
          for (int32_t j = 0; j < 4 && fits; ++j) {
            if (shape->cells[static_cast<size_t>(i)][static_cast<size_t>(j)] < 1) continue;
            int32_t dx = 0, dy = 0;
            RotateOffset(rotation, i, j, dx, dy);
            fits = Usable(x + dx, y + dy);
          }
        if (fits) return true;
      }
  return false;
}

// The cell lies in a run of three usable cells along its row or its column.
bool InARunOfThree(int32_t x, int32_t y) {
  for (int32_t start = -2; start <= 0; ++start) {
    if (Usable(x + start, y) && Usable(x + start + 1, y) && Usable(x + start + 2, y)) return true;
    if (Usable(x, y + start) && Usable(x, y + start + 1) && Usable(x, y + start + 2)) return true;
  }
  return false;
}

// Some shape of the level, turned and placed, puts one of its cells on (x, y) and every cell on
// a usable cell that no boss covers.
bool CellTakesABlock(int32_t x, int32_t y) {
  for (const String& id : *blocks->availableBlocks) {
    const BlockPtr shape = blocks->_findBlockByID(id);
    if (!shape) continue;
    for (int32_t rotation = 0; rotation < 4; ++rotation)
      for (int32_t i = 0; i < 4; ++i)
        for (int32_t j = 0; j < 4; ++j) {
          if (shape->cells[static_cast<size_t>(i)][static_cast<size_t>(j)] < 1) continue;
          int32_t dx = 0, dy = 0;
          RotateOffset(rotation, i, j, dx, dy);
          const int32_t anchorX = x - dx, anchorY = y - dy;
          bool fits = true;
          for (int32_t a = 0; a < 4 && fits; ++a)
            for (int32_t b = 0; b < 4 && fits; ++b) {
              if (shape->cells[static_cast<size_t>(a)][static_cast<size_t>(b)] < 1) continue;
              RotateOffset(rotation, a, b, dx, dy);
              fits = Usable(anchorX + dx, anchorY + dy) &&
                     bossManager->CheckMove(anchorX + dx, anchorY + dy) == 0;
            }
          if (fits) return true;
        }
  }
  return false;
}

// Every boss can be beaten: its square lies where its whole ring is on the grid, its ring's
// sixteen cells are usable, free of bosses and reachable by the level's blocks, and its colour
// is one the blocks deal. Its pictures exist.
void ExpectBossesCanBeBeaten(const std::vector<int32_t>& colours) {
  EXPECT_GT(bossManager->bossRunes->Count(), 0);
  for (const BossRunePtr& boss : *bossManager->bossRunes) {
    SCOPED_TRACE("boss " + std::to_string(boss->id) + " at " + std::to_string(boss->cellX) + "," +
                 std::to_string(boss->cellY));
    EXPECT_TRUE(boss->cellX >= kBossFirstCell && boss->cellX <= kBossLastCell);
    EXPECT_TRUE(boss->cellY >= kBossFirstCell && boss->cellY <= kBossLastCell);
    EXPECT_NE(std::find(colours.begin(), colours.end(), boss->runeColour), colours.end());
    EXPECT_NE(boss->image, nullptr);
    for (auto [sx, sy] : {std::pair{-2, 0}, {2, 0}, {0, -2}, {0, 2}})
      for (int32_t dx = 0; dx < 2; ++dx)
        for (int32_t dy = 0; dy < 2; ++dy) {
          const int32_t x = boss->cellX + sx + dx, y = boss->cellY + sy + dy;
          EXPECT_TRUE(Usable(x, y)) << "ring cell " << x << "," << y;
          EXPECT_EQ(bossManager->CheckMove(x, y), 0) << "ring cell " << x << "," << y;
          EXPECT_TRUE(CellTakesABlock(x, y)) << "ring cell " << x << "," << y;
        }
  }
  EXPECT_NE(bossManager->shadowImage, nullptr);
  EXPECT_NE(bossManager->sootImage, nullptr);
  for (const ImagePtr& frame : bossManager->effectFrames) EXPECT_NE(frame, nullptr);
}

TEST(ShippedLevelsTest, EveryLevelLoadsAndCanBePlayed) {
  levels::MakeSingletons();
  levels::Output([] {
    runes->loadRunesGfx();
    blocks->loadBlocksDef();
    bossManager->LoadResources();
  });
  const std::vector<ShippedLevel> shipped = ShippedLevels();
  EXPECT_EQ(std::count_if(shipped.begin(), shipped.end(), [](const ShippedLevel& s) { return s.timed == 0; }), 20)
      << "the quest's board levels";
  ASSERT_GE(shipped.size(), 21u);
  EXPECT_EQ(shipped.back().entry, "level_endless_10.tsc");

  for (const ShippedLevel& s : shipped) {
    SCOPED_TRACE(s.entry);
    TSCFilePtr tsc = CreateTSCFile();
    ASSERT_EQ(LoadTSCFileBB(tsc, "data/runes_levels_lp.bca", FromUtf8(s.entry)), 1);
    for (int32_t timed : {s.timed, 0}) {
      level->Set(FromUtf8(s.entry));
      const std::string printed = levels::Output([&] { level->Load(timed); });
      EXPECT_EQ(printed, "");
    }

    // Runes that exist and can match; shapes that fit; somewhere to make a run.
    std::vector<int32_t> colours;
    for (const String& id : *blocks->availableRunes) {
      EXPECT_NE(runes->_findRuneByID(id), nullptr) << ToUtf8(id);
      EXPECT_EQ(runes->isBlocked(ToInt(id)), 0) << ToUtf8(id);
      EXPECT_GT(runes->getRuneColor(id), 0) << ToUtf8(id);
      colours.push_back(runes->getRuneColor(id));
    }
    EXPECT_GE(colours.size(), 2u);
    for (const String& id : *blocks->availableBlocks) {
      const BlockPtr shape = blocks->_findBlockByID(id);
      ASSERT_NE(shape, nullptr) << ToUtf8(id);
      EXPECT_TRUE(ShapeFits(shape)) << "block " << ToUtf8(id);
    }
    bool anyRun = false;
    int32_t presetRunes = 0;
    for (int32_t x = 0; x < kBoardCells; ++x)
      for (int32_t y = 0; y < kBoardCells; ++y) {
        anyRun = anyRun || (Usable(x, y) && InARunOfThree(x, y));
        const int32_t id = board->runeIds[static_cast<size_t>(x)][static_cast<size_t>(y)];
        if (id == 0) continue;
        ++presetRunes;
        EXPECT_TRUE(Usable(x, y) && InARunOfThree(x, y)) << "rune at " << x << "," << y;
        EXPECT_NE(std::find(colours.begin(), colours.end(), runes->getRuneColor(FromInt(id))),
                  colours.end())
            << "rune at " << x << "," << y << " has a colour the blocks deal";
      }
    EXPECT_TRUE(anyRun);

    // A goal that play can reach: runes to clear, bosses to beat, or vials of dealt colours to
    // fill.
    if (level->goalType == 2) {
      EXPECT_GT(presetRunes, 0);
    } else if (level->goalType == 3) {
      ExpectBossesCanBeBeaten(colours);
    } else {
      ASSERT_EQ(level->goalType, 1);
      int32_t vials = 0;
      for (size_t slot = 0; slot < TMagicSphere::kVials; ++slot) {
        if (magicSphere->colours[slot] == 0) continue;
        ++vials;
        EXPECT_NE(std::find(colours.begin(), colours.end(), magicSphere->colours[slot]),
                  colours.end());
        EXPECT_GT(magicSphere->capacities[slot], 0.0f);
      }
      EXPECT_GT(vials, 0);
    }

    EXPECT_EQ(FileType(ToPath(level->backgroundImage)), FILETYPE_FILE)
        << ToUtf8(level->backgroundImage);
    EXPECT_EQ(FileType(ToPath(level->songName)), FILETYPE_FILE) << ToUtf8(level->songName);
  }
}

}  // namespace
