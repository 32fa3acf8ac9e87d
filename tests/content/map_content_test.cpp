// The world map we ship (map.tsc in the settings archive) against the quest it shows: a marker
// per sequencer entry with the kind of its level, stages of four to eight levels in order, each
// with its picture, markers on land along the road, apart and on screen, and stage pictures that
// are clear over every marker and let the glow drawn under them show through.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "datafiles/bca_archive.h"
#include "datafiles/tsc_file.h"
#include "manifest.h"
#include "platform/pixmap.h"
#include "platform/text.h"

namespace {

const char* kMapSettings = "data/settings_lp.bca";
const char* kLevels = "data/runes_levels_lp.bca";

TSCFilePtr Entry(const char* archive, const String& entry) {
  TSCFilePtr tsc = CreateTSCFile();
  EXPECT_EQ(LoadTSCFileBB(tsc, archive, entry), 1) << archive << " / " << ToUtf8(entry);
  return tsc;
}

int32_t Number(const TSCFilePtr& tsc, const String& group, const char* key) {
  return GetTSCWholeNumberKey(tsc, group, S(key), 0);
}

struct Marker {
  std::string group;
  int32_t number, stage, kind, x, y;
  int32_t glowSide() const { return kind == 5 ? 72 : 64; }
  int32_t pictureSide() const { return kind == 5 ? 48 : 40; }
};

struct Stage {
  int32_t number;
  std::string image;
  int32_t x, y, width = 0, height = 0;
};

std::vector<Marker> ShippedMarkers(const TSCFilePtr& tsc) {
  std::vector<Marker> out;
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, S("Levels"));
  for (const TSCGroupPtr& g : *groups) {
    const String p = S("Levels::") + g->name;
    out.push_back({ToUtf8(g->name), Number(tsc, p, "Number"), Number(tsc, p, "Stage"),
                   Number(tsc, p, "Kind"), Number(tsc, p, "X"), Number(tsc, p, "Y")});
  }
  return out;
}

std::vector<Stage> ShippedStages(const TSCFilePtr& tsc) {
  std::vector<Stage> out;
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, S("Stages"));
  for (const TSCGroupPtr& g : *groups) {
    const String p = S("Stages::") + g->name;
    out.push_back({Number(tsc, p, "Number"), ToPath(GetTSCStringKey(tsc, p, S("Image"), 0)),
                   Number(tsc, p, "X"), Number(tsc, p, "Y")});
  }
  return out;
}

// The marker kind a sequencer entry asks for: a boss level (GoalType 3) 5, another board
// level 1, a picture puzzle or a ring game 3.
int32_t KindOfEntry(const TSCFilePtr& sequence, int32_t n) {
  const String group = S("Sequence::Level") + FromInt(n);
  const int32_t type = Number(sequence, group, "Type");
  if (type == 2 || type == 3) return 3;
  const TSCFilePtr level = Entry(kLevels, GetTSCStringKey(sequence, group, S("FileName"), 0));
  return Number(level, S("Settings::Level"), "GoalType") == 3 ? 5 : 1;
}

class ShippedMap : public ::testing::Test {
 protected:
  void SetUp() override {
    tsc = Entry(kMapSettings, S("map.tsc"));
    markers = ShippedMarkers(tsc);
    stages = ShippedStages(tsc);
    std::string error;
    for (const auto& row : manifest::ReadRows(manifest::ManifestPath("images.txt"), error))
      for (Stage& s : stages)
        if (row.fields[0] == s.image) {
          s.width = std::stoi(row.fields[1]);
          s.height = std::stoi(row.fields[2]);
        }
  }
  TSCFilePtr tsc;
  std::vector<Marker> markers;
  std::vector<Stage> stages;
};

TEST_F(ShippedMap, AMarkerPerSequencerEntryWithTheKindOfItsLevel) {
  const TSCFilePtr sequence = Entry(kMapSettings, S("sequencer.tsc"));
  const int32_t first = Number(sequence, S("Sequence"), "FirstLevel");
  const int32_t last = Number(sequence, S("Sequence"), "LastLevel");
  ASSERT_GE(last, first);
  // The entries of the quest, in order of play (numbers may be left out).
  std::vector<int32_t> entries;
  TListPtr<TSCGroupPtr> groups = GetTSCGroupList(sequence, S("Sequence"));
  for (int32_t n = first; n <= last; ++n)
    for (const TSCGroupPtr& g : *groups)
      if (TSCSameName(g->name, S("Level") + FromInt(n))) {
        entries.push_back(n);
        break;
      }
  ASSERT_EQ(markers.size(), entries.size())
      << "map.tsc needs one Levels group per entry of sequencer.tsc";
  for (size_t i = 0; i < entries.size(); ++i) {
    const int32_t n = entries[i];
    SCOPED_TRACE("level " + std::to_string(n));
    const Marker& m = markers[i];
    EXPECT_EQ(m.group, "Level" + std::to_string(n));
    EXPECT_EQ(m.number, n);
    EXPECT_EQ(m.kind, KindOfEntry(sequence, n));
  }
}

