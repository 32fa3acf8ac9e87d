#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "datafiles/bca_archive.h"
#include "datafiles/lp_check.h"
#include "datafiles/tsc_file.h"
#include "datafiles_test_util.h"
#include "platform/errors.h"
#include "platform/files.h"
#include "platform/headless.h"
#include "platform/system.h"
#include "support/test_support.h"

using datafiles_test::BuildArchive;
using datafiles_test::Bytes;
using datafiles_test::EntryData;
using datafiles_test::PutInt;
using datafiles_test::StoredEntry;
using datafiles_test::U8;
using datafiles_test::operator+;

namespace {

std::string Expanded(const std::vector<uint8_t>& data) {
  std::vector<uint8_t> content;
  EXPECT_EQ(ExpandBBData(data, content), BBEntryStatus::Found);
  return std::string(content.begin(), content.end());
}

std::string WriteArchive(const std::string& name, const std::vector<uint8_t>& bytes) {
  const std::string path = test_support::TempHome() + "/" + name;
  EXPECT_TRUE(SaveBytesSafely(path, bytes));
  return path;
}

// The notices shown since the test began (the tests may share one process).
size_t g_noticesBefore = 0;
std::vector<std::string> Notices() {
  std::vector<std::string> out;
  const auto& boxes = headless::MessageBoxes();
  for (size_t i = g_noticesBefore; i < boxes.size(); ++i) out.push_back(U8(boxes[i].text));
  return out;
}

class BcaArchive : public testing::Test {
 protected:
  void SetUp() override { g_noticesBefore = headless::MessageBoxes().size(); }
};
using LevelPackCheck = BcaArchive;

// A store that already holds something, to see that a failed lookup leaves it alone.
TSCFilePtr Prefilled() {
  TSCFilePtr file = CreateTSCFile();
  file->LoadFromText(u"Old{ v=1 }");
  return file;
}

}  // namespace

TEST_F(BcaArchive, ExpandsCodedStoredAndTailBytes) {
  // One coded block (marker 01, pattern "ab") and a one-byte tail.
  const std::vector<uint8_t> example =
      EntryData(1, 8, Bytes({9, 0, 0, 0, 0x01, 0x02, 0x61, 0x62, 0x78, 0x01, 0x79, 0x01, 0x01, 0x51}));
  EXPECT_EQ(example.size(), 23u);
  EXPECT_EQ(Expanded(example), "xabyababQ");
  // One stored block.
  EXPECT_EQ(Expanded(EntryData(1, 4, Bytes({4, 0, 0, 0, 0, 0x41, 0x42, 0x43, 0x44}))), "ABCD");
  // An empty pattern: its code makes nothing; blocks fill the output exactly, no tail.
  EXPECT_EQ(Expanded(EntryData(1, 3, Bytes({6, 0, 0, 0, 5, 0, 5, 0x41, 5, 0x42, 0x43, 0, 0x01, 0x02, 0x05}))),
            std::string("ABC\x01\x02\x05"));
  // Shorter than one block: the whole output is the tail.
  EXPECT_EQ(Expanded(EntryData(1, 100, Bytes({2, 0, 0, 0, 0x68, 0x69}))), "hi");
  EXPECT_EQ(Expanded(EntryData(1, 7, Bytes({0, 0, 0, 0}))), "");
}

TEST_F(BcaArchive, ExpandsEachPassFromTheOutputOfTheOneBefore) {
  // The first pass restores four stored blocks that are the second pass's input: two coded
  // blocks of "abab".
  const std::vector<uint8_t> inner = Bytes({8, 0, 0, 0, 1, 2, 'a', 'b', 1, 1, 1, 2, 'a', 'b', 1, 1});
  std::vector<uint8_t> outer;
  PutInt(outer, static_cast<int32_t>(inner.size()));
  for (size_t i = 0; i < inner.size(); i += 4) {
    outer.push_back(0);
    outer.insert(outer.end(), inner.begin() + static_cast<std::ptrdiff_t>(i),
                 inner.begin() + static_cast<std::ptrdiff_t>(i + 4));
  }
  EXPECT_EQ(Expanded(EntryData(2, 4, outer)), "abababab");
}

