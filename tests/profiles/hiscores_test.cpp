// The hiscore store: its file form, the default file, sorting and trimming per mode, the best
// score of a level, and files that cannot be read or written without losing a result.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/data_folders.h"
#include "platform/files.h"
#include "platform/system.h"
#include "profiles/hiscores.h"
#include "support/game_fixtures.h"
#include "support/test_support.h"

using test_support::Output;

namespace {

class Hiscores : public testing::Test {
 protected:
  void SetUp() override { GetDataFolders(); }
  static std::string Path() { return myDocsFolder + "/data/hiscores.dat"; }
  static std::string Read(const std::string& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(LoadBytes(path, bytes)) << path;
    return std::string(bytes.begin(), bytes.end());
  }
  // Writes a file as it stands (no safe write).
  static void WriteRaw(const std::string& path, const std::string& text) {
    StreamPtr out = WriteFile(path);
    ASSERT_TRUE(out) << path;
    if (!text.empty()) WriteBytes(out, text.data(), static_cast<int64_t>(text.size()));
    CloseFile(out);
  }
  static std::string Group(int n, const std::string& name, const std::string& score,
                           const std::string& type, const std::string& helpVar) {
    return "Score" + std::to_string(n) + "{\n\tname=\"" + name + "\"\n\tscore=" + score +
           "\n\tgameID=0.00000000\n\ttypeID=" + type + "\n\tdate=\"08 Dec 2026\"\n\thelpVar=\"" +
           helpVar + "\"\n}\n";
  }
  static std::string DefaultFile() {
    return "Score0{\n\tname=\"morvell\"\n\tscore=10000.0000\n\tgameID=0.00000000\n"
           "\ttypeID=1.00000000\n\tdate=\"" + ToUtf8(CurrentDate()) +
           "\"\n\thelpVar=\"null\"\n}\n";
  }
  // "name score" of the entries of a list, in order.
  static std::vector<std::string> Rows(const TListPtr<ScorePtr>& list) {
    std::vector<std::string> rows;
    for (const ScorePtr& s : *list) rows.push_back(ToUtf8(s->name) + " " + std::to_string(s->score));
    return rows;
  }
};

}  // namespace

TEST_F(Hiscores, AMissingOrEmptyFileStartsAsTheDefaultFileTheEmptyOneKeptAside) {
  for (bool empty : {false, true}) {
    if (empty) WriteRaw(Path(), "");
    HiscoresPtr store;
    const std::string out = Output([&] { store = THiscores::Create(Path()); });
    EXPECT_EQ(Read(Path()), DefaultFile());
    EXPECT_EQ(FileType(Path() + ".bad") == FILETYPE_FILE, empty);
    if (empty) {
      EXPECT_EQ(FileSize(Path() + ".bad"), 0);
      EXPECT_NE(out.find("it is empty"), std::string::npos) << out;
    }
    EXPECT_EQ(Rows(store->GetScores(HISCORE_QUEST, 10)), std::vector<std::string>{"morvell 10000"});
    EXPECT_EQ(store->limitPerType, 500);
    EXPECT_EQ(store->path, Path());
  }
}