TEST_F(ShippedMap, StagesOfFourToEightLevelsInOrderEachWithItsPicture) {
  ASSERT_FALSE(markers.empty());
  std::map<int32_t, int> levelsOfStage;
  int32_t stage = 1;
  for (const Marker& m : markers) {
    SCOPED_TRACE(m.group);
    // Stages run 1 up over consecutive levels.
    if (m.stage == stage + 1) ++stage;
    EXPECT_EQ(m.stage, stage);
    ++levelsOfStage[m.stage];
  }
  ASSERT_EQ(stages.size(), levelsOfStage.size());
  for (size_t i = 0; i < stages.size(); ++i) {
    const Stage& s = stages[i];
    SCOPED_TRACE("stage " + std::to_string(s.number));
    EXPECT_EQ(s.number, static_cast<int32_t>(i + 1));
    EXPECT_GE(levelsOfStage[s.number], 4);
    EXPECT_LE(levelsOfStage[s.number], 8);
    EXPECT_EQ(s.image, "gfx/mapa/stage-" + std::to_string(s.number) + ".png");
    EXPECT_GT(s.width, 0) << "no row in images.txt";
  }
}

TEST_F(ShippedMap, MarkersStandOnLandApartOnScreenAndInsideTheirStagePicture) {
  const PixmapPtr land = LoadPixmap(std::string("gfx/mapa/mapa.jpg"));
  ASSERT_TRUE(land);
  for (size_t i = 0; i < markers.size(); ++i) {
    const Marker& m = markers[i];
    SCOPED_TRACE(m.group);
    const int32_t h = m.glowSide() / 2;
    EXPECT_GE(m.x - h, 0);
    EXPECT_LE(m.x + h, 800);
    EXPECT_GE(m.y - h, 0);
    EXPECT_LE(m.y + h, 556);
    // Land is parchment, forest or hill; the sea and the rivers are blue.
    const uint32_t c = land->Get(m.x, m.y);
    EXPECT_GT((c >> 16) & 0xFF, c & 0xFF) << "in the water";
    for (size_t j = 0; j < i; ++j)
      EXPECT_GE(std::hypot(m.x - markers[j].x, m.y - markers[j].y), 44.0) << markers[j].group;
    for (const Stage& s : stages) {
      if (s.number != m.stage) continue;
      EXPECT_TRUE(m.x - h >= s.x && m.x + h <= s.x + s.width && m.y - h >= s.y && m.y + h <= s.y + s.height)
          << "outside the picture of stage " << s.number;
    }
  }
}

// The stage pictures are drawn after the markers and the glow of the level to play next: over a
// marker's round picture nothing may be drawn, and the road that leads into its glow square
// stays faded there (at most 80 % opaque), so that the pulsing glow still shows through it.
TEST_F(ShippedMap, StagePicturesHaveARoadClearOverEveryMarkerAndFadedOverItsGlow) {
  for (const Stage& s : stages) {
    SCOPED_TRACE(s.image);
    const PixmapPtr picture = LoadPixmap(s.image);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, s.width);
    EXPECT_EQ(picture->height, s.height);
    int opaque = 0;
    for (int y = 0; y < picture->height; ++y)
      for (int x = 0; x < picture->width; ++x) opaque += (picture->Get(x, y) >> 24) == 0xFF ? 1 : 0;
    EXPECT_GT(opaque, 500) << "hardly anything drawn";
    for (const Marker& m : markers) {
      const int32_t h = m.glowSide() / 2;
      const double r = m.pictureSide() / 2.0;
      int overMarker = 0, solidOverGlow = 0, roadOverGlow = 0;
      for (int y = m.y - h; y < m.y + h; ++y)
        for (int x = m.x - h; x < m.x + h; ++x) {
          const int px = x - s.x, py = y - s.y;
          if (px < 0 || py < 0 || px >= picture->width || py >= picture->height) continue;
          const uint32_t alpha = picture->Get(px, py) >> 24;
          if (std::hypot(x + 0.5 - m.x, y + 0.5 - m.y) < r)
            overMarker += alpha != 0 ? 1 : 0;
          else {
            solidOverGlow += alpha > 204 ? 1 : 0;
            roadOverGlow += alpha != 0 ? 1 : 0;
          }
        }
      EXPECT_EQ(overMarker, 0) << "over the marker of " << m.group;
      EXPECT_EQ(solidOverGlow, 0) << "hiding the glow of " << m.group;
      if (m.stage == s.number) {
        EXPECT_GT(roadOverGlow, 0) << "no road into the marker of " << m.group;
      }
    }
  }
}

}  // namespace
