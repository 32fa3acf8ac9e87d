// The quest as we ship it, read from the game folder's archives: the sequence of levels, the
// level files it names in their archives, the spells carried from the ring games, the popups of
// each kind of level, and the pictures and songs the levels name.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "datafiles/bca_archive.h"
#include "datafiles/tsc_file.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/image_font.h"
#include "platform/pixmap.h"
#include "platform/text.h"
#include "support/game_fixtures.h"

namespace {

const char* kQuestSettings = "data/settings_lp.bca";
const char* kPopups = "data/popups_lp.bca";

enum Type { kBoard = 1, kPuzzle = 2, kRing = 3 };
enum Goal { kNone = 0, kSphere = 1, kClear = 2, kBosses = 3 };

struct QuestLevel {
  int index;
  const char* file;
  Type type;
  Goal goal;  // board levels only
};

// The quest in order of play.
const QuestLevel kQuest[] = {
    // Stage 1
    {1, "level_01.tsc", kBoard, kClear},    {2, "level_02.tsc", kBoard, kSphere},
    {3, "level_03.tsc", kBoard, kClear},    {4, "ring-01.tsc", kRing, kNone},
    {5, "level_04.tsc", kBoard, kSphere},   {6, "puzzle-01.tsc", kPuzzle, kNone},
    // Stage 2
    {7, "level_07.tsc", kBoard, kBosses},   {8, "level_05.tsc", kBoard, kClear},
    {9, "ring-02.tsc", kRing, kNone},       {10, "level_06.tsc", kBoard, kSphere},
    {11, "puzzle-02.tsc", kPuzzle, kNone},  {12, "level_08.tsc", kBoard, kBosses},
    // Stage 3
    {13, "level_09.tsc", kBoard, kClear},   {14, "level_10.tsc", kBoard, kSphere},
    {15, "ring-03.tsc", kRing, kNone},      {16, "level_11.tsc", kBoard, kBosses},
    {17, "puzzle-03.tsc", kPuzzle, kNone},  {18, "level_12.tsc", kBoard, kSphere},
    // Stage 4
    {19, "level_13.tsc", kBoard, kClear},   {20, "ring-04.tsc", kRing, kNone},
    {21, "level_14.tsc", kBoard, kSphere},  {22, "level_15.tsc", kBoard, kBosses},
    {23, "puzzle-04.tsc", kPuzzle, kNone},  {24, "level_16.tsc", kBoard, kSphere},
    // Stage 5
    {25, "level_17.tsc", kBoard, kClear},   {26, "ring-05.tsc", kRing, kNone},
    {27, "level_18.tsc", kBoard, kSphere},  {28, "puzzle-05.tsc", kPuzzle, kNone},
    {29, "level_19.tsc", kBoard, kClear},   {30, "level_20.tsc", kBoard, kBosses},
};

const char* ArchiveOf(Type type) {
  switch (type) {
    case kBoard: return "data/runes_levels_lp.bca";
    case kPuzzle: return "data/puzzle_levels_lp.bca";
    default: return "data/ring_levels_lp.bca";
  }
}

// An entry of an archive; a notice of the reader (a missing key or a bad line) fails the test.
TSCFilePtr Entry(const std::string& archive, const std::string& entry) {
  TSCFilePtr tsc = CreateTSCFile();
  EXPECT_EQ(LoadTSCFileBB(tsc, archive, FromUtf8(entry)), 1) << archive << " / " << entry;
  return tsc;
}

std::string Text(const TSCFilePtr& tsc, const std::string& group, const char* key) {
  return ToUtf8(GetTSCStringKey(tsc, FromUtf8(group), S(key), 0));
}
int Number(const TSCFilePtr& tsc, const std::string& group, const char* key) {
  return GetTSCWholeNumberKey(tsc, FromUtf8(group), S(key), 0);
}
bool Exists(const std::string& path) { return FileType(path) == FILETYPE_FILE; }

std::set<int> SpellKinds(const std::string& list) {
  std::set<int> kinds;
  size_t start = 0;
  while (start <= list.size()) {
    const size_t end = std::min(list.find(' ', start), list.size());
    if (end > start) kinds.insert(std::stoi(list.substr(start, end - start)));
    start = end + 1;
  }
  return kinds;
}

TEST(QuestContent, TheSequenceNamesEveryLevelInItsArchiveInOrderOfPlay) {
  const TSCFilePtr sequence = Entry(kQuestSettings, "sequencer.tsc");
  const int count = static_cast<int>(std::size(kQuest));
  EXPECT_EQ(Number(sequence, "Sequence", "FirstLevel"), 1);
  ASSERT_EQ(Number(sequence, "Sequence", "LastLevel"), count);
  for (const QuestLevel& q : kQuest) {
    SCOPED_TRACE("level " + std::to_string(q.index));
    const std::string group = "Sequence::Level" + std::to_string(q.index);
    EXPECT_EQ(Text(sequence, group, "FileName"), q.file);
    EXPECT_EQ(Number(sequence, group, "Type"), q.type);
    const TSCFilePtr file = Entry(ArchiveOf(q.type), q.file);
    if (q.type == kBoard) {
      EXPECT_EQ(Number(file, "Settings::Level", "GoalType"), q.goal);
    }
  }
  // What the game relies on: new profiles start on level_01, the boss tutorial comes before
  // level 7, only puzzle-01 shows the puzzle's popups, and only a board level writes the
  // quest's hiscore at the end.
  EXPECT_STREQ(kQuest[0].file, "level_01.tsc");
  EXPECT_EQ(kQuest[6].goal, kBosses);
  for (const QuestLevel& q : kQuest)
    if (q.type == kPuzzle) {
      EXPECT_STREQ(q.file, "puzzle-01.tsc") << "the first puzzle";
      break;
    }
  EXPECT_EQ(kQuest[count - 1].type, kBoard);
  // The world map groups the quest in stages of six.
  const TSCFilePtr map = Entry(kQuestSettings, "map.tsc");
  for (const QuestLevel& q : kQuest) {
    const std::string group = "Levels::Level" + std::to_string(q.index);
    EXPECT_EQ(Number(map, group, "Stage"), (q.index - 1) / 6 + 1) << group;
  }
  EXPECT_TRUE(headless::MessageBoxes().empty());
}

TEST(QuestContent, BoardLevelsAfterARingGameTakeOverEachOfItsSpellsOnRunes) {
  std::set<int> ringSpells;
  for (const QuestLevel& q : kQuest) {
    SCOPED_TRACE(q.file);
    const TSCFilePtr file = Entry(ArchiveOf(q.type), q.file);
    if (q.type == kRing) {
      ringSpells = SpellKinds(Text(file, "Settings", "AvailableSpells"));
      continue;
    }
    if (q.type != kBoard) continue;
    const bool afterRing = !ringSpells.empty();
    EXPECT_EQ(Number(file, "Settings::Level", "CopySpellsFromRMG"), afterRing ? 1 : 0);
    if (afterRing) {
      const std::set<int> listed = SpellKinds(Text(file, "Settings::Level", "AvailableSpells"));
      for (int kind : ringSpells) EXPECT_EQ(listed.count(kind), 1u) << "spell " << kind;
      // The spells land on runes that lie on the board from the start.
      int runes = 0;
      if (Text(file, "Runes", "Read") == "1")
        for (int row = 1; row <= 15; ++row)
          for (char c : Text(file, "Runes", ("Line" + std::to_string(row)).c_str()))
            runes += c >= '1' && c <= '9' ? 1 : 0;
      EXPECT_GE(runes, 12);
    }
    ringSpells.clear();
  }
}

TEST(QuestContent, PicturesAndSongsTheLevelsNameExistAndEveryBoardLevelHasItsOwnBackground) {
  std::set<std::string> backgrounds, songs;
  for (const QuestLevel& q : kQuest) {
    SCOPED_TRACE(q.file);
    const TSCFilePtr file = Entry(ArchiveOf(q.type), q.file);
    std::vector<std::string> named;
    if (q.type == kBoard) {
      const std::string background = Text(file, "Settings::Graphics", "BackgroundImage");
      EXPECT_TRUE(backgrounds.insert(background).second) << background << " twice";
      const std::string song = Text(file, "Settings::Music", "Song");
      songs.insert(song);
      named = {background, song};
    } else if (q.type == kPuzzle) {
      named = {Text(file, "Settings", "Image"), Text(file, "Settings", "Music")};
    } else {
      named = {Text(file, "Settings", "Music")};
    }
    for (const std::string& path : named) EXPECT_TRUE(Exists(path)) << path;
  }
  EXPECT_EQ(songs.size(), 7u) << "the board levels play all seven songs";
  EXPECT_EQ(backgrounds.size(), 20u);
}

TEST(QuestContent, PuzzlesAndRingGamesGrowHarderWithTheirSettingsInRange) {
  int lastPieces = 0, lastLength = 0, lastRuneTime = 1 << 30, ringNumber = 0;
  for (const QuestLevel& q : kQuest) {
    if (q.type == kBoard) continue;
    SCOPED_TRACE(q.file);
    const TSCFilePtr file = Entry(ArchiveOf(q.type), q.file);
    if (q.type == kPuzzle) {
      const int w = Number(file, "Settings", "width"), h = Number(file, "Settings", "height");
      EXPECT_TRUE(w >= 2 && w <= 8 && h >= 2 && h <= 6) << w << " x " << h;
      EXPECT_GE(w * h, lastPieces);
      lastPieces = w * h;
      const int a = Number(file, "Settings", "hintA"), b = Number(file, "Settings", "hintB");
      EXPECT_TRUE(a >= 0 && a < w * h && b >= 0 && b < w * h && a != b) << a << ", " << b;
    } else {
      EXPECT_EQ(Number(file, "Settings", "LevelNumber"), ++ringNumber);
      const int length = Number(file, "Settings", "SequenceLength");
      const int runeTime = Number(file, "Settings", "RuneTime");
      EXPECT_TRUE(length >= 1 && length <= 20) << length;
      EXPECT_GE(length, lastLength);
      EXPECT_LE(runeTime, lastRuneTime);
      EXPECT_GE(runeTime, 2500);
      lastLength = length;
      lastRuneTime = runeTime;
      EXPECT_GE(Number(file, "Settings", "Time"), 60000);
      const std::set<int> kinds = SpellKinds(Text(file, "Settings", "AvailableSpells"));
      EXPECT_FALSE(kinds.empty());
      for (int kind : kinds) EXPECT_TRUE(kind >= 1 && kind <= 6) << kind;
    }
  }
}

// The popups' text is set in this font; a line keeps this far from the panel's edges.
constexpr int kPanelMargin = 12;

// One popup group: where it shows and what it shows.
struct Popup {
  std::string file, group;
  int level, spell, lines;
};

std::vector<Popup> PopupsOf(const char* file) {
  std::vector<Popup> out;
  const TSCFilePtr tsc = Entry(kPopups, file);
  const TListPtr<TSCGroupPtr> groups = GetTSCGroupList(tsc, String());
  for (const TSCGroupPtr& g : *groups) {
    const std::string group = ToUtf8(g->name);
    SCOPED_TRACE(std::string(file) + " / " + group);
    Popup p{file, group, Number(tsc, group, "Level"), Number(tsc, group, "Spell"), Number(tsc, group, "Lines")};
    EXPECT_TRUE(Exists(Text(tsc, group, "Image"))) << Text(tsc, group, "Image");
    EXPECT_TRUE(p.spell >= -1 && p.spell <= 6) << p.spell;
    if (p.spell == -1) {
      EXPECT_TRUE(Exists(Text(tsc, group, "IconImg")));
    }
    EXPECT_GE(p.lines, 1);
    const PixmapPtr panel = LoadPixmap(Text(tsc, group, "Image"));
    const int room = panel ? panel->width - 2 * kPanelMargin : 0;
    for (int n = 1; n <= p.lines; ++n) {
      const String line = GetTSCStringKey(tsc, FromUtf8(group), FromUtf8("Line" + std::to_string(n)), 0);
      EXPECT_FALSE(line.empty()) << "Line" << n;
      EXPECT_LE(TextWidth(line), room) << "Line" << n << " does not fit the panel";
    }
    out.push_back(p);
  }
  return out;
}

TEST(QuestContent, PopupsFollowTheLevelsTheyExplain) {
  test_support::OpenScreen();
  ImageFontPtr font = LoadImageFont("gfx/fonts/QueenEmpress.ttf", 16, SMOOTHFONT);
  ASSERT_TRUE(font);
  SetImageFont(font);
  std::map<int, Type> typeOf;
  std::set<int> ringNumbers;
  for (const QuestLevel& q : kQuest) typeOf[q.index] = q.type;
  for (const QuestLevel& q : kQuest)
    if (q.type == kRing)
      ringNumbers.insert(Number(Entry(ArchiveOf(q.type), q.file), "Settings", "LevelNumber"));
  // Board levels' popups name the level's index; the ring's its LevelNumber; the puzzle's 1.
  for (const Popup& p : PopupsOf("info.tsc")) {
    EXPECT_EQ(typeOf.count(p.level) == 1 ? typeOf[p.level] : 0, kBoard) << p.group << " at " << p.level;
  }
  for (const Popup& p : PopupsOf("infoRG.tsc")) EXPECT_EQ(ringNumbers.count(p.level), 1u) << p.group;
  for (const Popup& p : PopupsOf("infoPZ.tsc")) EXPECT_EQ(p.level, 1) << p.group;
  // Every spell the board levels deal is explained by a popup of its own.
  std::set<int> explained;
  for (const Popup& p : PopupsOf("info.tsc"))
    if (p.spell > 0) explained.insert(p.spell);
  std::set<int> dealt;
  for (const QuestLevel& q : kQuest) {
    if (q.type != kBoard) continue;
    for (int kind : SpellKinds(Text(Entry(ArchiveOf(q.type), q.file), "Settings::Level", "AvailableSpells")))
      dealt.insert(kind);
  }
  for (int kind : dealt) EXPECT_EQ(explained.count(kind), 1u) << "spell " << kind << " is never explained";
}

TEST(QuestContent, EveryBossTheLevelsPlaceIsInTheCatalogueWithBothPictures) {
  const TSCFilePtr catalogue = Entry(kQuestSettings, "bossRunes.tsc");
  std::map<std::string, std::string> groupOf;  // boss id -> its group
  const TListPtr<TSCGroupPtr> kinds = GetTSCGroupList(catalogue, S("List"));
  for (const TSCGroupPtr& g : *kinds) {
    const std::string group = "List::" + ToUtf8(g->name);
    groupOf[Text(catalogue, group, "id")] = group;
  }
  std::set<int> colours;
  for (const QuestLevel& q : kQuest) {
    if (q.goal != kBosses) continue;
    SCOPED_TRACE(q.file);
    const std::string entries = Text(Entry(ArchiveOf(q.type), q.file), "Settings::Level", "BossRunes");
    size_t start = 0;
    int bosses = 0;
    while (start < entries.size()) {
      const size_t end = std::min(entries.find(' ', start), entries.size());
      const std::string id = entries.substr(start, entries.find(':', start) - start);
      start = end + 1;
      ++bosses;
      ASSERT_EQ(groupOf.count(id), 1u) << "boss " << id;
      const std::string& group = groupOf[id];
      colours.insert(Number(catalogue, group, "color"));
      EXPECT_TRUE(Exists(Text(catalogue, group, "fileNameBoss"))) << group;
      EXPECT_TRUE(Exists(Text(catalogue, group, "fileNameBossBig"))) << group;
    }
    EXPECT_GE(bosses, 1);
  }
  EXPECT_GE(colours.size(), 5u) << "bosses of many colours";
}

}  // namespace