TEST_F(Hiscores, EntriesSortByModeThenScoreKeepingEarlierEqualsAhead) {
  WriteRaw(Path(), Group(0, "q", "50", "1", "null") +
                       Group(1, "e1", "300", "2", "level_endless_01.tsc") +
                       Group(2, "t", "7", "3", "level_timed_01.tsc") +
                       Group(3, "e2", "500", "2", "level_endless_01.tsc") +
                       "Other{\n\tname=\"e3\"\n\tscore=300\n\ttypeID=2\n}\n");
  HiscoresPtr store = THiscores::Create(Path());
  EXPECT_EQ(Rows(store->scores), (std::vector<std::string>{"q 50", "e2 500", "e1 300", "e3 300",
                                                           "t 7"}));
  EXPECT_EQ(Rows(store->GetScores(HISCORE_ENDLESS, 10)),
            (std::vector<std::string>{"e2 500", "e1 300", "e3 300"}));
  EXPECT_EQ(Rows(store->GetScores(HISCORE_ENDLESS, 2)), (std::vector<std::string>{"e2 500", "e1 300"}));
  EXPECT_TRUE(store->GetScores(4, 10)->IsEmpty());
  // A new entry ranks below the equal scores already there; the file is rewritten as Score0..n
  // in table order, a group of any other name included.
  store->add(u"e4", 300, 0, HISCORE_ENDLESS, u"08 Dec 2026", u"level_endless_02.tsc");
  EXPECT_EQ(Rows(store->GetScores(HISCORE_ENDLESS, 10)),
            (std::vector<std::string>{"e2 500", "e1 300", "e3 300", "e4 300"}));
  const std::string text = Read(Path());
  EXPECT_EQ(text.substr(0, text.find("Score1{")), Group(0, "q", "50.0000000", "1.00000000", "null"));
  EXPECT_NE(text.find("Score3{\n\tname=\"e3\"\n\tscore=300.000000\n\tgameID=0.00000000\n"
                      "\ttypeID=2.00000000\n\tdate=\"\"\n\thelpVar=\"\"\n}\nScore4{"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("Other"), std::string::npos);
}

TEST_F(Hiscores, CompareScoresRanksByModeThenScoreWithoutOverflow) {
  struct Case {
    int32_t typeA, scoreA, typeB, scoreB, sign;
  };
  const Case cases[] = {
      {1, 10, 1, 20, 1},   {1, 20, 1, 10, -1},          {1, 5, 1, 5, 0},
      {1, 0, 2, 99, -1},   {3, 99, 2, 0, 1},            {1, INT32_MIN, 1, INT32_MAX, 1},
      {1, INT32_MAX, 1, INT32_MIN, -1}, {INT32_MIN, 0, INT32_MAX, 0, -1},
      {INT32_MAX, 0, INT32_MIN, 0, 1},
  };
  for (const Case& c : cases) {
    auto a = TScore::Create(u"a", c.scoreA, 0, c.typeA, u"", u"");
    auto b = TScore::Create(u"b", c.scoreB, 0, c.typeB, u"", u"");
    const int32_t r = TScore::CompareScores(*a, *b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.typeA << " " << c.scoreA << " / " << c.typeB << " "
                                         << c.scoreB;
  }
}

TEST_F(Hiscores, EachModeKeepsItsBest500AndTheFileWaitsForTheNextAdd) {
  std::string text;
  for (int i = 0; i < 600; ++i)
    text += Group(i, "p" + std::to_string(i), std::to_string(1000 - i), "2", "level_endless_01.tsc");
  for (int i = 0; i < 3; ++i) text += Group(600 + i, "q" + std::to_string(i), "5", "1", "null");
  WriteRaw(Path(), text);
  HiscoresPtr store = THiscores::Create(Path());
  EXPECT_EQ(store->scores->Count(), 503);
  EXPECT_EQ(Rows(store->GetScores(HISCORE_ENDLESS, 600)).back(), "p499 501");
  EXPECT_EQ(Read(Path()), text);  // surplus entries stay on disk until a save

  // The 501st equal score is dropped: an entry equal to the 500th is the one removed.
  store->add(u"late", 501, 0, HISCORE_ENDLESS, u"", u"level_endless_01.tsc");
  EXPECT_EQ(store->scores->Count(), 503);
  EXPECT_EQ(Rows(store->GetScores(HISCORE_ENDLESS, 600)).back(), "p499 501");
  const std::string saved = Read(Path());
  EXPECT_NE(saved.find("Score502{"), std::string::npos);
  EXPECT_EQ(saved.find("Score503{"), std::string::npos);
  EXPECT_EQ(saved.find("late"), std::string::npos);
  // A better one pushes the worst out.
  store->add(u"good", 2000, 0, HISCORE_ENDLESS, u"", u"level_endless_01.tsc");
  EXPECT_EQ(Rows(store->GetScores(HISCORE_ENDLESS, 1)), std::vector<std::string>{"good 2000"});
  EXPECT_EQ(Rows(store->GetScores(HISCORE_ENDLESS, 600)).back(), "p498 502");
  EXPECT_EQ(store->GetScores(HISCORE_QUEST, 10)->Count(), 3);
}

TEST_F(Hiscores, BestScoreOfALevelMatchesModeAndLevelExactly) {
  WriteRaw(Path(), Group(0, "a", "900", "3", "level_endless_01.tsc") +
                       Group(1, "b", "400", "2", "level_endless_01.tsc") +
                       Group(2, "c", "800", "2", "Level_endless_01.tsc") +
                       Group(3, "d", "700", "2", "level_endless_01.tsc ") +
                       Group(4, "e", "300", "2", "level_endless_01.tsc"));
  HiscoresPtr store = THiscores::Create(Path());
  EXPECT_EQ(store->GetBestScore(HISCORE_ENDLESS, u"level_endless_01.tsc"), 400);
  EXPECT_EQ(store->GetBestScore(HISCORE_TIME_ATTACK, u"level_endless_01.tsc"), 900);
  EXPECT_EQ(store->GetBestScore(HISCORE_ENDLESS, u"level_endless_02.tsc"), 0);
  EXPECT_EQ(store->GetBestScore(HISCORE_QUEST, u"null"), 0);
}

TEST_F(Hiscores, NumbersAndTextsReadBackAsStored) {
  HiscoresPtr store = THiscores::Create(Path());
  store->add(u"say \"hi\" \\o/", 20000001, 0, HISCORE_TIME_ATTACK, u"08 Dec 2026",
             u"my \"best\" \\ level.tsc");
  HiscoresPtr again = THiscores::Create(Path());
  TListPtr<ScorePtr> rows = again->GetScores(HISCORE_TIME_ATTACK, 10);
  ASSERT_EQ(rows->Count(), 1);
  EXPECT_EQ(rows->First()->name, u"say \"hi\" \\o/");
  EXPECT_EQ(rows->First()->helpVar, u"my \"best\" \\ level.tsc");
  EXPECT_EQ(rows->First()->date, u"08 Dec 2026");
  EXPECT_EQ(rows->First()->score, 20000000);  // through single precision
  EXPECT_EQ(again->GetScores(HISCORE_QUEST, 10)->Count(), 1);

  // Numbers beyond the int range are held at its ends; missing keys read as "" and 0.
  WriteRaw(Path(), "S{\n\tscore=3000000000\n\ttypeID=2\n\tgameID=-3000000000\n}\n");
  std::string out;
  out = Output([&] { again = THiscores::Create(Path()); });
  ASSERT_EQ(again->scores->Count(), 1);
  EXPECT_EQ(again->scores->First()->score, INT32_MAX);
  EXPECT_EQ(again->scores->First()->gameId, INT32_MIN);
  EXPECT_EQ(again->scores->First()->name, u"");
  EXPECT_NE(out.find("The key S::name does not exist"), std::string::npos) << out;
}

TEST_F(Hiscores, AFileThatCannotBeReadIsMovedAsideBeforeTheDefaultReplacesIt) {
  const std::string damaged = "Score0{\n\tname=\"unterminated\n";
  WriteRaw(Path(), damaged);
  HiscoresPtr store;
  const std::string out = Output([&] { store = THiscores::Create(Path()); });
  EXPECT_EQ(Read(Path() + ".bad"), damaged);
  EXPECT_NE(out.find(Path()), std::string::npos) << out;
  EXPECT_NE(out.find(Path() + ".bad"), std::string::npos) << out;
  EXPECT_EQ(Read(Path()), DefaultFile());
  EXPECT_TRUE(store->scores->IsEmpty());  // for the rest of this run

  // The next add saves only this run's entries; a second damaged file takes the next name.
  store->add(u"anna", 5, 0, HISCORE_QUEST, u"08 Dec 2026", u"null");
  EXPECT_EQ(Read(Path()), Group(0, "anna", "5.00000000", "1.00000000", "null"));
  WriteRaw(Path(), "{{{");
  Output([&] { store = THiscores::Create(Path()); });
  EXPECT_EQ(Read(Path() + ".bad"), damaged);
  EXPECT_EQ(Read(Path() + ".bad2"), "{{{");
}

// A folder, a FIFO (whose open would wait for a writer for ever) or a link that loops, where the
// file belongs: the game runs on without hiscores and leaves it as it is, saves included.
TEST_F(Hiscores, SomethingThatIsNoFileInTheFilesPlaceIsLeftAsItIs) {
  for (const test_support::NotAFile& odd : test_support::kNotAFiles) {
    SCOPED_TRACE(odd.what);
    ASSERT_TRUE(odd.make(Path()));
    HiscoresPtr store;
    std::string out = Output([&] { store = THiscores::Create(Path()); });
    EXPECT_NE(out.find("left as it is"), std::string::npos) << out;
    EXPECT_TRUE(store->scores->IsEmpty());
    out = Output([&] { store->add(u"anna", 5, 0, HISCORE_QUEST, u"08 Dec 2026", u"null"); });
    EXPECT_NE(out.find("could not be saved"), std::string::npos) << out;
    EXPECT_EQ(store->scores->Count(), 1);
    EXPECT_EQ(test_support::KindAt(Path()), odd.what);
    EXPECT_EQ(FileType(Path() + ".bad"), FILETYPE_NONE);
    test_support::RemoveAt(Path());
  }
}

TEST_F(Hiscores, ASaveThatFailsKeepsTheOldFileAndTheTable) {
  // A file name so long that no temporary file can sit beside it: the write fails for every
  // user, root included.
  const std::string path = myDocsFolder + "/data/" + std::string(245, 'h');
  const std::string old = Group(0, "anna", "50", "1", "null");
  WriteRaw(path, old);
  HiscoresPtr store = THiscores::Create(path);
  for (int i = 0; i < 2; ++i) {  // the next add tries again
    const std::string out = Output([&] {
      store->add(u"bert", 60 + i, 0, HISCORE_QUEST, u"08 Dec 2026", u"null");
    });
    EXPECT_NE(out.find("could not be saved"), std::string::npos) << out;
    EXPECT_EQ(Read(path), old);
  }
  EXPECT_EQ(Rows(store->GetScores(HISCORE_QUEST, 10)),
            (std::vector<std::string>{"bert 61", "bert 60", "anna 50"}));
}
