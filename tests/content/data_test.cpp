// The data archives of the game folder, read with the game's own archive reader and key/group
// store: every listed entry loads, and the rune catalogue, the block shapes and the level lists
// hold what the game relies on.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "datafiles/bca_archive.h"
#include "datafiles/tsc_file.h"
#include "manifest.h"
#include "platform/headless.h"
#include "platform/pixmap.h"
#include "platform/text.h"

namespace {

const char* kSettings = "data/settings_lp.bca";

TSCFilePtr LoadEntry(const std::string& archive, const std::string& entry) {
  TSCFilePtr tsc = CreateTSCFile();
  EXPECT_EQ(LoadTSCFileBB(tsc, archive, FromUtf8(entry)), 1) << archive << " / " << entry;
  return tsc;
}

std::string Str(const TSCFilePtr& tsc, const std::string& path, const std::string& key, int index = 0) {
  return ToUtf8(GetTSCStringKey(tsc, FromUtf8(path), FromUtf8(key), index));
}

int Num(const TSCFilePtr& tsc, const std::string& path, const std::string& key, int index = 0) {
  return static_cast<int>(GetTSCNumberKey(tsc, FromUtf8(path), FromUtf8(key), index));
}

bool IsPlainDecimal(const std::string& s) {
  if (s.empty() || (s.size() > 1 && s[0] == '0')) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

TEST(DataArchives, EveryListedEntryLoadsWithoutANotice) {
  std::string error;
  auto rows = manifest::ReadRows(manifest::ManifestPath("data.txt"), error);
  ASSERT_EQ(error, "");
  ASSERT_FALSE(rows.empty());
  for (const auto& row : rows) {
    for (size_t i = 1; i < row.fields.size(); ++i) LoadEntry(row.fields[0], row.fields[i]);
  }
  EXPECT_TRUE(headless::MessageBoxes().empty()) << ToUtf8(headless::MessageBoxes()[0].text);
}

struct Rune {
  std::string id, color, file32, file40, blockedId, unblocked;
  int blocked = 0;
  int spark[6] = {0, 0, 0, 0, 0, 0};  // red min, max, green min, max, blue min, max
};

std::map<std::string, Rune> ReadRunes() {
  TSCFilePtr tsc = LoadEntry(kSettings, "runes.tsc");
  std::map<std::string, Rune> runes;
  const int count = Num(tsc, "List", "Quantity");
  EXPECT_GT(count, 0);
  for (int i = 1; i <= count; ++i) {
    const std::string g = "List::Rune" + std::to_string(i);
    Rune r;
    r.id = Str(tsc, g, "id");
    r.color = Str(tsc, g, "color");
    r.file32 = Str(tsc, g, "fileName");
    r.file40 = Str(tsc, g, "fileName2");
    r.blocked = Num(tsc, g, "blocked");
    r.blockedId = Str(tsc, g, "blockedID");
    if (r.blocked) r.unblocked = Str(tsc, g, "unblocked");
    const std::string rgb = Str(tsc, g, "rgb");
    EXPECT_EQ(std::sscanf(rgb.c_str(), "%d,%d:%d,%d:%d,%d", &r.spark[0], &r.spark[1], &r.spark[2], &r.spark[3],
                          &r.spark[4], &r.spark[5]),
              6)
        << g << " rgb " << rgb;
    EXPECT_TRUE(IsPlainDecimal(r.id)) << g << " id '" << r.id << "'";
    EXPECT_EQ(runes.count(r.id), 0u) << "rune id " << r.id << " twice";
    runes[r.id] = r;
  }
  return runes;
}

TEST(RuneCatalogue, OrdinaryRunesHaveStoneTwinsAndTheRunesTheGameNamesExist) {
  auto runes = ReadRunes();
  // Ids 1, 2, 3 and 5 are ordinary runes of those colours (the tutorials draw them).
  for (const char* id : {"1", "2", "3", "5"}) {
    ASSERT_TRUE(runes.count(id)) << "rune " << id;
    EXPECT_EQ(runes[id].color, id);
    EXPECT_EQ(runes[id].blocked, 0) << "rune " << id;
  }
  // Rune 13, the obstacle: a stone (a heal reaches it) with no colour to match, no stone form
  // to petrify into and no rune to turn back into.
  ASSERT_TRUE(runes.count("13"));
  EXPECT_EQ(runes["13"].blocked, 1);
  EXPECT_EQ(runes["13"].blockedId, "");
  EXPECT_EQ(runes["13"].unblocked, "");
  EXPECT_EQ(runes["13"].color, "0");
  std::set<std::string> colours;
  for (const auto& [id, r] : runes) {
    EXPECT_TRUE(IsPlainDecimal(r.color)) << "rune " << id << " colour '" << r.color << "'";
    EXPECT_TRUE(r.spark[0] <= r.spark[1] && r.spark[2] <= r.spark[3] && r.spark[4] <= r.spark[5]) << "rune " << id;
    if (id == "13") continue;
    if (r.blocked) {
      // A stone turns back into its rune, and a stone chosen again stays itself.
      ASSERT_TRUE(runes.count(r.unblocked)) << "stone " << id << " turns back into " << r.unblocked;
      EXPECT_EQ(runes[r.unblocked].color, r.color) << "stone " << id;
      EXPECT_EQ(r.blockedId, id) << "stone " << id;
    } else {
      colours.insert(r.color);
      ASSERT_TRUE(runes.count(r.blockedId)) << "rune " << id << " has no stone twin";
      const Rune& stone = runes[r.blockedId];
      EXPECT_EQ(stone.blocked, 1) << "rune " << id;
      EXPECT_EQ(stone.color, r.color) << "rune " << id;
      EXPECT_EQ(stone.unblocked, id) << "rune " << id;
    }
  }
  // The block's trail throws colour-7 sparks: that rune's range is bright.
  ASSERT_TRUE(colours.count("7"));
  for (const auto& [id, r] : runes) {
    if (r.color == "7" && !r.blocked) {
      EXPECT_GE(r.spark[0] + r.spark[2] + r.spark[4], 3 * 150) << "rune " << id << " sparks are dim";
    }
  }
}

TEST(RuneCatalogue, EveryRunePictureLoadsAtItsCellSize) {
  for (const auto& [id, r] : ReadRunes()) {
    for (const auto& [path, size] : {std::pair{r.file32, 32}, std::pair{r.file40, 40}}) {
      PixmapPtr pixmap = LoadPixmap(path);
      ASSERT_TRUE(pixmap) << "rune " << id << ": " << path;
      EXPECT_EQ(pixmap->width, size) << path;
      EXPECT_EQ(pixmap->height, size) << path;
    }
  }
}

TEST(BossCatalogue, FourOrMoreKindsOfDistinctRuneColoursWithTheirPictures) {
  auto runes = ReadRunes();
  TSCFilePtr tsc = LoadEntry(kSettings, "bossRunes.tsc");
  auto kinds = GetTSCGroupList(tsc, u"List");
  std::set<std::string> ids, colours;
  std::string tutorialBossColour;
  for (const auto& kind : *kinds) {
    const std::string g = "List::" + ToUtf8(kind->name);
    const std::string id = Str(tsc, g, "id"), colour = Str(tsc, g, "color");
    EXPECT_TRUE(IsPlainDecimal(id)) << g << " id '" << id << "'";
    EXPECT_TRUE(ids.insert(id).second) << "boss id " << id << " twice";
    EXPECT_TRUE(colours.insert(colour).second) << "boss colour " << colour << " twice";
    // The colour of an ordinary rune, which play can put on the board.
    bool dealt = false;
    for (const auto& [runeId, r] : runes) dealt |= (r.color == colour && !r.blocked && colour != "0");
    EXPECT_TRUE(dealt) << g << " colour " << colour;
    for (const auto& [key, size] : {std::pair{"fileNameBoss", 64}, std::pair{"fileNameBossBig", 80}}) {
      const std::string path = Str(tsc, g, key);
      PixmapPtr pixmap = LoadPixmap(path);
      ASSERT_TRUE(pixmap) << g << " " << key << ": " << path;
      EXPECT_EQ(pixmap->width, size) << path;
      EXPECT_EQ(pixmap->height, size) << path;
    }
    if (Str(tsc, g, "fileNameBossBig") == "gfx/boss/b-04.png") tutorialBossColour = colour;
  }
  EXPECT_GE(ids.size(), 4u);
  // The boss tutorial shows the boss of b-04.png among violet runes of id 5.
  EXPECT_EQ(tutorialBossColour, "5");
}

TEST(BlockShapes, OneToFiveCellsWithARuneInTheFirstRowAndColumn) {
  TSCFilePtr tsc = LoadEntry(kSettings, "blocks.tsc");
  const int count = Num(tsc, "List", "Quantity");
  ASSERT_GT(count, 0);
  std::set<std::string> ids;
  std::set<int> sizes;
  for (int i = 1; i <= count; ++i) {
    const std::string g = "List::Block" + std::to_string(i);
    const std::string id = Str(tsc, g, "id");
    EXPECT_TRUE(ids.insert(id).second) << "shape id " << id << " twice";
    const int pieces = Num(tsc, g, "pieces");
    EXPECT_TRUE(pieces >= 1 && pieces <= 5) << g;
    std::set<std::pair<int, int>> cells;
    bool firstRow = false, firstColumn = false;
    for (int j = 1; j <= pieces; ++j) {
      const std::string key = "piece" + std::to_string(j);
      const int x = Num(tsc, g, key, 0), y = Num(tsc, g, key, 1);
      EXPECT_TRUE(x >= 0 && x <= 3 && y >= 0 && y <= 3) << g << " " << key;
      EXPECT_TRUE(cells.insert({x, y}).second) << g << " repeats a cell";
      firstRow |= (y == 0);
      firstColumn |= (x == 0);
    }
    EXPECT_TRUE(firstRow && firstColumn) << g;
    sizes.insert(pieces);
  }
  EXPECT_EQ(sizes, (std::set<int>{1, 2, 3, 4, 5}));
}

TEST(SettingsArchive, PortalNameAndLevelListsAreFilledIn) {
  EXPECT_NE(Str(LoadEntry(kSettings, "portal.tsc"), "Portal", "Name"), "");
  for (const char* list : {"timedLevels.tsc", "endlessLevels.tsc"}) {
    TSCFilePtr tsc = LoadEntry(kSettings, list);
    auto groups = GetTSCGroupList(tsc, u"");
    ASSERT_GT(CountList(groups), 0) << list;
    for (const auto& group : *groups) {
      const std::string file = Str(tsc, ToUtf8(group->name), "FileName");
      EXPECT_TRUE(file.size() > 4 && file.substr(file.size() - 4) == ".tsc") << list << ": " << file;
    }
  }
}

}  // namespace