TEST_F(BcaArchive, FindsEntriesByNameFoldingOnlyAToZ) {
  const std::string path = WriteArchive(
      "settings.bca",
      BuildArchive({{"RUNES.TSC.BBC", StoredEntry("A{ k=1 }")},
               {"\xC9.tsc.bbc", StoredEntry("B{ k=2 }")},
               {"x.bbc.bbc", StoredEntry("C{ k=3 }")},
               {"dup.tsc.bbc", StoredEntry("D{ k=4 }")},
               {"DUP.tsc.bbc", StoredEntry("D{ k=5 }")}}));
  struct Case {
    std::u16string entry;
    int result;
    std::string group;
    float value;
  };
  const std::vector<Case> cases = {
      {u"runes.tsc", 1, "A", 1}, {u"\u00c9.tsc", 1, "B", 2}, {u"\u00e9.tsc", 0, "Old", 1},
      {u"x.bbc", 1, "C", 3},     {u"x", 0, "Old", 1},        {u"dup.TSC", 1, "D", 4},
      {u"missing.tsc", 0, "Old", 1},
  };
  for (const Case& c : cases) {
    TSCFilePtr file = Prefilled();
    EXPECT_EQ(LoadTSCFileBB(file, path, c.entry), c.result) << U8(c.entry);
    EXPECT_EQ(GetTSCNumberKey(file, datafiles_test::U16(c.group), c.group == "Old" ? u"v" : u"k", 0), c.value)
        << U8(c.entry);
  }
  EXPECT_TRUE(Notices().empty());
}

TEST_F(BcaArchive, ReportsForeignArchivesAndTextErrors) {
  TSCFilePtr file = Prefilled();
  EXPECT_EQ(LoadTSCFileBB(file, WriteArchive("none.bca", BuildArchive({})), u"a.tsc"), 0);
  std::vector<uint8_t> foreign = BuildArchive({{"a.tsc.bbc", StoredEntry("A{}")}});
  foreign[3] = 1;
  EXPECT_EQ(LoadTSCFileBB(file, WriteArchive("foreign.bca", foreign), u"a.tsc"), 0);
  EXPECT_EQ(file->keys->Count(), 1);
  const std::string bad = WriteArchive("bad.bca", BuildArchive({{"a.tsc.bbc", StoredEntry("A{ k='x")}}));
  EXPECT_EQ(LoadTSCFileBB(file, bad, u"a.tsc"), 0);
  EXPECT_TRUE(file->keys->IsEmpty());
  EXPECT_EQ(Notices(), (std::vector<std::string>{
                           "not supported BCA BBError: a.tsc",
                           "Final BBError: ERROR: Unfinished string at line 1, character 7"}));
}

TEST_F(BcaArchive, MissingOrUnreadableArchiveIsAFrameworkError) {
  TSCFilePtr file = CreateTSCFile();
  const std::string missing = test_support::TempHome() + "/data/settings_lp.bca";
  for (const std::string& path : {missing, test_support::TempHome()}) {
    try {
      LoadTSCFileBB(file, path, u"runes.tsc");
      ADD_FAILURE() << "no error for " << path;
    } catch (const FrameworkError& error) {
      EXPECT_EQ(std::string(error.what()), ".BCA ArchiveFile not Found: " + path);
    }
  }
}

TEST_F(BcaArchive, DamagedArchivesAreReportedWithoutReadingPastTheirData) {
  const std::vector<uint8_t> abcd = Bytes({4, 0, 0, 0, 0, 'A', 'B', 'C', 'D'});
  auto one = [](const std::vector<uint8_t>& data) { return BuildArchive({{"e.tsc.bbc", data}}); };
  auto header = [](std::initializer_list<int32_t> ints) {
    std::vector<uint8_t> out = {0x42, 0x43, 0x41, 0x00};
    for (int32_t v : ints) PutInt(out, v);
    return out;
  };
  std::vector<uint8_t> longPattern = Bytes({200, 0, 0, 0, 1, 128});
  longPattern.resize(longPattern.size() + 128 + 200, 'p');
  std::vector<uint8_t> cut = one(StoredEntry("A{ k=1 }\n"));
  cut.resize(cut.size() - 3);
  std::vector<uint8_t> badSecondPass = EntryData(2, 100, Bytes({4, 0, 0, 0, 0xff, 0xff, 0xff, 0x7f}));
  struct Case {
    std::string what;
    std::vector<uint8_t> archive;
  };
  const std::vector<Case> cases = {
      {"empty archive", {}},
      {"cut in the magic", Bytes({0x42, 0x43})},
      {"cut before the count", header({})},
      {"cut in an entry header", header({1, 9})},
      {"name past the end", header({1, 1000}) + Bytes({'e'})},
      {"huge name length", header({1, 0x7fffffff})},
      {"earlier entry of negative size", header({2, 1}) + Bytes({'a', 0xec, 0xff, 0xff, 0xff})},
      {"earlier entry of huge size", header({2, 1}) + Bytes({'a', 0xff, 0xff, 0xff, 0x7f, 0})},
      {"data size below 13", one(Bytes({0, 0, 0, 0, 1, 4, 0, 0, 0, 4, 0, 0}))},
      {"payload shorter than its size", cut},
      {"block size 0", one(EntryData(1, 0, abcd))},
      {"negative block size", one(EntryData(1, -4, abcd))},
      {"pass count 0", one(EntryData(0, 4, abcd))},
      {"negative output length", one(EntryData(1, 4, Bytes({0xff, 0xff, 0xff, 0xff, 0, 0})))},
      {"huge output length", one(EntryData(1, 4, Bytes({0xff, 0xff, 0xff, 0x7f, 0, 0})))},
      {"output longer than the data can make", one(EntryData(1, 8, Bytes({0xe8, 3, 0, 0, 1, 1, 'a', 1})))},
      {"stored block cut short", one(EntryData(1, 4, Bytes({4, 0, 0, 0, 0, 'A', 'B'})))},
      {"tail cut short", one(EntryData(1, 8, Bytes({3, 0, 0, 0, 'A'})))},
      {"pattern overruns its block", one(EntryData(1, 4, Bytes({4, 0, 0, 0, 1, 3, 'a', 'b', 'c', 1, 1})))},
      {"pattern longer than 127", one(EntryData(1, 200, longPattern))},
      {"pattern past the end", one(EntryData(1, 4, Bytes({4, 0, 0, 0, 1, 5, 'a'})))},
      {"codes run out", one(EntryData(1, 8, Bytes({8, 0, 0, 0, 1, 2, 'a', 'b', 1, 'x'})))},
      {"empty pattern forever", one(EntryData(1, 4, Bytes({4, 0, 0, 0, 1, 0, 1, 1, 1, 1, 1})))},
      {"second pass lies about its length", one(badSecondPass)},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    TSCFilePtr file = Prefilled();
    EXPECT_EQ(LoadTSCFileBB(file, WriteArchive("damaged" + std::to_string(i) + ".bca", c.archive), u"e.tsc"), 0)
        << c.what;
    EXPECT_EQ(file->keys->Count(), 1) << c.what;
    EXPECT_EQ(Notices().size(), i + 1) << c.what;
    if (Notices().size() == i + 1) {
      EXPECT_EQ(Notices().back(), "damaged BCA BBError: e.tsc") << c.what;
    }
  }
}

TEST_F(BcaArchive, SingleFileMarkerGivesTheEmbeddedArchiveOffset) {
  EXPECT_EQ(SingleFileOffset(), 0);
  struct Case {
    const char* marker;
    int32_t offset;
  };
  for (const Case& c : {Case{"  123xyz", 123}, Case{"-45", 0}, Case{"+7", 7}, Case{"$10", 16}, Case{"", 0}}) {
    std::snprintf(SingleFileMarker, sizeof SingleFileMarker, "%s", c.marker);
    EXPECT_EQ(SingleFileOffset(), c.offset) << c.marker;
  }
}

TEST_F(BcaArchive, EmbeddedArchiveServesEveryMissingArchive) {
  const std::vector<uint8_t> archive =
      BuildArchive({{"runes.tsc.bbc", StoredEntry("R{ k=7 }")}, {"pack.txt.bbc", Bytes({1})}});
  AppFile = WriteArchive("game.bin", Bytes({'E', 'L', 'F', 0, 0, 0, 0, 0, 0, 0}) + archive);
  std::snprintf(SingleFileMarker, sizeof SingleFileMarker, "10");
  TSCFilePtr file = CreateTSCFile();
  EXPECT_EQ(LoadTSCFileBB(file, "data/any_name.bca", u"runes.tsc"), 1);
  EXPECT_EQ(GetTSCNumberKey(file, u"R", u"k", 0), 7.0f);
  EXPECT_EQ(LoadTSCFileBB(file, "data/any_name.bca", u"blocks.tsc"), 0);
  EXPECT_EQ(BBFileExist("data/other.bca", u"pack.txt"), 1);
  // An archive file at the path comes first.
  const std::string real = WriteArchive("real.bca", BuildArchive({{"other.tsc.bbc", StoredEntry("O{}")}}));
  EXPECT_EQ(LoadTSCFileBB(file, real, u"runes.tsc"), 0);
  EXPECT_EQ(BBFileExist(real, u"pack.txt"), 0);
  // An offset past the end of the executable is a damaged archive.
  std::snprintf(SingleFileMarker, sizeof SingleFileMarker, "100000");
  EXPECT_EQ(LoadTSCFileBB(file, "data/any_name.bca", u"runes.tsc"), 0);
  EXPECT_EQ(Notices(), (std::vector<std::string>{"damaged BCA BBError: runes.tsc"}));
  EXPECT_EQ(BBFileExist("data/any_name.bca", u"pack.txt"), 0);
}

TEST_F(LevelPackCheck, EveryPackMustHoldItsPackEntry) {
  ASSERT_TRUE(ChangeDir(test_support::TempHome()));
  ASSERT_TRUE(CreateDir("data"));
  const std::vector<std::string> packs = {"data/settings_lp.bca", "data/runes_levels_lp.bca",
                                          "data/puzzle_levels_lp.bca", "data/ring_levels_lp.bca",
                                          "data/popups_lp.bca"};
  // The pack entry's data is never read: even damaged data passes.
  const std::vector<uint8_t> good = BuildArchive({{"level.tsc.bbc", StoredEntry("L{}")}, {"PACK.TXT.BBC", Bytes({9})}});
  for (const std::string& pack : packs) ASSERT_TRUE(SaveBytesSafely(pack, good));
  EXPECT_EQ(CheckLPFiles(), 1);

  std::vector<uint8_t> cut = good;
  cut.resize(cut.size() - 8);
  struct Case {
    std::string what;
    std::vector<uint8_t> settings;
  };
  const std::vector<Case> failing = {
      {"no pack entry", BuildArchive({{"level.tsc.bbc", StoredEntry("L{}")}})},
      {"no entries", BuildArchive({})},
      {"empty file", {}},
      {"cut short", cut},
      {"not an archive", Bytes({'P', 'K', 3, 4, 0, 0, 0, 0})},
  };
  for (const Case& c : failing) {
    ASSERT_TRUE(SaveBytesSafely(packs[0], c.settings));
    EXPECT_EQ(BBFileExist(packs[0], u"pack.txt"), 0) << c.what;
    EXPECT_EQ(CheckLPFiles(), 0) << c.what;
    EXPECT_EQ(DamagedLevelPacks(), std::vector<std::string>{packs[0]}) << c.what;
  }
  ASSERT_TRUE(SaveBytesSafely(packs[0], good));
  ASSERT_TRUE(DeleteFile(packs[4]));
  ASSERT_TRUE(SaveBytesSafely(packs[2], {}));
  EXPECT_EQ(CheckLPFiles(), 0);
  EXPECT_EQ(DamagedLevelPacks(), (std::vector<std::string>{packs[2], packs[4]}));
  ASSERT_TRUE(SaveBytesSafely(packs[2], good));
  ASSERT_TRUE(CreateDir(packs[4]));  // a folder in the archive's place
  EXPECT_EQ(CheckLPFiles(), 0);
  EXPECT_EQ(DamagedLevelPacks(), std::vector<std::string>{packs[4]});
  EXPECT_TRUE(Notices().empty());
}

TEST_F(BcaArchive, BankHelpersCopyBytewise) {
  BankPtr bank = CreateBank(6);
  EXPECT_EQ(PokeByte2(bank, 0, 0x141), 0);
  PokeByte2(bank, 1, 'B');
  EXPECT_EQ(peekbyte2(bank, 0), 0x41);
  // Overlapping copies run in ascending order, byte by byte.
  EXPECT_EQ(copyBank2(bank, 0, bank, 2, 4), 0);
  EXPECT_EQ(std::string(bank->bytes.begin(), bank->bytes.end()), "ABABAB");
  copyBank2(bank, 0, bank, 1, 0);
  copyBank2(bank, 0, bank, 1, -3);
  EXPECT_EQ(std::string(bank->bytes.begin(), bank->bytes.end()), "ABABAB");
}
